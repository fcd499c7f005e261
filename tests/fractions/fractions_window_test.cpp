// SPDX-License-Identifier: GPL-3.0-or-later
// The Fractions and Roots window: files, Simplify and restore, the list
// refusal, memories, the description and the close question.
#include "expressions/expression_test_support.h"
#include "fractions/colors_dialog.h"
#include "fractions/font_window.h"
#include "fractions/fractions_window.h"
#include "fractions/precision_dialog.h"
#include "numbers/long_num.h"
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
    // Options > Font, with a font chosen in the Font window and OK.
    void chooseFont(const std::string& name, int height)
    {
        m_host.answerDialog([name, height](ModalDialog& dialog) {
            dynamic_cast<FontWindow&>(dialog).choose(FontChoice{name, height});
            return DialogResult::Accepted;
        });
        m_window.menu("Font");
    }
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

TEST_F(FractionsWindowTest, TheMainExpressionStandsLargeInTheMiddle)
{
    for (int height : {20, 40, 96}) {
        WindowOptions options;
        options.fontHeight = height;
        m_window.setOptions(options);
        for (const char* text : {"?", "1/sqrt(2)", "(1+x)^2/3"}) {
            start(text);
            const FractNode& tree = m_window.editor().expression();
            // Centred at x 450; its top 120 below the drawing area's top.
            EXPECT_EQ(tree.x, FractionsWindow::kCentre) << text << " at " << height;
            EXPECT_EQ(tree.y, FractionsWindow::kTopMargin + tree.aboveTotal) << text;
            RecordingCanvas canvas;
            m_window.paint(canvas);
            // The expression's box holds it.
            auto fills = canvas.callsOf(RecordingCanvas::Shape::FillRect);
            ASSERT_GE(fills.size(), 2u);
            EXPECT_LE(fills[1].points[0].x, tree.x - tree.width / 2) << text;
            EXPECT_GE(fills[1].points[1].x, tree.x + tree.width / 2) << text;
            EXPECT_LE(fills[1].points[0].y, FractionsWindow::kTopMargin) << text;
            EXPECT_GE(fills[1].points[1].y, tree.y + tree.below) << text;
        }
    }
    // After New and Open it stands there too.
    m_window.menu("New");
    EXPECT_EQ(m_window.editor().expression().x, FractionsWindow::kCentre);
}

TEST_F(FractionsWindowTest, AClickPutsTheCaretInThePlaceUnderIt)
{
    start("12/345");
    const FractNode& tree = m_window.editor().expression();
    const FractNode& denominator = *tree.denominator;
    ASSERT_TRUE(m_window.click(denominator.textX + 1, denominator.y));
    EXPECT_EQ(m_window.editor().cursor().place.node, &denominator);
    EXPECT_EQ(m_window.editor().cursor().place.position, 0);
    m_window.keyDown('9', {});
    EXPECT_EQ(expression(), "12/9345");
    // Far from the expression a click changes nothing.
    EXPECT_FALSE(m_window.click(5, 600));
    EXPECT_EQ(m_window.editor().cursor().place.node,
              m_window.editor().expression().denominator.get());
}

} // namespace
} // namespace kestrane

