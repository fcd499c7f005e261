// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/cubic_function.h"
#include "graphs/cubic_solver.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

std::vector<std::unique_ptr<FractNode>> trees(const std::vector<std::string>& texts)
{
    std::vector<std::unique_ptr<FractNode>> result;
    for (const std::string& text : texts) {
        result.push_back(parseExpressionText(text).tree);
        EXPECT_TRUE(result.back()) << text;
    }
    return result;
}

std::vector<std::string> rootTexts(const std::vector<std::string>& coefficients,
                                   RootKinds kinds = RootKinds::Numeric)
{
    Polynomial polynomial = makePolynomial(trees(coefficients), nullptr, kinds);
    std::vector<std::string> texts;
    for (const NumericRoot& root : polynomial.roots)
        texts.push_back(root.text);
    return texts;
}

using Texts = std::vector<std::string>;

// Root texts: three digits a word, 45 decimals at most, leading and
// trailing zeros dropped, the sign set apart, an imaginary part behind
// "+  i *    " or "-  i *    ".
class RootText : public ::testing::Test {
protected:
    SolverPrecision precision;
};

TEST_F(RootText, PartsAreWrittenFromTheirFortyWords)
{
    struct Case {
        const char* value;
        const char* text;
    } cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"-0.000000000000000000000000000000000000000000000001", "0"},
        {"1.5", "1.5"},
        {"-2.25", "-     2.25"},
        {"1000", "1000"},
        {"0.001", "0.001"},
        {"123456789012345678901234567890.5", "123456789012345678901234567890.5"},
        {"0.123456789012345678901234567890123456789012345678",
         "0.123456789012345678901234567890123456789012346"},
    };
    for (const Case& test : cases) {
        LongNum value = cutToRootWords(LongFromText(test.value));
        EXPECT_EQ(rootPartText(value), test.text) << test.value;
    }
}

