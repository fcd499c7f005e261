// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "app/prime_table.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

class ApplicationStart : public ::testing::Test {
protected:
    ApplicationStart()
    {
        m_paths.programDirectory = m_dir / "program";
        m_paths.dataDirectories = {m_paths.programDirectory, fs::path(KESTRANE_SOURCE_DIR) / "data",
                                   fs::path(KESTRANE_SOURCE_DIR)};
        m_paths.homeOptions = m_dir / "home/options";
        fs::create_directories(m_paths.programDirectory);
        fs::create_directories(m_dir / "main");
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    ScriptedHost m_host;
};

TEST_F(ApplicationStart, ReadsEverythingTheProgramKeeps)
{
    std::string main = (m_dir / "main").string();
    m_dir.write("program/options", "Main directory:\r\n" + main + "\r\n\r\nLibrary directory:\r\n/srv/lib\r\n\r\n");
    m_dir.write("program/MainOpt", "ShowMessages=0");
    m_dir.write("program/CalcOpt", "font:\r\nCourier\r\n13\r\n");

    Application application(m_host, m_paths);
    application.start();

    EXPECT_TRUE(m_host.messages().empty());
    EXPECT_EQ(primeTable().count(), 7000);
    EXPECT_EQ(application.directories().program, m_paths.programDirectory.string());
    EXPECT_EQ(application.directories().main, main);
    EXPECT_EQ(application.directories().working, "");
    EXPECT_EQ(application.directories().library, "/srv/lib");
    EXPECT_EQ(fs::current_path(), fs::path(main)) << "the main directory becomes current";
    EXPECT_FALSE(application.constructionWindow().showMessages());
    EXPECT_EQ(application.windowOptions(WindowOptionsKind::Calculator).fontName, "Courier");
    EXPECT_EQ(application.windowOptions(WindowOptionsKind::Calculator).fontHeight, 14);
    EXPECT_EQ(application.windowOptions(WindowOptionsKind::Fractions).fontName, "Arial");
    EXPECT_EQ(application.helpIndex().filename(), "index.html");
    EXPECT_TRUE(application.imagesDirectoryExists());
    EXPECT_EQ(application.moduleState().module(), 501);
}

TEST_F(ApplicationStart, TheHomeOptionsWinAndMissingFilesLeaveDefaults)
{
    m_dir.write("program/options", "Main directory:\r\n/nowhere\r\n");
    m_dir.write("home/options", "Main directory:\r\n" + (m_dir / "main").string() + "\r\n");
    Application application(m_host, m_paths);
    application.start();
    EXPECT_EQ(application.directories().main, (m_dir / "main").string());
    EXPECT_TRUE(application.constructionWindow().showMessages());
}

TEST_F(ApplicationStart, SaveOptionsWritesMainOptInTheProgramDirectory)
{
    Application application(m_host, m_paths);
    application.start();
    application.constructionWindow().toggleShowMessages();
    ASSERT_TRUE(application.saveMainOptions());
    EXPECT_EQ(readWholeFile(m_paths.programDirectory / "MainOpt"), "ShowMessages=0");

    Application restarted(m_host, m_paths);
    restarted.start();
    EXPECT_FALSE(restarted.constructionWindow().showMessages());
}

TEST_F(ApplicationStart, WithoutThePrimeTableItSaysSoAndGoesOn)
{
    m_paths.dataDirectories = {m_paths.programDirectory};
    Application application(m_host, m_paths);
    application.start();
    ASSERT_EQ(m_host.messages().size(), 1u);
    EXPECT_EQ(m_host.messages()[0].text, "File 'dtst' missing");
    EXPECT_EQ(primeTable().count(), 0);
    EXPECT_FALSE(application.imagesDirectoryExists());
    EXPECT_TRUE(application.helpIndex().empty());
}

} // namespace
} // namespace kestrane
