// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_host.h"
#include "script/script_file.h"
#include "script/script_loader.h"
#include "script_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

using testing::scriptText;
using testing::TemporaryDirectory;
using Lines = std::vector<std::string>;

TEST(SplitLines, FollowsTheCarriageReturnRule)
{
    EXPECT_EQ(splitLines(""), Lines{""});
    EXPECT_EQ(splitLines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\n\r\nb"), (Lines{"a", "", "", "b"}));
    EXPECT_EQ(splitLines("a\r\nb\nc"), (Lines{"a", "b\nc"})) << "LF alone is no break beside CR LF";
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb"), (Lines{"a", "b"}));
}

TEST(SplitLines, TextWithoutCarriageReturnsBreaksAtEachLineFeed)
{
    EXPECT_EQ(splitLines("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\n\nb\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("\n"), (Lines{""}));
}

TEST(SplitLines, KeepsEveryLineOfALongText)
{
    std::string text;
    for (int line = 0; line < 10005; ++line)
        text += "x\r\n\r\n";
    text += "last";
    std::vector<std::string> lines = splitLines(text);
    ASSERT_EQ(lines.size(), 20011u);
    EXPECT_EQ(lines.back(), "last");
}

TEST(SourceLine, FlagsFollowTheText)
{
    SourceLine line(3, 501, "   END");
    EXPECT_TRUE(line.isEnd());
    EXPECT_TRUE(line.hasCode());
    line.setText("  #include <a.ksu>");
    EXPECT_TRUE(line.startsWithHash());
    EXPECT_FALSE(line.hasCode());
    EXPECT_FALSE(line.isEnd());
    line.setText("  // note");
    EXPECT_FALSE(line.hasCode());
    line.setText("   ");
    EXPECT_FALSE(line.hasCode());
    line.setText("END x");
    EXPECT_FALSE(line.isEnd());
}

TEST(ModuleCharacter, RoundTripsEveryModule)
{
    EXPECT_EQ(moduleCharacter(501), '1');
    EXPECT_EQ(moduleCharacter(508), '8');
    for (int module : {501, 502, 503, 504, 505, 506, 507, 508, 604})
        EXPECT_EQ(moduleFromCharacter(moduleCharacter(module)), module);
    EXPECT_EQ(moduleFromCharacter('A'), 517);
}

class IncludeLoading : public ::testing::Test {
protected:
    std::unique_ptr<ScriptFile> load(const std::string& directory, std::string_view text)
    {
        ScriptLoader loader(host, directories);
        return loader.build(text, 501, "main.kst", directory + "/main.kst", directory);
    }
    std::string firstLineOfInclude(const ScriptFile& file)
    {
        return file.includes.empty() ? std::string("(none)") : file.includes[0]->lines[0].text();
    }

    TemporaryDirectory root;
    ScriptedHost host;
    Directories directories;
};

TEST_F(IncludeLoading, SearchesOwnMainWorkingLibraryInOrder)
{
    directories.main = root / "main";
    directories.working = root / "working";
    directories.library = root / "library";
    root.write("library/a.ksu", "1from library");
    std::string text = "#include <a.ksu>";
    EXPECT_EQ(firstLineOfInclude(*load(root / "own", text)), "from library");
    root.write("working/a.ksu", "1from working");
    EXPECT_EQ(firstLineOfInclude(*load(root / "own", text)), "from working");
    root.write("main/a.ksu", "1from main");
    EXPECT_EQ(firstLineOfInclude(*load(root / "own", text)), "from main");
    root.write("own/a.ksu", "1from own");
    EXPECT_EQ(firstLineOfInclude(*load(root / "own", text)), "from own");
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(IncludeLoading, ParentPrefixClimbsFromTheIncludingDirectory)
{
    root.write("x/lib/a.ksu", "Bparent");
    root.write("x/y/lib/a.ksu", "Bsame directory");
    auto file = load(root / "x/y", "  #include   <..\\lib\\a.ksu>");
    EXPECT_EQ(firstLineOfInclude(*file), "parent");
    EXPECT_EQ(file->includes[0]->moduleCode, moduleFromCharacter('B'));
    EXPECT_EQ(file->includes[0]->name, "..\\lib\\a.ksu");
}

TEST_F(IncludeLoading, ParentPrefixClimbsFromTheRealDirectoryOfAMainNamedRelatively)
{
    root.write("x/lib/a.ksu", "1parent");
    root.write("x/y/main.kst", "1#include <..\\lib\\a.ksu>\r\nstart()\r\nEND");
    root.write("elsewhere/lib/a.ksu", "1wrong");
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(root / "x/y");
    ScriptLoader loader(host, directories);
    auto bare = loader.openMainFile("main.kst", 501);
    std::filesystem::current_path(root / "x");
    auto relative = loader.openMainFile("y/../y/main.kst", 501);
    std::filesystem::current_path(root / "elsewhere");
    auto absolute = loader.openMainFile(root / "x/y/main.kst", 501);
    std::filesystem::current_path(saved);
    for (const auto* file : {bare.get(), relative.get(), absolute.get()}) {
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(firstLineOfInclude(*file), "parent");
    }
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(IncludeLoading, AnAbsoluteNameIsUsedAsItIs)
{
    std::string library = root.write("lib/a.ksu", "1absolute");
    root.write("main" + library, "1joined");
    auto file = load(root / "main", "#include <" + library + ">");
    EXPECT_EQ(firstLineOfInclude(*file), "absolute");
}

TEST_F(IncludeLoading, NestedIncludesSearchTheirOwnDirectoryFirst)
{
    root.write("lib/b.ksu", "2#include <c.ksu>\r\nb");
    root.write("lib/c.ksu", "2in lib");
    root.write("main/c.ksu", "2in main");
    auto file = load(root / "main", "#include <..\\lib\\B.KSU>");
    ASSERT_EQ(file->includes.size(), 1u);
    ASSERT_EQ(file->includes[0]->includes.size(), 1u);
    EXPECT_EQ(file->includes[0]->includes[0]->lines[0].text(), "in lib");
}

TEST_F(IncludeLoading, RefusedIncludesAreReportedAndLeftOut)
{
    root.write("only.ksu", "1");
    root.write("empty.ksu", "");
    root.write("wrong.ksu", "9text");
    root.write("good.ksu", "4text");
    auto file =
        load(root.path().string(),
             scriptText({"#include <missing.ksu>", "#include <only.ksu>", "#include <empty.ksu>",
                         "#include <wrong.ksu>", "#include <good.ksu>", "#includ <good.ksu>",
                         "#include good.ksu"}));
    ASSERT_EQ(host.messages().size(), 4u);
    EXPECT_EQ(host.messages()[0].text, load_message::kIncludeMissing);
    EXPECT_EQ(host.messages()[1].text, load_message::kIncludeEmpty);
    EXPECT_EQ(host.messages()[2].text, load_message::kIncludeEmpty);
    EXPECT_EQ(host.messages()[3].text, load_message::kWrongFirstCharacter);
    for (const auto& message : host.messages())
        EXPECT_EQ(message.caption, "Error");
    ASSERT_EQ(file->includes.size(), 1u);
    EXPECT_EQ(file->includes[0]->name, "good.ksu");
}

TEST_F(IncludeLoading, CyclesAreRefusedWithAMessage)
{
    root.write("a.ksu", "1#include <b.ksu>");
    root.write("b.ksu", "1#include <a.ksu>");
    root.write("self.ksu", "1#include <self.ksu>");
    auto file = load(root.path().string(), scriptText({"#include <a.ksu>", "#include <self.ksu>"}));
    ASSERT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[0].text, load_message::kIncludeCycle);
    EXPECT_EQ(host.messages()[1].text, load_message::kIncludeCycle);
    ASSERT_EQ(file->includes.size(), 2u);
    EXPECT_EQ(file->includes[0]->includes.size(), 1u);
    EXPECT_TRUE(file->includes[0]->includes[0]->includes.empty());
}

TEST_F(IncludeLoading, MainFileModuleComesFromTheFirstByte)
{
    ScriptLoader loader(host, directories);
    auto file = loader.openMainFile(root.write("three.kst", "3start()\r\nEND"), 501);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->moduleCode, 503);
    EXPECT_EQ(file->lines.size(), 2u);
    EXPECT_EQ(file->fileBytes(), "3start()\r\nEND");
    EXPECT_FALSE(loader.openMainFile(root.write("bad.kst", "xstart()"), 501));
    EXPECT_FALSE(loader.openMainFile(root / "none.kst", 501));
    ASSERT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[0].text, load_message::kWrongFirstCharacter);
    EXPECT_EQ(host.messages()[1].text, load_message::kMainMissing);
}

} // namespace
} // namespace kestrane
