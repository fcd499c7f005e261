// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/commands.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> arguments)
{
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(Cli, ListsItsCommandsAndRefusesUnknownOnes)
{
    CliRun none = run({});
    EXPECT_EQ(none.status, kUsageError);
    EXPECT_NE(none.err.find("primes"), std::string::npos);

    CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.status, kUsageError);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);

    CliRun help = run({"help", "options"});
    EXPECT_EQ(help.status, kSuccess);
    EXPECT_EQ(help.out.rfind("Usage: kestrane-cli options", 0), 0u);
    EXPECT_EQ(run({"help", "nothing"}).status, kUsageError);
}

TEST(Cli, PrimesReadsTheShippedTable)
{
    setProgramPath(std::string(KESTRANE_BINARY_DIR) + "/bin/kestrane-cli");
    CliRun count = run({"primes", "--count"});
    EXPECT_EQ(count.status, kSuccess) << count.err;
    EXPECT_EQ(count.out, "7000\n");
    EXPECT_EQ(run({"primes", "--all"}).status, kUsageError);
}

TEST(Cli, OptionsShowsWhatTheProgramReadsAtStart)
{
    testing::TempDir dir;
    dir.write("MainOpt", "ShowMessages=0");
    dir.write("FunOpt", "font:\r\nCourier\r\n11\r\n\r\nFraction's color:\r\n1 2 3 \r\n");
    CliRun options = run({"options", dir.path().string()});
    EXPECT_EQ(options.status, kSuccess);
    EXPECT_NE(options.out.find("Show messages: off"), std::string::npos);
    EXPECT_NE(options.out.find("FunOpt: font Courier 12\n  expression background: 1 2 3\n"), std::string::npos)
        << options.out;
    EXPECT_EQ(run({"options", (dir / "missing").string()}).status, kUsageError);
}

} // namespace
} // namespace kestrane::cli
