// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/write_sandbox.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane::testing {
namespace {

namespace fs = std::filesystem;

// A program's folder with a subfolder, a folder beside it, and links from
// the program's folder to both.
class WriteSandboxTest : public ::testing::Test {
protected:
    WriteSandboxTest()
    {
        fs::create_directories(root / "program" / "sub");
        fs::create_directories(root / "elsewhere");
        fs::create_directories(root / "extra");
        fs::create_directory_symlink(root / "elsewhere", root / "program" / "away");
        fs::create_directory_symlink(root / "program" / "sub", root / "program" / "near");
        fs::create_symlink(root / "elsewhere" / "notes.txt", root / "program" / "dangling.txt");
        fs::create_symlink(root / "program" / "sub" / "kept.txt", root / "program" / "inner.txt");
        fs::create_symlink(root / "program" / "loop2", root / "program" / "loop1");
        fs::create_symlink(root / "program" / "loop1", root / "program" / "loop2");
    }

    std::optional<fs::path> place(const fs::path& target) const
    {
        WriteSandbox sandbox({(root / "program").string(), (root / "extra").string(), ""});
        return sandbox.place(target);
    }
    fs::path canonical(const fs::path& path) const { return fs::weakly_canonical(path); }

    TempDir root;
};

TEST_F(WriteSandboxTest, FilesInsideTheFoldersAreWrittenWhereTheyAre)
{
    const fs::path program = root / "program";
    EXPECT_EQ(place(program / "solid.txt"), canonical(program) / "solid.txt");
    EXPECT_EQ(place(program / "sub" / "deep.txt"), canonical(program) / "sub" / "deep.txt");
    EXPECT_EQ(place(program / "sub" / ".." / "back.txt"), canonical(program) / "back.txt");
    EXPECT_EQ(place(root / "extra" / "more.txt"), canonical(root / "extra") / "more.txt");
    // Links that stay inside are followed: the file they lead to is written.
    EXPECT_EQ(place(program / "near" / "x.txt"), canonical(program) / "sub" / "x.txt");
    EXPECT_EQ(place(program / "inner.txt"), canonical(program) / "sub" / "kept.txt");
}

TEST_F(WriteSandboxTest, NoNameOrLinkLeadsOutOfTheFolders)
{
    const fs::path program = root / "program";
    const fs::path refused[] = {
        program / ".." / "elsewhere" / "a.txt", // '..' leaving the folder
        root / "elsewhere" / "b.txt",           // an absolute name elsewhere
        program / "away" / "c.txt",             // a linked folder outside
        program / "away" / ".." / "d.txt",      // '..' after a link: the link's parent
        program / "dangling.txt",               // a link to a file not made yet
        program / "loop1",                      // links in a circle
        program,                                // the folder itself
        program / "sub" / "..",                 // no file name
    };
    for (const fs::path& target : refused)
        EXPECT_FALSE(place(target)) << target;
}

} // namespace
} // namespace kestrane::testing
