// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/plane_records.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "space/convex_hull4.h"
#include "space/four_d_command.h"
#include "space/polytope_algorithms.h"

#include <algorithm>

namespace kestrane {

namespace {

using Handler = void (*)(FourDCommand&);

std::string outOfRange(long long number, std::string_view command)
{
    return "Number " + std::to_string(number) + " is out of range in command '" +
           std::string(command) + "'.";
}

// Whole or decimal coordinates, every digit kept.
void pointCommand(FourDCommand& command)
{
    command.makePoint({numberArgument(command.argument(0)), numberArgument(command.argument(1)),
                       numberArgument(command.argument(2)), numberArgument(command.argument(3))});
}

std::optional<Face4> faceOfPoints(FourDCommand& command, std::size_t first)
{
    std::vector<Long4> corners;
    for (std::size_t index = first; index < command.arguments.size(); ++index) {
        std::optional<Long4> corner = command.position(index);
        if (!corner)
            return {};
        corners.push_back(*corner);
    }
    if (corners.empty())
        return {};
    return face4Of(std::move(corners));
}

void polygonCommand(FourDCommand& command)
{
    if (std::optional<Face4> face = faceOfPoints(command, 0)) {
        auto polygon = std::make_unique<Polygon4Rec>();
        polygon->face = std::move(*face);
        command.named(std::move(polygon));
    }
}

// An empty cell; a point argument gives its centre.
void polyhedronCommand(FourDCommand& command)
{
    auto cell = std::make_unique<CellRec>();
    if (std::optional<Long4> centre = command.position(0))
        cell->centre = *centre;
    command.named(std::move(cell));
}

void addFacesCommand(FourDCommand& command)
{
    CellRec* cell = command.cell(0);
    if (!cell)
        return;
    for (std::size_t index = 1; index < command.arguments.size(); ++index) {
        const Polygon4Rec* polygon = command.polygon(index);
        if (!polygon)
            continue;
        if (distinctCornerCount(polygon->face) < 3)
            command.runTimeError(notAFaceMessage(command.argument(index), command.statement.word));
        else
            cell->faces.push_back(polygon->face);
    }
}

void polytopeCommand(FourDCommand& command)
{
    auto polytope = std::make_unique<PolytopeRec>();
    if (std::optional<Long4> centre = command.position(0)) {
        polytope->centre = *centre;
    } else if (CellRec* cell = command.cell(0)) {
        polytope->cells.push_back(cell);
        polytope->centre = cell->makeCentre();
    } else {
        return;
    }
    command.named(std::move(polytope));
}

void addCellCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    CellRec* cell = command.cell(1);
    if (polytope && cell)
        polytope->cells.push_back(cell);
}

// The number of an item of a list of `size`, or the out-of-range message.
std::optional<std::size_t> numberIn(FourDCommand& command, std::size_t size)
{
    long long number = command.integer(1);
    if (number < 0 || static_cast<unsigned long long>(number) >= size) {
        command.runTimeError(outOfRange(number, command.statement.word));
        return {};
    }
    return static_cast<std::size_t>(number);
}

void cellCommand(FourDCommand& command)
{
    PolytopeRec* polytope = command.polytope(0);
    if (!polytope)
        return;
    if (std::optional<std::size_t> number = numberIn(command, polytope->cells.size())) {
        const CellRec& original = *polytope->cells[*number];
        auto copy = std::make_unique<CellRec>();
        copy->faces = original.faces;
        copy->centre = original.centre;
        copy->completed = original.completed;
        command.named(std::move(copy));
    }
}

void faceCommand(FourDCommand& command)
{
    CellRec* cell = command.cell(0);
    if (!cell)
        return;
    if (std::optional<std::size_t> number = numberIn(command, cell->faces.size())) {
        auto polygon = std::make_unique<Polygon4Rec>();
        polygon->face = cell->faces[*number];
        command.named(std::move(polygon));
    }
}

void vertexOfCellCommand(FourDCommand& command)
{
    CellRec* cell = command.cell(0);
    if (!cell)
        return;
    std::vector<Long4> vertices = cell->vertices();
    if (std::optional<std::size_t> number = numberIn(command, vertices.size()))
        command.makePoint(vertices[*number]);
}

void addPlane(FourDCommand& command, const Hyperplane& plane)
{
    auto record = std::make_unique<Plane4Rec>();
    record->plane = plane;
    command.named(std::move(record));
}

// Through four points, or a x + b y + c z + d w = e from five integers.
void planeCommand(FourDCommand& command)
{
    if (command.arguments.size() == 5 && command.isInteger(0)) {
        Long4 normal = Long4::ofIntegers(command.integer(0), command.integer(1),
                                         command.integer(2), command.integer(3));
        if (isZero(normal)) {
            command.runTimeError(N_("The normal of a hyperplane may not be zero."));
            return;
        }
        LongNum size = length(normal);
        addPlane(command, {shrunk(normal, size), divided(longOf(command.integer(4)), size)});
        return;
    }
    std::optional<Long4> p1 = command.position(0);
    std::optional<Long4> p2 = command.position(1);
    std::optional<Long4> p3 = command.position(2);
    std::optional<Long4> p4 = command.position(3);
    if (!p1 || !p2 || !p3 || !p4)
        return;
    std::optional<Hyperplane> plane =
        hyperplaneThrough(*p1, minus(*p2, *p1), minus(*p3, *p1), minus(*p4, *p1));
    if (!plane) {
        command.runTimeError(N_("The points do not determine a hyperplane. No plane is made."));
        return;
    }
    addPlane(command, *plane);
}

void sphereCommand(FourDCommand& command)
{
    std::optional<Long4> centre = command.position(0);
    if (!centre)
        return;
    auto sphere = std::make_unique<Sphere4Rec>();
    sphere->centre = *centre;
    if (std::optional<Long4> through = command.position(1)) {
        sphere->radius = length(minus(*through, *centre));
    } else if (const DistanceRec* radius = findDistance(command.context, command.argument(1))) {
        sphere->radius = radius->value;
    } else if (command.isInteger(1)) {
        sphere->radius = longOf(command.integer(1));
    } else {
        return;
    }
    command.named(std::move(sphere));
}

void solveAndMake(FourDCommand& command, const std::array<LinearRow4, 4>& rows)
{
    if (std::optional<Long4> solution = solveLinear4(rows))
        command.makePoint(*solution);
    else
        command.cannotSolve();
}

void intersectPlanesCommand(FourDCommand& command)
{
    std::array<LinearRow4, 4> rows;
    for (std::size_t index = 0; index < 4; ++index) {
        const Plane4Rec* plane = command.plane(index);
        if (!plane)
            return;
        const Long4& n = plane->plane.normal;
        rows[index] = {{n.x, n.y, n.z, n.w}, plane->plane.e};
    }
    solveAndMake(command, rows);
}

// The row 2(b − a)·x = |b|² − |a|² + extra.
LinearRow4 bisectorRow(const Long4& a, const Long4& b, const LongNum& extra)
{
    Long4 twice = minus(b, a);
    twice = plus(twice, twice);
    return {{twice.x, twice.y, twice.z, twice.w},
            plus(minus(dot(b, b), dot(a, a)), extra)};
}

void centreOfFivePointsCommand(FourDCommand& command)
{
    std::array<Long4, 5> points;
    for (std::size_t index = 0; index < 5; ++index) {
        std::optional<Long4> point = command.position(index);
        if (!point)
            return;
        points[index] = *point;
    }
    std::array<LinearRow4, 4> rows;
    for (std::size_t index = 0; index < 4; ++index)
        rows[index] = bisectorRow(points[0], points[index + 1], LongNum());
    solveAndMake(command, rows);
}

void intersectSpheresCommand(FourDCommand& command)
{
    std::array<const Sphere4Rec*, 4> spheres{};
    for (std::size_t index = 0; index < 4; ++index) {
        spheres[index] = command.sphere(index);
        if (!spheres[index])
            return;
    }
    const Long4& c1 = spheres[0]->centre;
    const LongNum r1Squared = times(spheres[0]->radius, spheres[0]->radius);
    std::array<LinearRow4, 4> rows;
    for (std::size_t index = 1; index < 4; ++index) {
        LongNum radii = minus(r1Squared, times(spheres[index]->radius, spheres[index]->radius));
        rows[index - 1] = bisectorRow(c1, spheres[index]->centre, radii);
    }
    Long4 n = cross(minus(spheres[1]->centre, c1), minus(spheres[2]->centre, c1),
                    minus(spheres[3]->centre, c1));
    n = normalised(n);
    rows[3] = {{n.x, n.y, n.z, n.w}, dot(n, c1)};
    std::optional<Long4> foot = solveLinear4(rows);
    if (!foot) {
        command.cannotSolve();
        return;
    }
    Long4 offset = minus(*foot, c1);
    LongNum radicand = minus(r1Squared, dot(offset, offset));
    if (radicand.isNegative())
        return;
    Long4 along = scaled(n, squareRoot(radicand));
    command.makePoint(command.integer(4) == 2 ? minus(*foot, along) : plus(*foot, along));
}

void perpendicularHyperplaneCommand(FourDCommand& command)
{
    std::optional<Long4> p = command.position(0);
    std::optional<Long4> q = command.position(1);
    if (!p || !q)
        return;
    Long4 normal = normalised(minus(*q, *p));
    if (isZero(normal)) {
        command.runTimeError(N_("The points are equal. No plane is made."));
        return;
    }
    addPlane(command, {normal, dot(normal, *q)});
}

void pointSymmetryCommand(FourDCommand& command)
{
    std::optional<Long4> point = command.position(0);
    std::optional<Long4> centre = command.position(1);
    if (point && centre)
        command.makePoint(minus(plus(*centre, *centre), *point));
}

void centreCommand(FourDCommand& command)
{
    if (CellRec* cell = command.cell(0)) {
        if (command.arguments.size() > 1) {
            if (std::optional<std::size_t> number = numberIn(command, cell->faces.size()))
                command.makePoint(centreOf(cell->faces[*number]));
            return;
        }
        command.makePoint(cell->makeCentre());
    } else if (const Polygon4Rec* polygon = command.polygon(0)) {
        command.makePoint(centreOf(polygon->face));
    } else if (PolytopeRec* polytope = command.polytope(0)) {
        command.makePoint(polytope->makeCentre());
    } else if (PolyhedronRec* polyhedron = command.polyhedron(0)) {
        const LongTriple& centre = polyhedron->makeCentre();
        command.makePoint({centre.x, centre.y, centre.z, LongNum()});
    }
}

void addToSet(std::vector<Long4>& set, const Long4& point)
{
    if (set.size() < kMostSetPoints && std::none_of(set.begin(), set.end(),
                     [&](const Long4& member) { return fourEqual(member, point); }))
        set.push_back(point);
}

void addToSetCommand(FourDCommand& command)
{
    std::vector<Long4>& set = command.scene.pointSet();
    if (std::optional<Long4> point = command.position(0)) {
        addToSet(set, *point);
    } else if (const CellRec* cell = command.cell(0)) {
        for (const Long4& vertex : cell->vertices())
            addToSet(set, vertex);
    } else if (const PolyhedronRec* polyhedron = command.polyhedron(0)) {
        for (const Face& face : polyhedron->faces) {
            for (const LongTriple& vertex : face.vertices)
                addToSet(set, {vertex.x, vertex.y, vertex.z, LongNum()});
        }
    }
}

std::string countsText(const PolytopeCounts& counts, bool withCells)
{
    long long euler = static_cast<long long>(counts.vertices) -
                      static_cast<long long>(counts.edges) +
                      static_cast<long long>(counts.faces) -
                      (withCells ? static_cast<long long>(counts.cells) : 0);
    std::string text = withCells ? "Cells: " + std::to_string(counts.cells) + "\n" : "";
    return text + "Faces: " + std::to_string(counts.faces) +
           "\nEdges: " + std::to_string(counts.edges) +
           "\nVertices: " + std::to_string(counts.vertices) +
           "\nEuler characteristic: " + std::to_string(euler);
}

// Polytopes, cells, four-dimensional polygons and points (the label and the
// coordinates); polyhedra and plane polygons are left to the space commands.
bool informationCommand(FourDCommand& command)
{
    std::string text;
    if (PolytopeRec* polytope = command.polytope(0)) {
        std::vector<const CellRec*> cells(polytope->cells.begin(), polytope->cells.end());
        text = countsText(countPolytope(cells), true);
    } else if (const CellRec* cell = command.cell(0)) {
        text = countsText(countPolytope({cell}), false);
    } else if (const Polygon4Rec* polygon = command.polygon(0)) {
        CellRec single;
        single.faces.push_back(polygon->face);
        text = "Vertices: " + std::to_string(single.vertices().size());
    } else if (const Point4Rec* point = command.point(0)) {
        const Long4& p = point->position;
        text = "Point " + point->label + "\nx: " + LongToDecimal(p.x) + "\ny: " +
               LongToDecimal(p.y) + "\nz: " + LongToDecimal(p.z) + "\nw: " + LongToDecimal(p.w);
    } else {
        return false;
    }
    command.context.state.host().message(N_("Information"), std::move(text), MessageButtons::Ok,
                                         MessageIcon::Information);
    return true;
}

// vertex(p, n) of a four-dimensional polygon: entry n from 0.
bool vertexOfPolygonCommand(FourDCommand& command)
{
    const Polygon4Rec* polygon = command.polygon(0);
    if (!polygon)
        return false;
    long long index = command.integer(1);
    if (index >= 0 && static_cast<std::size_t>(index) < polygon->face.vertices.size())
        command.makePoint(polygon->face.vertices[static_cast<std::size_t>(index)]);
    return true;
}

struct Entry {
    std::string_view word;
    Handler handler;
};

constexpr Entry kCommands[] = {
    {"point", pointCommand},
    {"polygon", polygonCommand},
    {"polyhedron", polyhedronCommand},
    {"AddFaces", addFacesCommand},
    {"polytope", polytopeCommand},
    {"AddCell", addCellCommand},
    {"Cell", cellCommand},
    {"Face", faceCommand},
    {"PtOfPolyh", vertexOfCellCommand},
    {"plane", planeCommand},
    {"sphere", sphereCommand},
    {"Inters4Planes", intersectPlanesCommand},
    {"Center5Pts", centreOfFivePointsCommand},
    {"IntersOf4Spheres", intersectSpheresCommand},
    {"Perp3Dplane", perpendicularHyperplaneCommand},
    {"PntSymm", pointSymmetryCommand},
    {"Center", centreCommand},
    {"AddTo4DimSet", addToSetCommand},
};

} // namespace

bool executeFourDObjectCommand(FourDCommand& command)
{
    const std::string& word = command.statement.word;
    if (word == "Information")
        return informationCommand(command);
    if (word == "vertex")
        return vertexOfPolygonCommand(command);
    for (const Entry& entry : kCommands) {
        if (entry.word == word) {
            entry.handler(command);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
