// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli eval --complex: the analytic evaluation behind the images of
// curves, point by point.
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

TEST(EvalComplex, PrintsRealAndImaginaryPartsOrUndefined)
{
    Outcome outcome =
        run({"eval", "--expr", "z^2+1", "--complex", "--at", "1,1", "--at", "-2,0.5"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "1,1\t1\t2\n-2,0.5\t4.75\t-2\n");

    outcome = run({"eval", "--complex", "--expr", "1/z", "--at", "0,0", "--at", "-1,0"});
    EXPECT_EQ(outcome.out, "0,0\tundefined\n-1,0\t-1\t0\n");

    outcome = run({"eval", "--expr", "sqrt(z)", "--complex", "--json", "--at", "-4,0"});
    EXPECT_EQ(outcome.out, "[{\"z\":[-4,0],\"defined\":true,\"re\":0,\"im\":2}]\n");
}

TEST(EvalComplex, RefusesBadPoints)
{
    EXPECT_EQ(run({"eval", "--expr", "z", "--complex", "--at", "1,two"}).status, 2);
    EXPECT_EQ(run({"eval", "--expr", "z", "--at", "1,1"}).status, 2);
    EXPECT_EQ(run({"eval", "--expr", "z+*1", "--complex"}).status, 1);
}

} // namespace
} // namespace kestrane::cli