namespace kestrane {
namespace {

// The list of variables, mode 1, the variable editor, substitution and the
// Options and Settings menus.
class FractionsListTest : public FractionsWindowTest {
protected:
    void define(const std::string& name, const std::string& value)
    {
        m_window.pressButton("NImage1");
        ASSERT_NE(m_window.variableEditor(), nullptr);
        m_window.variableEditor()->nameEditor().setExpression(testing::parsed(name));
        m_window.variableEditor()->valueEditor().setExpression(testing::parsed(value));
        m_window.keyDown(static_cast<std::uint16_t>(Key::Enter), {});
        ASSERT_EQ(m_window.variableEditor(), nullptr) << name;
    }
    std::string variable(int index) const
    {
        return printExpressionText(*m_window.variables().record(index).value);
    }
    // The middle of a row's value box.
    void clickValue(int index)
    {
        const VariableRecord& record = m_window.variables().record(index);
        m_window.click(450, (record.rowTop + record.rowBottom) / 2);
    }
};

TEST_F(FractionsListTest, KeysTypedIntoTheEditorDefineAVariable)
{
    m_window.keyDown('V', Modifier::Control);
    ASSERT_NE(m_window.variableEditor(), nullptr);
    for (std::uint16_t key : {'A', 'B'})
        m_window.keyDown(key, {});
    m_window.keyDown(static_cast<std::uint16_t>(Key::F2), {});
    m_window.keyDown('4', {});
    m_window.keyDown(static_cast<std::uint16_t>(Key::Enter), {});
    EXPECT_EQ(m_window.variableEditor(), nullptr);
    ASSERT_EQ(m_window.variables().count(), 1);
    EXPECT_EQ(m_window.variables().record(0).name, "ab");
    EXPECT_EQ(variable(0), "4");
    // The main expression was not touched.
    EXPECT_EQ(expression(), "?");

    // A refused acceptance keeps the editor open; Escape closes it.
    m_window.menu("New variable");
    m_window.keyDown(static_cast<std::uint16_t>(Key::Enter), {});
    EXPECT_NE(m_window.variableEditor(), nullptr);
    m_window.keyDown(static_cast<std::uint16_t>(Key::Escape), {});
    EXPECT_EQ(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variables().count(), 1);
}

TEST_F(FractionsListTest, NewAndOpenActOnTheOpenEditor)
{
    start("1/3");
    std::string path = (m_dir / "third.fra").string();
    m_host.answerFile(path);
    ASSERT_TRUE(m_window.save());
    start("5+x");
    m_window.pressButton("NImage1");
    m_window.variableEditor()->valueEditor().setExpression(testing::parsed("7"));
    m_window.menu("New");
    EXPECT_EQ(printExpressionText(m_window.variableEditor()->valueEditor().expression()), "?");
    m_host.answerFile(path);
    m_window.menu("Open");
    EXPECT_EQ(printExpressionText(m_window.variableEditor()->valueEditor().expression()), "1/3");
    EXPECT_EQ(expression(), "5+x");
    EXPECT_EQ(m_window.caption(), path);
}

TEST_F(FractionsListTest, AClickOnAValueEditsItInModeOne)
{
    define("a", "1/2");
    start("a+1");
    m_window.menu("List of variables");
    ASSERT_EQ(m_window.mode(), FractionsWindow::Mode::List);
    EXPECT_EQ(printExpressionText(m_window.mainExpression()), "a+1");

    clickValue(0);
    ASSERT_EQ(m_window.mode(), FractionsWindow::Mode::NewVariable);
    EXPECT_EQ(m_window.editedRecord(), 0);
    EXPECT_EQ(expression(), "1/2");
    m_window.editor().setExpression(testing::parsed("1/3"));
    m_window.keyDown('A', Modifier::Control);
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::List);
    EXPECT_EQ(variable(0), "1/3");

    // List leaves an edit without storing it; Fraction goes back to the main.
    clickValue(0);
    m_window.keyDown('9', {});
    m_window.click(FractionsWindow::kListButtonX + 10, FractionsWindow::kListButtonsY + 10);
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::List);
    EXPECT_EQ(variable(0), "1/3");
    m_window.keyDown('F', Modifier::Control);
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::Main);
    EXPECT_EQ(expression(), "a+1");
}

TEST_F(FractionsListTest, AClickOnANameOpensTheEditorOnIt)
{
    define("a", "2");
    start("1");
    m_window.menu("List of variables");
    const VariableRecord& record = m_window.variables().record(0);
    m_window.click(80, record.rowTop + 10);
    ASSERT_NE(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variableEditor()->editedIndex(), 0);
    m_window.variableEditor()->valueEditor().setExpression(testing::parsed("5"));
    EXPECT_TRUE(m_window.acceptVariable());
    EXPECT_EQ(variable(0), "5");
    // Accept in the list opens the editor on a new variable.
    m_window.keyDown('A', Modifier::Control);
    ASSERT_NE(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variableEditor()->editedIndex(), -1);
}

