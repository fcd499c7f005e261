// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/manual.h"

#include <gtest/gtest.h>

namespace kestrane::cli {
namespace {

// The manual page and the completion are written from the same tables as
// the parser: every command and option of the tables is in each.
TEST(ManualAndCompletion, ShowEveryCommandAndOptionOfTheTables)
{
    const std::string page = cliManualPage("2026-12-06");
    const std::string bash = bashCompletion();
    const std::string zsh = zshCompletion();
    const std::string fish = fishCompletion();
    for (const Command& command : commands()) {
        std::string name(command.name);
        EXPECT_NE(page.find(".SS " + name + "\n"), std::string::npos) << name;
        EXPECT_NE(bash.find("        " + name + ")\n"), std::string::npos) << name;
        EXPECT_NE(zsh.find("    (" + name + ")\n"), std::string::npos) << name;
        EXPECT_NE(fish.find("-a " + name + " -d"), std::string::npos) << name;
        for (const Option& option : command.options) {
            std::string longName(option.name.substr(2));
            EXPECT_NE(page.find("\\fB\\-\\-" + longName), std::string::npos) << option.name;
            EXPECT_NE(bash.find(std::string(option.name)), std::string::npos) << option.name;
            EXPECT_NE(zsh.find(std::string(option.name)), std::string::npos) << option.name;
            EXPECT_NE(fish.find("__fish_seen_subcommand_from " + name + "' -l " + longName),
                      std::string::npos)
                << name << ' ' << option.name;
        }
    }
    EXPECT_EQ(page.rfind(".\\\" ", 0), 0u);
    EXPECT_NE(page.find(".TH KESTRANE-CLI 1 2026-12-06"), std::string::npos);
}

} // namespace
} // namespace kestrane::cli
