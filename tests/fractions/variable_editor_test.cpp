// SPDX-License-Identifier: GPL-3.0-or-later
// The New Variable Editor: switching between name and value, what the name
// refuses, the help boxes, and the five acceptance checks.
#include "algebra/variable_table.h"
#include "expressions/expression_test_support.h"
#include "fractions/variable_editor.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class VariableEditorTest : public ::testing::Test {
protected:
    VariableEditorTest() : m_editor(m_host, m_metrics) { m_editor.startNew(); }

    void name(const std::string& text)
    {
        m_editor.nameEditor().setExpression(testing::parsed(text));
    }
    void value(const std::string& text)
    {
        m_editor.valueEditor().setExpression(testing::parsed(text));
    }
    std::string lastMessage() const
    {
        return m_host.messages().empty() ? "" : m_host.messages().back().text;
    }

    ScriptedHost m_host;
    RecordingCanvas m_metrics;
    VariableEditor m_editor;
    VariableTable m_table;
};

TEST_F(VariableEditorTest, F2SwitchesAndEachExpressionKeepsItsKeys)
{
    EXPECT_EQ(m_editor.field(), VariableEditor::Field::Name);
    m_editor.keyDown('A', {});
    m_editor.keyDown('B', {});
    m_editor.keyDown(static_cast<std::uint16_t>(Key::F2), {});
    EXPECT_EQ(m_editor.field(), VariableEditor::Field::Value);
    m_editor.keyDown('7', {});
    EXPECT_EQ(printExpressionText(m_editor.nameEditor().expression()), "ab");
    EXPECT_EQ(printExpressionText(m_editor.valueEditor().expression()), "7");
    EXPECT_EQ(m_editor.keyDown(static_cast<std::uint16_t>(Key::Enter), {}),
              VariableEditor::KeyResult::Accept);
    EXPECT_EQ(m_editor.keyDown(static_cast<std::uint16_t>(Key::Escape), {}),
              VariableEditor::KeyResult::Cancel);
}

TEST_F(VariableEditorTest, TheNameRefusesControlKeysRootsPowersAndRatios)
{
    m_editor.keyDown('N', Modifier::Control);
    EXPECT_EQ(m_host.messages().back().caption, "Error.");
    EXPECT_EQ(lastMessage(), "Control keys are not allowed while edit name.");
    struct Case {
        const char* button;
        const char* text;
    } cases[] = {
        {"Root", "Roots are not allowed in name of variable"},
        {"Power", "Powers are not allowed in name of variable"},
        {"Fraction", "Ratios are not allowed in name of variable"},
    };
    for (const Case& item : cases) {
        ASSERT_TRUE(m_editor.pressButton(item.button));
        EXPECT_EQ(m_host.messages().back().caption, "Not allowed operation.") << item.button;
        EXPECT_EQ(lastMessage(), item.text);
    }
    EXPECT_EQ(printExpressionText(m_editor.nameEditor().expression()), "?");

    // The value takes them.
    m_editor.switchField();
    m_editor.pressButton("Fraction");
    EXPECT_EQ(printExpressionText(m_editor.valueEditor().expression()), "?/?");
}

