// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/float_text.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(FloatTextWriter, RoundsToTwoDecimalsDroppingAnExactHalf)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0.5, "0.50"},
        {1.005, "1.00"},
        {0.125, "0.12"},
        {0.999, "1.00"},
        {2.5, "2.50"},
        {-0.5, "-0.50"},
        {-0.001, "0.00"},
        {-0.004, "0.00"},
        {-0.006, "-0.01"},
        {0, "0.00"},
        {-12345678, "-12345678.00"},
        {1e8, "100000000.00"},
        {-1e8, "-100000000.00"},
        {3.14159, "3.14"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(trimmedFloatText(test.value), test.text) << test.value;
        EXPECT_GE(floatText(test.value).size(), 11u);
    }
}

TEST(FloatTextReader, ReadsSignSeparatorAndEveryDecimal)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"12.5", 12.5},   {"-0.25", -0.25}, {"  -3", -3},       {"0,125", 0.125},
        {"0.125", 0.125}, {"1.2.3", 1.23},  {"1a2", 12},        {"", 0},
        {"x-2", 2},       {"-", 0},         {"100000000", 1e8}, {"7.", 7},
    };
    for (const Case& test : cases)
        EXPECT_DOUBLE_EQ(readFloatText(test.text), test.value) << test.text;
}

} // namespace
} // namespace kestrane
