// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/cli_outcome.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

namespace kestrane::cli {
namespace {

// --- The parser --------------------------------------------------------------------------------

constexpr Option kOptions[] = {
    flag("--json", "JSON"),
    valued("--words", "N", ValueKind::Number, "words"),
    valued("--var", "NAME=EXPR", ValueKind::Expression, "a variable").repeated(),
    valued("--out", "PATH", ValueKind::Output, "output").optionalValue(),
};
constexpr Operand kOperands[] = {
    {"OP", ValueKind::Word, {}, Operand::One},
    {"A", ValueKind::Number, {}, Operand::AnyNumber},
};

struct ParseCase {
    std::string name;
    std::vector<std::string> arguments;
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>> values; // option -> values given
};

TEST(OptionParser, ReadsOptionsAnywhereAndEveryOtherArgumentAsAnOperand)
{
    const ParseCase cases[] = {
        {"options first", {"--words", "12", "div", "1"}, {"div", "1"}, {{"--words", {"12"}}}},
        {"options last", {"div", "1", "--words", "12"}, {"div", "1"}, {{"--words", {"12"}}}},
        {"value after =", {"div", "--words=12", "1"}, {"div", "1"}, {{"--words", {"12"}}}},
        {"empty value after =", {"div", "--words="}, {"div"}, {{"--words", {""}}}},
        {"negative numbers", {"ticks", "-1", "-1.5", "-x"}, {"ticks", "-1", "-1.5", "-x"}, {}},
        {"a value may start with -", {"at", "--words", "-3"}, {"at"}, {{"--words", {"-3"}}}},
        {"-- ends the options",
         {"--json", "--", "--words", "-5"},
         {"--words", "-5"},
         {{"--json", {""}}}},
        {"repeated values in order",
         {"--var", "a=1", "x", "--var", "b=2"},
         {"x"},
         {{"--var", {"a=1", "b=2"}}}},
        {"optional value given", {"x", "--out", "file.json"}, {"x"}, {{"--out", {"file.json"}}}},
        {"optional value as -", {"--out", "-", "x"}, {"x"}, {{"--out", {"-"}}}},
        {"optional value left out at the end", {"x", "--out"}, {"x"}, {{"--out", {""}}}},
        {"optional value left out before an option",
         {"x", "--out", "--json"},
         {"x"},
         {{"--out", {""}}, {"--json", {""}}}},
    };
    for (const ParseCase& test : cases) {
        SCOPED_TRACE(test.name);
        ParseOutcome outcome = parseArguments(test.arguments, kOptions, kOperands);
        ASSERT_EQ(outcome.problem, "");
        EXPECT_EQ(outcome.arguments.operands, test.operands);
        for (const Option& option : kOptions) {
            auto expected = test.values.find(std::string(option.name));
            EXPECT_EQ(outcome.arguments.values(option.name),
                      expected == test.values.end() ? std::vector<std::string>{} : expected->second)
                << option.name;
        }
    }
}

TEST(OptionParser, SaysWhatDoesNotFit)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"div", "--word", "12"}, "unknown option '--word'"},
        {{"div", "--words"}, "--words needs N"},
        {{"div", "--json=yes"}, "--json takes no value"},
        {{}, "missing OP"},
        {{"--json"}, "missing OP"},
    };
    for (const auto& [arguments, problem] : cases)
        EXPECT_EQ(parseArguments(arguments, kOptions, kOperands).problem, problem);
    constexpr Operand kTwo[] = {{"A", ValueKind::Text, {}, Operand::One},
                                {"B", ValueKind::Text, {}, Operand::Optional}};
    EXPECT_EQ(parseArguments(std::vector<std::string>{"1", "2", "3"}, kOptions, kTwo).problem,
              "unexpected argument '3'");
    // --help wins over every problem but an unknown option before it.
    ParseOutcome help = parseArguments(std::vector<std::string>{"--help"}, kOptions, kOperands);
    EXPECT_TRUE(help.help);
    EXPECT_EQ(help.problem, "");
}

// --- Every subcommand through the conventions -------------------------------------------------

const std::string kExamples = std::string(KESTRANE_SOURCE_DIR) + "/examples/";

// One subcommand's cases: a good call split into its options and operands,
// a call whose input is refused (with --json where the command has it), and
// a call naming a file that does not exist.
struct CommandCase {
    std::string command;
    std::vector<std::string> options;
    std::vector<std::string> operands;
    std::vector<std::string> refused;
    std::vector<std::string> missingFile;
};

class CommandConventions : public ::testing::Test {
protected:
    void SetUp() override
    {
        setProgramPath(std::string(KESTRANE_BINARY_DIR) + "/bin/kestrane-cli");
        m_badScript = m_directory.write("bad.kst", "1void start()\r\nA=pont(1,1)\r\nEND\r\n");
        m_badFrames = m_directory.write("bad.frm", "junk");
        m_badSolid = m_directory.write("bad.txt", "0001  0002  \r\n0000  0000");
        m_badFraction = m_directory.write("bad.fra", "Kestrane v. 1.8\r\n\x01junk");
        m_badFunction = m_directory.write("bad.fct", "no function here");
    }

