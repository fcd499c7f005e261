// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <QPainter>
#include <QPainterPath>

#include <span>
#include <vector>

namespace kestrane {

QColor toQColor(ColorRef colour);
ColorRef fromQColor(const QColor& colour);
// The font to use for a family name of the models: Arial falls back to its
// metric twin and then to the default sans font.
QFont toQFont(const CanvasFont& font);

// How font sizes given in points become lengths of the drawing.
enum class FontResolution {
    // As the paint device resolves points: the screen, and PNG images of 96
    // dots per inch, whose pixels are the drawing's.
    Device,
    // At 96 dots per inch of the drawing whatever the device: PDF pages and
    // printers, whose painter is scaled to fit the drawing to the page, so
    // that texts keep their size beside the figure.
    Drawing,
};

// The canvas of the desktop program, painting with a QPainter (antialiased).
// pixel() reads from an image when the painter paints on one.
class QtCanvas final : public Canvas {
public:
    explicit QtCanvas(QPainter& painter, const QImage* image = nullptr,
                      FontResolution resolution = FontResolution::Device);

    void setPen(ColorRef colour, int width = 1) override;
    void setBrush(ColorRef colour) override;
    void clearBrush() override;
    void setFont(const CanvasFont& font) override;
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

    int textWidth(std::string_view utf8) override;
    int textHeight() override;
    ColorRef pixel(int x, int y) override;

private:
    QPointF strokePoint(double x, double y) const;
    QFont fontFor(const CanvasFont& font) const;
    QFontMetricsF metrics() const;
    std::vector<QPointF> strokePoints(std::span<const CanvasPoint> points) const;

    QPainter& m_painter;
    const QImage* m_image;
    FontResolution m_resolution;
    QPointF m_position;
    double m_strokeOffset = 0.5;
    ColorRef m_textColour = kBlack;
};

} // namespace kestrane
