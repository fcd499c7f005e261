// SPDX-License-Identifier: GPL-3.0-or-later
// Every exponent k/d with d <= 9 is written with roots of rising degree whose
// exponents add up to k/d, one root per degree.
#include "algebra/exact_fraction.h"
#include "algebra/radical_fold.h"

#include <gtest/gtest.h>

#include <numeric>
#include <regex>

namespace kestrane {
namespace {

// The exponent of 2 that a written product of roots of powers of 2 stands
// for, e.g. "sqrt(2)*root(4,2)" is 3/4; degrees must rise.
SmallRational writtenExponent(const std::string& text)
{
    static const std::regex root(R"((?:sqrt\((\d+)\)|root\((\d),(\d+)\)))");
    SmallRational sum;
    int lastDegree = 0;
    std::string rest = text;
    for (std::smatch match; std::regex_search(rest, match, root); rest = match.suffix()) {
        int degree = match[1].matched ? 2 : std::stoi(match[2]);
        std::int64_t radicand = std::stoll(match[1].matched ? match[1].str() : match[3].str());
        int copies = 0;
        for (; radicand > 1 && radicand % 2 == 0; radicand /= 2)
            ++copies;
        EXPECT_EQ(radicand, 1) << text;
        EXPECT_GT(degree, lastDegree) << text;
        EXPECT_LT(copies, degree) << text;
        lastDegree = degree;
        sum = sum + SmallRational(copies, degree);
    }
    return sum;
}

TEST(RadicalFoldTest, EveryFoldAddsUpToItsExponent)
{
    for (int denominator = 2; denominator <= kMaxRootDegree; ++denominator) {
        for (int numerator = 1; numerator < denominator; ++numerator) {
            if (std::gcd(numerator, denominator) != 1)
                continue;
            SmallRational sum;
            int lastDegree = 0;
            for (RootPower root : foldExponent(numerator, denominator)) {
                EXPECT_GT(root.degree, lastDegree);
                lastDegree = root.degree;
                sum = sum + SmallRational(root.copies, root.degree);
            }
            EXPECT_EQ(sum, SmallRational(numerator, denominator))
                << numerator << "/" << denominator;

            // The same through the written root of 2^k.
            ExactFraction value =
                ExactFraction(ExactRational(std::int64_t{1} << numerator)).root(denominator, {});
            std::string text = value.normalised().toText();
            EXPECT_EQ(writtenExponent(text), SmallRational(numerator, denominator)) << text;
        }
    }
}

TEST(RadicalFoldTest, TheFoldsOfTheRules)
{
    struct Case {
        int numerator;
        int denominator;
        const char* text;
    };
    const Case cases[] = {
        {3, 4, "sqrt(2)*root(4,2)"},   {5, 6, "sqrt(2)*root(3,2)"},
        {2, 3, "root(3,4)"},           {7, 8, "sqrt(2)*root(4,2)*root(8,2)"},
        {5, 9, "root(3,2)*root(9,4)"}, {8, 9, "root(3,4)*root(9,4)"},
        {4, 5, "root(5,16)"},
    };
    for (const Case& c : cases) {
        ExactFraction value =
            ExactFraction(ExactRational(std::int64_t{1} << c.numerator)).root(c.denominator, {});
        EXPECT_EQ(value.normalised().toText(), c.text) << c.numerator << "/" << c.denominator;
    }
    // Several primes share the root of each degree.
    ExactFraction product = ExactFraction(ExactRational(8 * 9)).root(4, {});
    EXPECT_EQ(product.normalised().toText(), "sqrt(6)*root(4,2)");
}

} // namespace
} // namespace kestrane
