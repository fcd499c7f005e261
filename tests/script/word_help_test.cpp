// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_host.h"
#include "script/compiler.h"
#include "script/script_loader.h"
#include "script/word_help.h"
#include "script_test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace kestrane {
namespace {

std::string describe(const WordEntry& entry)
{
    std::ostringstream text;
    text << "word \"" << entry.word << "\" (code " << entry.code << ") in module";
    for (int module : modulesOfEntry(entry))
        text << ' ' << module;
    return text.str();
}

// A word added to the table without its help is named here, so that whoever
// adds it knows what to write in word_help_*.cpp.
TEST(WordHelp, EveryEntryOfTheTableHasADescriptionAndAnExample)
{
    for (const WordEntry& entry : wordTable()) {
        const WordHelp* help = helpFor(entry);
        ASSERT_NE(help, nullptr) << describe(entry) << " has no help in word_help_*.cpp";
        EXPECT_FALSE(help->description.empty()) << describe(entry) << " has no description";
        EXPECT_FALSE(help->example.empty()) << describe(entry) << " has no example";
        EXPECT_EQ(help->description.find('\n'), std::string_view::npos)
            << describe(entry) << ": the description is one line";
    }
}

TEST(WordHelp, EveryHelpBelongsToAnEntry)
{
    std::set<const WordHelp*> used;
    for (const WordEntry& entry : wordTable())
        used.insert(helpFor(entry));
    for (const WordHelp& help : wordHelpTable())
        EXPECT_TRUE(used.count(&help)) << "help of \"" << help.word << "\" matches no entry of the table";
}

TEST(WordHelp, EveryEntryServesAModule)
{
    for (const WordEntry& entry : wordTable())
        EXPECT_FALSE(modulesOfEntry(entry).empty()) << describe(entry);
}

// Every example compiles in the entry's first module, beside a function
// file as the Graphs examples expect.
TEST(WordHelp, EveryExampleCompilesInItsModule)
{
    testing::TemporaryDirectory directory;
    directory.write("parabola.fct", "x*x\r\n");
    directory.write("sinc2.fct", "sin(x)/x\r\n");
    ScriptedHost host;
    Directories directories;
    for (const WordEntry& entry : wordTable()) {
        const WordHelp* help = helpFor(entry);
        if (help == nullptr)
            continue; // reported by the completeness test
        int module = exampleModuleOf(entry, *help);
        ModuleState modules;
        modules.set(module);
        ScriptLoader loader(host, directories);
        std::string path = directory / "example.kst";
        auto file = loader.build(exampleScript(*help), module, path, path, directory.path().string());
        CompileResult result = Compiler(modules, host).compile(*file);
        EXPECT_TRUE(result.ok()) << describe(entry) << ": the example fails with \""
                                 << (result.error ? result.error->message : "") << "\" on line "
                                 << (result.error ? result.error->sourceLine + 1 : 0) << ":\n"
                                 << exampleScript(*help);
    }
}

TEST(WordHelp, ExampleScriptWrapsABodyAndKeepsAWholeProgram)
{
    WordHelp body{WordGroup::General, "x", "d", "A=point(1,2)\nB=point(3,4)"};
    EXPECT_EQ(exampleScript(body), "void start()\r\nA=point(1,2)\r\nB=point(3,4)\r\nEND");
    WordHelp whole{WordGroup::General, "x", "d", "void f()\nEND\nvoid start()\nEND"};
    EXPECT_EQ(exampleScript(whole), "void f()\r\nEND\r\nvoid start()\r\nEND");
}

} // namespace
} // namespace kestrane
