// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace kestrane {

// A canvas for tests: keeps every drawing call with the pen, brush and font in
// force, so a test can assert what was drawn, where and in which colour.
class RecordingCanvas final : public Canvas {
public:
    enum class Shape {
        MoveTo,
        LineTo,
        Line,
        Polyline,
        Polygon,
        Ellipse,
        Rectangle,
        FillRect,
        Text
    };

    struct Call {
        Shape shape;
        std::vector<CanvasPoint> points; // end points, vertices or the box corners
        std::string text;
        ColorRef pen = kBlack;
        int penWidth = 1;
        bool brushClear = true;
        ColorRef brush = kWhite;
        ColorRef textColour = kBlack;
        CanvasFont font;
    };

    void setPen(ColorRef colour, int width = 1) override;
    void setBrush(ColorRef colour) override;
    void clearBrush() override { m_brushClear = true; }
    void setFont(const CanvasFont& font) override { m_font = font; }
    void setTextColour(ColorRef colour) override { m_textColour = colour; }

    void moveTo(double x, double y) override;
    void lineTo(double x, double y) override;
    void line(double x1, double y1, double x2, double y2) override;
    void polyline(std::span<const CanvasPoint> points) override;
    void polygon(std::span<const CanvasPoint> points) override;
    void ellipse(double x1, double y1, double x2, double y2) override;
    void rectangle(double x1, double y1, double x2, double y2) override;
    void fillRect(double x1, double y1, double x2, double y2, ColorRef colour) override;
    void text(double x, double y, std::string_view utf8) override;

    // Text metrics of a plain sans font: about 0.6 of the size per character.
    int textWidth(std::string_view utf8) override;
    int textHeight() override;
    ColorRef pixel(int, int) override { return m_background; }

    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<Call> callsOf(Shape shape) const;
    std::vector<std::string> texts() const;
    void clear() { m_calls.clear(); }

private:
    Call& record(Shape shape, std::vector<CanvasPoint> points);

    std::vector<Call> m_calls;
    ColorRef m_pen = kBlack;
    int m_penWidth = 1;
    bool m_brushClear = true;
    ColorRef m_brush = kWhite;
    ColorRef m_textColour = kBlack;
    ColorRef m_background = kWhite;
    CanvasFont m_font;
};

} // namespace kestrane
