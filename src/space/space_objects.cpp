// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_objects.h"

#include "space/space_view.h"

#include <algorithm>

namespace kestrane {

LongNum PlaneFrame::signedValue(const LongTriple& point) const
{
    return minus(dot(normal(), point), d);
}

LongTriple PlaneFrame::inPlane(const LongTriple& point) const
{
    LongTriple offset = minus(point, origin);
    return {dot(u, offset), dot(v, offset), LongNum()};
}

LongTriple PlaneFrame::fromPlane(const LongNum& s, const LongNum& t) const
{
    return plus(origin, plus(scaled(u, s), scaled(v, t)));
}

namespace {

// Fills the frame from a unit normal and D.
PlaneFrame frameOf(const LongTriple& unitNormal, const LongNum& d)
{
    PlaneFrame frame{unitNormal.x, unitNormal.y, unitNormal.z, d, {}, {}, {}};
    LongTriple u{negated(frame.b), frame.a, LongNum()};
    if (LongIsZero(u.x) && LongIsZero(u.y)) {
        // Perpendicular to the z axis: the frame of the drawing.
        frame.u = LongTriple::ofIntegers(1, 0, 0);
        frame.v = LongTriple::ofIntegers(0, 1, 0);
    } else {
        frame.u = normalised(u);
        LongTriple v{negated(times(frame.a, frame.c)), negated(times(frame.b, frame.c)),
                     plus(times(frame.a, frame.a), times(frame.b, frame.b))};
        frame.v = normalised(v);
    }
    frame.origin = scaled(unitNormal, d);
    return frame;
}

} // namespace

PlaneFrame planeThrough(const LongTriple& p1, const LongTriple& p2, const LongTriple& p3)
{
    LongTriple normal = cross(minus(p2, p1), minus(p3, p1));
    LongNum size = length(normal);
    LongTriple unit = shrunk(normal, size);
    return frameOf(unit, dot(unit, p1));
}

PlaneFrame planeWithNormal(const LongTriple& point, const LongTriple& normal)
{
    LongTriple unit = shrunk(normal, length(normal));
    return frameOf(unit, dot(unit, point));
}

const LongTriple& Face::makeCentre()
{
    if (!centre)
        centre = centreOf(*this);
    return *centre;
}

Face faceOf(std::vector<LongTriple> corners)
{
    Face face;
    face.vertices = std::move(corners);
    if (!face.vertices.empty())
        face.vertices.push_back(face.vertices.front());
    return face;
}

std::size_t distinctCornerCount(const Face& face)
{
    std::vector<const LongTriple*> distinct;
    for (std::size_t index = 0; index < face.cornerCount(); ++index) {
        const LongTriple& corner = face.vertices[index];
        if (std::none_of(distinct.begin(), distinct.end(),
                         [&](const LongTriple* other) { return spaceEqual(*other, corner); }))
            distinct.push_back(&corner);
    }
    return distinct.size();
}

std::string notAFaceMessage(std::string_view polygon, std::string_view command)
{
    return "Polygon " + std::string(polygon) +
           " has fewer than three different vertices and cannot be a face. Command '" +
           std::string(command) + "' leaves it out.";
}

LongTriple centreOf(const Face& face)
{
    std::size_t count = face.cornerCount();
    LongTriple sum;
    if (count == 0)
        return sum;
    for (std::size_t index = 0; index < count; ++index)
        sum = plus(sum, face.vertices[index]);
    return shrunk(sum, static_cast<std::int64_t>(count));
}

void PolyhedronRec::addFace(Face face)
{
    faces.push_back(std::move(face));
    viewFaces.push_back(viewOfFace(*this, faces.back()));
}

LongTriple centreOfFaces(std::vector<Face>& faces)
{
    LongTriple sum;
    if (faces.empty())
        return sum;
    for (Face& face : faces)
        sum = plus(sum, face.makeCentre());
    return shrunk(sum, static_cast<std::int64_t>(faces.size()));
}

const LongTriple& PolyhedronRec::makeCentre()
{
    if (!centre)
        centre = centreOfFaces(faces);
    return *centre;
}

void PolyhedronRec::refreshView()
{
    updateView(*this);
}

} // namespace kestrane