    std::string missing() const { return (m_directory / "missing.file").string(); }

    std::vector<CommandCase> cases() const
    {
        const std::string cube = kExamples + "solids/cube.txt";
        const std::string frames = kExamples + "solids/cube_turning.frm";
        return {
            {"primes", {"--count"}, {}, {}, {}},
            {"options", {"--json"}, {m_directory.path().string()}, {}, {"options", missing()}},
            {"check",
             {"--json"},
             {kExamples + "triangle.kst"},
             {"check", m_badScript, "--json"},
             {"check", missing()}},
            {"run",
             {"--json", "-"},
             {kExamples + "triangle.kst"},
             {"run", m_badScript, "--json"},
             {"run", missing()}},
            {"long",
             {"--words", "12"},
             {"div", "-1", "3"},
             {"long", "div", "1", "0", "--json"},
             {}},
            {"longint", {"--json"}, {"mul", "-3", "4"}, {"longint", "div", "1", "0", "--json"}, {}},
            {"solid",
             {"--kind", "polyhedron"},
             {cube},
             {"solid", m_badSolid, "--json"},
             {"solid", missing()}},
            {"frames",
             {"--info"},
             {frames},
             {"frames", m_badFrames, "--json"},
             {"frames", missing()}},
            {"expr", {"--hex"}, {"-1/2"}, {"expr", "1+", "--json"}, {}},
            {"edit", {"--start", "1"}, {"+2"}, {"edit", "--start", "1+", "2", "--json"}, {}},
            {"calc", {"--digits", "54"}, {"-1/3"}, {"calc", "1+", "--json"}, {}},
            {"simplify",
             {"--json"},
             {"-sqrt(12)"},
             {"simplify", "sqrt(x", "--json"},
             {"simplify", "--file", missing()}},
            {"fraction",
             {"--json"},
             {"read", kExamples + "textbook.fra"},
             {"fraction", "read", m_badFraction, "--json"},
             {"fraction", "read", missing()}},
            {"eval",
             {"--at", "-1"},
             {kExamples + "bell.fct"},
             {"eval", "--expr", "1+", "--json"},
             {"eval", missing()}},
            {"roots",
             {"--numeric"},
             {"1", "-6", "11", "-6"},
             {"roots", "0", "1", "1", "--json"},
             {}},
            {"ticks", {"--json"}, {"500", "-1", "3"}, {}, {}},
            {"plot",
             {"--json", "-"},
             {kExamples + "bell.fct"},
             {"plot", m_badFunction, "--json"},
             {"plot", missing()}},
            {"graph-window", {"--type", "x"}, {}, {}, {}},
            {"words", {"--json"}, {"curves"}, {}, {}},
            {"keys", {"--json"}, {"editor"}, {}, {}},
            {"help", {}, {"long"}, {}, {}},
        };
    }

    kestrane::testing::TempDir m_directory;
    std::string m_badScript, m_badFrames, m_badSolid, m_badFraction, m_badFunction;
};

std::vector<std::string> joined(const std::string& command,
                                std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> arguments{command};
    for (const auto& part : parts)
        arguments.insert(arguments.end(), part.begin(), part.end());
    return arguments;
}

TEST_F(CommandConventions, TheTablesCoverEveryCommand)
{
    std::vector<CommandCase> all = cases();
    ASSERT_EQ(all.size(), commands().size());
    for (std::size_t index = 0; index < all.size(); ++index)
        EXPECT_EQ(all[index].command, commands()[index].name);
}

TEST_F(CommandConventions, OptionsMayComeBeforeOrAfterTheOperandsAndDashDashEndsThem)
{
    for (const CommandCase& test : cases()) {
        SCOPED_TRACE(test.command);
        Outcome first = runCaptured(joined(test.command, {test.options, test.operands}));
        EXPECT_EQ(first.status, kSuccess) << first.err;
        EXPECT_FALSE(first.out.empty());
        Outcome last = runCaptured(joined(test.command, {test.operands, test.options}));
        EXPECT_EQ(last.status, kSuccess) << last.err;
        EXPECT_EQ(last.out, first.out);
        Outcome ended = runCaptured(joined(test.command, {test.options, {"--"}, test.operands}));
        EXPECT_EQ(ended.status, kSuccess) << ended.err;
        EXPECT_EQ(ended.out, first.out);
    }
}

TEST_F(CommandConventions, HelpIsTheSameAsHelpCommand)
{
    for (const Command& command : commands()) {
        SCOPED_TRACE(command.name);
        std::string name(command.name);
        Outcome help = runCaptured({"help", name});
        EXPECT_EQ(help.status, kSuccess);
        EXPECT_EQ(help.out.rfind("Usage: kestrane-cli " + name, 0), 0u) << help.out;
        for (const Option& option : command.options)
            EXPECT_NE(help.out.find(std::string(option.name)), std::string::npos) << option.name;
        Outcome flag = runCaptured({name, "--help"});
        EXPECT_EQ(flag.status, kSuccess);
        EXPECT_EQ(flag.out, help.out);
    }
    EXPECT_EQ(runCaptured({"--version"}).out, "kestrane-cli " + std::string(version()) + "\n");
}

