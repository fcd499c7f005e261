// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_num.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "runtime/interactive_tools.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

LongNum number(std::string_view text)
{
    return LongFromText(text);
}

class ToolsTest : public ::testing::Test {
protected:
    ToolsTest() { setLongNumHost(&m_host); }
    ~ToolsTest() override { setLongNumHost(nullptr); }

    // Chooses the tool and clicks at the positions, hovering first as the
    // mouse would.
    void draw(Tool tool, std::initializer_list<std::pair<double, double>> clicks)
    {
        m_tools.chooseTool(tool);
        for (auto [x, y] : clicks) {
            m_tools.mouseMove(x, y);
            m_tools.click(x, y);
        }
    }

    std::vector<std::string> pointLabels() const
    {
        std::vector<std::string> labels;
        for (const auto& point : m_store.points())
            labels.push_back(point->label);
        return labels;
    }

    ScriptedHost m_host;
    ObjectStore m_store;
    InteractiveTools m_tools{m_store};
};

TEST_F(ToolsTest, EachToolPromptsForItsFirstAndSecondClick)
{
    struct Case {
        Tool tool;
        int step;
        const char* first;
        const char* second;
    } cases[] = {
        {Tool::Segment, 11, "find first endpoint of segment", "endpoint of segment"},
        {Tool::Line, 11, "find point of line", "2nd point of line"},
        {Tool::Circle, 10, "find center", "point of circle"},
        {Tool::HalfLine, 11, "find a point", "2nd point of line"},
        {Tool::Distance, 11, "find beginning of distance", "find end of distance"},
    };
    for (const Case& test : cases) {
        ToolResult chosen = m_tools.chooseTool(test.tool);
        ASSERT_TRUE(chosen.prompt);
        EXPECT_EQ(chosen.prompt->line1, test.first);
        EXPECT_EQ(m_tools.step(), test.step);
        ToolResult clicked = m_tools.click(400, 300);
        ASSERT_TRUE(clicked.prompt);
        EXPECT_EQ(clicked.prompt->line1, test.second);
        EXPECT_EQ(m_tools.step(), test.tool == Tool::Circle ? 11 : 12);
    }
    EXPECT_EQ(m_tools.chooseTool(Tool::Point).prompt->line2,
              "find a point and press a mouse on it");
}

TEST_F(ToolsTest, ThePointToolMakesOnePointAndEnds)
{
    m_tools.chooseTool(Tool::Point);
    ToolResult result = m_tools.click(120, 80);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(m_tools.tool(), Tool::None);
    EXPECT_EQ(m_tools.step(), -1);
    ASSERT_EQ(m_store.points().size(), 1u);
    EXPECT_EQ(LongToDecimal(m_store.points()[0]->x), "120.000000000000000");
    EXPECT_EQ(m_store.points()[0]->label, "A");
    EXPECT_FALSE(m_tools.click(10, 10).finished) << "no tool, no object";
    EXPECT_EQ(m_store.points().size(), 1u);
}

TEST_F(ToolsTest, AClickNearAPointTakesItsExactCoordinates)
{
    m_store.makePoint(number("100.25"), number("200.75"));
    draw(Tool::Line, {{100, 201}, {300, 300}});
    ASSERT_EQ(m_store.lines().size(), 1u);
    const LineRec& line = *m_store.lines()[0];
    EXPECT_EQ(LongToDecimal(line.x1), "100.250000000000000");
    EXPECT_EQ(LongToDecimal(line.y1), "200.750000000000000");
    EXPECT_EQ(LongToDecimal(line.x2), "300.000000000000000")
        << "away from points the pixel is used";
    EXPECT_EQ(m_store.points().size(), 2u) << "the snapped end merges with the point";
}

TEST_F(ToolsTest, TheFirstPointOfATwoClickToolIsMarkedWithAnX)
{
    m_tools.chooseTool(Tool::Segment);
    m_tools.click(50, 60);
    RecordingCanvas canvas;
    m_tools.paint(canvas);
    auto strokes = canvas.callsOf(RecordingCanvas::Shape::Line);
    ASSERT_EQ(strokes.size(), 2u);
    EXPECT_EQ(strokes[0].points[0].x, 47);
    EXPECT_EQ(strokes[0].points[1].y, 63);
}

TEST_F(ToolsTest, ACircleAcrossALineMakesTheTwoCrossingPoints)
{
    draw(Tool::Line, {{100, 300}, {500, 300}});
    ASSERT_EQ(pointLabels(), (std::vector<std::string>{"A", "B"}));
    draw(Tool::Circle, {{300, 250}, {300, 350}});
    ASSERT_EQ(m_store.circles().size(), 1u);
    // The centre and the point on the circle, then the two crossings.
    ASSERT_EQ(pointLabels(), (std::vector<std::string>{"A", "B", "E", "F", "G", "H"}));
    std::vector<std::string> crossingsX{LongToDecimal(m_store.points()[4]->x),
                                        LongToDecimal(m_store.points()[5]->x)};
    std::sort(crossingsX.begin(), crossingsX.end());
    // r = 100, the line 50 below the centre: x = 300 ± √7500.
    EXPECT_EQ(crossingsX[0].substr(0, 11), "213.3974596");
    EXPECT_EQ(crossingsX[1].substr(0, 11), "386.6025403");
    EXPECT_EQ(LongToDecimal(m_store.points()[4]->y), "300.000000000000000");
}

