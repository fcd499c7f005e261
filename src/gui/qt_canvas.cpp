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
    drawPendingLines();
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
    useStrokePen();
    if (m_use == PainterUse::Exclusive)
        m_pendingLines.emplace_back(from, to);
    else
        m_painter.drawLine(from, to);
}

void QtCanvas::drawPendingLines()
{
    if (m_pendingLines.empty())
        return;
    m_painter.drawLines(m_pendingLines.data(), static_cast<int>(m_pendingLines.size()));
    m_pendingLines.clear();
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
    drawPendingLines();
    useStrokePen();
    auto converted = strokePoints(points);
    m_painter.drawPolyline(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::polygon(std::span<const CanvasPoint> points)
{
    drawPendingLines();
    useStrokePen();
    auto converted = strokePoints(points);
    m_painter.drawPolygon(converted.data(), static_cast<int>(converted.size()));
}

void QtCanvas::ellipse(double x1, double y1, double x2, double y2)
{
    drawPendingLines();
    useStrokePen();
    m_painter.drawEllipse(QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized());
}

void QtCanvas::rectangle(double x1, double y1, double x2, double y2)
{
    drawPendingLines();
    useStrokePen();
    m_painter.drawRect(QRectF(strokePoint(x1, y1), strokePoint(x2, y2)).normalized());
}

void QtCanvas::fillRect(double x1, double y1, double x2, double y2, ColorRef colour)
{
    drawPendingLines();
    QPointF shift(m_frameShift, m_frameShift);
    m_painter.fillRect(QRectF(QPointF(x1, y1) - shift, QPointF(x2, y2) - shift), toQColor(colour));
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
    drawPendingLines();
    useTextPen();
    x -= m_frameShift;
    baseline -= m_frameShift;
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
    drawPendingLines();
    if (!m_image || !m_image->valid(x, y))
        return kWhite;
    return fromQColor(m_image->pixelColor(x, y));
}

} // namespace kestrane
