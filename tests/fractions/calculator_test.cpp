// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator: compute with its checks and definitions, the shown digits
// and their rounding, the clipboard text, the lines and the precision dialog.
#include "expressions/expression_test_support.h"
#include "fractions/calculator.h"
#include "fractions/colors_dialog.h"
#include "fractions/font_window.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrane {
namespace {

class CalculatorTest : public ::testing::Test {
protected:
    CalculatorTest()
    {
        m_metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
    }
    ~CalculatorTest() override { setCalcWords(kCalcWordsAtStart); }

    // Sets the precision as the dialog's OK does, before the window opens.
    void openAt(int position)
    {
        setCalcWords(2 * position);
        m_calculator.reset();
        m_calculator = std::make_unique<Calculator>(m_host, m_clipboard, m_metrics);
    }

    Calculator& calculator()
    {
        if (!m_calculator)
            m_calculator = std::make_unique<Calculator>(m_host, m_clipboard, m_metrics);
        return *m_calculator;
    }

    bool compute(const std::string& text)
    {
        calculator().editor().setExpression(testing::parsed(text));
        return calculator().compute();
    }

    ScriptedHost m_host;
    MemoryClipboard m_clipboard;
    RecordingCanvas m_metrics;
    std::unique_ptr<Calculator> m_calculator;
};

// Reference digits of sin(1), computed independently at 1000 digits with an
// arbitrary-precision library and rounded as the calculator rounds: the last
// shown three-digit word goes up by one when the next word exceeds 500.
TEST_F(CalculatorTest, SineOfOneToTheLastShownDigit)
{
    const std::pair<int, const char*> cases[] = {
        {54, "0.841470984807896506652502322"},
        {300, "0.8414709848078965066525023216302989996225630607983710656727517099919104043912396689"
              "48639743543052695854349037907920674293259118920991898881193410327729"},
        {900, "0.8414709848078965066525023216302989996225630607983710656727517099919104043912396689"
              "486397435430526958543490379079206742932591189209918988811934103277292124094807919558"
              "267666069999077640119784087827325663474848028702986561570179624553948935729246701270"
              "864862810533820305613772182038684496677616742662390133827533979567642555654779639897"
              "648243286902756964291206300583036515230312782552898532648513981934521359709559620621"
              "72114814441781057601075674136648"},
    };
    for (const auto& [digits, expected] : cases) {
        openAt(digits / 6);
        ASSERT_TRUE(compute("sin(1)")) << digits;
        EXPECT_EQ(m_clipboard.text(), expected) << digits;
        EXPECT_EQ(longWords(), digits / 3 + 10);
    }
}

TEST_F(CalculatorTest, ShownTextDropsZerosAndKeepsTheUnits)
{
    const std::pair<const char*, const char*> cases[] = {
        {"5", "5"},     {"2.50", "2.5"},  {"0.25-1", "-0.75"},    {"1-1", "0"},
        {"0-1+1", "0"}, {"1/8", "0.125"}, {"1000000", "1000000"},
    };
    for (const auto& [text, clipboard] : cases) {
        ASSERT_TRUE(compute(text)) << text;
        EXPECT_EQ(m_clipboard.text(), clipboard) << text;
    }
}

TEST_F(CalculatorTest, ShowsHalfTheShownWordsAsFractionDigits)
{
    openAt(18);
    ASSERT_TRUE(compute("1/3"));
    EXPECT_EQ(m_clipboard.text(), "0." + std::string(54, '3'));
}

TEST_F(CalculatorTest, ComplexClipboardCarriesBothSigns)
{
    const std::pair<const char*, const char*> cases[] = {
        {"sqrt(-4)", "0 +i*2"},
        {"(1-2*i)*(0-1)", "-1 +i*2"},
        {"3-i", "3 -i*1"},
        {"i*i", "-1 +i*0"},
    };
    for (const auto& [text, clipboard] : cases) {
        calculator().setComplexNumbers(true);
        ASSERT_TRUE(compute(text)) << text;
        EXPECT_EQ(m_clipboard.text(), clipboard) << text;
        ASSERT_TRUE(calculator().result()->imaginary);
    }
}

TEST_F(CalculatorTest, AnImaginaryUnitTurnsComplexNumbersOn)
{
    ASSERT_FALSE(calculator().complexNumbers());
    ASSERT_TRUE(compute("2*i"));
    EXPECT_TRUE(calculator().complexNumbers());
    EXPECT_EQ(m_clipboard.text(), "0 +i*2");
}

TEST_F(CalculatorTest, RefusedEvaluationLeavesNoResult)
{
    ASSERT_TRUE(compute("2"));
    EXPECT_FALSE(compute("sqrt(-4)"));
    EXPECT_FALSE(calculator().result());
    EXPECT_EQ(m_clipboard.text(), "2");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
}

TEST_F(CalculatorTest, AnUndefinedNameStartsItsDefinition)
{
    EXPECT_FALSE(compute("x"));
    EXPECT_TRUE(m_host.messages().empty());
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "x=?");

