// SPDX-License-Identifier: GPL-3.0-or-later
// The complex functions of the calculator at z = 1 + i, against values from
// Python's mpmath (mp.dps = 30). They are built from the real operations, so
// they are checked to 1e-13 at 28 words rather than to the last word.
#include "numbers/long_num.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace kestrane {
namespace {

double valueOf(const LongNum& a)
{
    return std::stod(LongToDecimal(a));
}

TEST(ComplexFunctionsTest, ValuesAtOnePlusI)
{
    LongWordsScope scope(28);
    using Unary = std::function<void(const LongComplex&, LongComplex&)>;
    struct Case {
        const char* name;
        Unary function;
        double re;
        double im;
    };
    const Case cases[] = {
        {"sin", ComplexSin, 1.2984575814159772948, 0.63496391478473610826},
        {"cos", ComplexCos, 0.83373002513114904888, -0.98889770576286509638},
        {"tan", ComplexTan, 0.27175258531951171653, 1.0839233273386945435},
        {"cot", ComplexCot, 0.21762156185440268137, -0.86801414289592494864},
        {"exp", ComplexExp, 1.4686939399158851571, 2.2873552871788423912},
        {"ln", ComplexLn, 0.34657359027997265471, 0.78539816339744830962},
        {"arcsin", ComplexArcsin, 0.6662394324925152551, 1.061275061905035652},
        {"arccos", ComplexArccos, 0.90455689430238136413, -1.061275061905035652},
        {"arctan", ComplexArctan, 1.0172219678978513677, 0.40235947810852509365},
        {"arccot", ComplexArccot, 0.55357435889704525151, -0.40235947810852509365},
        {"cube root", [](const LongComplex& z, LongComplex& out) { ComplexRoot(z, 3, out); },
         1.0842150814913511819, 0.2905145555072514445},
    };
    LongComplex z{LongNum::fromInteger(1), LongNum::fromInteger(1)};
    for (const Case& c : cases) {
        LongComplex result;
        c.function(z, result);
        EXPECT_NEAR(valueOf(result.re), c.re, 1e-13) << c.name;
        EXPECT_NEAR(valueOf(result.im), c.im, 1e-13) << c.name;
    }
}

TEST(ComplexFunctionsTest, ArithmeticAndBranches)
{
    LongComplex out;
    ComplexMul({*LongParse("1"), *LongParse("2")}, {*LongParse("3"), *LongParse("-4")}, out);
    EXPECT_EQ(LongToDecimal(out.re), "11.000000000000000");
    EXPECT_EQ(LongToDecimal(out.im), "2.000000000000000");
    ComplexDiv({*LongParse("11"), *LongParse("2")}, {*LongParse("3"), *LongParse("-4")}, out);
    EXPECT_EQ(LongToDecimal(out.re), "1.000000000000000");
    EXPECT_EQ(LongToDecimal(out.im), "2.000000000000000");
    // The angle of the negative real axis is pi, of the negative imaginary
    // axis -pi/2.
    ComplexLn({*LongParse("-1"), *LongParse("0")}, out);
    EXPECT_EQ(LongToDecimal(out.im), "3.141592653589793");
    ComplexLn({*LongParse("0"), *LongParse("-2")}, out);
    EXPECT_EQ(LongToDecimal(out.re), "0.693147180559945");
    EXPECT_EQ(LongToDecimal(out.im), "-1.570796326794896");
}

} // namespace
} // namespace kestrane
