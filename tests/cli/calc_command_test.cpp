// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli calc: the clipboard text, messages, JSON and exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "numbers/long_num.h"
#include "platform/window_options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runCalc(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "calc");
    return runCaptured(arguments);
}

TEST(CalcCommandTest, PrintsTheClipboardText)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string output;
    };
    const Case cases[] = {
        {{"2^10"}, "1024\n"},
        {{"--digits", "54", "1/sqrt(2)"}, "0.707106781186547524400844362\n"},
        {{"-3/4"}, "-0.75\n"},
        {{"--complex", "sqrt(-4)"}, "0 +i*2\n"},
        {{"2-3*i"}, "2 -i*3\n"},
        {{"--var", "x=1/2", "--var", "\u03B1=4", "x*\u03B1"}, "2\n"},
        {{"y=3", "--repeat", "3"}, "3\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = runCalc(c.arguments);
        EXPECT_EQ(outcome.status, 0) << c.arguments.back() << outcome.err;
        EXPECT_EQ(outcome.out, c.output) << c.arguments.back();
    }
    EXPECT_EQ(longWords(), kLongWordsAtStart);
}

TEST(CalcCommandTest, AGuardedMessageMeansNoResult)
{
    const std::pair<const char*, const char*> cases[] = {
        {"sqrt(-4)", "Error.: Square root of negative number. Major error may occur.\n"},
        {"1/0", "Error.: Division by zero. Major error may occur.\n"},
        {"10^200", "Error.: Number too large. Major error may occur.\n"},
    };
    for (const auto& [expression, message] : cases) {
        Outcome outcome = runCalc({expression});
        EXPECT_EQ(outcome.status, 1) << expression;
        EXPECT_EQ(outcome.out, "") << expression;
        EXPECT_EQ(outcome.err, message) << expression;
    }
}

TEST(CalcCommandTest, JsonCarriesBothPartsAndTheWordCounts)
{
    Outcome outcome = runCalc({"--json", "--digits", "54", "--complex", "-1"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "{\"calcWords\":18,\"longWords\":28,"
                           "\"real\":{\"sign\":\"-\",\"text\":\"1\",\"lines\":[\"1\"]},"
                           "\"imaginary\":{\"sign\":\"+\",\"text\":\"0\",\"lines\":[\"0\"]},"
                           "\"clipboard\":\"-1 +i*0\",\"resultsWindow\":false,\"messages\":[]}\n");

    Outcome refused = runCalc({"--json", "log(0)"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("\"real\":null,\"imaginary\":null,\"clipboard\":null"),
              std::string::npos);
    EXPECT_NE(refused.out.find("\"caption\":\"Error.\""), std::string::npos);
}

TEST(CalcCommandTest, RefusesBadUsage)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--digits", "55", "1"},
                                               {"--digits", "906", "1"},
                                               {"--digits", "48", "1"},
                                               {"--var", "=3", "1"},
                                               {"--var", "1x=3", "1"},
                                               {"--var", "i=3", "1"},
                                               {"--var", "abcde=3", "1"},
                                               {"--frobnicate", "1"},
                                               {}}) {
        EXPECT_EQ(runCalc(arguments).status, 2);
    }
    EXPECT_EQ(runCalc({"1+"}).status, 1);
}

Outcome runFractionsDigits()
{
    return runCaptured({"edit", "--window", "fractions", "--digits", "54", "1"});
}

Outcome runWindow(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"edit", "--window", "calculator"});
    std::ostringstream out;
    std::ostringstream err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(CalculatorWindowTest, KeysButtonsAndMenusReachTheCalculator)
{
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        {{"{Ctrl+R}{Button:KImage3}="},
         {"\"result\":\"1.4142135623", "\"clipboard\":\"1.4142135623"}},
        {{"x="}, {"\"expression\":\"x=?\"", "\"result\":null"}},
        {{"--start", "x=3", "={Escape}x*2="},
         {"\"result\":\"6\"", "{\"name\":\"x\",\"enabled\":true,\"value\":\"3\"}"}},
        {{"{Menu:Complex Numbers}I"}, {"\"expression\":\"i\"", "\"complexNumbers\":true"}},
        {{"1..", "--json"}, {"\"text\":\"Comma is already in.\""}},
    };
    for (const Case& c : cases) {
        Outcome outcome = runWindow(c.arguments);
        EXPECT_EQ(outcome.status, 0) << c.arguments[0] << outcome.err;
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(outcome.out.find(fragment), std::string::npos)
                << c.arguments[0] << " lacks " << fragment << " in " << outcome.out;
    }
    EXPECT_EQ(runWindow({"{Button:ZImage1}"}).status, 2);
    EXPECT_EQ(runWindow({"{Menu:Frobnicate}"}).status, 2);
}

