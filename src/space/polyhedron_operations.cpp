// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/polyhedron_operations.h"

#include "space/face_palette.h"
#include "space/space_intersections.h"
#include "space/vertex_index.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace kestrane {

namespace {

// At most this many classes of congruent faces get their own colour.
constexpr std::size_t kShapeClasses = 10;

double edgeLength(const LongTriple& a, const LongTriple& b)
{
    return toDouble(distance(a, b));
}

void setColourCode(Face& face, int code)
{
    face.colourCode = code;
    face.colour = faceColour(code);
    face.coloured = true;
}

LongTriple midpoint(const LongTriple& a, const LongTriple& b)
{
    return shrunk(plus(a, b), 2);
}

// Positive angles about an axis, measured from the first direction.
std::vector<double> anglesAbout(const DoubleTriple& axis,
                                const std::vector<DoubleTriple>& directions)
{
    auto dotOf = [](const DoubleTriple& a, const DoubleTriple& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    };
    double axisSquared = dotOf(axis, axis);
    auto flatten = [&](const DoubleTriple& d) {
        double along = axisSquared > 0 ? dotOf(d, axis) / axisSquared : 0;
        return DoubleTriple{d.x - along * axis.x, d.y - along * axis.y, d.z - along * axis.z};
    };
    DoubleTriple first = flatten(directions.front());
    DoubleTriple second{axis.y * first.z - axis.z * first.y, axis.z * first.x - axis.x * first.z,
                        axis.x * first.y - axis.y * first.x};
    std::vector<double> angles;
    for (const DoubleTriple& direction : directions) {
        DoubleTriple flat = flatten(direction);
        double angle = std::atan2(dotOf(flat, second), dotOf(flat, first));
        if (angle < 0)
            angle += 2 * std::numbers::pi;
        angles.push_back(angle);
    }
    angles.front() = 0;
    return angles;
}

} // namespace

bool facesAdjacent(const Face& first, const Face& second)
{
    for (std::size_t i = 0; i < first.cornerCount(); ++i) {
        for (std::size_t j = 0; j < second.cornerCount(); ++j) {
            const LongTriple& a = first.vertices[i];
            const LongTriple& b = first.vertices[i + 1];
            const LongTriple& c = second.vertices[j];
            const LongTriple& d = second.vertices[j + 1];
            if ((spaceEqual(a, c) && spaceEqual(b, d)) || (spaceEqual(a, d) && spaceEqual(b, c)))
                return true;
        }
    }
    return false;
}

bool congruentOneWay(const Face& first, const Face& second)
{
    if (first.cornerCount() != second.cornerCount())
        return false;
    std::vector<double> lengths;
    for (std::size_t j = 0; j < second.cornerCount(); ++j)
        lengths.push_back(edgeLength(second.vertices[j], second.vertices[j + 1]));
    for (std::size_t i = 0; i < first.cornerCount(); ++i) {
        double length = edgeLength(first.vertices[i], first.vertices[i + 1]);
        bool found = std::any_of(lengths.begin(), lengths.end(), [&](double other) {
            return std::fabs(length - other) <= kSpaceTolerance;
        });
        if (!found)
            return false;
    }
    return true;
}

bool congruent(const Face& first, const Face& second)
{
    return congruentOneWay(first, second) && congruentOneWay(second, first);
}

bool faceContains(const Face& inner, const Face& outer)
{
    for (std::size_t i = 0; i < inner.cornerCount(); ++i) {
        bool found = false;
        for (std::size_t j = 0; j < outer.cornerCount() && !found; ++j)
            found = spaceEqual(inner.vertices[i], outer.vertices[j]);
        if (!found)
            return false;
    }
    return true;
}

