// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/depth_order.h"
#include "space/space_objects.h"

#include <array>

namespace kestrane {

class Canvas;
class SpaceScene;

// The space view: each polyhedron turned about its centre by its three
// angles (about x, then y, then z), projected straight onto the window (x
// and y are window pixels, z is depth), shaded by the slant of each face and
// drawn front faces last. All of it is single precision; the model faces are
// never turned, so turning does not wear them.

// π as the view turns with it.
inline constexpr float kViewPi = 3.1415927f;

// The point turned about `centre` by whole degrees about the x, y and z axes
// in that order. A zero angle leaves its axis alone.
FloatPoint rotatedPoint(const FloatPoint& point, const FloatPoint& centre,
                        const std::array<int, 3>& angles);

// The centre the view turns about: the polyhedron's centre, or while it has
// none yet the mean of its faces' centres in floats.
FloatPoint viewCentre(const PolyhedronRec& polyhedron);

// The view copy of one model face at the polyhedron's angles: its vertices
// turned (and written back into their long numbers), the plane of its first
// three vertices, its centroid on the window and its shaded colour. With all
// angles zero the vertices stay the model's, exactly.
Face viewOfFace(const PolyhedronRec& polyhedron, const Face& model);

// Makes every view face again from its model face.
void updateView(PolyhedronRec& polyhedron);

// Each 8-bit component k of the base colour becomes trunc((k + 3 k s) / 4)
// with s = sqrt|nz|: a face turned to the viewer keeps its colour, one seen
// edge-on has a quarter of it.
ColorRef shadedColour(ColorRef base, float nz);
// The shaded colour of the face again, after its base colour changed.
void shadeFace(Face& view);

// Where the face looks, seen from the centre: 1 a front face, 0 edge-on, -1
// a back face.
int visibility(const Face& view, const FloatPoint& centre);

// One view face as the window draws it: nothing unless visible; the brush
// takes the shaded colour when the face is coloured; filled when its base
// colour is not white, else outlined.
void paintViewFace(Canvas& canvas, const Face& view);

// A piece of a view face in the depth order: the whole face as
// paintViewFace paints it, or a part filled in the face's colour with only
// the face's own edges outlined.
void paintFacePiece(Canvas& canvas, const Face& view, const FacePiece& piece);

// The polyhedron: its cross-section first. When no two front faces overlap
// on the window (a convex solid), every face that is not edge-on (front and
// back) in face order, then the front faces again over them. Otherwise the
// back faces, then the front faces nearest last, cut where they pass through
// each other or overlap in a cycle.
void paintPolyhedron(Canvas& canvas, const PolyhedronRec& polyhedron);

// The other space objects over the polyhedron, unturned: circles in space as
// their projected ellipses, spheres as their outline circles and lines in
// space as the part of their projection inside the drawing area. Planes are
// not drawn.
void paintSpaceObjects(Canvas& canvas, const SpaceScene& scene);

} // namespace kestrane
