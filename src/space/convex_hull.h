// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <optional>
#include <vector>

namespace kestrane {

// The convex hull of a set of points as faces. Which side of a plane a point
// lies on is decided exactly, so the faces always close up (V − E + F = 2)
// and hold every point. Corners within a millionth of the set's extent of a
// face's plane count as lying in it, so coplanar points make one face;
// points inside or on the hull that are not corners (on an edge, inside a
// face) are left out. Each face's corners turn positively about its outward
// normal. None when the points do not span space (fewer than four, or all
// within that tolerance of one plane).
std::optional<std::vector<Face>> convexHull(const std::vector<LongTriple>& points);

} // namespace kestrane
