// SPDX-License-Identifier: GPL-3.0-or-later
// The long-number engine against the operations it replaced (kept in
// baseline_*.cpp): the same words, signs and message boxes on random operands
// of every word count, overflow and guarded arguments included.
#include "baseline_long_num.h"
#include "numbers/long_num_random.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {
namespace {

using testing::RandomLongNums;
using testing::toWords;

using Binary = std::function<void(const LongNum&, const LongNum&, LongNum&)>;

struct Operation {
    const char* name;
    Binary current;
    Binary baseline;
    // Operands at 10 words; fewer at higher counts (see operandsFor).
    int operandsAt10;
    bool series;
};

template<void (*Current)(const LongNum&, LongNum&), void (*Baseline)(const LongNum&, LongNum&)>
Operation unary(const char* name, int at10, bool series = true)
{
    return {name, [](const LongNum& a, const LongNum&, LongNum& out) { Current(a, out); },
            [](const LongNum& a, const LongNum&, LongNum& out) { Baseline(a, out); }, at10, series};
}

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> list = {
        {"mul", LongMul, baseline::LongMul, 8000, false},
        {"mul in limbs", testing::multiplyInLimbs, baseline::LongMul, 4000, false},
        {"div", LongDiv, baseline::LongDiv, 8000, false},
        unary<LongSqrt, baseline::LongSqrt>("sqrt", 4000, false),
        {"root",
         [](const LongNum& a, const LongNum& b, LongNum& out) {
             LongRoot(a, 2 + b[b.wordCount() - 1] % 7, out);
         },
         [](const LongNum& a, const LongNum& b, LongNum& out) {
             baseline::LongRoot(a, 2 + b[b.wordCount() - 1] % 7, out);
         },
         500, true},
        {"ln", [](const LongNum& a, const LongNum&, LongNum& out) { LongLn(a, out); },
         [](const LongNum& a, const LongNum&, LongNum& out) { baseline::LongLn(a, out); }, 700,
         true},
        unary<LongExp, baseline::LongExp>("exp", 700),
        unary<LongSin, baseline::LongSin>("sin", 600),
        unary<LongCos, baseline::LongCos>("cos", 400),
        unary<LongTan, baseline::LongTan>("tan", 400),
        unary<LongCot, baseline::LongCot>("cot", 400),
        unary<LongArctan, baseline::LongArctan>("atan", 600),
        unary<LongArcsin, baseline::LongArcsin>("asin", 600),
        unary<LongArccos, baseline::LongArccos>("acos", 400),
    };
    return list;
}

// Operands per word count: in proportion to 10 / words for the exact
// operations and to its power 1.5 for the series, whose cost grows faster;
// about 100,000 over all word counts and operations.
int operandsFor(const Operation& operation, int words)
{
    double share = 10.0 / words;
    if (operation.series)
        share *= std::sqrt(share);
    return std::max(20, static_cast<int>(operation.operandsAt10 * share));
}

// Operands that meet the special ways: zero of either sign, one, exact squares
// and powers, values nearly one, multiples of pi, the largest number.
LongNum specialOperand(RandomLongNums& random, int index)
{
    LongNum value;
    switch (index % 8) {
    case 0:
        break;
    case 1:
        value = LongNum::fromInteger(random.pick(-3, 3));
        break;
    case 2: {
        LongNum root = random.next();
        for (int i = 0; i < root.wordCount() * 3 / 4; ++i)
            root[i] = 0;
        LongMul(root, root, value);
        break;
    }
    case 3: {
        value = LongNum::fromInteger(1);
        value[value.wordCount() - 1 - random.pick(0, 4)] = random.pick(0, 2);
        if (random.pick(0, 1))
            LongSub(LongNum::fromInteger(1), value, value);
        break;
    }
    case 4:
        LongMulSmallShift(LongPi(), random.pick(-8, 8), 0, value);
        LongHalve(value, value);
        break;
    case 5:
        for (int i = 0; i < value.wordCount(); ++i)
            value[i] = 999;
        break;
    case 6:
        value = LongNum::fromInteger(random.pick(1, 999999));
        LongDivSmall(value, 1000, value);
        break;
    default:
        value = random.next();
        break;
    }
    value.setSign(random.pick(0, 1) ? kLongMinus : kLongPlus);
    return value;
}

class DifferentialTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        setLongWords(GetParam());
        setLongNumHost(&m_host);
    }
    void TearDown() override
    {
        setLongNumHost(nullptr);
        setLongWords(kLongWordsAtStart);
    }

    // The message texts raised since the last call.
    std::vector<std::string> texts()
    {
        std::vector<std::string> result;
        for (const MessageRequest& request : m_host.messages())
            result.push_back(request.caption + "|" + request.text);
        m_host.clearMessages();
        return result;
    }

    ScriptedHost m_host;
};