    calculator().editor().setExpression(testing::parsed("x=1/4"));
    ASSERT_TRUE(calculator().compute());
    EXPECT_EQ(m_clipboard.text(), "0.25");
    ASSERT_EQ(calculator().variables().count(), 1);
    EXPECT_EQ(calculator().variables().record(0).name, "x");

    ASSERT_TRUE(compute("x*8"));
    EXPECT_EQ(m_clipboard.text(), "2");
    calculator().newExpression();
    EXPECT_FALSE(calculator().result());
    EXPECT_EQ(calculator().variables().count(), 1);
}

TEST_F(CalculatorTest, DefinitionStartIsRefusedWithItsMessage)
{
    calculator().defineVariable("y", testing::parsed("1"));
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"x+1", "Error",
         "Wrong equality sign.\nName of variable must be a single string\nor\nundefined "
         "variable discovered."},
        {"?", "Error",
         "Wrong equality sign.\nName of variable must be a single string\nor\nundefined "
         "variable discovered."},
    };
    for (const auto& [text, caption, message] : cases) {
        m_host.clearMessages();
        EXPECT_FALSE(compute(text)) << text;
        ASSERT_EQ(m_host.messages().size(), 1u) << text;
        EXPECT_EQ(m_host.messages()[0].caption, caption);
        EXPECT_EQ(m_host.messages()[0].text, message);
    }
}

TEST_F(CalculatorTest, DisabledVariablesAreNotUsed)
{
    calculator().defineVariable("y", testing::parsed("1"));
    ASSERT_TRUE(compute("y+1"));
    EXPECT_EQ(m_clipboard.text(), "2");
    calculator().setVariableEnabled("y", false);
    m_host.clearMessages();
    EXPECT_FALSE(compute("y+1"));
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error");
    // A disabled name cannot be defined again either.
    EXPECT_FALSE(compute("y"));
    EXPECT_EQ(m_host.messages().back().text, "Variable already exists.");
}

TEST_F(CalculatorTest, ClosingGivesBackTheWordCount)
{
    ASSERT_EQ(longWords(), kLongWordsAtStart);
    {
        Calculator opened(m_host, m_clipboard, m_metrics);
        EXPECT_EQ(longWords(), 50);
    }
    EXPECT_EQ(longWords(), kLongWordsAtStart);
}

TEST_F(CalculatorTest, KeysComputeEraseAndRefuse)
{
    for (char digit : std::string("12"))
        calculator().keyDown(static_cast<std::uint16_t>(digit), {});
    calculator().keyDown(editor_keys::kPeriod, {});
    calculator().keyDown('5', {});
    calculator().keyDown(editor_keys::kNumpadDecimal, {});
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
    EXPECT_EQ(m_host.messages()[0].text, "Comma is already in.");

    calculator().keyDown(editor_keys::kEquals, {});
    ASSERT_TRUE(calculator().result());
    EXPECT_EQ(m_clipboard.text(), "12.5");
    calculator().keyDown('3', {});
    EXPECT_FALSE(calculator().result());

    calculator().keyDown(static_cast<std::uint16_t>(Key::Escape), {});
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "?");
}

TEST_F(CalculatorTest, CopiesAndPastesTheLinearNotation)
{
    calculator().editor().setExpression(testing::parsed("1/sqrt(2)"));
    calculator().keyDown('C', Modifier::Control);
    EXPECT_EQ(m_clipboard.text(), "1/sqrt(2)");

    calculator().newExpression();
    const Modifiers shift = Modifier::Shift;
    const auto insert = static_cast<std::uint16_t>(Key::Insert);
    calculator().keyDown(insert, shift);
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "1/sqrt(2)");

    m_clipboard.setText("x+1");
    calculator().editor().setExpression(testing::parsed("3"));
    calculator().keyDown(insert, shift);
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "3*(x+1)");

    m_clipboard.setText("1+");
    calculator().keyDown(insert, shift);
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "3*(x+1)");
}

TEST_F(CalculatorTest, ImaginaryKeyFillsOnlyAnEmptySlot)
{
    calculator().setComplexNumbers(true);
    calculator().keyDown('I', {});
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "i");
    calculator().keyDown('I', {});
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error");
    EXPECT_EQ(m_host.messages()[0].text, "Character 'i' is reserved.\nTry another character.");
}

