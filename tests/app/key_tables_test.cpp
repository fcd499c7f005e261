// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/key_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrane {
namespace {

const char* const kWindows[] = {"construction", "editor", "graph", "fractions", "calculator"};

TEST(WindowKeyTables, EveryWindowHasSoundKeysWithHelpAndQuit)
{
    for (const char* name : kWindows) {
        const WindowKeyTable* table = findWindowKeyTable(name);
        ASSERT_NE(table, nullptr) << name;
        EXPECT_EQ(keyTableFaults(table->bindings), std::vector<std::string>{}) << name;
        const KeyBinding* quit = findKeyBinding(table->bindings, *parseKeyChord("Ctrl+Q"));
        ASSERT_NE(quit, nullptr) << name;
        EXPECT_EQ(quit->standard, StandardKey::Quit) << name;
        const KeyBinding* help = findKeyBinding(table->bindings, *parseKeyChord("F1"));
        ASSERT_NE(help, nullptr) << name;
        EXPECT_EQ(help->standard, StandardKey::HelpContents) << name;
        for (const KeyBinding& binding : table->bindings)
            EXPECT_FALSE(binding.description.empty()) << name << ' ' << binding.keys;
    }
    EXPECT_EQ(findWindowKeyTable("Editor"), nullptr);
}

TEST(WindowKeyTables, TheSteppingKeysReachTheSteppingCommands)
{
    struct Case {
        const char* window;
        const char* keys;
        const char* action;
    };
    // F7, F8 and F9 keep the editor's meanings (compile and start); in the
    // construction window they step a paused program.
    const Case cases[] = {
        {"editor", "F5", "toggleBreakpoint"}, {"editor", "Ctrl+F10", "runToCursor"},
        {"editor", "F9", "run"},              {"editor", "F7", "stepByStep"},
        {"construction", "F7", "stepInto"},   {"construction", "F8", "stepOver"},
        {"construction", "Shift+F8", "stepOut"}, {"construction", "F9", "continue"},
        {"construction", "F6", "watch"},
    };
    for (const Case& test : cases) {
        const KeyBinding* binding =
            findKeyBinding(findWindowKeyTable(test.window)->bindings, *parseKeyChord(test.keys));
        ASSERT_NE(binding, nullptr) << test.window << ' ' << test.keys;
        EXPECT_EQ(binding->action, test.action) << test.window << ' ' << test.keys;
    }
}

TEST(WindowKeyTables, TheExpressionWindowsKeepTheirOwnMeaningsOfStandardKeys)
{
    struct Case {
        const char* window;
        const char* keys;
        const char* action;
    };
    const Case cases[] = {
        {"graph", "Ctrl+S", "Sin"},          {"graph", "Ctrl+C", "Cos"},
        {"graph", "Ctrl+O", "Open"},         {"graph", "Ctrl+Shift+S", "Save as"},
        {"fractions", "Ctrl+N", "Fraction"}, {"fractions", "Ctrl+S", "substitute"},
        {"calculator", "Ctrl+C", "copy"},    {"editor", "Ctrl+S", "save"},
        {"editor", "Ctrl+W", "exit"},        {"construction", "Ctrl+O", "open"},
    };
    for (const Case& test : cases) {
        const KeyBinding* binding =
            findKeyBinding(findWindowKeyTable(test.window)->bindings, *parseKeyChord(test.keys));
        ASSERT_NE(binding, nullptr) << test.window << ' ' << test.keys;
        EXPECT_EQ(binding->action, test.action) << test.window << ' ' << test.keys;
    }
    for (const char* keys : {"Ctrl+O", "Ctrl+W"}) {
        const KeyBinding* binding =
            findKeyBinding(findWindowKeyTable("fractions")->bindings, *parseKeyChord(keys));
        EXPECT_TRUE(binding == nullptr || binding->standard == StandardKey::None) << keys;
    }
}

TEST(WindowKeyTables, TextJsonAndHelpPageListEveryKey)
{
    std::string text = keyTablesText(windowKeyTables());
    std::string json = keyTablesJson(windowKeyTables());
    std::string page = keysHelpPage();
    for (const WindowKeyTable& table : windowKeyTables()) {
        EXPECT_NE(text.find(std::string(table.title) + " (" + std::string(table.name) + ")"),
                  std::string::npos);
        EXPECT_NE(page.find("<h2 id=\"" + std::string(table.name) + "\">"), std::string::npos);
        for (const KeyBinding& binding : table.bindings) {
            EXPECT_NE(json.find("{\"keys\":\"" + std::string(binding.keys) + "\",\"action\":\"" +
                                std::string(binding.action) + "\""),
                      std::string::npos)
                << binding.keys;
        }
    }
    // Markup in a key or description is written as text.
    EXPECT_NE(page.find("<kbd>Ctrl+Shift+P</kbd>"), std::string::npos);
    EXPECT_EQ(page.find("\"NoName\""), std::string::npos);
    EXPECT_NE(page.find("&quot;NoName&quot;"), std::string::npos);
    EXPECT_EQ(json.rfind(R"({"windows":[{"name":"construction","title":"Construction window",)", 0),
              0u);
}

} // namespace
} // namespace kestrane
