// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli eval, ticks and plot: outputs, negative numbers as values and
// exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome run(const std::vector<std::string>& arguments)
{
    return runCaptured(arguments);
}

const std::string kExamples = std::string(KESTRANE_SOURCE_DIR) + "/examples/";

TEST(GraphCommands, EvalPrintsValuesAndUndefinedPoints)
{
    Outcome outcome = run({"eval", "--expr", "x^(1/3)", "--at", "-8", "--at", "-1.5", "--at", "0"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "-8\t-2\t-2.00\n-1.5\t-1.1447142\t-1.14\n0\t0\t0.00\n");

    outcome = run({"eval", "--expr", "1/x", "--json", "--at", "0", "--at", "4"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "[{\"t\":0,\"defined\":false,\"value\":null,\"text\":null},"
                           "{\"t\":4,\"defined\":true,\"value\":0.25,\"text\":\"0.25\"}]\n");

    outcome = run({"eval", kExamples + "hyperbola.fct", "--at", "-0.5"});
    EXPECT_EQ(outcome.out, "-0.5\t-2\t-2.00\n");
    outcome = run({"eval", kExamples + "square.txt", "--at", "2"});
    EXPECT_EQ(outcome.out, "2\t9\t9.00\n");
    // A fraction file's names take the values of its variables (a is the
    // cube root of 2).
    outcome = run({"eval", kExamples + "textbook.fra"});
    EXPECT_EQ(outcome.out.substr(0, 9), "0\t3.90659");
}

TEST(GraphCommands, EvalRefusesBadInput)
{
    EXPECT_EQ(run({"eval", "--expr", "x+*2"}).status, 1);
    EXPECT_EQ(run({"eval", "--expr", "x", "--at", "two"}).status, 2);
    EXPECT_EQ(run({"eval"}).status, 2);
    EXPECT_EQ(run({"eval", "/nonexistent/file.fct"}).status, 2);
}

TEST(GraphCommands, TicksPrintKAndTheTickObject)
{
    Outcome outcome = run({"ticks", "500", "-1.003", "3"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "{\"k\":9,\"step\":0.5,\"values\":[-1,-0.5,0,0.5,1,1.5,2,2.5,3],"
                           "\"labels\":[\"-1\",\"-0.5\",\"0\",\"0.5\",\"1\",\"1.5\",\"2\",\"2.5\","
                           "\"3\"],\"positions\":[0,62,125,187,250,312,375,437,500]}\n");
    outcome = run({"ticks", "40", "0", "1"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "{\"k\":0,\"step\":null,\"values\":[],\"labels\":[],\"positions\":[]}\n");
    EXPECT_EQ(run({"ticks", "100", "0"}).status, 2);
}

TEST(GraphCommands, PlotWritesTheGraphAsJson)
{
    Outcome outcome =
        run({"plot", kExamples + "hyperbola.fct", "--size", "260x160", "--json", "-"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("\"expression\":\"1/x\""), std::string::npos);
    EXPECT_NE(outcome.out.find("\"rectangle\":[60,20,240,120]"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"samples\":180,\"failed\":1"), std::string::npos);

    outcome = run({"plot", kExamples + "hyperbola.fct", "--domain", "-2,-1", "--json", "-"});
    EXPECT_NE(outcome.out.find("\"domain\":[-2,-1]"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"failed\":0"), std::string::npos);
    EXPECT_EQ(run({"plot", kExamples + "square.txt", "--json", "-"}).status, 1);
    EXPECT_EQ(run({"plot", kExamples + "bell.fct", "--size", "10x10"}).status, 2);
}

} // namespace
} // namespace kestrane::cli
