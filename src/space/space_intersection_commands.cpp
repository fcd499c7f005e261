// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_command.h"
#include "space/space_intersections.h"

namespace kestrane {

namespace {

using Handler = void (*)(SpaceCommand&);

void makeCircle(SpaceCommand& command, const std::optional<SpaceCircle>& circle)
{
    if (!circle)
        return;
    auto record = std::make_unique<SpaceCircleRec>();
    record->circle = *circle;
    command.bind(command.scene.add(std::move(record)));
}

void makePointIfAny(SpaceCommand& command, const std::optional<LongTriple>& point)
{
    if (point)
        command.makePoint(*point);
}

// (plane, line3D) in either order.
void planeLineCommand(SpaceCommand& command)
{
    bool planeFirst = command.plane(0) != nullptr;
    const PlaneRec* plane = command.plane(planeFirst ? 0 : 1);
    const Line3DRec* line = command.line(planeFirst ? 1 : 0);
    if (plane && line)
        makePointIfAny(command, intersectPlaneLine(plane->frame, line->base, line->direction));
}

// (plane, circle, k) in either order of the first two.
void planeCircleCommand(SpaceCommand& command)
{
    bool planeFirst = command.plane(0) != nullptr;
    const PlaneRec* plane = command.plane(planeFirst ? 0 : 1);
    const SpaceCircleRec* circle = command.circle(planeFirst ? 1 : 0);
    if (plane && circle)
        makePointIfAny(command, intersectPlaneCircle(plane->frame, circle->circle,
                                                     solutionOf(command.integer(2))));
}

// Two of plane or circle: a new line in space.
void twoPlanesCommand(SpaceCommand& command)
{
    const PlaneFrame* first = command.planeOrCircle(0);
    const PlaneFrame* second = command.planeOrCircle(1);
    if (!first || !second)
        return;
    std::optional<std::pair<LongTriple, LongTriple>> points = intersectTwoPlanes(*first, *second);
    if (!points)
        return;
    auto line = std::make_unique<Line3DRec>();
    line->first = points->first;
    line->second = points->second;
    line->base = points->first;
    line->direction = minus(points->second, points->first);
    command.bind(command.scene.add(std::move(line)));
}

void threePlanesCommand(SpaceCommand& command)
{
    const PlaneFrame* first = command.planeOrCircle(0);
    const PlaneFrame* second = command.planeOrCircle(1);
    const PlaneFrame* third = command.planeOrCircle(2);
    if (first && second && third)
        makePointIfAny(command, intersectThreePlanes(*first, *second, *third));
}

void twoSpheresCommand(SpaceCommand& command)
{
    const SphereRec* first = command.sphere(0);
    const SphereRec* second = command.sphere(1);
    if (first && second)
        makeCircle(command, intersectTwoSpheres(first->centre, first->radius, second->centre,
                                                second->radius));
}

void threeSpheresCommand(SpaceCommand& command)
{
    const SphereRec* first = command.sphere(0);
    const SphereRec* second = command.sphere(1);
    const SphereRec* third = command.sphere(2);
    if (!first || !second || !third)
        return;
    std::optional<SpaceCircle> circle =
        intersectTwoSpheres(first->centre, first->radius, second->centre, second->radius);
    if (circle)
        makePointIfAny(command, intersectSphereCircle(third->centre, third->radius, *circle,
                                                      solutionOf(command.integer(3))));
}

void spherePlaneCommand(SpaceCommand& command)
{
    bool sphereFirst = command.sphere(0) != nullptr;
    const SphereRec* sphere = command.sphere(sphereFirst ? 0 : 1);
    const PlaneRec* plane = command.plane(sphereFirst ? 1 : 0);
    if (sphere && plane)
        makeCircle(command, intersectSpherePlane(sphere->centre, sphere->radius, plane->frame));
}

void sphereCircleCommand(SpaceCommand& command)
{
    bool sphereFirst = command.sphere(0) != nullptr;
    const SphereRec* sphere = command.sphere(sphereFirst ? 0 : 1);
    const SpaceCircleRec* circle = command.circle(sphereFirst ? 1 : 0);
    if (sphere && circle)
        makePointIfAny(command,
                       intersectSphereCircle(sphere->centre, sphere->radius, circle->circle,
                                             solutionOf(command.integer(2))));
}

// (sphere, line3D) or (line3D, sphere), with an optional selector (1 when
// none).
void sphereLineCommand(SpaceCommand& command)
{
    bool sphereFirst = command.sphere(0) != nullptr;
    const SphereRec* sphere = command.sphere(sphereFirst ? 0 : 1);
    const Line3DRec* line = command.line(sphereFirst ? 1 : 0);
    if (!sphere || !line)
        return;
    long long selector = command.arguments.size() > 2 ? command.integer(2) : 1;
    makePointIfAny(command, intersectSphereLine(sphere->centre, sphere->radius, line->base,
                                                line->direction, solutionOf(selector)));
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"IntersPlaneLine", planeLineCommand},     {"IntersPlaneCircle", planeCircleCommand},
    {"Inters2Planes", twoPlanesCommand},       {"Inters3Planes", threePlanesCommand},
    {"Inters2Spheres", twoSpheresCommand},     {"Inters3Spheres", threeSpheresCommand},
    {"IntersSpherePlane", spherePlaneCommand}, {"IntersSphereCircle", sphereCircleCommand},
    {"IntersSphereLine", sphereLineCommand},
};

} // namespace

bool executeIntersectionCommand(SpaceCommand& command)
{
    for (const Entry& entry : kCommands) {
        if (entry.word == command.statement.word) {
            entry.handler(command);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