TEST(CalculatorWindowTest, TheWindowsMenusButtonsListAndClicks)
{
    const std::string defineX = "x={Ctrl+N}1{Down}4=";
    struct Case {
        std::string keys;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        {defineX + "{Menu:List of variables}",
         {"\"mode\":2", "{\"name\":\"x\",\"enabled\":true,\"value\":\"1/4\"}",
          "\"rows\":[{\"top\":120,"}},
        // The list at the same places as in the Fractions and Roots window.
        {defineX + "{Menu:List of variables}{Click 170,135}", {"\"enabled\":false"}},
        {defineX + "{Ctrl+L}{Click 450,150}", {"\"mode\":1", "\"expression\":\"1/4\""}},
        {"{Button:NImage1}ab{F2}2.5{Enter}",
         {"{\"name\":\"ab\",\"enabled\":true,\"value\":\"2.5\"}", "\"variableEditor\":null"}},
        {"{Ctrl+V}a", {"\"variableEditor\":{\"field\":\"name\",\"record\":-1,\"name\":\"a\""}},
        {"{Button:Imge3}1{Down}2{Menu:Simplify}", {"\"expression\":\"1/2\"", "\"unsimplified\""}},
        {"{Menu:Root}2{Menu:Value}", {"\"value\":\"1.414214\""}},
        {"{Font Courier,40}", {"\"font\":{\"name\":\"Courier\",\"height\":40}"}},
        {"{Menu:Font}", {"\"font\":{\"name\":\"Arial\",\"height\":20}"}},
        {"1+2=", {"\"resultLines\":{\"width\":990,\"lines\":[{\"text\":\"3\",\"x\":40,"}},
    };
    for (const Case& c : cases) {
        Outcome outcome = runWindow({c.keys});
        EXPECT_EQ(outcome.status, 0) << c.keys << outcome.err;
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(outcome.out.find(fragment), std::string::npos)
                << c.keys << " lacks " << fragment << " in " << outcome.out;
    }
    EXPECT_EQ(runWindow({"{Font Arial,25}"}).status, 2);
    EXPECT_EQ(runWindow({"{Font Arial,98}"}).status, 2);
    EXPECT_EQ(runWindow({"{Font ,20}"}).status, 2);
}

TEST(CalculatorWindowTest, DigitsStartThePrecisionAndEveryLineFitsItsWindow)
{
    // Precision's OK without a move keeps the 54 digits the window opened at.
    Outcome third = runWindow({"--digits", "54", "--start", "1/3", "{Menu:Precision}="});
    EXPECT_NE(third.out.find("\"result\":\"0." + std::string(27, '3') + "\""), std::string::npos)
        << third.out;

    Outcome outcome =
        runWindow({"--digits", "900", "--complex", "--start", "sqrt(2)+i/3", "{Font Arial,96}="});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("\"resultsWindow\":true"), std::string::npos);
    EXPECT_NE(outcome.out.find("\"resultLines\":{\"width\":931,"), std::string::npos);
    // The digits of √2 to 450 places, and the right edges of the lines.
    EXPECT_NE(outcome.out.find("\"result\":\"1.4142135623730950488"), std::string::npos);
    std::size_t at = 0;
    int lines = 0;
    while ((at = outcome.out.find("\"x\":150,", at)) != std::string::npos) {
        std::size_t width = outcome.out.find("\"width\":", at) + 8;
        EXPECT_LE(150 + std::stoi(outcome.out.substr(width)), 931 - 18);
        ++at;
        ++lines;
    }
    EXPECT_GT(lines, 40);
    EXPECT_EQ(longWords(), kLongWordsAtStart);
    EXPECT_EQ(runWindow({"--digits", "100", "1"}).status, 2);
    EXPECT_EQ(runFractionsDigits().status, 2);
}

TEST(CalculatorWindowTest, BothWindowsReadTheirOptionFilesFromTheStartDirectory)
{
    kestrane::testing::TempDir dir;
    WindowOptions calculator;
    calculator.fontName = "Courier";
    calculator.fontHeight = 30;
    ASSERT_TRUE(writeWindowOptions(dir / "CalcOpt", calculator));
    WindowOptions fractions;
    fractions.fontHeight = 44;
    ASSERT_TRUE(writeWindowOptions(dir / "FractOpt", fractions));
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    Outcome calculatorRun = runWindow({"1"});
    Outcome fractionsRun = runCaptured({"edit", "--window", "fractions", "1"});
    std::filesystem::current_path(previous);
    EXPECT_NE(calculatorRun.out.find("\"font\":{\"name\":\"Courier\",\"height\":30}"),
              std::string::npos);
    EXPECT_NE(fractionsRun.out.find("\"font\":{\"name\":\"Arial\",\"height\":44}"),
              std::string::npos);
}

Outcome runFractions(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), {"edit", "--window", "fractions"});
    std::ostringstream out;
    std::ostringstream err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(FractionsWindowCliTest, VariablesThroughTheEditorTheListAndItsClicks)
{
    const std::string define = "{Button:NImage1}ab{F2}{Ctrl+N}1{Down}2{Enter}";
    struct Case {
        std::string keys;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        {define,
         {"{\"name\":\"ab\",\"enabled\":true,\"value\":\"1/2\"}", "\"variableEditor\":null"}},
        {"{Button:NImage1}ab{F2}3",
         {"\"variableEditor\":{\"field\":\"value\",\"record\":-1,\"name\":\"ab\","
          "\"value\":\"3\"}"}},
        {define + "ab*2{Menu:List of variables}",
         {"\"mode\":2", "\"expression\":\"ab*2\"", "\"rows\":[{\"top\":120,"}},
        // A click on the value edits it in mode 1; Accept stores it.
        {define + "1{Menu:List of variables}{Click 450,150}",
         {"\"mode\":1", "\"expression\":\"1/2\"", "\"main\":\"1\"", "\"editedRecord\":0"}},
        {define + "1{Menu:List of variables}{Click 170,135}", {"\"enabled\":false"}},
        {define + "ab*2{Button:NImage3}", {"\"expression\":\"1/2*2\""}},
        {"{Menu:List of variables}", {"\"text\":\"Wrong character discovered.\""}},
    };
    for (const Case& c : cases) {
        Outcome outcome = runFractions({c.keys});
        EXPECT_EQ(outcome.status, 0) << c.keys << outcome.err;
        for (const std::string& fragment : c.fragments)
            EXPECT_NE(outcome.out.find(fragment), std::string::npos)
                << c.keys << " lacks " << fragment << " in " << outcome.out;
    }
}

} // namespace
} // namespace kestrane::cli
