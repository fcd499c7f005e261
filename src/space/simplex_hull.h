// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/hull_points.h"

#include <array>
#include <optional>
#include <vector>

namespace kestrane {

// A closed hull made of simplices (triangles in 3 dimensions, tetrahedra in
// 4). Each facet's corners are ordered so that the hull lies on the negative
// side of its orientation; neighbours[f][i] is the facet across the ridge
// that leaves out corners[f][i].
template<int D>
struct SimplexHull {
    std::vector<std::array<int, D>> corners;
    std::vector<std::array<int, D>> neighbours;
};

// The hull of the points. Which side of a facet a point lies on is decided
// exactly (in doubles when their error bound allows, else in exact
// integers), so the facets always close up and hold every point. Points
// inside or on the hull are left out. Nothing when all points lie within
// `flatness` of one hyperplane.
template<int D>
std::optional<SimplexHull<D>> simplexHull(const HullPoints<D>& points, double flatness);

// The facets joined into flat pieces (the faces of a solid, the cells of a
// polytope): each piece grows from its largest facet over neighbours whose
// corners lie within `tolerance` of the largest one's hyperplane and that
// face the same way. The piece number of each facet; pieces are numbered in
// the order they are grown.
template<int D>
std::vector<int> flatPieces(const HullPoints<D>& points, const SimplexHull<D>& hull,
                            double tolerance);

// Drops corners that lie on a straight edge: a point that is within
// `tolerance` of the segment between its two neighbours in every loop it
// stands in, with the same two neighbours everywhere, is left out of all of
// them (so the solid stays closed). Loops keep at least three corners.
template<int D>
void dropStraightCorners(const HullPoints<D>& points, std::vector<std::vector<int>>& loops,
                         double tolerance);

// The boundary of a set of triangles (given by their corners) as one loop
// of corners, the edges used by one triangle only; nothing when the
// boundary is not a single simple loop.
std::optional<std::vector<int>> boundaryLoop(const std::vector<std::array<int, 3>>& triangles);

// The relative tolerance of the hulls: corners closer than this share of
// the set's extent to a face's plane count as lying in it.
inline constexpr double kHullTolerance = 1e-6;

} // namespace kestrane
