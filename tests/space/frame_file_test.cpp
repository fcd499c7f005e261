// SPDX-License-Identifier: GPL-3.0-or-later
// The frame files: the letter code, frames made from projected faces, their
// exact bytes, reading them back, malformed files and the writer's refusals;
// and the picture size classes.
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "space/frame_file.h"
#include "space/letter_code.h"
#include "space/picture_size.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrane {
namespace {

TEST(LetterCodeTest, WritesTwoLettersReadsThemBackAndClamps)
{
    struct Case {
        int value;
        std::string code;
    };
    const Case cases[] = {
        {0, "AA"},   {24, "AY"},  {25, "BA"},   {26, "BB"},          {624, "YY"},      {625, "ZA"},
        {800, "aA"}, {-1, "AA"},  {4774, "\xFFY"}, {100000, "\xFFY"}, {4000, "\xE1" "A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(letterCode(c.value), c.code) << c.value;
    std::string bytes;
    for (int value = 0; value <= kLetterCodeMax; ++value)
        appendLetterCode(bytes, value);
    std::size_t position = 0;
    for (int value = 0; value <= kLetterCodeMax; ++value)
        ASSERT_EQ(readLetterCode(bytes, position), value);
    for (std::string_view bad : {"", "A", "AZ", "@A", "A@"}) {
        position = 0;
        EXPECT_FALSE(readLetterCode(bad, position)) << bad;
        EXPECT_EQ(position, 0u) << bad;
    }
}

TEST(PictureSizeTest, ClassWidthsAndRanges)
{
    const std::pair<int, int> widthAndClass[] = {{0, 0},   {100, 0}, {101, 1}, {125, 1}, {126, 2},
                                                 {150, 2}, {151, 3}, {200, 3}, {201, 4}, {250, 4},
                                                 {251, 5}, {300, 5}, {800, 5}};
    for (auto [width, sizeClass] : widthAndClass)
        EXPECT_EQ(pictureSizeClass(width), sizeClass) << width;
    EXPECT_EQ(pictureClassWidth(0), 100);
    EXPECT_EQ(pictureClassWidth(3), 200);
    EXPECT_EQ(pictureClassWidth(5), 300);
}

// Three faces of a cube as the window shows them, with fractions to truncate;
// (150, 140.2) and (150, 140.7) become one point.
std::vector<ProjectedFace> cubeFrontFaces()
{
    return {
        {0x00FFFF, {{100, 50}, {150, 25.9f}, {200, 50}, {150, 75}}},
        {0x0080FF, {{100, 50}, {150, 75}, {150, 140.7f}, {100, 115}}},
        {0x123456, {{150, 75}, {200, 50}, {200, 115}, {150, 140.2f}}},
    };
}

const std::string kCubeFrame = "AG" "AD" "AH"                        // 6 faces, 3 front, 7 points
                               "EACA" "GABA" "IACA" "GADA" "GAFP" "EAEP" "IAEP"
                               "AE" "AAPPPP" "AAABACAD"              // yellow
                               "AE" "AAIAPP" "AAADAEAF"              // orange
                               "AE" "BCDEFG" "ADACAGAE";

TEST(FrameTest, CubeFrameHasExactBytes)
{
    std::optional<Frame> frame = makeFrame(6, cubeFrontFaces());
    ASSERT_TRUE(frame);
    std::string bytes;
    appendFrame(bytes, *frame);
    EXPECT_EQ(bytes, kCubeFrame);
}

TEST(FrameTest, PointsTruncateTowardZeroClampAndNumberAtMostFourThousand)
{
    std::vector<ProjectedFace> faces = {
        {kWhite, {{-0.7f, 3.9f}, {-5, 10}, {0, 10}, {5000, -2}, {-0.2f, 3.1f}}},
        {kWhite, {}},
    };
    std::optional<Frame> frame = makeFrame(2, faces);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->points, (std::vector<FramePoint>{{0, 3}, {0, 10}, {0, 10}, {4774, 0}}));
    ASSERT_EQ(frame->frontFaces.size(), 1u);
    EXPECT_EQ(frame->frontFaces[0].points, (std::vector<int>{0, 1, 2, 3, 0}));

    ProjectedFace crowded;
    for (int index = 0; index < kFramePointsMax; ++index)
        crowded.vertices.push_back({static_cast<float>(index % 800), static_cast<float>(index / 800)});
    faces = {crowded, crowded};
    EXPECT_TRUE(makeFrame(2, faces));
    faces[1].vertices.push_back({799, 549});
    EXPECT_FALSE(makeFrame(2, faces));
}

TEST(FrameFileTest, FramesReadBackToTheSameBytes)
{
    Frame empty;
    empty.faceCount = 4;
    std::string bytes = kCubeFrame;
    appendFrame(bytes, empty);
    bytes += kCubeFrame;
    DecodedFrames decoded = decodeFrameFile(bytes);
    ASSERT_FALSE(decoded.malformed);
    ASSERT_EQ(decoded.frames.size(), 3u);
    EXPECT_EQ(decoded.frames[0], *makeFrame(6, cubeFrontFaces()));
    EXPECT_EQ(decoded.frames[1], empty);
    EXPECT_EQ(decoded.frames[2].frontFaces[2].colour, 0x123456u);
    std::string again;
    for (const Frame& frame : decoded.frames)
        appendFrame(again, frame);
    EXPECT_EQ(again, bytes);
    EXPECT_TRUE(decodeFrameFile("").frames.empty());
    EXPECT_FALSE(decodeFrameFile("").malformed);
}

TEST(FrameFileTest, MalformedFramesAreFoundWithTheirByte)
{
    struct Case {
        const char* name;
        std::string bytes;
        int frame;
        std::size_t byte;
    };
    const std::string two = kCubeFrame + kCubeFrame;
    const std::size_t firstIndex = 6 + 28 + 2 + 6; // of the first face
    const Case cases[] = {
        {"cut in a code", two.substr(0, two.size() - 1), 2, two.size() - 2},
        {"cut in a colour", kCubeFrame.substr(0, 40), 1, 40},
        {"one stray byte", two + "A", 3, two.size()},
        {"point index of K", kCubeFrame.substr(0, firstIndex) + "AH" +
                                 kCubeFrame.substr(firstIndex + 2), 1, firstIndex},
        {"colour letter Q", kCubeFrame.substr(0, 38) + "Q" + kCubeFrame.substr(39), 1, 38},
        {"more front faces than faces", "ABACAA", 1, 2},
        {"more than 4000 points", "ABAA\xE1" "B", 1, 4},
        {"second letter past Y", kCubeFrame + "AZ", 2, kCubeFrame.size()},
        {"face without vertices", "ABABAA" "AA" "AAAAAA", 1, 6},
    };
    for (const Case& c : cases) {
        DecodedFrames decoded = decodeFrameFile(c.bytes);
        EXPECT_TRUE(decoded.malformed) << c.name;
        EXPECT_EQ(decoded.badFrame, c.frame) << c.name;
        EXPECT_EQ(decoded.badByte, c.byte) << c.name;
        EXPECT_EQ(decoded.frames.size(), static_cast<std::size_t>(c.frame - 1)) << c.name;
    }
}

TEST(FrameFileWriterTest, WritesAllFramesOrNothing)
{
    testing::TempDir directory;
    ScriptedHost host;
    FrameFileWriter writer;
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    ASSERT_TRUE(writer.finish(directory / "cube.frm", "cube.frm", host));
    EXPECT_EQ(readWholeFile(directory / "cube.frm"), kCubeFrame + kCubeFrame);
    EXPECT_FALSE(writer.finish(directory / "none" / "x", "none/x", host));

    ProjectedFace crowded;
    for (int index = 0; index <= kFramePointsMax; ++index)
        crowded.vertices.push_back({static_cast<float>(index), 0});
    FrameFileWriter refused;
    EXPECT_TRUE(refused.add(6, cubeFrontFaces()));
    EXPECT_FALSE(refused.add(1, std::span(&crowded, 1)));
    EXPECT_TRUE(refused.add(6, cubeFrontFaces()));
    EXPECT_FALSE(refused.finish(directory / "crowded", "crowded", host));
    EXPECT_FALSE(std::filesystem::exists(directory / "crowded"));

    ASSERT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[0].caption, "Error.");
    EXPECT_EQ(host.messages()[0].text, "Could not write file 'none/x'.");
    EXPECT_EQ(host.messages()[1].text, "Too many points in a frame. File 'crowded' is not written.");
}

} // namespace
} // namespace kestrane
