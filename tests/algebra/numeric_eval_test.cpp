// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"
#include "expressions/expression_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace kestrane {
namespace {

using testing::parsed;

struct ValueCase {
    const char* text;
    float at;
    std::optional<float> expected;
};

class NumericEvalTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumericEvalTest, EvaluatesOrFails)
{
    const ValueCase& test = GetParam();
    auto tree = parsed(test.text);
    ASSERT_TRUE(tree);
    std::optional<float> value = evaluateExpression(*tree, test.at);
    if (!test.expected) {
        EXPECT_FALSE(value) << test.text << " at " << test.at << " gave " << *value;
        return;
    }
    ASSERT_TRUE(value) << test.text << " at " << test.at;
    EXPECT_NEAR(*value, *test.expected, 1e-4f * std::max(1.0f, std::fabs(*test.expected)))
        << test.text << " at " << test.at;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, NumericEvalTest,
    ::testing::Values(ValueCase{"2+3*x", 2, 8.0f}, ValueCase{"x-5", 2, -3.0f},
                      ValueCase{"1-2-3", 0, -4.0f}, ValueCase{"x/4", 2, 0.5f},
                      ValueCase{"(x+1)*(x-1)", 3, 8.0f}, ValueCase{"-x^2", 3, -9.0f},
                      ValueCase{"(-x)^2", 3, 9.0f}, ValueCase{"x-(-3)", 1, 4.0f},
                      ValueCase{"-(x+1)", 1, -2.0f}, ValueCase{"2-(x+1)", 1, 0.0f},
                      ValueCase{"0.25", 0, 0.25f}, ValueCase{"pi", 0, 3.14159265f},
                      ValueCase{"2^(x+1)", 2, 8.0f}, ValueCase{"(1+x)/(1-x)", 3, -2.0f}));

INSTANTIATE_TEST_SUITE_P(
    PowersAndRoots, NumericEvalTest,
    ::testing::Values(ValueCase{"x^(1/3)", -8, -2.0f}, ValueCase{"x^(1/2)", -4, std::nullopt},
                      ValueCase{"x^(2/3)", -8, 4.0f}, ValueCase{"x^(2/4)", -4, std::nullopt},
                      ValueCase{"x^(-1/3)", -8, -0.5f}, ValueCase{"x^3", -2, -8.0f},
                      ValueCase{"x^0.5", 4, 2.0f}, ValueCase{"x^0.5", -4, std::nullopt},
                      ValueCase{"0^(2/3)", 0, 0.0f}, ValueCase{"x^(2/3)", 0, 0.0f},
                      ValueCase{"x^0", 0, 1.0f}, ValueCase{"x^(-2)", 0, std::nullopt},
                      ValueCase{"(-2)^x", 2, std::nullopt}, ValueCase{"sqrt(x+1)", 3, 2.0f},
                      ValueCase{"sqrt(x)+1", 4, 3.0f}, ValueCase{"sqrt(x)", -1, std::nullopt},
                      ValueCase{"sqrt(x)", 0, 0.0f}, ValueCase{"root(3,x)", -27, -3.0f},
                      ValueCase{"root(4,x)", -16, std::nullopt},
                      ValueCase{"sqrt(sqrt(x))", 16, 2.0f}, ValueCase{"-sqrt(x)", 9, -3.0f},
                      ValueCase{"1-sqrt(x)", 9, -2.0f}));

INSTANTIATE_TEST_SUITE_P(
    Functions, NumericEvalTest,
    ::testing::Values(
        ValueCase{"exp(x)", 1, 2.7182818f}, ValueCase{"log(x)", 0, std::nullopt},
        ValueCase{"log(x)", -1, std::nullopt}, ValueCase{"log(exp(x))", 2, 2.0f},
        ValueCase{"sin(x)", 0.5f, std::sin(0.5f)}, ValueCase{"cos(x)^2+sin(x)^2", 0.7f, 1.0f},
        ValueCase{"tan(x)", 0.3f, std::tan(0.3f)}, ValueCase{"cot(x)", 0.3f, 1 / std::tan(0.3f)},
        ValueCase{"cot(x)", 0, std::nullopt}, ValueCase{"acos(x)", 1.5f, std::nullopt},
        ValueCase{"asin(x)", -1.5f, std::nullopt}, ValueCase{"acos(x)", 1, 0.0f},
        ValueCase{"atan(x)", 1, 0.78539816f}, ValueCase{"acot(x)", 0, 1.57079f},
        ValueCase{"-sin(x)", 0.5f, -std::sin(0.5f)},
        ValueCase{"2*sin(x+1)", 0, 2 * std::sin(1.0f)}));

INSTANTIATE_TEST_SUITE_P(Undefined, NumericEvalTest,
                         ::testing::Values(ValueCase{"1/x", 0, std::nullopt},
                                           ValueCase{"1/(x-x)", 3, std::nullopt},
                                           ValueCase{"exp(x)", 200, std::nullopt},
                                           ValueCase{"x*x*x*x*x*x", 1e10f, std::nullopt},
                                           ValueCase{"i", 0, std::nullopt},
                                           ValueCase{"a+1", 0, std::nullopt},
                                           ValueCase{"?+1", 0, std::nullopt}));

TEST(NumericEval, NamesReadTheirDefinitionsWithTheSameVariable)
{
    std::map<std::string, std::unique_ptr<FractNode>> table;
    table["a"] = parsed("2*x");
    table["b"] = parsed("a+m");
    table["m"] = parsed("10");
    table["c"] = parsed("c+1");
    DefinitionLookup lookup = [&](std::string_view name) -> const FractNode* {
        auto found = table.find(std::string(name));
        return found == table.end() ? nullptr : found->second.get();
    };
    auto tree = parsed("b*a");
    NumericProgram program = NumericProgram::compile(*tree, lookup);
    ASSERT_TRUE(program.valid());
    EXPECT_FLOAT_EQ(*program.evaluate(3), 96.0f);
    EXPECT_FLOAT_EQ(*program.evaluate(0), 0.0f);
    // A name defined through itself has no value; the exponent's name counts
    // as involving x when its definition does.
    EXPECT_FALSE(evaluateExpression(*parsed("c"), 0, lookup));
    EXPECT_FALSE(evaluateExpression(*parsed("(-2)^a"), 1, lookup));
    EXPECT_FLOAT_EQ(*evaluateExpression(*parsed("(-2)^(m/5)"), 0, lookup), 4.0f);
    // I is -1 whatever the table says; the text notation cannot spell it.
    table["I"] = parsed("5");
    EXPECT_FLOAT_EQ(*evaluateExpression(*FractNode::makeLeaf("I"), 0, lookup), -1.0f);
}

TEST(NumericEval, LeavesTheTreeAsItWas)
{
    auto tree = parsed("sqrt(x+1)*sin(x)^2");
    std::string before = printExpressionText(*tree);
    NumericProgram program = NumericProgram::compile(*tree);
    EXPECT_TRUE(program.evaluate(1.5f));
    EXPECT_EQ(printExpressionText(*tree), before);
}

} // namespace
} // namespace kestrane
