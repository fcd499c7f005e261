// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/statement.h"
#include "runtime/store_json.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

struct StatementCase {
    const char* name;
    const char* text;
    const char* target;
    const char* word;
    const char* arguments;
    const char* value;
};

TEST(ReadStatement, SplitsTargetWordArgumentsAndValue)
{
    const StatementCase cases[] = {
        {"call with target", "A=point(1,2)\r\nnext", "A", "point", "1,2", ""},
        {"attribute", "Color(l)=RGB(1,2,3)", "", "Color", "l", "RGB(1,2,3)"},
        {"decimal", "d=12.5", "d", "12.5", "", ""},
        {"arithmetic", "e=a+b", "e", "a", "", ""},
        {"condition", "if A==B then StartIf", "", "if", "", ""},
        {"procedure call", "R=corner(A, B)", "R", "corner", "A, B", ""},
        {"plain", "NoNames", "", "NoNames", "", ""},
    };
    for (const StatementCase& test : cases) {
        SCOPED_TRACE(test.name);
        Statement statement = readStatement(test.text, 0);
        EXPECT_EQ(statement.target, test.target);
        EXPECT_EQ(statement.word, test.word);
        EXPECT_EQ(statement.argumentText, test.arguments);
        EXPECT_EQ(statement.value, test.value);
    }
}

TEST(ReadStatement, NextLineAndArguments)
{
    std::string text = "  s=segment(P,Q)\r\nEND";
    Statement statement = readStatement(text, 0);
    EXPECT_EQ(statement.line, "s=segment(P,Q)");
    EXPECT_EQ(text.substr(statement.next), "END");
    EXPECT_EQ(splitArguments("A, (B ,C"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(splitArguments(" ").empty());
    EXPECT_EQ(integerArgument("-12x"), -12);
    EXPECT_EQ(integerArgument("abc"), 0);
}

TEST(JsonString, EscapesQuotesBackslashesAndControls)
{
    EXPECT_EQ(jsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(jsonString("line\nnext\x01"), "\"line\\nnext\\u0001\"");
    EXPECT_EQ(jsonString("\xc5\x82"), "\"\xc5\x82\"");
}

} // namespace
} // namespace kestrane
