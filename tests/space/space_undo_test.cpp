// SPDX-License-Identifier: GPL-3.0-or-later
#include "space_test_support.h"

namespace kestrane::testing {
namespace {

class SpaceUndo : public SpaceRunFixture {
protected:
    std::string sceneJson() const
    {
        std::string json = scene->json();
        return json;
    }
};

// A Dimension 3 run is one step: undo brings back the solids, their turn
// and the control panel of the run before, redo the run undone, and a run
// after an undo cannot be redone past.
TEST_F(SpaceUndo, UndoAndRedoRestoreTheSolidsAndTheView)
{
    run(cubeThen({"rotate(cube,10,20,30)", "s=Stellated(cube)"}));
    std::string stellated = sceneJson();
    ASSERT_TRUE(scene->show().controlPanel());

    run(cubeThen({"e=plane(A,B,C)", "Play(cube,1,2,3)"}));
    std::string played = sceneJson();
    ASSERT_NE(played, stellated);

    ASSERT_TRUE(window.undo());
    EXPECT_EQ(sceneJson(), stellated);
    EXPECT_TRUE(scene->show().controlPanel());
    ASSERT_TRUE(window.redo());
    EXPECT_EQ(sceneJson(), played);
    EXPECT_FALSE(scene->show().controlPanel());

    // Before the first run the window showed no scene at all.
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(window.state().scene(), scene);
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(window.state().scene(), nullptr);
    run(cubeThen({}));
    EXPECT_FALSE(window.redo());
}

} // namespace
} // namespace kestrane::testing
