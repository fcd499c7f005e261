// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/geo_object.h"
#include "space/space_math.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// A plane A x + B y + C z = D with (A, B, C) a unit vector, so D is its
// signed distance from the origin, and its in-plane frame: unit vectors u
// and v and the origin O = D·(A, B, C).
struct PlaneFrame {
    LongNum a;
    LongNum b;
    LongNum c;
    LongNum d;
    LongTriple u;
    LongTriple v;
    LongTriple origin;

    LongTriple normal() const { return {a, b, c}; }
    // A x + B y + C z − D: the signed distance of the point.
    LongNum signedValue(const LongTriple& point) const;
    // (u·(P − O), v·(P − O)) as (x, y) with z = 0.
    LongTriple inPlane(const LongTriple& point) const;
    // O + s u + t v.
    LongTriple fromPlane(const LongNum& s, const LongNum& t) const;
};

// The plane through three points (the normal is (P2 − P1) × (P3 − P1)).
// Collinear points give the zero normal; the division reports it.
PlaneFrame planeThrough(const LongTriple& p1, const LongTriple& p2, const LongTriple& p3);
// The plane through a point with the given normal.
PlaneFrame planeWithNormal(const LongTriple& point, const LongTriple& normal);

struct PlaneRec : GeoObject {
    PlaneFrame frame;
    // The defining points, when the plane was made from three points.
    std::optional<std::array<LongTriple, 3>> through;
};

// A line in space: its two defining points, a point on it (the first) and
// its direction (second − first).
struct Line3DRec : GeoObject {
    LongTriple first;
    LongTriple second;
    LongTriple base;
    LongTriple direction;
};

struct SphereRec : GeoObject {
    LongTriple centre;
    // The point on the sphere it was made from, when made from two points.
    std::optional<LongTriple> through;
    LongNum radius;
};

// A circle in space: its plane (the unit normal is its axis), centre and
// radius.
struct SpaceCircle {
    PlaneFrame frame;
    LongTriple centre;
    LongNum radius;
};

struct SpaceCircleRec : GeoObject {
    SpaceCircle circle;
};

// A closed polygon of space points, the first vertex repeated at the end (a
// triangle stores four entries).
struct Face {
    std::vector<LongTriple> vertices;
    // The mean of the distinct vertices, made on demand.
    std::optional<LongTriple> centre;
    // The colour code of the construction language (face colours start at
    // 303) and the colour value given with it.
    int colourCode = 0;
    ColorRef colour = kWhite;
    bool coloured = false;
    bool visible = true;
    // Set for faces treated as symmetric by the builders.
    bool built = false;
    // The template face it was built from; −1 when none.
    int templateIndex = -1;

    // The view of a view face (space_view.h): the window position and depth
    // of each entry, the unit normal and offset of its plane, its centroid on
    // the window and the colour shaded by its slant. Empty on model faces.
    std::vector<FloatPoint> points;
    FloatPoint normal;
    float offset = 0;
    float centroidX = 0;
    float centroidY = 0;
    ColorRef shadedColour = kWhite;

    // Vertices without the repeated closing entry.
    std::size_t cornerCount() const { return vertices.empty() ? 0 : vertices.size() - 1; }
    const LongTriple& makeCentre();
};

// A face from its distinct corners (the closing entry is added).
Face faceOf(std::vector<LongTriple> corners);
// The corners that differ under the tolerant equality of points: a face
// needs at least three.
std::size_t distinctCornerCount(const Face& face);
// The run-time message of a command that refuses such a polygon as a face.
std::string notAFaceMessage(std::string_view polygon, std::string_view command);
// The mean of the distinct vertices in long numbers.
LongTriple centreOf(const Face& face);

// A solid made of faces. It is found by its name alone, whatever the scope;
// the last polyhedron carrying the name wins.
struct PolyhedronRec : GeoObject {
    std::vector<Face> faces;
    // The faces as shown: copies of the model faces in the same order.
    std::vector<Face> viewFaces;
    std::optional<LongTriple> centre;
    // Rotation angles in whole degrees about the x, y and z axes, and the
    // animation steps per tick.
    std::array<int, 3> angles{};
    bool animated = false;
    std::array<int, 3> steps{};
    // The cross-section kept with the polyhedron, with the plane it lies in.
    std::optional<Face> section;
    std::optional<PlaneFrame> sectionPlane;
    // How many of the faces, from the first, the builders' edge set holds.
    std::size_t facesEntered = 0;

    void addFace(Face face);
    // Makes the centre from the faces' centres when there is none.
    const LongTriple& makeCentre();
    // The view faces made again from the model faces at the current angles
    // (space_view.h).
    void refreshView();
};

// The mean of the faces' centres (each made when missing).
LongTriple centreOfFaces(std::vector<Face>& faces);

} // namespace kestrane
