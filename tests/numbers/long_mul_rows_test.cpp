// SPDX-License-Identifier: GPL-3.0-or-later
// Products whose rows' carries the first two words of a tail cannot decide:
// a digit times the tail lands just under or over a whole, so the carry
// depends on words far down the tail. Also products whose limbs meet the cut
// at every offset, and factors that are nonzero in one word only. Each
// against the engine it replaced.
#include "baseline_long_num.h"
#include "numbers/long_num_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace kestrane {
namespace {

using testing::RandomLongNums;
using testing::toWords;

using ProductRowsTest = testing::AtWordCount;

// Both ways of multiplying (word columns where the processor has them, and
// limbs) against the old engine.
void expectSameProduct(const LongNum& a, const LongNum& b)
{
    LongNum current;
    LongNum inLimbs;
    LongNum reference;
    LongMul(a, b, current);
    testing::multiplyInLimbs(a, b, inLimbs);
    baseline::LongMul(a, b, reference);
    EXPECT_EQ(toWords(current), toWords(reference)) << LongToText(a) << " * " << LongToText(b);
    EXPECT_EQ(toWords(inLimbs), toWords(reference))
        << LongToText(a) << " * " << LongToText(b) << " in limbs";
}

// 7 times 0.142857 142857 ... is a whole less a trifle, and the first word
// past the repeats tips it over or not; 3 times 0.333... likewise.
TEST_P(ProductRowsTest, CarriesDecidedFarDownTheTail)
{
    int count = GetParam();
    int half = count / 2;
    RandomLongNums random(static_cast<unsigned>(count));
    for (int pattern = 0; pattern < 2; ++pattern) {
        LongWord repeat[2] = {pattern == 0 ? 142 : 333, pattern == 0 ? 857 : 333};
        LongWord digit = pattern == 0 ? 7 : 3;
        for (int stop = half + 1; stop < count; stop += std::max(1, count / 23)) {
            for (LongWord last : {0, 1, 142, 143, 999}) {
                LongNum b;
                for (int i = half; i < stop; ++i)
                    b[i] = repeat[(i - half) % 2];
                b[stop] = last;
                LongNum a;
                // The digit in every fraction place, and in one place only.
                for (int i = half; i < count; ++i)
                    a[i] = digit;
                expectSameProduct(a, b);
                LongNum single;
                single[random.pick(half, count - 1)] = digit;
                expectSameProduct(single, b);
                single[half - 1] = 1;
                expectSameProduct(single, b);
            }
        }
    }
}

// Factors nonzero in one word, or in a few words around any place, so that
// the limbs start and end at every offset from the cut.
TEST_P(ProductRowsTest, FactorsNonzeroInAFewWords)
{
    int count = GetParam();
    RandomLongNums random(static_cast<unsigned>(count) + 1);
    for (int place = 1; place < count; ++place) {
        LongNum a;
        LongNum b;
        a[place] = random.pick(1, 999);
        b[random.pick(1, count - 1)] = random.pick(1, 999);
        expectSameProduct(a, b);
        int width = random.pick(1, 8);
        for (int i = place; i < std::min(count, place + width); ++i) {
            a[i] = random.pick(0, 999);
            b[count - 1 - (i - place)] = random.pick(0, 999);
        }
        expectSameProduct(a, b);
        expectSameProduct(b, a);
    }
}

// Every word 999, or 999 with a few words lowered: the largest limb
// products in each column and the largest parts of the pairs that straddle
// the cut.
TEST_P(ProductRowsTest, LargestWordsEverywhere)
{
    int count = GetParam();
    int half = count / 2;
    RandomLongNums random(static_cast<unsigned>(count) + 2);
    for (int integerWords : {0, 1, 2, half}) {
        LongNum a;
        LongNum b;
        for (int i = half - integerWords; i < count; ++i)
            a[i] = b[i] = 999;
        b[0] = 0; // the general product; a nonzero word 0 takes the rows' sum
        expectSameProduct(a, b);
        for (int trial = 0; trial < 20; ++trial) {
            LongNum lowered = a;
            for (int k = 0; k < 3; ++k)
                lowered[random.pick(half - integerWords, count - 1)] = random.pick(0, 998);
            expectSameProduct(lowered, b);
            expectSameProduct(b, lowered);
        }
    }
}

// k times 0.(1/k) with the last word raised: every column is 999 but the
// last, whose carry runs through all of them, 3 x 0.333...334 = 1.000...002.
// Also the run broken at a few places, and the run ending at word 0.
TEST_P(ProductRowsTest, CarriesRunThroughNines)
{
    int count = GetParam();
    int half = count / 2;
    for (auto [multiplier, repeat] :
         {std::pair{3, 333}, std::pair{9, 111}, std::pair{27, 37}, std::pair{999, 1}}) {
        LongNum a;
        a[half - 1] = multiplier;
        LongNum b;
        for (int i = half; i < count; ++i)
            b[i] = repeat;
        b[count - 1] += 1;
        expectSameProduct(a, b);
        expectSameProduct(b, a);
        LongNum product;
        LongMul(a, b, product);
        EXPECT_EQ(product[half - 1], 1);
        EXPECT_EQ(product[count - 1], multiplier - 1);
        for (int i = half; i < count - 1; ++i)
            ASSERT_EQ(product[i], 0) << "word " << i << " of " << LongToText(product);
        // Nines up to word 0, where the carry is lost.
        LongNum whole = a;
        for (int i = 1; i < half - 1; ++i)
            whole[i] = 999 / multiplier;
        expectSameProduct(whole, b);
        for (int broken : {half, (half + count) / 2, count - 2}) {
            LongNum gap = b;
            gap[broken] = repeat - 1;
            expectSameProduct(a, gap);
        }
    }
}

// At ten words, products that wrap past word 0 to just below the rows'
// dropped carries (a b = 10^30 plus less than the carries): the borrow must
// stay within the number's words.
TEST(TenWordProduct, WrapsBelowTheDroppedCarries)
{
    setLongWords(kLongWordsAtStart);
    const std::pair<const char*, const char*> operands[] = {
        {"999999999874007.000015874236047", "1.000000000125993"},
        {"999999999874006.000015874488034", "1.000000000125994"},
        {"999999999874005.000015874740023", "1.000000000125995"},
        {"999999999874004.000015874992014", "1.000000000125996"},
    };
    for (auto [left, right] : operands) {
        LongNum a = LongFromText(left);
        LongNum b = LongFromText(right);
        for (int step = -2; step <= 2; ++step) {
            LongNum nudged = a;
            nudged[9] = std::clamp(a[9] + step, 0, 999);
            expectSameProduct(nudged, b);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WordCounts, ProductRowsTest,
                         ::testing::Values(12, 20, 46, 47, 100, 310, kLongWordsMax));

} // namespace
} // namespace kestrane
