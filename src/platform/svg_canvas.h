// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <span>
#include <string>

namespace kestrane {

// A canvas that writes SVG, so an exported drawing shows in a browser as
// the window paints it. Pixel coordinates are kept; fonts are sized in
// points at 96 dots per inch, and text is placed by its top-left corner
// like on the screen.
class SvgCanvas final : public Canvas {
public:
    SvgCanvas(int width, int height);

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

    // Metrics of a plain sans font: about 0.6 of the size per character.
    int textWidth(std::string_view utf8) override;
    int textHeight() override;
    ColorRef pixel(int, int) override { return kWhite; }

    // The whole document.
    std::string document() const;

private:
    std::string stroke() const;
    double strokeOffset() const;
    std::string strokePoints(std::span<const CanvasPoint> points) const;
    std::string fill() const;
    double fontPixels() const;

    int m_width;
    int m_height;
    std::string m_body;
    ColorRef m_pen = kBlack;
    int m_penWidth = 1;
    bool m_brushClear = true;
    ColorRef m_brush = kWhite;
    ColorRef m_textColour = kBlack;
    CanvasFont m_font;
    CanvasPoint m_position;
};

// "#rrggbb" of a colour value.
std::string cssColour(ColorRef colour);

} // namespace kestrane
