// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/svg_canvas.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(SvgCanvas, ShapesCarryPenBrushAndPlacement)
{
    SvgCanvas canvas(800, 550);
    canvas.setPen(rgb(255, 0, 0));
    canvas.line(1, 2, 3.5, 4);
    canvas.setBrush(rgb(0, 0, 255));
    CanvasPoint corners[] = {{0, 0}, {10, 0}, {5, 8}};
    canvas.polygon(corners);
    canvas.clearBrush();
    canvas.ellipse(0, 0, 20, 10);
    CanvasFont font;
    font.size = 9;
    canvas.setFont(font);
    canvas.setTextColour(rgb(0, 128, 0));
    canvas.text(5, 6, "a<b & c");
    std::string svg = canvas.document();
    EXPECT_NE(svg.find("width=\"800\" height=\"550\""), std::string::npos);
    // One-pixel strokes stand on the middle of their pixels.
    EXPECT_NE(svg.find("<line x1=\"1.5\" y1=\"2.5\" x2=\"4\" y2=\"4.5\" stroke=\"#ff0000\""),
              std::string::npos);
    EXPECT_NE(svg.find("<polygon points=\"0.5,0.5 10.5,0.5 5.5,8.5\" fill=\"#0000ff\""),
              std::string::npos);
    EXPECT_NE(svg.find("<ellipse cx=\"10.5\" cy=\"5.5\" rx=\"10\" ry=\"5\" fill=\"none\""),
              std::string::npos);
    // Text by its top-left corner (the baseline one ascent lower), 9 points at
    // 96 dots per inch.
    EXPECT_NE(svg.find("<text x=\"5\" y=\"16.86\""), std::string::npos);
    EXPECT_NE(svg.find("font-size=\"12px\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"#008000\" xml:space=\"preserve\">a&lt;b &amp; c</text>"),
              std::string::npos);
}

TEST(SvgCanvas, MoveAndLineToDrawFromTheLastPosition)
{
    SvgCanvas canvas(10, 10);
    canvas.moveTo(1, 1);
    canvas.lineTo(5, 1);
    canvas.lineTo(5, 5);
    std::string svg = canvas.document();
    EXPECT_NE(svg.find("x1=\"1.5\" y1=\"1.5\" x2=\"5.5\" y2=\"1.5\""), std::string::npos);
    EXPECT_NE(svg.find("x1=\"5.5\" y1=\"1.5\" x2=\"5.5\" y2=\"5.5\""), std::string::npos);
    EXPECT_EQ(cssColour(rgb(1, 2, 3)), "#010203");
}

TEST(SvgCanvas, EvenStrokesAndHugeNumbersAreWrittenWhole)
{
    SvgCanvas canvas(10, 10);
    canvas.setPen(0, 2);
    canvas.line(1, 1, 5, 1);
    canvas.setPen(0, 1);
    canvas.line(0, 0, 1e300, 0);
    std::string svg = canvas.document();
    EXPECT_NE(svg.find("x1=\"1\" y1=\"1\" x2=\"5\" y2=\"1\""), std::string::npos);
    EXPECT_NE(svg.find("x2=\"1000000000000000052504760255204420248704468581108159154915854115"),
              std::string::npos);
}

} // namespace
} // namespace kestrane
