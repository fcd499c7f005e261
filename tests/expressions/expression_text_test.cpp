// SPDX-License-Identifier: GPL-3.0-or-later
// The linear notation: precedence, the trees it builds, canonical printing,
// round trips and errors.
#include "expression_test_support.h"

#include "expressions/expression_text.h"
#include "expressions/fract_node.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::parsed;

TEST(ExpressionTextTest, PrintsCanonically)
{
    struct Case {
        const char* input;
        const char* printed;
    };
    const Case cases[] = {
        {" 1 + 2 ", "1+2"},
        {"a*b/c", "a*b/c"},
        {"a/b/c", "a/b/c"},
        {"a/(b/c)", "a/(b/c)"},
        {"(1+x)/2", "(1+x)/2"},
        {"1/(2*3)", "1/(2*3)"},
        {"((1+x))/2", "((1+x))/2"},
        {"x^(1/2)", "x^(1/2)"},
        {"x^(-1)", "x^-1"},
        {"2^3^4", "2^3^4"},
        {"(2^3)^4", "(2^3)^4"},
        {"sqrt(2)^3", "(sqrt(2))^3"},
        {"root(3, 4)", "root(3,4)"},
        {"root(2,4)", "sqrt(4)"},
        {"\xCF\x80+\xCE\xB1+\xCE\xB2+\xCE\xB3+\xCE\xB5", "pi+\u03B1+\u03B2+\u03B3+\u03B5"},
        {"-x^2", "-x^2"},
        {"-(1+x)", "-(1+x)"},
        {"(-x)", "(-x)"},
        {"3*(-1)/2", "3*(-1)/2"},
        {"sin(x)+acot(y)*exp(1)", "sin(x)+acot(y)*exp(1)"},
        {"x = 1+?", "x=1+?"},
        {"i*2", "i*2"},
        {"1 2 . 5", "12.5"},
    };
    for (const Case& c : cases) {
        auto tree = parsed(c.input);
        ASSERT_TRUE(tree) << c.input;
        EXPECT_EQ(printExpressionText(*tree), c.printed) << c.input;
    }
}

TEST(ExpressionTextTest, BuildsTheTreesThePrecedenceSays)
{
    auto product = parsed("a*b/c");
    EXPECT_EQ(product->left->opSign.sign, '*');
    EXPECT_TRUE(product->right->isFraction());

    auto difference = parsed("a-b-c");
    EXPECT_TRUE(difference->left->isOperation());
    EXPECT_EQ(lastSign(*difference->left->left), '-');

    auto power = parsed("-x^2");
    EXPECT_EQ(power->numberSign.sign, '-');
    EXPECT_EQ(*power->exponent->text, "2");

    auto group = parsed("(1+x)^2");
    const FractNode& x = *group->right;
    EXPECT_FALSE(x.exponent);
    ASSERT_TRUE(x.closeRow && x.closeRow->items[0]->paren->exponent);
    EXPECT_EQ(*x.closeRow->items[0]->paren->exponent->text, "2");

    auto assignment = parsed("y=2*x");
    EXPECT_EQ(assignment->left->opSign.sign, '=');
    EXPECT_EQ(*assignment->left->text, "y");

    auto symbol = parsed("pi");
    EXPECT_TRUE(symbol->symbol);
    EXPECT_EQ(*symbol->text, "p");

    auto slot = parsed("?");
    EXPECT_TRUE(slot->isSlot());
}

TEST(ExpressionTextTest, ARootBeforeAMinusKeepsTheSignInvariants)
{
    auto tree = parsed("sqrt(2)-1");
    EXPECT_EQ(tree->left->opSign.sign, '-');
    EXPECT_EQ(tree->left->closeRow->items[0]->signAfter, '-');
    EXPECT_EQ(tree->right->leadSign.sign, '-');
    EXPECT_TRUE(fixUp(*tree));
}

TEST(ExpressionTextTest, RefusesWithTheColumn)
{
    struct Case {
        const char* input;
        const char* error;
    };
    const Case cases[] = {
        {"2*-3", "column 3: a minus here needs parentheses, as in 2*(-3)"},
        {"1+-2", "column 3: a minus here needs parentheses, as in 2*(-3)"},
        {"--x", "column 2: a minus may not follow a minus"},
        {"1.2.3", "column 4: a number may have only one decimal point"},
        {"abcde", "column 1: a name may not have more than 4 characters"},
        {"1+xi", "column 3: a name may not contain 'I' or 'i'"},
        {"(1+2", "column 5: expected ')'"},
        {"1+", "column 3: expected an expression"},
        {"()", "column 2: expected an expression before ')'"},
        {"1)", "column 2: unexpected ')'"},
        {"2x", "column 2: unexpected 'x'"},
        {"1=2", "column 2: unexpected '='"},
        {"x=1=2", "column 4: unexpected '='"},
        {"root(1,x)", "column 6: a root's degree is a digit from 2 to 9"},
        {"root(12,x)", "column 6: a root's degree is a digit from 2 to 9"},
        {"root(3 x)", "column 8: expected ',' after the root's degree"},
        {"1 # 2", "column 3: unexpected '#'"},
        {"\xCF\x80 + $", "column 5: unexpected '$'"},
    };
    for (const Case& c : cases) {
        TextParseResult result = parseExpressionText(c.input);
        EXPECT_FALSE(result.tree) << c.input;
        EXPECT_EQ(result.error, c.error) << c.input;
        // Untranslated, the text shown is the error itself.
        EXPECT_EQ(translatedError(result), c.error) << c.input;
    }
}

TEST(ExpressionTextTest, RefusesWhatTheByteFormCannotHold)
{
    EXPECT_TRUE(parseExpressionText(std::string(255, '9')).tree);
    TextParseResult longNumber = parseExpressionText(std::string(256, '9'));
    EXPECT_EQ(longNumber.error, "column 1: a number may not have more than 255 characters");
    EXPECT_EQ(translatedError(longNumber), longNumber.error);
    std::string marks = std::string(201, '(') + "x" + std::string(201, ')');
    EXPECT_EQ(parseExpressionText(marks).error,
              "column 1: more than 200 marks stand at one number");
    std::string deep;
    for (int level = 0; level < 2001; ++level)
        deep += "sqrt(1+";
    deep += "1" + std::string(2001, ')');
    EXPECT_FALSE(parseExpressionText(deep).tree);
}

TEST(ExpressionTextTest, PrintingIsAFixedPointAndReadsBackTheSameTree)
{
    testing::RandomExpression random(2024);
    for (int round = 0; round < 500; ++round) {
        std::string text = random.next();
        auto tree = parsed(text);
        ASSERT_TRUE(tree);
        std::string printed = printExpressionText(*tree);
        auto again = parsed(printed);
        ASSERT_TRUE(again) << text << " -> " << printed;
        EXPECT_TRUE(sameTree(*again, *tree)) << text << " -> " << printed;
        EXPECT_EQ(printExpressionText(*again), printed) << text;
    }
}

} // namespace
} // namespace kestrane