TEST_F(RootText, TheFirstDroppedWordRoundsAwayAboveHalf)
{
    struct Case {
        const char* value;
        const char* text;
    } cases[] = {
        // Word 40 holds the 46th to 48th decimals.
        {"0.000000000000000000000000000000000000000000001501",
         "0.000000000000000000000000000000000000000000002"},
        {"0.000000000000000000000000000000000000000000001500",
         "0.000000000000000000000000000000000000000000001"},
        {"-0.999999999999999999999999999999999999999999999501", "-     1"},
        {"1.999999999999999999999999999999999999999999999500",
         "1.999999999999999999999999999999999999999999999"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(rootPartText(cutToRootWords(LongFromText(test.value))), test.text) << test.value;
}

TEST_F(RootText, ComplexRootsNameTheSignOfTheImaginaryPart)
{
    EXPECT_EQ(rootText(LongFromText("0.5"), LongFromText("-2")), "0.5-  i *    2");
    EXPECT_EQ(rootText(LongFromText("-0.5"), LongFromText("2")), "-     0.5+  i *    2");
    EXPECT_EQ(rootText(LongFromText("-0"), LongFromText("-1.25")), "0-  i *    1.25");
    // An imaginary part that is zero in the root's words is not written.
    EXPECT_EQ(rootText(LongFromText("3"), LongFromText("-0")), "3");
}

// The numeric roots, numbered real ones ascending and then the pair with
// the positive imaginary part first.
TEST(NumericRoots, KnownPolynomials)
{
    struct Case {
        const char* name;
        Texts coefficients;
        Texts roots;
    } cases[] = {
        {"three rational roots", {"1", "-6", "11", "-6"}, {"1", "2", "3"}},
        {"a double root from rounding noise", {"1", "1", "-1", "-1"}, {"-     1", "-     1", "1"}},
        {"a triple root", {"1", "-3", "3", "-1"}, {"1", "1", "1"}},
        {"a triple root at zero", {"2", "0", "0", "0"}, {"0", "0", "0"}},
        {"casus irreducibilis",
         {"1", "0", "-3", "1"},
         {"-     1.879385241571816768108218554649462939872416269",
          "0.347296355333860697703433253538629592000751354",
          "1.532088886237956070404785301110833347871664914"}},
        {"one real root and a pair",
         {"1", "0", "1", "1"},
         {"-     0.682327803828019327369483739711048256891188582",
          "0.341163901914009663684741869855524128445594291+  i *    "
          "1.161541399997251936087917687247174074843147258",
          "0.341163901914009663684741869855524128445594291-  i *    "
          "1.161541399997251936087917687247174074843147258"}},
        {"a negative leading coefficient", {"-1", "6", "-11", "6"}, {"1", "2", "3"}},
        {"rational coefficients", {"1/2", "-3/2", "1", "0"}, {"0", "1", "2"}},
        {"a quadratic pair", {"1", "2", "5"}, {"-     1+  i *    2", "-     1-  i *    2"}},
        {"a quadratic double root", {"1", "-4", "4"}, {"2", "2"}},
        {"a pure imaginary pair", {"1", "0", "4"}, {"0+  i *    2", "0-  i *    2"}},
        // Parts computed as minus zero are written 0.
        {"zeros with a sign", {"-1", "0", "-4", "0"}, {"0", "0+  i *    2", "0-  i *    2"}},
        // The cancellation-free formula keeps the small root's digits.
        {"widely spread roots",
         {"1", "-100000000", "1"},
         // 1e-8 + 1e-24 + 2e-40 and 1e8 - 1e-8 - 1e-24 - 2e-40.
         {"0.0000000100000000000000010000000000000002",
          "99999999.9999999899999999999999989999999999999998"}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(rootTexts(test.coefficients), test.roots) << test.name;
}

// With no linear term in the depressed cubic (b^2 = 3ac) the roots are
// cube roots of a number: p = 0 is taken exactly, so no rounding noise
// comes back as a cube root 25 digits up, and equal roots are equal texts.
TEST(NumericRoots, EveryDigitIsRightWithoutALinearTerm)
{
    const Texts third(3, "-     0.333333333333333333333333333333333333333333333");
    const Texts twoThirds(3, "0.666666666666666666666666666666666666666666667");
    const Texts threeSevenths(3, "-     0.428571428571428571428571428571428571428571429");
    struct Case {
        const char* name;
        Texts coefficients;
        Texts roots;
    } cases[] = {
        {"(3x+1)^3", {"27", "27", "9", "1"}, third},
        {"(x-2/3)^3", {"1", "-2", "4/3", "-8/27"}, twoThirds},
        {"(7x+3)^3", {"343", "441", "189", "27"}, threeSevenths},
        {"3x^3 = 7",
         {"3", "0", "0", "-7"},
         {"1.326352402632130619888175995916255192828090674",
          "-     0.663176201316065309944087997958127596414045337+  i *    "
          "1.148654875049951264689858873832508564117063094",
          "-     0.663176201316065309944087997958127596414045337-  i *    "
          "1.148654875049951264689858873832508564117063094"}},
        {"(x+1/3)^3 = 4 + 1/27",
         {"1", "1", "1/3", "-4"},
         {"1.258952060345005654981244488377577195690449093",
          "-     1.129476030172502827490622244188788597845224546+  i *    "
          "1.378959601000347374204422993948158988722931167",
          "-     1.129476030172502827490622244188788597845224546-  i *    "
          "1.378959601000347374204422993948158988722931167"}},
        {"7x^3 = 2",
         {"7", "0", "0", "-2"},
         {"0.6586337560083495099535280139915249903569108",
          "-     0.3293168780041747549767640069957624951784554+  i *    "
          "0.570393564493192327998454524375121527341012355",
          "-     0.3293168780041747549767640069957624951784554-  i *    "
          "0.570393564493192327998454524375121527341012355"}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(rootTexts(test.coefficients), test.roots) << test.name;
}

TEST(NumericRoots, ALeadingZeroGivesNoRoots)
{
    Polynomial cubic =
        makePolynomial(trees({"0", "1", "2", "3"}), nullptr, RootKinds::NumericAndExact);
    EXPECT_TRUE(cubic.leadingZero);
    EXPECT_TRUE(cubic.roots.empty());
    EXPECT_TRUE(cubic.exact.empty());
    Polynomial quadratic =
        makePolynomial(trees({"1-1", "1", "2"}), nullptr, RootKinds::NumericAndExact);
    EXPECT_TRUE(quadratic.leadingZero);
    EXPECT_TRUE(quadratic.roots.empty());
}

TEST(NumericRoots, CoefficientsWithoutValuesGiveNoNumericRoots)
{
    Polynomial cubic =
        makePolynomial(trees({"1", "b", "0", "1"}), nullptr, RootKinds::NumericAndExact);
    EXPECT_FALSE(cubic.leadingZero);
    EXPECT_TRUE(cubic.roots.empty());
    ASSERT_EQ(cubic.exact.size(), 3u);
    for (const ExactRoot& root : cubic.exact)
        EXPECT_FALSE(root.value);
}

TEST(NumericRoots, CoefficientsWithoutAValueGiveNoRoots)
{
    Polynomial cubic =
        makePolynomial(trees({"i", "1", "1", "1"}), nullptr, RootKinds::NumericAndExact);
    EXPECT_FALSE(cubic.leadingZero);
    EXPECT_TRUE(cubic.roots.empty());
    EXPECT_TRUE(cubic.exact.empty());
}

// The solver works at 50 words and leaves the word count and the
// constants as they were.
TEST(NumericRoots, ThePrecisionIsRestored)
{
    LongWordsScope scope(24);
    std::string pi = LongToDecimal(LongPi());
    std::string ln2 = LongToDecimal(LongLn2());
    makePolynomial(trees({"1", "0", "-3", "1"}), nullptr, RootKinds::NumericAndExact);
    EXPECT_EQ(longWords(), 24);
    EXPECT_EQ(LongToDecimal(LongPi()), pi);
    EXPECT_EQ(LongToDecimal(LongLn2()), ln2);
    {
        SolverPrecision precision;
        EXPECT_EQ(longWords(), kSolverWords);
        EXPECT_EQ(LongPi().wordCount(), kSolverWords);
        EXPECT_EQ(LongLn2().wordCount(), kSolverWords);
    }
    EXPECT_EQ(longWords(), 24);
    EXPECT_EQ(LongPi().wordCount(), 24);
}

} // namespace
} // namespace kestrane
