// SPDX-License-Identifier: GPL-3.0-or-later
// The Calculator as the Fractions and Roots window extended: its menus,
// buttons, variables, list and memories; every digit of a result inside the
// window it is drawn in; the expression large in the middle.
#include "expressions/expression_test_support.h"
#include "fractions/calculator.h"
#include "fractions/calculator_results.h"
#include "fractions/font_window.h"
#include "fractions/precision_dialog.h"
#include "fractions/variable_editor.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

using Mode = FractionsWindow::Mode;

class CalculatorWindowTest : public ::testing::Test {
protected:
    ~CalculatorWindowTest() override { setCalcWords(kCalcWordsAtStart); }

    Calculator& calculator()
    {
        if (!m_calculator)
            m_calculator = std::make_unique<Calculator>(m_host, m_clipboard, m_metrics);
        return *m_calculator;
    }
    std::string expression() { return printExpressionText(calculator().editor().expression()); }
    void type(const std::string& buttons)
    {
        std::size_t start = 0;
        while (start < buttons.size()) {
            std::size_t end = buttons.find(' ', start);
            std::string name = buttons.substr(start, end - start);
            EXPECT_TRUE(calculator().pressButton(name)) << name;
            start = end == std::string::npos ? buttons.size() : end + 1;
        }
    }
    void setFontHeight(int height)
    {
        WindowOptions options = calculator().options();
        options.fontHeight = height;
        calculator().setOptions(options);
    }
    void clickNode(const FractNode& node) { calculator().click(node.textX + 2, node.y); }

    ScriptedHost m_host;
    MemoryClipboard m_clipboard;
    RecordingCanvas m_metrics;
    std::unique_ptr<Calculator> m_calculator;
};

TEST_F(CalculatorWindowTest, HasEveryMenuItemOfTheFractionsWindow)
{
    // Save options writes into the current directory.
    kestrane::testing::TempDir dir;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    for (const char* caption : {"New",
                                "Open",
                                "Save",
                                "Save as",
                                "Exit",
                                "Main",
                                "New variable",
                                "Simplify",
                                "Main fraction",
                                "List of variables",
                                "Value",
                                "Precision",
                                "Complex Numbers",
                                "Power",
                                "Root",
                                "Fraction",
                                "Font",
                                "Colors",
                                "Save options",
                                "Index"}) {
        calculator().newExpression();
        calculator().editor().setExpression(testing::parsed("1"));
        EXPECT_TRUE(calculator().menu(caption)) << caption;
        calculator().window().closeVariableEditor();
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(dir / "CalcOpt"));
    EXPECT_EQ(m_host.helpPages(), std::vector<std::string>{"calculator.html"});

    // Expression, View and Arithmetics act as in the window.
    calculator().editor().setExpression(testing::parsed("1/sqrt(2)"));
    calculator().menu("Simplify");
    EXPECT_EQ(expression(), "sqrt(2)/2");
    calculator().menu("Value");
    EXPECT_EQ(calculator().window().valueText(), "0.7071068");
    calculator().keyDown(static_cast<std::uint16_t>(Key::Escape), {});
    EXPECT_EQ(expression(), "?");
    calculator().menu("Fraction");
    EXPECT_EQ(expression(), "?/?");
}

TEST_F(CalculatorWindowTest, AMouseOnlyUserEntersARootAFractionAndAPower)
{
    // sqrt(2) + 1/3 + 5^2, with buttons and clicks only: a click right of
    // the expression puts the caret at its end.
    auto clickEnd = [this] {
        const FractNode& tree = calculator().editor().expression();
        calculator().click(tree.x + tree.width / 2 + 5, tree.y);
    };
    type("Imge5 KImage3");
    EXPECT_EQ(expression(), "sqrt(2)");
    clickEnd();
    type("KImage13 Imge3 KImage2");
    const FractNode& fraction = *calculator().editor().expression().right;
    ASSERT_TRUE(fraction.isFraction());
    clickNode(*fraction.denominator);
    type("KImage4");
    EXPECT_EQ(expression(), "sqrt(2)+1/3");
    clickEnd();
    type("KImage13 KImage6 Imge4 KImage3");
    EXPECT_EQ(expression(), "sqrt(2)+1/3+5^2");
    type("KImage15");
    ASSERT_TRUE(calculator().result());
    EXPECT_EQ(m_clipboard.text().substr(0, 8), "26.74754");
}

