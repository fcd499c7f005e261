// SPDX-License-Identifier: GPL-3.0-or-later
// The normal form built directly from exact values: folded roots, collected
// terms, rationalised denominators, cancellation and the written form.
#include "algebra/exact_fraction.h"
#include "numbers/number_theory.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

std::vector<std::int32_t> somePrimes()
{
    std::vector<std::int32_t> primes;
    for (std::int32_t n = 2; n < 1000; ++n) {
        if (isPrime(n))
            primes.push_back(n);
    }
    return primes;
}

const std::vector<std::int32_t> kPrimes = somePrimes();

ExactFraction number(std::int64_t n)
{
    return ExactRational(n);
}

ExactFraction sqrtOf(const ExactFraction& value)
{
    return value.root(2, kPrimes);
}

ExactFraction rootOf(int degree, const ExactFraction& value)
{
    return value.root(degree, kPrimes);
}

ExactFraction name(const char* text)
{
    return ExactFraction::name(text);
}

std::string simplified(const ExactFraction& value)
{
    ExactFraction normal = value.normalised();
    return normal.failed() ? "failed" : normal.toText();
}

class NormalFormTest : public ::testing::Test {
protected:
    void SetUp() override { clearLongIntOverflow(); }
    void TearDown() override { clearLongIntOverflow(); }
};

