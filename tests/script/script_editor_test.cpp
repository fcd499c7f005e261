#include "platform/scripted_host.h"
#include "script/compiler_messages.h"
#include "script/script_editor.h"
#include "script/script_loader.h"
#include "script_test_support.h"

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
