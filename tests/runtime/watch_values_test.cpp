// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "runtime/watch_values.h"

namespace kestrane::testing {
namespace {

class WatchValues : public RunFixture {
protected:
    // The value of a name of start, as the watch panel shows it.
    std::string shown(std::string_view name) const
    {
        for (const WatchValue& value : watchScope(window.state(), "start")) {
            if (value.name == name)
                return std::string(watchKindName(value.kind)) + " " + value.text;
        }
        return "missing";
    }
    std::string field(std::string_view name, std::string_view key) const
    {
        for (const WatchValue& value : watchScope(window.state(), "start")) {
            for (const WatchField& entry : value.fields) {
                if (value.name == name && entry.key == key)
                    return entry.value;
            }
        }
        return "missing";
    }
};

TEST_F(WatchValues, EachKindShowsWhatDefinesIt)
{
    start({"void start()", "A=point(100,50)", "B=point(300,150)", "C=point(100,250)", "l=line(A,B)",
           "u=line(A,C)", "s=segment(A,B)", "h=HalfLine(A,B)", "k=circle(A,B)", "d=distance(A,C)",
           "e=12.5", "END"});
    EXPECT_EQ(shown("A"), "point (100, 50)");
    EXPECT_EQ(shown("l"), "line y = 0.5·x");
    EXPECT_EQ(shown("u"), "line x = 100");
    EXPECT_EQ(shown("s"), "segment length 223.606797749978969");
    EXPECT_EQ(shown("h"), "halfLine from (100, 50) through (300, 150)");
    EXPECT_EQ(shown("k"), "circle centre (100, 50), radius 223.606797749978969");
    EXPECT_EQ(shown("d"), "distance 200");
    EXPECT_EQ(shown("e"), "distance 12.5");
    // The fields carry every digit, under the run's JSON keys.
    EXPECT_EQ(field("A", "x"), "100.000000000000000");
    EXPECT_EQ(field("k", "r"), "223.606797749978969");
    EXPECT_EQ(field("l", "x2"), "300.000000000000000");
}

TEST_F(WatchValues, LineEquationsWithNegativeAndFractionalParts)
{
    start({"void start()", "A=point(0,10)", "B=point(4,9)", "l=line(A,B)", "C=point(2,0)",
           "D=point(3,3)", "m=line(C,D)", "END"});
    EXPECT_EQ(shown("l"), "line y = -0.25·x + 10");
    EXPECT_EQ(shown("m"), "line y = 3·x - 6");
}

TEST_F(WatchValues, FiguresOfDimensionTwo)
{
    start({"void start()", "A=point(100,100)", "B=point(200,100)", "C=point(150,200)",
           "p=polygon(A,B,C)", "v=vector(A,B)", "t=String($hello)", "END"});
    EXPECT_EQ(shown("p"), "polygon 3 vertices");
    EXPECT_EQ(shown("v"), "vector (100, 0)");
    EXPECT_EQ(shown("t"), "string \"hello\"");
}

TEST_F(WatchValues, ScopeHoldsItsOwnNamesAndTheLastObjectOfEachName)
{
    start({"void f(point P)", "Q=point(5,5)", "Break(1)", "END", "void start()", "A=point(1,1)",
           "A=point(2,2)", "f(A)", "END"});
    ASSERT_TRUE(window.paused());
    std::vector<WatchValue> inner = watchScope(window.state(), "f");
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[0].name, "P");
    EXPECT_EQ(inner[0].text, "(2, 2)");
    EXPECT_EQ(inner[1].name, "Q");
    std::vector<WatchValue> outer = watchScope(window.state(), "start");
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].text, "(2, 2)");
}

TEST_F(WatchValues, EachProcedureShowsTheOutcomeOfItsLastCondition)
{
    start({"void f(point P)", "if P == P then", "Break(1)", "END", "void start()", "A=point(1,1)",
           "B=point(5,5)", "if A == B then StartIf", "EndOfIf", "f(A)", "END"});
    ASSERT_TRUE(window.paused());
    std::vector<StackEntry> stack = window.interpreter().callStack();
    ASSERT_EQ(stack.size(), 2u);
    // The condition comes first, written with the language's yes and no.
    std::vector<WatchValue> inner = watchFrame(window.state(), stack[0]);
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[0].kind, WatchKind::Condition);
    EXPECT_EQ(inner[0].name, "P==P");
    EXPECT_EQ(inner[0].text, "yes");
    EXPECT_EQ(inner[1].name, "P");
    std::vector<WatchValue> outer = watchFrame(window.state(), stack[1]);
    ASSERT_FALSE(outer.empty());
    EXPECT_EQ(outer[0].name, "A==B");
    EXPECT_EQ(outer[0].text, "no");
    EXPECT_EQ(outer[0].kindName, "condition");
}

TEST_F(WatchValues, AProcedureThatRanNoConditionShowsOnlyItsNames)
{
    start({"void start()", "A=point(1,1)", "Break(1)", "END"});
    ASSERT_TRUE(window.paused());
    std::vector<WatchValue> values =
        watchFrame(window.state(), window.interpreter().callStack()[0]);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "A");
}

TEST_F(WatchValues, LinearEquationsLeaveOutZeroAndUnitCoefficients)
{
    LongNum two = LongNum::fromInteger(2);
    LongNum one = LongNum::fromInteger(1);
    LongNum minusOne = LongNum::fromInteger(-1);
    LongNum zero;
    EXPECT_EQ(watchEquation({{&two, "x"}, {&zero, "y"}, {&minusOne, "z"}}, one), "2·x - z = 1");
    EXPECT_EQ(watchEquation({{&minusOne, "x"}, {&one, "y"}}, zero), "-x + y = 0");
    EXPECT_EQ(watchEquation({{&zero, "x"}}, two), "0 = 2");
    EXPECT_EQ(watchCount(1, "%1 face", "%1 faces"), "1 face");
    EXPECT_EQ(watchCount(6, "%1 face", "%1 faces"), "6 faces");
}

TEST(WatchTexts, ShortenedAndTrimmed)
{
    struct Case {
        std::string_view text;
        std::size_t width;
        std::string_view expected;
    };
    const Case cases[] = {
        {"12345", 5, "12345"},
        {"123456", 5, "1234…"},
        {"y = 0.5·x + 3", 9, "y = 0.5·…"},
        {"", 3, ""},
    };
    for (const Case& entry : cases)
        EXPECT_EQ(shortenedText(entry.text, entry.width), entry.expected) << entry.text;
    EXPECT_EQ(trimmedDecimal("12.500000"), "12.5");
    EXPECT_EQ(trimmedDecimal("-3.000"), "-3");
    EXPECT_EQ(trimmedDecimal("-0.000"), "0");
    EXPECT_EQ(trimmedDecimal("100"), "100");
}

} // namespace
} // namespace kestrane::testing
