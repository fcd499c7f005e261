// SPDX-License-Identifier: GPL-3.0-or-later
// The number layout and the exact operations, with the cases that long
// arithmetic gets wrong: signs of zero, lost carries, truncation.
#include "numbers/long_num.h"
#include "numbers/long_num_random.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

LongNum number(const char* text)
{
    return *LongParse(text);
}

std::string decimal(const LongNum& a)
{
    return LongToDecimal(a);
}

class LongNumTest : public ::testing::Test {
protected:
    void TearDown() override { setLongWords(kLongWordsAtStart); }
};

TEST_F(LongNumTest, WordCountStartsAtTenAndRefusesValuesOutsideItsRange)
{
    EXPECT_EQ(longWords(), 10);
    EXPECT_EQ(longIntegerWords(), 5);
    EXPECT_FALSE(setLongWords(9));
    EXPECT_FALSE(setLongWords(361));
    EXPECT_EQ(longWords(), 10);
    {
        LongWordsScope scope(50);
        EXPECT_EQ(LongNum().wordCount(), 50);
    }
    EXPECT_EQ(longWords(), 10);
}

TEST_F(LongNumTest, LayoutOfOneAndOneThousandth)
{
    LongNum one = number("1");
    LongNum thousandth = number("0.001");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(one[i], i == 4 ? 1 : 0);
        EXPECT_EQ(thousandth[i], i == 5 ? 1 : 0);
    }
    EXPECT_EQ(one.sign(), '+');
    EXPECT_EQ(LongToText(one), "000000000000001000000000000000");
    EXPECT_EQ(LongToText(thousandth, 1), "000000000000000001");
}

TEST_F(LongNumTest, TextConversions)
{
    EXPECT_EQ(decimal(number("-12.5")), "-12.500000000000000");
    EXPECT_EQ(decimal(number(".25")), "0.250000000000000");
    // Integer digits beyond the integer words drop from the left; fraction
    // digits beyond the last word are cut.
    EXPECT_EQ(decimal(number("1234567890123456789")), "567890123456789.000000000000000");
    EXPECT_EQ(decimal(number("0.1234567890123456789")), "0.123456789012345");
    for (const char* bad : {"", "-", ".", "1.2.3", "1e5", "abc", "--1", " 1", "1,5"})
        EXPECT_FALSE(LongParse(bad)) << bad;
}

TEST_F(LongNumTest, ComparisonSignRules)
{
    EXPECT_TRUE(LongGreaterEq(number("2"), number("2")));
    EXPECT_FALSE(LongGreaterEq(number("-2"), number("-2")));
    EXPECT_TRUE(LongGreaterEq(number("0"), number("-0")));
    EXPECT_FALSE(LongGreaterEq(number("-0"), number("0")));
    EXPECT_TRUE(LongGreaterEq(number("-1"), number("-2")));
    EXPECT_TRUE(LongGreaterEq(number("1000"), number("999.999")));
}

TEST_F(LongNumTest, NearlyEqualIgnoresTheFractionBeyondItsFifthWord)
{
    EXPECT_FALSE(LongNearlyEqual(number("1"), number("1.000000000000001")));
    setLongWords(28);
    EXPECT_TRUE(LongNearlyEqual(number("1"), number("-1.0000000000000001")));
    EXPECT_FALSE(LongNearlyEqual(number("1"), number("1.000000000000001")));
}

