// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/colour_value.h"
#include "runtime/construction_state.h"
#include "space/space_command.h"
#include "space/space_intersections.h"
#include "space/space_view.h"
#include "space/vertex_index.h"

#include <algorithm>

namespace kestrane {

namespace {

using Handler = void (*)(SpaceCommand&);

// point(x, y, z): never merged with the points already there.
void pointCommand(SpaceCommand& command)
{
    command.makePoint(
        LongTriple::ofIntegers(command.integer(0), command.integer(1), command.integer(2)));
}

void line3DCommand(SpaceCommand& command)
{
    std::optional<LongTriple> first = command.position(0);
    std::optional<LongTriple> second = command.position(1);
    if (!first || !second)
        return;
    auto line = std::make_unique<Line3DRec>();
    line->first = *first;
    line->second = *second;
    line->base = *first;
    line->direction = minus(*second, *first);
    command.bind(command.scene.add(std::move(line)));
}

bool degenerateNormal(const LongTriple& normal)
{
    constexpr double kDegenerate = 1e-9;
    return toDouble(length(normal)) < kDegenerate;
}

void planeCommand(SpaceCommand& command)
{
    std::optional<LongTriple> p1 = command.position(0);
    std::optional<LongTriple> p2 = command.position(1);
    std::optional<LongTriple> p3 = command.position(2);
    if (!p1 || !p2 || !p3)
        return;
    if (degenerateNormal(cross(minus(*p2, *p1), minus(*p3, *p1)))) {
        reportDivisionByZero();
        return;
    }
    auto plane = std::make_unique<PlaneRec>();
    plane->frame = planeThrough(*p1, *p2, *p3);
    plane->through = std::array{*p1, *p2, *p3};
    command.bind(command.scene.add(std::move(plane)));
}

// sphere(centre, point) or sphere(centre, distance).
void sphereCommand(SpaceCommand& command)
{
    std::optional<LongTriple> centre = command.position(0);
    if (!centre)
        return;
    auto sphere = std::make_unique<SphereRec>();
    sphere->centre = *centre;
    if (std::optional<LongTriple> through = command.position(1)) {
        sphere->through = *through;
        sphere->radius = distance(*centre, *through);
    } else if (const DistanceRec* radius = command.distanceArgument(1)) {
        sphere->radius = radius->value;
    } else {
        return;
    }
    command.bind(command.scene.add(std::move(sphere)));
}

void polyhedronCommand(SpaceCommand& command)
{
    std::optional<LongTriple> centre = command.position(0);
    if (!centre)
        return;
    auto polyhedron = std::make_unique<PolyhedronRec>();
    polyhedron->centre = *centre;
    command.bind(command.scene.add(std::move(polyhedron)));
}

// Center(P) of a polyhedron, in long numbers, or of a polygon.
void centreCommand(SpaceCommand& command)
{
    if (PolyhedronRec* polyhedron = command.polyhedron(0)) {
        if (!polyhedron->faces.empty())
            polyhedron->centre = centreOfFaces(polyhedron->faces);
        if (polyhedron->centre)
            command.makePoint(*polyhedron->centre);
        return;
    }
    if (std::optional<Face> face = command.polygonFace(0); face && face->cornerCount() > 0)
        command.makePoint(centreOf(*face));
}

void pointSymmetryCommand(SpaceCommand& command)
{
    std::optional<LongTriple> point = command.position(0);
    std::optional<LongTriple> centre = command.position(1);
    if (point && centre)
        command.makePoint(minus(plus(*centre, *centre), *point));
}

// The point mirrored in the line through the second and third points.
void pointSymmetryOfLineCommand(SpaceCommand& command)
{
    std::optional<LongTriple> point = command.position(0);
    std::optional<LongTriple> a = command.position(1);
    std::optional<LongTriple> b = command.position(2);
    if (!point || !a || !b)
        return;
    LongTriple direction = minus(*a, *b);
    if (degenerateNormal(direction)) {
        reportDivisionByZero();
        return;
    }
    LongNum t =
        divided(minus(dot(*point, direction), dot(*b, direction)), dot(direction, direction));
    LongTriple foot = plus(*b, scaled(direction, t));
    command.makePoint(minus(plus(foot, foot), *point));
}

void perpendicularOnePointCommand(SpaceCommand& command)
{
    std::optional<LongTriple> point = command.position(0);
    std::optional<LongTriple> a = command.position(1);
    std::optional<LongTriple> b = command.position(2);
    if (!point || !a || !b)
        return;
    LongTriple normal = minus(*b, *a);
    if (degenerateNormal(normal)) {
        reportDivisionByZero();
        return;
    }
    auto plane = std::make_unique<PlaneRec>();
    plane->frame = planeWithNormal(*point, normal);
    command.bind(command.scene.add(std::move(plane)));
}

// The plane through O and B perpendicular to the plane of O, A and B.
void perpendicularTwoPointsCommand(SpaceCommand& command)
{
    std::optional<LongTriple> o = command.position(0);
    std::optional<LongTriple> a = command.position(1);
    std::optional<LongTriple> b = command.position(2);
    if (!o || !a || !b)
        return;
    LongTriple u = normalised(minus(*b, *o));
    LongTriple w = normalised(minus(*a, *o));
    LongTriple q = plus(*b, cross(u, w));
    if (degenerateNormal(cross(minus(*b, *o), minus(q, *o)))) {
        reportDivisionByZero();
        return;
    }
    auto plane = std::make_unique<PlaneRec>();
    plane->frame = planeThrough(*o, *b, q);
    plane->through = std::array{*o, *b, q};
    command.bind(command.scene.add(std::move(plane)));
}

void pointSymmetricPolygonCommand(SpaceCommand& command)
{
    std::optional<LongTriple> centre = command.position(0);
    std::optional<Face> face = command.polygonFace(1);
    if (!centre || !face)
        return;
    for (LongTriple& vertex : face->vertices)
        vertex = minus(plus(*centre, *centre), vertex);
    command.makePolygon(*face);
}

void planeSymmetricPolygonCommand(SpaceCommand& command)
{
    const PlaneRec* plane = command.plane(0);
    std::optional<Face> face = command.polygonFace(1);
    if (!plane || !face)
        return;
    for (LongTriple& vertex : face->vertices) {
        LongNum height = plane->frame.signedValue(vertex);
        vertex = minus(vertex, scaled(plane->frame.normal(), plus(height, height)));
    }
    command.makePolygon(*face);
}

// The corners centre + r·(cos kα·d + sin kα·d⊥) in a plane's frame.
std::vector<LongTriple> regularCorners(const PlaneFrame& frame, const LongTriple& centre,
                                       const LongTriple& start, long long count, bool positive)
{
    LongNum step = divided(times(longOf(2), LongPi()), longOf(count));
    if (!positive)
        step = negated(step);
    LongTriple offset = minus(start, centre);
    std::vector<LongTriple> corners;
    for (long long k = 0; k < count; ++k) {
        LongNum angle = times(step, longOf(k));
        LongNum cosine;
        LongNum sine;
        LongCos(angle, cosine);
        LongSin(angle, sine);
        LongNum s = minus(times(cosine, offset.x), times(sine, offset.y));
        LongNum t = plus(times(sine, offset.x), times(cosine, offset.y));
        corners.push_back(frame.fromPlane(plus(centre.x, s), plus(centre.y, t)));
    }
    return corners;
}

// EquiPolygon(c, P, n) in a circle, first corner nearest to P; or
// EquiPolygon(E, A, B, n, k) in a plane with the side AB.
void equiPolygonCommand(SpaceCommand& command)
{
    if (const SpaceCircleRec* record = command.circle(0)) {
        const SpaceCircle& circle = record->circle;
        std::optional<LongTriple> towards = command.position(1);
        long long count = command.integer(2);
        if (!towards || count < 3)
            return;
        LongTriple centre = circle.frame.inPlane(circle.centre);
        LongTriple direction = minus(circle.frame.inPlane(*towards), centre);
        if (degenerateNormal(direction))
            direction = LongTriple::ofIntegers(1, 0, 0);
        LongTriple start = plus(centre, scaled(normalised(direction), circle.radius));
        command.makePolygon(faceOf(regularCorners(circle.frame, centre, start, count, true)));
        return;
    }
    const PlaneRec* plane = command.plane(0);
    std::optional<LongTriple> a = command.position(1);
    std::optional<LongTriple> b = command.position(2);
    long long count = command.integer(3);
    if (!plane || !a || !b || count < 3)
        return;
    bool positive = command.integer(4) == 1;
    const PlaneFrame& frame = plane->frame;
    LongTriple first = frame.inPlane(*a);
    LongTriple side = minus(frame.inPlane(*b), first);
    // The centre lies on the perpendicular bisector of AB, at the inradius.
    LongNum half = divided(LongPi(), longOf(count));
    LongNum cosine;
    LongNum sine;
    LongCos(half, cosine);
    LongSin(half, sine);
    LongNum apothem = divided(cosine, plus(sine, sine));
    // Turning by increasing angle keeps the inside to the left of AB.
    LongTriple inward = positive ? LongTriple{negated(side.y), side.x, LongNum()}
                                 : LongTriple{side.y, negated(side.x), LongNum()};
    LongTriple centre = plus(shrunk(plus(first, frame.inPlane(*b)), 2), scaled(inward, apothem));
    command.makePolygon(faceOf(regularCorners(frame, centre, first, count, positive)));
}

void symmetricCommand(SpaceCommand& command)
{
    Face* view = nullptr;
    if (Face* face = command.loopFace(command.argument(0), &view)) {
        face->built = true;
        view->built = true;
    } else if (PolygonRec* polygon = command.polygonRecord(0)) {
        polygon->built = true;
    }
}

// fill(F) = colour of the loop's face colours its model and view face.
bool fillLoopFace(SpaceCommand& command)
{
    Face* view = nullptr;
    Face* face = command.loopFace(command.argument(0), &view);
    if (!face)
        return false;
    std::optional<ColorRef> colour = colourValue(command.statement.value);
    if (!colour)
        return true;
    for (Face* target : {face, view}) {
        target->coloured = true;
        target->colour = *colour;
        target->colourCode = colourCode(command.statement.value);
    }
    shadeFace(*view);
    return true;
}

bool vertexOfLoopFace(SpaceCommand& command)
{
    Face* face = command.loopFace(command.argument(0));
    if (!face)
        return false;
    long long index = command.integer(1);
    if (index >= 0 && static_cast<std::size_t>(index) < face->vertices.size())
        command.makePoint(face->vertices[static_cast<std::size_t>(index)]);
    return true;
}

// AddTo3DimSet(point) or (polygon): points already in the set are skipped.
void addToSetCommand(SpaceCommand& command)
{
    std::vector<LongTriple> candidates;
    if (std::optional<LongTriple> point = command.position(0)) {
        candidates.push_back(*point);
    } else if (std::optional<Face> face = command.polygonFace(0)) {
        candidates.assign(face->vertices.begin(), face->vertices.end());
    }
    std::vector<LongTriple>& set = command.scene.pointSet();
    for (const LongTriple& candidate : candidates) {
        bool present = std::any_of(set.begin(), set.end(), [&](const LongTriple& member) {
            return spaceEqual(member, candidate);
        });
        if (!present)
            set.push_back(candidate);
    }
}

void informationCommand(SpaceCommand& command)
{
    std::string text;
    if (PolyhedronRec* polyhedron = command.polyhedron(0)) {
        SolidCounts counts = countSolid(polyhedron->faces);
        long long euler = static_cast<long long>(counts.vertices) -
                          static_cast<long long>(counts.edges) +
                          static_cast<long long>(counts.faces);
        text = "Faces: " + std::to_string(counts.faces) +
               "\nEdges: " + std::to_string(counts.edges) +
               "\nVertices: " + std::to_string(counts.vertices) +
               "\nEuler characteristic: " + std::to_string(euler);
    } else if (std::optional<Face> face = command.polygonFace(0)) {
        PolyhedronRec single;
        single.faces.push_back(*face);
        text = "Vertices: " + std::to_string(countSolid(single.faces).vertices);
    } else {
        return;
    }
    command.context.state.host().message(N_("Information"), std::move(text), MessageButtons::Ok,
                                         MessageIcon::Information);
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"point", pointCommand},
    {"line3D", line3DCommand},
    {"plane", planeCommand},
    {"sphere", sphereCommand},
    {"polyhedron", polyhedronCommand},
    {"Center", centreCommand},
    {"PntSymm", pointSymmetryCommand},
    {"PtSymOfLine", pointSymmetryOfLineCommand},
    {"Perpendicular1Point", perpendicularOnePointCommand},
    {"Perpendicular2Points", perpendicularTwoPointsCommand},
    {"PointSymPolygon", pointSymmetricPolygonCommand},
    {"SymPolygon", planeSymmetricPolygonCommand},
    {"EquiPolygon", equiPolygonCommand},
    {"Symmetric", symmetricCommand},
    {"AddTo3DimSet", addToSetCommand},
    {"Information", informationCommand},
};

} // namespace

bool executeObjectCommand(SpaceCommand& command)
{
    const std::string& word = command.statement.word;
    if (word == "fill")
        return fillLoopFace(command);
    if (word == "vertex")
        return vertexOfLoopFace(command);
    for (const Entry& entry : kCommands) {
        if (entry.word == word) {
            entry.handler(command);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