TEST_P(DifferentialTest, ConstantsAreTheSame)
{
    EXPECT_EQ(toWords(LongPi()), toWords(baseline::LongPi()));
    EXPECT_EQ(toWords(LongLn2()), toWords(baseline::LongLn2()));
}

TEST_P(DifferentialTest, EveryOperationGivesTheSameWordsAndMessages)
{
    int words = GetParam();
    for (const Operation& operation : operations()) {
        RandomLongNums random(static_cast<unsigned>(words * 31) +
                              std::hash<std::string>()(operation.name));
        int count = operandsFor(operation, words);
        for (int round = 0; round < count; ++round) {
            LongNum a = round % 4 == 0 ? specialOperand(random, round / 4) : random.next();
            LongNum b = round % 5 == 0 ? specialOperand(random, round / 5) : random.next();
            // Both results start from the same leftover, which guarded
            // operations keep in part or whole.
            LongNum expected = random.next();
            LongNum actual = expected;
            operation.baseline(a, b, expected);
            std::vector<std::string> expectedTexts = texts();
            operation.current(a, b, actual);
            ASSERT_EQ(toWords(actual), toWords(expected))
                << operation.name << " at " << words << " words of " << LongToText(a) << " "
                << char(a.sign()) << " and " << LongToText(b) << " " << char(b.sign());
            ASSERT_EQ(texts(), expectedTexts) << operation.name << " of " << LongToText(a);
        }
    }
}

// Rows whose cut-off parts come within a unit of the last word of a whole
// (3 x 0.333..., 27 x 0.037037...) leave the product's dropped carry
// undecided by the leading tail words; the words must still be the same.
TEST_P(DifferentialTest, ProductsWhoseRowsDropNearlyWholeUnits)
{
    struct Pattern {
        int digit;
        const char* repeated;
    };
    const Pattern patterns[] = {{3, "333"}, {9, "111"}, {27, "037"}, {999, "999"}, {7, "142857"}};
    int words = GetParam();
    int fractionDigits = 3 * (words - words / 2);
    for (const Pattern& pattern : patterns) {
        std::string repeating = "0.";
        while (static_cast<int>(repeating.size()) < fractionDigits + 2)
            repeating += pattern.repeated;
        for (int last = 0; last < 4; ++last) {
            // The digit in every fraction word, or in all but the last few.
            LongNum a;
            for (int i = words / 2; i < words - last; ++i)
                a[i] = pattern.digit;
            LongNum b = LongFromText(repeating);
            b[words - 1 - last] += b[words - 1 - last] < 999 ? 1 : -1;
            for (const auto& [left, right] : {std::pair{a, b}, std::pair{b, a}}) {
                LongNum expected;
                LongNum actual;
                LongNum inLimbs;
                baseline::LongMul(left, right, expected);
                LongMul(left, right, actual);
                testing::multiplyInLimbs(left, right, inLimbs);
                ASSERT_EQ(toWords(actual), toWords(expected))
                    << LongToText(left) << " * " << LongToText(right);
                ASSERT_EQ(toWords(inLimbs), toWords(expected))
                    << LongToText(left) << " * " << LongToText(right) << " in limbs";
            }
        }
    }
}

// Dividends next to exact multiples of the divisor, both with long runs of 999
// or 000: every quotient word then sits on a boundary, where an estimate from
// the leading words is most likely to be one off, and the divisor's leading
// part ranges from a single small word to nearly a whole.
TEST_P(DifferentialTest, QuotientsNextToExactMultiples)
{
    int words = GetParam();
    RandomLongNums random(23u + static_cast<unsigned>(words));
    auto runs = [&](int round, int first, int last) {
        LongNum value;
        for (int i = first; i <= last; ++i) {
            switch ((round + i / 7) % 3) {
            case 0:
                value[i] = 999;
                break;
            case 1:
                value[i] = i == first ? random.pick(1, 999) : 0;
                break;
            default:
                value[i] = random.pick(0, 999);
                break;
            }
        }
        return value;
    };
    LongNum unit;
    unit[words - 1] = 1;
    for (int round = 0; round < 120; ++round) {
        int divisorFirst = random.pick(1, words - 1);
        LongNum divisor = runs(round, divisorFirst, random.pick(divisorFirst, words - 1));
        int quotientFirst = random.pick(1, words - 1);
        LongNum quotient = runs(round + 1, quotientFirst, random.pick(quotientFirst, words - 1));
        LongNum product;
        LongMul(quotient, divisor, product);
        LongNum dividends[3];
        LongSub(product, unit, dividends[0]);
        dividends[1] = product;
        LongAdd(product, unit, dividends[2]);
        for (const LongNum& dividend : dividends) {
            LongNum expected;
            LongNum actual;
            baseline::LongDiv(dividend, divisor, expected);
            LongDiv(dividend, divisor, actual);
            ASSERT_EQ(toWords(actual), toWords(expected))
                << LongToText(dividend) << " / " << LongToText(divisor);
        }
    }
}