TEST_F(LongNumTest, SignsOfSumsAndDifferences)
{
    LongNum out;
    LongAdd(number("-5"), number("3"), out);
    EXPECT_EQ(decimal(out), "-2.000000000000000");
    LongAdd(number("3"), number("-3"), out);
    EXPECT_EQ(out.sign(), '+');
    EXPECT_TRUE(LongIsZero(out));
    LongAdd(number("-3"), number("3"), out);
    EXPECT_EQ(out.sign(), '-');
    EXPECT_TRUE(LongIsZero(out));
    // The same object on both sides: a - a is zero, not -2a.
    LongNum a = number("-7.25");
    LongSub(a, a, out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_EQ(a, number("-7.25"));
    LongAdd(a, a, a);
    EXPECT_EQ(decimal(a), "-14.500000000000000");
}

TEST_F(LongNumTest, CarryOutOfTheTopWordIsLost)
{
    LongNum out;
    LongAdd(number("999999999999999"), number("1"), out);
    EXPECT_TRUE(LongIsZero(out));
    LongMulSmallShift(number("999999999999999"), 2, 0, out);
    EXPECT_EQ(decimal(out), "999999999999998.000000000000000");
}

TEST_F(LongNumTest, ProductsAreTruncatedPerPartialProduct)
{
    LongNum out;
    LongMul(number("2"), number("0.5"), out);
    EXPECT_EQ(out, number("1"));
    LongMul(number("-1.5"), number("1.5"), out);
    EXPECT_EQ(decimal(out), "-2.250000000000000");
    // Each partial product drops its own digits below the last word, so the
    // operand order can change the last word.
    LongNum ab;
    LongNum ba;
    LongMul(number("0.999999999999999"), number("0.999999999999999"), ab);
    EXPECT_EQ(decimal(ab), "0.999999999999994");
    LongMul(number("4.453411"), number("0.792070006885767"), ab);
    LongMul(number("0.792070006885767"), number("4.453411"), ba);
    EXPECT_EQ(decimal(ab), "3.527413281435150");
    EXPECT_EQ(decimal(ba), "3.527413281435149");
}

TEST_F(LongNumTest, QuotientsKeepHWordsAndAZeroLastWord)
{
    LongNum out;
    LongDiv(number("1"), number("3"), out);
    EXPECT_EQ(LongToText(out, 5), "000000000000000333333333333000");
    LongDiv(number("1000000"), number("3"), out);
    EXPECT_EQ(decimal(out), "333333.333333333000000");
    LongDiv(number("-7"), number("2"), out);
    EXPECT_EQ(decimal(out), "-3.500000000000000");
    LongDivSmall(number("-7"), 4, out);
    EXPECT_EQ(decimal(out), "-1.750000000000000");
    EXPECT_EQ(LongHalve(number("0.000000000000003"), out), 1000);
    EXPECT_EQ(decimal(out), "0.000000000000001");
    // Divisors below 1 and negative multipliers do not crash.
    LongDivSmall(number("5"), 0, out);
    EXPECT_TRUE(LongIsZero(out));
    LongMulSmallShift(number("1.5"), -2, 1, out);
    EXPECT_EQ(decimal(out), "-0.003000000000000");
}

// Where the division steps would loop or write outside the number, the
// quotient is the one that fits.
TEST_F(LongNumTest, DivisionFaultsAreMended)
{
    LongNum out;
    LongDiv(number("999000000000000"), number("1"), out);
    EXPECT_EQ(decimal(out), "999000000000000.000000000000000");
    // H quotient words from the first: the fraction does not fit.
    LongDiv(number("999999999999999.999"), number("1"), out);
    EXPECT_EQ(decimal(out), "999999999999999.000000000000000");
    // The product of the first step loses its top carry on the way.
    LongDiv(number("889147070479000"), number("215000159220.973133573"), out);
    EXPECT_EQ(decimal(out), "4135.564707024000000");
    // Quotient words above word 0 are dropped, as in addition.
    LongDiv(number("1234567890"), number("0.000001"), out);
    EXPECT_EQ(decimal(out), "234567890000000.000000000000000");
}

TEST_F(LongNumTest, FloatConversions)
{
    LongNum out;
    FloatToLong(1.25f, out);
    EXPECT_EQ(out[4], 1);
    EXPECT_EQ(out[5], 250);
    FloatToLong(0.1234567f, out);
    EXPECT_EQ(decimal(out), "0.123456000000000");
    FloatToLong(-2.5f, out);
    EXPECT_EQ(decimal(out), "-2.500000000000000");
    FloatToLong(1e30f, out);
    EXPECT_FALSE(LongHasFraction(out));
    EXPECT_EQ(LongToFloat(number("1234.5")), 1234.5f);
    EXPECT_EQ(LongToFloat(number("-0.000125")), -0.000125f);
    // Large integer parts convert whole, never wrapped.
    EXPECT_EQ(LongToFloat(number("3000000000")), 3e9f);
    EXPECT_EQ(LongToDouble(number("123456789012.5")), 123456789012.5);
    {
        LongWordsScope words(kLongWordsMax);
        EXPECT_EQ(LongToFloat(LongFromText("-12.5")), -12.5f) << "no overflow of the top words";
        EXPECT_EQ(LongToDouble(LongFromText("-12.5")), -12.5);
    }
    EXPECT_FALSE(LongHasFraction(number("12")));
    EXPECT_TRUE(LongHasFraction(number("12.000000000000001")));
}

TEST_F(LongNumTest, ConstantsFollowTheWordCount)
{
    EXPECT_EQ(decimal(LongPi()), "3.141592653589793");
    EXPECT_EQ(decimal(LongLn2()), "0.693147180559945");
    // Past the 450 digits of the text the digits are computed.
    setLongWords(360);
    const char* pi540 =
        "3.1415926535897932384626433832795028841971693993751058209749445923078164062862089986280348"
        "253421170679821480865132823066470938446095505822317253594081284811174502841027019385211055"
        "596446229489549303819644288109756659334461284756482337867831652712019091456485669234603486"
        "104543266482133936072602491412737245870066063155881748815209209628292540917153643678925903"
        "600113305305488204665213841469519415116094330572703657595919530921861173819326117931051185"
        "480744623799627495673518857527248912279381830119491298336733624406566430860213949463952247"
        "37";
    EXPECT_EQ(decimal(LongPi()), pi540);
    setLongWords(kLongWordsAtStart);
    EXPECT_EQ(LongPi().wordCount(), 10);
}

TEST_F(LongNumTest, FromIntegerWrapsAtTheIntegerWords)
{
    EXPECT_EQ(LongNum::fromInteger(-42), number("-42"));
    EXPECT_EQ(LongNum::fromInteger(1234567890123456789), number("567890123456789"));
}

} // namespace
} // namespace kestrane
