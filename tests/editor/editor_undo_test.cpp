// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/edit_history.h"
#include "editor_test_support.h"
#include "platform/clipboard.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class EditorUndo : public testing::EditorFixture {
protected:
    std::string text() const
    {
        std::string joined;
        for (const std::string& line : texts())
            joined += (joined.empty() ? "" : "|") + line;
        return joined;
    }
    // Undo until nothing is left, collecting the text after each step.
    std::vector<std::string> undoAll()
    {
        std::vector<std::string> steps;
        while (editor.undo())
            steps.push_back(text());
        return steps;
    }
};

TEST_F(EditorUndo, TypingIsTakenBackAWordAtATime)
{
    load({""});
    type("point A = (1, 2)");
    std::vector<std::string> expected = {"point A = (1, ", "point A = (", "point ", ""};
    EXPECT_EQ(undoAll(), expected);
    EXPECT_FALSE(editor.canUndo());
}

TEST_F(EditorUndo, RedoReplaysWhatWasUndoneUntilANewEdit)
{
    load({"abc"});
    placeCursor(0, 3);
    type(" def");
    press(Key::Enter);
    type("x");
    EXPECT_EQ(text(), "abc def|x");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "abc def|");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "abc def");
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(text(), "abc def|");
    EXPECT_EQ(editor.cursor(), at(1, 0));
    // A new edit drops what could still be redone.
    type("y");
    EXPECT_FALSE(editor.canRedo());
    EXPECT_FALSE(editor.redo());
    EXPECT_EQ(text(), "abc def|y");
}

TEST_F(EditorUndo, DeletionsAndEditsBetweenCaretMovesAreStepsOfTheirOwn)
{
    load({"one two"});
    placeCursor(0, 7);
    press(Key::Backspace);
    press(Key::Backspace);
    press(Key::Backspace);
    press(Key::Home);
    type("x");
    EXPECT_EQ(text(), "xone ");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "one ");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "one two");
    EXPECT_EQ(editor.cursor(), at(0, 7));
}

TEST_F(EditorUndo, PasteAndCutAreUndoneWhole)
{
    MemoryClipboard clipboard;
    load({"first", "second"});
    editor.select(at(0, 0), at(1, 3));
    editor.cut(clipboard);
    EXPECT_EQ(text(), "ond");
    editor.paste(clipboard);
    EXPECT_EQ(text(), "first|second");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "ond");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "first|second");
}

TEST_F(EditorUndo, TheHistorySurvivesSaveAndTheSavedTextIsUnmodified)
{
    testing::TempDir dir;
    std::string path = (dir.path() / "saved.kst").string();
    host.answerFile(path);
    type("start()");
    ASSERT_TRUE(editor.saveAs());
    EXPECT_FALSE(editor.modified());
    type(" x");
    EXPECT_TRUE(editor.modified());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "start() ");
    EXPECT_TRUE(editor.modified());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "start()");
    EXPECT_FALSE(editor.modified());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(editor.modified());
    ASSERT_TRUE(editor.redo());
    EXPECT_FALSE(editor.modified());
}

TEST_F(EditorUndo, OpeningAnotherTextStartsANewHistory)
{
    type("abc");
    EXPECT_TRUE(editor.canUndo());
    host.answerMessage(MessageAnswer::No);
    ASSERT_TRUE(editor.newText());
    EXPECT_FALSE(editor.canUndo());
    EXPECT_FALSE(editor.undo());
}

TEST(EditHistory, KeepsAtMostItsLimitDroppingTheOldestSteps)
{
    EditHistory history;
    for (std::size_t step = 0; step < EditHistory::kMaxSteps + 5; ++step)
        history.beforeEdit(EditKind::Other, {std::to_string(step), 0, 0});
    std::size_t count = 0;
    std::optional<EditSnapshot> last;
    EditSnapshot current{"now", 0, 0};
    while (auto snapshot = history.undo(current)) {
        current = *snapshot;
        last = snapshot;
        ++count;
    }
    EXPECT_EQ(count, EditHistory::kMaxSteps);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->text, "5");
}

} // namespace
} // namespace kestrane
