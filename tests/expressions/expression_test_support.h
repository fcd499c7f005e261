// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the expression tests: trees from the linear notation and
// random expressions for round trips.
#pragma once

#include "expressions/expression_text.h"
#include "expressions/fract_node.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace kestrane::testing {

inline std::unique_ptr<FractNode> parsed(const std::string& text, int fontHeight = 20)
{
    TextParseResult result = parseExpressionText(text, fontHeight);
    EXPECT_TRUE(result.tree) << text << ": " << result.error;
    return std::move(result.tree);
}

// Random expressions in the notation: sums, products, fractions, powers,
// brackets, roots, functions, names, symbols, slots and minus signs where
// they may stand.
class RandomExpression {
public:
    explicit RandomExpression(unsigned seed) : m_random(seed) {}

    std::string next() { return sum(0, true); }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::string sum(int depth, bool start)
    {
        std::string text = term(depth, start);
        int more = depth > 3 ? 0 : below(3);
        for (int k = 0; k < more; ++k)
            text += std::string(below(2) ? "+" : "-") + term(depth, false);
        return text;
    }

    std::string term(int depth, bool start)
    {
        std::string text = quotient(depth, start);
        if (depth < 4 && below(3) == 0)
            text += "*" + quotient(depth, false);
        return text;
    }

    std::string quotient(int depth, bool start)
    {
        std::string text = signedPower(depth, start);
        if (depth < 4 && below(4) == 0)
            text += "/" + signedPower(depth, true);
        return text;
    }

    std::string signedPower(int depth, bool minus)
    {
        std::string text = minus && below(4) == 0 ? "-" : "";
        text += primary(depth);
        if (depth < 3 && below(5) == 0)
            text += "^" + signedPower(depth + 2, true);
        return text;
    }

    std::string primary(int depth)
    {
        static const char* const kAtoms[] = {"1",  "23", "4.5",      "x", "ab",  "y2",
                                             "pi", "?",  "\xCE\xB1", "i", "0.25"};
        static const char* const kCalls[] = {"sqrt(", "root(3,", "sin(", "log(", "acot(", "("};
        if (depth > 4 || below(3) != 0)
            return kAtoms[below(static_cast<int>(std::size(kAtoms)))];
        return kCalls[below(static_cast<int>(std::size(kCalls)))] + sum(depth + 1, true) + ")";
    }

    std::mt19937 m_random;
};

} // namespace kestrane::testing
