// SPDX-License-Identifier: GPL-3.0-or-later
// Simplification of random numeric trees keeps their value: the result read
// back in double precision equals the input's, and the denominator of the
// result holds no roots.
#include "algebra/simplify.h"
#include "expressions/expression_test_support.h"
#include "numbers/long_int.h"
#include "platform/scripted_host.h"
#include "support/approximate_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace kestrane {
namespace {

using test::Approximation;

// Random expressions of whole numbers and roots, written in the notation.
class RandomNumeric {
public:
    explicit RandomNumeric(unsigned seed, bool nested = false) : m_random(seed), m_nested(nested) {}

    std::string expression(int depth)
    {
        if (depth == 0 || pick(4) == 0)
            return atom();
        std::string a = expression(depth - 1);
        std::string b = expression(depth - 1);
        switch (pick(6)) {
        case 0:
            return a + "+" + b;
        case 1:
            return a + "-(" + b + ")";
        case 2:
            return "(" + a + ")*(" + b + ")";
        case 3:
            return "(" + a + ")/(" + b + ")";
        case 4:
            return "(" + a + ")^" + std::to_string(static_cast<int>(pick(3)) + 1);
        default:
            return "(-(" + a + "))";
        }
    }

private:
    unsigned pick(unsigned count) { return m_random() % count; }
    std::string number() { return std::to_string(pick(12) + 1); }

    std::string atom()
    {
        if (m_nested) {
            // Roots of sums, most of which do not denest, some below zero;
            // square roots of numbers beside them (other roots of numbers
            // multiply into degrees past 9).
            std::string sum =
                number() + (pick(2) == 0 ? "+" : "-") + number() + "*sqrt(" + number() + ")";
            switch (pick(4)) {
            case 0:
                return "root(3," + sum + ")";
            case 1:
                return "sqrt(" + sum + ")";
            case 2:
                return "sqrt(" + number() + ")";
            default:
                return number();
            }
        }
        switch (pick(5)) {
        case 0:
            return "sqrt(" + number() + ")";
        case 1:
            return "root(" + std::to_string(pick(4) + 3) + "," + number() + ")";
        case 2:
            return "sqrt(" + number() + "+" + number() + "*sqrt(" + number() + "))";
        default:
            return number();
        }
    }

    std::mt19937 m_random;
    bool m_nested;
};

TEST(SimplifyRandomTest, KeepsTheValueOfRandomTrees)
{
    RandomNumeric random(2026);
    ScriptedHost host;
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string text = random.expression(3);
        std::optional<std::complex<double>> before = Approximation(text).value();
        if (!before || std::abs(*before) > 1e8)
            continue;
        std::unique_ptr<FractNode> tree = testing::parsed(text);
        SimplifyRequest request;
        request.tree = tree.get();
        SimplifyResult result = simplifyExpression(request, host);
        clearLongIntOverflow();
        if (!result.tree)
            continue;
        ++checked;
        const std::string simplified = printExpressionText(*result.tree);
        std::optional<std::complex<double>> after = Approximation(simplified).value();
        ASSERT_TRUE(after) << text << " gave " << simplified;
        EXPECT_LE(std::abs(*after - *before), 1e-9 * std::max(1.0, std::abs(*before)))
            << text << " gave " << simplified;
        // Only a numerator may hold roots.
        const FractNode& top = *result.tree;
        if (top.isFraction()) {
            const std::string below = printExpressionText(*top.denominator);
            EXPECT_EQ(below.find("root"), std::string::npos) << simplified;
            EXPECT_EQ(below.find("sqrt"), std::string::npos) << simplified;
        }
    }
    EXPECT_GT(checked, 150);
}

// The text with every cube root whose argument is a sum left out.
std::string withoutCubeRootsOfSums(std::string text)
{
    for (std::size_t at = text.find("root(3,"); at != std::string::npos;
         at = text.find("root(3,", at + 1)) {
        std::size_t end = at + 7;
        bool sum = false;
        for (int depth = 1; end < text.size() && depth > 0; ++end) {
            depth += text[end] == '(' ? 1 : (text[end] == ')' ? -1 : 0);
            sum = sum || text[end] == '+' || text[end] == '-';
        }
        if (sum)
            text.erase(at, end - at);
    }
    return text;
}

// Roots of sums that do not denest stay in the result as factors, and the
// result still has the input's value and no root below the bar.
TEST(SimplifyRandomTest, KeepsRootsOfSumsWithTheirValue)
{
    RandomNumeric random(77, true);
    ScriptedHost host;
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string text = random.expression(2);
        std::optional<std::complex<double>> before = Approximation(text).value();
        if (!before || std::abs(*before) > 1e8)
            continue;
        std::unique_ptr<FractNode> tree = testing::parsed(text);
        SimplifyRequest request;
        request.tree = tree.get();
        SimplifyResult result = simplifyExpression(request, host);
        bool overflow = longIntOverflow();
        clearLongIntOverflow();
        if (overflow || (!result.messages.empty() &&
                         result.messages[0].text == "Expression is too large to simplify."))
            continue;
        ASSERT_TRUE(result.tree) << text;
        ++checked;
        const std::string simplified = printExpressionText(*result.tree);
        std::optional<std::complex<double>> after = Approximation(simplified).value();
        ASSERT_TRUE(after) << text << " gave " << simplified;
        EXPECT_LE(std::abs(*after - *before), 1e-8 * std::max(1.0, std::abs(*before)))
            << text << " gave " << simplified;
        // Below the bar only cube roots of sums may stay, as roots of names
        // would.
        const FractNode& top = *result.tree;
        if (top.isFraction()) {
            const std::string below = withoutCubeRootsOfSums(printExpressionText(*top.denominator));
            EXPECT_EQ(below.find("root"), std::string::npos) << simplified;
            EXPECT_EQ(below.find("sqrt"), std::string::npos) << simplified;
        }
    }
    EXPECT_GT(checked, 200);
}

// The other views stop with the expression put back together from its
// lifted definitions: it keeps its value ("I" being minus one), and every
// fraction is lifted to the top.
TEST(SimplifyRandomTest, PutsRandomTreesBackTogetherWithTheirValue)
{
    RandomNumeric random(1213);
    ScriptedHost host;
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string text = random.expression(3);
        std::optional<std::complex<double>> before = Approximation(text).value();
        if (!before || std::abs(*before) > 1e8)
            continue;
        std::unique_ptr<FractNode> tree = testing::parsed(text);
        SimplifyRequest request;
        request.tree = tree.get();
        request.viewMode = 1;
        SimplifyResult result = simplifyExpression(request, host);
        ASSERT_TRUE(result.tree) << text;
        ++checked;
        std::string state = printExpressionText(*result.tree);
        std::string numeric;
        for (char c : state)
            numeric += c == 'I' ? std::string("(0-1)") : std::string(1, c);
        std::optional<std::complex<double>> after = Approximation(numeric).value();
        ASSERT_TRUE(after) << text << " gave " << state;
        EXPECT_LE(std::abs(*after - *before), 1e-9 * std::max(1.0, std::abs(*before)))
            << text << " gave " << state;
        const FractNode& top = *result.tree;
        for (const FractNode* part : {top.numerator.get(), top.denominator.get()}) {
            if (part) {
                EXPECT_EQ(printExpressionText(*part).find('/'), std::string::npos) << state;
            }
        }
        if (!top.isFraction()) {
            EXPECT_EQ(state.find('/'), std::string::npos) << state;
        }
    }
    EXPECT_GT(checked, 150);
}

} // namespace
} // namespace kestrane