TEST_F(NormalFormTest, RootsOfNumbers)
{
    struct Case {
        const char* what;
        ExactFraction value;
        const char* text;
    };
    const Case cases[] = {
        {"sqrt 12", sqrtOf(number(12)), "2*sqrt(3)"},
        {"fourth root of 9", rootOf(4, number(9)), "sqrt(3)"},
        {"sixth root of 8", rootOf(6, number(8)), "sqrt(2)"},
        {"ninth root of 2^6", rootOf(9, number(64)), "root(3,4)"},
        {"cube root of 4", rootOf(3, number(4)), "root(3,4)"},
        {"2^(3/4)", rootOf(4, number(8)), "sqrt(2)*root(4,2)"},
        {"2^(5/6)", rootOf(6, number(32)), "sqrt(2)*root(3,2)"},
        {"one root per degree", sqrtOf(number(2)) * sqrtOf(number(3)), "sqrt(6)"},
        {"cube root of -8", rootOf(3, number(-8)), "-2"},
        {"sqrt -4", sqrtOf(number(-4)), "2*i"},
        {"i squared", ExactFraction::imaginary() * ExactFraction::imaginary(), "-1"},
        {"sqrt of a fraction", sqrtOf(ExactRational(LongInt::fromInt(1), LongInt::fromInt(2))),
         "sqrt(2)/2"},
        {"decimal", ExactFraction::decimal("0.5") + ExactFraction::decimal("0.25"), "3/4"},
        {"sqrt 8 + sqrt 18 - sqrt 50", sqrtOf(number(8)) + sqrtOf(number(18)) - sqrtOf(number(50)),
         "0"},
        {"large prime square", sqrtOf(number(1000003LL * 1000003 * 5)), "1000003*sqrt(5)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simplified(c.value), c.text) << c.what;
}

TEST_F(NormalFormTest, RationalisedDenominators)
{
    ExactFraction one = number(1);
    ExactFraction two = sqrtOf(number(2));
    ExactFraction three = sqrtOf(number(3));
    ExactFraction five = sqrtOf(number(5));
    ExactFraction cubeTwo = rootOf(3, number(2));
    struct Case {
        const char* what;
        ExactFraction value;
        const char* text;
    };
    const Case cases[] = {
        {"1/sqrt 2", one / two, "sqrt(2)/2"},
        {"1/(1+sqrt 2)", one / (one + two), "sqrt(2)-1"},
        {"(2+sqrt 3)/(2-sqrt 3)", (number(2) + three) / (number(2) - three), "7+4*sqrt(3)"},
        {"2/sqrt 3 *3/5", number(6) / (three * number(5)), "(2*sqrt(3))/5"},
        {"1/(1+cbrt 2)", one / (one + cubeTwo), "(1-root(3,2)+root(3,4))/3"},
        {"1/(cbrt 4+cbrt 2+1)", one / (rootOf(3, number(4)) + cubeTwo + one), "root(3,2)-1"},
        {"(sqrt 2 + 1)^5", (two + one).raised(5), "41+29*sqrt(2)"},
        {"1/(1+1/(1+sqrt 2))", one / (one + one / (one + two)), "sqrt(2)/2"},
        {"sqrt(3+2 sqrt 2)", sqrtOf(number(3) + number(2) * two), "1+sqrt(2)"},
        {"(sqrt 6+sqrt 2)/4 - sqrt(2+sqrt 3)/2",
         (sqrtOf(number(6)) + two) / number(4) - sqrtOf(number(2) + three) / number(2), "0"},
        {"1/i", one / ExactFraction::imaginary(), "-i"},
        {"1/(1+i)", one / (one + ExactFraction::imaginary()), "(1-i)/2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simplified(c.value), c.text) << c.what;
    ExactFraction sum = one / (two + three + five);
    EXPECT_FALSE(sum.normalised().denominator().hasRoots());
}

TEST_F(NormalFormTest, NamesCancelAndOrder)
{
    ExactFraction x = name("x");
    ExactFraction y = name("y");
    ExactFraction one = number(1);
    struct Case {
        const char* what;
        ExactFraction value;
        const char* text;
    };
    const Case cases[] = {
        {"(x-1)^2", (x - one).raised(2), "x^2-2*x+1"},
        {"(x^2-1)/(x-1)", (x.raised(2) - one) / (x - one), "x+1"},
        {"(x^2+x)/x", (x.raised(2) + x) / x, "x+1"},
        {"x/(2x+2y)", x / (number(2) * x + number(2) * y), "x/(2*x+2*y)"},
        {"(x-1)/(x^2-1)", (x - one) / (x.raised(2) - one), "1/(x+1)"},
        {"(2x+4)/6", (number(2) * x + number(4)) / number(6), "(x+2)/3"},
        {"1/(1-x)", one / (one - x), "-1/(x-1)"},
        {"x^-2", x.raised(-2), "1/x^2"},
        {"1/(1+sqrt x)", one / (one + sqrtOf(x)), "(sqrt(x)-1)/(x-1)"},
        {"y*x^2 and x*y^2", x.raised(2) * y + y.raised(2) * x + number(2) * y, "x^2*y+x*y^2+2*y"},
        {"-1+sqrt 2 times x", (sqrtOf(number(2)) - one) * x, "x*sqrt(2)-x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simplified(c.value), c.text) << c.what;
}

// With names below the bar only square roots and i leave it.
TEST_F(NormalFormTest, NamesBesideRoots)
{
    ExactFraction x = name("x");
    ExactFraction one = number(1);
    ExactFraction two = sqrtOf(number(2));
    struct Case {
        const char* what;
        ExactFraction value;
        const char* text;
    };
    const Case cases[] = {
        {"1/(x+sqrt 2)", one / (x + two), "(x-sqrt(2))/(x^2-2)"},
        {"1/(x+cbrt 2) keeps its root", one / (x + rootOf(3, number(2))), "1/(x+root(3,2))"},
        {"1/(x+i)", one / (x + ExactFraction::imaginary()), "(x-i)/(x^2+1)"},
        {"(x^2-2)/(x-sqrt 2)", (x.raised(2) - number(2)) / (x - two), "x+sqrt(2)"},
        {"sqrt(4x^2)", sqrtOf(number(4) * x.raised(2)), "2*x"},
        {"sqrt x squared", sqrtOf(x) * sqrtOf(x), "x"},
        {"x^(3/2)", x.raised(3, 2, {}), "x*sqrt(x)"},
        {"roots of numbers before those of names", sqrtOf(number(2) * x), "sqrt(2)*sqrt(x)"},
        {"(-8)^(2/3)", number(-8).raised(2, 3, {}), "4"},
        {"(-8)^(1/3)", number(-8).raised(1, 3, {}), "-2"},
        {"zero over a root", number(0) / (one + two), "0"},
        {"a value over itself", (one + two) / (one + two), "1"},
        {"all terms negative", -(one + two), "-1-sqrt(2)"},
        {"x^2+xy+y^2", x.raised(2) + name("y").raised(2) + x * name("y"), "x^2+x*y+y^2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simplified(c.value), c.text) << c.what;
}

TEST_F(NormalFormTest, Refusals)
{
    struct Case {
        const char* what;
        ExactFraction value;
        ExactProblem problem;
    };
    const Case cases[] = {
        {"degree 10", rootOf(10, number(2)), ExactProblem::Unsupported},
        {"degree 12 from a product", rootOf(4, number(2)) * rootOf(3, number(2)),
         ExactProblem::Unsupported},
        {"fourth root of -4", rootOf(4, number(-4)), ExactProblem::Unsupported},
        {"fourth root of a negative sum", rootOf(4, number(1) - sqrtOf(number(5))),
         ExactProblem::Unsupported},
        {"division by zero", number(1) / (sqrtOf(number(8)) - number(2) * sqrtOf(number(2))),
         ExactProblem::DivisionByZero},
        {"too many terms",
         (name("a") + name("b") + name("c") + name("d") + name("e") + name("f") + name("g") +
          name("h") + number(1))
             .raised(5),
         ExactProblem::TooLarge},
        {"bad decimal", ExactFraction::decimal("1.2.3"), ExactProblem::Unsupported},
        {"huge power of a name", name("x").raised(3000000), ExactProblem::TooLarge},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.normalised().problem(), c.problem) << c.what;
}

TEST_F(NormalFormTest, DecimalsAreExact)
{
    struct Case {
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"0.5", "1/2"}, {"-1.25", "-5/4"}, {".5", "1/2"},
        {"3.", "3"},    {"2.500", "5/2"},  {"007", "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(simplified(ExactFraction::decimal(c.text)), c.value) << c.text;
    for (const char* bad : {"", ".", "-", "1.2.3", "1e5", "+1", "1,5"})
        EXPECT_TRUE(ExactFraction::decimal(bad).failed()) << bad;
    EXPECT_FALSE(longIntOverflow());
    (void)ExactFraction::decimal("0.12345678901234567");
    EXPECT_TRUE(longIntOverflow());
}

TEST_F(NormalFormTest, OverflowRaisesTheFlag)
{
    ExactFraction big = number(3000000000LL);
    (void)(big * big * big).normalised();
    EXPECT_TRUE(longIntOverflow());
}

} // namespace
} // namespace kestrane
