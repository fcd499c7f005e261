// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"
#include "runtime/statement.h"
#include "space/file_argument.h"
#include "space/four_d_scene.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// One Dimension 4 command being executed, with the lookups and makers the
// commands share.
struct FourDCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    FourDScene& scene;

    const std::string& argument(std::size_t index) const;
    long long integer(std::size_t index) const;
    bool isInteger(std::size_t index) const;

    Point4Rec* point(std::size_t index) const;
    std::optional<Long4> position(std::size_t index) const;
    Polygon4Rec* polygon(std::size_t index) const;
    CellRec* cell(std::size_t index) const;
    PolytopeRec* polytope(std::size_t index) const;
    Plane4Rec* plane(std::size_t index) const;
    Sphere4Rec* sphere(std::size_t index) const;
    PolyhedronRec* polyhedron(std::size_t index) const;
    // A file argument ('$' constant or String variable), a relative name
    // taken from the main script's directory.
    std::optional<FileArgument> file(std::size_t index) const;
    // A file the command writes: only inside the folders a program may
    // write in (otherwise the run-time error, and nothing).
    std::optional<FileArgument> writableFile(std::size_t index) const;

    // New objects, named with the statement's target.
    template<class Record>
    Record& named(std::unique_ptr<Record> record) const
    {
        Record& added = scene.add(std::move(record));
        if (!statement.target.empty())
            added.bind(statement.target, std::string(context.scope));
        return added;
    }
    Point4Rec& makePoint(const Long4& position) const;
    PolyhedronRec& showPolyhedron(std::unique_ptr<PolyhedronRec> polyhedron) const;

    // A run-time error shown later in the box "Run-time error.".
    void runTimeError(std::string text) const;
    // "Cannot solve equations." at once (caption "Error").
    void cannotSolve() const;
};

bool executeFourDObjectCommand(FourDCommand& command);
bool executePolytopeCommand(FourDCommand& command);

} // namespace kestrane
