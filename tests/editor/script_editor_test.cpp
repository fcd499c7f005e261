// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/script_editor.h"
#include "platform/scripted_host.h"
#include "script/compiler_messages.h"
#include "script/script_loader.h"
#include "script/script_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrane {
namespace {

using testing::readBytes;
using testing::scriptText;

class ScriptEditorTest : public ::testing::Test {
protected:
    ScriptEditorTest() : editor(host, Directories{}) {}

    testing::TemporaryDirectory root;
    ScriptedHost host;
    ScriptEditor editor;
};

TEST_F(ScriptEditorTest, StartsWithAnEmptyNoNameTextInKestrane)
{
    EXPECT_EQ(editor.caption(), "NoName");
    EXPECT_EQ(editor.lines().size(), 1u);
    EXPECT_EQ(editor.moduleState().module(), 501);
    EXPECT_EQ(editor.moduleState().effective(), 502);
    EXPECT_FALSE(editor.modified());
    editor.setModule(504);
    EXPECT_EQ(editor.moduleState().effective(), 504);
}

TEST_F(ScriptEditorTest, SaveNeedsTheExactExtensionAndKeepsTheOldFile)
{
    std::string refused = root.write("prog.Kst", "1old text");
    ASSERT_TRUE(editor.openFile(refused));
    editor.setText("changed");
    EXPECT_FALSE(editor.save());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Error");
    EXPECT_EQ(host.messages()[0].text, editor_message::kWrongExtension);
    EXPECT_EQ(readBytes(refused), "1old text");
    EXPECT_TRUE(editor.modified());

    std::string accepted = root.write("prog.KST", "1old text");
    ASSERT_TRUE(editor.openFile(accepted));
    editor.setText(scriptText({"start()", "", "END"}));
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(readBytes(accepted), "1start()\r\n\r\nEND");
    EXPECT_FALSE(editor.modified());
}

TEST_F(ScriptEditorTest, NoNameAndShortNamesAreNotSavedWithSave)
{
    editor.setText("start()");
    EXPECT_FALSE(editor.save());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, editor_message::kWrongExtension);
    host.answerFile(root / "named.kst");
    EXPECT_TRUE(editor.saveAs());
    EXPECT_EQ(readBytes(root / "named.kst"), "1start()");
    EXPECT_EQ(editor.caption(), root / "named.kst");
}

TEST_F(ScriptEditorTest, SaveAsAddsTheExtensionAndStartsBesideTheFile)
{
    // A text never saved starts where Open starts: in the shipped examples
    // when the current directory has no "Examples".
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(root.path());
    editor.setExamplesDirectory(root / "shipped");
    std::filesystem::create_directories(root / "shipped");
    editor.setText("start()");
    host.answerFile(root / "typed");
    bool savedAs = editor.saveAs();
    std::filesystem::current_path(saved);
    EXPECT_TRUE(savedAs);
    EXPECT_EQ(readBytes(root / "typed.kst"), "1start()");
    EXPECT_EQ(editor.caption(), root / "typed.kst");
    ASSERT_EQ(host.fileRequests().size(), 1u);
    EXPECT_EQ(host.fileRequests()[0].directory, root / "shipped");

    std::string nested = root.write("lessons/one.kst", "1start()\r\nEND");
    ASSERT_TRUE(editor.openFile(nested));
    host.answerFile(root / "lessons/other.txt");
    EXPECT_FALSE(editor.saveAs());
    ASSERT_EQ(host.fileRequests().size(), 2u);
    EXPECT_EQ(host.fileRequests()[1].directory, root / "lessons");
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, editor_message::kWrongExtension);
    EXPECT_FALSE(std::filesystem::exists(root / "lessons/other.txt"));
}

TEST_F(ScriptEditorTest, AFileOfManyLinesIsKeptCompiledAndSavedWhole)
{
    std::string text = "start()";
    for (int line = 0; line < 12000; ++line)
        text += "\r\nP" + std::to_string(line) + "=point(1,2)";
    text += "\r\nEND";
    std::string path = root.write("long.kst", "1" + text);
    ASSERT_TRUE(editor.openFile(path));
    EXPECT_EQ(editor.lines().size(), 12002u);
    editor.run();
    EXPECT_EQ(editor.handOver().runState, RunState::Run);
    editor.setModified(true);
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(readBytes(path), "1" + text);
}

