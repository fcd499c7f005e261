// SPDX-License-Identifier: GPL-3.0-or-later
// The cursor editor: typing, refusals with their exact boxes, key
// translation, signs, the degree control, moving, deleting and selecting.
#include "expression_test_support.h"

#include "expressions/expression_editor.h"
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kestrane {
namespace {

using namespace editor_keys;

struct Stroke {
    std::uint16_t key;
    Modifiers modifiers;
};

// Keys as a US keyboard types these characters; ^ is Ctrl+P (power), / is
// the slash key, ~ Ctrl+N (fraction), # Ctrl+R (root), < and > Left and
// Right, { } Home and End, | Delete, \ Backspace.
Stroke strokeFor(char c)
{
    Modifiers shift = Modifier::Shift;
    Modifiers control = Modifier::Control;
    if (c == '!')
        return {static_cast<std::uint16_t>(Key::Down), {}};
    if (c == '@')
        return {static_cast<std::uint16_t>(Key::Up), {}};
    if (c >= 'a' && c <= 'z')
        return {static_cast<std::uint16_t>(c - 'a' + 'A'), {}};
    if (c >= 'A' && c <= 'Z')
        return {static_cast<std::uint16_t>(c), shift};
    if (c >= '0' && c <= '9')
        return {static_cast<std::uint16_t>(c), {}};
    switch (c) {
    case '+':
        return {kEquals, shift};
    case '-':
        return {kMinus, {}};
    case '_':
        return {kMinus, shift};
    case '*':
        return {'8', shift};
    case '(':
        return {'9', shift};
    case ')':
        return {'0', shift};
    case '/':
        return {kSlash, {}};
    case '.':
        return {kPeriod, {}};
    case ',':
        return {kComma, {}};
    case '^':
        return {'P', control};
    case '~':
        return {'N', control};
    case '#':
        return {'R', control};
    case '<':
        return {static_cast<std::uint16_t>(Key::Left), {}};
    case '>':
        return {static_cast<std::uint16_t>(Key::Right), {}};
    case '{':
        return {static_cast<std::uint16_t>(Key::Home), {}};
    case '}':
        return {static_cast<std::uint16_t>(Key::End), {}};
    case '|':
        return {static_cast<std::uint16_t>(Key::Delete), {}};
    case '\\':
        return {static_cast<std::uint16_t>(Key::Backspace), {}};
    default:
        ADD_FAILURE() << "no key for " << c;
        return {0, {}};
    }
}

class ExpressionEditorTest : public ::testing::Test {
protected:
    void start(const std::string& text)
    {
        if (text.empty())
            m_editor.newExpression();
        else
            m_editor.setExpression(testing::parsed(text));
    }

    void type(const std::string& keys)
    {
        for (char c : keys) {
            Stroke stroke = strokeFor(c);
            m_editor.keyDown(stroke.key, stroke.modifiers);
        }
    }

    void press(Key key, Modifiers modifiers = {})
    {
        m_editor.keyDown(static_cast<std::uint16_t>(key), modifiers);
    }

    std::string text() const { return printExpressionText(m_editor.expression()); }

    ScriptedHost m_host;
    RecordingCanvas m_metrics;
    ExpressionEditor m_editor{m_host, m_metrics};
};

TEST_F(ExpressionEditorTest, TypesExpressions)
{
    struct Case {
        const char* start;
        const char* keys;
        const char* result;
    };
    const Case cases[] = {
        {"", "12+3", "12+3"},
        {"", "1+2*3", "1+2*3"},
        {"", "2*3+4", "2*3+4"},
        {"", "ab2-x", "ab2-x"},
        {"", "X+y", "X+y"},
        {"", "1~2!3", "1*2/3"},
        {"", "~1!2", "1/2"},
        {"", "2^3", "2^3"},
        {"", "x#", "sqrt(x)"},
        {"", "(1+x)^2", "(1+x)^2"},
        {"", "(1+x)*2", "(1+x)*2"},
        {"", "12<+", "1+2"},
        {"", "1*2+3<<<<<+", "?+1*2+3"},
        {"", "-", "?-?"},
        {"1+2", "*5", "1+2*5"},
        {"a/b", "~", "a/b*?/?"},
        {"a/b", "<~", "a/(b*?/?)"},
        {"", "~~", "?/?/?"},
        {"1/2", "}+", "1/2+?"},
        {"1/2", "{+", "?+1/2"},
        {"", "~1!2>+x#", "1/2+sqrt(x)"},
    };
    for (const Case& c : cases) {
        start(c.start);
        type(c.keys);
        EXPECT_EQ(text(), c.result) << c.start << " + " << c.keys;
        EXPECT_TRUE(m_host.messages().empty()) << c.keys << ": " << m_host.messages()[0].text;
        m_host.clearMessages();
    }
}

TEST_F(ExpressionEditorTest, RefusalsShowTheirBoxAndChangeNothing)
{
    using namespace editor_messages;
    struct Case {
        const char* name;
        const char* start;
        const char* keys; // typed first, then the refused key
        const char* refused;
        Message message;
    };
    const Case cases[] = {
        {"letter I", "", "ab", "I", kLetterI},
        {"letter i", "", "", "i", kLetterI},
        {"fifth letter", "", "abcd", "e", kNameTooLong},
        {"division", "", "1", "/", kDivision},
        {"operation in an exponent", "", "2^3", "+", kOperationInExponent},
        {"sign in an exponent", "", "2^3", "_", kOperationInExponent},
        {"fraction in an exponent", "", "2^3", "~", kFractionInExponent},
        {"root in an exponent", "", "2^3", "#", kRootInExponent},
        {"power in an exponent", "", "2^3", "^", kPowerInExponent},
        {"power beside a root", "", "x#>", "^", kPowerBesideRoot},
        {"power on an opening mark", "", "x#{", "^", kPowerBesideRoot},
        {"digit after x", "", "x", "2", kVariable},
        {"digit in a mark area", "", "x#{", "2", kMarkArea},
        {"letter key in a mark area", "", "x#{", "a", kMarkArea},
        {"sign on a right operand", "", "1+2", "_", kSignHere},
        {"sign on a closing mark", "", "(x)", "_", kClosingSign},
        {"root from its closing mark", "", "x#>", "\\", kRootFromClosing},
        {"commas", "", "1", ",", kCommas},
        {"period", "", "1", ".", kCommas},
        {"letter in a number", "", "12", "a", kLetterInNumber},
        {"digit before a name", "", "ab{", "1", kNameStart},
    };
    for (const Case& c : cases) {
        start(c.start);
        type(c.keys);
        std::string before = text();
        CaretPlace place = m_editor.cursor().place;
        m_host.clearMessages();
        type(c.refused);
        ASSERT_EQ(m_host.messages().size(), 1u) << c.name;
        EXPECT_EQ(m_host.messages()[0].caption, c.message.caption) << c.name;
        EXPECT_EQ(m_host.messages()[0].text, c.message.text) << c.name;
        EXPECT_EQ(text(), before) << c.name;
        EXPECT_TRUE(m_editor.cursor().place == place) << c.name;
    }
}

TEST_F(ExpressionEditorTest, DecimalsWhereTheyAreAllowed)
{
    m_editor.setDecimalsAllowed(true);
    type("1.5");
    EXPECT_EQ(text(), "1.5");
    type(",");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
    EXPECT_EQ(m_host.messages()[0].text, "Cannot write a second comma.");
    EXPECT_EQ(text(), "1.5");

    // A leaf without any text (as old files may hold) takes no digit.
    m_host.clearMessages();
    m_editor.setExpression(FractNode::create(nullptr, 0, 0, 20));
    type("7");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].text, editor_messages::kNoText.text);
}

