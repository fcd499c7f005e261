// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/float_point.h"

#include <optional>

namespace kestrane {

// The drawing area of the construction window in model units (pixels).
inline constexpr int kDrawingWidth = 800;
inline constexpr int kDrawingHeight = 550;

// The kinds of straight object; the numbers are the kind codes that the
// intersection of two straight objects takes.
enum class StraightKind { Segment = 0, Line = 1, HalfLine = 3 };

// The part of a straight object that is drawn: one stroke from (xa, ya) to
// (xb, yb) in model coordinates.
struct DrawnPiece {
    float xa = 0;
    float ya = 0;
    float xb = 0;
    float yb = 0;
};

// A point is out of view when it lies left of or above the area, or at or
// beyond its right or bottom edge (x − viewX ≥ 800 is out; 799.5 is in).
bool pointOutOfView(const FloatPoint& point, int viewX, int viewY);

// A circle is out of view when its bounding square misses the area.
bool circleOutOfView(const FloatPoint& centre, float radius, int viewX, int viewY);

// The drawn piece of a straight object through first and second, clipped to
// the area shown at the given view offsets:
// - a line with equal x is drawn over the full height, a line with equal y
//   from the area's second pixel column to its right edge, any other line as
//   the part of it inside the area;
// - a half-line from its first point away through its second, to the edge;
// - a segment between its end points, cut at the edges.
// No piece when the object misses the area or a line or half-line has no
// direction (its two points are equal).
std::optional<DrawnPiece> drawnPiece(StraightKind kind, const FloatPoint& first,
                                     const FloatPoint& second, int viewX, int viewY);

} // namespace kestrane
