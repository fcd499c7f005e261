// SPDX-License-Identifier: GPL-3.0-or-later
// The quick normal form of sums of square roots agrees with the general
// exact forms wherever it answers, and leaves everything else to them.
#include "algebra/exact_fraction.h"
#include "algebra/expression_form.h"
#include "algebra/simplify_square_roots.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "numbers/long_int.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

namespace kestrane {
namespace {

// The quick normal form of an expression in the notation; nothing for a
// text that does not read.
std::optional<ExactFraction> quickForm(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    if (!parsed.tree)
        return std::nullopt;
    return squareRootNormalForm(ExpressionForm::of(*parsed.tree));
}

// Random expressions written in the notation together with their value
// computed by the general exact forms.
class RandomRoots {
public:
    explicit RandomRoots(unsigned seed) : m_random(seed) {}

    std::pair<std::string, ExactFraction> expression(int depth)
    {
        if (depth == 0 || pick(4) == 0)
            return atom();
        auto [a, x] = expression(depth - 1);
        auto [b, y] = expression(depth - 1);
        switch (pick(5)) {
        case 0:
            return {a + "+" + b, x + y};
        case 1:
            return {a + "-(" + b + ")", x - y};
        case 2:
            return {"(" + a + ")*(" + b + ")", x * y};
        case 3:
            return {"(" + a + ")/(" + b + ")", x / y};
        default: {
            const int exponent = static_cast<int>(pick(4)) - 1;
            return {"(" + a + ")^(" + std::to_string(exponent) + ")", x.raised(exponent)};
        }
        }
    }

private:
    unsigned pick(unsigned count) { return m_random() % count; }

    std::pair<std::string, ExactFraction> atom()
    {
        const std::string number = std::to_string(pick(30));
        if (pick(2) == 0)
            return {number, ExactFraction::decimal(number)};
        return {"sqrt(" + number + ")", ExactFraction::decimal(number).root(2, {})};
    }

    std::mt19937 m_random;
};

TEST(SquareRootNormalFormTest, AgreesWithTheGeneralExactForms)
{
    RandomRoots random(77);
    int answered = 0;
    for (int round = 0; round < 400; ++round) {
        clearLongIntOverflow();
        auto [text, value] = random.expression(3);
        ExactFraction general = value.normalised();
        std::optional<ExactFraction> quick = quickForm(text);
        if (general.failed() || longIntOverflow()) {
            // Division by zero is left to the general simplifier.
            if (general.problem() == ExactProblem::DivisionByZero) {
                EXPECT_FALSE(quick) << text;
            }
            continue;
        }
        if (!quick)
            continue;
        ++answered;
        EXPECT_EQ(quick->toText(), general.toText()) << text;
    }
    clearLongIntOverflow();
    EXPECT_GT(answered, 250);
}

TEST(SquareRootNormalFormTest, LeavesTheRestToTheGeneralSimplifier)
{
    for (const char* text : {"x+1", "i*i", "pi", "sqrt(1+sqrt(2))", "sqrt(-2)", "1/(2-2)",
                             "4^(1/2)", "2^65", "123456789012*2", "sqrt(10000000019)", "1+", "(1",
                             "1..2", "root(3,2)*root(3,4)", "root(4,-1)", "root(3,1+sqrt(2))"})
        EXPECT_FALSE(quickForm(text)) << text;
    struct Case {
        const char* text;
        const char* normal;
    };
    const Case cases[] = {
        {"0.5+0.25", "3/4"},
        {"sqrt(8)+sqrt(18)-sqrt(50)", "0"},
        {"1/(sqrt(2)+sqrt(3)+sqrt(5))", "(3*sqrt(2)+2*sqrt(3)-sqrt(30))/12"},
        {"2^-2", "1/4"},
        {"-sqrt(2)/2", "-sqrt(2)/2"},
        {"root(9,2^6)", "root(3,4)"},
        {"root(6,8)", "sqrt(2)"},
        {"root(4,9/4)", "sqrt(6)/2"},
        {"root(8,2^12)", "2*sqrt(2)"},
        {"root(3,16/27)", "(2*root(3,2))/3"},
    };
    for (const Case& c : cases) {
        std::optional<ExactFraction> quick = quickForm(c.text);
        ASSERT_TRUE(quick) << c.text;
        EXPECT_EQ(quick->toText(), c.normal) << c.text;
    }
}

} // namespace
} // namespace kestrane
