// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QTextLayout>

#include <algorithm>
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

QtCanvas::QtCanvas(QPainter& painter, const QImage* image, FontResolution resolution,
                   PainterUse use)
    : m_painter(painter)
    , m_image(image)
    , m_resolution(resolution)
    , m_use(use)
    , m_strokePen(Qt::black, 1)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setPen(m_strokePen);
    m_painter.setBrush(Qt::NoBrush);
    setFont(CanvasFont{});
    useFont();
    if (m_use == PainterUse::Exclusive) {
        // A pixel around the clip for the antialiased edges of glyphs.
        if (m_painter.hasClipping())
            m_visibleArea = m_painter.clipBoundingRect().adjusted(-1, -1, 1, 1);
        // A page writes whole numbers short but fractions to nine digits:
        // in this frame the strokes centred on pixels have whole coordinates.
        m_frameShift = 0.5;
        m_painter.translate(m_frameShift, m_frameShift);
    }
}

QtCanvas::~QtCanvas()
{
    drawWaiting();
    if (m_frameShift != 0)
        m_painter.translate(-m_frameShift, -m_frameShift);
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

void QtCanvas::setPen(ColorRef colour, int width)
{
    if (colour == m_penColour && width == m_penWidth)
        return;
    drawPendingLines();
    m_penColour = colour;
    m_penWidth = width;
    m_strokePen = QPen(toQColor(colour), width);
    // An odd-width stroke is centred on the middle of its pixels, so that a
    // one-pixel line at a whole coordinate fills one row, not two grey ones.
    m_strokeOffset = width % 2 != 0 ? 0.5 : 0.0;
    if (!m_heldTextColour)
        m_painter.setPen(m_strokePen);
}

void QtCanvas::useStrokePen()
{
    if (!m_heldTextColour)
        return;
    m_painter.setPen(m_strokePen);
    m_heldTextColour.reset();
}

void QtCanvas::useTextPen()
{
    if (m_heldTextColour == m_textColour)
        return;
    m_painter.setPen(toQColor(m_textColour));
    m_heldTextColour = m_textColour;
}

void QtCanvas::useFont()
{
    if (m_heldFont == m_wantedFont)
        return;
    m_painter.setFont(m_fonts[m_wantedFont].qfont);
    m_heldFont = m_wantedFont;
}

QtCanvas::FontEntry& QtCanvas::wantedFont()
{
    FontEntry& entry = m_fonts[m_wantedFont];
    if (entry.metrics)
        return entry;
    useFont();
    entry.painterFont = m_painter.font();
    // The painter's font carries the device's resolution.
    if (m_resolution == FontResolution::Drawing && m_painter.device()) {
        entry.metrics.emplace(entry.painterFont, m_painter.device());
        entry.ascent = QFontMetricsF(entry.painterFont, m_painter.device()).ascent();
    } else {
        entry.metrics.emplace(entry.painterFont);
        entry.ascent = QFontMetricsF(entry.painterFont).ascent();
    }
    return entry;
}

// One line of the text as the painter's drawText lays it out, or none for
// texts it would break or place otherwise.
std::optional<QtCanvas::ShapedText> QtCanvas::shape(const QString& text, const QFont& font,
                                                    Qt::LayoutDirection direction)
{
    bool plain = !text.isEmpty() && std::none_of(text.begin(), text.end(), [](QChar character) {
        return character.unicode() < 0x20 || character == QChar::LineSeparator ||
               character == QChar::ParagraphSeparator;
    });
    if (!plain)
        return std::nullopt;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(direction);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid() || layout.lineCount() != 1 || line.textLength() != text.size())
        return std::nullopt;
    ShapedText shaped{layout.glyphRuns(), line.ascent(), QRectF()};
    for (const QGlyphRun& run : shaped.runs)
        shaped.bounds |= run.boundingRect();
    return shaped;
}

const QtCanvas::ShapedText* QtCanvas::shapedText(FontEntry& entry, std::string_view utf8)
{
    auto found = entry.shapedTexts.find(utf8);
    if (found == entry.shapedTexts.end()) {
        auto shaped = shape(toQString(utf8), entry.painterFont, m_painter.layoutDirection());
        found = entry.shapedTexts.emplace(std::string(utf8), std::move(shaped)).first;
    }
    return found->second ? &*found->second : nullptr;
}

QPointF QtCanvas::strokePoint(double x, double y) const
{
    return QPointF(x + m_strokeOffset - m_frameShift, y + m_strokeOffset - m_frameShift);
}