TEST_F(ExpressionEditorTest, KeysThatAreNotEditKeys)
{
    for (Key key : {Key::Enter, Key::F2, Key::Tab, Key::Space}) {
        m_host.clearMessages();
        press(key);
        ASSERT_EQ(m_host.messages().size(), 1u);
        EXPECT_EQ(m_host.messages()[0].caption, "Keyboard error");
        EXPECT_EQ(m_host.messages()[0].text, "This is not an edit key.\nUse edit keys only.");
    }
    m_host.clearMessages();
    EXPECT_EQ(m_editor.keyDown(kEquals, {}), EditorRequest::Simplify);
    EXPECT_EQ(m_editor.keyDown('M', Modifier::Control), EditorRequest::Simplify);
    EXPECT_EQ(m_editor.keyDown(static_cast<std::uint16_t>(Key::Escape), {}), EditorRequest::Escape);
    EXPECT_TRUE(m_host.messages().empty());
}

TEST_F(ExpressionEditorTest, EditingLockedAndParenthesesOff)
{
    type("12");
    m_editor.setEditingAllowed(false);
    for (const char* keys : {"3", "a", "+", "_", "~", "#", "^", "|", "\\", "(", "!"}) {
        m_host.clearMessages();
        type(keys);
        ASSERT_EQ(m_host.messages().size(), 1u) << keys;
        EXPECT_EQ(m_host.messages()[0].caption, "Info") << keys;
        EXPECT_EQ(m_host.messages()[0].text, editor_messages::kEditingLocked.text);
    }
    EXPECT_EQ(text(), "12");
    m_editor.newExpression();
    EXPECT_TRUE(m_editor.editingAllowed());

    m_host.clearMessages();
    m_editor.setParenthesesOn(false);
    type("(");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error");
    EXPECT_EQ(m_host.messages()[0].text, editor_messages::kParenthesesOff.text);
    type("5#");
    EXPECT_EQ(text(), "5"); // a root needs the parentheses too, silently
}

