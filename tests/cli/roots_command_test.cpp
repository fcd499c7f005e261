// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli roots: root texts, exact roots, JSON and exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runRoots(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "roots");
    return runCaptured(arguments);
}

TEST(RootsCommand, PrintsNumberedRoots)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string output;
    } cases[] = {
        {{"1", "-6", "11", "-6"},
         "x1 = 1\nx1 exact: 1\nx2 = 2\nx2 exact: 2\nx3 = 3\nx3 exact: 3\n"},
        {{"--numeric", "1", "-2", "-3"}, "x1 = -     1\nx2 = 3\n"},
        {{"1", "0", "-8"},
         "x1 = -     2.828427124746190097603377448419396157139343751\n"
         "x1 exact: -2*sqrt(2)\n"
         "x2 = 2.828427124746190097603377448419396157139343751\n"
         "x2 exact: 2*sqrt(2)\n"},
        {{"1/2", "--numeric", "0", "--", "-1/2"}, "x1 = -     1\nx2 = 1\n"},
    };
    for (const Case& test : cases) {
        Outcome outcome = runRoots(test.arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.out, test.output);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(RootsCommand, PrintsJson)
{
    Outcome outcome = runRoots({"--json", "1", "0", "4"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "{\"roots\":[{\"value\":\"0+  i *    2\",\"re\":\"0\",\"im\":\"2\","
              "\"exact\":\"2*i\",\"exactValue\":\"0+  i *    2\"},"
              "{\"value\":\"0-  i *    2\",\"re\":\"0\",\"im\":\"-2\","
              "\"exact\":\"-2*i\",\"exactValue\":\"0-  i *    2\"}],\"messages\":[]}\n");
}

TEST(RootsCommand, ExactRootsPastTheIntegersAreLeftOutWithTheirMessage)
{
    Outcome outcome = runRoots({"--numeric", "1000003", "1", "1", "1"});
    Outcome exact = runRoots({"1000003", "1", "1", "1"});
    EXPECT_EQ(exact.status, 0);
    EXPECT_EQ(exact.out, outcome.out);
    EXPECT_EQ(exact.err, "Error.: Too large numbers. Major error may occur.\n");
    Outcome json = runRoots({"--json", "1000003", "1", "1", "1"});
    EXPECT_NE(json.out.find("\"exact\":null"), std::string::npos);
    EXPECT_NE(json.out.find("\"messages\":[{\"caption\":\"Error.\",\"text\":\"Too large "
                            "numbers. Major error may occur.\"}]"),
              std::string::npos);
}

TEST(RootsCommand, RefusesALeadingZeroAndUnreadableCoefficients)
{
    Outcome cubic = runRoots({"0", "1", "2", "3"});
    EXPECT_EQ(cubic.status, 1);
    EXPECT_EQ(cubic.out, "");
    EXPECT_EQ(cubic.err, "Runtime error.: Cubic equation not found.\n");
    Outcome quadratic = runRoots({"--json", "0", "1", "2"});
    EXPECT_EQ(quadratic.status, 1);
    EXPECT_EQ(quadratic.out,
              "{\"result\":null,\"roots\":null,\"messages\":[{\"caption\":\"Runtime error.\","
              "\"text\":\"Quadratic equation not found.\"}]}\n");
    Outcome unreadable = runRoots({"1", "2*", "3"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.err.find("Runtime error.: Quadratic equation not found.\n"),
              std::string::npos);
}

TEST(RootsCommand, UsageErrors)
{
    for (std::vector<std::string> arguments : {std::vector<std::string>{"1", "2"},
                                               {"1", "2", "3", "4", "5"},
                                               {"--exact", "1", "2", "3"},
                                               {"--repeat", "0", "1", "2", "3"}}) {
        EXPECT_EQ(runRoots(arguments).status, 2);
    }
}

} // namespace
} // namespace kestrane::cli
