// SPDX-License-Identifier: GPL-3.0-or-later
// Rationalisation on random sums of roots: the denominator of the normal form
// holds no root, and the normal form keeps the value to 50 digits (long
// numbers at 100 words).
#include "algebra/exact_fraction.h"
#include "numbers/long_num.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace kestrane {
namespace {

LongNum longInteger(std::int64_t n)
{
    return LongFromText(std::to_string(n));
}

// root(degree, n), remembered: the same few roots come back in every round.
const LongNum& longRoot(std::int64_t n, int degree)
{
    static std::map<std::pair<std::int64_t, int>, LongNum> roots;
    auto [entry, added] = roots.try_emplace({n, degree});
    if (added)
        LongRoot(longInteger(n), degree, entry->second);
    return entry->second;
}

// The value of a term of real roots.
LongNum termValue(const ExactTerm& term)
{
    LongNum value;
    LongDiv(longInteger(term.coefficient.numerator().value()),
            longInteger(term.coefficient.denominator().value()), value);
    for (const ExactFactor& factor : term.factors) {
        EXPECT_EQ(factor.kind, FactorKind::Prime);
        std::int64_t power = 1;
        for (int i = 0; i < factor.exponent.numerator; ++i)
            power *= factor.prime;
        LongMul(value, longRoot(power, factor.exponent.denominator), value);
    }
    return value;
}

LongNum sumValue(const ExactSum& sum)
{
    LongNum value;
    for (const ExactTerm& term : sum.terms())
        LongAdd(value, termValue(term), value);
    return value;
}

// A random sum of 1 to 4 terms c * root(d, r), with its value computed from
// the parts directly.
struct RandomSum {
    ExactFraction exact;
    LongNum value;
};

RandomSum randomSum(std::mt19937& engine)
{
    static const int kRadicands[] = {2, 3, 5, 6, 7, 10, 12};
    static const int kDegrees[] = {2, 2, 2, 3, 3, 4};
    std::int64_t constant = static_cast<std::int64_t>(engine() % 7) - 3;
    RandomSum sum{ExactRational(constant), longInteger(constant)};
    int count = 1 + static_cast<int>(engine() % 3);
    for (int i = 0; i < count; ++i) {
        std::int64_t coefficient = static_cast<std::int64_t>(engine() % 9) - 4;
        int radicand = kRadicands[engine() % std::size(kRadicands)];
        int degree = kDegrees[engine() % std::size(kDegrees)];
        sum.exact = sum.exact + ExactFraction(ExactRational(coefficient)) *
                                    ExactFraction(ExactRational(radicand)).root(degree, {});
        LongNum root;
        LongMul(longRoot(radicand, degree), longInteger(coefficient), root);
        LongAdd(sum.value, root, sum.value);
    }
    return sum;
}

// |a - b| <= 10^-50 (1 + |a|).
bool agreeTo50Digits(const LongNum& a, const LongNum& b)
{
    LongNum difference;
    LongSub(a, b, difference);
    difference.setSign(kLongPlus);
    LongNum bound = a;
    bound.setSign(kLongPlus);
    LongAdd(bound, longInteger(1), bound);
    LongNum scale = LongFromText("1" + std::string(50, '0'));
    LongMul(difference, scale, difference);
    return LongGreaterEq(bound, difference);
}

TEST(RadicalRationaliseTest, RandomQuotientsOfSumsOfRoots)
{
    LongWordsScope words(100);
    std::mt19937 engine(2026);
    int checked = 0;
    for (int round = 0; round < 150; ++round) {
        clearLongIntOverflow();
        RandomSum top = randomSum(engine);
        RandomSum bottom = randomSum(engine);
        ExactFraction normal = (top.exact / bottom.exact).normalised();
        if (normal.failed() || longIntOverflow())
            continue; // a zero denominator, or a root degree past 9
        ++checked;
        std::string what = normal.toText();
        EXPECT_FALSE(normal.denominator().hasRoots()) << what;
        EXPECT_TRUE(normal.denominator().isRational()) << what;
        LongNum expected;
        LongDiv(top.value, bottom.value, expected);
        LongNum actual;
        LongDiv(sumValue(normal.numerator()), sumValue(normal.denominator()), actual);
        EXPECT_TRUE(agreeTo50Digits(expected, actual)) << what << "\n"
                                                       << LongToDecimal(expected) << "\n"
                                                       << LongToDecimal(actual);
    }
    EXPECT_GT(checked, 100) << checked;
    clearLongIntOverflow();
}

} // namespace
} // namespace kestrane