TEST_F(ExpressionEditorTest, TranslatesKeysToEditCharacters)
{
    struct Case {
        std::uint16_t key;
        Modifiers modifiers;
        char character;
    };
    Modifiers shift = Modifier::Shift;
    const Case cases[] = {
        {kPeriod, {}, '.'},
        {kComma, {}, '.'},
        {kNumpad0 + 7, {}, '7'},
        {kNumpadMultiply, {}, '*'},
        {kNumpadAdd, {}, '+'},
        {kNumpadSubtract, {}, '-'},
        {kSemicolon, {}, '/'},
        {'Q', {}, 'q'},
        {'Q', shift, 'Q'},
        {kSlash, {}, '/'},
        {kMinus, {}, '-'},
        {kEquals, shift, '+'},
        {kMinus, shift, '_'},
        {'8', shift, '*'},
        {'9', shift, '('},
        {'0', shift, ')'},
        {'5', {}, '5'},
        {kEquals, {}, 0},
        {static_cast<std::uint16_t>(Key::F5), {}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translateKey(c.key, c.modifiers), c.character) << c.key;
    EXPECT_EQ(translateKey(kComma, {}, ','), ',');
}

TEST_F(ExpressionEditorTest, TogglesTheSignOfATermItsFirstLeafOrAMark)
{
    struct Case {
        const char* start;
        const char* keys;
        const char* result;
    };
    const Case cases[] = {
        {"5+3", "{_", "-5+3"},  {"2*3+4", "{>_", "-2*3+4"},    {"(1+x)", "{>_", "(-1+x)"},
        {"-5", "_", "5"},       {"sqrt(2)", "{_", "-sqrt(2)"}, {"1/2", "{_", "-1/2"},
        {"1/2", "}<_", "1/-2"},
    };
    for (const Case& c : cases) {
        start(c.start);
        m_host.clearMessages();
        type(c.keys);
        EXPECT_EQ(text(), c.result) << c.start << " " << c.keys;
        EXPECT_TRUE(m_host.messages().empty()) << c.start;
    }
    start("(1+x)");
    type("{>_");
    EXPECT_EQ(m_editor.expression().left->numberSign.flag, 1);
}

TEST_F(ExpressionEditorTest, TheDegreeControlSetsTheDegreeOfTheRootUnderTheCaret)
{
    m_editor.setWindowSize(800, 600);
    int x = m_editor.degreeControlX();
    int y = m_editor.degreeControlY();
    EXPECT_EQ(x, 470);
    EXPECT_EQ(y, 475);
    struct Case {
        int dx;
        int dy;
        int degree; // 0: outside the box
    };
    const Case cases[] = {
        {0, 23, 2}, {21, 30, 2}, {22, 30, 3}, {44, 30, 4}, {66, 30, 5}, {90, 23, 5}, {0, 46, 2},
        {0, 47, 6}, {89, 69, 9}, {22, 69, 7}, {-1, 30, 0}, {91, 30, 0}, {10, 22, 0}, {10, 70, 0},
    };
    for (const Case& c : cases) {
        start("");
        type("4#{");
        ASSERT_TRUE(m_editor.degreeControlShown());
        bool clicked = m_editor.clickDegreeControl(x + c.dx, y + c.dy);
        EXPECT_EQ(clicked, c.degree != 0) << c.dx << "," << c.dy;
        int degree = m_editor.expression().openRow->items[0]->root->degree;
        EXPECT_EQ(degree, c.degree ? c.degree : 2) << c.dx << "," << c.dy;
    }
    type(">");
    EXPECT_FALSE(m_editor.degreeControlShown());
    EXPECT_FALSE(m_editor.clickDegreeControl(x + 30, y + 30));
}

TEST_F(ExpressionEditorTest, MovesThroughMarksTextsAndLeavesInReadingOrder)
{
    start("sqrt(12)+3");
    type("{");
    auto place = [this] { return m_editor.cursor().place; };
    FractNode* two = m_editor.expression().left.get();
    EXPECT_EQ(place().node, two);
    EXPECT_EQ(place().area, CursorArea::Opening);
    type(">");
    EXPECT_EQ(place().area, CursorArea::Text);
    EXPECT_EQ(place().position, 0);
    type(">>>");
    EXPECT_EQ(place().area, CursorArea::Closing);
    EXPECT_EQ(place().position, 1);
    type(">");
    EXPECT_EQ(place().node, m_editor.expression().right.get());
    type("}");
    EXPECT_EQ(place().position, 1);
    type(">");
    EXPECT_EQ(place().position, 1);

    start("1/2");
    type("{");
    EXPECT_EQ(place().node, &m_editor.expression());
    EXPECT_EQ(place().area, CursorArea::Opening);
    type(">");
    EXPECT_EQ(place().node, m_editor.expression().numerator.get());
    type("!");
    EXPECT_EQ(place().node, m_editor.expression().denominator.get());
    press(Key::Up);
    EXPECT_EQ(place().node, m_editor.expression().numerator.get());

    start("x^2");
    type(">");
    EXPECT_EQ(place().node, m_editor.expression().exponent.get());
    type("!");
    EXPECT_EQ(place().node, &m_editor.expression());
    press(Key::Up);
    EXPECT_EQ(place().node, m_editor.expression().exponent.get());
}

TEST_F(ExpressionEditorTest, DeletesCharactersMarksOperandsAndEmptyParts)
{
    struct Case {
        const char* start;
        const char* keys;
        const char* result;
    };
    const Case cases[] = {
        {"123", "\\", "12"},        {"123", "{|", "23"},     {"1", "\\", "?"},
        {"1+?", "|", "1"},          {"?+2", "{|", "2"},      {"sqrt(2)", "{|", "2"},
        {"(1+x)*2", "{|", "1+x*2"}, {"(1+x)", "}<|", "1+x"}, {"2^?", ">|", "2"},
        {"?/?", "{>|", "?"},        {"a*b", "{>>|", "a*?"},
    };
    for (const Case& c : cases) {
        start(c.start);
        type(c.keys);
        EXPECT_EQ(text(), c.result) << c.start << " " << c.keys;
        EXPECT_TRUE(m_host.messages().empty()) << c.start;
    }
}

TEST_F(ExpressionEditorTest, ANumberHoldsAtMost255Characters)
{
    start(std::string(254, '7'));
    type("7");
    m_host.clearMessages();
    type("7");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
    EXPECT_EQ(m_host.messages()[0].text, "A number may not have more than 255 characters.");
    EXPECT_EQ(m_editor.expression().textLength(), 255);
}

TEST_F(ExpressionEditorTest, ARowHoldsAtMost200Marks)
{
    start(std::string(200, '(') + "x" + std::string(200, ')'));
    type("{");
    type("(");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].text, editor_messages::kTooManyMarks.text);
    EXPECT_EQ(m_editor.expression().openRow->count(), 200);
}