TEST_F(ScriptEditorTest, FailedWriteKeepsTheModifiedFlag)
{
    host.answerFile(root / "missing-directory/prog.kst");
    editor.setText("start()");
    EXPECT_FALSE(editor.saveAs());
    EXPECT_TRUE(editor.modified());
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(ScriptEditorTest, OpenSetsTheModuleFromTheFirstByteAndSavesItBack)
{
    std::string path = root.write("space.kst", "3start()\r\nEND");
    editor.setText("unsaved");
    host.answerMessage(MessageAnswer::No);
    host.answerFile(path);
    ASSERT_TRUE(editor.open());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Files");
    EXPECT_EQ(host.messages()[0].text, editor_message::kNotSaved);
    EXPECT_EQ(editor.moduleState().module(), 503);
    EXPECT_EQ(editor.moduleState().copy(), 503);
    EXPECT_EQ(editor.lines().size(), 2u);
    EXPECT_FALSE(editor.modified());
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(readBytes(path), "3start()\r\nEND");
}

TEST_F(ScriptEditorTest, FileOfOnlyItsModuleCharacterHasNoCommand)
{
    ASSERT_TRUE(editor.openFile(root.write("bare.kst", "2")));
    EXPECT_EQ(editor.moduleState().module(), 502);
    ASSERT_EQ(editor.lines().size(), 1u);
    EXPECT_EQ(editor.lines()[0].text(), "");
    editor.run();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, compile_message::kNoCommand);
    EXPECT_EQ(editor.handOver().runState, RunState::Nothing);
}

TEST_F(ScriptEditorTest, OpenOfAMissingFileChangesNothing)
{
    editor.setText("kept");
    EXPECT_FALSE(editor.openFile(root / "absent.kst"));
    EXPECT_EQ(host.messages().back().text, load_message::kMainMissing);
    EXPECT_EQ(editor.lines()[0].text(), "kept");
}

TEST_F(ScriptEditorTest, RunHandsOverTheCompiledProgram)
{
    editor.setText(scriptText({"start()", "  A = point( 1 , 2 )", "END"}));
    editor.run();
    HandOver handOver = editor.handOver();
    EXPECT_EQ(handOver.runState, RunState::Run);
    EXPECT_EQ(handOver.programText, "start()\r\nA=point(1,2)\r\nEND");
    EXPECT_EQ(handOver.rawText, "start()\r\n  A = point( 1 , 2 )\r\nEND");
    EXPECT_EQ(handOver.mainFile, &editor.mainFile());
    ASSERT_EQ(handOver.mainFile->procedures.size(), 1u);
    EXPECT_TRUE(handOver.mainFile->normalisedLines.empty());
    EXPECT_EQ(handOver.mainFile->normalisedText, handOver.programText);
    EXPECT_FALSE(handOver.show);
    EXPECT_TRUE(editor.closeRequested());
}

TEST_F(ScriptEditorTest, CompileErrorIsShownOnItsLine)
{
    std::string text = "start()";
    for (int line = 0; line < 30; ++line)
        text += "\r\n// filler";
    text += "\r\nA=point(1,2)\r\nl=line(A,B)\r\nEND";
    editor.setVisibleLines(10);
    editor.run();
    editor.setText(text);
    editor.run();
    EXPECT_EQ(editor.handOver().runState, RunState::Nothing);
    EXPECT_TRUE(editor.handOver().programText.empty());
    EXPECT_FALSE(editor.closeRequested());
    EXPECT_TRUE(editor.errorShown());
    EXPECT_EQ(editor.cursorLine(), 32);
    EXPECT_EQ(editor.cursorColumn(), 11);
    EXPECT_EQ(editor.topLine(), 27);
    EXPECT_EQ(editor.messageLines()[0], compile_message::kUndeclaredVariable);
    EXPECT_EQ(editor.messageLines()[4], "l=line(A,B)");
}

TEST_F(ScriptEditorTest, LongMessagesBreakAtABlank)
{
    MessageLines lines = errorMessageLines(compile_message::kBadExtension, std::string(60, 'x'));
    EXPECT_EQ(lines[0], "Extension of a file name must be 'kst' for a main");
    EXPECT_EQ(lines[1], "file and 'ksu' for unit files.");
    EXPECT_EQ(lines[4], std::string(49, 'x'));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), kMessageLineLength);
}

TEST_F(ScriptEditorTest, StepCommandsSetTheSteppingMode)
{
    editor.setText(scriptText({"start()", "END"}));
    editor.stepOver();
    EXPECT_EQ(editor.handOver().stepping, SteppingMode::StepOver);
    EXPECT_EQ(editor.handOver().runState, RunState::Run);
    editor.stepByStep();
    EXPECT_EQ(editor.handOver().stepping, SteppingMode::StepByStep);
    editor.compileToDisk();
    EXPECT_TRUE(editor.handOver().toDisk);
    EXPECT_EQ(editor.handOver().runState, RunState::CompileToDisk);
}

