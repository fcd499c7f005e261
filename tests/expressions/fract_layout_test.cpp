// SPDX-License-Identifier: GPL-3.0-or-later
// Layout and drawing on the fixed metric of the off-screen canvases: each
// character is 3/5 of the font height wide, so at height 20 a sign is 12
// pixels wide and the operator gap 20.
#include "expression_test_support.h"

#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "platform/canvas.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace kestrane {
namespace {

using testing::parsed;

class FractLayoutTest : public ::testing::Test {
protected:
    std::unique_ptr<FractNode> laidOut(const std::string& text)
    {
        auto tree = parsed(text);
        layoutExpression(*tree, m_canvas, 10, 10);
        return tree;
    }

    RecordingCanvas m_canvas;
};

TEST_F(FractLayoutTest, NegativeNumbersGetSignRoomWhereTheirMinusIsDrawn)
{
    struct Case {
        const char* text;
        const FractNode& (*pick)(const FractNode&);
        int width;
    };
    auto self = [](const FractNode& t) -> const FractNode& { return t; };
    auto numerator = [](const FractNode& t) -> const FractNode& { return *t.numerator; };
    auto denominator = [](const FractNode& t) -> const FractNode& { return *t.denominator; };
    auto left = [](const FractNode& t) -> const FractNode& { return *t.left; };
    auto numeratorLeft = [](const FractNode& t) -> const FractNode& { return *t.numerator->left; };
    const Case cases[] = {
        {"-5", self, 12 + 12 + 4}, {"-5/3", numerator, 28},
        {"1/-5", denominator, 28}, {"(-5)", self, 12 + 28 + 12},
        {"-5+3", left, 28},        {"(-5+3)/2", numeratorLeft, 28},
        {"5", self, 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pick(*laidOut(c.text)).width, c.width) << c.text;

    // A right operand's minus would stand next to the operator: no room.
    auto sum = parsed("3+5");
    sum->right->numberSign.sign = '-';
    layoutExpression(*sum, m_canvas, 0, 0);
    EXPECT_EQ(sum->right->width, 12);
}

TEST_F(FractLayoutTest, ExponentsShrinkByThreeQuartersEachStep)
{
    auto tree = laidOut("x^2^3");
    EXPECT_EQ(tree->fontHeight, 20);
    EXPECT_EQ(tree->exponent->fontHeight, 15);
    EXPECT_EQ(tree->exponent->exponent->fontHeight, 11);
    // x, then 2 at 15 (9 wide), then 3 at 11 (6 wide).
    EXPECT_EQ(tree->exponent->exponent->width, 6);
    EXPECT_EQ(tree->exponent->width, 9 + 6);
    EXPECT_EQ(tree->width, 12 + 15);
    EXPECT_EQ(tree->expWidth, 15);
    // The exponent raises the top by its height less 3/8 of the base font.
    EXPECT_EQ(tree->aboveNoExp, 10);
    EXPECT_EQ(tree->above, 10 + tree->exponent->height - 7);
}

TEST_F(FractLayoutTest, OperationsAndFractionsArePlacedSideBySideAndOverEachOther)
{
    auto sum = laidOut("1+2");
    EXPECT_EQ(sum->width, 12 + 12 + 20);
    EXPECT_EQ(sum->left->opSign.width, 20);
    EXPECT_EQ(sum->x, 10 + 22);
    EXPECT_EQ(sum->left->x, 10 + 6);
    EXPECT_EQ(sum->right->x, 10 + 44 - 6);
    EXPECT_EQ(sum->left->opSign.x, 10 + 12 + 10);

    auto fraction = laidOut("12/3");
    EXPECT_EQ(fraction->width, 24);
    EXPECT_EQ(fraction->numerator->x, fraction->denominator->x);
    EXPECT_EQ(fraction->above, fraction->numerator->height);
    EXPECT_EQ(fraction->below, fraction->denominator->height);
    EXPECT_LT(fraction->numerator->y, fraction->y);
    EXPECT_GT(fraction->denominator->y, fraction->y);
}

TEST_F(FractLayoutTest, MarkSpansFindTheMarksThatEncloseExactlyANode)
{
    auto tree = laidOut("((1+x))*(y)");
    const FractNode& group = *tree->left;
    EXPECT_EQ(group.markSpan, 2);
    EXPECT_EQ(group.openIndex, 0);
    EXPECT_EQ(group.closeIndex, 0);
    EXPECT_EQ(group.left->markSpan, 0);
    EXPECT_EQ(tree->right->markSpan, 1);
    EXPECT_EQ(tree->markSpan, 0);
}

TEST_F(FractLayoutTest, RootsTakeRoomAboveAndFollowTheHeightTheyEnclose)
{
    auto small = laidOut("sqrt(x)");
    const RootMark& hook = *small->openRow->items[0]->root;
    EXPECT_EQ(small->rootRoom, 5);
    EXPECT_EQ(small->aboveTotal, 15);
    EXPECT_EQ(hook.height, 10 + 10 + 5 - 2);
    EXPECT_EQ(hook.hookWidth, (hook.height + 5) * 3 / 7);
    EXPECT_EQ(small->width, hook.hookWidth + 12);

    auto tall = laidOut("sqrt(1/2)");
    const RootMark& tallHook = *tall->openRow->items[0]->root;
    EXPECT_EQ(tallHook.height, 20 + 20 + 5 - 2);
    EXPECT_GT(tallHook.hookWidth, hook.hookWidth);
    EXPECT_EQ(tallHook.barLength, tall->closeRow->items[0]->x - tall->openRow->items[0]->x);

    auto nested = laidOut("sqrt(sqrt(x))");
    EXPECT_EQ(nested->rootRoom, 10);
    EXPECT_LT(nested->openRow->items[0]->root->y, nested->openRow->items[1]->root->y);
}

// The lowest line of the bar of the fraction at the top of the tree, and
// the highest point of the red root strokes under it, as painted.
struct BarAndRoots {
    double barBottom = 0;
    double rootTop = 1e9;
};

BarAndRoots barAndRoots(const FractNode& fraction, const RecordingCanvas& canvas)
{
    BarAndRoots found;
    found.barBottom = fraction.y - fraction.barThickness / 2 + fraction.barThickness - 1;
    for (const auto& stroke : canvas.callsOf(RecordingCanvas::Shape::Polyline)) {
        if (stroke.pen != kRootColour || stroke.points[1].y <= fraction.y)
            continue;
        for (const CanvasPoint& point : stroke.points)
            found.rootTop = std::min(found.rootTop, point.y);
    }
    return found;
}

TEST_F(FractLayoutTest, ARootInADenominatorKeepsAGapUnderTheBarAtEverySize)
{
    // Denominators whose top is a root's overline, one fraction each.
    for (const char* text : {"1/sqrt(2)", "1/(1+sqrt(2))", "x/sqrt(sqrt(2))", "1/sin(sqrt(2))",
                             "(1/2)/(3+sqrt(5))", "1/root(3,2/3)"}) {
        for (int height = 8; height <= 96; height += 8) {
            auto tree = parsed(text, height);
            layoutExpression(*tree, m_canvas, 10, 10);
            m_canvas.clear();
            paintExpression(*tree, m_canvas);
            BarAndRoots drawn = barAndRoots(*tree, m_canvas);
            EXPECT_GE(drawn.rootTop - drawn.barBottom, 3 + height / 16)
                << text << " at height " << height;
            // The node's height still covers everything drawn.
            EXPECT_EQ(tree->height, tree->aboveTotal + tree->below) << text;
        }
    }
}

TEST_F(FractLayoutTest, FractionsWithoutARootUnderTheBarAreUnchanged)
{
    for (const char* text : {"1/2", "sqrt(2)/3", "1/(2+x)", "1/(x^2)"}) {
        auto tree = laidOut(text);
        EXPECT_EQ(denominatorGap(*tree), 0) << text;
        EXPECT_EQ(tree->below, tree->denominator->height) << text;
    }
    EXPECT_GT(denominatorGap(*laidOut("1/sqrt(2)")), 0);
    EXPECT_EQ(denominatorGap(*laidOut("sqrt(2)")), 0);
}

TEST_F(FractLayoutTest, ACentredTreeKeepsItsStartInView)
{
    auto narrow = parsed("1/2+x");
    layoutExpressionCentred(*narrow, m_canvas, 450, 20, 120);
    EXPECT_EQ(narrow->x, 450);
    EXPECT_EQ(narrow->y - narrow->aboveTotal, 120);

    auto wide = parsed(std::string(120, '7'));
    layoutExpressionCentred(*wide, m_canvas, 450, 20, 120);
    EXPECT_EQ(wide->x - wide->width / 2, 20);
}

TEST_F(FractLayoutTest, ClosingExponentsRaiseWhatTheyEnclose)
{
    auto tree = laidOut("(x)^2");
    const FractNode& exponent = *tree->closeRow->items[0]->paren->exponent;
    EXPECT_EQ(exponent.fontHeight, 15);
    EXPECT_EQ(tree->closeExpRoom, exponent.height - 20 * 3 / 8);
    EXPECT_EQ(tree->aboveTotal, 10 + tree->closeExpRoom);
    // "(" 12, x 12, ")" 12 and the exponent 9.
    EXPECT_EQ(tree->width, 12 + 12 + 12 + 9);
    EXPECT_LT(exponent.y, tree->y);
}

TEST_F(FractLayoutTest, BarsOfFractionsHoldingFractionsAreThicker)
{
    EXPECT_EQ(laidOut("1/2")->barThickness, 1);
    EXPECT_EQ(laidOut("1/2/3")->barThickness, 2);
    EXPECT_EQ(laidOut("1/(2/(3/4))")->barThickness, 3);
    EXPECT_EQ(laidOut("1/2+3/4")->barThickness, 1);
    EXPECT_EQ(laidOut("7")->barThickness, 0);
}

TEST_F(FractLayoutTest, RootsShowTheirDegreeFrom3To9)
{
    for (int degree = 2; degree <= 9; ++degree) {
        auto tree = laidOut(degree == 2 ? "sqrt(5)" : "root(" + std::to_string(degree) + ",5)");
        m_canvas.clear();
        paintExpression(*tree, m_canvas);
        std::vector<std::string> texts = m_canvas.texts();
        bool digit = std::find(texts.begin(), texts.end(), std::to_string(degree)) != texts.end();
        EXPECT_EQ(digit, degree != 2) << degree;
        EXPECT_EQ(m_canvas.callsOf(RecordingCanvas::Shape::Polyline).size(), 2u);
    }
}

TEST_F(FractLayoutTest, RootsAreRedUnlessTheCaretOrTheSelectionHoldsThem)
{
    auto tree = laidOut("sqrt(5)");
    const MarkItem* mark = tree->openRow->items[0].get();
    struct Case {
        const char* name;
        PaintOptions options;
        ColorRef colour;
    };
    PaintOptions caret;
    caret.caretMark = mark;
    PaintOptions selected;
    selected.selection = tree.get();
    const Case cases[] = {
        {"plain", {}, kRootColour},
        {"caret", caret, kRootCaretColour},
        {"selection", selected, kRootSelectedColour},
    };
    for (const Case& c : cases) {
        m_canvas.clear();
        paintExpression(*tree, m_canvas, c.options);
        auto hooks = m_canvas.callsOf(RecordingCanvas::Shape::Polyline);
        ASSERT_EQ(hooks.size(), 2u) << c.name;
        EXPECT_EQ(hooks[0].pen, c.colour) << c.name;
    }
}

TEST_F(FractLayoutTest, OperatorsAreDrawnWithThePen)
{
    struct Case {
        const char* text;
        std::size_t lines;
    };
    const Case cases[] = {{"1+2", 4}, {"1-2", 2}, {"1*2", 12}, {"x=2", 4}};
    for (const Case& c : cases) {
        auto tree = laidOut(c.text);
        m_canvas.clear();
        paintExpression(*tree, m_canvas);
        EXPECT_EQ(m_canvas.callsOf(RecordingCanvas::Shape::Line).size(), c.lines) << c.text;
    }
}

TEST_F(FractLayoutTest, TextsSlotsSymbolsAndSubscripts)
{
    auto tree = laidOut("?+pi*a2");
    m_canvas.clear();
    paintExpression(*tree, m_canvas);
    auto rectangles = m_canvas.callsOf(RecordingCanvas::Shape::Rectangle);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0].points[1].x - rectangles[0].points[0].x, 12);
    std::vector<std::string> texts = m_canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "\u03C0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "a"), texts.end());
    auto digits = std::find_if(m_canvas.calls().begin(), m_canvas.calls().end(),
                               [](const auto& call) { return call.text == "2"; });
    ASSERT_NE(digits, m_canvas.calls().end());
    EXPECT_EQ(digits->font.pixelHeight, 15);
}