TEST_F(FractionsListTest, ADisabledVariableIsNeitherSubstitutedNorEvaluated)
{
    define("a", "4");
    start("sqrt(a)");
    m_window.menu("List of variables");
    const VariableRecord& record = m_window.variables().record(0);
    m_window.click(170, record.rowTop + 15);
    EXPECT_FALSE(m_window.variables().record(0).enabled);
    m_window.menu("Main fraction");

    m_window.pressButton("NImage3");
    EXPECT_EQ(expression(), "sqrt(a)");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "");
    m_window.menu("Simplify");
    EXPECT_EQ(expression().find('4'), std::string::npos);
    m_window.menu("Main");
    m_window.pressButton("NImage5");

    m_window.menu("List of variables");
    m_window.click(170, m_window.variables().record(0).rowTop + 15);
    m_window.menu("Main fraction");
    m_window.menu("Value");
    EXPECT_EQ(m_window.valueText(), "2");
    m_window.keyDown('S', Modifier::Control);
    EXPECT_EQ(expression(), "sqrt(4)");
}

TEST_F(FractionsListTest, SimplifyFromTheListStopsBeforeNormalising)
{
    start("1/2+1/3");
    m_window.menu("List of variables");
    m_window.menu("Simplify");
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::Main);
    EXPECT_EQ(expression(), "(1*3+2*1)/(3*2)");
    m_window.pressButton("NImage5");
    m_window.menu("Simplify");
    EXPECT_EQ(expression(), "5/6");
}

TEST_F(FractionsListTest, SubstituteRestoresFirstAndFollowsChains)
{
    define("a", "b+1");
    define("b", "1/2");
    start("a*2");
    m_window.menu("Simplify");
    m_window.pressButton("NImage3");
    EXPECT_EQ(m_window.unsimplified(), nullptr);
    EXPECT_EQ(expression(), "(1/2+1)*2");
    EXPECT_TRUE(m_window.editor().editingAllowed());

    // A variable defined through itself stops after a round per variable.
    m_window.menu("New");
    define("c", "c+1");
    start("c");
    m_window.pressButton("NImage3");
    EXPECT_EQ(expression(), "c+1+1");
}

TEST_F(FractionsListTest, SubstitutedValuesKeepTheirGrouping)
{
    define("h", "1/2");
    define("s", "b+1");
    define("n", "-3");
    define("p", "a*c");
    struct Case {
        const char* typed;
        const char* substituted;
    } cases[] = {
        {"h*3", "1/2*3"},         {"h^2", "(1/2)^2"},     {"2^h", "2^(1/2)"},
        {"s*3", "(b+1)*3"},       {"3-s", "3-(b+1)"},     {"s-3", "b+1-3"},
        {"sqrt(s)", "sqrt(b+1)"}, {"3/s", "3/(b+1)"},     {"3+s", "3+b+1"},
        {"-h", "-1/2"},           {"-s", "-(b+1)"},       {"x^s", "x^(b+1)"},
        {"(s)^h", "(b+1)^(1/2)"}, {"h/3", "1/2/3"},       {"-h*2", "-1/2*2"},
        {"2*h*s", "2*1/2*(b+1)"}, {"sin(s)", "sin(b+1)"}, {"-s^2", "-(b+1)^2"},
        {"-h^2", "-(1/2)^2"},     {"y+(s)", "y+(b+1)"},   {"2*(y+s)", "2*(y+b+1)"},
        {"n+1", "-3+1"},          {"2+n", "2-3"},         {"n^2", "(-3)^2"},
        {"-n", "-(-3)"},          {"2*p", "2*a*c"},       {"-p", "-a*c"},
        {"p-p", "a*c-a*c"},
    };
    for (const Case& item : cases) {
        start(item.typed);
        m_window.pressButton("NImage3");
        EXPECT_EQ(expression(), item.substituted) << item.typed;
    }
}

TEST_F(FractionsListTest, TheListScrollsWhenItIsLong)
{
    for (int index = 0; index < 8; ++index)
        define("v" + std::to_string(index), "1/2");
    start("1");
    m_window.menu("List of variables");
    ASSERT_GT(m_window.scrollMaximum(), 0);
    EXPECT_EQ(m_window.scrollMaximum(), (m_window.variables().listY - 450) / 100 + 2);
    int top = m_window.variables().record(0).rowTop;
    m_window.scrollTo(1);
    EXPECT_EQ(m_window.scrollPosition(), 1);
    EXPECT_EQ(m_window.variables().record(0).rowTop, top - 100);
    // Coming back to the list starts at its top.
    m_window.menu("Main");
    m_window.menu("List of variables");
    EXPECT_EQ(m_window.scrollPosition(), 0);
}

