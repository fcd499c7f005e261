// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <optional>

namespace kestrane {

// Two faces share an edge (tolerant end points, either direction).
bool facesAdjacent(const Face& first, const Face& second);
// Same vertex count, and every edge length of the first equals (within 0.1)
// some edge length of the second; `congruent` asks it both ways.
bool congruentOneWay(const Face& first, const Face& second);
bool congruent(const Face& first, const Face& second);
// Every vertex of the first equals some vertex of the second.
bool faceContains(const Face& inner, const Face& outer);

// Colours the faces in order with the smallest colour number (code 303 + k)
// that no earlier adjacent face has; the view faces follow.
void colourByAdjacency(PolyhedronRec& polyhedron);
// Colours congruent faces alike: at most ten classes in face order, faces
// of further shapes keep their colour.
void colourByShape(PolyhedronRec& polyhedron);

// Scales every vertex about the centre (made when missing) by the factor;
// the face centres are made again.
void expand(PolyhedronRec& polyhedron, const LongNum& factor);

// A pyramid on every face: the apex is the meeting point of three spheres
// of radius twice the face's first edge around its first three vertices, on
// the side away from the centre. The result has its centre and colouring.
PolyhedronRec stellate(PolyhedronRec& polyhedron);

// Cuts off the vertices: each face becomes the polygon of its edge
// midpoints, and each vertex the polygon of the midpoints of its edges to
// the neighbours at the length of the first edge, ordered positively about
// the axis from the centre through the vertex; then the colouring.
void truncateVertices(PolyhedronRec& polyhedron);

// The section by a plane: the cut points of the edges (long numbers),
// merged within the tolerance and ordered by angle about their centre in the
// plane's frame from the smallest angle in (−π, π]. None for fewer than
// three points.
std::optional<Face> crossSection(const std::vector<Face>& faces, const PlaneFrame& plane);

} // namespace kestrane
