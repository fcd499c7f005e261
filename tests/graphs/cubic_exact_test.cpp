// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/cubic_function.h"
#include "graphs/script_expressions.h"
#include "numbers/long_values.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrane {
namespace {

using Texts = std::vector<std::string>;

Polynomial solved(const Texts& coefficients, RootKinds kinds = RootKinds::NumericAndExact)
{
    std::vector<std::unique_ptr<FractNode>> trees;
    for (const std::string& text : coefficients)
        trees.push_back(parseExpressionText(text).tree);
    return makePolynomial(std::move(trees), nullptr, kinds);
}

Texts exactTexts(const Polynomial& polynomial)
{
    Texts texts;
    for (const ExactRoot& root : polynomial.exact)
        texts.push_back(printExpressionText(*root.expression));
    return texts;
}

TEST(ExactRoots, RationalRootsAndTheDeflatedQuadratic)
{
    struct Case {
        const char* name;
        Texts coefficients;
        Texts roots;
    } cases[] = {
        {"three integers", {"1", "-6", "11", "-6"}, {"1", "2", "3"}},
        {"fractions", {"4", "0", "-1", "0"}, {"-1/2", "0", "1/2"}},
        {"one rational root", {"2", "0", "-3", "1"}, {"(-1-sqrt(3))/2", "(sqrt(3)-1)/2", "1"}},
        {"a rational root and a pair", {"1", "-1", "1", "-1"}, {"1", "i", "-i"}},
        {"a double root", {"1", "1", "-1", "-1"}, {"-1", "-1", "1"}},
        {"a triple root", {"1", "-3", "3", "-1"}, {"1", "1", "1"}},
        {"rational coefficients", {"1/2", "-3/2", "1", "0"}, {"0", "1", "2"}},
        {"a quadratic with a surd", {"1", "0", "-8"}, {"-2*sqrt(2)", "2*sqrt(2)"}},
        {"a quadratic with a square discriminant", {"6", "-5", "1"}, {"1/3", "1/2"}},
        {"a complex quadratic", {"1", "2", "5"}, {"2*i-1", "-1-2*i"}},
    };
    for (const Case& test : cases)
        EXPECT_EQ(exactTexts(solved(test.coefficients)), test.roots) << test.name;
}

// The exact roots are in the simplifier's normal form: no term is left
// over from the formula (a zero cube root, a zero shift), and a root reads
// as simplify writes it.
TEST(ExactRoots, AreWrittenInTheNormalForm)
{
    struct Case {
        const char* name;
        Texts coefficients;
        const char* realRoot;
    } cases[] = {
        {"cube root of a third", {"3", "0", "0", "-1"}, "root(3,9)/3"},
        {"cube root of two sevenths", {"7", "0", "0", "-2"}, "root(3,98)/7"},
        {"a shifted cube root", {"1", "-1", "1/3", "-5"}, "(1+root(3,134))/3"},
        {"one real root",
         {"1", "0", "1", "1"},
         "(root(3,12*sqrt(93)-108)-root(3,108+12*sqrt(93)))/6"},
    };
    for (const Case& test : cases) {
        Texts roots = exactTexts(solved(test.coefficients));
        ASSERT_EQ(roots.size(), 3u) << test.name;
        EXPECT_EQ(roots[0], test.realRoot) << test.name;
        for (const std::string& root : roots) {
            EXPECT_EQ(root.find("+0"), std::string::npos) << root;
            std::unique_ptr<FractNode> tree = parseExpressionText(root).tree;
            ASSERT_TRUE(tree) << root;
            EXPECT_EQ(printExpressionText(*simplifiedForScript(*tree)), root) << test.name;
        }
    }
}

// Coefficients near the two-word limit give simplified roots, or none and
// the reason, never a formula left as it was written.
TEST(ExactRoots, LargeCoefficientsGiveSimplifiedRootsOrTheOverflow)
{
    Polynomial deflated = solved({"2147483647", "-2147483648", "2147483647", "-2147483648"});
    EXPECT_EQ(exactTexts(deflated), (Texts{"2147483648/2147483647", "i", "-i"}));
    EXPECT_FALSE(deflated.exactProblem);

    for (const Texts& coefficients :
         {Texts{"1000003", "1", "1", "1"}, Texts{"999999999", "7", "5", "-3"},
          Texts{"123456789", "987654321", "123456787"}}) {
        Polynomial polynomial = solved(coefficients);
        EXPECT_EQ(polynomial.roots.size(), coefficients.size() - 1) << coefficients[0];
        EXPECT_TRUE(polynomial.exact.empty()) << coefficients[0];
        ASSERT_TRUE(polynomial.exactProblem) << coefficients[0];
        EXPECT_EQ(polynomial.exactProblem->text, "Too large numbers. Major error may occur.");
    }
}

TEST(ExactRoots, CasusIrreducibilisUsesTheUnitRoot)
{
    Polynomial cubic = solved({"1", "0", "-3", "1"});
    ASSERT_EQ(cubic.exact.size(), 3u);
    ASSERT_EQ(cubic.roots.size(), 3u);
    for (std::size_t index = 0; index < 3; ++index) {
        const ExactRoot& root = cubic.exact[index];
        // Numbered as k = 1, 2, 0 in eps^k u + eps^2k v: the last has no eps.
        if (index == 2) {
            EXPECT_TRUE(root.values.empty());
            EXPECT_EQ(root.value, cubic.roots[index].text);
            continue;
        }
        EXPECT_NE(printExpressionText(*root.expression).find("ε"), std::string::npos);
        ASSERT_EQ(root.values.size(), 1u);
        EXPECT_EQ(root.values[0].first, "ε");
        EXPECT_EQ(printExpressionText(*root.values[0].second), "(-1+i*sqrt(3))/2");
        EXPECT_EQ(root.value, cubic.roots[index].text) << index;
    }
}

TEST(ExactRoots, ValCubFunctMakesNone)
{
    Polynomial cubic = solved({"1", "-6", "11", "-6"}, RootKinds::Numeric);
    EXPECT_EQ(cubic.roots.size(), 3u);
    EXPECT_TRUE(cubic.exact.empty());
}

TEST(ExactRoots, TheBuiltAndSimplifiedPolynomials)
{
    Polynomial cubic = solved({"1", "0", "-1", "-2"});
    EXPECT_EQ(printExpressionText(*cubic.built), "1*x^3+0*x^2+(-1)*x+(-2)");
    EXPECT_EQ(printExpressionText(*cubic.simplified), "x^3-x-2");
    Polynomial quadratic = solved({"-1", "1/2", "0"});
    EXPECT_EQ(printExpressionText(*quadratic.simplified), "(x-2*x^2)/2");
}

// The decimal value of a root text, real and imaginary parts.
std::pair<std::string, std::string> parts(std::string text)
{
    std::string re = text;
    std::string im = "0";
    for (const char* marker : {"+  i *    ", "-  i *    "}) {
        std::size_t at = text.find(marker);
        if (at != std::string::npos) {
            re = text.substr(0, at);
            im = (marker[0] == '-' ? "-" : "") + text.substr(at + 10);
        }
    }
    if (re.starts_with("-     "))
        re = "-" + re.substr(6);
    return {re, im};
}

// Within 10^-40 of each other relative to the root's size.
bool agree(const std::string& a, const std::string& b)
{
    SolverPrecision precision;
    LongNum difference = minus(LongFromText(a), LongFromText(b));
    difference.setSign(kLongPlus);
    LongNum size = LongFromText(a);
    size.setSign(kLongPlus);
    LongNum bound = plus(LongNum::fromInteger(1), size);
    LongNum tolerance;
    tolerance[longIntegerWords() + 13] = 100; // 10^-40
    return LongGreaterEq(times(bound, tolerance), difference);
}

// The exact roots of random integer cubics and quadratics, evaluated at 50
// words, agree with the numeric roots to 40 digits and are numbered alike.
TEST(ExactRoots, AgreeWithTheNumericRootsOnRandomPolynomials)
{
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> coefficient(-20, 20);
    std::uniform_int_distribution<int> leading(1, 9);
    for (int round = 0; round < 500; ++round) {
        int degree = round % 2 == 0 ? 3 : 2;
        Texts coefficients{std::to_string(leading(random) * (round % 4 < 2 ? 1 : -1))};
        for (int index = 0; index < degree; ++index)
            coefficients.push_back(std::to_string(coefficient(random)));
        Polynomial polynomial = solved(coefficients);
        std::string name = "coefficients";
        for (const std::string& text : coefficients)
            name += ' ' + text;
        ASSERT_EQ(polynomial.roots.size(), static_cast<std::size_t>(degree)) << name;
        ASSERT_EQ(polynomial.exact.size(), polynomial.roots.size()) << name;
        for (std::size_t index = 0; index < polynomial.roots.size(); ++index) {
            const ExactRoot& exact = polynomial.exact[index];
            ASSERT_TRUE(exact.value) << name << " root " << index + 1;
            auto [exactRe, exactIm] = parts(*exact.value);
            const NumericRoot& numeric = polynomial.roots[index];
            EXPECT_TRUE(agree(exactRe, numeric.real))
                << name << " root " << index + 1 << ": " << *exact.value << " vs " << numeric.text;
            EXPECT_TRUE(agree(exactIm, numeric.imaginary))
                << name << " root " << index + 1 << ": " << *exact.value << " vs " << numeric.text;
        }
    }
}

} // namespace
} // namespace kestrane