TEST_F(FractLayoutTest, TheBackgroundIsFilledAroundTheNode)
{
    auto tree = laidOut("1/2");
    m_canvas.clear();
    PaintOptions options;
    options.withBackground = true;
    options.background = rgb(1, 2, 3);
    paintExpression(*tree, m_canvas, options);
    auto fills = m_canvas.callsOf(RecordingCanvas::Shape::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].brush, rgb(1, 2, 3));
    EXPECT_EQ(fills[0].points[0].x, tree->x - tree->width / 2 - 20);
}

// Metrics in which the family "Wide" has glyphs twice as wide as any other.
class FamilyMetrics final : public Canvas {
public:
    void setPen(ColorRef, int) override {}
    void setBrush(ColorRef) override {}
    void clearBrush() override {}
    void setFont(const CanvasFont& font) override { m_font = font; }
    void setTextColour(ColorRef) override {}
    void moveTo(double, double) override {}
    void lineTo(double, double) override {}
    void line(double, double, double, double) override {}
    void polyline(std::span<const CanvasPoint>) override {}
    void polygon(std::span<const CanvasPoint>) override {}
    void ellipse(double, double, double, double) override {}
    void rectangle(double, double, double, double) override {}
    void fillRect(double, double, double, double, ColorRef) override {}
    void text(double, double, std::string_view) override {}
    int textWidth(std::string_view utf8) override
    {
        int width = static_cast<int>(utf8.size()) * (m_font.pixelHeight * 3 / 5);
        return m_font.name == "Wide" ? width * 2 : width;
    }
    int textHeight() override { return m_font.pixelHeight; }
    ColorRef pixel(int, int) override { return kWhite; }

private:
    CanvasFont m_font;
};

