// SPDX-License-Identifier: GPL-3.0-or-later
// The Font window: pixel heights from the ones it offers, the desktop's
// choice brought to them, OK without a change keeping the font exactly, and
// the example drawn in the chosen font; Options > Font of both windows.
#include "expressions/expression_test_support.h"
#include "fractions/calculator.h"
#include "fractions/colors_dialog.h"
#include "fractions/font_window.h"
#include "fractions/fractions_window.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

TEST(FontWindowTest, OffersEvenPixelHeights)
{
    std::vector<int> heights = FontWindow::heights();
    ASSERT_FALSE(heights.empty());
    EXPECT_EQ(heights.front(), FontWindow::kMinimumHeight);
    EXPECT_EQ(heights.back(), FontWindow::kMaximumHeight);
    for (int height : heights)
        EXPECT_TRUE(FontWindow::offersHeight(height) && height % 2 == 0) << height;
    const std::pair<int, int> nearest[] = {{25, 26}, {26, 26}, {3, 8}, {200, 96}, {-1, 8}};
    for (const auto& [asked, offered] : nearest)
        EXPECT_EQ(FontWindow::nearestHeight(asked), offered) << asked;
    EXPECT_FALSE(FontWindow::offersHeight(25));
    EXPECT_FALSE(FontWindow::offersHeight(98));
}

TEST(FontWindowTest, BrowseTakesTheDesktopsChoiceInPixels)
{
    ScriptedHost host;
    FontWindow window("Arial", 20);
    EXPECT_FALSE(window.browse(host));
    EXPECT_EQ(window.fontName(), "Arial");
    EXPECT_EQ(window.fontHeight(), 20);
    // The desktop may give a negative height (character height) or an odd one.
    host.answerFont(FontChoice{"Liberation Serif", -17});
    EXPECT_TRUE(window.browse(host));
    EXPECT_EQ(window.fontName(), "Liberation Serif");
    EXPECT_EQ(window.fontHeight(), 18);
    host.answerFont(FontChoice{"Courier", 300});
    EXPECT_TRUE(window.browse(host));
    EXPECT_EQ(window.fontHeight(), FontWindow::kMaximumHeight);
}

TEST(FontWindowTest, TheExampleIsAnExpressionInTheChosenFont)
{
    FontWindow window("Courier", 40);
    RecordingCanvas canvas;
    window.paintExample(canvas, 480, 260);
    std::vector<std::string> texts = canvas.texts();
    for (const char* text : {"1", "2", "3"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    for (const auto& call : canvas.callsOf(RecordingCanvas::Shape::Text)) {
        EXPECT_EQ(call.font.name, "Courier");
        EXPECT_EQ(call.font.pixelHeight, 40);
        EXPECT_GE(call.points[0].x, 0);
        EXPECT_LE(call.points[0].x, 480);
    }
    // A root is drawn.
    EXPECT_FALSE(canvas.callsOf(RecordingCanvas::Shape::Polyline).empty());
}

// Options > Font of both windows: the Font window opens on the current font;
// OK without a change keeps it exactly, however often; a choice applies.
class WindowFontTest : public ::testing::Test {
protected:
    // Plays the Font window: records what it opened with, then as told.
    void answer(std::function<void(FontWindow&)> act, DialogResult result)
    {
        m_host.answerDialog([this, act, result](ModalDialog& dialog) {
            auto& window = dynamic_cast<FontWindow&>(dialog);
            m_opened = FontChoice{window.fontName(), window.fontHeight()};
            act(window);
            return result;
        });
    }

    ScriptedHost m_host;
    RecordingCanvas m_metrics;
    FontChoice m_opened;
};

TEST_F(WindowFontTest, OkWithoutAChangeKeepsNameAndHeight)
{
    FractionsWindow window(m_host, m_metrics);
    WindowOptions options;
    options.fontName = "Liberation Sans";
    options.fontHeight = 26;
    window.setOptions(options);
    for (int round = 0; round < 3; ++round) {
        answer([](FontWindow&) {}, DialogResult::Accepted);
        ASSERT_TRUE(window.menu("Font"));
        EXPECT_EQ(m_opened.name, "Liberation Sans");
        EXPECT_EQ(m_opened.height, 26);
        EXPECT_EQ(window.options().fontName, "Liberation Sans");
        EXPECT_EQ(window.options().fontHeight, 26);
    }
    answer([](FontWindow& font) { font.setHeight(40); }, DialogResult::Rejected);
    window.menu("Font");
    EXPECT_EQ(window.options().fontHeight, 26);
}

TEST_F(WindowFontTest, AChosenHeightMeasuresTheCalculatorAgain)
{
    MemoryClipboard clipboard;
    Calculator calculator(m_host, clipboard, m_metrics);
    calculator.editor().setExpression(testing::parsed("12345"));
    int width = calculator.editor().expression().width;
    answer(
        [](FontWindow& font) {
            font.choose(FontChoice{"Courier", 30});
        },
        DialogResult::Accepted);
    ASSERT_TRUE(calculator.menu("Font"));
    EXPECT_EQ(calculator.options().fontHeight, 30);
    EXPECT_EQ(calculator.options().fontName, "Courier");
    EXPECT_GT(calculator.editor().expression().width, width);
}

} // namespace
} // namespace kestrane
