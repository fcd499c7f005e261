// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/options.h"
#include "platform/files.h"
#include "platform/window_options.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::TempDir;

TEST(OptionsFile, ReadsEachDirectoryAfterItsLabel)
{
    Directories read = parseOptions("Main directory:\r\n/home/ann\r\n\r\nLibrary directory:\r\n/srv/lib\r\n\r\n");
    EXPECT_EQ(read.main, "/home/ann");
    EXPECT_EQ(read.working, "");
    EXPECT_EQ(read.library, "/srv/lib");
    EXPECT_EQ(parseOptions("Main directory:\n/x\n").main, "x") << "the label and two line-end characters are skipped";
    EXPECT_EQ(parseOptions("Main directory:").main, "");
}

TEST(OptionsFile, WritesWorkingAndLibraryBlocksOnlyWhenLongerThanTwoCharacters)
{
    Directories directories;
    directories.main = "/home/ann";
    directories.working = "";
    directories.library = "/srv/lib";
    EXPECT_EQ(formatOptions(directories),
              "Main directory:\r\n/home/ann\r\n\r\nLibrary directory:\r\n/srv/lib\r\n\r\n");
    directories.working = "ab";
    directories.library = "abc";
    EXPECT_EQ(formatOptions(directories),
              "Main directory:\r\n/home/ann\r\n\r\nLibrary directory:\r\nabc\r\n\r\n");
    directories.main = "";
    EXPECT_EQ(parseOptions(formatOptions(directories)).library, "abc");
}

TEST(OptionsFile, TheHomeFileWinsOverTheProgramDirectoryFile)
{
    TempDir dir;
    auto program = dir / "program/options";
    auto home = dir / "config/kestrane/options";
    EXPECT_FALSE(readOptions(program, home));
    Directories programDirectories;
    programDirectories.main = "/from/program";
    ASSERT_TRUE(writeOptions(program, programDirectories));
    EXPECT_EQ(readOptions(program, home)->main, "/from/program");
    Directories homeDirectories;
    homeDirectories.main = "/from/home";
    ASSERT_TRUE(writeOptions(home, homeDirectories));
    EXPECT_EQ(readOptions(program, home)->main, "/from/home");
}

TEST(MainOpt, HoldsTheShowMessagesSwitchInItsFourteenthByte)
{
    TempDir dir;
    auto path = dir / "MainOpt";
    EXPECT_FALSE(readMainOpt(path));
    ASSERT_TRUE(writeMainOpt(path, true));
    EXPECT_EQ(readWholeFile(path), "ShowMessages=1");
    EXPECT_EQ(readMainOpt(path), true);
    ASSERT_TRUE(writeMainOpt(path, false));
    EXPECT_EQ(readWholeFile(path), "ShowMessages=0");
    EXPECT_EQ(readMainOpt(path), false);
    dir.write("MainOpt", "ShowMessages=x");
    EXPECT_FALSE(readMainOpt(path));
    dir.write("MainOpt", "Show");
    EXPECT_FALSE(readMainOpt(path));
}

TEST(WindowOptions, DefaultsWhenTheFileIsMissing)
{
    TempDir dir;
    WindowOptions options = readWindowOptions(dir / "FractOpt");
    EXPECT_EQ(options.expressionBackground, rgb(128, 255, 255));
    EXPECT_EQ(options.window, rgb(208, 208, 208));
    EXPECT_EQ(windowOptionsFileName(WindowOptionsKind::Fractions), "FractOpt");
    EXPECT_EQ(windowOptionsFileName(WindowOptionsKind::Graph), "FunOpt");
    EXPECT_EQ(windowOptionsFileName(WindowOptionsKind::Calculator), "CalcOpt");
}

TEST(WindowOptions, WritesTheExactFormatAndReadsItBack)
{
    WindowOptions options{"Times New Roman", 24, rgb(1, 2, 3), rgb(200, 100, 50)};
    std::string text = formatWindowOptions(options);
    EXPECT_EQ(text, "font:\r\nTimes New Roman\r\n24\r\n\r\nFraction's color:\r\n1 2 3 \r\n\r\n"
                    "Window's color:\r\n200 100 50 ");
    WindowOptions read = parseWindowOptions(text);
    EXPECT_EQ(read.fontName, "Times New Roman");
    EXPECT_EQ(read.fontHeight, 24);
    EXPECT_EQ(read.expressionBackground, rgb(1, 2, 3));
    EXPECT_EQ(read.window, rgb(200, 100, 50));
}

TEST(WindowOptions, RaisesAnOddFontHeightToTheNextEvenNumber)
{
    EXPECT_EQ(parseWindowOptions("font:\r\nArial\r\n15\r\n").fontHeight, 16);
    EXPECT_EQ(parseWindowOptions("font:\r\nArial\r\n16\r\n").fontHeight, 16);
}

TEST(WindowOptions, KeepsDefaultsForWhatAFileLacks)
{
    WindowOptions read = parseWindowOptions("font:\r\nArial\r\n12\r\n\r\nWindow's color:\r\n10 20 ");
    EXPECT_EQ(read.fontHeight, 12);
    EXPECT_EQ(read.expressionBackground, rgb(128, 255, 255));
    EXPECT_EQ(read.window, rgb(208, 208, 208)) << "a colour with two numbers is not read";
    EXPECT_EQ(parseWindowOptions("").fontName, "Arial");
}

} // namespace
} // namespace kestrane
