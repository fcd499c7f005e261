// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graph_plot.h"

#include "algebra/numeric_eval.h"
#include "platform/canvas.h"
#include "platform/json_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr int kTickHalf = 5;
constexpr int kArrowWithoutTicks = 6;
constexpr ColorRef kAxisColour = rgb(0, 0, 0);
// Below this difference the defined samples count as one value.
constexpr float kConstantSpread = 0.01f;

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

} // namespace

PixelRect PixelRect::normalised(int ax, int ay, int bx, int by)
{
    return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

GraphPlot plotGraph(const NumericProgram& function, const PixelRect& rect, double xMin, double xMax)
{
    GraphPlot plot;
    int count = std::max(0, rect.width());
    plot.samples = count;
    std::vector<std::optional<float>> values(static_cast<std::size_t>(count));
    double span = xMax - xMin;
    for (int index = 0; index < count; ++index) {
        // Multiplying before dividing samples 0 exactly when an even count
        // spans a symmetric domain.
        double x = xMin + (index * span) / count;
        values[static_cast<std::size_t>(index)] = function.evaluate(static_cast<float>(x));
        if (!values[static_cast<std::size_t>(index)])
            ++plot.failed;
        else if (!plot.range)
            plot.range = std::pair{*values[static_cast<std::size_t>(index)],
                                   *values[static_cast<std::size_t>(index)]};
        else {
            float value = *values[static_cast<std::size_t>(index)];
            plot.range->first = std::min(plot.range->first, value);
            plot.range->second = std::max(plot.range->second, value);
        }
    }
    plot.ticksX = axisTicks(rect.width(), xMin, xMax);
    if (!plot.range)
        return plot;
    auto [low, high] = *plot.range;
    plot.constant = low + kConstantSpread >= high;
    int height = rect.height();
    std::vector<std::pair<int, int>> piece;
    for (int index = 0; index < count; ++index) {
        const std::optional<float>& value = values[static_cast<std::size_t>(index)];
        if (!value) {
            if (!piece.empty())
                plot.pieces.push_back(std::move(piece));
            piece.clear();
            continue;
        }
        int y = rect.y1 + height / 2;
        if (!plot.constant) {
            double fraction =
                (static_cast<double>(*value) - low) / (static_cast<double>(high) - low);
            y = static_cast<int>(rect.y2 - fraction * height);
        }
        piece.emplace_back(rect.x1 + index, y);
    }
    if (!piece.empty())
        plot.pieces.push_back(std::move(piece));
    if (plot.constant) {
        // One tick in the middle, labelled with the value.
        float value = low;
        plot.ticksY.k = 1;
        plot.ticksY.hundredths.push_back(std::llround(static_cast<double>(value) * 100));
        plot.ticksY.labels.push_back(tickLabel(value));
        plot.ticksY.positions.push_back(height - height / 2);
    } else {
        plot.ticksY = axisTicks(height, low, high);
    }
    return plot;
}

void paintPieces(Canvas& canvas, const PlotPieces& pieces)
{
    std::vector<CanvasPoint> points;
    for (const auto& piece : pieces) {
        points.clear();
        for (auto [x, y] : piece)
            points.push_back(CanvasPoint{static_cast<double>(x), static_cast<double>(y)});
        if (points.size() == 1)
            canvas.line(points[0].x, points[0].y, points[0].x, points[0].y);
        else
            canvas.polyline(points);
    }
}

namespace {

// A label's box on the window.
struct LabelBox {
    double left;
    double top;
    double right;
    double bottom;

    bool meets(const LabelBox& other) const
    {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// The ticks along the bottom edge, each label centred under its tick. The
// label of the last tick moves left of the arrowhead when the arrowhead
// would cross it, and is left out when it would then meet its neighbour.
void paintTickLabelsX(Canvas& canvas, const AxisTicks& ticks, const PixelRect& rect, int arrow)
{
    LabelBox head{rect.x2 - arrow - 1.0, rect.y2 - arrow / 2.0, rect.x2 + 1.0,
                  rect.y2 + arrow / 2.0 + 1};
    std::optional<LabelBox> previous;
    for (std::size_t index = 0; index < ticks.positions.size(); ++index) {
        int x = rect.x1 + ticks.positions[index];
        canvas.line(x, rect.y2 - kTickHalf, x, rect.y2 + kTickHalf);
        const std::string& label = ticks.labels[index];
        double width = canvas.textWidth(label);
        double top = rect.y2 + kTickHalf + 2;
        LabelBox box{x - width / 2, top, x + width / 2, top + canvas.textHeight()};
        if (index + 1 == ticks.positions.size() && box.meets(head)) {
            box.right = head.left - 1;
            box.left = box.right - width;
            if (previous && box.meets(*previous))
                continue;
        }
        canvas.text(box.left, box.top, label);
        previous = box;
    }
}

// The ticks along the left edge, each label left of its tick; the label of
// the top tick moves down below the arrowhead when the arrowhead would cross
// it, and is left out when it would then meet the label below.
void paintTickLabelsY(Canvas& canvas, const AxisTicks& ticks, const PixelRect& rect, int arrow)
{
    LabelBox head{rect.x1 - arrow / 2.0 - 1, rect.y1 - 1.0, rect.x1 + arrow / 2.0 + 1,
                  rect.y1 + arrow + 1.0};
    std::optional<LabelBox> previous;
    for (std::size_t index = 0; index < ticks.positions.size(); ++index) {
        int y = rect.y2 - ticks.positions[index];
        canvas.line(rect.x1 - kTickHalf, y, rect.x1 + kTickHalf, y);
        const std::string& label = ticks.labels[index];
        double width = canvas.textWidth(label);
        double height = canvas.textHeight();
        double right = rect.x1 - kTickHalf - 3;
        LabelBox box{right - width, y - height / 2.0, right, y + height / 2.0};
        if (index + 1 == ticks.positions.size() && box.meets(head)) {
            box.top = head.bottom + 1;
            box.bottom = box.top + height;
            if (previous && box.meets(*previous))
                continue;
        }
        canvas.text(box.left, box.top, label);
        previous = box;
    }
}

} // namespace

void paintGraph(Canvas& canvas, const GraphPlot& plot, const PixelRect& rect, ColorRef line)
{
    canvas.setPen(kAxisColour);
    canvas.setTextColour(kAxisColour);
    CanvasFont font;
    font.size = 8;
    canvas.setFont(font);
    // The x axis along the bottom edge, its arrow at the right end.
    // Arrowheads are a quarter of the tick spacing.
    int arrowX = kArrowWithoutTicks;
    if (plot.ticksX.hundredths.size() >= 2) {
        int spacing = plot.ticksX.positions[1] - plot.ticksX.positions[0];
        arrowX = std::max(2, spacing / 4);
    }
    canvas.line(rect.x1, rect.y2, rect.x2, rect.y2);
    canvas.line(rect.x2, rect.y2, rect.x2 - arrowX, rect.y2 - arrowX / 2.0);
    canvas.line(rect.x2, rect.y2, rect.x2 - arrowX, rect.y2 + arrowX / 2.0);
    int arrowY = kArrowWithoutTicks;
    if (plot.ticksY.hundredths.size() >= 2) {
        int spacing = plot.ticksY.positions[1] - plot.ticksY.positions[0];
        arrowY = std::max(2, spacing / 4);
    }
    canvas.line(rect.x1, rect.y2, rect.x1, rect.y1);
    canvas.line(rect.x1, rect.y1, rect.x1 - arrowY / 2.0, rect.y1 + arrowY);
    canvas.line(rect.x1, rect.y1, rect.x1 + arrowY / 2.0, rect.y1 + arrowY);
    paintTickLabelsX(canvas, plot.ticksX, rect, arrowX);
    paintTickLabelsY(canvas, plot.ticksY, rect, arrowY);
    canvas.setPen(line);
    paintPieces(canvas, plot.pieces);
}

void writePlotJson(JsonWriter& json, const GraphPlot& plot)
{
    json.beginObject().key("samples").number(plot.samples).key("failed").number(plot.failed);
    json.key("range");
    if (plot.range)
        json.beginArray().raw(number(plot.range->first)).raw(number(plot.range->second)).endArray();
    else
        json.null();
    json.key("constant").boolean(plot.constant).key("pieces").beginArray();
    for (const auto& piece : plot.pieces) {
        json.beginArray();
        for (const auto& [x, y] : piece)
            json.beginArray().number(x).number(y).endArray();
        json.endArray();
    }
    json.endArray();
    json.key("ticksX");
    writeTicksJson(json, plot.ticksX);
    json.key("ticksY");
    writeTicksJson(json, plot.ticksY);
    json.endObject();
}

} // namespace kestrane