TEST_F(CalculatorWindowTest, ADefinedVariableIsListedEditedDisabledAndRemoved)
{
    // x = 1/4 by typing, then the list.
    calculator().editor().setExpression(testing::parsed("x"));
    EXPECT_FALSE(calculator().compute());
    type("Imge3 KImage2");
    clickNode(*calculator().editor().expression().right->denominator);
    type("KImage5 KImage15");
    ASSERT_TRUE(calculator().result());
    EXPECT_EQ(m_clipboard.text(), "0.25");
    calculator().keyDown('L', Modifier::Control);
    ASSERT_EQ(calculator().window().mode(), Mode::List);
    const VariableRecord& record = calculator().variables().record(0);
    EXPECT_EQ(record.name, "x");

    // A click on the value edits it in the big view; Accept stores it.
    calculator().click(450, (record.rowTop + record.rowBottom) / 2);
    ASSERT_EQ(calculator().window().mode(), Mode::NewVariable);
    calculator().editor().setExpression(testing::parsed("2.5"));
    calculator().keyDown('A', Modifier::Control);
    EXPECT_EQ(calculator().window().mode(), Mode::List);
    EXPECT_EQ(printExpressionText(*calculator().variables().record(0).value), "2.5");

    // The cross disables it: it is no longer computed with.
    calculator().click(170, calculator().variables().record(0).rowTop + 15);
    EXPECT_FALSE(calculator().variables().record(0).enabled);
    calculator().keyDown('F', Modifier::Control);
    calculator().editor().setExpression(testing::parsed("x*2"));
    EXPECT_FALSE(calculator().compute());

    // The name opens the editor; its Variables button removes the variable.
    calculator().keyDown('L', Modifier::Control);
    calculator().click(90, calculator().variables().record(0).rowTop + 5);
    ASSERT_NE(calculator().window().variableEditor(), nullptr);
    m_host.answerMessage(MessageAnswer::Cancel);
    calculator().pressButton("Variables");
    ASSERT_NE(calculator().window().variableEditor(), nullptr);
    calculator().pressButton("Variables");
    EXPECT_EQ(calculator().window().variableEditor(), nullptr);
    EXPECT_EQ(calculator().variables().count(), 0);
}

TEST_F(CalculatorWindowTest, ControlKeysMemoriesAndTheVariableEditor)
{
    calculator().keyDown('V', Modifier::Control);
    VariableEditor* editor = calculator().window().variableEditor();
    ASSERT_NE(editor, nullptr);
    // Keys and the keypad go to the editor; its values take decimals.
    calculator().keyDown('A', {});
    calculator().keyDown(static_cast<std::uint16_t>(Key::F2), {});
    type("KImage2 KImage11 KImage6");
    calculator().keyDown(static_cast<std::uint16_t>(Key::Enter), {});
    ASSERT_EQ(calculator().window().variableEditor(), nullptr);
    ASSERT_EQ(calculator().variables().count(), 1);
    EXPECT_EQ(printExpressionText(*calculator().variables().record(0).value), "1.5");

    calculator().editor().setExpression(testing::parsed("a+1"));
    calculator().keyDown('S', Modifier::Control);
    EXPECT_EQ(expression(), "1.5+1");
    calculator().editor().drag(0, 0, 2000, 2000);
    calculator().pressButton("M1In");
    ASSERT_NE(calculator().window().memory(0), nullptr);
    calculator().newExpression();
    calculator().pressButton("M1Out");
    EXPECT_EQ(expression(), "1.5+1");
}

TEST_F(CalculatorWindowTest, TheExpressionIsCentredUnderTheTopMargin)
{
    for (int height : {20, 40, 96}) {
        setFontHeight(height);
        calculator().editor().setExpression(testing::parsed("1/sqrt(2)+3"));
        const FractNode& tree = calculator().editor().expression();
        EXPECT_EQ(tree.x, FractionsWindow::kCentre) << height;
        EXPECT_EQ(tree.y, FractionsWindow::kTopMargin + tree.aboveTotal) << height;
    }
}

