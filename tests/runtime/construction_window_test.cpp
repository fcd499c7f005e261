// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

namespace kestrane::testing {
namespace {

class WindowTimer : public RunFixture {
protected:
    std::vector<std::string> panelOverTicks(int ticks)
    {
        std::vector<std::string> shown;
        for (int tick = 0; tick < ticks; ++tick) {
            window.tick();
            shown.push_back(window.messagePanelText());
        }
        return shown;
    }
};

TEST_F(WindowTimer, AlternatesTheTwoMessageLinesAfterTheFirstTicks)
{
    window.state().showMessage("one", "two");
    EXPECT_EQ(window.messagePanelText(), "one") << "a new message shows at once";
    std::vector<std::string> shown = panelOverTicks(19);
    // Ticks 1..6 keep line 1; then line 1 at 9 and 15, line 2 at 7, 13, 19.
    std::vector<std::string> expected{"one", "one", "one", "one", "one", "one", "two",
                                      "two", "one", "one", "one", "one", "two", "two",
                                      "one", "one", "one", "one", "two"};
    EXPECT_EQ(shown, expected);
}

TEST_F(WindowTimer, ASecondMessageReplacesBothLinesAndRestartsTheAlternation)
{
    window.state().showMessage("one", "two");
    panelOverTicks(7);
    EXPECT_EQ(window.messagePanelText(), "two");
    window.state().showMessage("three", "four");
    EXPECT_EQ(window.messagePanelText(), "three");
    EXPECT_EQ(panelOverTicks(6).back(), "three");
    EXPECT_EQ(panelOverTicks(1).back(), "four");
}

TEST_F(WindowTimer, TheCounterWrapsAndKeepsAlternating)
{
    window.state().showMessage("one", "two");
    std::vector<std::string> shown = panelOverTicks(1300);
    EXPECT_EQ(window.state().messageTicks(), 1300 - 480 - 480 + 0) << "600 goes back to 120 twice";
    EXPECT_EQ(shown[1200 - 1], "one");
}

TEST_F(WindowTimer, ShowsADeferredBoxOnceOnly)
{
    window.state().deferRegionError();
    EXPECT_TRUE(host.messages().empty()) << "not inside the command";
    panelOverTicks(5);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Run-time error.");
    EXPECT_EQ(host.messages()[0].text,
              "Region was not defined or outside polygon.\nCommand 'Collection' will be omitted.");
    EXPECT_EQ(host.messages()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(window.messages().code, 133);
}

class WindowTools : public RunFixture {};

TEST_F(WindowTools, PromptsAndMeasurementsReachTheMessageLinesAndNamesTheFirstPanel)
{
    window.chooseTool(Tool::Circle);
    EXPECT_EQ(window.messages().line1, "find center");
    EXPECT_EQ(window.messages().line2, "find point and press mouse on it");
    window.click(300, 300);
    EXPECT_EQ(window.messages().line1, "point of circle");
    EXPECT_TRUE(window.click(400, 300));
    EXPECT_EQ(store().circles().size(), 1u);
    EXPECT_EQ(window.messages().line1, "Choose element") << "not the finished tool's prompt";

    EXPECT_TRUE(window.mouseMove(300, 300));
    EXPECT_EQ(window.hoverPanelText(), "punkt A");
    EXPECT_TRUE(store().points()[0]->highlighted);

    window.chooseTool(Tool::Distance);
    window.click(0, 0);
    window.click(30, 40);
    EXPECT_EQ(window.messages().line1, "distance 50.00");
    EXPECT_EQ(window.distancePanelText(), "Remove dist.");
    window.mouseMove(300, 300);
    window.mouseMove(600, 500);
    EXPECT_EQ(window.messages().line1, "distance 50.00") << "hovering keeps the measurement";
    EXPECT_EQ(window.hoverPanelText(), "Choose element");
    window.chooseTool(Tool::Distance);
    EXPECT_EQ(window.distancePanelText(), "distance");
    EXPECT_EQ(window.messages().line1, "Choose element");
}

TEST_F(WindowTools, DeleteRemovesTheHighlightedObjectAndRemoveAllClearsEverything)
{
    window.chooseTool(Tool::Line);
    window.click(100, 100);
    window.click(200, 200);
    window.mouseMove(300, 300);
    EXPECT_TRUE(window.deleteHighlighted());
    EXPECT_TRUE(store().lines().empty());
    window.chooseTool(Tool::Segment);
    window.click(10, 10);
    window.removeAll();
    EXPECT_TRUE(store().points().empty());
    EXPECT_EQ(window.tools().tool(), Tool::None);
}

TEST_F(WindowTools, OutsideTheDrawingAreaNothingIsHighlightedOrMade)
{
    window.chooseTool(Tool::Line);
    window.click(0, 549);
    window.click(799, 549);
    ASSERT_EQ(store().lines().size(), 1u);
    EXPECT_TRUE(window.mouseMove(400, 549));
    EXPECT_TRUE(store().lines()[0]->highlighted);
    // The line goes on past the area's edge, but there it is not hovered.
    EXPECT_TRUE(window.mouseMove(900, 549));
    EXPECT_FALSE(store().lines()[0]->highlighted);
    EXPECT_EQ(window.hoverPanelText(), "Choose element");

    window.chooseTool(Tool::Point);
    EXPECT_FALSE(window.click(400, 560));
    EXPECT_EQ(window.messages().line1, ConstructionWindow::kOutsideDrawing);
    EXPECT_EQ(store().points().size(), 2u);
    EXPECT_TRUE(window.click(400, 300)) << "the tool still waits for a click inside";
    EXPECT_EQ(store().points().size(), 3u);
}

TEST_F(WindowTools, DeleteAndRemoveAllForgetTheHoveredName)
{
    window.chooseTool(Tool::Point);
    window.click(100, 100);
    window.mouseMove(100, 100);
    ASSERT_EQ(window.hoverPanelText(), "punkt A");
    EXPECT_TRUE(window.deleteHighlighted());
    EXPECT_EQ(window.hoverPanelText(), "Choose element");

    window.chooseTool(Tool::Point);
    window.click(200, 200);
    window.mouseMove(200, 200);
    ASSERT_NE(window.hoverPanelText(), "Choose element");
    window.removeAll();
    EXPECT_EQ(window.hoverPanelText(), "Choose element");
}

// A start with parameters is applied to the figure on the screen; tools
// still draw while a choice waits, and a running program refuses them.
class WindowChoices : public RunFixture {
protected:
    void drawLine(double x1, double y1, double x2, double y2)
    {
        window.chooseTool(Tool::Line);
        window.click(x1, y1);
        window.click(x2, y2);
    }
};

TEST_F(WindowChoices, AStartWithParametersChoosesFromTheFigureDrawnBefore)
{
    drawLine(0, 100, 400, 100);
    start({"void start(line l)", "P=point(200,300)", "Q=point(300,300)", "m=line(P,Q)", "END"});
    EXPECT_EQ(store().lines().size(), 1u) << "the drawn line is kept";
    ASSERT_EQ(window.pendingChoice(), 13);
    EXPECT_TRUE(window.click(200, 100));
    EXPECT_FALSE(window.running());
    EXPECT_EQ(store().lines().size(), 2u);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(WindowChoices, AStartWithoutParametersClearsTheConstruction)
{
    drawLine(0, 100, 400, 100);
    start({"start()", "P=point(200,300)", "END"});
    EXPECT_TRUE(store().lines().empty());
    EXPECT_EQ(store().points().size(), 1u);
}

TEST_F(WindowChoices, AMissingLineIsDrawnWhileTheChoiceWaits)
{
    start({"void start(line l)", "END"});
    ASSERT_EQ(window.pendingChoice(), 13);
    EXPECT_FALSE(window.click(200, 100));
    EXPECT_EQ(host.messages().back().text, "Niewlasciwa figura wybrana.");
    drawLine(0, 100, 400, 100);
    EXPECT_EQ(window.messages().line1, "choose line") << "the panel asks for the choice again";
    EXPECT_EQ(window.pendingChoice(), 13);
    EXPECT_TRUE(window.click(200, 100));
    EXPECT_FALSE(window.running());
}

TEST_F(WindowChoices, ARunningProgramRefusesToolsAndNoneFiresAfterIt)
{
    start({"start()", "Break(1)", "P=point(1,1)", "END"});
    ASSERT_EQ(window.runMode(), RunMode::Paused);
    EXPECT_EQ(window.messages().line1, "Press space bar to continue.");
    window.chooseTool(Tool::Point);
    EXPECT_EQ(window.tools().tool(), Tool::None);
    EXPECT_EQ(window.messages().line1, ConstructionWindow::kToolsWaitForRun);
    window.pressSpace();
    EXPECT_FALSE(window.running());
    EXPECT_FALSE(window.click(300, 300));
    EXPECT_EQ(store().points().size(), 1u);
}

} // namespace
} // namespace kestrane::testing