TEST_F(ScriptEditorTest, StepWithoutCommandsSaysSo)
{
    editor.setText(scriptText({"// nothing", "   "}));
    editor.stepByStep();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, compile_message::kNoCommand);
    EXPECT_EQ(editor.handOver().runState, RunState::Nothing);
}

TEST_F(ScriptEditorTest, OnScreenShowsTheTextWithoutCompiling)
{
    editor.setText(scriptText({"not a script", "at all"}));
    editor.onScreen();
    HandOver handOver = editor.handOver();
    EXPECT_EQ(handOver.runState, RunState::ShowText);
    EXPECT_TRUE(handOver.show);
    EXPECT_EQ(handOver.rawText, "not a script\r\nat all");
    EXPECT_TRUE(editor.closeRequested());
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(ScriptEditorTest, ErrorInAnIncludeShowsTheInclude)
{
    root.write("unit.ksu", "1void f()\r\nx=line(A,B)\r\nEND");
    std::string path = root.write("main.kst", "1#include <unit.ksu>\r\nstart()\r\nEND");
    ASSERT_TRUE(editor.openFile(path));
    editor.run();
    EXPECT_EQ(&editor.currentFile(), editor.mainFile().includes[0].get());
    EXPECT_EQ(editor.cursorLine(), 1);
    EXPECT_EQ(editor.messageLines()[4], "x=line(A,B)");
}

TEST_F(ScriptEditorTest, TheCaptionNamesTheIncludeShownAndComesBack)
{
    std::string unit = root.write("unit.ksu", "1void f()\r\nx=line(A,B)\r\nEND");
    std::string path = root.write("main.kst", "1#include <unit.ksu>\r\nstart()\r\nEND");
    ASSERT_TRUE(editor.openFile(path));
    editor.run();
    EXPECT_EQ(editor.caption(), unit);
    editor.mainFile().includes[0]->lines[1].setText("x=point(1,2)");
    editor.run();
    EXPECT_EQ(editor.caption(), path);
}

TEST_F(ScriptEditorTest, OpenAndNewDropThePreviousCompileMessage)
{
    editor.setText(scriptText({"start()", "l=line(A,B)", "END"}));
    editor.run();
    ASSERT_TRUE(editor.errorShown());
    std::string path = root.write("other.kst", "1start()\r\nEND");
    ASSERT_TRUE(editor.openFile(path));
    EXPECT_FALSE(editor.errorShown());
    EXPECT_EQ(editor.messageLines(), MessageLines{});

    editor.setText(scriptText({"start()", "l=line(A,B)", "END"}));
    editor.run();
    host.answerMessage(MessageAnswer::No);
    ASSERT_TRUE(editor.newText());
    EXPECT_EQ(editor.messageLines(), MessageLines{});
}

TEST_F(ScriptEditorTest, MessagesBreakWhereTheStatusAreaEnds)
{
    // 8 pixels a character: the status area of a 600 pixel wide window has
    // room for 22 characters.
    editor.setViewSize(600, 400);
    editor.setText(scriptText({"start()", "x=1", "x=line(A,B)", "END"}));
    editor.run();
    ASSERT_TRUE(editor.errorShown());
    const MessageLines& lines = editor.messageLines();
    std::string joined;
    for (std::size_t index = 0; index < 4; ++index) {
        EXPECT_LE(lines[index].size() * 8, 180u) << lines[index];
        if (!lines[index].empty())
            joined += (joined.empty() ? "" : " ") + lines[index];
    }
    EXPECT_EQ(joined, editor.lastError()->message);
    editor.setViewSize(1500, 400);
    EXPECT_EQ(editor.messageLines()[0], editor.lastError()->message);
}

TEST_F(ScriptEditorTest, AProgramOfAModuleWithoutExecutorIsRefusedHere)
{
    editor.setRunnable([](int module) { return module == 501 || module == 502; });
    editor.setModule(503);
    editor.setText(scriptText({"start()", "A=point(1,2,3)", "END"}));
    editor.run();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Run-time error.");
    EXPECT_EQ(host.messages()[0].text, "Programs of module Dimension 3 cannot be run yet.");
    EXPECT_EQ(editor.handOver().runState, RunState::Nothing);
    EXPECT_FALSE(editor.closeRequested());

    editor.setModule(502);
    editor.setText(scriptText({"start()", "A=point(1,2)", "END"}));
    editor.stepByStep();
    EXPECT_EQ(editor.handOver().runState, RunState::Run);
    EXPECT_TRUE(editor.closeRequested());
}

TEST_F(ScriptEditorTest, CloseAsksAboutUnsavedChanges)
{
    editor.setText("changed");
    host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(editor.requestClose());
    host.answerMessage(MessageAnswer::No);
    EXPECT_TRUE(editor.requestClose());
}

} // namespace
} // namespace kestrane