TEST_F(FractionsListTest, TheListPaintsItsTitleAndBottomButtons)
{
    define("ab", "2");
    start("1");
    m_window.menu("List of variables");
    RecordingCanvas canvas;
    m_window.paint(canvas);
    std::vector<std::string> texts = canvas.texts();
    for (const char* text :
         {"List of variables", "ab", "Fraction", "Accept", "List", "Root", "Ctrl-R"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;

    m_window.menu("Main");
    RecordingCanvas main;
    m_window.paint(main);
    texts = main.texts();
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "Accept"), texts.end());
}

TEST_F(FractionsListTest, ListViewKeysAndHelp)
{
    start("1");
    m_window.keyDown('L', Modifier::Control);
    EXPECT_EQ(m_window.mode(), FractionsWindow::Mode::List);
    m_window.keyDown('H', Modifier::Control);
    ASSERT_FALSE(m_host.messages().empty());
    EXPECT_EQ(m_host.messages().back().caption, "Handling of list");
    // Typing in the list changes nothing.
    m_window.keyDown('5', {});
    m_window.keyDown('M', Modifier::Control);
    EXPECT_EQ(expression(), "1");
}

TEST_F(FractionsListTest, FontMeasuresEveryExpressionAgain)
{
    define("a", "1/2");
    start("a+1");
    int width = m_window.editor().expression().width;
    chooseFont("Arial", 32);
    EXPECT_EQ(m_window.options().fontHeight, 32);
    EXPECT_GT(m_window.editor().expression().width, width);
    m_window.menu("List of variables");
    EXPECT_EQ(m_window.variables().record(0).value->fontHeight, 32);
    // Cancel changes nothing.
    m_window.menu("Font");
    EXPECT_EQ(m_window.options().fontHeight, 32);
}

// The family of a text drawn on the canvas; empty when it was not drawn.
std::string familyOf(const RecordingCanvas& canvas, const std::string& text)
{
    for (const auto& call : canvas.callsOf(RecordingCanvas::Shape::Text)) {
        if (call.text == text)
            return call.font.name;
    }
    return "";
}

TEST_F(FractionsListTest, FontFamilyAppliesToEveryExpressionButNotToLabels)
{
    define("a", "5/9");
    start("7+a");
    RecordingCanvas before;
    m_window.paint(before);
    EXPECT_EQ(familyOf(before, "7"), "Arial");

    chooseFont("Courier", 20);
    EXPECT_EQ(m_window.editor().fontName(), "Courier");
    RecordingCanvas main;
    m_window.paint(main);
    EXPECT_EQ(familyOf(main, "7"), "Courier");
    EXPECT_EQ(familyOf(main, "a"), "Courier");
    EXPECT_EQ(familyOf(main, "Root"), "Arial");

    m_window.menu("List of variables");
    RecordingCanvas list;
    m_window.paint(list);
    EXPECT_EQ(familyOf(list, "5"), "Courier");
    EXPECT_EQ(familyOf(list, "9"), "Courier");
    EXPECT_EQ(familyOf(list, "a"), "Arial");
    EXPECT_EQ(familyOf(list, "List of variables"), "Arial");

    m_window.menu("Main");
    m_window.pressButton("NImage1");
    ASSERT_NE(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variableEditor()->nameEditor().fontName(), "Courier");
    EXPECT_EQ(m_window.variableEditor()->valueEditor().fontName(), "Courier");
}

