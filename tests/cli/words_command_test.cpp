// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrane::cli {
namespace {

struct WordsRun {
    int status;
    std::string out;
    std::string err;
};

WordsRun words(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "words");
    std::ostringstream out, err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(WordsCommand, PrintsOneModuleOrEveryModule)
{
    WordsRun curves = words({"Curves"});
    EXPECT_EQ(curves.status, kSuccess);
    EXPECT_EQ(curves.out.rfind("Curves (508)\n", 0), 0u);
    EXPECT_NE(curves.out.find("\nCurve\n  Curve(AlgExpr, AlgExpr, Rectangle)\n  result: Curve\n"),
              std::string::npos);
    EXPECT_EQ(curves.out.find("Dimension 3 (503)"), std::string::npos);
    EXPECT_EQ(words({"508"}).out, curves.out);

    WordsRun every = words({});
    EXPECT_EQ(every.status, kSuccess);
    for (std::string_view head :
         {"Kestrane (501)", "Dimension 2 (502)", "Graphs (504)", "Dimension 4 (604)"})
        EXPECT_NE(every.out.find(head), std::string::npos) << head;
}

TEST(WordsCommand, JsonCarriesTheSameEntries)
{
    WordsRun json = words({"dimension3", "--json"});
    EXPECT_EQ(json.status, kSuccess);
    EXPECT_EQ(json.out.rfind("{\"modules\":[{\"code\":503,\"name\":\"Dimension 3\",\"words\":[", 0),
              0u);
    // One compact document: a line break only at its end.
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);
    EXPECT_NE(json.out.find("{\"word\":\"sphere\",\"code\":84,\"kind\":\"call\","
                            "\"arguments\":[[\"point\",\"point\"],[\"point\",\"distance\"]],"),
              std::string::npos);
    EXPECT_NE(json.out.find("\"example\":\"void start()\\n"), std::string::npos);
    EXPECT_NE(json.out.find("\"result\":null"), std::string::npos);
}

TEST(WordsCommand, RefusesUnknownModulesAndArguments)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"Dimension 5"}, {"--xml"}, {"503", "504"}}) {
        WordsRun refused = words(arguments);
        EXPECT_EQ(refused.status, kUsageError) << arguments.front();
        EXPECT_TRUE(refused.out.empty());
        EXPECT_FALSE(refused.err.empty());
    }
}

} // namespace
} // namespace kestrane::cli
