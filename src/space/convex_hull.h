// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <optional>
#include <vector>

namespace kestrane {

// The convex hull of a set of points as faces: one face per plane of the
// hull (the points within 0.01 of it), its corners those of the plane's
// points that are corners of their two-dimensional hull, ordered positively
// about the outward normal. None when the points do not span space (all
// within 0.01 of one plane, or fewer than four).
std::optional<std::vector<Face>> convexHull(const std::vector<LongTriple>& points);

} // namespace kestrane
