// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/module.h"
#include "script/words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kestrane {
namespace {

struct LookupCase {
    std::string word;
    int module;
    int code;
};

TEST(WordLookup, FindsCodesPerModule)
{
    const LookupCase cases[] = {
        {"line", 501, 13},
        {"line", 503, 0},
        {"line", 504, 0},
        {"Line", 501, 0},
        {"Move", 501, 0},
        {"Move", 502, 32},
        {"sphere", 503, 84},
        {"point", 503, 16},
        {"point", 604, type::kPoint4},
        {"polygon", 604, type::kPolygon4},
        {"plane", 604, type::kPlane4},
        {"Cell", 604, 155},
        {"StartIf", 504, 34},
        {"then", 508, 34},
        {"1.5", 508, type::kDecimal},
        {"1.5", 501, type::kDecimal},
        {"-0.25", 502, type::kDecimal},
        {"1.", 501, 0},
        {"1.5", 503, 0},
        {"15", 508, type::kInteger},
        {"-", 501, type::kInteger},
        {"$ab", 505, type::kString},
        {"$a b", 505, type::kText},
        {"Rectangle", 507, 170},
        {"Value", 506, 198},
        {"QuadraticFunct", 507, 0},
        {"Dimension4", 504, 604},
        {"#include", 508, 143},
    };
    for (const LookupCase& item : cases)
        EXPECT_EQ(lookUpWord(item.word, item.module), item.code)
            << item.word << " in " << item.module;
}

TEST(WordLookup, KindsFollowTheModule)
{
    EXPECT_EQ(matchWord("AnalyticF", 508).kind, WordKind::Call);
    EXPECT_EQ(matchWord("AnalyticF", 505).kind, WordKind::Unchecked);
    EXPECT_EQ(matchWord("Rectangle", 507).kind, WordKind::Unchecked);
    EXPECT_EQ(matchWord("Rectangle", 504).kind, WordKind::Call);
    EXPECT_EQ(matchWord("Pyramid", 604).kind, WordKind::Unchecked);
    EXPECT_EQ(matchWord("name", 501).kind, WordKind::Attribute);
}

TEST(WordLookup, ArgumentListsDifferForGeneralWords)
{
    EXPECT_EQ(entryForCode(16, 502)->lists,
              (std::vector<ArgumentList>{{17, 17}, {208, 208}, {208, 17}, {17, 208}}));
    EXPECT_EQ(entryForCode(16, 503)->lists, (std::vector<ArgumentList>{{17, 17, 17}}));
    EXPECT_TRUE(entryForCode(16, 505)->lists.empty());
    EXPECT_EQ(entryForCode(25, 502)->lists.size(), 8u);
    EXPECT_EQ(entryForCode(25, 504)->lists, (std::vector<ArgumentList>{{16}}));
    EXPECT_EQ(entryForCode(115, 503)->result, type::kPoint);
    EXPECT_EQ(entryForCode(115, 502)->result, type::kNone);
    EXPECT_EQ(entryForCode(34, 604)->result, type::kPoint4);
    EXPECT_EQ(entryForCode(185, 506)->lists.size(), 8u);
    EXPECT_EQ(entryForCode(199, 507)->lists.size(), 16u);
    EXPECT_EQ(entryForCode(94, 503)->lists.size(), 6u);
    EXPECT_EQ(entryForCode(81, 502)->lists.back().size(), 5u);
}

// Every type in an argument list or result must be a type the help pages
// can name, and every word of a module must look up to its own entry.
TEST(WordTable, IsConsistent)
{
    for (const WordEntry& entry : wordTable()) {
        SCOPED_TRACE(std::string(entry.word));
        for (const ArgumentList& list : entry.lists) {
            for (int code : list)
                EXPECT_FALSE(typeName(code).empty()) << code;
        }
        if (entry.result != type::kNone) {
            EXPECT_FALSE(typeName(entry.result).empty()) << entry.result;
        }
    }
    for (const ModuleInfo& info : moduleTable()) {
        for (std::string_view word : wordsOfModule(code(info.module)))
            EXPECT_NE(lookUpWord(word, code(info.module)), 0) << word;
    }
    auto kestrane = wordsOfModule(501);
    EXPECT_TRUE(std::binary_search(kestrane.begin(), kestrane.end(), "polygon"));
    EXPECT_FALSE(std::binary_search(kestrane.begin(), kestrane.end(), "vector"));
}

TEST(ConstantWords, HaveClasses)
{
    EXPECT_EQ(constantWord("red"), 306);
    EXPECT_EQ(valueClass(constantWord("red")), type::kColourClass);
    EXPECT_EQ(valueClass(constantWord("yes")), type::kYesNo);
    EXPECT_EQ(valueClass(constantWord("transparent")), type::kNone);
    EXPECT_EQ(constantWord("olive"), 0);
    EXPECT_EQ(constantWord("Red"), -1);
    EXPECT_EQ(valueClass(type::kRgb), type::kColourClass);
}

} // namespace
} // namespace kestrane
