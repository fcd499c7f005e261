// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <span>
#include <string>
#include <string_view>

namespace kestrane {

struct CanvasPoint {
    double x = 0;
    double y = 0;
};

// UTF-8 code points in a text (the off-screen canvases' fixed metric counts
// characters, not bytes).
inline int codePointCount(std::string_view utf8)
{
    int count = 0;
    for (char byte : utf8)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

struct CanvasFont {
    std::string name = "Arial";
    int size = 10; // in points
    // When positive, the font is this many pixels high and size is ignored:
    // the expression layout works in pixels.
    int pixelHeight = 0;
    bool bold = false;
    bool italic = false;
};

// A surface the window models paint on, in pixels with y downward. The same
// paint() serves the screen (QPainter), exports, and the recording canvas of
// tests. Shapes are outlined with the pen and filled with the brush unless the
// brush is clear; text is UTF-8 and placed by its top-left corner.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(ColorRef colour, int width = 1) = 0;
    virtual void setBrush(ColorRef colour) = 0;
    virtual void clearBrush() = 0;
    virtual void setFont(const CanvasFont& font) = 0;
    virtual void setTextColour(ColorRef colour) = 0;

    virtual void moveTo(double x, double y) = 0;
    virtual void lineTo(double x, double y) = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void polyline(std::span<const CanvasPoint> points) = 0;
    virtual void polygon(std::span<const CanvasPoint> points) = 0;
    // The ellipse inscribed in the box from (x1, y1) to (x2, y2).
    virtual void ellipse(double x1, double y1, double x2, double y2) = 0;
    virtual void rectangle(double x1, double y1, double x2, double y2) = 0;
    virtual void fillRect(double x1, double y1, double x2, double y2, ColorRef colour) = 0;
    virtual void text(double x, double y, std::string_view utf8) = 0;

    virtual int textWidth(std::string_view utf8) = 0;
    virtual int textHeight() = 0;
    virtual ColorRef pixel(int x, int y) = 0;
};

} // namespace kestrane
