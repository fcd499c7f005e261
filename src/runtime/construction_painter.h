#pragma once

#include <string_view>

namespace kestrane {

class Canvas;
class ConstructionState;

// Draws the construction in the window's order: polygons, the module
// scene (space objects), segments,
// circles, lines, points, half-lines, the region, the titles, the labels
// (texts of Text and DrawDist), then the canvas message, if any. A record is
// drawn only when it is visible and not out of view; its pen is its colour
// (black for 0, red while highlighted); labels go beside points and at the
// middle of drawn lines, their letter large and their number small.
void paintConstruction(Canvas& canvas, const ConstructionState& state,
                       std::string_view canvasMessage);

} // namespace kestrane
