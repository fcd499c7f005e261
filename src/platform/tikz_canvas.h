// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

// How a TikZ picture is written: the pixels per centimetre, and whether it
// is wrapped in a whole standalone LaTeX document.
struct TikzOptions {
    double pixelsPerCentimetre = 40;
    bool standalone = false;
};

// A canvas that writes a tikzpicture for LaTeX worksheets: the shapes the
// window paints, in centimetres with y upward (pixel y is flipped over the
// height), clipped to the drawing area. Colours become \definecolor names;
// short labels such as "C1" are set in mathematics as $C_{1}$.
class TikzCanvas final : public Canvas {
public:
    TikzCanvas(int width, int height, TikzOptions options = {});

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

    // The widths of the sans fonts (sans_metrics.h) at the font's size in
    // pixels, so that texts are laid out as on the screen.
    int textWidth(std::string_view utf8) override;
    int textHeight() override;
    ColorRef pixel(int, int) override { return kWhite; }

    // The picture, or the whole document when standalone.
    std::string document() const;

private:
    std::string colourName(ColorRef colour);
    double fontPixels() const;
    std::string coordinate(double x, double y) const;
    const std::string& drawOptions();
    std::string fillOptions();
    std::string path(std::span<const CanvasPoint> points, bool closed) const;
    bool joinLabelIndex(double x, double y, std::string_view utf8);

    // The last text when it was a single letter: where it was drawn and
    // where its node ends in the body.
    struct Letter {
        double x = 0;
        double y = 0;
        char letter = 0;
        std::size_t end = 0;
    };

    int m_width;
    int m_height;
    TikzOptions m_options;
    std::string m_body;
    // The pen's options, made again after each pen change.
    std::string m_drawOptions;
    std::vector<ColorRef> m_colours;
    ColorRef m_pen = kBlack;
    int m_penWidth = 1;
    bool m_brushClear = true;
    ColorRef m_brush = kWhite;
    ColorRef m_textColour = kBlack;
    CanvasFont m_font;
    CanvasPoint m_position;
    std::optional<Letter> m_letter;
};

// LaTeX text for a drawn text: a label of letters and digits ("C1") as
// $C_{1}$, anything else with the special characters escaped.
std::string tikzText(std::string_view utf8);

} // namespace kestrane