TEST_F(FractionsListTest, ColorsAndSaveOptionsWriteFractOpt)
{
    m_host.answerDialog([](ModalDialog& dialog) {
        auto* colours = dynamic_cast<ColorsDialog*>(&dialog);
        EXPECT_NE(colours, nullptr);
        return DialogResult::Rejected;
    });
    m_window.menu("Colors");
    EXPECT_EQ(m_window.options().window, rgb(208, 208, 208));

    m_host.answerColour(rgb(1, 2, 3));
    m_host.answerColour(rgb(4, 5, 6));
    m_host.answerDialog([this](ModalDialog& dialog) {
        auto& colours = dynamic_cast<ColorsDialog&>(dialog);
        colours.browseExpression(m_host);
        colours.browseWindow(m_host);
        return DialogResult::Accepted;
    });
    m_window.menu("Colors");
    EXPECT_EQ(m_window.options().expressionBackground, rgb(1, 2, 3));
    EXPECT_EQ(m_window.options().window, rgb(4, 5, 6));

    std::error_code error;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.path());
    m_window.menu("Save options");
    std::filesystem::current_path(previous);
    WindowOptions saved = readWindowOptions(m_dir / "FractOpt");
    EXPECT_EQ(saved.expressionBackground, rgb(1, 2, 3));
    EXPECT_EQ(saved.window, rgb(4, 5, 6));
}

TEST_F(FractionsListTest, ValueBoxesStayInsideTheirRowsAtEveryFont)
{
    define("a", "1/sqrt(2)");
    define("b", "(1+x)^2/3");
    define("c", "7");
    start("a+b+c");
    for (int height : {8, 20, 48, 96}) {
        chooseFont("Arial", height);
        m_window.menu("List of variables");
        RecordingCanvas canvas;
        m_window.paint(canvas);
        std::vector<std::pair<double, double>> boxes;
        for (const auto& fill : canvas.callsOf(RecordingCanvas::Shape::FillRect))
            if (fill.brush == m_window.options().expressionBackground)
                boxes.emplace_back(fill.points[0].y, fill.points[1].y);
        ASSERT_EQ(boxes.size(), 3u) << height;
        for (int index = 0; index < 3; ++index) {
            const VariableRecord& record = m_window.variables().record(index);
            EXPECT_GE(boxes[static_cast<std::size_t>(index)].first, record.rowTop) << height;
            EXPECT_LE(boxes[static_cast<std::size_t>(index)].second, record.rowBottom) << height;
            // The value itself lies in its box.
            const FractNode& value = *record.value;
            EXPECT_GT(value.y - value.aboveTotal, record.rowTop) << height;
            EXPECT_LT(value.y + value.below, record.rowBottom) << height;
        }
        m_window.menu("Main");
    }
}

TEST_F(FractionsListTest, TheEditorsVariablesButtonDeletesAfterOk)
{
    define("a", "1");
    define("b", "2");
    start("a+b");
    m_window.menu("List of variables");
    m_window.click(90, m_window.variables().record(0).rowTop + 5);
    ASSERT_NE(m_window.variableEditor(), nullptr);
    m_host.answerMessage(MessageAnswer::Cancel);
    m_window.pressButton("Variables");
    ASSERT_NE(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variables().count(), 2);
    m_window.pressButton("Variables");
    EXPECT_EQ(m_window.variableEditor(), nullptr);
    ASSERT_EQ(m_window.variables().count(), 1);
    EXPECT_EQ(m_window.variables().record(0).name, "b");
    EXPECT_EQ(m_window.variables().record(0).rowTop, VariableTable::kListTop);
    EXPECT_TRUE(m_window.modified());
    // On a new variable it only closes the editor.
    m_window.pressButton("NImage1");
    m_window.pressButton("Variables");
    EXPECT_EQ(m_window.variableEditor(), nullptr);
    EXPECT_EQ(m_window.variables().count(), 1);
}

TEST_F(FractionsListTest, PrecisionOkKeepsTheDigitsAndSetsTheWordsUntilTheWindowCloses)
{
    int before = longWords();
    setCalcWords(60);
    {
        FractionsWindow window(m_host, m_metrics);
        // The dialog opens at the current precision: OK changes no digit.
        window.menu("Precision");
        EXPECT_EQ(calcWords(), 60);
        EXPECT_EQ(longWords(), 60 + kCalcGuardWords);
    }
    EXPECT_EQ(longWords(), before);
    setCalcWords(kCalcWordsAtStart);
}

} // namespace
} // namespace kestrane
