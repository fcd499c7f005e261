// SPDX-License-Identifier: GPL-3.0-or-later
// A font given in pixels: the off-screen canvases size text by it and share
// the fixed metric of kestrane-cli (3/5 of the height per character).
#include "platform/recording_canvas.h"
#include "platform/svg_canvas.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(CanvasFontTest, APixelHeightWinsOverThePointSize)
{
    CanvasFont font;
    font.size = 30;
    font.pixelHeight = 20;
    RecordingCanvas recording;
    SvgCanvas svg(100, 100);
    for (Canvas* canvas : {static_cast<Canvas*>(&recording), static_cast<Canvas*>(&svg)}) {
        canvas->setFont(font);
        EXPECT_EQ(canvas->textWidth("+"), 12);
        EXPECT_EQ(canvas->textWidth("12.5"), 48);
        EXPECT_EQ(canvas->textWidth("\u03C0"), 12); // one character, two bytes
    }
    EXPECT_EQ(recording.textHeight(), 20);
    svg.text(0, 0, "x");
    EXPECT_NE(svg.document().find("font-size=\"20px\""), std::string::npos);

    font.pixelHeight = 0;
    recording.setFont(font);
    EXPECT_EQ(recording.textWidth("+"), (30 * 6 + 5) / 10);
}

} // namespace
} // namespace kestrane
