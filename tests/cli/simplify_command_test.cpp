// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli simplify and fraction: results, messages, JSON and exit
// statuses.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "support/temp_dir.h"

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

TEST(SimplifyCommandTest, PrintsTheNormalFormOrTheRefusal)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"simplify", "1/(1+sqrt(2))"}, kSuccess, "sqrt(2)-1\n", ""},
        {{"simplify", "--var", "a=sqrt(2)", "1/(a+1)"}, kSuccess, "sqrt(2)-1\n", ""},
        {{"simplify", "--var", "a=sqrt(2)", "--disable", "a", "a*a"}, kSuccess, "a^2\n", ""},
        {{"simplify", "--repeat", "3", "root(6,8)"}, kSuccess, "sqrt(2)\n", ""},
        {{"simplify", "x^y"},
         kRefused,
         "",
         "Error: A power with a variable in its exponent cannot be simplified.\n"},
        {{"simplify", "2000000000*3000000000"},
         kRefused,
         "",
         "Error.: Too large numbers. Major error may occur.\n"},
        {{"simplify", "(1"}, kRefused, "", "kestrane-cli simplify: column 3: expected ')'\n"},
        {{"simplify"}, kUsageError, "", ""},
        {{"simplify", "--repeat", "0", "1"}, kUsageError, "", ""},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments.back();
        EXPECT_EQ(outcome.out, c.out) << c.arguments.back();
        if (!c.err.empty()) {
            EXPECT_EQ(outcome.err, c.err) << c.arguments.back();
        }
    }
}

TEST(SimplifyCommandTest, ReportsTheWorkingTableAsJson)
{
    Outcome outcome = run({"simplify", "--json", "1-1/2"});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_EQ(outcome.out,
              "{\"input\":\"1-1/2\",\"result\":\"1/2\",\"messages\":[],\"overflow\":false,"
              "\"definitions\":[{\"name\":\"a\",\"value\":\"1+b\"},{\"name\":\"b\",\"value\":"
              "\"I*c\"},{\"name\":\"c\",\"value\":\"1/2\"}],\"main\":\"a\"}\n");
    outcome = run({"simplify", "--json", "sin(x)"});
    EXPECT_EQ(outcome.status, kRefused);
    EXPECT_NE(outcome.out.find("\"result\":null"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"text\":\"Wrong fraction:\\nFunction discovered"),
              std::string::npos);
}

TEST(FractionCommandTest, WritesReadsAndSimplifiesFiles)
{
    testing::TempDir directory;
    const std::string name = (directory / "work").string();
    Outcome written = run(
        {"fraction", "write", name, "--description", "cube", "--var", "a=root(3,2)", "1/(1+a)"});
    EXPECT_EQ(written.status, kSuccess);
    EXPECT_EQ(written.out, name + ".fra\n");

    Outcome read = run({"fraction", "read", name + ".fra", "--json"});
    EXPECT_EQ(read.status, kSuccess);
    EXPECT_EQ(read.out, "{\"titled\":true,\"description\":\"cube\",\"expression\":\"1/(1+a)\","
                        "\"variables\":[{\"name\":\"a\",\"value\":\"root(3,2)\"}],"
                        "\"messages\":[]}\n");
    Outcome simplified = run({"simplify", "--file", name + ".fra"});
    EXPECT_EQ(simplified.out, "(1-root(3,2)+root(3,4))/3\n");

    Outcome refused = run({"fraction", "write", (directory / "x.txt").string(), "1"});
    EXPECT_EQ(refused.status, kRefused);
    EXPECT_EQ(refused.err, "Error: Wrong file name.\n");

    const std::string damaged = directory.write("bad.fra", "Kestrane v. 1.8\r\n\x01junk").string();
    read = run({"fraction", "read", damaged});
    EXPECT_EQ(read.status, kRefused);
    EXPECT_EQ(read.out, "?\n");
    EXPECT_EQ(run({"fraction", "read", (directory / "none.fra").string()}).status, kUsageError);
    EXPECT_EQ(run({"fraction", "copy", name}).status, kUsageError);
}

} // namespace
} // namespace kestrane::cli
