// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/lexical.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

struct ClassCase {
    std::string word;
    bool integer;
    bool string;
    bool text;
    bool decimal;
};

TEST(WordClasses, ClassifyWholeWords)
{
    const ClassCase cases[] = {
        {"", true, false, false, false},       {"-", true, false, false, false},
        {"-12", true, false, false, false},    {"12-", false, false, false, false},
        {"$", false, true, true, false},       {"$ab", false, true, true, false},
        {"$a b", false, false, true, false},   {"$a1=b+c", false, false, true, false},
        {"$a!", false, false, false, false},   {"1.5", false, false, false, true},
        {"1.5.2", false, false, false, false}, {"15", true, false, false, true},
        {"a", false, false, false, false},
    };
    for (const ClassCase& item : cases) {
        SCOPED_TRACE("word '" + item.word + "'");
        EXPECT_EQ(isIntegerLiteral(item.word), item.integer);
        EXPECT_EQ(isStringConstant(item.word), item.string);
        EXPECT_EQ(isTextConstant(item.word), item.text);
        EXPECT_EQ(isDecimalLiteral(item.word), item.decimal);
    }
    EXPECT_TRUE(isSignedDecimal("  -1.25"));
    EXPECT_FALSE(isSignedDecimal("--1"));
    EXPECT_TRUE(isLetter('\\') && isLetter('#') && isLetter('.'));
    EXPECT_FALSE(isLetter('$') || isLetter('_') || isLetter('\xE9'));
}

TEST(Normalise, CommentsBlanksAndSigns)
{
    const std::pair<std::string, std::string> cases[] = {
        {"   A = point( 1 , 2 )   ", "A=point(1,2)"},
        {"if a == b then", "if a==b then"},
        {"//comment", ""},
        {"   // indented comment", ""},
        {"a//x", "a"},
        {"ab/c", "ab/c"},
        {"   ", ""},
        {"x   y  z", "x y z"},
        {"f( point  A ,  line l )", "f(point A,line l)"},
        {"#include   <a.ksu>", "#include <a.ksu>"},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(normaliseLine(line), expected) << "line '" << line << "'";
}

TEST(Scanning, ReadWordTakesFirstCharacterAndFollowingLettersAndDigits)
{
    std::string text = "  (point A,l1.b)";
    TextSpan word = readWord(text, 0);
    EXPECT_EQ(text.substr(word.start, word.length), "(point");
    word = readWord(text, 11);
    EXPECT_EQ(text.substr(word.start, word.length), "l1.b");
    EXPECT_EQ(readWord(text, 100).length, 0u);
}

TEST(Scanning, ReadUpToLineAndFindWord)
{
    std::string text = "abc,de\r\n\r\nfg END ENDx";
    EXPECT_EQ(readUpTo(text, 0, ',').length, 4u);
    EXPECT_EQ(readUpTo(text, 5, ';').length, text.size() - 5);
    LineSpan line = readLine(text, 0);
    EXPECT_EQ(line.line.length, 6u);
    EXPECT_EQ(line.next, 10u);
    EXPECT_EQ(findWord(text, "END", 0, text.size()), 13u);
    EXPECT_EQ(findWord(text, "END", 14, text.size()), std::string::npos);
    EXPECT_EQ(findWord(text, "END", 0, 13), std::string::npos);
    std::string padded = "  a b  ";
    trimInPlace(padded);
    EXPECT_EQ(padded, "a b");
    EXPECT_EQ(copyText(text, 1, 2), "bc");
    EXPECT_EQ(copyText(text, 100, 2), "");
}

} // namespace
} // namespace kestrane
