// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <optional>
#include <span>
#include <string>
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

// Whether others paint with the canvas's painter while the canvas lives.
enum class PainterUse {
    // Its owner may change the painter between two paintings on one canvas
    // (the window scrolls the scene but not the overlay): every drawing
    // reaches the painter as it is asked for.
    Shared,
    // The canvas alone paints until it ends, as on a page, and writes the
    // page short: runs of lines with one pen become one path (drawn when
    // anything else is drawn or the canvas ends), strokes centred on pixels
    // get whole coordinates in a frame shifted by half a pixel, and texts
    // wholly outside the clip are left out. Texts wait until something that
    // could touch them is drawn, so that the strokes between labels that
    // pass clear of them join one path and the pen changes once per run
    // instead of twice per label: the page looks the same, since only
    // drawings that meet can show their order.
    Exclusive,
};

// The canvas of the desktop program, painting with a QPainter (antialiased).
// pixel() reads from an image when the painter paints on one. The painter's
// pen and font are changed only when a drawing needs them changed: labels
// switch between the pen and the text colour, and between two font sizes,
// around every object, and a PDF page writes out its pen at each change.
class QtCanvas final : public Canvas {
public:
    explicit QtCanvas(QPainter& painter, const QImage* image = nullptr,
                      FontResolution resolution = FontResolution::Device,
                      PainterUse use = PainterUse::Shared);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

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
    // A text shaped once: its glyphs placed from the top of its line.
    struct ShapedText {
        QList<QGlyphRun> runs;
        double ascent = 0;
        QRectF bounds;
    };

    // A font of the models as set on this painter, with its metrics once
    // they are asked for, and the texts drawn in it shaped once: labels
    // repeat, and shaping a text costs more than drawing it. Texts that only
    // the painter's drawText places (controls, separators) have no shape.
    struct FontEntry {
        CanvasFont font;
        QFont qfont;
        // As the painter holds it once set: resolved for the device.
        QFont painterFont;
        std::optional<QFontMetrics> metrics;
        double ascent = 0;
        std::map<std::string, std::optional<ShapedText>, std::less<>> shapedTexts;
    };

    // A text drawn on a page only when something that might touch it is
    // drawn: its glyphs, where they stand, their colour and the box that
    // holds their ink with a margin for antialiasing.
    struct WaitingText {
        QList<QGlyphRun> runs;
        QPointF lineTop;
        ColorRef colour;
        QRectF reach;
    };

    QPointF strokePoint(double x, double y) const;
    // Whether a stroke or a shape covering the box may touch a waiting text.
    bool touchesWaitingText(QPointF from, QPointF to) const;
    bool touchesWaitingText(const QRectF& box) const;
    bool touchesWaitingTextRing(const QRectF& ellipse) const;
    // The edges of an outline, or the box of a filled shape.
    bool outlineTouchesWaitingText(std::span<const QPointF> points, bool closed) const;
    // Draw the pending lines, then the waiting texts, in the order asked for.
    void drawWaiting();
    // Before a shape drawn now: the pending lines are drawn, and the waiting
    // texts too unless the shape stays clear of them.
    void beforeShape(bool touchesTexts);
    void strokeLine(QPointF from, QPointF to);
    void drawPendingLines();
    QFont fontFor(const CanvasFont& font) const;
    std::vector<QPointF> strokePoints(std::span<const CanvasPoint> points) const;
    // Give the painter the pen of strokes, the pen of texts, or the font
    // last asked for.
    void useStrokePen();
    void useTextPen();
    void useFont();
    // The font last asked for, measured.
    FontEntry& wantedFont();
    static std::optional<ShapedText> shape(const QString& text, const QFont& font,
                                           Qt::LayoutDirection direction);
    const ShapedText* shapedText(FontEntry& entry, std::string_view utf8);

    QPainter& m_painter;
    const QImage* m_image;
    FontResolution m_resolution;
    PainterUse m_use;
    std::vector<QLineF> m_pendingLines;
    std::vector<WaitingText> m_waitingTexts;
    // The clip's bounds, when the painter is the canvas's alone.
    std::optional<QRectF> m_visibleArea;
    // How far the painter's frame is shifted from the drawing's.
    double m_frameShift = 0;
    QPointF m_position;
    double m_strokeOffset = 0.5;
    ColorRef m_textColour = kBlack;
    ColorRef m_penColour = kBlack;
    int m_penWidth = 1;
    bool m_filling = false;
    QPen m_strokePen;
    // The colour of texts while the painter holds their pen instead of the
    // stroke pen.
    std::optional<ColorRef> m_heldTextColour;
    std::vector<FontEntry> m_fonts;
    std::size_t m_wantedFont = 0;
    std::optional<std::size_t> m_heldFont;
};

} // namespace kestrane
