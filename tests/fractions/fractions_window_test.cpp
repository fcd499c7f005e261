// The Fractions and Roots window: files, Simplify and restore, the list
// refusal, memories, the description and the close question.
#include "expression_test_support.h"
#include "fractions/fractions_window.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class FractionsWindowTest : public ::testing::Test {
protected:
    FractionsWindowTest() : m_window(m_host, m_metrics) {}

    void start(const std::string& text) { m_window.editor().setExpression(testing::parsed(text)); }
    std::string expression() const { return printExpressionText(m_window.editor().expression()); }

    ScriptedHost m_host;
    RecordingCanvas m_metrics;
    FractionsWindow m_window;
    kestrane::testing::TempDir m_dir;
};

TEST_F(FractionsWindowTest, StartsNamelessWithOneEmptySlot)
{
    EXPECT_EQ(m_window.caption(), "NoName");
    EXPECT_EQ(expression(), "?");
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::Main);
    EXPECT_FALSE(m_window.complexNumbers());
    m_window.menu("Complex Numbers");
    EXPECT_TRUE(m_window.complexNumbers());
}

TEST_F(FractionsWindowTest, SimplifyKeepsTheUnsimplifiedCopyAndRestoreBringsItBack)
{
    start("1/sqrt(2)");
    m_window.keyDown(editor_keys::kEquals, {});
    EXPECT_EQ(expression(), "sqrt(2)/2");
    ASSERT_NE(m_window.unsimplified(), nullptr);
    EXPECT_EQ(printExpressionText(*m_window.unsimplified()), "1/sqrt(2)");
    EXPECT_FALSE(m_window.editor().editingAllowed());

    ASSERT_TRUE(m_window.pressButton("NImage5"));
    EXPECT_EQ(expression(), "1/sqrt(2)");
    EXPECT_EQ(m_window.unsimplified(), nullptr);
    EXPECT_TRUE(m_window.editor().editingAllowed());
}

TEST_F(FractionsWindowTest, ValueShowsSevenDigitsOfTheUnsimplifiedExpression)
{
    start("1/sqrt(2)");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "0.7071068");
    m_window.menu("Simplify");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "0.7071068");

    m_window.menu("New");
    m_window.variables().add("a", testing::parsed("3"));
    start("a^2+1/4");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "9.25");

    start("sqrt(0-1)");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "undefined");
    EXPECT_TRUE(m_host.messages().empty());

    for (const char* refused : {"b+1", "2*i", "1+?"}) {
        m_host.clearMessages();
        start(refused);
        m_window.menu("Value");
        EXPECT_EQ(m_host.messages().size(), 1u) << refused;
        EXPECT_EQ(m_window.valueText(), "") << refused;
    }
}

TEST_F(FractionsWindowTest, ListOfVariablesIsRefusedWhileASlotRemains)
{
    start("1+?");
    m_window.menu("List of variables");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error");
    EXPECT_EQ(m_host.messages()[0].text, "Wrong character discovered.");
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::Main);

    start("1+2");
    m_window.pressButton("NImage2");
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::List);
    m_window.pressButton("HImage2");
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::Main);
    m_window.pressButton("HImage1");
    EXPECT_EQ(m_host.messages().back().caption, "Handling of list");
}

TEST_F(FractionsWindowTest, MemoriesNeedASelectionAndSkipEmptySlots)
{
    start("2+x");
    m_window.pressButton("M1In");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
    EXPECT_EQ(m_host.messages()[0].text,
              "Fraction was not selected.\nSelect fraction dragging mouse on a fraction.");
    EXPECT_EQ(m_window.memory(0), nullptr);

    m_window.editor().drag(0, 0, 2000, 2000);
    m_window.pressButton("M2InRed");
    ASSERT_NE(m_window.memory(1), nullptr);
    EXPECT_EQ(printExpressionText(*m_window.memory(1)), "2+x");

    m_window.menu("New");
    m_window.editor().drag(0, 0, 2000, 2000);
    m_window.pressButton("M2In");
    EXPECT_EQ(m_window.memory(1), nullptr);
}

TEST_F(FractionsWindowTest, RecalledMemoryFillsTheEmptySlot)
{
    start("2+x");
    m_window.editor().drag(0, 0, 2000, 2000);
    m_window.pressButton("M1In");
    m_window.menu("New");
    m_window.pressButton("M1Out");
    EXPECT_EQ(expression(), "2+x");
}

TEST_F(FractionsWindowTest, SaveAndOpenKeepExpressionDescriptionAndName)
{
    start("1/3+x");
    m_window.setDescription(std::string(300, 'd'));
    EXPECT_EQ(m_window.description().size(), 250u);
    std::string path = (m_dir / "lesson").string();
    m_host.answerFile(path);
    ASSERT_TRUE(m_window.save());
    EXPECT_EQ(m_window.caption(), path + ".fra");
    EXPECT_FALSE(m_window.modified());

    m_window.menu("New");
    EXPECT_EQ(m_window.caption(), "NoName");
    m_host.answerFile(path + ".fra");
    ASSERT_TRUE(m_window.open());
    EXPECT_EQ(expression(), "1/3+x");
    EXPECT_EQ(m_window.description(), std::string(250, 'd'));
}

TEST_F(FractionsWindowTest, ClosingWithChangesAsksToSave)
{
    EXPECT_TRUE(m_window.close());
    m_window.keyDown('7', {});
    m_host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(m_window.close());
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Files");
    EXPECT_EQ(m_host.messages()[0].buttons, MessageButtons::YesNoCancel);
    m_host.answerMessage(MessageAnswer::No);
    EXPECT_TRUE(m_window.close());
}

TEST_F(FractionsWindowTest, ArithmeticsAreRefusedInAnExponent)
{
    m_window.keyDown('2', {});
    m_window.menu("Power");
    m_window.keyDown('3', {});
    for (const char* item : {"Power", "Root", "Fraction"})
        m_window.menu(item);
    ASSERT_EQ(m_host.messages().size(), 3u);
    EXPECT_EQ(m_host.messages()[0].text, "Powers are not allowed for exponent of power.");
    EXPECT_EQ(m_host.messages()[1].text, "Roots are not allowed for exponent of power.");
    EXPECT_EQ(expression(), "2^3");
}

} // namespace
} // namespace kestrane
