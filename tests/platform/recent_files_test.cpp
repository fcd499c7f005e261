// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/recent_files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kestrane {
namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return (m_dir.path() / name).string(); }

    testing::TempDir m_dir;
    RecentFiles m_recent{m_dir.path() / "config" / "kestrane" / "recent"};
};

TEST_F(RecentFilesTest, TheLastFileComesFirstOnceAndEachKindHasItsOwnList)
{
    m_recent.add(RecentKind::Script, file("a.kst"));
    m_recent.add(RecentKind::Script, file("b.kst"));
    m_recent.add(RecentKind::Fraction, file("c.fra"));
    m_recent.add(RecentKind::Script, file("a.kst"));
    EXPECT_EQ(m_recent.list(RecentKind::Script),
              (std::vector<std::string>{file("a.kst"), file("b.kst")}));
    EXPECT_EQ(m_recent.list(RecentKind::Fraction), std::vector<std::string>{file("c.fra")});
    EXPECT_TRUE(m_recent.list(RecentKind::Function).empty());
}

TEST_F(RecentFilesTest, KeepsTenOfAKindWithoutTouchingTheOthers)
{
    m_recent.add(RecentKind::Function, file("f.fct"));
    for (int index = 0; index < 12; ++index)
        m_recent.add(RecentKind::Script, file(std::to_string(index) + ".kst"));
    std::vector<std::string> scripts = m_recent.list(RecentKind::Script);
    ASSERT_EQ(scripts.size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(scripts.front(), file("11.kst"));
    EXPECT_EQ(scripts.back(), file("2.kst"));
    EXPECT_EQ(m_recent.list(RecentKind::Function), std::vector<std::string>{file("f.fct")});
}

TEST_F(RecentFilesTest, RemovesAFileAndStoresPathsMadeAbsolute)
{
    m_recent.add(RecentKind::Script, file("gone.kst"));
    m_recent.add(RecentKind::Script, file("kept.kst"));
    m_recent.remove(RecentKind::Script, file("gone.kst"));
    EXPECT_EQ(m_recent.list(RecentKind::Script), std::vector<std::string>{file("kept.kst")});
    m_recent.add(RecentKind::Script, "relative.kst");
    EXPECT_TRUE(std::filesystem::path(m_recent.list(RecentKind::Script).front()).is_absolute());
}

TEST_F(RecentFilesTest, AMissingOrDamagedListReadsAsEmptyOrAsItsSoundLines)
{
    EXPECT_TRUE(m_recent.list(RecentKind::Script).empty());
    std::filesystem::path path = m_dir.path() / "damaged";
    ASSERT_TRUE(replaceFile(path, "no tab here\nscript\t/x/a.kst\nlater\t/x/b.kst\nscript\t\n"));
    RecentFiles damaged(path);
    EXPECT_EQ(damaged.list(RecentKind::Script), std::vector<std::string>{"/x/a.kst"});
}

TEST(RecentFilesPath, FollowsTheConfigurationDirectory)
{
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string previous = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/somewhere", 1);
    EXPECT_EQ(RecentFiles::defaultPath(), std::filesystem::path("/tmp/somewhere/kestrane/recent"));
    if (saved)
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace kestrane
