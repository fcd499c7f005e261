// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane::cli {
namespace {

struct KeysRun {
    int status;
    std::string out;
    std::string err;
};

KeysRun keys(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "keys");
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(KeysCommand, PrintsOneWindowOrEveryWindow)
{
    KeysRun editor = keys({"editor"});
    EXPECT_EQ(editor.status, kSuccess);
    EXPECT_EQ(editor.out.rfind("Script editor (editor)\n", 0), 0u);
    EXPECT_NE(editor.out.find("\n  Ctrl+Z  "), std::string::npos);
    EXPECT_EQ(editor.out.find("Graph window"), std::string::npos);
    KeysRun every = keys({});
    for (std::string_view head :
         {"Construction window (construction)", "Script editor (editor)", "Graph window (graph)",
          "Fractions and Roots window (fractions)", "Calculator (calculator)"})
        EXPECT_NE(every.out.find(head), std::string::npos) << head;
}

TEST(KeysCommand, JsonIsOneDocumentOfTheSameKeys)
{
    KeysRun json = keys({"--json", "graph"});
    EXPECT_EQ(json.status, kSuccess);
    EXPECT_EQ(json.out.rfind(R"({"windows":[{"name":"graph","title":"Graph window","keys":[)", 0),
              0u);
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);
    EXPECT_NE(json.out.find(R"({"keys":"Ctrl+S","action":"Sin","description":"insert sin",)"
                            R"("route":"menu"})"),
              std::string::npos);
}

TEST(KeysCommand, RefusesUnknownWindowsAndArguments)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"toolbox"}, {"--xml"}, {"editor", "graph"}}) {
        KeysRun run = keys(arguments);
        EXPECT_EQ(run.status, kUsageError) << arguments.front();
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

} // namespace
} // namespace kestrane::cli