// Every digit of every line lies inside the window the lines are drawn in,
// and the lines together are the whole part.
void expectEveryDigitInside(Calculator& calculator, const std::string& label)
{
    ASSERT_TRUE(calculator.result()) << label;
    const CalculatorOutput& output = *calculator.result();
    RecordingCanvas metrics;
    std::optional<CalculatorResults> results = calculator.resultsWindow();
    std::vector<PlacedText> texts =
        results ? results->texts(metrics) : calculator.resultTexts(metrics);
    int right = results ? CalculatorResults::kWidth - CalculatorResults::kScrollBarWidth
                        : Calculator::kWidth;
    std::string joined;
    for (const PlacedText& text : texts) {
        EXPECT_GE(text.x, 0) << label << ": " << text.text;
        EXPECT_LE(text.x + text.width, right) << label << ": " << text.text;
        if (text.kind == PlacedText::Kind::Line)
            joined += text.text;
        // The Calculator's own lines stay above its panel of buttons.
        if (!results) {
            EXPECT_LE(text.y + calculator.options().fontHeight, Calculator::kResultBottom) << label;
        }
    }
    std::string parts = output.real.text + (output.imaginary ? output.imaginary->text : "");
    EXPECT_EQ(joined, parts) << label;
}

TEST_F(CalculatorWindowTest, EveryDigitLiesInsideTheWindowItIsDrawnIn)
{
    struct Case {
        int digits;
        const char* expression;
    };
    const Case cases[] = {
        {900, "sqrt(2)"}, {900, "1/7+i/3"}, {120, "1/7"}, {120, "-1/3-i/7"}, {54, "5"}};
    for (int height : {FontWindow::kMinimumHeight, 20, 40, FontWindow::kMaximumHeight}) {
        for (const Case& c : cases) {
            setCalcWords(c.digits / 3);
            m_calculator.reset();
            setFontHeight(height);
            calculator().editor().setExpression(testing::parsed(c.expression));
            calculator().compute();
            expectEveryDigitInside(calculator(), std::string(c.expression) + " at " +
                                                     std::to_string(c.digits) + " digits, height " +
                                                     std::to_string(height));
        }
    }
}

TEST_F(CalculatorWindowTest, LongOrLargeResultsGoToTheResultsWindow)
{
    calculator().editor().setExpression(testing::parsed("1/7"));
    ASSERT_TRUE(calculator().compute());
    EXPECT_FALSE(calculator().result()->inResultsWindow);
    EXPECT_FALSE(calculator().resultsWindow());

    // A large font pushes the same lines into the results window, and a
    // smaller one brings them back.
    setFontHeight(96);
    EXPECT_TRUE(calculator().result()->inResultsWindow);
    ASSERT_TRUE(calculator().resultsWindow());
    EXPECT_GT(calculator().resultsWindow()->contentHeight(), CalculatorResults::kHeight);
    setFontHeight(20);
    EXPECT_FALSE(calculator().result()->inResultsWindow);

    setCalcWords(300);
    m_calculator.reset();
    calculator().editor().setExpression(testing::parsed("1/7"));
    ASSERT_TRUE(calculator().compute());
    EXPECT_TRUE(calculator().result()->inResultsWindow);
    EXPECT_EQ(calculator().result()->real.text.size(), 452u);
    EXPECT_EQ(m_clipboard.text(), calculator().result()->real.text);
    // Nothing is drawn of it in the Calculator itself.
    RecordingCanvas canvas;
    EXPECT_TRUE(calculator().resultTexts(canvas).empty());
}

TEST_F(CalculatorWindowTest, PaintsThePanelOnlyInTheMainView)
{
    auto texts = [this] {
        RecordingCanvas canvas;
        calculator().paint(canvas);
        return canvas.texts();
    };
    auto has = [](const std::vector<std::string>& all, const char* text) {
        return std::find(all.begin(), all.end(), text) != all.end();
    };
    calculator().editor().setExpression(testing::parsed("2"));
    ASSERT_TRUE(calculator().compute());
    std::vector<std::string> main = texts();
    for (const char* text : {"Keyboard.", "Greek letters.", "Ctrl-V", "Ctrl-L", "Root", "Ctrl-N",
                             "Result (saved to clipboard):"})
        EXPECT_TRUE(has(main, text)) << text;
    calculator().keyDown('L', Modifier::Control);
    std::vector<std::string> list = texts();
    EXPECT_TRUE(has(list, "List of variables"));
    EXPECT_TRUE(has(list, "Accept"));
    EXPECT_FALSE(has(list, "Keyboard."));
    EXPECT_FALSE(has(list, "Result (saved to clipboard):"));
}

} // namespace
} // namespace kestrane
