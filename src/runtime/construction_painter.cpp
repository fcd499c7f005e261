// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/construction_painter.h"

#include "runtime/module_scene.h"

#include "platform/canvas.h"
#include "runtime/colour_value.h"
#include "runtime/construction_state.h"

#include <cmath>
#include <vector>

namespace kestrane {

namespace {

constexpr int kLabelLetterSize = 10;
constexpr int kLabelNumberSize = 8;
constexpr int kTextSize = 10;
constexpr int kTitleSize = 14;
constexpr int kPointArm = 3;
constexpr ColorRef kFrameColour = 0xD3D3D3; // light grey
// Coordinates beyond this are drawn as polylines of what can be seen.
constexpr double kLargestDrawnRadius = 1e5;
constexpr double kDrawingCentreX = 400;
constexpr double kDrawingCentreY = 275;
constexpr double kDrawingReach = 500;
constexpr int kLargeArcPoints = 2000;

bool drawn(const GeoObject& object)
{
    return object.visible && !object.outOfView;
}

// The pen of a record; reset to black by the caller afterwards.
void setRecordPen(Canvas& canvas, const GeoObject& object)
{
    if (object.highlighted)
        canvas.setPen(kRed);
    else if (object.colour != 0)
        canvas.setPen(displayColour(object.colour));
    else
        canvas.setPen(kBlack);
}

// The letter of the label in the larger size, its number like a subscript.
void paintLabel(Canvas& canvas, const GeoObject& object, double x, double y)
{
    if (!object.showLabel || object.label.empty())
        return;
    canvas.setTextColour(kBlue);
    CanvasFont font;
    font.size = kLabelLetterSize;
    canvas.setFont(font);
    canvas.text(x - 12, y - 4, object.label.substr(0, 1));
    if (object.label.size() > 1) {
        font.size = kLabelNumberSize;
        canvas.setFont(font);
        canvas.text(x - 2, y + 2, object.label.substr(1));
    }
    font.size = kTextSize;
    canvas.setFont(font);
    canvas.setTextColour(kBlack);
}

void paintPolygon(Canvas& canvas, const PolygonRec& polygon)
{
    if (!drawn(polygon) || polygon.vertices.size() < 2)
        return;
    std::vector<CanvasPoint> corners;
    for (std::size_t index = 0; index + 1 < polygon.vertices.size(); ++index) {
        const FloatPoint& vertex = polygon.vertices[index].floats;
        corners.push_back({std::trunc(vertex.x), std::trunc(vertex.y)});
    }
    setRecordPen(canvas, polygon);
    if (polygon.coloured)
        canvas.setBrush(displayColour(polygon.shadedColour));
    if (polygon.baseColour != kWhite) {
        canvas.polygon(corners);
    } else {
        canvas.moveTo(corners.front().x, corners.front().y);
        for (std::size_t index = 1; index < corners.size(); ++index)
            canvas.lineTo(corners[index].x, corners[index].y);
        canvas.lineTo(corners.front().x, corners.front().y);
    }
    canvas.clearBrush();
    canvas.setPen(kBlack);
}

void paintStraight(Canvas& canvas, const StraightRec& straight)
{
    if (!drawn(straight) || !straight.drawn)
        return;
    const DrawnPiece& piece = *straight.drawn;
    setRecordPen(canvas, straight);
    canvas.line(piece.xa, piece.ya, piece.xb, piece.yb);
    canvas.setPen(kBlack);
    paintLabel(canvas, straight, (piece.xa + piece.xb) / 2, (piece.ya + piece.yb) / 2);
}

// The arc of a circle too large for the drawing calls that passes near the
// drawing area, as a polyline of points about a pixel apart.
void paintLargeCircle(Canvas& canvas, double centreX, double centreY, double radius)
{
    double towardsX = kDrawingCentreX - centreX;
    double towardsY = kDrawingCentreY - centreY;
    double distance = std::hypot(towardsX, towardsY);
    // The arc within the reach of the drawing area's half diagonal.
    if (std::fabs(distance - radius) > kDrawingReach || !std::isfinite(distance))
        return;
    double middle = std::atan2(towardsY, towardsX);
    double half = std::asin(std::min(1.0, 2 * kDrawingReach / radius));
    std::vector<CanvasPoint> arc;
    for (int index = 0; index <= kLargeArcPoints; ++index) {
        double angle = middle - half + 2 * half * index / kLargeArcPoints;
        arc.push_back({centreX + radius * std::cos(angle), centreY + radius * std::sin(angle)});
    }
    canvas.polyline(arc);
}

void paintCircle(Canvas& canvas, const CircleRec& circle)
{
    if (!drawn(circle))
        return;
    const FloatPoint& centre = circle.floats.centre;
    // A radius computed as a difference may be negative: the circle is the
    // same.
    double radius = std::fabs(static_cast<double>(circle.floats.radius));
    double x = centre.x;
    double y = centre.y;
    setRecordPen(canvas, circle);
    canvas.clearBrush();
    if (radius > kLargestDrawnRadius || std::fabs(x) > kLargestDrawnRadius ||
        std::fabs(y) > kLargestDrawnRadius)
        paintLargeCircle(canvas, x, y, radius);
    else
        canvas.ellipse(x - radius, y - radius, x + radius, y + radius);
    canvas.setPen(kBlack);
    // The label stands at the top of the circle.
    paintLabel(canvas, circle, centre.x, centre.y - radius);
}

void paintPoint(Canvas& canvas, const PointRec& point)
{
    if (!drawn(point))
        return;
    double x = std::trunc(point.floats.x);
    double y = std::trunc(point.floats.y);
    setRecordPen(canvas, point);
    canvas.line(x - kPointArm, y - kPointArm, x + kPointArm, y + kPointArm);
    canvas.line(x - kPointArm, y + kPointArm, x + kPointArm, y - kPointArm);
    canvas.setPen(kBlack);
    paintLabel(canvas, point, x, y);
}

void paintTexts(Canvas& canvas, const std::vector<TextLabel>& texts, int size)
{
    CanvasFont font;
    font.size = size;
    canvas.setFont(font);
    canvas.setTextColour(kBlack);
    for (const TextLabel& text : texts)
        canvas.text(text.x, text.y, text.text);
}

template<class List, class Paint>
void paintEach(Canvas& canvas, const List& list, Paint paint)
{
    for (const auto& record : list)
        paint(canvas, *record);
}

} // namespace

void paintConstruction(Canvas& canvas, const ConstructionState& state)
{
    const ObjectStore& store = state.store();
    canvas.setPen(kBlack);
    canvas.clearBrush();
    paintEach(canvas, state.figures().polygons(), paintPolygon);
    const ModuleScene* scene = state.scene();
    if (scene && !scene->paintsOverLines())
        scene->paint(canvas);
    paintEach(canvas, store.segments(), paintStraight);
    paintEach(canvas, store.circles(), paintCircle);
    paintEach(canvas, store.lines(), paintStraight);
    paintEach(canvas, store.points(), paintPoint);
    paintEach(canvas, store.halfLines(), paintStraight);
    if (scene && scene->paintsOverLines())
        scene->paint(canvas);
    if (const std::optional<Region>& region = state.figures().region()) {
        canvas.clearBrush();
        canvas.rectangle(region->x1, region->y1, region->x2, region->y2);
    }
    paintTexts(canvas, store.texts(TextArray::Titles), kTitleSize);
    paintTexts(canvas, store.texts(TextArray::Labels), kTextSize);
}

void paintDrawingFrame(Canvas& canvas, int width, int height)
{
    canvas.setPen(kFrameColour);
    canvas.clearBrush();
    canvas.rectangle(0, 0, width - 1, height - 1);
    canvas.setPen(kBlack);
}

void paintCanvasMessage(Canvas& canvas, std::string_view message)
{
    if (message.empty())
        return;
    CanvasFont font;
    font.size = kTextSize;
    canvas.setFont(font);
    canvas.setTextColour(kRed);
    canvas.text(kCanvasMessageX, kCanvasMessageY, message);
    canvas.setTextColour(kBlack);
}

} // namespace kestrane