TEST_F(CalculatorTest, ButtonsTypeDigitsFunctionsAndSymbols)
{
    for (const char* button : {"GImage5", "KImage2", "KImage14"})
        ASSERT_TRUE(calculator().pressButton(button)) << button;
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "sin(-1)");
    ASSERT_TRUE(calculator().pressButton("KImage15"));
    EXPECT_EQ(m_clipboard.text().substr(0, 9), "-0.841470");

    calculator().pressButton("BImage3");
    calculator().pressButton("GImage3");
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "pi");
    calculator().pressButton("GImage12");
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "pi");
    calculator().pressButton("BImage3");
    calculator().pressButton("GImage12");
    EXPECT_TRUE(calculator().pressButton("BImage1"));
    EXPECT_EQ(printExpressionText(calculator().editor().expression()), "\u03B1=?");
    EXPECT_FALSE(calculator().pressButton("KImage17"));
    EXPECT_FALSE(calculator().pressButton("GImage"));
}

TEST_F(CalculatorTest, OptionsMenuWorksOnTheCalculatorsSlot)
{
    calculator().editor().setExpression(testing::parsed("12345"));
    m_host.answerDialog([](ModalDialog& dialog) {
        dynamic_cast<FontWindow&>(dialog).choose(FontChoice{"Courier", 30});
        return DialogResult::Accepted;
    });
    ASSERT_TRUE(calculator().menu("Font"));
    RecordingCanvas canvas;
    calculator().paint(canvas);
    auto texts = canvas.callsOf(RecordingCanvas::Shape::Text);
    auto number = std::find_if(texts.begin(), texts.end(),
                               [](const auto& call) { return call.text == "12345"; });
    ASSERT_NE(number, texts.end());
    EXPECT_EQ(number->font.name, "Courier");
    EXPECT_EQ(number->font.pixelHeight, 30);

    m_host.answerColour(rgb(10, 20, 30));
    m_host.answerDialog([this](ModalDialog& dialog) {
        dynamic_cast<ColorsDialog&>(dialog).browseWindow(m_host);
        return DialogResult::Accepted;
    });
    ASSERT_TRUE(calculator().menu("Colors"));
    EXPECT_EQ(calculator().options().window, rgb(10, 20, 30));
    EXPECT_EQ(calculator().options().expressionBackground, rgb(128, 255, 255));

    kestrane::testing::TempDir dir;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ASSERT_TRUE(calculator().menu("Save options"));
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(dir / "CalcOpt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "FractOpt"));
    EXPECT_EQ(readWindowOptions(dir / "CalcOpt").fontHeight, 30);
    EXPECT_FALSE(calculator().menu("Nothing"));
}

TEST_F(CalculatorTest, PrecisionOkWithoutAMoveKeepsThePrecision)
{
    openAt(20);
    ASSERT_TRUE(calculator().menu("Precision"));
    EXPECT_EQ(calcWords(), 40);
    EXPECT_EQ(longWords(), 50);
    openAt(150);
    EXPECT_EQ(PrecisionDialog().position(), 150);
    ASSERT_TRUE(calculator().menu("Precision"));
    EXPECT_EQ(calcWords(), 300);
    EXPECT_EQ(longWords(), 310);
}

class PrecisionDialogTest : public ::testing::Test {
protected:
    ~PrecisionDialogTest() override
    {
        setCalcWords(kCalcWordsAtStart);
        setLongWords(kLongWordsAtStart);
    }
};

TEST_F(PrecisionDialogTest, TextAndWordCountsFollowThePosition)
{
    struct Case {
        int position;
        const char* text;
        int calcWords;
        int longWords;
    };
    const Case cases[] = {
        {9, "Number of significant digits:  54 ", 18, 28},
        {18, "Number of significant digits:  108", 36, 46},
        {16, "Number of significant digits:  96 ", 32, 42},
        {100, "Number of significant digits:  600", 200, 210},
        {150, "Number of significant digits:  900", 300, 310},
    };
    for (const Case& c : cases) {
        PrecisionDialog dialog(PrecisionDialog::kStart);
        dialog.setPosition(c.position);
        EXPECT_EQ(dialog.text(), c.text);
        dialog.accept();
        EXPECT_EQ(calcWords(), c.calcWords);
        EXPECT_EQ(longWords(), c.longWords);
        EXPECT_EQ(LongPi().wordCount(), c.longWords);
    }
}

TEST_F(PrecisionDialogTest, ScrollBarStaysInItsRange)
{
    PrecisionDialog dialog(PrecisionDialog::kStart);
    dialog.pageLeft();
    EXPECT_EQ(dialog.position(), 9);
    dialog.setPosition(145);
    dialog.pageRight();
    EXPECT_EQ(dialog.position(), 150);
}

} // namespace
} // namespace kestrane
