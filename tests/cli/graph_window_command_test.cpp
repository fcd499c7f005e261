// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli graph-window: actions in order, the JSON of the window, the
// saved file and the same graph as a script's Graph of that file.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome run(const std::vector<std::string>& arguments)
{
    return runCaptured(arguments);
}

// The text of the JSON value that follows "key": up to the next key.
std::string field(const std::string& json, const std::string& key)
{
    std::size_t start = json.find("\"" + key + "\":");
    if (start == std::string::npos)
        return {};
    start += key.size() + 3;
    std::size_t end = json.find(",\"", start);
    return json.substr(start, end - start);
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

TEST(GraphWindowCommand, BuildsSavesAndShowsSinXOverX)
{
    kestrane::testing::TempDir dir;
    std::string path = (dir / "sinc.").string();
    Outcome outcome =
        run({"graph-window", "--key", "Ctrl+N", "--button", "sin", "--type", "x", "--key", "Down",
             "--type", "x", "--domain=-10,10", "--save", path, "--show"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(field(outcome.out, "caption"), "\"" + path + "fct\"");
    EXPECT_EQ(field(outcome.out, "expression"), "\"sin(x)/x\"");
    EXPECT_EQ(field(outcome.out, "complete"), "true");
    EXPECT_EQ(field(outcome.out, "leftValue"), "-10");
    EXPECT_EQ(field(outcome.out, "samples"), "200");
    EXPECT_EQ(readAll(dir / "sinc.fct").substr(0, 25), "domain: -10 10\r\nstart:\r\n1");

    // A script's Graph of the saved file over the same rectangle draws the
    // same polyline.
    std::string script = "4\r\nvoid start()\r\nR=Rectangle(200,300,400,500)\r\n"
                         "f=Function($sinc.fct)\r\nG=Graph(f,R)\r\nEND\r\n";
    auto scriptPath = dir.write("draw.kst", script);
    Outcome drawn = run({"run", scriptPath.string(), "--json", "-"});
    ASSERT_EQ(drawn.status, 0) << drawn.err << drawn.out;
    std::string pieces = outcome.out.substr(outcome.out.find("\"pieces\""));
    pieces = pieces.substr(0, pieces.find("\"ticksX\""));
    EXPECT_NE(drawn.out.find(pieces), std::string::npos);
}

TEST(GraphWindowCommand, RefusalsPrintAsMessageBoxesAndExitZero)
{
    kestrane::testing::TempDir dir;
    Outcome outcome = run({"graph-window", "--type", "y", "--show", "--save",
                           (dir / "f.txt").string(), "--domain=2,1", "--json", "-"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "Error: Not allowed keyboard key. Only variable 'x' is allowed.\n"
                           "Error: Wrong character discovered.\n"
                           "Error: Wrong file name.\n"
                           "Error: Wrong numbers. Domain not changed.\n");
    EXPECT_EQ(field(outcome.out, "graph"), "null");
    EXPECT_EQ(field(outcome.out, "complete"), "false");
    EXPECT_FALSE(std::filesystem::exists(dir / "f.txt"));
}

TEST(GraphWindowCommand, OpenAnswersNoToTheQuestionAndRestoresTheFile)
{
    kestrane::testing::TempDir dir;
    std::string path = (dir / "g.fct").string();
    ASSERT_EQ(
        run({"graph-window", "--type", "x", "--button", "root", "--domain=-1.5,2", "--save", path})
            .status,
        0);
    Outcome outcome = run({"graph-window", "--type", "x", "--open", path, "--domain-cancel"});
    EXPECT_EQ(outcome.err, "Files: File not saved.  / Do you want to save it?\n");
    EXPECT_EQ(field(outcome.out, "expression"), "\"sqrt(x)\"");
    EXPECT_EQ(field(outcome.out, "left"), "\"-1.5\"");
    EXPECT_EQ(field(outcome.out, "right"), "\"2\"");
}

TEST(GraphWindowCommand, UsageErrors)
{
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"graph-window", "--key", "Ctrl+Tilde"},
          {"graph-window", "--button", "sinh"},
          {"graph-window", "--click", "3"},
          {"graph-window", "--domain=3"},
          {"graph-window", "--type", "#"},
          {"graph-window", "extra"}}) {
        SCOPED_TRACE(arguments[1]);
        Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("Try \"kestrane-cli help graph-window\""), std::string::npos);
    }
}

} // namespace
} // namespace kestrane::cli