void colourByAdjacency(PolyhedronRec& polyhedron)
{
    VertexIndex index;
    std::vector<std::vector<int>> corners = faceVertexIds(polyhedron.faces, index);
    std::unordered_map<EdgeKey, std::vector<std::size_t>> facesOfEdge;
    std::vector<int> numbers(corners.size(), 0);
    for (std::size_t face = 0; face < corners.size(); ++face) {
        const std::vector<int>& ids = corners[face];
        std::vector<int> taken;
        std::vector<EdgeKey> keys;
        for (std::size_t corner = 0; corner < ids.size(); ++corner) {
            EdgeKey key = edgeKey(ids[corner], ids[(corner + 1) % ids.size()]);
            keys.push_back(key);
            auto found = facesOfEdge.find(key);
            if (found == facesOfEdge.end())
                continue;
            for (std::size_t earlier : found->second)
                taken.push_back(numbers[earlier]);
        }
        int number = 0;
        while (std::find(taken.begin(), taken.end(), number) != taken.end())
            ++number;
        numbers[face] = number;
        setColourCode(polyhedron.faces[face], kFirstFaceColour + number);
        for (EdgeKey key : keys)
            facesOfEdge[key].push_back(face);
    }
    polyhedron.refreshView();
}

void colourByShape(PolyhedronRec& polyhedron)
{
    std::vector<std::size_t> representatives;
    for (std::size_t face = 0; face < polyhedron.faces.size(); ++face) {
        Face& current = polyhedron.faces[face];
        auto match = std::find_if(representatives.begin(), representatives.end(),
                                  [&](std::size_t representative) {
                                      return congruent(current, polyhedron.faces[representative]);
                                  });
        if (match != representatives.end()) {
            setColourCode(current,
                          kFirstFaceColour + static_cast<int>(match - representatives.begin()));
        } else if (representatives.size() < kShapeClasses) {
            setColourCode(current, kFirstFaceColour + static_cast<int>(representatives.size()));
            representatives.push_back(face);
        }
    }
    polyhedron.refreshView();
}

void expand(PolyhedronRec& polyhedron, const LongNum& factor)
{
    LongTriple centre = polyhedron.makeCentre();
    for (Face& face : polyhedron.faces) {
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
            face.vertices[corner] =
                plus(centre, scaled(minus(face.vertices[corner], centre), factor));
        face.vertices.back() = face.vertices.front();
        face.centre.reset();
        face.makeCentre();
    }
    polyhedron.refreshView();
}

PolyhedronRec stellate(PolyhedronRec& polyhedron)
{
    LongTriple centre = polyhedron.makeCentre();
    PolyhedronRec stellated;
    for (const Face& face : polyhedron.faces) {
        if (face.cornerCount() < 3)
            continue;
        const LongTriple& v0 = face.vertices[0];
        const LongTriple& v1 = face.vertices[1];
        const LongTriple& v2 = face.vertices[2];
        LongNum radius = times(longOf(2), distance(v0, v1));
        std::optional<SpaceCircle> circle = intersectTwoSpheres(v0, radius, v1, radius);
        if (!circle)
            continue;
        std::optional<LongTriple> apex =
            intersectSphereCircle(v2, radius, *circle, SpaceSolution::First);
        PlaneFrame plane = planeThrough(v0, v1, v2);
        if (apex && toDouble(plane.signedValue(*apex)) * toDouble(plane.signedValue(centre)) > 0)
            apex = intersectSphereCircle(v2, radius, *circle, SpaceSolution::Second);
        if (!apex)
            continue;
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
            stellated.addFace(faceOf({*apex, face.vertices[corner], face.vertices[corner + 1]}));
    }
    stellated.centre = centreOfFaces(stellated.faces);
    colourByAdjacency(stellated);
    return stellated;
}

