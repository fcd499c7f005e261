// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/find_dialog.h"
#include "editor_test_support.h"
#include "platform/clipboard.h"

namespace kestrane {
namespace {

using testing::EditorFixture;

class EditorFind : public EditorFixture {
protected:
    // The user types the text into the find dialog and presses OK.
    void answerFind(std::string text)
    {
        host.answerDialog([text](ModalDialog& dialog) {
            auto* find = dynamic_cast<FindDialog*>(&dialog);
            EXPECT_NE(find, nullptr);
            if (find)
                find->setText(text);
            return DialogResult::Accepted;
        });
    }
};

TEST_F(EditorFind, OneCharacterIsFoundAtColumnZeroOfLineZero)
{
    load({"Abc A", "xA"});
    placeCursor(1, 2);
    answerFind("A");
    editor.find();
    EXPECT_EQ(editor.selection().start, at(0, 0));
    EXPECT_EQ(editor.selection().end, at(0, 1));
    EXPECT_EQ(editor.cursor(), at(0, 1));
    editor.findNext();
    EXPECT_EQ(editor.selection().start, at(0, 4));
    editor.findNext();
    EXPECT_EQ(editor.selection().start, at(1, 1));
    EXPECT_TRUE(host.messages().empty());
    editor.findNext();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Error");
    EXPECT_EQ(host.messages()[0].text, "Expression not found.");
}

TEST_F(EditorFind, LongerTextsAreCaseSensitiveAndMoveTheView)
{
    std::string text = "start()";
    for (int line = 1; line < 40; ++line)
        text += "\r\n// line " + std::to_string(line);
    text += "\r\nCircle circle";
    editor.setText(text);
    answerFind("circle");
    editor.find();
    EXPECT_EQ(editor.selection().start, at(40, 7));
    EXPECT_EQ(editor.selection().end, at(40, 13));
    EXPECT_EQ(editor.topLine(), 38);
    answerFind("start");
    editor.find();
    EXPECT_EQ(editor.cursor(), at(0, 5));
    EXPECT_EQ(editor.topLine(), 0);
}

TEST_F(EditorFind, FindNextBeforeAnyFindSaysThereIsNothingToFind)
{
    load({"text"});
    editor.findNext();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "error");
    EXPECT_EQ(host.messages()[0].text, "There is no expression to find.");
    host.answerDialog([](ModalDialog&) { return DialogResult::Rejected; });
    editor.find();
    EXPECT_EQ(editor.cursor(), at(0, 0));
    EXPECT_EQ(host.messages().size(), 1u);
}

TEST_F(EditorFind, TheDialogKeepsFortyCharacters)
{
    FindDialog dialog(std::string(50, 'a'));
    EXPECT_EQ(dialog.text().size(), FindDialog::kMaxLength);
    EXPECT_EQ(FindDialog::kCaption, "Find");
    EXPECT_EQ(FindDialog::kLabel, "Write a text to be found");
}

class EditorClipboard : public EditorFixture {
protected:
    MemoryClipboard clipboard;
};

TEST_F(EditorClipboard, CopyAndCutAcrossLines)
{
    load({"first line", "second", "third line"});
    editor.select(at(0, 6), at(2, 5));
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "line\r\nsecond\r\nthird");
    EXPECT_FALSE(editor.modified());

    editor.cut(clipboard);
    EXPECT_EQ(clipboard.text(), "line\r\nsecond\r\nthird");
    EXPECT_EQ(texts(), (std::vector<std::string>{"first  line"}));
    EXPECT_EQ(editor.cursor(), at(0, 6));
    EXPECT_FALSE(editor.selection().active);
    EXPECT_TRUE(editor.modified());
}

TEST_F(EditorClipboard, ShiftWithCursorKeysSelects)
{
    load({"one two", "three"});
    press(Key::Right);
    press(Key::Right, Modifier::Shift);
    press(Key::Down, Modifier::Shift);
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "ne two\r\nth");
    press(Key::Left, Modifier::Shift | Modifier::Control);
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "ne two\r\n");
    press(Key::Right);
    EXPECT_FALSE(editor.selection().active);
}

// Ctrl+C is Ctrl pressed, then C with Ctrl held: neither may end the
// selection before the copy takes it.
TEST_F(EditorClipboard, ModifierKeysAndTheirChordsKeepTheSelection)
{
    load({"one two", "three"});
    editor.select(at(0, 0), at(0, 3));
    press(Key::Control);
    press(Key::C, Modifier::Control);
    press(Key::Insert, Modifier::Control);
    press(Key::Alt);
    ASSERT_TRUE(editor.selection().active);
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "one");
    EXPECT_EQ(texts(), (std::vector<std::string>{"one two", "three"}));

    press(Key::Right, Modifier::Control);
    EXPECT_FALSE(editor.selection().active);
    editor.select(at(0, 0), at(0, 3));
    press(Key::End);
    EXPECT_FALSE(editor.selection().active);
}

TEST_F(EditorClipboard, PasteInsertsLinesAtTheCursor)
{
    load({"start()", "END"});
    placeCursor(0, 7);
    clipboard.setText("\nA=point(1,2)\nB=point(3,4)");
    editor.paste(clipboard);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"start()", "A=point(1,2)", "B=point(3,4)", "END"}));
    EXPECT_EQ(editor.cursor(), at(2, 12));
    EXPECT_TRUE(editor.modified());

    clipboard.setText("x\r\ny");
    placeCursor(3, 1);
    editor.paste(clipboard);
    EXPECT_EQ(texts()[3], "Ex");
    EXPECT_EQ(texts()[4], "yND");
}

