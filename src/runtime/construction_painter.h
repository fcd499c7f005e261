// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kestrane {

class Canvas;
class ConstructionState;

// Draws the construction in the window's order: polygons, the module
// scene (space objects), segments,
// circles, lines, points, half-lines, the region, the titles, the labels
// (texts of Text and DrawDist). A record is
// drawn only when it is visible and not out of view; its pen is its colour
// (black for 0, red while highlighted); labels go beside points and at the
// middle of drawn lines, their letter large and their number small.
// Circles are drawn with the absolute value of their radius; a circle too
// large for the drawing calls is drawn as the polyline of its part near the
// drawing area.
void paintConstruction(Canvas& canvas, const ConstructionState& state);

// The thin light-grey frame at the edge of the drawing area.
void paintDrawingFrame(Canvas& canvas, int width, int height);

// Where the canvas messages stand, in window pixels: below a title at
// (20, 20).
inline constexpr int kCanvasMessageX = 10;
inline constexpr int kCanvasMessageY = 44;

// A run's message over the drawing, in red, at the window's top-left.
void paintCanvasMessage(Canvas& canvas, std::string_view message);

} // namespace kestrane
