// The frame files: the letter code, frames made from projected faces, their
// exact bytes, reading them back, malformed files, the writer's refusals and
// the picture of a frame; and the picture size classes.
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "space/frame_file.h"
#include "space/frame_file_paint.h"
#include "space/letter_code.h"
#include "space/picture_size.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrane {
namespace {

TEST(LetterCodeTest, WritesTwoLettersAndClampsOutsideItsRange)
{
    struct Case {
        int value;
        std::string code;
    };
    const Case cases[] = {
        {0, "AA"},        {24, "AY"},       {25, "BA"},        {26, "BB"},
        {624, "YY"},      {625, "ZA"},      {800, "aA"},       {4000, "\xE1" "A"},
        {4774, "\xFFY"},  {4775, "\xFFY"},  {100000, "\xFFY"}, {-1, "AA"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(letterCode(c.value), c.code) << c.value;
}

TEST(LetterCodeTest, EveryCodeReadsBack)
{
    std::string bytes;
    for (int value = 0; value <= kLetterCodeMax; ++value)
        appendLetterCode(bytes, value);
    std::size_t position = 0;
    for (int value = 0; value <= kLetterCodeMax; ++value)
        ASSERT_EQ(readLetterCode(bytes, position), value);
    EXPECT_EQ(position, bytes.size());
}

TEST(LetterCodeTest, RefusesWhatIsNotACode)
{
    for (std::string_view bad : {"", "A", "AZ", "@A", "A@", "a", "\x01" "A"}) {
        std::size_t position = 0;
        EXPECT_FALSE(readLetterCode(bad, position)) << bad;
        EXPECT_EQ(position, 0u) << bad;
    }
}

TEST(PictureSizeTest, ClassWidthsAndRanges)
{
    struct Case {
        int width;
        int sizeClass;
    };
    const Case cases[] = {
        {0, 0},   {99, 0},  {100, 0}, {101, 1}, {124, 1}, {125, 1}, {126, 2}, {149, 2},
        {150, 2}, {151, 3}, {200, 3}, {201, 4}, {250, 4}, {251, 5}, {300, 5}, {800, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pictureSizeClass(c.width), c.sizeClass) << c.width;
    const int widths[] = {100, 125, 150, 200, 250, 300};
    for (int sizeClass = 0; sizeClass < kPictureSizeClasses; ++sizeClass) {
        EXPECT_EQ(pictureClassWidth(sizeClass), widths[sizeClass]);
        EXPECT_EQ(pictureSizeClass(widths[sizeClass]), sizeClass);
    }
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

TEST(FrameTest, WindowPositionsTruncateTowardZeroAndClamp)
{
    std::vector<ProjectedFace> faces = {
        {kWhite, {{-0.7f, 3.9f}, {-5, 10}, {0, 10}, {5000, -2}, {-0.2f, 3.1f}}},
        {kWhite, {}},
    };
    std::optional<Frame> frame = makeFrame(2, faces);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->points,
              (std::vector<FramePoint>{{0, 3}, {0, 10}, {0, 10}, {4774, 0}}));
    ASSERT_EQ(frame->frontFaces.size(), 1u);
    EXPECT_EQ(frame->frontFaces[0].points, (std::vector<int>{0, 1, 2, 3, 0}));
}

TEST(FrameTest, AtMostFourThousandPoints)
{
    ProjectedFace face;
    for (int index = 0; index < kFramePointsMax; ++index)
        face.vertices.push_back({static_cast<float>(index % 800), static_cast<float>(index / 800)});
    std::vector<ProjectedFace> faces = {face, face};
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
        {"cut between codes", two.substr(0, two.size() - 2), 2, two.size() - 2},
        {"cut in a colour", kCubeFrame.substr(0, 40), 1, 40},
        {"one stray byte", two + "A", 3, two.size()},
        {"point index of K", kCubeFrame.substr(0, firstIndex) + "AH" +
                                 kCubeFrame.substr(firstIndex + 2), 1, firstIndex},
        {"colour letter Q", kCubeFrame.substr(0, 38) + "Q" + kCubeFrame.substr(39), 1, 38},
        {"colour letter a", kCubeFrame.substr(0, 41) + "a" + kCubeFrame.substr(42), 1, 41},
        {"more front faces than faces", "ABACAA", 1, 2},
        {"more than 4000 points", "ABAA\xE1" "B", 1, 4},
        {"second letter past Y", kCubeFrame + "AZ", 2, kCubeFrame.size()},
        {"first letter below A", "1A", 1, 0},
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

class FrameFileWriterTest : public ::testing::Test {
protected:
    std::string contents(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    testing::TempDir directory;
    ScriptedHost host;
};

TEST_F(FrameFileWriterTest, WritesEveryFrameAtOnce)
{
    FrameFileWriter writer;
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    ASSERT_TRUE(writer.finish(directory / "cube.frm", "cube.frm", host));
    EXPECT_EQ(contents(directory / "cube.frm"), kCubeFrame + kCubeFrame);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(FrameFileWriterTest, TooManyPointsWritesNothing)
{
    ProjectedFace crowded;
    for (int index = 0; index <= kFramePointsMax; ++index)
        crowded.vertices.push_back({static_cast<float>(index), 0});
    FrameFileWriter writer;
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    EXPECT_FALSE(writer.add(1, std::span(&crowded, 1)));
    EXPECT_TRUE(writer.add(6, cubeFrontFaces()));
    EXPECT_FALSE(writer.finish(directory / "crowded", "crowded", host));
    EXPECT_FALSE(std::filesystem::exists(directory / "crowded"));
    EXPECT_FALSE(writer.finish(directory / "none" / "x", "none/x", host) &&
                 "still refused for the points");
    ASSERT_EQ(host.messages().size(), 2u);
    EXPECT_EQ(host.messages()[0].caption, "Error.");
    EXPECT_EQ(host.messages()[0].text, "Too many points in a frame. File 'crowded' is not written.");

    FrameFileWriter unwritable;
    unwritable.add(6, cubeFrontFaces());
    host.clearMessages();
    EXPECT_FALSE(unwritable.finish(directory / "none" / "x", "none/x", host));
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text, "Could not write file 'none/x'.");
}

TEST(FramePaintTest, FrontFacesFilledInTheirColoursWithBlackOutlines)
{
    RecordingCanvas canvas;
    paintFrame(*makeFrame(6, cubeFrontFaces()), canvas);
    ASSERT_FALSE(canvas.calls().empty());
    const RecordingCanvas::Call& ground = canvas.calls().front();
    EXPECT_EQ(ground.shape, RecordingCanvas::Shape::FillRect);
    EXPECT_EQ(ground.brush, kWhite);
    std::vector<RecordingCanvas::Call> faces = canvas.callsOf(RecordingCanvas::Shape::Polygon);
    ASSERT_EQ(faces.size(), 3u);
    const ColorRef colours[] = {0x00FFFF, 0x0080FF, 0x123456};
    for (std::size_t index = 0; index < faces.size(); ++index) {
        EXPECT_EQ(faces[index].pen, kBlack);
        EXPECT_FALSE(faces[index].brushClear);
        EXPECT_EQ(faces[index].brush, colours[index]);
    }
    EXPECT_EQ(faces[2].points.size(), 4u);
    EXPECT_EQ(faces[2].points[3].y, 140);
    EXPECT_EQ(faces[1].points[2].y, 140);
}

} // namespace
} // namespace kestrane
