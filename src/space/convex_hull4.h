// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/four_d_objects.h"

#include <memory>
#include <optional>
#include <vector>

namespace kestrane {

// The set of AddTo4DimSet holds at most this many points.
inline constexpr std::size_t kMostSetPoints = 1000;

// The cells of the four-dimensional convex hull of the points: facets on
// one hyperplane make one cell, and the faces of a cell are its boundary
// polygons with their corners in turn. Points inside or on the hull but not
// at a corner are left out. Nothing when the points do not span four
// dimensions.
std::optional<std::vector<std::unique_ptr<CellRec>>> hullCells(const std::vector<Long4>& points);

} // namespace kestrane
