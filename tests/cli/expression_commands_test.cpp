// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli expr and edit: outputs, messages and exit statuses.
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

TEST(ExprCommandTest, PrintsTheNotationTheBytesAndTheTree)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string out;
    };
    const Case cases[] = {
        {{"expr", "1 + sqrt(2)^3"}, "1+(sqrt(2))^3\n"},
        {{"expr", "-x^2", "*", "3"}, "-x^2*3\n"},
        {{"expr", "--hex", "1/2"},
         "31 00 2b 2b 00 00 31 00 2b 2b 01 31 00 00 00 00 00 31 00 2b 2b 01 32 00 00 00 00 00 00 "
         "00 00\n"},
        {{"expr", "--from-hex", "31 00 2b 2b 01 37 00 00 00 00 00"}, "7\n"},
        {{"expr", "--from-hex", "31", "00", "2b", "2d", "01", "37", "00", "00", "00", "00", "00"},
         "-7\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.arguments[1];
        EXPECT_EQ(outcome.out, c.out) << c.arguments[1];
        EXPECT_EQ(outcome.err, "");
    }
}

TEST(ExprCommandTest, JsonCarriesTheLaidOutTree)
{
    Outcome outcome = run({"expr", "--json", "--font-height", "30", "sqrt(2)-1"});
    ASSERT_EQ(outcome.status, kSuccess);
    const std::string& json = outcome.out;
    EXPECT_EQ(json.rfind("{\"kind\":\"operation\"", 0), 0u);
    for (const char* field :
         {"\"fontHeight\":30", "\"opSign\":\"-\"", "\"aboveTotal\":", "\"markSpan\":1",
          "\"open\":{\"count\":1,\"capacity\":10", "\"kind\":\"root\"", "\"left\":{", "\"right\":{",
          "\"signAfter\":\"-\"", "\"rootRoom\":5"})
        EXPECT_NE(json.find(field), std::string::npos) << field;
}

TEST(ExprCommandTest, RefusesBadInputWithNothingOnStandardOutput)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"expr", "2*-3"},
         kRefused,
         "kestrane-cli expr: column 3: a minus here needs parentheses, as in 2*(-3)\n"},
        {{"expr", "--from-hex", "31 00"},
         kRefused,
         "Error: File of a fraction is wrong or corrupted. /  It may be a file of older "
         "versions of a program of Skrivio.\n"},
        {{"expr", "--from-hex", "31 00 2b 2b 01 37 00 00 00 00 00 00"},
         kRefused,
         "Error: File of a fraction is wrong or corrupted. /  It may be a file of older "
         "versions of a program of Skrivio.\n"},
        {{"expr", "--from-hex", "3g"},
         kRefused,
         "Error: File of a fraction is wrong or corrupted. /  It may be a file of older "
         "versions of a program of Skrivio.\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.arguments.back();
        EXPECT_EQ(outcome.out, "") << c.arguments.back();
        EXPECT_EQ(outcome.err, c.err) << c.arguments.back();
    }
    for (const std::vector<std::string>& usage :
         std::vector<std::vector<std::string>>{{"expr"},
                                               {"expr", "--font-height", "x", "1"},
                                               {"expr", "--svg"},
                                               {"expr", "--bogus", "1"}}) {
        Outcome outcome = run(usage);
        EXPECT_EQ(outcome.status, kUsageError);
        EXPECT_EQ(outcome.out, "");
    }
}

TEST(ExprCommandTest, WritesAPicture)
{
    testing::TempDir directory;
    std::string path = (directory.path() / "e.svg").string();
    Outcome outcome = run({"expr", "--svg", path, "(1+x)^2/sqrt(3)"});
    ASSERT_EQ(outcome.status, kSuccess);
    std::ifstream file(path);
    std::stringstream svg;
    svg << file.rdbuf();
    EXPECT_NE(svg.str().find("<svg"), std::string::npos);
    EXPECT_NE(svg.str().find(">x</text>"), std::string::npos);
    EXPECT_NE(svg.str().find("<polyline"), std::string::npos);
}

TEST(ExprCommandTest, TheShippedExamplesAreCanonicalAndSurviveTheirByteForm)
{
    std::ifstream file(std::string(KESTRANE_SOURCE_DIR) + "/examples/expressions.txt");
    std::string line;
    int count = 0;
    while (std::getline(file, line)) {
        ++count;
        Outcome printed = run({"expr", line});
        EXPECT_EQ(printed.status, kSuccess) << line;
        EXPECT_EQ(printed.out, line + "\n");
        Outcome hex = run({"expr", "--hex", line});
        ASSERT_EQ(hex.status, kSuccess) << line;
        hex.out.pop_back();
        Outcome back = run({"expr", "--from-hex", hex.out});
        EXPECT_EQ(back.out, line + "\n");
    }
    EXPECT_GE(count, 10);
}

TEST(EditCommandTest, TypesKeysAndReportsRefusals)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"edit", "12+3*x"}, "12+3*x\n", ""},
        {{"edit", "4{Ctrl+R}{Home}{Degree 3}"}, "root(3,4)\n", ""},
        {{"edit", "{Ctrl+N}1{Down}2"}, "1/2\n", ""},
        {{"edit", "--start", "1+2", "*5"}, "1+2*5\n", ""},
        {{"edit", "/"},
         "?\n",
         "Not allowed operation.: In this module arithmetic operation of division is not "
         "allowed. Use fractions instead\n"},
        {{"edit", "1+2_"},
         "1+2\n",
         "Keyboard error: Cannot add a sign here. See help if you want to change sign.\n"},
        {{"edit", "5{Escape}7"}, "7\n", ""},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.arguments.back();
        EXPECT_EQ(outcome.out, c.out) << c.arguments.back();
        EXPECT_EQ(outcome.err, c.err) << c.arguments.back();
    }
}

TEST(EditCommandTest, JsonHasTheCursorTheSelectionAndTheMessages)
{
    Outcome outcome = run({"edit", "--json", "{Ctrl+N}1{Down}2I{Drag 0,0,500,500}"});
    ASSERT_EQ(outcome.status, kSuccess);
    const std::string& json = outcome.out;
    EXPECT_EQ(json.rfind("{\"expression\":\"1/2\"", 0), 0u) << json;
    for (const char* field :
         {"\"cursor\":{\"path\":[\"denominator\"],\"area\":\"text\",\"position\":1",
          "\"selection\":\"1/2\"", "\"messages\":[{\"caption\":\"Info\",\"text\":\"Letter 'I'"})
        EXPECT_NE(json.find(field), std::string::npos) << field;
}

TEST(EditCommandTest, BadStartsAndKeysAreRefused)
{
    Outcome bad = run({"edit", "--start", "1+", "2"});
    EXPECT_EQ(bad.status, kRefused);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "kestrane-cli edit: column 3: expected an expression\n");
    for (const char* keys : {"{Nope}", "{Degree 1}", "{Drag 1,2}", "\x01", "{Left"}) {
        Outcome outcome = run({"edit", keys});
        EXPECT_EQ(outcome.status, kUsageError) << keys;
        EXPECT_EQ(outcome.out, "") << keys;
    }
}

} // namespace
} // namespace kestrane::cli
