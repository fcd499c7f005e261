// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "runtime/store_json.h"

#include <random>

namespace kestrane::testing {
namespace {

class UndoRedo : public RunFixture {
protected:
    std::string json() const { return storeJson(window, {}); }

    void draw(Tool tool, double x1, double y1, double x2, double y2)
    {
        window.chooseTool(tool);
        window.click(x1, y1);
        if (tool != Tool::Point)
            window.click(x2, y2);
    }

    // One random mouse action on the drawing area: an object of a random
    // tool, a measurement, or a Delete over a random place.
    void randomAction(std::mt19937& random)
    {
        std::uniform_int_distribution<int> x(20, 780);
        std::uniform_int_distribution<int> y(20, 530);
        static constexpr Tool kTools[] = {Tool::Point,  Tool::Line,     Tool::Segment,
                                          Tool::Circle, Tool::HalfLine, Tool::Distance};
        int choice = std::uniform_int_distribution<int>(0, 6)(random);
        if (choice == 6) {
            window.mouseMove(x(random), y(random));
            window.deleteHighlighted();
            return;
        }
        draw(kTools[choice], x(random), y(random), x(random), y(random));
    }
};

TEST_F(UndoRedo, UndoingEveryStepGivesTheEmptyStoreAndRedoingGivesItBack)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        window.removeAll();
        std::string empty = json();
        std::mt19937 random(seed);
        for (int action = 0; action < 25; ++action)
            randomAction(random);
        std::string drawn = json();
        while (window.undo()) {
        }
        EXPECT_EQ(json(), empty);
        while (window.redo()) {
        }
        EXPECT_EQ(json(), drawn);
    }
}

TEST_F(UndoRedo, AnObjectAndItsIntersectionsAreOneStepAndLabelsComeAgain)
{
    draw(Tool::Line, 100, 100, 500, 100);
    std::string oneLine = json();
    draw(Tool::Circle, 300, 100, 300, 200);
    ASSERT_GT(store().points().size(), 4u) << "the circle met the line";
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(json(), oneLine);
    draw(Tool::Point, 50, 400, 0, 0);
    EXPECT_EQ(store().points().back()->label, "E") << "A, B of the line; E is next again";
    EXPECT_FALSE(window.canRedo()) << "a new step drops the redo steps";
}

TEST_F(UndoRedo, DeleteRemoveAllAndMeasurementsAreSteps)
{
    draw(Tool::Segment, 100, 100, 300, 300);
    std::string segment = json();
    window.mouseMove(200, 200);
    ASSERT_TRUE(window.deleteHighlighted());
    window.removeAll();
    EXPECT_TRUE(store().points().empty());
    ASSERT_TRUE(window.undo());
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(json(), segment);

    draw(Tool::Distance, 100, 100, 400, 500);
    ASSERT_TRUE(window.tools().measuredDistance());
    window.chooseTool(Tool::Distance);
    EXPECT_FALSE(window.tools().measuredDistance()) << "the tool removed the measurement";
    ASSERT_TRUE(window.undo());
    EXPECT_FLOAT_EQ(*window.tools().measuredDistance(), 500.0f);
    ASSERT_TRUE(window.undo());
    EXPECT_FALSE(window.tools().measuredDistance());
}

TEST_F(UndoRedo, AWholeRunIsOneStepAndNothingIsUndoneWhileItRuns)
{
    draw(Tool::Point, 10, 10, 0, 0);
    std::string beforeRun = json();
    start({"void start()", "A=point(100,100)", "Break(1)", "B=point(200,200)", "k=circle(A,B)",
           "Color(k)=red", "END"});
    EXPECT_TRUE(window.running());
    EXPECT_FALSE(window.canUndo());
    EXPECT_FALSE(window.undo());
    window.pressSpace();
    ASSERT_FALSE(window.running());
    std::string afterRun = json();
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(json(), beforeRun);
    ASSERT_TRUE(window.redo());
    EXPECT_EQ(json(), afterRun);
}

TEST(UndoHistoryBound, DropsTheOldestStepsPastTheByteLimitButKeepsTheNewest)
{
    ScriptedHost host;
    ConstructionState state(host);
    UndoHistory history(1);
    std::optional<float> measured;
    for (int step = 0; step < 3; ++step) {
        history.record(captureConstruction(state, measured));
        state.store().makePoint(LongNum::fromInteger(step * 50), LongNum::fromInteger(7));
    }
    EXPECT_EQ(history.undoSteps(), 1u);
    ASSERT_TRUE(history.undo(state, measured));
    EXPECT_EQ(state.store().points().size(), 2u);
    EXPECT_FALSE(history.undo(state, measured));
}

} // namespace
} // namespace kestrane::testing
