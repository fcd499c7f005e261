// SPDX-License-Identifier: GPL-3.0-or-later
// Long evaluation of expressions: exact powers, the guarded functions that
// end an evaluation, complex results and variables.
#include "algebra/long_eval.h"
#include "expressions/expression_test_support.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class LongEvalTest : public ::testing::Test {
protected:
    LongEvalTest() : m_words(50) {}

    std::optional<LongComplex> evaluate(const std::string& text,
                                        NumberField field = NumberField::Real)
    {
        auto tree = testing::parsed(text);
        return evaluateLong(*tree, m_variables, field, m_host);
    }

    std::string real(const std::string& text)
    {
        auto value = evaluate(text);
        return value ? LongToDecimal(value->re) : "none";
    }

    LongWordsScope m_words;
    ScriptedHost m_host;
    LongVariables m_variables;
};

std::string digitsOf(const std::string& decimal, std::size_t fractionDigits)
{
    std::size_t point = decimal.find('.');
    return decimal.substr(0, point + 1 + fractionDigits);
}

TEST_F(LongEvalTest, ComputesArithmeticInTheOrderOfTheNotation)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1+2*3", "7.000000"},    {"2*3/4", "1.500000"},   {"1/2/4", "0.125000"},
        {"-2^2", "-4.000000"},    {"2^-2", "0.250000"},    {"(1+2)^2", "9.000000"},
        {"2^3^2", "512.000000"},  {"(-2)^3", "-8.000000"}, {"root(3,-8)", "-2.000000"},
        {"sqrt(16)", "4.000000"}, {"0^0.5", "0.000000"},   {"acot(1)*4-pi", "0.000000"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(digitsOf(real(text), 6), expected) << text;
    EXPECT_TRUE(m_host.messages().empty());
}

TEST_F(LongEvalTest, IntegerPowersAreExactProducts)
{
    EXPECT_EQ(real("2^10"), LongToDecimal(LongNum::fromInteger(1024)));
    EXPECT_EQ(real("0.5^3"), LongToDecimal(LongFromText("0.125")));
    EXPECT_EQ(real("(-3)^-2*9"),
              // 1/9 keeps 24 of its 25 fraction words.
              LongToDecimal(LongFromText("0." + std::string(72, '9'))));
}

TEST_F(LongEvalTest, AMessageOnTheWayLeavesNoValue)
{
    const std::pair<const char*, const char*> cases[] = {
        {"sqrt(-4)", "Square root of negative number. Major error may occur."},
        {"log(0)", "Logarithm of zero. Argument out of range.\nMajor error may occur."},
        {"asin(2)",
         "Argument out of range for function arcsin(x) (inverse of sin(x)). Major error may "
         "occur."},
        {"1/0", "Division by zero. Major error may occur."},
        {"10^80", kTooLargeText},
        {"1/0.0000000000000000000000000000000000000000000000000000000000000000001"
         "*10^10",
         kTooLargeText},
        {"9999999999999999999999999999999999999999999999999999999999999999999999999",
         kTooLargeText},
        {"exp(1000)", kTooLargeText},
        {"(-8)^(1/3)", kNegativePowerText},
    };
    for (const auto& [text, message] : cases) {
        m_host.clearMessages();
        EXPECT_FALSE(evaluate(text)) << text;
        ASSERT_EQ(m_host.messages().size(), 1u) << text;
        EXPECT_EQ(m_host.messages()[0].text, message) << text;
    }
    EXPECT_EQ(longNumHost(), nullptr);
}

TEST_F(LongEvalTest, TheNegativeRealAxisLiesAtPlusPi)
{
    auto root = evaluate("sqrt(-4)", NumberField::Complex);
    ASSERT_TRUE(root);
    EXPECT_TRUE(LongIsZero(root->re));
    EXPECT_EQ(digitsOf(LongToDecimal(root->im), 20), "2.00000000000000000000");

    // -1 written as 0-1 has an imaginary part of either sign of zero.
    for (const char* text : {"log(-1)", "log(0-1)", "log(-1*(1+0*i))"}) {
        auto logarithm = evaluate(text, NumberField::Complex);
        ASSERT_TRUE(logarithm) << text;
        EXPECT_EQ(digitsOf(LongToDecimal(logarithm->im), 20), "3.14159265358979323846") << text;
    }
    auto square = evaluate("i*i", NumberField::Complex);
    ASSERT_TRUE(square);
    EXPECT_EQ(digitsOf(LongToDecimal(square->re), 3), "-1.000");
}

TEST_F(LongEvalTest, ImaginaryUnitNeedsComplexNumbers)
{
    EXPECT_FALSE(evaluate("2*i"));
    EXPECT_EQ(m_host.messages().size(), 1u);
}

TEST_F(LongEvalTest, VariablesAreEvaluatedThroughTheirTrees)
{
    auto x = testing::parsed("1/2");
    auto y = testing::parsed("x*4");
    auto loop = testing::parsed("z+1");
    m_variables = {{"x", x.get()}, {"y", y.get()}, {"z", loop.get()}};
    EXPECT_EQ(digitsOf(real("y+x"), 3), "2.500");
    EXPECT_EQ(real("z"), "none");
    EXPECT_EQ(real("w"), "none");
}

TEST_F(LongEvalTest, DefinitionsEvaluateTheirValue)
{
    EXPECT_EQ(digitsOf(real("a=3*3"), 3), "9.000");
}

} // namespace
} // namespace kestrane