TEST_F(VariableEditorTest, HelpButtonsShowTheirBoxes)
{
    ASSERT_TRUE(m_editor.pressButton("Help"));
    EXPECT_EQ(m_host.messages().back().caption, "New Variable.");
    EXPECT_EQ(lastMessage().substr(0, 52), "Use keyboard key F2 to navigate between expressions.");
    EXPECT_FALSE(m_editor.pressButton("Nothing"));
    // "Variables" asks before the window deletes the variable.
    m_host.answerMessage(MessageAnswer::Cancel);
    EXPECT_FALSE(m_editor.confirmDelete());
    EXPECT_EQ(m_host.messages().back().caption, "Variables");
    EXPECT_EQ(lastMessage(), "Variable will be deleted");
    EXPECT_EQ(m_host.messages().back().buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(m_editor.confirmDelete());
}

TEST_F(VariableEditorTest, AcceptanceChecksInOrder)
{
    struct Case {
        const char* title;
        const char* name;
        const char* value;
        const char* message;
    } cases[] = {
        {"empty name", "?", "1",
         "Error in name's expression. Probably it is not a simple "
         "fraction with a string only."},
        {"a sum as the name", "a+b", "1",
         "Error in name's expression. Probably it is not a simple fraction with a string only."},
        {"a number as the name", "12", "1", "First letter of name must be A...Z or a...z."},
        {"a symbol", "pi", "1",
         "Error in name's expression. Probably it is not a simple fraction with a string only."},
    };
    for (const Case& item : cases) {
        m_host.clearMessages();
        name(item.name);
        value(item.value);
        EXPECT_FALSE(m_editor.accept(m_table)) << item.title;
        ASSERT_EQ(m_host.messages().size(), 1u) << item.title;
        EXPECT_EQ(m_host.messages().back().caption, "Error.") << item.title;
        EXPECT_EQ(lastMessage(), item.message) << item.title;
        EXPECT_EQ(m_table.count(), 0) << item.title;
    }
}

TEST_F(VariableEditorTest, AValueWithAnUnmatchedBracketIsRefused)
{
    name("ab");
    value("1+2");
    m_editor.valueEditor().moveHome();
    m_editor.valueEditor().insertParenthesis(true);
    EXPECT_FALSE(m_editor.accept(m_table));
    EXPECT_EQ(lastMessage(), "Wrong parentheses in a second expression.");
    EXPECT_EQ(m_table.count(), 0);
}

TEST_F(VariableEditorTest, ANameOfOtherCharactersIsRefused)
{
    // Typing cannot make such a name; a record read from elsewhere can.
    m_editor.nameEditor().setExpression(FractNode::makeLeaf("a.b"));
    value("1");
    EXPECT_FALSE(m_editor.accept(m_table));
    EXPECT_EQ(lastMessage(),
              "A character discovered in name, which is not neither number nor letter.");
}

TEST_F(VariableEditorTest, ANewNameIsAddedAndATakenOneRefused)
{
    name("ab");
    value("1/2");
    ASSERT_TRUE(m_editor.accept(m_table));
    ASSERT_EQ(m_table.count(), 1);
    EXPECT_EQ(m_table.record(0).name, "ab");
    EXPECT_EQ(printExpressionText(*m_table.record(0).value), "1/2");

    m_editor.startNew();
    name("ab");
    value("3");
    EXPECT_FALSE(m_editor.accept(m_table));
    EXPECT_EQ(lastMessage(), "Name already exist. Choose another one.");

    // A name known without a value makes room for the new record.
    m_table.add("c", nullptr);
    m_editor.startNew();
    name("c");
    value("5");
    ASSERT_TRUE(m_editor.accept(m_table));
    ASSERT_EQ(m_table.count(), 2);
    EXPECT_EQ(m_table.record(1).name, "c");
    EXPECT_EQ(printExpressionText(*m_table.record(1).value), "5");
}

TEST_F(VariableEditorTest, EditingARecordReplacesItsNameAndValue)
{
    m_table.add("a", testing::parsed("1"));
    m_table.add("b", testing::parsed("2"));
    m_editor.startEdit(m_table, 1);
    EXPECT_EQ(printExpressionText(m_editor.nameEditor().expression()), "b");
    EXPECT_EQ(printExpressionText(m_editor.valueEditor().expression()), "2");
    name("bb");
    value("sqrt(2)");
    ASSERT_TRUE(m_editor.accept(m_table));
    ASSERT_EQ(m_table.count(), 2);
    EXPECT_EQ(m_table.record(1).name, "bb");
    EXPECT_EQ(printExpressionText(*m_table.record(1).value), "sqrt(2)");

    // Keeping its own name is no clash; taking another's is.
    m_editor.startEdit(m_table, 1);
    ASSERT_TRUE(m_editor.accept(m_table));
    m_editor.startEdit(m_table, 1);
    name("a");
    EXPECT_FALSE(m_editor.accept(m_table));
    EXPECT_EQ(lastMessage(), "Name already exist. Choose another one.");
}

} // namespace
} // namespace kestrane
