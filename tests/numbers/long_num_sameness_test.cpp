// SPDX-License-Identifier: GPL-3.0-or-later
// The fast exact operations against the plain transcription of their steps,
// on random operands at several word counts.
#include "numbers/long_num_random.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::fromWords;
using testing::RandomLongNums;
using testing::toWords;

class SamenessTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { setLongWords(GetParam()); }
    void TearDown() override { setLongWords(kLongWordsAtStart); }

    int rounds() const { return GetParam() > 100 ? 40 : 500; }
};

TEST_P(SamenessTest, AdditionSubtractionAndComparison)
{
    RandomLongNums random(1u + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < rounds(); ++round) {
        LongNum a = random.next();
        LongNum b = random.next();
        if (round % 7 == 0)
            b = a;
        LongNum sum;
        LongNum difference;
        LongAdd(a, b, sum);
        LongSub(a, b, difference);
        reference::Words expectedSum;
        reference::Words expectedDifference;
        reference::add(toWords(a), toWords(b), expectedSum);
        reference::subtract(toWords(a), toWords(b), expectedDifference);
        ASSERT_EQ(toWords(sum), expectedSum) << LongToText(a) << " + " << LongToText(b);
        ASSERT_EQ(toWords(difference), expectedDifference);
        ASSERT_EQ(LongGreaterEq(a, b), reference::greaterEq(toWords(a), toWords(b)));
    }
}

TEST_P(SamenessTest, MultiplicationAndSmallOperations)
{
    RandomLongNums random(2u + static_cast<unsigned>(GetParam()));
    for (int round = 0; round < rounds(); ++round) {
        LongNum a = random.next();
        LongNum b = random.next();
        LongNum product;
        LongMul(a, b, product);
        reference::Words expected;
        reference::multiply(toWords(a), toWords(b), expected);
        ASSERT_EQ(toWords(product), expected) << LongToText(a) << " * " << LongToText(b);

        int shift = random.pick(-GetParam() - 1, GetParam() + 1);
        long long factor = random.pick(0, 5000);
        LongNum moved;
        LongMulSmallShift(a, factor, shift, moved);
        reference::mulSmallShift(toWords(a), factor, shift, expected);
        ASSERT_EQ(toWords(moved), expected);

        long long divisor = random.pick(1, 2000000);
        LongNum quotient;
        LongDivSmall(a, divisor, quotient);
        reference::divideSmall(toWords(a), divisor, expected);
        ASSERT_EQ(toWords(quotient), expected);
        int remainder = LongHalve(a, quotient);
        reference::divideSmall(toWords(a), 2, expected);
        ASSERT_EQ(toWords(quotient), expected);
        ASSERT_EQ(remainder, a[GetParam() - 1] % 2 * 1000);
    }
}

TEST_P(SamenessTest, Division)
{
    RandomLongNums random(3u + static_cast<unsigned>(GetParam()));
    int compared = 0;
    for (int round = 0; round < 2 * rounds(); ++round) {
        LongNum a = random.next();
        LongNum b = random.next();
        // Half the rounds below 1000^6 in units of the last word, where short
        // numbers take their own way.
        for (int i = 0; round % 2 == 1 && i < a.wordCount() - 6; ++i) {
            a[i] = 0;
            b[i] = 0;
        }
        if (LongIsZero(b))
            continue;
        reference::Words expected;
        auto outcome = reference::divide(toWords(a), toWords(b), expected);
        if (outcome != reference::DivisionOutcome::Finished)
            continue;
        ++compared;
        LongNum quotient;
        LongDiv(a, b, quotient);
        ASSERT_EQ(toWords(quotient), expected) << LongToText(a) << " / " << LongToText(b);
    }
    EXPECT_GT(compared, rounds() / 2);
}

INSTANTIATE_TEST_SUITE_P(WordCounts, SamenessTest, ::testing::Values(10, 12, 28, 46, 101, 310));

} // namespace
} // namespace kestrane

namespace kestrane {
namespace {

// The cases the fast division mends are the ones where the plain steps loop or
// leave the number; everywhere else the words are the same (above).
TEST(DivisionMendsTest, MendedCasesAreTheOnesThePlainStepsCannotFinish)
{
    struct Case {
        const char* dividend;
        const char* divisor;
        reference::DivisionOutcome outcome;
    };
    const Case cases[] = {
        {"999000000000000", "1", reference::DivisionOutcome::OutsideNumber},
        {"889147070479000", "215000159220.973133573", reference::DivisionOutcome::OutsideNumber},
        {"1234567890", "0.000001", reference::DivisionOutcome::OutsideNumber},
        {"5", "0", reference::DivisionOutcome::Looped},
    };
    for (const Case& c : cases) {
        reference::Words quotient;
        EXPECT_EQ(reference::divide(testing::toWords(*LongParse(c.dividend)),
                                    testing::toWords(*LongParse(c.divisor)), quotient, 3000),
                  c.outcome)
            << c.dividend << " / " << c.divisor;
    }
}

} // namespace
} // namespace kestrane
