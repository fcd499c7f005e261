// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/curve_plot.h"
#include "platform/json_writer.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

std::string curvePlotJson(const CurvePlot& value)
{
    JsonWriter json;
    writeCurvePlotJson(json, value);
    return json.take();
}

NumericProgram program(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    EXPECT_TRUE(parsed.tree) << text << ": " << parsed.error;
    return NumericProgram::compile(*parsed.tree);
}

NumericProgram analytic(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    EXPECT_TRUE(parsed.tree) << text << ": " << parsed.error;
    return NumericProgram::compileComplex(*parsed.tree);
}

constexpr double kTurn = 6.283185307179586;

struct Curve {
    NumericProgram x;
    NumericProgram y;
    std::vector<NumericProgram> functions;
    double tMin = 0;
    double tMax = 1;

    CurvePlot plot(const PixelRect& rect, AspectRatio aspect = AspectRatio::Stretch) const
    {
        return plotCurve(CurveSource{x, y, functions, tMin, tMax}, rect, aspect);
    }
};

Curve circle()
{
    return Curve{program("cos(x)"), program("sin(x)"), {}, 0, kTurn};
}

TEST(CurvePlot, KeptAspectDrawsACircleRoundInAWideRectangle)
{
    CurvePlot plot = circle().plot({100, 100, 500, 300}, AspectRatio::Keep);
    ASSERT_TRUE(plot.drawnBox);
    const PixelRect& box = *plot.drawnBox;
    EXPECT_EQ(box.width(), box.height());
    // The height fills the drawing area; the x range was widened about its
    // centre to the same units per pixel.
    EXPECT_EQ(box.y1, 140);
    EXPECT_EQ(box.y2, 260);
    EXPECT_EQ((box.x1 + box.x2) / 2, 300);
    ASSERT_TRUE(plot.box);
    EXPECT_NEAR(plot.box->xMax - plot.box->xMin, 2.0 * 320 / 120, 1e-5);
}

TEST(CurvePlot, StretchedCurveFillsTheDrawingArea)
{
    CurvePlot plot = circle().plot({100, 100, 500, 300});
    ASSERT_TRUE(plot.drawnBox);
    EXPECT_EQ(plot.drawnBox->x1, 140);
    EXPECT_EQ(plot.drawnBox->x2, 460);
    EXPECT_EQ(plot.drawnBox->y1, 140);
    EXPECT_EQ(plot.drawnBox->y2, 260);
    EXPECT_EQ(plot.samples, 1001);
    EXPECT_EQ(plot.failed, 0);
    ASSERT_EQ(plot.pieces.size(), 1U);
    EXPECT_EQ(plot.pieces[0].size(), 1001U);
    // Ticks over the drawing area's lengths: (320 * 9 / 10) / 50 = 5.
    EXPECT_EQ(plot.ticksX.k, 5);
    EXPECT_EQ(plot.ticksY.k, 2);
}

TEST(CurvePlot, TheParameterRunsOverTheIntervalInThousandths)
{
    Curve line{program("x"), program("x^2"), {}, -2, 3};
    CurvePlot plot = line.plot({0, 0, 400, 400});
    ASSERT_TRUE(plot.box);
    EXPECT_DOUBLE_EQ(plot.box->xMin, -2);
    EXPECT_DOUBLE_EQ(plot.box->xMax, 3);
    EXPECT_NEAR(plot.box->yMin, 0, 1e-6);
    EXPECT_DOUBLE_EQ(plot.box->yMax, 9);
    // Backwards intervals are drawn too.
    Curve back{program("x"), program("x"), {}, 1, 0};
    EXPECT_EQ(back.plot({0, 0, 400, 400}).failed, 0);
}

struct DegenerateCase {
    const char* name;
    const char* x;
    const char* y;
    PixelRect rect;
    AspectRatio aspect;
    PixelRect drawn;
};

class DegenerateCurves : public ::testing::TestWithParam<DegenerateCase> {};