void QtCanvas::strokeLine(QPointF from, QPointF to)
{
    if (m_use == PainterUse::Exclusive) {
        if (!m_waitingTexts.empty() && touchesWaitingText(from, to))
            drawWaiting();
        useStrokePen();
        m_pendingLines.emplace_back(from, to);
    } else {
        useStrokePen();
        m_painter.drawLine(from, to);
    }
}

void QtCanvas::drawPendingLines()
{
    if (m_pendingLines.empty())
        return;
    m_painter.drawLines(m_pendingLines.data(), static_cast<int>(m_pendingLines.size()));
    m_pendingLines.clear();
}

void QtCanvas::drawWaiting()
{
    drawPendingLines();
    for (const WaitingText& text : m_waitingTexts) {
        if (m_heldTextColour != text.colour) {
            m_painter.setPen(toQColor(text.colour));
            m_heldTextColour = text.colour;
        }
        for (const QGlyphRun& run : text.runs)
            m_painter.drawGlyphRun(text.lineTop, run);
    }
    m_waitingTexts.clear();
}

void QtCanvas::beforeShape(bool touchesTexts)
{
    if (touchesTexts)
        drawWaiting();
    else
        drawPendingLines();
}

namespace {

// How far beyond its geometry a stroke of the width may colour pixels.
double strokeReach(int width)
{
    return std::max(width, 1) / 2.0 + 1.5;
}

// Whether the segment meets the box (Liang and Barsky's clipping).
bool segmentMeetsBox(QPointF from, QPointF to, const QRectF& box)
{
    double start = 0;
    double end = 1;
    double dx = to.x() - from.x();
    double dy = to.y() - from.y();
    const double steps[4] = {-dx, dx, -dy, dy};
    const double room[4] = {from.x() - box.left(), box.right() - from.x(), from.y() - box.top(),
                            box.bottom() - from.y()};
    for (int side = 0; side < 4; ++side) {
        if (steps[side] == 0) {
            if (room[side] < 0)
                return false;
            continue;
        }
        double at = room[side] / steps[side];
        if (steps[side] < 0)
            start = std::max(start, at);
        else
            end = std::min(end, at);
        if (start > end)
            return false;
    }
    return true;
}

} // namespace

bool QtCanvas::touchesWaitingText(QPointF from, QPointF to) const
{
    double reach = strokeReach(m_penWidth);
    return std::any_of(m_waitingTexts.begin(), m_waitingTexts.end(), [&](const WaitingText& text) {
        return segmentMeetsBox(from, to, text.reach.adjusted(-reach, -reach, reach, reach));
    });
}

bool QtCanvas::touchesWaitingText(const QRectF& box) const
{
    return std::any_of(m_waitingTexts.begin(), m_waitingTexts.end(),
                       [&](const WaitingText& text) { return text.reach.intersects(box); });
}

// The outline of an ellipse meets a box when the box reaches past the
// outline's inner edge and into its outer edge; scaling the axes to a
// unit circle keeps boxes boxes.
bool QtCanvas::touchesWaitingTextRing(const QRectF& ellipse) const
{
    double reach = strokeReach(m_penWidth);
    QPointF centre = ellipse.center();
    double outerX = ellipse.width() / 2 + reach;
    double outerY = ellipse.height() / 2 + reach;
    double innerX = ellipse.width() / 2 - reach;
    double innerY = ellipse.height() / 2 - reach;
    auto inside = [&](double x, double y, double radiusX, double radiusY) {
        double u = (x - centre.x()) / radiusX;
        double v = (y - centre.y()) / radiusY;
        return u * u + v * v < 1;
    };
    return std::any_of(m_waitingTexts.begin(), m_waitingTexts.end(), [&](const WaitingText& text) {
        const QRectF& box = text.reach;
        double nearestX = std::clamp(centre.x(), box.left(), box.right());
        double nearestY = std::clamp(centre.y(), box.top(), box.bottom());
        if (!inside(nearestX, nearestY, outerX, outerY))
            return false;
        if (innerX <= 0 || innerY <= 0)
            return true;
        return !(inside(box.left(), box.top(), innerX, innerY) &&
                 inside(box.right(), box.top(), innerX, innerY) &&
                 inside(box.left(), box.bottom(), innerX, innerY) &&
                 inside(box.right(), box.bottom(), innerX, innerY));
    });
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
    m_filling = true;
}

void QtCanvas::clearBrush()
{
    m_painter.setBrush(Qt::NoBrush);
    m_filling = false;
}