TEST_F(EditorClipboard, MouseSelectionReversedIsPutInOrder)
{
    load({"alpha beta", "gamma"});
    int y1 = kTextTop + ScriptEditor::kLineHeight + 5;
    int y0 = kTextTop + 5;
    int x = [](int column) { return ScriptEditor::kTextLeft + column * 8 + 1; }(3);
    EXPECT_EQ(editor.mouseDown(x, y1), MouseAction::None);
    editor.mouseMove(ScriptEditor::kTextLeft + 6 * 8 + 1, y0);
    editor.mouseUp(ScriptEditor::kTextLeft + 6 * 8 + 1, y0);
    EXPECT_EQ(editor.selection().start, at(0, 6));
    EXPECT_EQ(editor.selection().end, at(1, 3));
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "beta\r\ngam");

    // A plain click leaves the clipboard alone.
    editor.mouseDown(x, y0);
    editor.mouseUp(x, y0);
    editor.copy(clipboard);
    EXPECT_EQ(clipboard.text(), "beta\r\ngam");
}

TEST_F(EditorClipboard, TheModuleDisplayOpensTheModuleDialog)
{
    int middle = editor.height() / 2;
    int x = editor.statusLeft() + 20;
    EXPECT_EQ(editor.mouseDown(x, middle + 60), MouseAction::ChooseModule);
    EXPECT_EQ(editor.mouseDown(x, middle + 45), MouseAction::None);
    EXPECT_EQ(editor.mouseDown(x, middle + 85), MouseAction::None);
    EXPECT_FALSE(editor.overText(x, middle + 60));
}

class EditorClosing : public EditorFixture {};

TEST_F(EditorClosing, CancelKeepsTheTextAndTheEditorOpen)
{
    load({"start()", "END"});
    type("x");
    host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.requestClose());
    EXPECT_EQ(texts()[0], "xstart()");
    EXPECT_TRUE(editor.modified());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Files");
    EXPECT_EQ(host.messages()[0].buttons, MessageButtons::YesNoCancel);
}

TEST_F(EditorClosing, YesOnATextWithoutNameAsksWhereToSaveIt)
{
    testing::TemporaryDirectory root;
    load({"start()", "END"});
    type("x");
    host.answerMessage(MessageAnswer::Yes);
    host.answerFile(std::nullopt);
    EXPECT_FALSE(editor.requestClose());
    host.answerMessage(MessageAnswer::Yes);
    host.answerFile(root / "kept.kst");
    EXPECT_TRUE(editor.requestClose());
    EXPECT_EQ(testing::readBytes(root / "kept.kst"), "1xstart()\r\nEND");
}

TEST_F(EditorClosing, NewAndOpenKeepTheTextOnCancel)
{
    load({"keep me"});
    type("!");
    host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.newText());
    host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.open());
    EXPECT_EQ(texts()[0], "!keep me");
    EXPECT_TRUE(host.fileRequests().empty());
    host.answerMessage(MessageAnswer::No);
    EXPECT_TRUE(editor.newText());
    EXPECT_EQ(texts()[0], "");
    EXPECT_EQ(editor.caption(), "NoName");
}

} // namespace
} // namespace kestrane

namespace kestrane {
namespace {

using testing::EditorFixture;

class EditorOpenDialog : public EditorFixture {
protected:
    std::string startDirectory()
    {
        host.answerFile(std::nullopt);
        editor.open();
        return host.fileRequests().back().directory;
    }

    testing::TemporaryDirectory root;
};

TEST_F(EditorOpenDialog, StartsInTheExamplesOfTheCurrentDirectoryThenInTheShippedOnes)
{
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::create_directories(root.path() / "work");
    std::filesystem::create_directories(root.path() / "shipped");
    std::filesystem::current_path(root.path() / "work");
    EXPECT_EQ(startDirectory(), (root.path() / "work").string());
    editor.setExamplesDirectory((root.path() / "shipped").string());
    EXPECT_EQ(startDirectory(), (root.path() / "shipped").string());
    std::filesystem::create_directories(root.path() / "work/examples");
    EXPECT_EQ(startDirectory(), (root.path() / "work/examples").string());
    EXPECT_EQ(host.fileRequests().back().filters[0], "Geometry and Algebra files (*.kst)");
    std::filesystem::current_path(saved);
}

} // namespace
} // namespace kestrane

namespace kestrane {
namespace {

using testing::EditorFixture;

class EditorIncludes : public EditorFixture {};

TEST_F(EditorIncludes, AnIncludeEditedAfterItsErrorIsSavedWithTheMainFile)
{
    testing::TemporaryDirectory root;
    std::string unit = root.write("unit.ksu", "1void f()\r\nx=line(A,B)\r\nEND");
    std::string path = root.write("main.kst", "1#include <unit.ksu>\r\nstart()\r\nEND");
    ASSERT_TRUE(editor.openFile(path));
    editor.run();
    ASSERT_EQ(&editor.currentFile(), editor.mainFile().includes[0].get());
    press(Key::Home);
    type("//");
    EXPECT_TRUE(editor.modified());
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(testing::readBytes(unit), "1void f()\r\n//x=line(A,B)\r\nEND");
    EXPECT_EQ(testing::readBytes(path), "1#include <unit.ksu>\r\nstart()\r\nEND");
    EXPECT_FALSE(editor.modified());
}

} // namespace
} // namespace kestrane