// Radicands next to squares and cubes of roots made of 999 words, single
// words and random words: the root's last word and the carries above it are
// the ones a limb-wise or lower-precision root gets wrong first.
TEST_P(DifferentialTest, RootsNextToPowers)
{
    int words = GetParam();
    RandomLongNums random(11u + static_cast<unsigned>(words));
    LongNum unit;
    unit[words - 1] = 1;
    for (int round = 0; round < 150; ++round) {
        LongNum root;
        int first = random.pick(words / 4, words - 1);
        int last = random.pick(first, words - 1);
        for (int i = first; i <= last; ++i) {
            switch (round % 3) {
            case 0:
                root[i] = 999;
                break;
            case 1:
                root[i] = i == first ? random.pick(1, 999) : 0;
                break;
            default:
                root[i] = random.pick(0, 999);
                break;
            }
        }
        LongNum square;
        LongMul(root, root, square);
        LongNum cube;
        LongMul(square, root, cube);
        for (int degree : {2, 3}) {
            const LongNum& power = degree == 2 ? square : cube;
            LongNum radicands[3];
            LongSub(power, unit, radicands[0]);
            radicands[1] = power;
            LongAdd(power, unit, radicands[2]);
            for (const LongNum& radicand : radicands) {
                LongNum expected;
                LongNum actual;
                if (degree == 2) {
                    baseline::LongSqrt(radicand, expected);
                    LongSqrt(radicand, actual);
                    ASSERT_EQ(toWords(actual), toWords(expected))
                        << "sqrt of " << LongToText(radicand);
                }
                baseline::LongRoot(radicand, degree, expected);
                LongRoot(radicand, degree, actual);
                ASSERT_EQ(toWords(actual), toWords(expected))
                    << "root " << degree << " of " << LongToText(radicand);
                texts();
            }
        }
    }
}

// Arguments of one significant word, alone and next to 1: the functions'
// first series terms are then exact in decimal, and the value lies just
// past a word boundary (e^x = 1 + x + x^2/2 + ..., sin x = x - x^3/6 + ...).
TEST_P(DifferentialTest, FunctionsOfArgumentsWithOneSignificantWord)
{
    int words = GetParam();
    int half = words / 2;
    using Unary = void (*)(const LongNum&, LongNum&);
    auto logarithm = [](const LongNum& a, LongNum& out) { LongLn(a, out); };
    auto baselineLogarithm = [](const LongNum& a, LongNum& out) { baseline::LongLn(a, out); };
    const std::pair<Unary, Unary> functions[] = {
        {LongExp, baseline::LongExp},
        {LongSin, baseline::LongSin},
        {LongCos, baseline::LongCos},
        {logarithm, baselineLogarithm},
    };
    int stride = std::max(1, (words - half) / 16);
    for (int index = half; index < words; index += index + 3 >= words ? 1 : stride) {
        for (LongWord digit : {1, 3, 210, 999}) {
            LongNum small;
            small[index] = digit;
            LongNum arguments[4];
            arguments[0] = small;
            arguments[1] = small;
            arguments[1].setSign(kLongMinus);
            LongAdd(LongNum::fromInteger(1), small, arguments[2]);
            LongSub(LongNum::fromInteger(1), small, arguments[3]);
            for (const LongNum& argument : arguments) {
                for (const auto& [current, reference] : functions) {
                    LongNum expected;
                    LongNum actual;
                    reference(argument, expected);
                    current(argument, actual);
                    ASSERT_EQ(toWords(actual), toWords(expected)) << LongToText(argument);
                    texts();
                }
            }
        }
    }
}

// A result may be one of the operands.
TEST_P(DifferentialTest, ResultsInPlaceOfAnOperand)
{
    RandomLongNums random(7u + static_cast<unsigned>(GetParam()));
    for (const Operation& operation : operations()) {
        for (int round = 0; round < 20; ++round) {
            LongNum a = random.next();
            LongNum b = random.next();
            LongNum expected = a;
            operation.baseline(a, b, expected);
            LongNum inPlace = a;
            operation.current(inPlace, b, inPlace);
            ASSERT_EQ(toWords(inPlace), toWords(expected)) << operation.name << " in place";
            // The second operand as the result: a quotient must not be
            // written over the divisor while the division still reads it.
            LongNum expectedSecond = b;
            operation.baseline(a, b, expectedSecond);
            LongNum second = b;
            operation.current(a, second, second);
            ASSERT_EQ(toWords(second), toWords(expectedSecond))
                << operation.name << " in place of the second operand";
            texts();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WordCounts, DifferentialTest,
                         ::testing::Values(10, 11, 12, 20, 28, 46, 50, 64, 100, 101, 160, 310));

} // namespace
} // namespace kestrane
