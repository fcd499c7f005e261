// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/curve_plot.h"

#include "algebra/numeric_eval.h"
#include "platform/canvas.h"
#include "platform/json_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr int kMargin = 40;
constexpr int kSmallSide = 160;
constexpr int kTickHalf = 5;
constexpr ColorRef kAxisColour = rgb(0, 0, 0);

using Point = std::optional<std::pair<double, double>>;

Point sample(const CurveSource& source, double t)
{
    std::optional<float> x = source.x.evaluate(static_cast<float>(t));
    std::optional<float> y = x ? source.y.evaluate(static_cast<float>(t)) : std::nullopt;
    if (!x || !y)
        return std::nullopt;
    std::complex<float> z(*x, *y);
    for (const NumericProgram& function : source.functions) {
        std::optional<std::complex<float>> image = function.evaluateComplex(z);
        if (!image)
            return std::nullopt;
        z = *image;
    }
    return std::pair<double, double>{z.real(), z.imag()};
}

// 1. A range of zero length is widened by 1 each way.
void widenZero(double& low, double& high)
{
    if (low == high) {
        low -= 1;
        high += 1;
    }
}

void widenAbout(double& low, double& high, double length)
{
    double centre = (low + high) / 2;
    low = centre - length / 2;
    high = centre + length / 2;
}

// 2. With the aspect kept, the axis with fewer units per pixel is widened
// to the other's scale; a drawing area without extent has no scale.
void keepAspect(CurveBox& box, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    double sx = (box.xMax - box.xMin) / width;
    double sy = (box.yMax - box.yMin) / height;
    if (sx < sy)
        widenAbout(box.xMin, box.xMax, width * sy);
    else if (sx > sy)
        widenAbout(box.yMin, box.yMax, height * sx);
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

} // namespace

int curveMargin(int side)
{
    return side < kSmallSide ? side / 4 : kMargin;
}

CurvePlot plotCurve(const CurveSource& source, const PixelRect& rect, AspectRatio aspect)
{
    CurvePlot plot;
    plot.samples = kCurveSamples;
    std::vector<Point> points(kCurveSamples);
    double span = source.tMax - source.tMin;
    for (int index = 0; index < kCurveSamples; ++index) {
        Point point = sample(source, source.tMin + index * 0.001 * span);
        points[static_cast<std::size_t>(index)] = point;
        if (!point) {
            ++plot.failed;
            continue;
        }
        auto [x, y] = *point;
        if (!plot.box) {
            plot.box = CurveBox{x, x, y, y};
            continue;
        }
        plot.box->xMin = std::min(plot.box->xMin, x);
        plot.box->xMax = std::max(plot.box->xMax, x);
        plot.box->yMin = std::min(plot.box->yMin, y);
        plot.box->yMax = std::max(plot.box->yMax, y);
    }
    if (!plot.box)
        return plot;
    CurveBox& box = *plot.box;
    int marginX = curveMargin(rect.width());
    int marginY = curveMargin(rect.height());
    int width = rect.width() - 2 * marginX;
    int height = rect.height() - 2 * marginY;
    widenZero(box.xMin, box.xMax);
    widenZero(box.yMin, box.yMax);
    if (aspect == AspectRatio::Keep)
        keepAspect(box, width, height);
    int left = rect.x1 + marginX;
    int bottom = rect.y2 - marginY;
    std::vector<std::pair<int, int>> piece;
    for (const Point& point : points) {
        if (!point) {
            if (!piece.empty())
                plot.pieces.push_back(std::move(piece));
            piece.clear();
            continue;
        }
        double fractionX = (point->first - box.xMin) / (box.xMax - box.xMin);
        double fractionY = (point->second - box.yMin) / (box.yMax - box.yMin);
        int x = left + static_cast<int>(std::lround(width * fractionX));
        int y = bottom - static_cast<int>(std::lround(height * fractionY));
        piece.emplace_back(x, y);
        if (!plot.drawnBox) {
            plot.drawnBox = PixelRect{x, y, x, y};
            continue;
        }
        plot.drawnBox->x1 = std::min(plot.drawnBox->x1, x);
        plot.drawnBox->y1 = std::min(plot.drawnBox->y1, y);
        plot.drawnBox->x2 = std::max(plot.drawnBox->x2, x);
        plot.drawnBox->y2 = std::max(plot.drawnBox->y2, y);
    }
    if (!piece.empty())
        plot.pieces.push_back(std::move(piece));
    plot.ticksX = axisTicks(width, box.xMin, box.xMax);
    plot.ticksY = axisTicks(height, box.yMin, box.yMax);
    return plot;
}

void paintCurve(Canvas& canvas, const CurvePlot& plot, const PixelRect& rect, ColorRef line)
{
    canvas.setPen(kAxisColour);
    canvas.setTextColour(kAxisColour);
    CanvasFont font;
    font.size = 8;
    canvas.setFont(font);
    canvas.line(rect.x1, rect.y2, rect.x2, rect.y2);
    canvas.line(rect.x1, rect.y2, rect.x1, rect.y1);
    int left = rect.x1 + curveMargin(rect.width());
    int bottom = rect.y2 - curveMargin(rect.height());
    for (std::size_t index = 0; index < plot.ticksX.positions.size(); ++index) {
        int x = left + plot.ticksX.positions[index];
        canvas.line(x, rect.y2 - kTickHalf, x, rect.y2 + kTickHalf);
        const std::string& label = plot.ticksX.labels[index];
        canvas.text(x - canvas.textWidth(label) / 2.0, rect.y2 + kTickHalf + 2, label);
    }
    for (std::size_t index = 0; index < plot.ticksY.positions.size(); ++index) {
        int y = bottom - plot.ticksY.positions[index];
        canvas.line(rect.x1 - kTickHalf, y, rect.x1 + kTickHalf, y);
        const std::string& label = plot.ticksY.labels[index];
        canvas.text(rect.x1 - kTickHalf - 3 - canvas.textWidth(label),
                    y - canvas.textHeight() / 2.0, label);
    }
    canvas.setPen(line);
    paintPieces(canvas, plot.pieces);
}

void writeCurvePlotJson(JsonWriter& json, const CurvePlot& plot)
{
    json.beginObject().key("samples").number(plot.samples).key("failed").number(plot.failed);
    json.key("box");
    if (plot.box) {
        json.beginArray();
        for (double value : {plot.box->xMin, plot.box->xMax, plot.box->yMin, plot.box->yMax})
            json.raw(number(value));
        json.endArray();
    } else {
        json.null();
    }
    json.key("drawnBox");
    if (plot.drawnBox) {
        const PixelRect& box = *plot.drawnBox;
        json.beginArray().number(box.x1).number(box.y1).number(box.x2).number(box.y2).endArray();
    } else {
        json.null();
    }
    json.key("ticksX");
    writeTicksJson(json, plot.ticksX);
    json.key("ticksY");
    writeTicksJson(json, plot.ticksY);
    json.endObject();
}

} // namespace kestrane
