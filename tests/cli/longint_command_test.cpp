// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli longint: results, the overflow message and exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runLongInt(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "longint");
    return runCaptured(arguments);
}

TEST(LongIntCommandTest, PrintsExactResults)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string output;
    };
    const Case cases[] = {
        {{"parse", "-1234567"}, "-1234567\n"},
        {{"parse", "000042"}, "42\n"},
        {{"add", "999999", "1"}, "1000000\n"},
        {{"add", "-5", "5"}, "0\n"},
        {{"mul", "999999", "999999"}, "999998000001\n"},
        {{"mul", "2000000", "-3000000"}, "-6000000000000\n"},
        {{"times", "-1000007", "3"}, "-3000021\n"},
        {{"div", "-7", "2"}, "-3\n"},
        {{"rem", "-7", "2"}, "-1\n"},
        {{"gcd", "-36", "48"}, "12\n"},
        {{"factor", "-360"}, "-1 2^3 3^2 5\n"},
        {{"factor", "1000006000009"}, "1000003^2\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = runLongInt(c.arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.arguments[0] << ' ' << c.arguments[1];
        EXPECT_EQ(outcome.out, c.output) << c.arguments[0] << ' ' << c.arguments[1];
        EXPECT_EQ(outcome.err, "") << c.arguments[0] << ' ' << c.arguments[1];
    }
}

TEST(LongIntCommandTest, OverflowPrintsTheMessageAndNoResult)
{
    for (auto arguments : std::vector<std::vector<std::string>>{{"mul", "3000000000", "1000000"},
                                                                {"add", "2147483647999999", "1"},
                                                                {"parse", "99999999999999999"}}) {
        Outcome outcome = runLongInt(arguments);
        EXPECT_EQ(outcome.status, kRefused) << arguments[0];
        EXPECT_EQ(outcome.out, "") << arguments[0];
        EXPECT_EQ(outcome.err, "Error.: Too large numbers. Major error may occur.\n")
            << arguments[0];
    }
}

TEST(LongIntCommandTest, RefusesBadInput)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"add", "1.5", "2"}, kRefused}, {{"div", "7", "0"}, kRefused},
        {{"rem", "7", "-0"}, kRefused},  {{"pow", "2", "3"}, kUsageError},
        {{"add", "1"}, kUsageError},     {{}, kUsageError},
    };
    for (const Case& c : cases) {
        Outcome outcome = runLongInt(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << testing::PrintToString(c.arguments);
        EXPECT_EQ(outcome.out, "") << testing::PrintToString(c.arguments);
        EXPECT_NE(outcome.err, "") << testing::PrintToString(c.arguments);
    }
}

} // namespace
} // namespace kestrane::cli
