// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/graph_plot.h"
#include "graphs/ticks.h"
#include "platform/colour.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {

class Canvas;
class NumericProgram;

// What a parametric curve samples: x = X(t), y = Y(t) over [tMin, tMax]
// (both programs read t as their variable x) and, for the image of a curve,
// the analytic functions that replace each point by f(X + iY), in order (an
// image of an image applies both).
struct CurveSource {
    const NumericProgram& x;
    const NumericProgram& y;
    std::span<const NumericProgram> functions;
    double tMin = 0;
    double tMax = 1;
};

// The ranges a curve is drawn over.
struct CurveBox {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
};

// A curve laid out in its rectangle: 1001 samples, the box of the defined
// ones after widening, the pixel polylines (a failed sample breaks the line)
// and the ticks along the bottom and left edges.
struct CurvePlot {
    int samples = 0;
    int failed = 0;
    std::optional<CurveBox> box;
    // The pixel extent of the drawn samples: left, top, right, bottom.
    std::optional<PixelRect> drawnBox;
    PlotPieces pieces;
    AxisTicks ticksX;
    AxisTicks ticksY;
};

enum class AspectRatio { Stretch, Keep };

inline constexpr int kCurveSamples = 1001;

// The margin between a rectangle's side and its drawing area: 40 pixels, a
// quarter of the side for sides below 160 pixels.
int curveMargin(int side);

// Samples the curve and scales it into the rectangle. A box of zero width
// or height is widened by 1 each way; Keep widens the range with more units
// per pixel about its centre so that both axes have the same scale.
CurvePlot plotCurve(const CurveSource& source, const PixelRect& rect, AspectRatio aspect);

// The axes on the bottom and left edges, ticks 5 pixels each side with their
// labels, and the curve in the line colour.
void paintCurve(Canvas& canvas, const CurvePlot& plot, const PixelRect& rect, ColorRef line);

// {"samples", "failed", "box", "drawnBox", "ticksX", "ticksY"}.
void writeCurvePlotJson(JsonWriter& json, const CurvePlot& plot);

} // namespace kestrane