TEST_F(FractLayoutTest, TheFontFamilyIsMeasuredAndDrawnExceptForSymbols)
{
    const char* text = "(1+x)^2/pi+root(3,ab)";
    FamilyMetrics metrics;
    auto plain = parsed(text);
    auto wide = parsed(text);
    layoutExpression(*plain, metrics, 0, 0);
    layoutExpression(*wide, metrics, 0, 0, "Wide");
    EXPECT_GT(wide->width, plain->width);
    EXPECT_GT(wide->right->width, plain->right->width);
    EXPECT_EQ(wide->height, plain->height);

    struct Case {
        std::string family;
        PaintOptions options;
    };
    PaintOptions courier;
    courier.fontName = "Courier";
    const Case cases[] = {{"Arial", {}}, {"Courier", courier}};
    for (const Case& c : cases) {
        auto tree = parsed(text);
        layoutExpression(*tree, m_canvas, 0, 0, c.family);
        m_canvas.clear();
        paintExpression(*tree, m_canvas, c.options);
        auto texts = m_canvas.callsOf(RecordingCanvas::Shape::Text);
        ASSERT_GE(texts.size(), 6u) << c.family;
        for (const auto& call : texts) {
            std::string expected = call.text == "\u03C0" ? "Symbol" : c.family;
            EXPECT_EQ(call.font.name, expected) << c.family << ' ' << call.text;
        }
    }
}

} // namespace
} // namespace kestrane