void truncateVertices(PolyhedronRec& polyhedron)
{
    if (polyhedron.faces.empty() || polyhedron.faces.front().cornerCount() < 2)
        return;
    const Face& firstFace = polyhedron.faces.front();
    LongTriple firstEdge = minus(firstFace.vertices[1], firstFace.vertices[0]);
    double reference = toDouble(dot(firstEdge, firstEdge));
    LongTriple centre = polyhedron.makeCentre();

    VertexIndex index;
    faceVertexIds(polyhedron.faces, index);
    std::vector<Face> faces;
    // 1. Each face shrinks to the polygon of its edge midpoints.
    for (const Face& face : polyhedron.faces) {
        std::vector<LongTriple> midpoints;
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
            midpoints.push_back(midpoint(face.vertices[corner], face.vertices[corner + 1]));
        faces.push_back(faceOf(std::move(midpoints)));
    }
    // 2. Each vertex becomes the polygon of the midpoints to its neighbours.
    for (std::size_t id = 0; id < index.size(); ++id) {
        const LongTriple& vertex = index.point(static_cast<int>(id));
        std::vector<LongTriple> neighbours;
        std::vector<DoubleTriple> directions;
        for (std::size_t other = 0; other < index.size(); ++other) {
            if (other == id)
                continue;
            LongTriple offset = minus(index.point(static_cast<int>(other)), vertex);
            if (std::fabs(toDouble(dot(offset, offset)) - reference) > kSpaceTolerance)
                continue;
            neighbours.push_back(index.point(static_cast<int>(other)));
            directions.push_back(toDoubles(offset));
        }
        if (neighbours.size() < 3)
            continue;
        std::vector<double> angles = anglesAbout(toDoubles(minus(vertex, centre)), directions);
        std::vector<std::size_t> order(neighbours.size());
        for (std::size_t k = 0; k < order.size(); ++k)
            order[k] = k;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
        std::vector<LongTriple> midpoints;
        for (std::size_t k : order)
            midpoints.push_back(midpoint(vertex, neighbours[k]));
        faces.push_back(faceOf(std::move(midpoints)));
    }
    polyhedron.faces = std::move(faces);
    colourByAdjacency(polyhedron);
}

std::optional<Face> crossSection(const std::vector<Face>& faces, const PlaneFrame& plane)
{
    // Values this close to zero put a vertex on the plane.
    constexpr double kOnPlane = 1e-9;
    DoubleTriple normal = toDoubles(plane.normal());
    double offset = toDouble(plane.d);
    auto side = [&](const LongTriple& point) {
        DoubleTriple p = toDoubles(point);
        double value = normal.x * p.x + normal.y * p.y + normal.z * p.z - offset;
        return std::fabs(value) <= kOnPlane ? 0.0 : value;
    };
    VertexIndex merged;
    std::vector<LongTriple> points;
    auto add = [&](const LongTriple& point) {
        if (static_cast<std::size_t>(merged.idOf(point)) == points.size())
            points.push_back(point);
    };
    for (const Face& face : faces) {
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
            const LongTriple& a = face.vertices[corner];
            const LongTriple& b = face.vertices[corner + 1];
            double sideA = side(a);
            double sideB = side(b);
            if (sideA == 0)
                add(a);
            if (sideA * sideB < 0) {
                LongNum valueA = plane.signedValue(a);
                LongNum t = divided(valueA, minus(valueA, plane.signedValue(b)));
                add(plus(a, scaled(minus(b, a), t)));
            }
        }
    }
    if (points.size() < 3)
        return {};
    std::vector<DoubleTriple> flat;
    double cs = 0;
    double ct = 0;
    for (const LongTriple& point : points) {
        flat.push_back(toDoubles(plane.inPlane(point)));
        cs += flat.back().x;
        ct += flat.back().y;
    }
    cs /= static_cast<double>(points.size());
    ct /= static_cast<double>(points.size());
    std::vector<double> angles;
    for (const DoubleTriple& point : flat) {
        double angle = std::atan2(point.y - ct, point.x - cs);
        angles.push_back(angle <= -std::numbers::pi ? std::numbers::pi : angle);
    }
    std::vector<std::size_t> order(points.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
    std::vector<LongTriple> corners;
    for (std::size_t k : order)
        corners.push_back(points[k]);
    return faceOf(std::move(corners));
}

} // namespace kestrane
