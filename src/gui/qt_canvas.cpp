// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>

#include <vector>

namespace kestrane {

namespace {

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString availableFamily(const std::string& name)
{
    static const QStringList families = QFontDatabase::families();
    QString wanted = QString::fromStdString(name);
    if (families.contains(wanted, Qt::CaseInsensitive))
        return wanted;
    if (wanted.compare("Arial", Qt::CaseInsensitive) == 0 && families.contains("Liberation Sans"))
        return "Liberation Sans";
    if (wanted.compare("Courier New", Qt::CaseInsensitive) == 0) {
        if (families.contains("Liberation Mono"))
            return "Liberation Mono";
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QColor toQColor(ColorRef colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

ColorRef fromQColor(const QColor& colour)
{
    return rgb(colour.red(), colour.green(), colour.blue());
}

QFont toQFont(const CanvasFont& font)
{
    QFont qfont(availableFamily(font.name));
    if (font.pixelHeight > 0)
        qfont.setPixelSize(font.pixelHeight);
    else
        qfont.setPointSizeF(font.size > 0 ? font.size : 1);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

QtCanvas::QtCanvas(QPainter& painter, const QImage* image, FontResolution resolution)
    : m_painter(painter)
    , m_image(image)
    , m_resolution(resolution)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setPen(QPen(Qt::black, 1));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setFont(fontFor(CanvasFont{}));
}

// A page device resolves points at its own resolution (1200 per inch for
// the PDF writer), before the painter's scale to the page: the point size
// is set so that it comes out at the drawing's 96 per inch.
QFont QtCanvas::fontFor(const CanvasFont& font) const
{
    QFont qfont = toQFont(font);
    QPaintDevice* device = m_painter.device();
    if (m_resolution == FontResolution::Drawing && font.pixelHeight <= 0 && device &&
        device->logicalDpiY() > 0) {
        double points = font.size > 0 ? font.size : 1;
        qfont.setPointSizeF(points * 96.0 / device->logicalDpiY());
    }
    return qfont;
}

QFontMetricsF QtCanvas::metrics() const
{
    if (m_resolution == FontResolution::Drawing && m_painter.device())
        return QFontMetricsF(m_painter.font(), m_painter.device());
    return QFontMetricsF(m_painter.font());
}

void QtCanvas::setPen(ColorRef colour, int width)
{
    m_painter.setPen(QPen(toQColor(colour), width));
    // An odd-width stroke is centred on the middle of its pixels, so that a
    // one-pixel line at a whole coordinate fills one row, not two grey ones.
    m_strokeOffset = width % 2 != 0 ? 0.5 : 0.0;
}

QPointF QtCanvas::strokePoint(double x, double y) const
{
    return QPointF(x + m_strokeOffset, y + m_strokeOffset);
}

std::vector<QPointF> QtCanvas::strokePoints(std::span<const CanvasPoint> points) const
{
    std::vector<QPointF> converted;
    converted.reserve(points.size());
    for (const CanvasPoint& point : points)
        converted.push_back(strokePoint(point.x, point.y));
    return converted;
}
void QtCanvas::setBrush(ColorRef colour)
{
    m_painter.setBrush(toQColor(colour));
}
void QtCanvas::clearBrush()
{
    m_painter.setBrush(Qt::NoBrush);
}
void QtCanvas::setFont(const CanvasFont& font)
{
    m_painter.setFont(fontFor(font));
}

void QtCanvas::moveTo(double x, double y)
{
    m_position = QPointF(x, y);
}

void QtCanvas::lineTo(double x, double y)
{
    QPointF to(x, y);
    m_painter.drawLine(strokePoint(m_position.x(), m_position.y()), strokePoint(x, y));
    m_position = to;
}

void QtCanvas::line(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(strokePoint(x1, y1), strokePoint(x2, y2));
}

void QtCanvas::polyline(std::span<const CanvasPoint> points)
{
    auto converted = strokePoints(points);
    m_painter.drawPolyline(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::polygon(std::span<const CanvasPoint> points)
{
    auto converted = strokePoints(points);
    m_painter.drawPolygon(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    m_painter.drawEllipse(QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized());
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    m_painter.drawRect(QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized());
}

void QtCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    m_painter.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), toQColor(colour));
}

void QtCanvas::text(double x, double y, std::string_view utf8)
{
    QPen pen = m_painter.pen();
    m_painter.setPen(toQColor(m_textColour));
    m_painter.drawText(QPointF(x, y + metrics().ascent()), toQString(utf8));
    m_painter.setPen(pen);
}

static int textWidthOf(const QFont& font, std::string_view utf8)
{
    return QFontMetrics(font).horizontalAdvance(toQString(utf8));
}

int QtCanvas::textWidth(std::string_view utf8)
{
    if (m_resolution == FontResolution::Drawing && m_painter.device())
        return QFontMetrics(m_painter.font(), m_painter.device())
            .horizontalAdvance(toQString(utf8));
    return textWidthOf(m_painter.font(), utf8);
}

int QtCanvas::textHeight()
{
    if (m_resolution == FontResolution::Drawing && m_painter.device())
        return QFontMetrics(m_painter.font(), m_painter.device()).height();
    return QFontMetrics(m_painter.font()).height();
}

ColorRef QtCanvas::pixel(int x, int y)
{
    if (!m_image || !m_image->valid(x, y))
        return kWhite;
    return fromQColor(m_image->pixelColor(x, y));
}

} // namespace kestrane
