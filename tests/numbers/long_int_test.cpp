// SPDX-License-Identifier: GPL-3.0-or-later
// The two-word integer against 128-bit arithmetic: exact results, the text
// forms, the overflow flag and its single message.
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kestrane {
namespace {

__extension__ typedef __int128 Wide;

class LongIntTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearLongIntOverflow();
        setLongNumHost(&m_host);
    }
    void TearDown() override
    {
        setLongNumHost(nullptr);
        clearLongIntOverflow();
    }

    static LongInt number(const char* text) { return *LongInt::fromText(text); }

    // Checks the words' invariants and that the value equals `expected`.
    static void expectValue(const LongInt& a, Wide expected, const std::string& what)
    {
        EXPECT_GE(a.low(), 0) << what;
        EXPECT_LT(a.low(), LongInt::kBase) << what;
        EXPECT_GE(a.high(), 0) << what;
        EXPECT_EQ(a.sign(), expected < 0 ? '-' : '+') << what;
        EXPECT_TRUE(static_cast<Wide>(a.value()) == expected) << what << " gave " << a.toText();
    }

    ScriptedHost m_host;
};

TEST_F(LongIntTest, TextAndWords)
{
    struct Case {
        const char* text;
        int high;
        int low;
        char sign;
        const char* printed;
    };
    const Case cases[] = {
        {"1234567", 1, 234567, '+', "1234567"},
        {"-1234567", 1, 234567, '-', "-1234567"},
        {"1000007", 1, 7, '+', "1000007"},
        {"999999", 0, 999999, '+', "999999"},
        {"-42", 0, 42, '-', "-42"},
        {"+0042", 0, 42, '+', "42"},
        {"-0", 0, 0, '+', "0"},
        {"2147483647999999", 2147483647, 999999, '+', "2147483647999999"},
    };
    for (const Case& c : cases) {
        LongInt a = number(c.text);
        EXPECT_EQ(a.high(), c.high) << c.text;
        EXPECT_EQ(a.low(), c.low) << c.text;
        EXPECT_EQ(a.sign(), c.sign) << c.text;
        EXPECT_EQ(a.toText(), c.printed) << c.text;
    }
    EXPECT_FALSE(longIntOverflow());
    for (const char* bad : {"", "-", "12a", "1.5", " 1", "--1", "1e6"})
        EXPECT_FALSE(LongInt::fromText(bad)) << bad;
}

TEST_F(LongIntTest, FromIntKeepsTheSign)
{
    for (std::int64_t n :
         std::initializer_list<std::int64_t>{0, 1, -1, 999999, -1000000, -123456789012,
                                             LongInt::kMaxMagnitude, -LongInt::kMaxMagnitude})
        expectValue(LongInt::fromInt(n), n, std::to_string(n));
    EXPECT_FALSE(longIntOverflow());
}

TEST_F(LongIntTest, ExactProductsAreSilent)
{
    struct Case {
        const char* a;
        const char* b;
        const char* product;
    };
    const Case cases[] = {
        {"999999", "999999", "999998000001"},
        {"2000000", "3000000", "6000000000000"},
        {"-2000000", "3000000", "-6000000000000"},
        {"-46341", "-46341", "2147488281"},
        {"0", "-5", "0"},
        {"1000000", "2147483647", "2147483647000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ((number(c.a) * number(c.b)).toText(), c.product) << c.a << " * " << c.b;
    EXPECT_FALSE(longIntOverflow());
    EXPECT_TRUE(m_host.messages().empty());
}

TEST_F(LongIntTest, OverflowWarnsOnceUntilCleared)
{
    LongInt big = number("3000000000") * number("1000000");
    EXPECT_TRUE(longIntOverflow());
    // The low word stays exact, the high one is cut to 31 bits.
    EXPECT_EQ(big.low(), 0);
    EXPECT_EQ(big.high(), static_cast<std::int32_t>(3000000000LL & LongInt::kHighMax));
    (void)(number("2147483647999999") + number("1"));
    (void)number("99999999999999999999");
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].caption, "Error.");
    EXPECT_EQ(m_host.messages()[0].text, "Too large numbers. Major error may occur.");
    EXPECT_EQ(m_host.messages()[0].buttons, MessageButtons::OkCancel);

    clearLongIntOverflow();
    LongInt a = number("-2147483647999999");
    a.timesInt(2);
    EXPECT_TRUE(longIntOverflow());
    EXPECT_EQ(a.sign(), '-');
    EXPECT_EQ(m_host.messages().size(), 2u);
}

