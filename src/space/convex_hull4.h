// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/four_d_objects.h"

#include <memory>
#include <optional>
#include <vector>

namespace kestrane {

// The set of AddTo4DimSet holds at most this many points.
inline constexpr std::size_t kMostSetPoints = 1000;

// The cells of the four-dimensional convex hull of the points. Which side of
// a hyperplane a point lies on is decided exactly, so the cells always close
// up (V − E + F − C = 0) and hold every point. Corners within a millionth of
// the set's extent of a cell's hyperplane count as lying in it; the faces
// of a cell are the polygons it shares with its neighbours, with their
// corners in turn. Points inside or on the hull but not at a corner are
// left out. Nothing when the points do not span four dimensions.
std::optional<std::vector<std::unique_ptr<CellRec>>> hullCells(const std::vector<Long4>& points);

} // namespace kestrane