TEST_F(ExpressionEditorTest, ADragSelectsTheLowestNodeCoveringTheLeavesInside)
{
    start("1+2/3");
    const FractNode& fraction = *m_editor.expression().right;
    m_editor.drag(fraction.x - fraction.width / 2 - 2, fraction.y - fraction.aboveTotal - 2,
                  fraction.x + fraction.width / 2 + 2, fraction.y + fraction.below + 2);
    EXPECT_EQ(m_editor.selection(), &fraction);
    EXPECT_EQ(printExpressionText(*m_editor.copySelection()), "2/3");
    m_editor.drag(0, 0, 1000, 1000);
    EXPECT_EQ(m_editor.selection(), &m_editor.expression());
    type("5");
    EXPECT_EQ(m_editor.selection(), nullptr);
    m_editor.drag(0, 0, 1, 1);
    EXPECT_EQ(m_editor.selection(), nullptr);

    // The brackets around the selection come along only when they lie inside.
    start("1+(2/3)");
    const FractNode& bracketed = *m_editor.expression().right;
    int top = bracketed.y - bracketed.aboveTotal - 2;
    int bottom = bracketed.y + bracketed.below + 2;
    m_editor.drag(bracketed.textX - 1, top, bracketed.textX + bracketed.numerator->width + 1,
                  bottom);
    EXPECT_EQ(m_editor.selection(), &bracketed);
    EXPECT_EQ(printExpressionText(*m_editor.copySelection()), "2/3");
    m_editor.drag(bracketed.x - bracketed.width / 2 - 1, top, bracketed.x + bracketed.width / 2 + 1,
                  bottom);
    EXPECT_EQ(printExpressionText(*m_editor.copySelection()), "(2/3)");
}