TEST_F(ToolsTest, NewStraightObjectsMeetTheOthersAtOnce)
{
    draw(Tool::Line, {{100, 100}, {500, 500}});
    draw(Tool::Segment, {{100, 500}, {500, 100}});
    ASSERT_EQ(m_store.points().size(), 5u) << "a new segment meets the lines too";
    EXPECT_EQ(LongToDecimal(m_store.points()[4]->x).substr(0, 12), "300.00000000");
    // Parallel lines meet nowhere, and say nothing about it.
    draw(Tool::Line, {{100, 120}, {500, 520}});
    EXPECT_EQ(m_store.points().size(), 5u + 2u + 1u)
        << "two ends and the crossing with the segment";
    EXPECT_TRUE(m_host.messages().empty());
}

TEST_F(ToolsTest, ASegmentMakesOnlyThePointsThatLieOnIt)
{
    draw(Tool::Circle, {{300, 300}, {400, 300}});
    size_t before = m_store.points().size();
    // The segment ends well inside the circle: its line crosses the circle,
    // the segment does not.
    draw(Tool::Segment, {{280, 290}, {320, 290}});
    EXPECT_EQ(m_store.points().size(), before + 2u);
    draw(Tool::Segment, {{250, 300}, {450, 300}});
    EXPECT_EQ(m_store.points().size(), before + 2u + 1u + 1u)
        << "one new end and one crossing at x = 400";
}

TEST_F(ToolsTest, HoveringHighlightsTheObjectAndNamesIt)
{
    draw(Tool::Circle, {{300, 300}, {400, 300}});
    draw(Tool::Line, {{100, 100}, {110, 100}});
    HoverResult overPoint = m_tools.mouseMove(301, 299);
    EXPECT_EQ(overPoint.kind, HoverKind::Point);
    EXPECT_EQ(overPoint.message, "punkt A");
    EXPECT_TRUE(overPoint.changed);
    EXPECT_TRUE(m_store.points()[0]->highlighted);

    HoverResult overCircle = m_tools.mouseMove(300, 201);
    EXPECT_EQ(overCircle.message, "okr\xc4\x85g C1");
    EXPECT_FALSE(m_store.points()[0]->highlighted);
    EXPECT_TRUE(m_store.circles()[0]->highlighted);

    HoverResult overLine = m_tools.mouseMove(700, 101);
    EXPECT_EQ(overLine.message, "linia L1");
    EXPECT_FALSE(m_store.circles()[0]->highlighted)
        << "a later kind's hit clears the earlier kinds";

    HoverResult nothing = m_tools.mouseMove(700, 150);
    EXPECT_EQ(nothing.kind, HoverKind::Nothing);
    EXPECT_FALSE(m_store.lines()[0]->highlighted);
    EXPECT_FALSE(m_tools.mouseMove(700, 150).changed);
}

TEST_F(ToolsTest, PointsWinOverTheCircleThroughThem)
{
    draw(Tool::Circle, {{300, 300}, {400, 300}});
    EXPECT_EQ(m_tools.mouseMove(400, 300).kind, HoverKind::Point);
    EXPECT_EQ(m_tools.mouseMove(401.5, 300).kind, HoverKind::Point) << "on both: the point wins";
    EXPECT_EQ(m_tools.mouseMove(400, 301.5).kind, HoverKind::Point);
    EXPECT_EQ(m_tools.mouseMove(400, 303).kind, HoverKind::Circle) << "near the circle only";
    EXPECT_EQ(m_tools.mouseMove(402, 300).kind, HoverKind::Nothing) << "two whole pixels off both";
}

TEST_F(ToolsTest, SegmentsAreHitWithinTheirExtentEvenWhenVertical)
{
    draw(Tool::Segment, {{200, 100}, {200, 300}});
    EXPECT_EQ(m_tools.mouseMove(201, 200).message, "odcinek d1");
    EXPECT_EQ(m_tools.mouseMove(200, 400).kind, HoverKind::Nothing) << "on its line, past its end";
    draw(Tool::Segment, {{100, 500}, {300, 510}});
    EXPECT_EQ(m_tools.mouseMove(200, 505).message, "odcinek d2");
}

TEST_F(ToolsTest, TheDistanceToolMeasuresAndIsRemovedByItsNextChoice)
{
    draw(Tool::Distance, {{100, 100}, {130, 140}});
    ASSERT_TRUE(m_tools.measuredDistance());
    EXPECT_FLOAT_EQ(*m_tools.measuredDistance(), 50);
    EXPECT_EQ(InteractiveTools::measuredText(50), "50.00");
    EXPECT_TRUE(m_store.distances().empty());
    ToolResult removed = m_tools.chooseTool(Tool::Distance);
    EXPECT_FALSE(removed.prompt);
    EXPECT_FALSE(m_tools.measuredDistance());
    EXPECT_EQ(m_tools.tool(), Tool::None);
    EXPECT_TRUE(m_tools.chooseTool(Tool::Distance).prompt) << "then it starts again";
}

TEST_F(ToolsTest, DeleteRemovesTheLastHighlightedObject)
{
    draw(Tool::Circle, {{300, 300}, {400, 300}});
    EXPECT_FALSE(m_tools.deleteHighlighted()) << "nothing under the mouse";
    m_tools.mouseMove(300, 200);
    EXPECT_TRUE(m_tools.deleteHighlighted());
    EXPECT_TRUE(m_store.circles().empty());
    EXPECT_EQ(m_tools.hoverKind(), HoverKind::Nothing);
    EXPECT_FALSE(m_tools.deleteHighlighted());
    EXPECT_EQ(m_store.points().size(), 2u) << "its points stay";
}

} // namespace
} // namespace kestrane
