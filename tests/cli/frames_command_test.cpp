// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli frames: the frame list, the SVG pictures, malformed files and
// the exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "platform/files.h"
#include "space/frame_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runFrames(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "frames");
    return runCaptured(arguments);
}

class FramesCommandTest : public ::testing::Test {
protected:
    FramesCommandTest()
    {
        std::vector<ProjectedFace> square = {{0x0000FF, {{10, 10}, {60, 10}, {60, 60}, {10, 60}}}};
        std::vector<ProjectedFace> twoFaces = {
            {0x00FFFF, {{100, 50}, {150, 25}, {200, 50}, {150, 75}}},
            {0x123456, {{150, 75}, {200, 50}, {200, 115}, {150, 140}}}};
        appendFrame(m_bytes, *makeFrame(6, square));
        appendFrame(m_bytes, *makeFrame(6, twoFaces));
        m_file = m_directory.write("turning.frm", m_bytes).string();
    }

    testing::TempDir m_directory;
    std::string m_bytes;
    std::string m_file;
};

TEST_F(FramesCommandTest, InfoListsEveryFrame)
{
    const std::string lines = "frame 1: faces 6, front faces 1, points 4\n"
                              "frame 2: faces 6, front faces 2, points 6\n";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{m_file, "--info"}, {m_file}}) {
        Outcome outcome = runFrames(arguments);
        EXPECT_EQ(outcome.status, kSuccess);
        EXPECT_EQ(outcome.out, lines);
        EXPECT_EQ(outcome.err, "");
    }
}

TEST_F(FramesCommandTest, SvgPicturesShowTheFrontFaces)
{
    std::filesystem::path pictures = m_directory / "pictures";
    Outcome outcome = runFrames({m_file, "--svg", pictures.string()});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_EQ(outcome.out, "");
    std::string first = readWholeFile(pictures / "frame001.svg").value_or("");
    std::string second = readWholeFile(pictures / "frame002.svg").value_or("");
    EXPECT_FALSE(std::filesystem::exists(pictures / "frame003.svg"));
    EXPECT_NE(
        first.find("<polygon points=\"10.5,10.5 60.5,10.5 60.5,60.5 10.5,60.5\" fill=\"#ff0000\" "
                   "stroke=\"#000000\""),
        std::string::npos)
        << first;
    EXPECT_NE(second.find("fill=\"#ffff00\""), std::string::npos);
    EXPECT_NE(second.find("fill=\"#563412\""), std::string::npos);
}

TEST_F(FramesCommandTest, MalformedFileReportsTheFrameAndByte)
{
    std::string bad = m_directory.write("bad.frm", m_bytes + "ABAB").string();
    Outcome outcome = runFrames({bad, "--info", "--svg", (m_directory / "bad").string()});
    EXPECT_EQ(outcome.status, kRefused);
    EXPECT_EQ(outcome.out, "frame 1: faces 6, front faces 1, points 4\n"
                           "frame 2: faces 6, front faces 2, points 6\n");
    EXPECT_EQ(outcome.err, "kestrane-cli frames: " + bad + ": bad frame 3 at byte " +
                               std::to_string(m_bytes.size() + 4) + "\n");
    EXPECT_TRUE(std::filesystem::exists(m_directory / "bad" / "frame002.svg"));
}

TEST_F(FramesCommandTest, UsageAndFileErrors)
{
    struct Case {
        std::string name;
        std::vector<std::string> arguments;
        std::string err;
    };
    const std::string missing = (m_directory / "missing.frm").string();
    const Case cases[] = {
        {"no file", {}, "kestrane-cli frames: missing FILE\nTry \"kestrane-cli help frames\".\n"},
        {"missing file", {missing}, "kestrane-cli frames: cannot read " + missing + "\n"},
        {"png without the Qt painter",
         {m_file, "--png", (m_directory / "png").string()},
         "kestrane-cli frames: --png needs kestrane-cli built with the Qt desktop program "
         "(KESTRANE_GUI=ON); use --svg instead\nTry \"kestrane-cli help frames\".\n"},
        {"directory is a file",
         {m_file, "--svg", m_file},
         "kestrane-cli frames: cannot write into " + m_file + "\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = runFrames(c.arguments);
        EXPECT_EQ(outcome.status, kUsageError) << c.name;
        EXPECT_EQ(outcome.err, c.err) << c.name;
    }
}

} // namespace
} // namespace kestrane::cli
