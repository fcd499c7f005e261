// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/graph_plot.h"
#include "platform/json_writer.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

std::string plotJson(const GraphPlot& value)
{
    JsonWriter json;
    writePlotJson(json, value);
    return json.take();
}

NumericProgram compiled(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    EXPECT_TRUE(parsed.tree) << parsed.error;
    return NumericProgram::compile(*parsed.tree);
}

TEST(GraphPlot, FailedSampleBreaksTheLine)
{
    PixelRect rect = PixelRect::normalised(100, 100, 300, 250);
    GraphPlot plot = plotGraph(compiled("1/x"), rect, -1, 1);
    EXPECT_EQ(plot.samples, 200);
    // An even count over a symmetric domain samples 0 exactly.
    EXPECT_EQ(plot.failed, 1);
    ASSERT_EQ(plot.pieces.size(), 2u);
    EXPECT_EQ(plot.pieces[0].size(), 100u);
    EXPECT_EQ(plot.pieces[1].front().first, 201);
    ASSERT_TRUE(plot.range);
    EXPECT_FLOAT_EQ(plot.range->first, -100);
    EXPECT_FLOAT_EQ(plot.range->second, 100);
    // The samples fill the rectangle's height.
    EXPECT_EQ(plot.pieces[0][99].second, 250);
    EXPECT_EQ(plot.pieces[1][0].second, 100);
}

TEST(GraphPlot, SamplesMapToPixelsAndTicksFollowTheRange)
{
    PixelRect rect = PixelRect::normalised(500, 400, 0, 0);
    EXPECT_EQ(rect.x1, 0);
    EXPECT_EQ(rect.y2, 400);
    GraphPlot plot = plotGraph(compiled("2*x"), rect, 0, 5);
    ASSERT_TRUE(plot.range);
    EXPECT_FALSE(plot.constant);
    ASSERT_EQ(plot.pieces.size(), 1u);
    EXPECT_EQ(plot.pieces[0].front(), std::make_pair(0, 400));
    EXPECT_EQ(plot.ticksX.k, 9);
    EXPECT_EQ(plot.ticksX.step(), 1.0);
    EXPECT_EQ(plot.ticksX.labels.back(), "5");
    EXPECT_EQ(plot.ticksY.step(), 2.0);
}

TEST(GraphPlot, ConstantFunctionIsALineAcrossTheMiddleWithOneTick)
{
    PixelRect rect{0, 0, 100, 80};
    GraphPlot plot = plotGraph(compiled("3+0*x"), rect, 0, 1);
    EXPECT_TRUE(plot.constant);
    ASSERT_EQ(plot.pieces.size(), 1u);
    for (auto [x, y] : plot.pieces[0])
        EXPECT_EQ(y, 40);
    EXPECT_EQ(plot.ticksY.labels, std::vector<std::string>{"3"});
    EXPECT_EQ(plot.ticksY.positions, std::vector<int>{40});
}

TEST(GraphPlot, NothingDefinedLeavesOnlyTheXTicks)
{
    GraphPlot plot = plotGraph(compiled("log(x)"), PixelRect{0, 0, 100, 100}, -2, -1);
    EXPECT_FALSE(plot.range);
    EXPECT_TRUE(plot.pieces.empty());
    EXPECT_EQ(plot.failed, 100);
    EXPECT_FALSE(plot.ticksX.empty());
    EXPECT_TRUE(plot.ticksY.empty());
    EXPECT_NE(plotJson(plot).find("\"range\":null"), std::string::npos);
}

} // namespace
} // namespace kestrane

namespace kestrane {
namespace {

bool segmentMeetsBox(const RecordingCanvas::Call& line, double left, double top, double right,
                     double bottom)
{
    const CanvasPoint& a = line.points.front();
    const CanvasPoint& b = line.points.back();
    for (double t = 0; t <= 1; t += 1.0 / 256) {
        double x = a.x + (b.x - a.x) * t;
        double y = a.y + (b.y - a.y) * t;
        if (x > left && x < right && y > top && y < bottom)
            return true;
    }
    return false;
}

// The arrowheads (a quarter of the tick spacing) at the ends of the axes
// never cross a tick label: the last label moves inside, or is left out
// when there is no room for it.
TEST(GraphAxes, ArrowheadsCrossNoTickLabel)
{
    struct Case {
        const char* name;
        PixelRect rect;
        double xMin;
        double xMax;
    };
    const Case cases[] = {
        {"wide, labels at both ends", {60, 40, 460, 260}, -4, 4},
        {"square", {60, 300, 260, 480}, -1, 1},
        {"narrow ticks", {0, 0, 120, 90}, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphPlot plot = plotGraph(compiled("x*x*x-x"), c.rect, c.xMin, c.xMax);
        RecordingCanvas canvas;
        paintGraph(canvas, plot, c.rect, kRed);
        std::vector<RecordingCanvas::Call> heads;
        for (const RecordingCanvas::Call& line : canvas.callsOf(RecordingCanvas::Shape::Line)) {
            const CanvasPoint& from = line.points.front();
            bool fromTip = (from.x == c.rect.x2 && from.y == c.rect.y2) ||
                           (from.x == c.rect.x1 && from.y == c.rect.y1);
            const CanvasPoint& to = line.points.back();
            if (fromTip && to.x != c.rect.x1 && to.y != c.rect.y2)
                heads.push_back(line);
        }
        ASSERT_EQ(heads.size(), 4u);
        std::size_t labels = 0;
        for (const RecordingCanvas::Call& text : canvas.callsOf(RecordingCanvas::Shape::Text)) {
            ++labels;
            RecordingCanvas measure;
            measure.setFont(text.font);
            double left = text.points.front().x;
            double top = text.points.front().y;
            double right = left + measure.textWidth(text.text);
            double bottom = top + measure.textHeight();
            for (const RecordingCanvas::Call& head : heads)
                EXPECT_FALSE(segmentMeetsBox(head, left, top, right, bottom)) << text.text;
        }
        std::size_t ticks = plot.ticksX.labels.size() + plot.ticksY.labels.size();
        EXPECT_GE(labels + 2, ticks) << "at most the two last labels are left out";
    }
}

} // namespace
} // namespace kestrane