bool QtCanvas::outlineTouchesWaitingText(std::span<const QPointF> points, bool closed) const
{
    if (m_waitingTexts.empty() || points.empty())
        return false;
    if (m_filling) {
        QRectF box(points.front(), points.front());
        for (QPointF point : points)
            box |= QRectF(point, point);
        double reach = strokeReach(m_penWidth);
        return touchesWaitingText(box.adjusted(-reach, -reach, reach, reach));
    }
    for (std::size_t index = 1; index < points.size(); ++index)
        if (touchesWaitingText(points[index - 1], points[index]))
            return true;
    return closed && touchesWaitingText(points.back(), points.front());
}

void QtCanvas::setFont(const CanvasFont& font)
{
    for (std::size_t index = 0; index < m_fonts.size(); ++index) {
        const CanvasFont& known = m_fonts[index].font;
        if (known.name == font.name && known.size == font.size &&
            known.pixelHeight == font.pixelHeight && known.bold == font.bold &&
            known.italic == font.italic) {
            m_wantedFont = index;
            return;
        }
    }
    FontEntry entry;
    entry.font = font;
    entry.qfont = fontFor(font);
    m_fonts.push_back(std::move(entry));
    m_wantedFont = m_fonts.size() - 1;
}

void QtCanvas::moveTo(double x, double y)
{
    m_position = QPointF(x, y);
}

void QtCanvas::lineTo(double x, double y)
{
    strokeLine(strokePoint(m_position.x(), m_position.y()), strokePoint(x, y));
    m_position = QPointF(x, y);
}

void QtCanvas::line(double x1, double y1, double x2, double y2)
{
    strokeLine(strokePoint(x1, y1), strokePoint(x2, y2));
}

void QtCanvas::polyline(std::span<const CanvasPoint> points)
{
    auto converted = strokePoints(points);
    beforeShape(outlineTouchesWaitingText(converted, false));
    useStrokePen();
    m_painter.drawPolyline(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::polygon(std::span<const CanvasPoint> points)
{
    auto converted = strokePoints(points);
    beforeShape(outlineTouchesWaitingText(converted, true));
    useStrokePen();
    m_painter.drawPolygon(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    QRectF bounds = QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized();
    double reach = strokeReach(m_penWidth);
    beforeShape(!m_waitingTexts.empty() &&
                (m_filling ? touchesWaitingText(bounds.adjusted(-reach, -reach, reach, reach))
                           : touchesWaitingTextRing(bounds)));
    useStrokePen();
    m_painter.drawEllipse(bounds);
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    QRectF bounds = QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized();
    const QPointF corners[4] = {bounds.topLeft(), bounds.topRight(), bounds.bottomRight(),
                                bounds.bottomLeft()};
    beforeShape(outlineTouchesWaitingText(corners, true));
    useStrokePen();
    m_painter.drawRect(bounds);
}

void QtCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    QPointF shift(m_frameShift, m_frameShift);
    QRectF box(QPointF(x1, y1) - shift, QPointF(x2, y2) - shift);
    beforeShape(!m_waitingTexts.empty() &&
                touchesWaitingText(box.normalized().adjusted(-1, -1, 1, 1)));
    m_painter.fillRect(box, toQColor(colour));
}

void QtCanvas::text(double x, double y, std::string_view utf8)
{
    FontEntry& font = wantedFont();
    // The text's top at y: its baseline an ascent of the font lower.
    double baseline = y + font.ascent;
    const ShapedText* shaped = shapedText(font, utf8);
    if (shaped && m_visibleArea &&
        !m_visibleArea->intersects(shaped->bounds.translated(x, baseline - shaped->ascent)))
        return;
    x -= m_frameShift;
    baseline -= m_frameShift;
    if (shaped && m_use == PainterUse::Exclusive) {
        QPointF lineTop(x, baseline - shaped->ascent);
        // Glyphs may reach a little past their boxes; antialiasing a pixel more.
        QRectF reach = shaped->bounds.translated(lineTop).adjusted(-2, -2, 2, 2);
        m_waitingTexts.push_back(WaitingText{shaped->runs, lineTop, m_textColour, reach});
        return;
    }
    drawWaiting();
    useTextPen();
    if (shaped) {
        QPointF lineTop(x, baseline - shaped->ascent);
        for (const QGlyphRun& run : shaped->runs)
            m_painter.drawGlyphRun(lineTop, run);
        return;
    }
    useFont();
    m_painter.drawText(QPointF(x, baseline), toQString(utf8));
}

int QtCanvas::textWidth(std::string_view utf8)
{
    return wantedFont().metrics->horizontalAdvance(toQString(utf8));
}

int QtCanvas::textHeight()
{
    return wantedFont().metrics->height();
}

ColorRef QtCanvas::pixel(int x, int y)
{
    drawWaiting();
    if (!m_image || !m_image->valid(x, y))
        return kWhite;
    return fromQColor(m_image->pixelColor(x, y));
}

} // namespace kestrane
