// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_test_support.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"

namespace kestrane {
namespace {

using testing::EditorFixture;

class Breakpoints : public EditorFixture {
protected:
    void loadProgram()
    {
        load({"void start()", "A=point(1,1)", "B=point(2,2)", "l=line(A,B)", "END"});
    }
    // The y of a line's middle in the window.
    static int middleOf(int line)
    {
        return kTextTop + line * ScriptEditor::kLineHeight + ScriptEditor::kLineHeight / 2;
    }
    std::vector<int> marked() const
    {
        std::vector<int> lines;
        for (const LineMark& mark : editor.breakpoints())
            lines.push_back(mark.line);
        return lines;
    }
    void mark(std::initializer_list<int> lines)
    {
        for (int line : lines)
            editor.toggleBreakpoint(line);
    }
    std::vector<int> dotRows() const
    {
        RecordingCanvas canvas;
        editor.paint(canvas);
        std::vector<int> rows;
        for (const RecordingCanvas::Call& call : canvas.callsOf(RecordingCanvas::Shape::Ellipse))
            rows.push_back(static_cast<int>(call.points[0].y - kTextTop) /
                           ScriptEditor::kLineHeight);
        return rows;
    }
};

TEST_F(Breakpoints, CaretKeyAndMarginClickToggleTheLine)
{
    loadProgram();
    placeCursor(2, 3);
    editor.toggleBreakpoint();
    EXPECT_TRUE(editor.hasBreakpoint(2));
    // A click in the margin toggles the clicked line and leaves the caret.
    editor.mouseDown(3, middleOf(3));
    editor.mouseUp(3, middleOf(3));
    EXPECT_TRUE(editor.hasBreakpoint(3));
    EXPECT_EQ(editor.cursor(), at(2, 3));
    EXPECT_EQ(dotRows(), (std::vector<int>{2, 3}));
    editor.mouseDown(3, middleOf(2));
    EXPECT_FALSE(editor.hasBreakpoint(2));
    // A click on the text places the caret as before.
    editor.mouseDown(ScriptEditor::kTextLeft + 1, middleOf(1));
    EXPECT_EQ(editor.cursorLine(), 1);
    EXPECT_EQ(dotRows(), (std::vector<int>{3}));
}

TEST_F(Breakpoints, RunHandsThemOverWithTheProgram)
{
    loadProgram();
    placeCursor(1, 0);
    editor.toggleBreakpoint();
    placeCursor(3, 0);
    editor.toggleBreakpoint();
    editor.run();
    ASSERT_TRUE(editor.closeRequested());
    HandOver handOver = editor.handOver();
    EXPECT_EQ(handOver.breakpoints, (std::vector<LineMark>{{"", 1}, {"", 3}}));
    EXPECT_EQ(handOver.runTo, std::nullopt);
    // The editor keeps them for the next run.
    EXPECT_EQ(editor.breakpoints().size(), 2u);
}

TEST_F(Breakpoints, RunToCursorHandsOverTheCaretsLineOnce)
{
    loadProgram();
    placeCursor(3, 2);
    editor.runToCursor();
    ASSERT_TRUE(editor.closeRequested());
    EXPECT_EQ(editor.handOver().runTo, (LineMark{"", 3}));
    editor.clearCloseRequest();
    editor.run();
    EXPECT_EQ(editor.handOver().runTo, std::nullopt);
}

TEST_F(Breakpoints, ExecutionLineIsHighlightedAndBroughtIntoView)
{
    std::vector<std::string> lines = {"void start()"};
    for (int index = 0; index < 40; ++index)
        lines.push_back("P" + std::to_string(index) + "=point(1,1)");
    lines.push_back("END");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    editor.setText(text);
    editor.setExecutionLine(LineMark{"", 30});
    EXPECT_LE(editor.topLine(), 30);
    EXPECT_GT(editor.topLine() + editor.visibleLines(), 30);
    RecordingCanvas canvas;
    editor.paint(canvas);
    int top = kTextTop + (30 - editor.topLine()) * ScriptEditor::kLineHeight;
    bool band = false;
    for (const RecordingCanvas::Call& call : canvas.callsOf(RecordingCanvas::Shape::FillRect))
        band = band || (call.points[0].y == top && call.points[0].x == 0);
    EXPECT_TRUE(band);
    // A line of an include is not highlighted in the main file.
    editor.setExecutionLine(LineMark{"lib.ksu", 30});
    RecordingCanvas other;
    editor.paint(other);
    for (const RecordingCanvas::Call& call : other.callsOf(RecordingCanvas::Shape::FillRect))
        EXPECT_NE(call.points[0].y, top);
}

TEST_F(Breakpoints, FollowTheirLineWhenLinesComeAndGoAbove)
{
    loadProgram();
    mark({2, 3});
    // Enter in the middle of a line above inserts a line under it.
    placeCursor(1, 2);
    press(Key::Enter);
    EXPECT_EQ(marked(), (std::vector<int>{3, 4}));
    // Enter at the start of a marked line pushes its text, and the mark, down.
    placeCursor(3, 0);
    press(Key::Enter);
    EXPECT_EQ(marked(), (std::vector<int>{4, 5}));
    // Enter at the end of a marked line leaves the mark where it is.
    placeCursor(4, static_cast<int>(texts()[4].size()));
    press(Key::Enter);
    EXPECT_EQ(marked(), (std::vector<int>{4, 6}));
    // Backspace at the start of an empty line removes it.
    placeCursor(3, 0);
    press(Key::Backspace);
    EXPECT_EQ(marked(), (std::vector<int>{3, 5}));
    // Delete at the end of a line joins the next one up.
    placeCursor(0, static_cast<int>(texts()[0].size()));
    press(Key::Delete);
    EXPECT_EQ(marked(), (std::vector<int>{2, 4}));
}

TEST_F(Breakpoints, JoinedLinesKeepOneAndRemovedLinesLoseTheirs)
{
    loadProgram();
    mark({1, 2, 4});
    // Joining two marked lines leaves one mark on the joined line.
    placeCursor(2, 0);
    press(Key::Backspace);
    EXPECT_EQ(texts()[1], "A=point(1,1)B=point(2,2)");
    EXPECT_EQ(marked(), (std::vector<int>{1, 3}));
}

TEST_F(Breakpoints, CutAndPasteOfWholeLinesTakeTheirMarksAlong)
{
    // Cutting whole lines drops the marks on them and moves those below.
    load({"void start()", "A=point(1,1)", "B=point(2,2)", "C=point(3,3)", "l=line(A,B)", "END"});
    mark({1, 2, 4});
    MemoryClipboard clipboard;
    editor.select(at(1, 0), at(3, 0));
    editor.cut(clipboard);
    EXPECT_EQ(texts()[1], "C=point(3,3)");
    EXPECT_EQ(marked(), (std::vector<int>{2}));
    // Pasting them back at the start of a line pushes that line's mark down.
    placeCursor(2, 0);
    editor.paste(clipboard);
    EXPECT_EQ(texts()[2], "A=point(1,1)");
    EXPECT_EQ(marked(), (std::vector<int>{4}));
}

TEST_F(Breakpoints, UndoPutsTheMarksBackWithTheLines)
{
    loadProgram();
    mark({3});
    placeCursor(1, 0);
    press(Key::Enter);
    press(Key::Enter);
    EXPECT_EQ(marked(), (std::vector<int>{5}));
    while (editor.undo()) {
    }
    EXPECT_EQ(texts()[3], "l=line(A,B)");
    EXPECT_EQ(marked(), (std::vector<int>{3}));
    // Redo brings back one Enter, and the mark moves down with its line.
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(texts()[4], "l=line(A,B)");
    EXPECT_EQ(marked(), (std::vector<int>{4}));
}

TEST_F(Breakpoints, AMarkOnATextReplacedInPlaceStays)
{
    loadProgram();
    mark({2});
    editor.select(at(2, 2), at(2, 7));
    MemoryClipboard clipboard;
    editor.cut(clipboard);
    EXPECT_EQ(marked(), (std::vector<int>{2}));
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(texts()[2], "B=point(2,2)");
    EXPECT_EQ(marked(), (std::vector<int>{2}));
}

} // namespace
} // namespace kestrane
