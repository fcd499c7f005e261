// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/picture_writer.h"
#include "platform/recording_canvas.h"
#include "space/frame_file.h"
#include "space_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace kestrane::testing {
namespace {

namespace fs = std::filesystem;

// Keeps what the picture show asked for instead of painting files.
class FakePictureWriter final : public PictureWriter {
public:
    struct Picture {
        fs::path path;
        PictureArea area;
        int width;
    };
    bool writePng(const fs::path& path, const PictureArea& area, int width,
                  const std::function<void(Canvas&)>& paint) override
    {
        RecordingCanvas canvas;
        paint(canvas);
        pictures.push_back({path, area, width});
        return !failing;
    }
    std::vector<Picture> pictures;
    bool failing = false;
};

class SpaceFileCommands : public SpaceRunFixture {
protected:
    SpaceFileCommands()
    {
        directory = fs::temp_directory_path() /
                    ("kestrane-space-files-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
    }
    ~SpaceFileCommands() override { fs::remove_all(directory); }

    // The lines as start()'s body, in a script kept in the test directory.
    void runHere(const std::vector<std::string_view>& body)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        runText(text, directory.string());
    }
    std::string bytes(const std::string& name) const
    {
        return readWholeFile(directory / name).value_or("(missing)");
    }

    fs::path directory;
};

TEST_F(SpaceFileCommands, ACubeIsWrittenAndReadBackToTheSameBytes)
{
    runHere(cubeThen({"WritePolyhedron(cube,$cube.txt)"}));
    std::string written = bytes("cube.txt");
    ASSERT_TRUE(written.starts_with("0006  "));
    std::size_t faces = 0;
    for (std::size_t at = written.find("0005  \r\n"); at != std::string::npos;
         at = written.find("0005  \r\n", at + 1))
        ++faces;
    EXPECT_EQ(faces, 6u);
    // Each entry: four numbers of LongWords + 1 fields of six bytes.
    std::size_t entry = static_cast<std::size_t>(longWords() + 1) * 4 * 6 + 2;
    EXPECT_EQ(written.size(), 6 + 6 * (8 + 5 * entry + 4));

    runHere({"copy=Read3DPolyhedron($cube.txt)", "WritePolyhedron(copy,$again.txt)"});
    EXPECT_EQ(bytes("again.txt"), written);
    const PolyhedronRec* copy = scene->findPolyhedron("copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->faces.size(), 6u);
    EXPECT_EQ(copy->viewFaces.size(), 6u);
    ASSERT_TRUE(copy->centre.has_value());
    EXPECT_EQ(doubles(*copy->centre), (std::vector<double>{400, 300, 100}));
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(SpaceFileCommands, FilesThatCannotBeUsedAreNamedInTheirMessage)
{
    struct Case {
        const char* name;
        std::string contents;
        std::vector<std::string_view> body;
        std::string message;
    };
    const Case cases[] = {
        {"missing", "", {"P=Read3DPolyhedron($none.txt)"}, "Could not open file 'none.txt'."},
        {"letters in a count",
         "00x6  ",
         {"P=Read3DPolyhedron($bad.txt)"},
         "Wrong format of file 'bad.txt'."},
        {"cut short",
         "0006  0005  \r\n0001  ",
         {"P=Read3DPolyhedron($bad.txt)"},
         "Wrong format of file 'bad.txt'."},
        {"no directory", "", cubeThen({"WritePolyhedron(cube,$no/such/dir.txt)"}),
         "Could not write file 'no/such/dir.txt'."},
        {"too many frames", "", cubeThen({"SavePolyhedron(cube,$cube.frm,1,0,1,3601)"}),
         "Too many frames. File 'cube.frm' is not written."},
    };
    for (const Case& c : cases) {
        if (!c.contents.empty()) {
            ASSERT_TRUE(replaceFile(directory / "bad.txt", c.contents));
        }
        host.clearMessages();
        runHere(c.body);
        EXPECT_EQ(messageTexts(), std::vector<std::string>{"Error.: " + c.message}) << c.name;
        EXPECT_EQ(scene->findPolyhedron("P"), nullptr) << c.name;
    }
}

TEST_F(SpaceFileCommands, SavePolyhedronWritesOneFramePerTurn)
{
    runHere(cubeThen({"Coloring(cube)", "SavePolyhedron(cube,$cube.frm,10,0,20,4)"}));
    std::string written = bytes("cube.frm");
    DecodedFrames decoded = decodeFrameFile(written);
    ASSERT_FALSE(decoded.malformed);
    ASSERT_EQ(decoded.frames.size(), 4u);
    // Unturned, only the face towards the viewer is in front: four points.
    const Frame& first = decoded.frames.front();
    EXPECT_EQ(first.faceCount, 6);
    ASSERT_EQ(first.frontFaces.size(), 1u);
    EXPECT_EQ(first.points.size(), 4u);
    for (std::size_t index = 1; index < decoded.frames.size(); ++index)
        EXPECT_EQ(decoded.frames[index].frontFaces.size(), 3u) << index;
    // After four frames the x angle has grown by 40 and y by 80.
    EXPECT_EQ(scene->findPolyhedron("cube")->angles, (std::array<int, 3>{40, 80, 0}));
}

TEST_F(SpaceFileCommands, SavePolyhedronDropsRepeatedFaces)
{
    runHere(cubeThen({"AddFaces(cube,p2)", "SavePolyhedron(cube,$cube.frm,0,0,0,1)"}));
    EXPECT_EQ(scene->findPolyhedron("cube")->faces.size(), 6u);
    EXPECT_EQ(decodeFrameFile(bytes("cube.frm")).frames.at(0).faceCount, 6);
}

TEST_F(SpaceFileCommands, ThePictureShowWritesTheCountedPicturesAndStops)
{
    FakePictureWriter writer;
    window.state().setPictureWriter(&writer);
    window.state().setWorkingDirectory(directory.string());
    runHere(cubeThen({"Pictures(300,250,199,50,2)"}));
    ASSERT_TRUE(scene->show().pictures().has_value());
    EXPECT_EQ(scene->show().pictures()->sizeClass, 1);
    scene->show().startPictureShow();
    for (int tick = 0; tick < 5; ++tick)
        window.tick();
    ASSERT_EQ(writer.pictures.size(), 3u);
    EXPECT_EQ(writer.pictures[2].path, directory / "picture002.png");
    EXPECT_EQ(writer.pictures[0].width, 125);
    EXPECT_EQ(writer.pictures[0].area.x1, 199);
    EXPECT_EQ(writer.pictures[0].area.y1, 50);
    EXPECT_EQ(writer.pictures[0].area.x2, 300);
    EXPECT_EQ(writer.pictures[0].area.y2, 250);
    EXPECT_FALSE(scene->show().pictureShowRunning());

    // Q stops a show; without Pictures it counts 0 to 15.
    runHere(cubeThen({}));
    writer.pictures.clear();
    scene->show().startPictureShow();
    window.tick();
    window.pressKey(static_cast<int>(Key::Q));
    window.tick();
    EXPECT_EQ(writer.pictures.size(), 1u);
    scene->show().startPictureShow();
    for (int tick = 0; tick < 20; ++tick)
        window.tick();
    EXPECT_EQ(writer.pictures.size(), 17u);
    EXPECT_EQ(writer.pictures.back().width, 300);
}

// A program writes only inside its own folder and the working directory
// (and folders allowed besides): any other file, whatever the name or link
// that leads there, is refused with a run-time error naming it.
TEST_F(SpaceFileCommands, WritesStayInsideTheProgramsFolders)
{
    fs::path outside = directory.string() + "-outside";
    fs::create_directories(outside);
    fs::create_directory_symlink(outside, directory / "away");
    window.state().setWorkingDirectory((directory / "work").string());
    fs::create_directories(directory / "work");
    const std::string absolute = (outside / "absolute.txt").string();
    struct Case {
        std::string line;
        std::string name;
    };
    const Case cases[] = {
        {"WritePolyhedron(cube,$../notes.txt)", "../notes.txt"},
        {"WritePolyhedron(cube,$" + absolute + ")", absolute},
        {"WritePolyhedron(cube,$away/linked.txt)", "away/linked.txt"},
        {"SavePolyhedron(cube,$../turning.frm,10,0,20,2)", "../turning.frm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        host.clearMessages();
        int refused = window.state().refusedWrites();
        runHere(cubeThen({c.line}));
        EXPECT_EQ(messageTexts(),
                  std::vector<std::string>{
                      "Run-time error.: File '" + c.name +
                      "' is outside the folders a program may write to: its own folder and the "
                      "working directory. Nothing is written."});
        EXPECT_EQ(window.state().refusedWrites(), refused + 1);
    }
    EXPECT_TRUE(fs::is_empty(outside));
    EXPECT_FALSE(fs::exists(directory.parent_path() / "notes.txt"));

    // Subfolders and the working directory are the program's; a folder may
    // be allowed besides.
    fs::create_directories(directory / "solids");
    host.clearMessages();
    runHere(
        cubeThen({"WritePolyhedron(cube,$solids/cube.txt)",
                  "WritePolyhedron(cube,$" + (directory / "work" / "cube.txt").string() + ")"}));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(fs::exists(directory / "solids" / "cube.txt"));
    EXPECT_TRUE(fs::exists(directory / "work" / "cube.txt"));
    window.state().setExtraWriteFolders({outside.string()});
    runHere(cubeThen({"WritePolyhedron(cube,$" + absolute + ")"}));
    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(fs::exists(absolute));
    fs::remove_all(outside);
}

// A picture whose name is a link to a file elsewhere is not written there.
TEST_F(SpaceFileCommands, APictureNamedLikeALinkOutsideIsRefused)
{
    fs::path outside = directory.string() + "-pictures";
    fs::create_directories(outside);
    fs::create_symlink(outside / "stolen.png", directory / "picture000.png");
    FakePictureWriter writer;
    window.state().setPictureWriter(&writer);
    window.state().setWorkingDirectory(directory.string());
    runHere(cubeThen({"Pictures(300,250,199,50,2)"}));
    scene->show().startPictureShow();
    window.tick();
    window.showDeferredMessage();
    EXPECT_TRUE(writer.pictures.empty());
    EXPECT_FALSE(scene->show().pictureShowRunning());
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_NE(host.messages()[0].text.find("File 'picture000.png' is outside"), std::string::npos);
    fs::remove_all(outside);
}

TEST_F(SpaceFileCommands, APictureShowWithoutAPainterSaysSoOnce)
{
    runHere(cubeThen({}));
    scene->show().startPictureShow();
    window.tick();
    window.tick();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages().front().caption, "Error.");
    EXPECT_NE(host.messages().front().text.find("picture000.png"), std::string::npos);
}

} // namespace
} // namespace kestrane::testing
