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

TEST_F(WindowTools, PromptsHoverNamesAndMeasurementsReachTheMessageLines)
{
    window.chooseTool(Tool::Circle);
    EXPECT_EQ(window.messages().line1, "find center");
    EXPECT_EQ(window.messages().line2, "find point and press mouse on it");
    window.click(300, 300);
    EXPECT_EQ(window.messages().line1, "point of circle");
    EXPECT_TRUE(window.click(400, 300));
    EXPECT_EQ(store().circles().size(), 1u);

    EXPECT_TRUE(window.mouseMove(300, 300));
    EXPECT_EQ(window.messages().line1, "punkt A");
    EXPECT_TRUE(store().points()[0]->highlighted);

    window.chooseTool(Tool::Distance);
    window.click(0, 0);
    window.click(30, 40);
    EXPECT_EQ(window.messages().line1, "distance 50.00");
    EXPECT_EQ(window.distancePanelText(), "Remove dist.");
    window.chooseTool(Tool::Distance);
    EXPECT_EQ(window.distancePanelText(), "distance");
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

TEST_F(WindowTools, AChoiceTakesTheClickInsteadOfTheTool)
{
    start({"void start(circle k)", "END"});
    window.chooseTool(Tool::Point);
    window.state().store().makeLine(LongNum::fromInteger(0), LongNum::fromInteger(100),
                                    LongNum::fromInteger(400), LongNum::fromInteger(100));
    EXPECT_FALSE(window.click(200, 100));
    EXPECT_EQ(host.messages().back().text, "Niewlasciwa figura wybrana.");
    EXPECT_EQ(store().points().size(), 2u) << "the point tool made nothing";
    EXPECT_EQ(window.pendingChoice(), 15);
}

} // namespace
} // namespace kestrane::testing
