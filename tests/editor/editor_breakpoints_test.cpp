// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_test_support.h"
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

} // namespace
} // namespace kestrane
