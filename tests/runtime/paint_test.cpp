// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "platform/recording_canvas.h"

#include <algorithm>

namespace kestrane::testing {
namespace {

using Shape = RecordingCanvas::Shape;

class Painting : public RunFixture {
protected:
    RecordingCanvas paint()
    {
        RecordingCanvas canvas;
        window.paint(canvas);
        return canvas;
    }

    static bool hasStroke(const RecordingCanvas& canvas, double x1, double y1, double x2, double y2)
    {
        auto lines = canvas.callsOf(Shape::Line);
        return std::any_of(lines.begin(), lines.end(), [&](const RecordingCanvas::Call& call) {
            return call.points[0].x == x1 && call.points[0].y == y1 && call.points[1].x == x2 &&
                   call.points[1].y == y2;
        });
    }
};

TEST_F(Painting, PointsAreTwoStrokesAndOnlyInsideTheArea)
{
    start({"void start()", "A=point(799,549)", "B=point(800,100)", "END"});
    RecordingCanvas canvas = paint();
    EXPECT_TRUE(hasStroke(canvas, 796, 546, 802, 552));
    EXPECT_TRUE(hasStroke(canvas, 796, 552, 802, 546));
    EXPECT_FALSE(hasStroke(canvas, 797, 97, 803, 103));
    EXPECT_EQ(canvas.callsOf(Shape::Line).size(), 2u);
}

TEST_F(Painting, LabelsInTwoSizesBesideThePoint)
{
    start({"void start()",     "A=point(100,100)",
           "B=point(200,100)", "X=point(1,1)",
           "Y=point(2,2)",     "Z=point(3,3)",
           "G=point(4,4)",     "H=point(5,5)",
           "I=point(6,6)",     "J=point(7,7)",
           "K=point(8,8)",     "M=point(9,9)",
           "N=point(10,10)",   "Q=point(11,11)",
           "R=point(12,12)",   "T=point(13,13)",
           "U=point(14,14)",   "V=point(15,15)",
           "W=point(16,16)",   "E=point(17,17)",
           "F=point(300,300)", "END"});
    RecordingCanvas canvas = paint();
    auto texts = canvas.callsOf(Shape::Text);
    auto find = [&](std::string_view text) {
        return std::find_if(texts.begin(), texts.end(),
                            [&](const RecordingCanvas::Call& call) { return call.text == text; });
    };
    auto letter = find("A");
    ASSERT_NE(letter, texts.end());
    EXPECT_EQ(letter->points[0].x, 88);
    EXPECT_EQ(letter->points[0].y, 96);
    EXPECT_EQ(letter->font.size, 10);
    EXPECT_EQ(letter->textColour, kBlue);
    // The twentieth point is A1: its number is drawn small beside the letter.
    auto number = find("1");
    ASSERT_NE(number, texts.end());
    EXPECT_EQ(number->points[0].x, 298);
    EXPECT_EQ(number->points[0].y, 302);
    EXPECT_EQ(number->font.size, 8);
}

TEST_F(Painting, OrderColoursAndShapes)
{
    start({"void start()", "A=point(10,10)", "B=point(60,10)", "E=point(60,60)", "p=polygon(A,B,E)",
           "q=polygon(A,E,B)", "fill(q)=yellow", "c=circle(A,B)", "s=segment(A,E)", "Color(s)=red",
           "Region(5,5,200,200)", "Title(1,2,$Top)", "Text(3,4,$Note)", "END"});
    RecordingCanvas canvas = paint();
    const auto& calls = canvas.calls();
    ASSERT_EQ(calls[0].shape, Shape::FillRect);
    // The frame of the drawing area, thin and light grey.
    ASSERT_EQ(calls[1].shape, Shape::Rectangle);
    EXPECT_EQ(calls[1].pen, 0xD3D3D3u);
    EXPECT_EQ(calls[1].points[0].x, 0);
    EXPECT_EQ(calls[1].points[1].x, 799);
    EXPECT_EQ(calls[1].points[1].y, 549);
    // The outline polygon: a move and three lines; the filled one: one call.
    EXPECT_EQ(calls[2].shape, Shape::MoveTo);
    EXPECT_EQ(calls[5].shape, Shape::LineTo);
    EXPECT_EQ(calls[6].shape, Shape::Polygon);
    EXPECT_EQ(calls[6].brush, 0x00FFFFu);
    EXPECT_EQ(calls[6].points.size(), 3u);
    // Segments before circles; the segment in its colour.
    EXPECT_EQ(calls[7].shape, Shape::Line);
    EXPECT_EQ(calls[7].pen, kRed);
    auto ellipse = std::find_if(calls.begin(), calls.end(),
                                [](const auto& call) { return call.shape == Shape::Ellipse; });
    ASSERT_NE(ellipse, calls.end());
    EXPECT_EQ(ellipse->points[0].x, -40);
    EXPECT_EQ(ellipse->points[1].y, 60);
    auto region = canvas.callsOf(Shape::Rectangle);
    ASSERT_EQ(region.size(), 2u) << "the frame and the region";
    std::vector<std::string> texts = canvas.texts();
    EXPECT_EQ(texts[texts.size() - 2], "Top");
    EXPECT_EQ(texts.back(), "Note");
}

TEST_F(Painting, CanvasMessageWhileSteppingOnlyWhenMessagesAreShown)
{
    start({"void start()", "A=point(10,10)", "Title(20,20,$Heading)", "END"}, RunMode::StepByStep);
    window.pressSpace();
    window.pressSpace();
    RecordingCanvas canvas = paint();
    auto texts = canvas.callsOf(Shape::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "Press space bar to continue.");
    // Below a title at (20, 20), and fixed to the window: not in the
    // scrolled scene.
    EXPECT_EQ(texts.back().points[0].x, 10);
    EXPECT_EQ(texts.back().points[0].y, 44);
    RecordingCanvas scene;
    window.paintScene(scene, 800, 550);
    EXPECT_EQ(scene.texts().back(), "Heading");
    window.setShowMessages(false);
    EXPECT_EQ(paint().texts(), (std::vector<std::string>{"A", "Heading"}));
}

TEST_F(Painting, CirclesWithNegativeOrHugeRadiiAreDrawnWhereTheyAre)
{
    // r = 30 - 80: the circle of radius 50.
    start({"void start()", "A=point(100,100)", "B=point(130,100)", "E=point(180,100)",
           "a=distance(A,B)", "b=distance(A,E)", "r=a-b", "c=circle(A,r)", "END"});
    auto ellipses = paint().callsOf(Shape::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].points[0].x, 50);
    EXPECT_EQ(ellipses[0].points[0].y, 50);
    EXPECT_EQ(ellipses[0].points[1].x, 150);
    EXPECT_EQ(ellipses[0].points[1].y, 150);