TEST_F(ExpressionEditorTest, CaretBlinksAndPagesScroll)
{
    EXPECT_FALSE(m_editor.caretShown());
    m_editor.tick();
    EXPECT_TRUE(m_editor.caretShown());
    m_editor.tick();
    EXPECT_FALSE(m_editor.caretShown());

    m_editor.setArea(600, 100);
    start("1/2/3/4/5/6/7/8/9");
    press(Key::PageDown);
    EXPECT_EQ(m_editor.viewOffset(), 50);
    press(Key::PageDown);
    press(Key::PageDown);
    int extent = m_editor.expression().height + ExpressionEditor::kTopMargin;
    EXPECT_LE(m_editor.viewOffset(), extent);
    press(Key::PageUp);
    press(Key::PageUp);
    press(Key::PageUp);
    press(Key::PageUp);
    EXPECT_EQ(m_editor.viewOffset(), 0);
}

TEST_F(ExpressionEditorTest, TheCaretOnARootColoursItAndShowsTheControl)
{
    type("5#{");
    m_editor.tick();
    RecordingCanvas canvas;
    m_editor.paint(canvas);
    auto hooks = canvas.callsOf(RecordingCanvas::Shape::Polyline);
    ASSERT_FALSE(hooks.empty());
    EXPECT_EQ(hooks[0].pen, rgb(40, 40, 240));
    std::vector<std::string> texts = canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "root's degree"), texts.end());
}

TEST_F(ExpressionEditorTest, EveryTypedExpressionReadsBackFromItsText)
{
    const char* const typings[] = {"(1+x)^2*3", "1~2!3+4",   "x#+(y-1)*2", "((a))", "2^3+-5",
                                   "12<+5",     "(1+2)*(3)", "-(x)#",      "1-2{|", "a*b{>>|"};
    for (const char* keys : typings) {
        start("");
        type(keys);
        std::string printed = text();
        auto read = parseExpressionText(printed);
        ASSERT_TRUE(read.tree) << keys << " -> " << printed << ": " << read.error;
        EXPECT_TRUE(sameTree(*read.tree, m_editor.expression())) << keys << " -> " << printed;
    }
}

// Random keys never break the tree: it stays fixed up, its caret stays on a
// place of the tree, it writes its byte form and reads back the same, and
// when its marks are complete and nested its text reads back as the same
// tree.
TEST_F(ExpressionEditorTest, RandomKeysKeepTheTreeSound)
{
    const std::string keys = "1234xyab+-*_()^~#<>{}|\\!@/.";
    std::mt19937 random(99);
    for (int round = 0; round < 40; ++round) {
        start("");
        for (int step = 0; step < 150; ++step) {
            char key = keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random)];
            type(std::string(1, key));
            if (std::uniform_int_distribution<int>(0, 40)(random) == 0)
                m_editor.clickDegreeControl(m_editor.degreeControlX() + 30,
                                            m_editor.degreeControlY() + 50);
        }
        auto copy = copyTree(m_editor.expression());
        EXPECT_TRUE(fixUp(*copy));
        std::vector<CaretPlace> places = caretPlaces(const_cast<FractNode&>(m_editor.expression()));
        EXPECT_NE(std::find(places.begin(), places.end(), m_editor.cursor().place), places.end());
        std::string bytes;
        ASSERT_TRUE(serializeExpression(m_editor.expression(), bytes));
        std::size_t position = 0;
        auto read = parseExpression(bytes, position, 20);
        ASSERT_TRUE(read);
        EXPECT_TRUE(sameTree(*read, m_editor.expression()));
        auto nested = copyTree(m_editor.expression());
        if (marksNested(*nested)) {
            std::string printed = text();
            auto reread = parseExpressionText(printed);
            ASSERT_TRUE(reread.tree) << printed << ": " << reread.error;
            std::string again;
            serializeExpression(*reread.tree, again);
            EXPECT_TRUE(sameTree(*reread.tree, m_editor.expression())) << printed << "\n"
                                                                       << bytesToHex(bytes) << "\n"
                                                                       << bytesToHex(again);
        }
        m_host.clearMessages();
    }
}

} // namespace
} // namespace kestrane
