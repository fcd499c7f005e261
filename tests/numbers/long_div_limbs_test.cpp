// SPDX-License-Identifier: GPL-3.0-or-later
// Quotients whose divisors meet the edges of the limb division: a divisor
// that fills one or two limbs, and one whose leading six words are a power
// of two with nothing under them in the next limb, for which the reciprocal
// of the top limbs is 2^64 less one. Dividends that are exact multiples, and
// one unit either side, leave a remainder next to zero, which the estimate
// after the last limb cannot place. Each against the engine it replaced.
#include "baseline_long_num.h"
#include "numbers/long_num_random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kestrane {
namespace {

using testing::putLimb;
using testing::RandomLongNums;
using testing::toWords;

using LimbDivisionTest = testing::AtWordCount;

// Dividends: random ones, and a multiple of the divisor by a short quotient
// (exact while the product keeps all its words) with a unit either side.
std::vector<LongNum> dividendsFor(const LongNum& divisor, RandomLongNums& random)
{
    int words = divisor.wordCount();
    std::vector<LongNum> dividends = {random.next(), random.next()};
    LongNum quotient;
    int first = random.pick(words / 2 - 2, words / 2 + 1);
    for (int i = first; i < first + 3; ++i)
        quotient[i] = random.pick(0, 999);
    LongNum product;
    LongMul(quotient, divisor, product);
    LongNum unit;
    unit[words - 1] = 1;
    LongNum below;
    LongNum above;
    LongSub(product, unit, below);
    LongAdd(product, unit, above);
    dividends.insert(dividends.end(), {product, below, above});
    return dividends;
}

void expectSameQuotients(const LongNum& divisor, RandomLongNums& random)
{
    for (const LongNum& dividend : dividendsFor(divisor, random)) {
        LongNum expected;
        LongNum actual;
        baseline::LongDiv(dividend, divisor, expected);
        LongDiv(dividend, divisor, actual);
        ASSERT_EQ(toWords(actual), toWords(expected))
            << LongToText(dividend) << " / " << LongToText(divisor);
    }
}

TEST_P(LimbDivisionTest, DivisorsWithAPowerOfTwoOnTop)
{
    int words = GetParam();
    RandomLongNums random(41u + static_cast<unsigned>(words));
    for (int power = 50; power <= 59; ++power) {
        for (int shape = 0; shape < 3; ++shape) {
            LongNum divisor;
            int first = random.pick(1, words - 6);
            putLimb(divisor, first, 1ull << power);
            // Nothing more, a word one limb further down, or random words.
            int rest = first + 6;
            if (shape == 1 && rest + 6 < words)
                divisor[random.pick(rest + 6, words - 1)] = random.pick(1, 999);
            for (int i = rest; shape == 2 && i < words; ++i)
                divisor[i] = random.pick(0, 999);
            expectSameQuotients(divisor, random);
        }
    }
}

TEST_P(LimbDivisionTest, DivisorsOfOneOrTwoLimbs)
{
    int words = GetParam();
    RandomLongNums random(43u + static_cast<unsigned>(words));
    for (int round = 0; round < 40; ++round) {
        LongNum divisor;
        int length = random.pick(1, 12);
        int first = random.pick(1, words - length);
        divisor[first] = random.pick(1, 999);
        for (int i = first + 1; i < first + length; ++i)
            divisor[i] = random.pick(0, 1) ? 999 : random.pick(0, 999);
        expectSameQuotients(divisor, random);
    }
}

INSTANTIATE_TEST_SUITE_P(WordCounts, LimbDivisionTest, ::testing::Values(20, 46, 100, 310));

} // namespace
} // namespace kestrane