    // A circle through (400, 300) whose centre lies 16 million pixels below:
    // no ellipse call could take it.
    start({"void start()", "A=point(400,300)", "B=point(400,16384300)", "d=distance(A,B)",
           "h=circle(B,d)", "END"});
    RecordingCanvas canvas = paint();
    EXPECT_TRUE(canvas.callsOf(Shape::Ellipse).empty());
    auto arcs = canvas.callsOf(Shape::Polyline);
    ASSERT_EQ(arcs.size(), 1u);
    bool crossesTheArea = false;
    for (const CanvasPoint& point : arcs[0].points) {
        ASSERT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
        EXPECT_LT(std::fabs(point.x), 2000);
        EXPECT_LT(std::fabs(point.y - 300), 2000);
        crossesTheArea |= point.x > 0 && point.x < 800;
    }
    EXPECT_TRUE(crossesTheArea);
}

TEST_F(Painting, TheListingStandsOverTheDrawingUntilARunOrRemoveAll)
{
    std::string text;
    for (int line = 0; line < 60; ++line)
        text += "line " + std::to_string(line) + "\r\n";
    window.showListing(text);
    EXPECT_TRUE(window.hasProgramText());
    auto texts = paint().callsOf(Shape::Text);
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(ConstructionWindow::kListingLines));
    EXPECT_EQ(texts[0].text, "line 0");
    EXPECT_EQ(texts[0].font.name, "Courier New");
    window.scrollListing(5);
    EXPECT_EQ(paint().callsOf(Shape::Text)[0].text, "line 5");
    window.scrollListing(1000);
    EXPECT_EQ(window.listingTop(), window.lastListingTop());
    EXPECT_EQ(paint().callsOf(Shape::Text).back().text, "line 59");

    start({"void start()", "A=point(10,10)", "END"});
    EXPECT_FALSE(window.listingShown());
    window.showListing("start()");
    window.removeAll();
    EXPECT_FALSE(window.listingShown());
    EXPECT_FALSE(window.hasProgramText());
}

} // namespace
} // namespace kestrane::testing
