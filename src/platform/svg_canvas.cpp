// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace kestrane {

namespace {

// Pixels per point at 96 dots per inch.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The ascent of Arial and Liberation Sans, as a fraction of the font size.
constexpr double kAscent = 0.905;

std::string number(double value)
{
    // Room for every digit of the largest double: a value is never cut.
    char text[400];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string result = text;
    while (result.back() == '0')
        result.pop_back();
    if (result.back() == '.')
        result.pop_back();
    return result == "-0" ? "0" : result;
}

std::string escaped(std::string_view text)
{
    std::string result;
    for (char character : text) {
        switch (character) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result += character;
        }
    }
    return result;
}

std::string pointList(std::span<const CanvasPoint> points)
{
    std::string list;
    for (const CanvasPoint& point : points) {
        if (!list.empty())
            list += ' ';
        list += number(point.x) + ',' + number(point.y);
    }
    return list;
}

} // namespace

std::string cssColour(ColorRef colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(colour), greenOf(colour),
                  blueOf(colour));
    return text;
}

SvgCanvas::SvgCanvas(int width, int height) : m_width(width), m_height(height) {}

void SvgCanvas::setPen(ColorRef colour, int width)
{
    m_pen = colour;
    m_penWidth = width;
}

void SvgCanvas::setBrush(ColorRef colour)
{
    m_brush = colour;
    m_brushClear = false;
}

std::string SvgCanvas::stroke() const
{
    return " stroke=\"" + cssColour(m_pen) + "\" stroke-width=\"" + std::to_string(m_penWidth) +
           "\"";
}

std::string SvgCanvas::fill() const
{
    return m_brushClear ? " fill=\"none\"" : " fill=\"" + cssColour(m_brush) + "\"";
}

void SvgCanvas::moveTo(double x, double y)
{
    m_position = {x, y};
}

void SvgCanvas::lineTo(double x, double y)
{
    line(m_position.x, m_position.y, x, y);
    m_position = {x, y};
}

// A stroke of odd width is centred on the middle of its pixels, so that a
// one-pixel line at a whole coordinate fills one row, not two grey ones.
double SvgCanvas::strokeOffset() const
{
    return m_penWidth % 2 != 0 ? 0.5 : 0.0;
}

std::string SvgCanvas::strokePoints(std::span<const CanvasPoint> points) const
{
    std::vector<CanvasPoint> shifted(points.begin(), points.end());
    for (CanvasPoint& point : shifted) {
        point.x += strokeOffset();
        point.y += strokeOffset();
    }
    return pointList(shifted);
}

void SvgCanvas::line(double x1, double y1, double x2, double y2)
{
    double offset = strokeOffset();
    m_body += "<line x1=\"" + number(x1 + offset) + "\" y1=\"" + number(y1 + offset) +
              "\" x2=\"" + number(x2 + offset) + "\" y2=\"" + number(y2 + offset) + "\"" +
              stroke() + "/>\n";
}

void SvgCanvas::polyline(std::span<const CanvasPoint> points)
{
    m_body += "<polyline points=\"" + strokePoints(points) + "\" fill=\"none\"" + stroke() + "/>\n";
}

void SvgCanvas::polygon(std::span<const CanvasPoint> points)
{
    m_body += "<polygon points=\"" + strokePoints(points) + "\"" + fill() + stroke() + "/>\n";
}

void SvgCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    x1 += strokeOffset();
    x2 += strokeOffset();
    y1 += strokeOffset();
    y2 += strokeOffset();
    m_body += "<ellipse cx=\"" + number((x1 + x2) / 2) + "\" cy=\"" + number((y1 + y2) / 2) +
              "\" rx=\"" + number((x2 - x1) / 2) + "\" ry=\"" + number((y2 - y1) / 2) + "\"" +
              fill() + stroke() + "/>\n";
}

void SvgCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    m_body += "<rect x=\"" + number(std::min(x1, x2) + strokeOffset()) + "\" y=\"" +
              number(std::min(y1, y2) + strokeOffset()) +
              "\" width=\"" + number(std::abs(x2 - x1)) + "\" height=\"" +
              number(std::abs(y2 - y1)) + "\"" + fill() + stroke() + "/>\n";
}

void SvgCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    m_body += "<rect x=\"" + number(x1) + "\" y=\"" + number(y1) + "\" width=\"" + number(x2 - x1) +
              "\" height=\"" + number(y2 - y1) + "\" fill=\"" + cssColour(colour) + "\"/>\n";
}

void SvgCanvas::text(double x, double y, std::string_view utf8)
{
    // SVG places text by its baseline: one ascent of the sans fonts below the
    // top (0.905 of the size).
    double size = fontPixels();
    m_body += "<text x=\"" + number(x) + "\" y=\"" + number(y + size * kAscent) +
              "\" font-family=\"" + escaped(m_font.name) +
              ", 'Liberation Sans', sans-serif\" font-size=\"" + number(size) + "px\"" +
              (m_font.bold ? " font-weight=\"bold\"" : "") +
              (m_font.italic ? " font-style=\"italic\"" : "") + " fill=\"" +
              cssColour(m_textColour) + "\" xml:space=\"preserve\">" + escaped(utf8) + "</text>\n";
}

double SvgCanvas::fontPixels() const
{
    return m_font.pixelHeight > 0 ? m_font.pixelHeight : m_font.size * kPixelsPerPoint;
}

int SvgCanvas::textWidth(std::string_view utf8)
{
    if (m_font.pixelHeight > 0)
        return codePointCount(utf8) * (m_font.pixelHeight * 3 / 5);
    return static_cast<int>(static_cast<double>(utf8.size()) * m_font.size * kPixelsPerPoint * 0.6);
}

int SvgCanvas::textHeight()
{
    return static_cast<int>(fontPixels() * 1.2);
}

std::string SvgCanvas::document() const
{
    std::string size = std::to_string(m_width) + "\" height=\"" + std::to_string(m_height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           size + "\" viewBox=\"0 0 " + std::to_string(m_width) + ' ' + std::to_string(m_height) +
           "\">\n" + m_body + "</svg>\n";
}

} // namespace kestrane
