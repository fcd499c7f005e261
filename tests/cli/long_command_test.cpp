// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli long: results, message lines and exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "numbers/long_num.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runLong(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "long");
    return runCaptured(arguments);
}

TEST(LongCommandTest, PrintsEveryFractionDigitAndTheSign)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string output;
    };
    const Case cases[] = {
        {{"div", "1", "3"}, "0.333333333333000\n"},
        {{"add", "-3", "3"}, "-0.000000000000000\n"},
        {{"sub", "2.5", "-0.25"}, "2.750000000000000\n"},
        {{"mul", "-1.5", "2"}, "-3.000000000000000\n"},
        {{"divsmall", "1", "7"}, "0.142857142857142\n"},
        {{"halve", "-0.000000000000001"}, "-0.000000000000000\n"},
        {{"sqrt", "2"}, "1.414213562373095\n"},
        {{"root", "-8", "3"}, "-2.000000000000000\n"},
        {{"--words", "28", "exp", "1"}, "2.718281828459045235360287471352662497757247\n"},
        {{"asin", "1"}, "1.570796326794896\n"},
        {{"cmul", "1,2", "3,-4"}, "11.000000000000000 2.000000000000000\n"},
        {{"cdiv", "1,0", "0,1"}, "0.000000000000000 -1.000000000000000\n"},
        {{"croot", "-4,0", "2"}, "0.000000000000000 1.999999999999998\n"},
        {{"cln", "0,-1"}, "0.000000000000000 -1.570796326794896\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = runLong(c.arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.arguments[0];
        EXPECT_EQ(outcome.out, c.output) << c.arguments[0];
        EXPECT_EQ(outcome.err, "") << c.arguments[0];
    }
    EXPECT_EQ(longWords(), kLongWordsAtStart);
}

TEST(LongCommandTest, MessageBoxesGoToTheErrorStream)
{
    Outcome outcome = runLong({"div", "5", "0"});
    EXPECT_EQ(outcome.status, kRefused);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "Error.: Division by zero. Major error may occur.\n");
    outcome = runLong({"ln", "0"});
    EXPECT_EQ(outcome.status, kRefused);
    EXPECT_EQ(outcome.err,
              "Error.: Logarithm of zero. Argument out of range. / Major error may occur.\n");
}

TEST(LongCommandTest, RefusesBadNumbersAndUsage)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"sqrt", "abc"}, kRefused},
        {{"add", "1", "2x"}, kRefused},
        {{"cexp", "1"}, kRefused},
        {{"root", "8", "three"}, kRefused},
        {{}, kUsageError},
        {{"pow", "1", "2"}, kUsageError},
        {{"add", "1"}, kUsageError},
        {{"sqrt", "1", "2"}, kUsageError},
        {{"root", "8", "0"}, kUsageError},
        {{"--words", "9", "sqrt", "2"}, kUsageError},
        {{"--words", "361", "sqrt", "2"}, kUsageError},
        {{"--words"}, kUsageError},
    };
    for (const Case& c : cases) {
        Outcome outcome = runLong(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << (c.arguments.empty() ? "" : c.arguments[0]);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err, "");
    }
}

} // namespace
} // namespace kestrane::cli
