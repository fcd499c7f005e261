// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace kestrane {
namespace {

using testing::TempDir;

struct JoinCase {
    const char* name;
    const char* directory;
    const char* file;
    const char* expected;
};

TEST(JoinPath, FollowsTheIncludeRules)
{
    const JoinCase cases[] = {
        {"plain", "/home/ann/scripts", "unit.ksu", "/home/ann/scripts/unit.ksu"},
        {"trailing separator dropped", "/home/ann/scripts/", "unit.ksu", "/home/ann/scripts/unit.ksu"},
        {"backslash directory", "\\home\\ann", "unit.ksu", "/home/ann/unit.ksu"},
        {"one level up", "/home/ann/scripts", "..\\lib\\unit.ksu", "/home/ann/lib/unit.ksu"},
        {"two levels up", "/home/ann/scripts", "..\\..\\unit.ksu", "/home/unit.ksu"},
        {"slash form up", "/home/ann/scripts", "../unit.ksu", "/home/ann/unit.ksu"},
        {"never above the root", "/home", "..\\..\\..\\unit.ksu", "/unit.ksu"},
        {"name with separator", "/home/ann", "\\sub\\unit.ksu", "/home/ann/sub/unit.ksu"},
        {"relative directory", "scripts", "..\\unit.ksu", "unit.ksu"},
        {"empty directory", "", "unit.ksu", "unit.ksu"},
    };
    for (const JoinCase& test : cases)
        EXPECT_EQ(joinPath(test.directory, test.file), test.expected) << test.name;
}

TEST(FindExisting, FallsBackToACaseInsensitiveMatch)
{
    TempDir dir;
    dir.write("Scripts/Unit.KSU", "x");
    EXPECT_EQ(findExisting(dir / "Scripts/Unit.KSU"), dir / "Scripts/Unit.KSU");
    EXPECT_EQ(findExisting(dir / "scripts/unit.ksu"), dir / "Scripts/Unit.KSU");
    EXPECT_FALSE(findExisting(dir / "scripts/other.ksu"));
    EXPECT_EQ(readWholeFile(dir / "SCRIPTS/unit.ksu"), "x");
}

TEST(ReadWholeFile, KeepsEveryByteAndRefusesWhatIsNoFile)
{
    TempDir dir;
    std::string bytes("a\r\nb\0c\xff", 7);
    dir.write("data", bytes);
    EXPECT_EQ(readWholeFile(dir / "data"), bytes);
    EXPECT_FALSE(readWholeFile(dir / "missing"));
    EXPECT_FALSE(readWholeFile(dir.path()));
}

class ReplaceFile : public ::testing::Test {
protected:
    size_t filesIn(const std::filesystem::path& directory) const
    {
        size_t count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
            ++count;
        return count;
    }

    TempDir m_dir;
};

TEST_F(ReplaceFile, WritesNewAndReplacesOldFiles)
{
    auto path = m_dir / "options";
    ASSERT_TRUE(replaceFile(path, "first"));
    ASSERT_TRUE(replaceFile(path, "second, longer"));
    EXPECT_EQ(readWholeFile(path), "second, longer");
    EXPECT_EQ(filesIn(m_dir.path()), 1u);
}

TEST_F(ReplaceFile, AFailedWriteKeepsTheOldFile)
{
    auto path = m_dir.write("options", "old contents");
    // Limit the size of files this process may write, so the write fails
    // half-way as it would on a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = replaceFile(path, std::string(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readWholeFile(path), "old contents");
    EXPECT_EQ(filesIn(m_dir.path()), 1u) << "the temporary file must be removed";
}

TEST_F(ReplaceFile, FailsWithoutHarmWhereNoFileCanBe)
{
    m_dir.write("folder/inside", "kept");
    EXPECT_FALSE(replaceFile(m_dir / "folder", "x"));
    EXPECT_EQ(readWholeFile(m_dir / "folder/inside"), "kept");
    EXPECT_FALSE(replaceFile(m_dir / "no/such/dir/file", "x"));
}

} // namespace
} // namespace kestrane
