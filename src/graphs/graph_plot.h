// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/ticks.h"
#include "platform/colour.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {

class Canvas;
class NumericProgram;

// A rectangle of the window in pixels, its corners normalised so that
// x1 <= x2 and y1 <= y2 (a rectangle given from any corner is the same).
struct PixelRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    static PixelRect normalised(int ax, int ay, int bx, int by);
    int width() const { return x2 - x1; }
    int height() const { return y2 - y1; }
};

// Polylines of pixel points, one per unbroken run of samples.
using PlotPieces = std::vector<std::vector<std::pair<int, int>>>;

// What the graph of a function in a rectangle draws: one sample per pixel
// column, the range of the defined samples, the polylines (a failed sample
// breaks the line) and the ticks of both axes.
struct GraphPlot {
    int samples = 0;
    int failed = 0;
    std::optional<std::pair<float, float>> range;
    // The defined samples differ by less than 0.01: a line across the middle.
    bool constant = false;
    PlotPieces pieces;
    AxisTicks ticksX;
    AxisTicks ticksY;
};

// x_i = x_min + i * (x_max - x_min) / N for i = 0 .. N - 1, N the width.
GraphPlot plotGraph(const NumericProgram& function, const PixelRect& rect, double xMin,
                    double xMax);

// Axes on the bottom and left edges with arrowheads, the ticks (5 pixels
// each side) and their labels, and the curve in the line colour.
void paintGraph(Canvas& canvas, const GraphPlot& plot, const PixelRect& rect, ColorRef line);

// The polylines of a plot in the current pen; a piece of one sample is a dot.
void paintPieces(Canvas& canvas, const PlotPieces& pieces);

// {"samples", "failed", "range", "constant", "pieces", "ticksX", "ticksY"}.
void writePlotJson(JsonWriter& json, const GraphPlot& plot);

} // namespace kestrane
