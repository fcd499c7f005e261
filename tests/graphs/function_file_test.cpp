// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "graphs/function_file.h"
#include "graphs/script_expressions.h"

#include <gtest/gtest.h>

#include <random>

namespace kestrane {
namespace {

std::string expressionBytes(const std::string& text)
{
    TextParseResult parsed = parseExpressionText(text);
    EXPECT_TRUE(parsed.tree) << parsed.error;
    std::string bytes;
    EXPECT_TRUE(serializeExpression(*parsed.tree, bytes));
    return bytes;
}

TEST(FunctionFile, ReadsDomainAndExpression)
{
    std::string bytes = "domain: -1.5 2,25\r\nstart:\r\n" + expressionBytes("sin(x)+x^2");
    FunctionFileRead read = parseFunctionFile(bytes);
    ASSERT_TRUE(read.file) << read.message;
    EXPECT_DOUBLE_EQ(read.file->lower, -1.5);
    EXPECT_DOUBLE_EQ(read.file->upper, 2.25);
    EXPECT_EQ(printExpressionText(*read.file->expression), "sin(x)+x^2");
}

TEST(FunctionFile, WrittenFileReadsBack)
{
    TextParseResult parsed = parseExpressionText("sqrt(x+1)/(x-2)");
    ASSERT_TRUE(parsed.tree);
    std::string bytes = writeFunctionFile(*parsed.tree, -0.125, 3);
    FunctionFileRead read = parseFunctionFile(bytes);
    ASSERT_TRUE(read.file);
    // The writer keeps two decimals; the reader keeps what it gets.
    EXPECT_DOUBLE_EQ(read.file->lower, -0.12);
    EXPECT_DOUBLE_EQ(read.file->upper, 3);
    EXPECT_TRUE(sameTree(*read.file->expression, *parsed.tree));
}

TEST(FunctionFile, DomainEndsAreMended)
{
    std::string expression = "\r\nstart:\r\n" + expressionBytes("x");
    struct Case {
        const char* domain;
        double lower;
        double upper;
    } cases[] = {{"domain: 4 -2", -2, 4}, {"domain: 3 3", 0, 1}, {"domain:", 0, 1}, {"", 0, 1}};
    for (const Case& test : cases) {
        FunctionFileRead read = parseFunctionFile(test.domain + expression);
        ASSERT_TRUE(read.file) << test.domain;
        EXPECT_DOUBLE_EQ(read.file->lower, test.lower) << test.domain;
        EXPECT_DOUBLE_EQ(read.file->upper, test.upper) << test.domain;
    }
}

TEST(FunctionFile, MalformedFilesGetTheCorruptFractionMessage)
{
    for (std::string bytes : {std::string("domain: 0 1\r\n"), std::string("domain: 0 1\r\nstart:"),
                              std::string("domain: 0 1\r\nstart:\r\n1+2"),
                              "domain: 0 1\r\nstart:\r\n" + expressionBytes("x+1").substr(0, 9)}) {
        FunctionFileRead read = parseFunctionFile(bytes);
        EXPECT_FALSE(read.file);
        EXPECT_EQ(read.caption, kCorruptFractionCaption);
        EXPECT_EQ(read.message, kCorruptFractionText);
    }
}

// Random damage to a good file: a message or a function, never a crash.
TEST(FunctionFile, SurvivesDamagedBytes)
{
    std::string good = "domain: -2 2\r\nstart:\r\n" + expressionBytes("sqrt(x^2+1)*exp(-x)/(x-1)");
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = good;
        int changes = 1 + static_cast<int>(random() % 4);
        for (int change = 0; change < changes; ++change) {
            std::size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:
                bytes.erase(at, 1 + random() % 3);
                break;
            default:
                bytes.insert(at, 1, static_cast<char>(random()));
                break;
            }
            if (bytes.empty())
                bytes = "x";
        }
        FunctionFileRead read = parseFunctionFile(bytes);
        EXPECT_TRUE(read.file || !read.message.empty());
    }
}

// Found by fuzzing: a first line of a few thousand nested parentheses and
// exponents read as linear notation exhausted the stack. The reader now
// stops at its nesting limit with a message; a moderately deep text still
// reads.
TEST(ExpressionFile, DeeplyNestedTextGetsAMessageNotACrash)
{
    for (int depth : {3000, 1500}) {
        std::string text = "x^x^(";
        for (int level = 0; level < depth; ++level)
            text += level % 3 == 0 ? "x^(" : "(";
        ExpressionFileRead read = parseExpressionFile(text);
        EXPECT_FALSE(read.file) << depth;
        EXPECT_FALSE(read.message.empty()) << depth;
        EXPECT_FALSE(parseExpressionText(text).tree) << depth;
    }
    std::string nested = std::string(200, '(') + "x+1" + std::string(200, ')');
    ExpressionFileRead read = parseExpressionFile(nested);
    ASSERT_TRUE(read.file);
    EXPECT_EQ(printExpressionText(*read.file->expression), nested);
}

} // namespace
} // namespace kestrane