TEST_F(CommandConventions, TheCommandListKeepsItsColumnsApart)
{
    Outcome list = runCaptured({"help"});
    EXPECT_EQ(list.status, kSuccess);
    EXPECT_EQ(runCaptured({"--help"}).out, list.out);
    for (const Command& command : commands()) {
        std::string row = "\n  " + std::string(command.name) + "  ";
        EXPECT_NE(list.out.find(row), std::string::npos) << command.name;
    }
    std::size_t start = 0;
    while (start < list.out.size()) {
        std::size_t end = list.out.find('\n', start);
        EXPECT_LE(end - start, 80u) << list.out.substr(start, end - start);
        start = end + 1;
    }
}

TEST_F(CommandConventions, AnUnknownOptionIsAUsageError)
{
    for (const Command& command : commands()) {
        std::string name(command.name);
        Outcome outcome = runCaptured({name, "--no-such-option"});
        EXPECT_EQ(outcome.status, kUsageError) << name;
        EXPECT_EQ(outcome.out, "") << name;
        EXPECT_EQ(
            outcome.err.rfind("kestrane-cli " + name + ": unknown option '--no-such-option'", 0),
            0u)
            << outcome.err;
    }
}

TEST_F(CommandConventions, RefusedInputExitsOneWithJsonOfANullResult)
{
    for (const CommandCase& test : cases()) {
        if (test.refused.empty())
            continue;
        SCOPED_TRACE(test.command);
        Outcome outcome = runCaptured(test.refused);
        EXPECT_EQ(outcome.status, kRefused) << outcome.err;
        // Standard output holds the JSON alone: one object with a null result
        // and the messages also printed on standard error.
        ASSERT_FALSE(outcome.out.empty());
        EXPECT_EQ(outcome.out.front(), '{') << outcome.out;
        EXPECT_EQ(outcome.out.substr(outcome.out.size() - 2), "}\n") << outcome.out;
        EXPECT_NE(outcome.out.find("\"result\":null"), std::string::npos) << outcome.out;
        EXPECT_NE(outcome.out.find("\"messages\""), std::string::npos) << outcome.out;
        // The reason is a message, on standard error too; check's problem is
        // its result, in "message".
        if (test.command == "check") {
            EXPECT_NE(outcome.out.find("\"message\":\"No such name."), std::string::npos);
            continue;
        }
        EXPECT_NE(outcome.out.find("\"caption\""), std::string::npos) << outcome.out;
        EXPECT_FALSE(outcome.err.empty());
    }
}

// Whether the text is one JSON document on one line: no blank or line break
// outside its strings, and one line break after it.
bool compactOnOneLine(const std::string& text)
{
    if (text.empty() || text.back() != '\n')
        return false;
    bool inString = false;
    for (std::size_t index = 0; index + 1 < text.size(); ++index) {
        char character = text[index];
        if (inString && character == '\\')
            ++index;
        else if (character == '"')
            inString = !inString;
        else if (!inString && (character == ' ' || character == '\n' || character == '\t'))
            return false;
    }
    return !inString;
}

TEST_F(CommandConventions, EveryJsonDocumentIsCompactOnOneLine)
{
    for (const CommandCase& test : cases()) {
        SCOPED_TRACE(test.command);
        std::vector<std::vector<std::string>> calls;
        if (std::ranges::find(test.options, "--json") != test.options.end())
            calls.push_back(joined(test.command, {test.options, test.operands}));
        if (!test.refused.empty())
            calls.push_back(test.refused);
        for (const auto& call : calls) {
            Outcome outcome = runCaptured(call);
            EXPECT_TRUE(compactOnOneLine(outcome.out)) << outcome.out;
        }
    }
    for (const std::vector<std::string>& call :
         {std::vector<std::string>{"run", kExamples + "tesseract.kst", "--json"},
          {"run", kExamples + "curves.kst", "--json"},
          {"eval", "--expr", "1/x", "--at", "0", "--at", "2", "--json"},
          {"roots", "1", "0", "1", "--json"},
          {"solid", kExamples + "solids/tesseract.txt"},
          {"graph-window", "--type", "x", "--json"}}) {
        SCOPED_TRACE(call.front());
        Outcome outcome = runCaptured(call);
        EXPECT_TRUE(compactOnOneLine(outcome.out)) << outcome.out;
    }
}

TEST_F(CommandConventions, AFileNamedOnTheCommandLineThatCannotBeReadExitsTwo)
{
    for (const CommandCase& test : cases()) {
        if (test.missingFile.empty())
            continue;
        Outcome outcome = runCaptured(test.missingFile);
        EXPECT_EQ(outcome.status, kUsageError) << test.command << ": " << outcome.err;
        EXPECT_EQ(outcome.out, "") << test.command;
    }
}

} // namespace
} // namespace kestrane::cli
