// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_test_support.h"

namespace kestrane {
namespace {

using testing::EditorFixture;

class EditorMovement : public EditorFixture {};

TEST_F(EditorMovement, UpOnTheFirstLineAndPageDownOnTheLastDoNothing)
{
    load({"first", "second", "third"});
    press(Key::Up);
    EXPECT_EQ(editor.cursor(), at(0, 0));
    press(Key::End);
    press(Key::Up);
    EXPECT_EQ(editor.cursor(), at(0, 5));

    placeCursor(2, 3);
    press(Key::PageDown);
    EXPECT_EQ(editor.cursor(), at(2, 3));
    press(Key::Down);
    EXPECT_EQ(editor.cursor(), at(2, 3));
}

TEST_F(EditorMovement, PagesMoveTenLinesClampedAndScrollTheView)
{
    std::string text = "line 0";
    for (int line = 1; line < 35; ++line)
        text += "\r\nline " + std::to_string(line);
    editor.setText(text);
    ASSERT_EQ(editor.visibleLines(), 10);
    press(Key::PageDown);
    EXPECT_EQ(editor.cursorLine(), 10);
    EXPECT_EQ(editor.topLine(), 10);
    press(Key::PageDown);
    press(Key::PageDown);
    press(Key::PageDown);
    EXPECT_EQ(editor.cursorLine(), 34);
    EXPECT_GE(editor.topLine(), 25);
    EXPECT_LE(editor.topLine(), 34);
    press(Key::PageUp);
    EXPECT_EQ(editor.cursorLine(), 24);
    EXPECT_EQ(editor.topLine(), 24);
    for (int step = 0; step < 5; ++step)
        press(Key::PageUp);
    EXPECT_EQ(editor.cursor(), at(0, 0));
    EXPECT_EQ(editor.topLine(), 0);
}

TEST_F(EditorMovement, TheColumnIsClampedToAShorterLine)
{
    load({"a long line of text", "short", "another long line"});
    press(Key::End);
    press(Key::Down);
    EXPECT_EQ(editor.cursor(), at(1, 5));
    press(Key::Down);
    EXPECT_EQ(editor.cursor(), at(2, 5));
}

TEST_F(EditorMovement, LeftAndRightWrapAtTheLineEnds)
{
    load({"ab", "cd"});
    press(Key::Left);
    EXPECT_EQ(editor.cursor(), at(0, 0));
    press(Key::Right);
    press(Key::Right);
    press(Key::Right);
    EXPECT_EQ(editor.cursor(), at(1, 0));
    press(Key::Left);
    EXPECT_EQ(editor.cursor(), at(0, 2));
    press(Key::Home);
    EXPECT_EQ(editor.cursor(), at(0, 0));
    press(Key::Down);
    press(Key::End);
    press(Key::Right);
    EXPECT_EQ(editor.cursor(), at(1, 2));
}

TEST_F(EditorMovement, CtrlLeftAndRightMoveByWords)
{
    load({"A = line( P1 , Q )", "next"});
    const Modifiers ctrl = Modifier::Control;
    press(Key::Right, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 4);
    press(Key::Right, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 10);
    press(Key::Right, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 15);
    press(Key::Right, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 18);
    press(Key::Right, ctrl);
    EXPECT_EQ(editor.cursor(), at(1, 0));
    press(Key::Left, ctrl);
    EXPECT_EQ(editor.cursor(), at(0, 18));
    press(Key::Left, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 15);
    press(Key::Left, ctrl);
    press(Key::Left, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 4);
    press(Key::Left, ctrl);
    EXPECT_EQ(editor.cursorColumn(), 0);
}

class EditorEditing : public EditorFixture {};

TEST_F(EditorEditing, TypingInsertsAtTheCursorAndMarksTheText)
{
    load({"start()", "END"});
    press(Key::Down);
    type("  ");
    EXPECT_EQ(texts(), (std::vector<std::string>{"start()", "  END"}));
    EXPECT_TRUE(editor.modified());
    EXPECT_TRUE(editor.lines()[1].isEnd());
    editor.keyDown(Key::Delete, {}, "\x7f");
    editor.keyDown(Key::PageUp, {}, "");
    editor.keyDown(Key::C, Modifier::Control, "c");
    EXPECT_EQ(texts(), (std::vector<std::string>{"start()", "  ND"}));
}

TEST_F(EditorEditing, EnterSplitsTheLineAndRenumbersTheRest)
{
    load({"A=point(1,2)B=point(3,4)", "END"});
    for (int step = 0; step < 12; ++step)
        press(Key::Right);
    press(Key::Enter);
    EXPECT_EQ(texts(), (std::vector<std::string>{"A=point(1,2)", "B=point(3,4)", "END"}));
    EXPECT_EQ(editor.cursor(), at(1, 0));
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(editor.lines()[static_cast<std::size_t>(index)].number, index);
    EXPECT_TRUE(editor.lines()[2].isEnd());
}

TEST_F(EditorEditing, EnterPastTheLastVisibleLineScrollsTenLines)
{
    load({""});
    for (int line = 0; line < 10; ++line)
        press(Key::Enter);
    EXPECT_EQ(editor.cursorLine(), 10);
    EXPECT_EQ(editor.topLine(), 10);
}

TEST_F(EditorEditing, BackspaceAndDeleteJoinLines)
{
    load({"ab", "cd", "ef"});
    press(Key::Down);
    press(Key::Backspace);
    EXPECT_EQ(texts(), (std::vector<std::string>{"abcd", "ef"}));
    EXPECT_EQ(editor.cursor(), at(0, 2));
    press(Key::Backspace);
    EXPECT_EQ(texts(), (std::vector<std::string>{"acd", "ef"}));
    press(Key::End);
    press(Key::Delete);
    EXPECT_EQ(texts(), (std::vector<std::string>{"acdef"}));
    EXPECT_EQ(editor.cursor(), at(0, 3));
    press(Key::End);
    press(Key::Delete);
    press(Key::Home);
    press(Key::Backspace);
    EXPECT_EQ(texts(), (std::vector<std::string>{"acdef"}));
    EXPECT_EQ(editor.lines()[0].number, 0);
}

TEST_F(EditorEditing, MultiByteCharactersMoveAndDeleteWhole)
{
    load({"a\xc5\x82"
          "b"});
    press(Key::Right);
    press(Key::Right);
    EXPECT_EQ(editor.cursorColumn(), 3);
    press(Key::Backspace);
    EXPECT_EQ(texts(), (std::vector<std::string>{"ab"}));
    type("\xc3\xb3");
    EXPECT_EQ(texts(), (std::vector<std::string>{"a\xc3\xb3"
                                                 "b"}));
}

TEST_F(EditorEditing, LinesLongerThanTheWindowScrollSideways)
{
    std::string longLine(300, 'x');
    load({longLine, "short"});
    press(Key::End);
    EXPECT_EQ(editor.cursorColumn(), 300);
    int room = editor.statusLeft() - 2 * ScriptEditor::kTextLeft;
    EXPECT_GT(editor.horizontalOffset(), 300 * ScriptEditor::kDefaultCharacterWidth - room - 1);
    type("yz");
    EXPECT_EQ(editor.lines()[0].text(), longLine + "yz");
    press(Key::Down);
    EXPECT_EQ(editor.cursor(), at(1, 5));
    EXPECT_EQ(editor.horizontalOffset(), 0);
}

TEST_F(EditorEditing, EditedIncludeLinesReloadTheIncludesWhenLeft)
{
    testing::TemporaryDirectory root;
    root.write("unit.ksu", "1void helper()\r\nEND");
    editor.directories().main = root.path().string();
    load({"#include <unit.ks>", "start()", "END"});
    ASSERT_TRUE(editor.mainFile().includes.empty());
    host.clearMessages();
    press(Key::End);
    press(Key::Left);
    type("u");
    EXPECT_TRUE(editor.mainFile().includes.empty());
    press(Key::Down);
    ASSERT_EQ(editor.mainFile().includes.size(), 1u);
    EXPECT_EQ(editor.cursor(), at(1, 7));
    EXPECT_EQ(editor.lines()[0].text(), "#include <unit.ksu>");
    EXPECT_TRUE(host.messages().empty());
}

} // namespace
} // namespace kestrane
