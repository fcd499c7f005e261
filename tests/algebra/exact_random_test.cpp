// SPDX-License-Identifier: GPL-3.0-or-later
// Random expressions of numbers, roots, i and names: the normal form is a
// fixed point (normalising it again changes nothing) and equal values built
// two ways give the same text.
#include "algebra/exact_fraction.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrane {
namespace {

class RandomExpressions {
public:
    explicit RandomExpressions(unsigned seed) : m_engine(seed) {}

    ExactFraction make(int depth)
    {
        if (depth == 0 || pick(4) == 0)
            return leaf();
        ExactFraction a = make(depth - 1);
        switch (pick(6)) {
        case 0:
            return a + make(depth - 1);
        case 1:
            return a - make(depth - 1);
        case 2:
            return a * make(depth - 1);
        case 3:
            return a / make(depth - 1);
        case 4:
            return a.raised(static_cast<int>(pick(5)) - 2);
        default:
            return a.root(2 + static_cast<int>(pick(2)), {});
        }
    }

private:
    unsigned pick(unsigned count) { return m_engine() % count; }

    ExactFraction leaf()
    {
        static const char* kNames[] = {"x", "y"};
        switch (pick(5)) {
        case 0:
            return ExactFraction::name(kNames[pick(2)]);
        case 1:
            return ExactFraction::imaginary();
        case 2:
            return ExactFraction(ExactRational(static_cast<std::int64_t>(pick(12)) + 1))
                .root(2 + static_cast<int>(pick(3)), {});
        default:
            return ExactRational(static_cast<std::int64_t>(pick(9)) - 4);
        }
    }

    std::mt19937 m_engine;
};

TEST(ExactRandomTest, TheNormalFormIsAFixedPoint)
{
    RandomExpressions expressions(99);
    int checked = 0;
    for (int round = 0; round < 400; ++round) {
        clearLongIntOverflow();
        ExactFraction normal = expressions.make(3).normalised();
        if (normal.failed() || longIntOverflow())
            continue;
        ++checked;
        std::string text = normal.toText();
        EXPECT_FALSE(text.empty());
        ExactFraction again = normal.normalised();
        EXPECT_EQ(again.toText(), text);
        // Adding zero and multiplying by one, then normalising, gives it back.
        ExactFraction same =
            (normal + ExactFraction::name("x") - ExactFraction::name("x")) * ExactRational(1);
        EXPECT_EQ(same.normalised().toText(), text);
        // The difference of a value and itself is 0.
        EXPECT_EQ((normal - normal).normalised().toText(), "0") << text;
    }
    EXPECT_GT(checked, 200);
    clearLongIntOverflow();
}

} // namespace
} // namespace kestrane
