// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/numeric_eval.h"
#include "expressions/expression_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace kestrane {
namespace {

using testing::parsed;
using Complex = std::complex<float>;

struct ComplexCase {
    const char* text;
    Complex at;
    std::optional<Complex> expected;
};

class ComplexEvalTest : public ::testing::TestWithParam<ComplexCase> {};

TEST_P(ComplexEvalTest, EvaluatesOrFails)
{
    const ComplexCase& test = GetParam();
    auto tree = parsed(test.text);
    ASSERT_TRUE(tree);
    std::optional<Complex> value = NumericProgram::compileComplex(*tree).evaluateComplex(test.at);
    if (!test.expected) {
        EXPECT_FALSE(value) << test.text << " gave " << value->real() << ", " << value->imag();
        return;
    }
    ASSERT_TRUE(value) << test.text;
    EXPECT_NEAR(value->real(), test.expected->real(), 1e-5f) << test.text;
    EXPECT_NEAR(value->imag(), test.expected->imag(), 1e-5f) << test.text;
}

INSTANTIATE_TEST_SUITE_P(Arithmetic, ComplexEvalTest,
                         ::testing::Values(ComplexCase{"z^2+1", {1, 1}, Complex{1, 2}},
                                           ComplexCase{"z*z-z", {0, 1}, Complex{-1, -1}},
                                           ComplexCase{"i*i", {0, 0}, Complex{-1, 0}},
                                           ComplexCase{"(1+i)/(1-i)", {0, 0}, Complex{0, 1}},
                                           ComplexCase{"z^3", {0, 1}, Complex{0, -1}},
                                           ComplexCase{"z^(-2)", {0, 2}, Complex{-0.25f, 0}},
                                           ComplexCase{"pi*z", {0, 1}, Complex{0, 3.1415927f}}));

INSTANTIATE_TEST_SUITE_P(
    PrincipalValues, ComplexEvalTest,
    ::testing::Values(ComplexCase{"sqrt(z)", {-4, 0}, Complex{0, 2}},
                      ComplexCase{"z^(1/2)", {-4, 0}, Complex{0, 2}},
                      // The principal cube root of -8, not the real -2.
                      ComplexCase{"root(3,z)", {-8, 0}, Complex{1, 1.7320508f}},
                      ComplexCase{"log(z)", {-1, 0}, Complex{0, 3.1415927f}},
                      ComplexCase{"exp(i*pi)", {0, 0}, Complex{-1, 0}},
                      ComplexCase{"sin(z)^2+cos(z)^2", {0.5f, 0.5f}, Complex{1, 0}},
                      ComplexCase{"acot(0)", {0, 0}, Complex{1.57079f, 0}},
                      ComplexCase{"sqrt(z)", {0, 0}, Complex{0, 0}},
                      ComplexCase{"z^0", {0, 0}, Complex{1, 0}}));

INSTANTIATE_TEST_SUITE_P(FailedPoints, ComplexEvalTest,
                         ::testing::Values(ComplexCase{"1/z", {0, 0}, std::nullopt},
                                           ComplexCase{"z^(-1)", {0, 0}, std::nullopt},
                                           ComplexCase{"log(z)", {0, 0}, std::nullopt},
                                           ComplexCase{"z^(1/2)", {0, 0}, std::nullopt},
                                           ComplexCase{"exp(z)", {200, 0}, std::nullopt},
                                           ComplexCase{"cot(z)", {0, 0}, std::nullopt},
                                           // x is a name like any other here, without a value.
                                           ComplexCase{"x+z", {1, 0}, std::nullopt}));

TEST(ComplexEval, InverseFunctionsHaveValuesOutsideTheRealDomain)
{
    auto tree = parsed("acos(z)+asin(z)");
    std::optional<Complex> value = NumericProgram::compileComplex(*tree).evaluateComplex({2, 0});
    ASSERT_TRUE(value);
    EXPECT_NEAR(value->real(), 1.5707964f, 1e-5f);
    EXPECT_NEAR(value->imag(), 0.0f, 1e-5f);
    // The real evaluation of the same tree fails there.
    EXPECT_FALSE(NumericProgram::compile(*tree).evaluate(2));
}

TEST(ComplexEval, RealAndComplexProgramsStayApart)
{
    auto tree = parsed("x+1");
    NumericProgram real = NumericProgram::compile(*tree);
    EXPECT_EQ(real.evaluate(1), 2.0f);
    EXPECT_FALSE(real.evaluateComplex({1, 0}));
    auto analytic = parsed("z+i");
    NumericProgram complex = NumericProgram::compileComplex(*analytic);
    EXPECT_FALSE(complex.evaluate(1));
    // i has no real value.
    EXPECT_FALSE(NumericProgram::compile(*analytic).evaluate(1));
}

TEST(ComplexEval, NamesReadTheirDefinitionsInZ)
{
    auto tree = parsed("a*a");
    auto definition = parsed("z+i");
    NumericProgram program = NumericProgram::compileComplex(
        *tree, [&](std::string_view name) { return name == "a" ? definition.get() : nullptr; });
    std::optional<Complex> value = program.evaluateComplex({1, 0});
    ASSERT_TRUE(value);
    EXPECT_NEAR(value->real(), 0.0f, 1e-6f);
    EXPECT_NEAR(value->imag(), 2.0f, 1e-6f);
}

} // namespace
} // namespace kestrane
