// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recording_canvas.h"

namespace kestrane {

void RecordingCanvas::setPen(ColorRef colour, int width)
{
    m_pen = colour;
    m_penWidth = width;
}

void RecordingCanvas::setBrush(ColorRef colour)
{
    m_brush = colour;
    m_brushClear = false;
}

RecordingCanvas::Call& RecordingCanvas::record(Shape shape, std::vector<CanvasPoint> points)
{
    m_calls.push_back(Call{shape,
                           std::move(points),
                           {},
                           m_pen,
                           m_penWidth,
                           m_brushClear,
                           m_brush,
                           m_textColour,
                           m_font});
    return m_calls.back();
}

void RecordingCanvas::moveTo(double x, double y)
{
    record(Shape::MoveTo, {{x, y}});
}
void RecordingCanvas::lineTo(double x, double y)
{
    record(Shape::LineTo, {{x, y}});
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2)
{
    record(Shape::Line, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::polyline(std::span<const CanvasPoint> points)
{
    record(Shape::Polyline, {points.begin(), points.end()});
}

void RecordingCanvas::polygon(std::span<const CanvasPoint> points)
{
    record(Shape::Polygon, {points.begin(), points.end()});
}

void RecordingCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    record(Shape::Ellipse, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    record(Shape::Rectangle, {{x1, y1}, {x2, y2}});
}

void RecordingCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    Call& call = record(Shape::FillRect, {{x1, y1}, {x2, y2}});
    call.brush = colour;
    call.brushClear = false;
}

void RecordingCanvas::text(double x, double y, std::string_view utf8)
{
    record(Shape::Text, {{x, y}}).text = std::string(utf8);
}

int RecordingCanvas::textWidth(std::string_view utf8)
{
    // A pixel-high font has the fixed metric of kestrane-cli: 3/5 of the
    // height per character, truncated.
    if (m_font.pixelHeight > 0)
        return codePointCount(utf8) * (m_font.pixelHeight * 3 / 5);
    return static_cast<int>(utf8.size()) * (m_font.size * 6 + 5) / 10;
}

int RecordingCanvas::textHeight()
{
    if (m_font.pixelHeight > 0)
        return m_font.pixelHeight;
    return m_font.size * 16 / 10;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::callsOf(Shape shape) const
{
    std::vector<Call> found;
    for (const Call& call : m_calls) {
        if (call.shape == shape)
            found.push_back(call);
    }
    return found;
}

std::vector<std::string> RecordingCanvas::texts() const
{
    std::vector<std::string> found;
    for (const Call& call : m_calls) {
        if (call.shape == Shape::Text)
            found.push_back(call.text);
    }
    return found;
}

} // namespace kestrane
