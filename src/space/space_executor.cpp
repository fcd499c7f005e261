// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_executor.h"

#include "geometry/view_area.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "space/space_command.h"

namespace kestrane {

namespace {

const std::string kNoArgument;

// Space points are in view up to and including the edge of the drawing.
bool spacePointOutOfView(const PointRec& point)
{
    double x = static_cast<double>(point.floats.x) - point.viewX;
    double y = static_cast<double>(point.floats.y) - point.viewY;
    return !(x >= 0 && x <= kDrawingWidth && y >= 0 && y <= kDrawingHeight);
}

} // namespace

const std::string& SpaceCommand::argument(std::size_t index) const
{
    return index < arguments.size() ? arguments[index] : kNoArgument;
}

long long SpaceCommand::integer(std::size_t index) const
{
    return integerArgument(argument(index));
}

PointRec* SpaceCommand::point(std::size_t index) const
{
    return findPoint(context, argument(index));
}

std::optional<LongTriple> SpaceCommand::position(std::size_t index) const
{
    const PointRec* found = point(index);
    if (!found)
        return {};
    return LongTriple{found->x, found->y, found->z};
}

DistanceRec* SpaceCommand::distanceArgument(std::size_t index) const
{
    return findDistance(context, argument(index));
}

PlaneRec* SpaceCommand::plane(std::size_t index) const
{
    return scene.findPlane(argument(index), context.scope);
}

Line3DRec* SpaceCommand::line(std::size_t index) const
{
    return scene.findLine(argument(index), context.scope);
}

SphereRec* SpaceCommand::sphere(std::size_t index) const
{
    return scene.findSphere(argument(index), context.scope);
}

SpaceCircleRec* SpaceCommand::circle(std::size_t index) const
{
    return scene.findCircle(argument(index), context.scope);
}

PolyhedronRec* SpaceCommand::polyhedron(std::size_t index) const
{
    return scene.findPolyhedron(argument(index));
}

const PlaneFrame* SpaceCommand::planeOrCircle(std::size_t index) const
{
    if (const PlaneRec* found = plane(index))
        return &found->frame;
    if (const SpaceCircleRec* found = circle(index))
        return &found->circle.frame;
    return nullptr;
}

Face* SpaceCommand::loopFace(std::string_view name, Face** view) const
{
    const std::optional<FaceLoop>& loop = scene.faceLoop();
    if (!loop || loop->faceName != name || !loop->polyhedron || loop->polyhedron->faces.empty())
        return nullptr;
    PolyhedronRec& polyhedron = *loop->polyhedron;
    // Past the last face the loop variable denotes the first.
    std::size_t number = loop->counter < polyhedron.faces.size() ? loop->counter : 0;
    if (view)
        *view = &polyhedron.viewFaces[number];
    return &polyhedron.faces[number];
}

PolygonRec* SpaceCommand::polygonRecord(std::size_t index) const
{
    return findPolygon(context, argument(index));
}

std::optional<Face> SpaceCommand::polygonFace(std::size_t index) const
{
    Face* view = nullptr;
    if (loopFace(argument(index), &view))
        return *view;
    const PolygonRec* polygon = polygonRecord(index);
    if (!polygon || polygon->vertices.empty())
        return {};
    Face face;
    for (const PolygonVertex& vertex : polygon->vertices)
        face.vertices.push_back({vertex.x, vertex.y, vertex.z});
    face.colourCode = polygon->colourCode;
    face.colour = polygon->baseColour;
    face.coloured = polygon->coloured;
    face.built = polygon->built;
    face.visible = polygon->visible;
    return face;
}

void SpaceCommand::makePoint(const LongTriple& position) const
{
    PointRec& point = context.state.store().makePoint(position.x, position.y, position.z);
    point.outOfView = spacePointOutOfView(point);
    bindTarget(point, statement.target, context);
}

void SpaceCommand::makePolygon(const Face& face) const
{
    auto polygon = std::make_unique<PolygonRec>();
    for (const LongTriple& vertex : face.vertices)
        polygon->vertices.push_back(makeVertex(vertex.x, vertex.y, vertex.z));
    const CreationSettings& settings = context.state.store().settings();
    polygon->moduleCode = settings.moduleCode;
    polygon->showLabel = settings.labels == LabelDisplay::Shown;
    polygon->viewX = settings.viewX;
    polygon->viewY = settings.viewY;
    polygon->coloured = face.coloured;
    polygon->colourCode = face.colourCode;
    polygon->baseColour = face.colour;
    polygon->shadedColour = face.colour;
    polygon->built = face.built;
    bindTarget(context.state.figures().addPolygon(std::move(polygon)), statement.target, context);
}

void SpaceCommand::runTimeError(std::string text) const
{
    std::string line1 = translate("Error of '") + statement.word + "'";
    std::string line2 = text.substr(0, text.find('\n'));
    context.state.deferError(std::move(text), std::move(line1), std::move(line2));
}

bool SpaceExecutor::execute(const Statement& statement, CommandContext& context)
{
    SpaceCommand command{statement, statement.arguments(), context, m_scene};
    return executeObjectCommand(command) || executePolyhedronCommand(command) ||
           executeIntersectionCommand(command) || executeNetCommand(command) ||
           executeFileCommand(command);
}

} // namespace kestrane
