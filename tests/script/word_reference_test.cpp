// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_reference.h"
#include "script_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

struct ModuleName {
    std::string text;
    std::optional<int> module;
};

TEST(WordReference, ModulesAreFoundByCodeOrNameIgnoringCaseAndBlanks)
{
    const ModuleName cases[] = {
        {"503", 503},
        {"Dimension 3", 503},
        {"dimension3", 503},
        {"CURVES", 508},
        {"fractions and roots", 505},
        {"604", 604},
        {"Kestrane", 501},
        {"500", std::nullopt},
        {"", std::nullopt},
        {"Dimension", std::nullopt},
    };
    for (const ModuleName& item : cases)
        EXPECT_EQ(parseModule(item.text), item.module) << item.text;
}

// The forms are what the checker accepts: one per argument list, the
// attribute's value, the list of points, and the refusal of an empty table.
TEST(WordReference, FormsFollowTheArgumentLists)
{
    auto formsOf = [](std::string_view word, int module) {
        return callForms(*matchWord(word, module).entry);
    };
    EXPECT_EQ(formsOf("circle", 501),
              (std::vector<std::string>{"circle(point, point)", "circle(point, distance)"}));
    EXPECT_EQ(formsOf("name", 501).front(), "name(point) = value");
    EXPECT_EQ(formsOf("polygon", 501), std::vector<std::string>{"polygon(point, point, ...)"});
    EXPECT_EQ(formsOf("NoNames", 501), std::vector<std::string>{"NoNames"});
    EXPECT_EQ(formsOf("PntSymm", 501),
              std::vector<std::string>{"PntSymm(...): refused in this module"});
    EXPECT_EQ(formsOf("Cell", 604),
              std::vector<std::string>{"Cell(polytope, integer), arguments not checked"});
    EXPECT_EQ(resultName(*matchWord("sphere", 503).entry), "sphere");
    EXPECT_EQ(resultName(*matchWord("Break", 503).entry), "none");
}

// A module reads some words from its own table and others from the general
// one; the reference shows the entry the module actually uses.
TEST(WordReference, ModulePagesShowTheEntryTheModuleReads)
{
    for (int module : referenceModules()) {
        std::vector<ReferenceWord> words = moduleReference(module);
        ASSERT_FALSE(words.empty()) << module;
        for (const ReferenceWord& item : words) {
            EXPECT_EQ(matchWord(item.entry->word, module).entry, item.entry);
            EXPECT_NE(item.help, nullptr) << item.entry->word << " in " << module;
        }
    }
    std::string text = referenceText(604);
    EXPECT_EQ(text.rfind("Dimension 4 (604)\n", 0), 0u);
    EXPECT_NE(
        text.find("\npoint\n  point(integer, integer, integer, integer), arguments not checked\n"
                  "  result: point4\n"),
        std::string::npos);
}

TEST(WordReference, PagesLinkEveryModuleAndHoldEveryWordAsAnAnchor)
{
    auto pages = referencePages();
    ASSERT_GE(pages.size(), 2 + referenceModules().size());
    EXPECT_EQ(pages[0].first, "index.html");
    EXPECT_EQ(pages[1].first, "rules.html");
    for (std::size_t index = 2; index < pages.size(); ++index)
        EXPECT_NE(pages[0].second.find("href=\"" + pages[index].first + "\""), std::string::npos);
    for (int module : referenceModules()) {
        for (const ReferenceWord& item : moduleReference(module)) {
            auto [page, anchor] = referenceLocation(item.entry->word, module);
            auto found = std::find_if(pages.begin(), pages.end(),
                                      [&](const auto& named) { return named.first == page; });
            ASSERT_NE(found, pages.end()) << page;
            EXPECT_NE(found->second.find("<h2 id=\"" + anchor + "\">"), std::string::npos)
                << item.entry->word << " on " << page;
        }
    }
    // Text from the table is escaped, never taken as markup.
    auto kestrane = std::find_if(pages.begin(), pages.end(),
                                 [](const auto& named) { return named.first == "kestrane.html"; });
    ASSERT_NE(kestrane, pages.end());
    EXPECT_NE(kestrane->second.find("#include &lt;geometry.ksu&gt;"), std::string::npos);
}

} // namespace
} // namespace kestrane
