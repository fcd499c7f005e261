// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"
#include "runtime/statement.h"
#include "space/space_scene.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

struct DistanceRec;
struct PointRec;
struct PolygonRec;

// One space command being executed: its statement and arguments, the run's
// context and the scene, with the lookups and makers the commands share.
struct SpaceCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    SpaceScene& scene;

    const std::string& argument(std::size_t index) const;
    long long integer(std::size_t index) const;

    PointRec* point(std::size_t index) const;
    std::optional<LongTriple> position(std::size_t index) const;
    DistanceRec* distanceArgument(std::size_t index) const;
    PlaneRec* plane(std::size_t index) const;
    Line3DRec* line(std::size_t index) const;
    SphereRec* sphere(std::size_t index) const;
    SpaceCircleRec* circle(std::size_t index) const;
    PolyhedronRec* polyhedron(std::size_t index) const;
    // The plane of a plane or of a circle in space.
    const PlaneFrame* planeOrCircle(std::size_t index) const;

    // A polygon argument as a face: the loop's current face when the name is
    // the loop's face variable, else a copy of the named polygon.
    std::optional<Face> polygonFace(std::size_t index) const;
    // The loop's current model face and its view copy for the name.
    Face* loopFace(std::string_view name, Face** view = nullptr) const;
    PolygonRec* polygonRecord(std::size_t index) const;

    // New objects, named with the statement's target.
    void makePoint(const LongTriple& position) const;
    void makePolygon(const Face& face) const;
    template<class Record>
    Record& bind(Record& record) const
    {
        if (!statement.target.empty())
            record.bind(statement.target, std::string(context.scope));
        return record;
    }

    // A run-time error shown later in the box "Run-time error.".
    void runTimeError(std::string text) const;
};

// The command groups; each returns false when the word is not its own.
bool executeObjectCommand(SpaceCommand& command);
bool executePolyhedronCommand(SpaceCommand& command);
bool executeIntersectionCommand(SpaceCommand& command);
bool executeNetCommand(SpaceCommand& command);
// The files: polyhedron and frame files, the pictures of the show.
bool executeFileCommand(SpaceCommand& command);

} // namespace kestrane
