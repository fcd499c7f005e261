// SPDX-License-Identifier: GPL-3.0-or-later
// Square roots whose limbs meet the edges of the limb root: exact squares and
// one unit either side, whose remainder lies next to zero where the estimate
// after the last limb cannot tell its sign; roots whose second limb is zero or
// all nines, so that its estimate may be -1 or 10^18 under a fixed top; a top
// limb that is a power of two, whose doubled top limbs give the largest
// reciprocal; roots just under a limb boundary. Each against the engine it
// replaced.
#include "baseline_long_num.h"
#include "numbers/long_num_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace kestrane {
namespace {

using testing::putLimb;
using testing::RandomLongNums;
using testing::toWords;

using LimbRootTest = testing::AtWordCount;

void expectSameRoot(const LongNum& radicand)
{
    LongNum expected;
    LongNum actual;
    baseline::LongSqrt(radicand, expected);
    LongSqrt(radicand, actual);
    ASSERT_EQ(toWords(actual), toWords(expected)) << "sqrt of " << LongToText(radicand);
}

// The square of root, when it keeps all its words, and a unit either side;
// the truncated square and a unit either side otherwise.
void expectSameRootsNextToSquare(const LongNum& root)
{
    LongNum unit;
    unit[unit.wordCount() - 1] = 1;
    LongNum square;
    LongMul(root, root, square);
    LongNum below;
    LongNum above;
    LongSub(square, unit, below);
    LongAdd(square, unit, above);
    for (const LongNum* radicand : {&square, &below, &above})
        ASSERT_NO_FATAL_FAILURE(expectSameRoot(*radicand));
}

// A root from word `first` on: its top limb's words, then what the shape puts
// under them, up to word `last`.
enum class Under { Random, Zeros, Nines, ZeroLimbThenRandom, NineLimbThenRandom };

LongNum rootOf(std::uint64_t topLimb, Under under, int first, int last, RandomLongNums& random)
{
    LongNum root;
    putLimb(root, first, topLimb);
    for (int i = first + 6; i <= last; ++i) {
        bool secondLimb = i < first + 12;
        switch (under) {
        case Under::Random:
            root[i] = random.pick(0, 999);
            break;
        case Under::Zeros:
            break;
        case Under::Nines:
            root[i] = 999;
            break;
        case Under::ZeroLimbThenRandom:
            root[i] = secondLimb ? 0 : random.pick(0, 999);
            break;
        case Under::NineLimbThenRandom:
            root[i] = secondLimb ? 999 : random.pick(0, 999);
            break;
        }
    }
    return root;
}

// Exact squares need the root's last word within half the fraction words;
// wider roots give truncated squares.
TEST_P(LimbRootTest, RootsWithEdgeLimbsNextToTheirSquares)
{
    int words = GetParam();
    int half = longIntegerWords();
    int exactLast = half - 1 + (words - half) / 2;
    RandomLongNums random(71u + static_cast<unsigned>(words));
    const Under shapes[] = {Under::Random, Under::Zeros, Under::Nines, Under::ZeroLimbThenRandom,
                            Under::NineLimbThenRandom};
    for (int round = 0; round < 60; ++round) {
        for (Under under : shapes) {
            // Integer roots whose squares fit, and roots below one.
            int first = random.pick(0, 1) ? random.pick(half / 2, half - 1)
                                          : random.pick(half, std::max(half, exactLast - 6));
            int last =
                random.pick(0, 2) != 0 ? std::max(first, exactLast) : random.pick(first, words - 1);
            std::uint64_t topLimb =
                round % 3 == 0
                    ? 1ull << random.pick(50, 59)
                    : static_cast<std::uint64_t>(random.pick(1, 999)) * 1000000000000000ull +
                          static_cast<std::uint64_t>(random.pick(0, 999999));
            ASSERT_NO_FATAL_FAILURE(
                expectSameRootsNextToSquare(rootOf(topLimb, under, first, last, random)));
        }
    }
}

// Roots of all nines from a word on lie just under a power of 1000, each limb
// of them at 10^18 - 1, and their estimates overshoot into a carry out of the
// top; radicands of all nines have such roots too.
TEST_P(LimbRootTest, RootsJustUnderALimbBoundary)
{
    int words = GetParam();
    int half = longIntegerWords();
    for (int first = half / 2; first < words; ++first) {
        LongNum root;
        std::fill(root.words().begin() + first, root.words().begin() + words, 999);
        ASSERT_NO_FATAL_FAILURE(expectSameRootsNextToSquare(root));
        LongNum nines;
        std::fill(nines.words().begin() + first, nines.words().begin() + words, 999);
        ASSERT_NO_FATAL_FAILURE(expectSameRoot(nines));
    }
}

INSTANTIATE_TEST_SUITE_P(WordCounts, LimbRootTest,
                         ::testing::Values(20, 28, 40, 46, 64, 100, 101, 160, 310, 360));

} // namespace
} // namespace kestrane