// Zero ranges and tiny rectangles are drawn without dividing by zero.
TEST_P(DegenerateCurves, AreDrawnInsideTheirRectangle)
{
    const DegenerateCase& test = GetParam();
    Curve curve{program(test.x), program(test.y), {}};
    CurvePlot plot = curve.plot(test.rect, test.aspect);
    ASSERT_TRUE(plot.drawnBox) << test.name;
    EXPECT_EQ(plot.drawnBox->x1, test.drawn.x1) << test.name;
    EXPECT_EQ(plot.drawnBox->y1, test.drawn.y1) << test.name;
    EXPECT_EQ(plot.drawnBox->x2, test.drawn.x2) << test.name;
    EXPECT_EQ(plot.drawnBox->y2, test.drawn.y2) << test.name;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DegenerateCurves,
    ::testing::Values(
        // x = 1 is widened to [0, 2]: the line stands in the middle.
        DegenerateCase{
            "vertical line", "1", "x", {0, 0, 400, 400}, AspectRatio::Stretch, {200, 40, 200, 360}},
        // Kept: [0, 1] of y is widened to the 2 units of x.
        DegenerateCase{"vertical line kept",
                       "1",
                       "x",
                       {0, 0, 400, 400},
                       AspectRatio::Keep,
                       {200, 120, 200, 280}},
        DegenerateCase{
            "horizontal line", "x", "5", {0, 0, 400, 400}, AspectRatio::Keep, {120, 200, 280, 200}},
        DegenerateCase{
            "point", "2", "3", {0, 0, 400, 200}, AspectRatio::Keep, {200, 100, 200, 100}},
        // Sides below 160 pixels keep a quarter of their length as margin.
        DegenerateCase{
            "small rectangle", "x", "x", {10, 10, 110, 70}, AspectRatio::Stretch, {35, 25, 85, 55}},
        DegenerateCase{"small rectangle kept",
                       "x",
                       "x",
                       {10, 10, 110, 70},
                       AspectRatio::Keep,
                       {45, 25, 75, 55}},
        DegenerateCase{
            "zero width", "x", "x", {50, 0, 50, 400}, AspectRatio::Keep, {50, 40, 50, 360}},
        DegenerateCase{
            "zero size", "x", "x", {50, 50, 50, 50}, AspectRatio::Keep, {50, 50, 50, 50}}));

TEST(CurvePlot, AFailedSampleIsLeftOutAndBreaksTheLine)
{
    Curve curve{program("x"), program("1/(x-1/2)"), {}};
    CurvePlot plot = curve.plot({0, 0, 400, 400});
    EXPECT_EQ(plot.failed, 1);
    ASSERT_EQ(plot.pieces.size(), 2U);
    EXPECT_EQ(plot.pieces[0].size(), 500U);
    EXPECT_EQ(plot.pieces[1].size(), 500U);
    Curve nowhere{program("log(x-2)"), program("x"), {}};
    CurvePlot empty = nowhere.plot({0, 0, 400, 400});
    EXPECT_EQ(empty.failed, 1001);
    EXPECT_FALSE(empty.box);
    EXPECT_FALSE(empty.drawnBox);
    EXPECT_TRUE(empty.pieces.empty());
    EXPECT_EQ(curvePlotJson(empty),
              "{\"samples\":1001,\"failed\":1001,\"box\":null,\"drawnBox\":null,"
              "\"ticksX\":{\"step\":null,\"values\":[],\"labels\":[],\"positions\":[]},"
              "\"ticksY\":{\"step\":null,\"values\":[],\"labels\":[],\"positions\":[]}}");
}

TEST(CurvePlot, AnImageMapsEachPointByTheFunction)
{
    Curve image = circle();
    image.functions.push_back(analytic("z^2+1"));
    CurvePlot plot = image.plot({0, 0, 400, 400}, AspectRatio::Keep);
    ASSERT_TRUE(plot.box);
    EXPECT_NEAR(plot.box->xMin, 0, 1e-5);
    EXPECT_NEAR(plot.box->xMax, 2, 1e-5);
    EXPECT_NEAR(plot.box->yMin, -1, 1e-5);
    EXPECT_NEAR(plot.box->yMax, 1, 1e-5);
    // An image of the image applies both functions.
    image.functions.push_back(analytic("z-1"));
    CurvePlot twice = image.plot({0, 0, 400, 400}, AspectRatio::Keep);
    ASSERT_TRUE(twice.box);
    EXPECT_NEAR(twice.box->xMin, -1, 1e-5);
    // 1/z on a line through 0 fails at 0 only.
    Curve line{program("x-1/2"), program("0"), {analytic("1/z")}};
    EXPECT_EQ(line.plot({0, 0, 400, 400}).failed, 1);
}

TEST(CurvePlot, PaintsAxesOnTheBottomAndLeftEdgesAndTheCurveInItsColour)
{
    CurvePlot plot = circle().plot({100, 100, 500, 300});
    RecordingCanvas canvas;
    paintCurve(canvas, plot, {100, 100, 500, 300}, 0xFFFFFF);
    auto lines = canvas.callsOf(RecordingCanvas::Shape::Line);
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0].points[0].y, 300);
    EXPECT_EQ(lines[0].points[1].y, 300);
    EXPECT_EQ(lines[1].points[0].x, 100);
    EXPECT_EQ(lines[1].points[1].x, 100);
    auto polylines = canvas.callsOf(RecordingCanvas::Shape::Polyline);
    ASSERT_EQ(polylines.size(), 1U);
    EXPECT_EQ(polylines[0].pen, 0xFFFFFFu);
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Shape::Text).size(),
              plot.ticksX.labels.size() + plot.ticksY.labels.size());
}

} // namespace
} // namespace kestrane