TEST_F(LongIntTest, SumCarriesAndBorrows)
{
    expectValue(number("999999") + number("1"), 1000000, "carry");
    expectValue(number("1000000") - number("1"), 999999, "borrow");
    expectValue(number("-1000000") + number("1"), -999999, "mixed signs");
    expectValue(number("5") - number("5"), 0, "zero is positive");
    expectValue(-number("0"), 0, "negated zero");
}

TEST_F(LongIntTest, DivisionKeepsTheSign)
{
    expectValue(number("-7").dividedBy(2), -3, "negative by positive");
    expectValue(number("7").dividedBy(-2), -3, "positive by negative");
    expectValue(number("-1").dividedBy(3), 0, "to zero");
    EXPECT_EQ(number("-7").remainder(2), -1);
    EXPECT_EQ(number("1234567890123").remainder(1000003), 1234567890123LL % 1000003);
    LongInt a = number("-12000000");
    a.divideBy(4);
    expectValue(a, -3000000, "in place");
}

TEST_F(LongIntTest, MagnitudeComparisons)
{
    EXPECT_TRUE(number("-2000000").atLeast(number("1999999")));
    EXPECT_FALSE(number("999999").atLeast(number("-1000000")));
    EXPECT_TRUE(number("1000000").atLeastInt(1000000));
    EXPECT_FALSE(number("1000000").atLeastInt(-1000001));
    EXPECT_TRUE(number("-5").sameMagnitude(number("5")));
    EXPECT_FALSE(number("-5") == number("5"));
    EXPECT_TRUE(number("-5") < number("4"));
    EXPECT_TRUE(number("-3000000").equalsInt(-3000000));
}

// Random operands over the whole range, checked against 128-bit results.
TEST_F(LongIntTest, RandomOperationsMatchWideArithmetic)
{
    std::mt19937_64 engine(13);
    auto operand = [&engine]() -> std::int64_t {
        int digits = static_cast<int>(engine() % 16) + 1;
        std::int64_t limit = 1;
        for (int i = 0; i < digits; ++i)
            limit *= 10;
        std::int64_t value =
            static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(limit));
        value = std::min(value, LongInt::kMaxMagnitude);
        return engine() % 2 ? -value : value;
    };
    auto fits = [](Wide value) {
        return value <= LongInt::kMaxMagnitude && value >= -LongInt::kMaxMagnitude;
    };
    for (int round = 0; round < 4000; ++round) {
        std::int64_t x = operand();
        std::int64_t y = operand();
        std::int64_t m = operand() % 1000000007;
        LongInt a = LongInt::fromInt(x);
        LongInt b = LongInt::fromInt(y);
        std::string what = std::to_string(x) + ", " + std::to_string(y);
        EXPECT_EQ(LongInt::fromText(a.toText()), a) << what;
        struct Result {
            LongInt value;
            Wide exact;
        };
        LongInt times = a;
        times.timesInt(m);
        const Result results[] = {
            {a + b, static_cast<Wide>(x) + y},
            {a - b, static_cast<Wide>(x) - y},
            {a * b, static_cast<Wide>(x) * y},
            {times, static_cast<Wide>(x) * m},
        };
        for (const Result& result : results) {
            clearLongIntOverflow();
            if (fits(result.exact))
                expectValue(result.value, result.exact, what);
        }
        if (m != 0) {
            expectValue(a.dividedBy(m), x / m, what);
            EXPECT_EQ(a.remainder(m), x % m) << what;
        }
        EXPECT_EQ(a.atLeast(b), (x < 0 ? -x : x) >= (y < 0 ? -y : y)) << what;
    }
}

// The flag follows the exact result: raised exactly when it does not fit.
TEST_F(LongIntTest, FlagRisesExactlyWhenTheResultDoesNotFit)
{
    std::mt19937_64 engine(7);
    for (int round = 0; round < 2000; ++round) {
        std::int64_t x = static_cast<std::int64_t>(engine() % 4000000000ULL) - 2000000000LL;
        std::int64_t y = static_cast<std::int64_t>(engine() % 4000000000000ULL);
        Wide exact = static_cast<Wide>(x) * y;
        clearLongIntOverflow();
        (void)(LongInt::fromInt(x) * LongInt::fromInt(y));
        bool fits = exact <= LongInt::kMaxMagnitude && exact >= -LongInt::kMaxMagnitude;
        EXPECT_EQ(longIntOverflow(), !fits) << x << " * " << y;
    }
}

} // namespace
} // namespace kestrane
