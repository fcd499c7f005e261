// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/console_host.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane {
namespace {

TEST(ScriptedHost, AnswersAsToldThenWithTheDefaultButton)
{
    ScriptedHost host;
    host.answerMessage(MessageAnswer::Cancel);
    EXPECT_EQ(host.message("Files", "Save changes?", MessageButtons::YesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(host.message("Files", "Save changes?", MessageButtons::YesNoCancel), MessageAnswer::Yes);
    EXPECT_EQ(host.message("Error.", "x", MessageButtons::OkCancel), MessageAnswer::Ok);
    ASSERT_EQ(host.messages().size(), 3u);
    EXPECT_EQ(host.messages()[0].caption, "Files");
    EXPECT_EQ(host.messages()[2].buttons, MessageButtons::OkCancel);
}

TEST(ScriptedHost, QuestionsWithoutAnAnswerAreCancelled)
{
    ScriptedHost host;
    EXPECT_FALSE(host.chooseFileToOpen({"Open", "/tmp", "", {"Scripts (*.kst)"}}));
    host.answerFile("/tmp/a.kst");
    EXPECT_EQ(host.chooseFileToSave({}), "/tmp/a.kst");
    EXPECT_EQ(host.fileRequests().front().title, "Open");
    struct Dialog : ModalDialog {
        int value = 0;
    } dialog;
    EXPECT_EQ(host.runModal(dialog), DialogResult::Rejected);
    host.answerDialog([](ModalDialog& shown) {
        static_cast<Dialog&>(shown).value = 7;
        return DialogResult::Accepted;
    });
    EXPECT_EQ(host.runModal(dialog), DialogResult::Accepted);
    EXPECT_EQ(dialog.value, 7);
    EXPECT_EQ(host.dialogsShown(), 2);
}

TEST(ConsoleHost, WritesCaptionAndTextAndAnswersTheDefault)
{
    std::ostringstream errors;
    ConsoleHost host(errors);
    EXPECT_EQ(host.message("Error.", "File 'dtst' missing", MessageButtons::OkCancel), MessageAnswer::Ok);
    EXPECT_EQ(host.message("Files", "Save?", MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(errors.str(), "Error.: File 'dtst' missing\nFiles: Save?\n");
    EXPECT_EQ(host.messages().size(), 2u);
}

TEST(RecordingCanvas, KeepsEachCallWithThePenInForce)
{
    RecordingCanvas canvas;
    canvas.setPen(kRed);
    canvas.line(1, 2, 3, 4);
    canvas.setPen(kBlack);
    canvas.setFont({"Arial", 8});
    canvas.text(5, 6, "A1");
    auto lines = canvas.callsOf(RecordingCanvas::Shape::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].pen, kRed);
    EXPECT_EQ(lines[0].points[1].y, 4);
    EXPECT_EQ(canvas.texts(), std::vector<std::string>{"A1"});
    EXPECT_EQ(canvas.calls().back().font.size, 8);
    EXPECT_GT(canvas.textWidth("AB"), canvas.textWidth("A"));
}

TEST(Colour, KeepsRedInTheLowByte)
{
    EXPECT_EQ(rgb(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(rgb(0, 0, 255), 0xFF0000u);
    EXPECT_EQ(redOf(rgb(12, 34, 56)), 12);
    EXPECT_EQ(greenOf(rgb(12, 34, 56)), 34);
    EXPECT_EQ(blueOf(rgb(12, 34, 56)), 56);
}

} // namespace
} // namespace kestrane
