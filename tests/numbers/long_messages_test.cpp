// SPDX-License-Identifier: GPL-3.0-or-later
// The message boxes of the long-number operations: exactly the guards, with
// their caption, text and buttons, and the results the guards leave.
#include "numbers/long_num.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class LongMessagesTest : public ::testing::Test {
protected:
    void SetUp() override { setLongNumHost(&m_host); }
    void TearDown() override
    {
        setLongNumHost(nullptr);
        setLongWords(kLongWordsAtStart);
    }

    // The texts shown so far, after checking every box's caption and buttons.
    std::vector<std::string> texts()
    {
        std::vector<std::string> result;
        for (const MessageRequest& request : m_host.messages()) {
            EXPECT_EQ(request.caption, "Error.");
            EXPECT_EQ(request.buttons, MessageButtons::OkCancel);
            result.push_back(request.text);
        }
        m_host.clearMessages();
        return result;
    }

    static LongNum number(const char* text) { return *LongParse(text); }

    ScriptedHost m_host;
};

using Texts = std::vector<std::string>;

TEST_F(LongMessagesTest, DivisionByZeroGivesZero)
{
    LongNum out = number("7");
    LongDiv(number("5"), number("-0"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_EQ(texts(), Texts{"Division by zero. Major error may occur."});
    LongDiv(number("0"), number("0"), out);
    EXPECT_EQ(texts(), Texts{"Division by zero. Major error may occur."});
}

TEST_F(LongMessagesTest, LogarithmGuardsClearTheDigitsAndKeepTheSign)
{
    LongNum out = number("-12.5");
    EXPECT_FALSE(LongLn(number("0"), out));
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_EQ(out.sign(), '-');
    EXPECT_EQ(texts(), Texts{"Logarithm of zero. Argument out of range.\nMajor error may occur."});
    EXPECT_FALSE(LongLn(number("-2"), out));
    EXPECT_EQ(texts(), Texts{"Negative number as argument of logarithm. Major error may occur."});
    EXPECT_FALSE(LongLn(number("-0"), out));
    EXPECT_EQ(texts(), (Texts{"Logarithm of zero. Argument out of range.\nMajor error may occur.",
                              "Negative number as argument of logarithm. Major error may occur."}));
    EXPECT_TRUE(LongLn(number("1"), out));
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, RootsOfNegativeNumbers)
{
    LongNum out;
    LongSqrt(number("-6.25"), out);
    EXPECT_EQ(out, number("2.5"));
    EXPECT_EQ(texts(), Texts{"Square root of negative number. Major error may occur."});
    LongRoot(number("-16"), 4, out);
    EXPECT_EQ(out, number("-2"));
    EXPECT_EQ(texts(),
              Texts{"Negative number under a root of even degree. Major error may occur."});
    LongRoot(number("-27"), 3, out);
    EXPECT_EQ(out, number("-3"));
    LongSqrt(number("0.000000000000001"), out);
    EXPECT_EQ(out, number("0.000000031622776"));
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, TangentGuardsLeaveTheResultUntouched)
{
    LongNum out = number("42");
    LongCot(number("0"), out);
    EXPECT_EQ(out, number("42"));
    EXPECT_EQ(texts(), Texts{"Division by zero. Argument of cotangent function out of range."});
    // cos(1.570796326794897) = -3.8e-16 rounds to zero at 15 decimals.
    LongTan(number("1.570796326794897"), out);
    EXPECT_EQ(out, number("42"));
    EXPECT_EQ(texts(), Texts{"Division by zero. Argument of tangent function out of range."});
    LongTan(number("0"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, ArcsineRangeRule)
{
    LongNum out = number("3");
    LongArcsin(number("-1.5"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_EQ(out.sign(), '-');
    const std::string message =
        "Argument out of range for function arcsin(x) (inverse of sin(x)). Major error may occur.";
    EXPECT_EQ(texts(), Texts{message});
    LongArccos(number("1.000000000000001"), out);
    EXPECT_EQ(texts(), Texts{message});
    // Just beyond 1 but nearly equal to it: +-pi/2 (and 0 or pi) with no message.
    setLongWords(28);
    out = LongNum();
    LongNum halfPi;
    LongHalve(LongPi(), halfPi);
    LongArcsin(number("-1.0000000000000001"), out);
    LongNum difference;
    LongAdd(out, halfPi, difference);
    EXPECT_TRUE(LongNearlyEqual(difference, LongNum()));
    LongArccos(number("1.0000000000000001"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, ExponentialThatDoesNotFit)
{
    LongNum out = number("5");
    LongExp(number("34.6"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_EQ(texts(), Texts{"Number too large. Major error may occur."});
    LongExp(number("999999999999"), out);
    EXPECT_EQ(texts(), Texts{"Number too large. Major error may occur."});
    LongExp(number("34.5"), out);
    EXPECT_EQ(LongToDecimal(out), "961965785544776.410487124785963");
    LongExp(number("-999999999999"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, FunctionsWithoutGuardsShowNothing)
{
    LongNum out;
    LongArctan(number("0"), out);
    EXPECT_TRUE(LongIsZero(out));
    LongSin(number("999999999999999.999999999999999"), out);
    LongCos(number("-999999999999999.999999999999999"), out);
    LongLn(number("999999999999999.999999999999999"), out);
    LongExp(number("-34.5"), out);
    LongArctan(number("-999999999999999"), out);
    EXPECT_TRUE(texts().empty());
}

TEST_F(LongMessagesTest, NoHostShowsNoBox)
{
    setLongNumHost(nullptr);
    LongNum out;
    LongDiv(number("1"), number("0"), out);
    EXPECT_TRUE(LongIsZero(out));
    EXPECT_TRUE(m_host.messages().empty());
}

} // namespace
} // namespace kestrane
