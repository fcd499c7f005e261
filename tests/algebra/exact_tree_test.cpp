// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of an exact value is the tree its text reads into: node for node,
// marks and signs included, for normal forms and for values mid-arithmetic
// (rational coefficients, quotients of sums, roots kept whole).
#include "algebra/exact_tree.h"
#include "algebra/simplify.h"
#include "expressions/expression_text.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrane {
namespace {

ExactFraction normalFormOf(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    EXPECT_TRUE(parsed.tree) << text;
    ExactMessage problem;
    std::optional<ExactFraction> value =
        exactNormalForm(*parsed.tree, SimplifyFor::Script, problem);
    EXPECT_TRUE(value) << text;
    return value ? *value : ExactFraction();
}

void expectReadsAsText(const ExactFraction& value, int fontHeight = 20)
{
    const std::string text = value.toText();
    std::unique_ptr<FractNode> built = exactTree(value, fontHeight);
    TextParseResult read = parseExpressionText(text, fontHeight);
    ASSERT_TRUE(read.tree) << text << ": " << read.error;
    ASSERT_TRUE(built) << text;
    EXPECT_TRUE(sameTree(*built, *read.tree)) << text;
    EXPECT_EQ(printExpressionText(*built), printExpressionText(*read.tree)) << text;
    EXPECT_EQ(built->fontHeight, fontHeight);
}

TEST(ExactTree, NormalFormsReadAsTheirText)
{
    for (const char* text : {"0",
                             "7",
                             "-7",
                             "3/4",
                             "-3/4",
                             "sqrt(2)",
                             "-sqrt(2)/2",
                             "(1+sqrt(5))/2",
                             "(sqrt(2)-1)^5",
                             "1/(x+1)",
                             "-x/(2*y)",
                             "x^3-2*x+1",
                             "i*sqrt(3)/2-1/2",
                             "root(3,2)^2+root(5,7)",
                             "sqrt(x)*root(3,x^2)",
                             "sqrt(2+sqrt(3))",
                             "root(3,1+sqrt(2))",
                             "sin(x)^2+cos(x)",
                             "sqrt(x+1)/(x-1)",
                             "root(3,x+y)^2",
                             "pi*x^2",
                             "exp(sqrt(2)/3)",
                             "(2*i+1)/(3-i)",
                             "-(x+y)/2"}) {
        SCOPED_TRACE(text);
        expectReadsAsText(normalFormOf(text));
    }
    expectReadsAsText(normalFormOf("sqrt(8)"), 31);
}

// Values as arithmetic leaves them before the normal form: coefficients
// that are fractions, signs on numerators and denominators, zero parts.
TEST(ExactTree, RandomArithmeticReadsAsItsText)
{
    const std::vector<ExactFraction> atoms = {
        ExactFraction::decimal("0.75"),  ExactFraction::decimal("3"),
        ExactFraction::name("x"),        ExactFraction::name("ab"),
        ExactFraction::imaginary(),      normalFormOf("sqrt(3)"),
        normalFormOf("root(3,4)"),       normalFormOf("sin(x)"),
        normalFormOf("sqrt(1+sqrt(2))"), ExactFraction::name("\u03C0")};
    std::mt19937 random(31);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int round = 0; round < 400; ++round) {
        ExactFraction value = atoms[pick(atoms.size())];
        for (int step = 0, steps = static_cast<int>(pick(4)); step < steps; ++step) {
            const ExactFraction& other = atoms[pick(atoms.size())];
            switch (pick(5)) {
            case 0:
                value = value + other;
                break;
            case 1:
                value = value - other;
                break;
            case 2:
                value = value * other;
                break;
            case 3:
                value = value / other;
                break;
            default:
                value = -value;
                break;
            }
        }
        if (value.failed())
            continue;
        SCOPED_TRACE(value.toText());
        expectReadsAsText(value);
        expectReadsAsText(value.normalised());
    }
}

TEST(ExactTree, FailedValueHasNoTree)
{
    EXPECT_EQ(exactTree(ExactFraction::failed(ExactProblem::TooLarge)), nullptr);
}

} // namespace
} // namespace kestrane
