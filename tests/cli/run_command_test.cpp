// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/script_run.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "runtime/store_json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

namespace fs = std::filesystem;

// Every example script runs to the construction that a person checked
// against the geometry (the expected JSON beside the test data).
TEST(RunExamples, EachExampleBuildsItsCheckedConstruction)
{
    fs::path examples = fs::path(KESTRANE_SOURCE_DIR) / "examples";
    fs::path expectedDirectory = fs::path(KESTRANE_TEST_DATA) / "examples";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(examples)) {
        if (entry.path().extension() != ".kst")
            continue;
        ++count;
        std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        std::optional<std::string> expected = readWholeFile(expectedDirectory / (name + ".json"));
        ASSERT_TRUE(expected) << "no expected JSON for " << name;
        std::ostringstream errors;
        ScriptRun run(errors, ScriptSetup{});
        ASSERT_EQ(run.run(entry.path().string(), {}, {}), ScriptRunStatus::Finished)
            << run.compileError().text();
        EXPECT_EQ(storeJson(run.window(), run.messages()), *expected);
        EXPECT_EQ(errors.str(), "");
    }
    EXPECT_GE(count, 12);
}

// The box a text takes on the drawing: its top-left corner, its width at
// the recording canvas's measure and its height in pixels (points at 96
// dots per inch).
struct TextBox {
    std::string text;
    double left, top, right, bottom;
};

std::vector<TextBox> textBoxes(const ConstructionWindow& window)
{
    RecordingCanvas canvas;
    window.paint(canvas);
    std::vector<TextBox> boxes;
    for (const RecordingCanvas::Call& call : canvas.callsOf(RecordingCanvas::Shape::Text)) {
        double width = static_cast<double>(call.text.size()) * (call.font.size * 6 + 5) / 10;
        double height = call.font.size * 4.0 / 3;
        boxes.push_back({call.text, call.points[0].x, call.points[0].y, call.points[0].x + width,
                         call.points[0].y + height});
    }
    return boxes;
}

// A classroom example is read on the screen: none of its texts, labels and
// titles is drawn over another. Space examples are left out: points above one
// another in space share their place on the unturned picture.
TEST(RunExamples, NoExampleDrawsATextOverAnother)
{
    fs::path examples = fs::path(KESTRANE_SOURCE_DIR) / "examples";
    for (const auto& entry : fs::directory_iterator(examples)) {
        if (entry.path().extension() != ".kst" ||
            readWholeFile(entry.path()).value_or("1").substr(0, 1) > "2")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        std::ostringstream errors;
        ScriptRun run(errors, ScriptSetup{});
        ASSERT_EQ(run.run(entry.path().string(), {}, {}), ScriptRunStatus::Finished);
        std::vector<TextBox> boxes = textBoxes(run.window());
        for (std::size_t first = 0; first < boxes.size(); ++first) {
            for (std::size_t second = first + 1; second < boxes.size(); ++second) {
                const TextBox& a = boxes[first];
                const TextBox& b = boxes[second];
                bool overlap =
                    a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
                EXPECT_FALSE(overlap) << '"' << a.text << "\" at " << a.left << ',' << a.top
                                      << " and \"" << b.text << "\" at " << b.left << ',' << b.top;
            }
        }
    }
}

class RunCommand : public ::testing::Test {
protected:
    RunCommand()
    {
        std::random_device random;
        m_directory = fs::temp_directory_path() /
                      ("kestrane-run-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_directory);
    }
    ~RunCommand() override
    {
        std::error_code error;
        fs::remove_all(m_directory, error);
    }

    std::string write(const std::string& name, const std::string& bytes)
    {
        std::string path = (m_directory / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::string good() { return write("good.kst", "2void start()\r\nA=point(1,1)\r\nEND\r\n"); }

    int run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "run");
        out.str("");
        err.str("");
        return runCli(arguments, out, err);
    }

    fs::path m_directory;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RunCommand, WritesJsonAndSvg)
{
    std::string script = write("segment.kst", "2void start()\r\nA=point(10,20)\r\n"
                                              "B=point(110,20)\r\ns=segment(A,B)\r\nEND\r\n");
    std::string svg = (m_directory / "segment.svg").string();
    EXPECT_EQ(run({script, "--json", "-", "--svg", svg}), 0) << err.str();
    EXPECT_NE(out.str().find("\"segments\":[{\"label\":\"d1\",\"names\":[[\"s\","
                             "\"start\"]]"),
              std::string::npos)
        << out.str();
    std::optional<std::string> picture = readWholeFile(svg);
    ASSERT_TRUE(picture);
    EXPECT_NE(
        picture->find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"550\""),
        std::string::npos);
    // The segment fills row 20 from column 10 to 110: its stroke stands on
    // the middle of those pixels.
    EXPECT_NE(picture->find("<line x1=\"10.5\" y1=\"20.5\" x2=\"110.5\" y2=\"20.5\""),
              std::string::npos);
    EXPECT_NE(picture->find("<rect x=\"0.5\" y=\"0.5\" width=\"799\" height=\"549\" fill=\"none\" "
                            "stroke=\"#d3d3d3\""),
              std::string::npos)
        << *picture;
}

TEST_F(RunCommand, ACircleOfNegativeRadiusIsDrawnWithItsLength)
{
    std::string script =
        write("negative.kst", "1start()\r\nA=point(100,100)\r\nB=point(130,100)\r\n"
                              "E=point(180,100)\r\na=distance(A,B)\r\n"
                              "b=distance(A,E)\r\nr=a-b\r\nc=circle(A,r)\r\nEND");
    std::string svg = (m_directory / "negative.svg").string();
    EXPECT_EQ(run({script, "--svg", svg}), 0) << err.str();
    EXPECT_NE(readWholeFile(svg).value_or("").find(
                  "<ellipse cx=\"100.5\" cy=\"100.5\" rx=\"50\" ry=\"50\" fill=\"none\""),
              std::string::npos)
        << readWholeFile(svg).value_or("");
}

TEST_F(RunCommand, ClicksChooseTheParametersOfStart)
{
    std::string script = write("choice.kst", "2void start(point A, point B)\r\n"
                                             "s=segment(A,B)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-", "--click", "30,40", "--click", "90.5,40"}), 0);
    EXPECT_NE(out.str().find("\"x1\":\"30.000000000000000\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"x2\":\"90.500000000000000\""), std::string::npos);

    EXPECT_EQ(run({script, "--json", "-", "--click", "30,40"}), 1);
    EXPECT_NE(err.str().find("still waits for a choice"), std::string::npos);
}

TEST_F(RunCommand, MessageBoxesGoToStandardErrorAndTheJson)
{
    std::string script = write("loop.kst", "2void f(point P)\r\nf(P)\r\nEND\r\nvoid start()\r\n"
                                           "A=point(1,1)\r\nf(A)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-"}), 1) << "the program was stopped";
    EXPECT_NE(err.str().find("Run-time error.: Too many nested procedure calls."),
              std::string::npos);
    EXPECT_NE(out.str().find("{\"caption\":\"Run-time error.\",\"text\":\"Too many nested"),
              std::string::npos);
}

TEST_F(RunCommand, RefusedAndBadInput)
{
    std::string script = write("bad.kst", "2void start()\r\nA=pont(1,1)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-"}), 1);
    EXPECT_NE(err.str().find("kestrane-cli run: " + script + ":2: "), std::string::npos)
        << err.str();
    EXPECT_EQ(
        out.str().rfind("{\"result\":null,\"messages\":[{\"caption\":\"kestrane-cli run\"", 0), 0u)
        << out.str();

    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({script, "--click", "12"}), 2);
    for (const char* click : {"nan,1", "1,inf", "-inf,0", "1e308,1", "1,-1e7"})
        EXPECT_EQ(run({good(), "--click", click}), 2) << click;
    EXPECT_EQ(run({script, "--json"}), 1);
    EXPECT_EQ(run({(m_directory / "missing.kst").string()}), 2);
    // The test program has no Qt painter: PNG is refused with a clear message.
    EXPECT_EQ(run({good(), "--png", (m_directory / "x.png").string()}), 2);
    EXPECT_NE(err.str().find("--png needs"), std::string::npos);
}

// 0 only for a program that ran to its END; check agrees with run.
TEST_F(RunCommand, ExitStatusSaysWhetherStartRanToItsEnd)
{
    struct Case {
        const char* name;
        const char* bytes;
        int status;
    };
    for (const Case& test : {
             Case{"plain.kst", "1start()\r\nA=point(1,1)\r\nEND", 0},
             Case{"space.kst", "3start()\r\nA=point(1,2,3)\r\nEND", 0},
             Case{"graphs.kst", "4start()\r\nEND", 0},
             Case{"quadratic.kst", "6start()\r\nEND", 0},
             Case{"curves.kst", "8start()\r\nEND", 0},
             Case{"distance.kst", "1void start(distance d)\r\nEND", 1},
             Case{"polygon.kst", "2void start(polygon p)\r\nEND", 1},
             Case{"unit.ksu", "1void f()\r\nEND", 1},
             Case{"nostart.kst", "1void f()\r\nEND", 1},
         }) {
        SCOPED_TRACE(test.name);
        std::string script = write(test.name, test.bytes);
        EXPECT_EQ(run({script, "--json", "-"}), test.status);
        bool compiled = out.str().find("\"module\"") != std::string::npos;
        if (compiled) {
            EXPECT_NE(out.str().find("\"module\":" + std::to_string(test.bytes[0] - '1' + 501)),
                      std::string::npos)
                << out.str();
        }
        std::vector<std::string> arguments{"check", script};
        std::ostringstream checkOut;
        std::ostringstream checkErr;
        EXPECT_EQ(runCli(arguments, checkOut, checkErr), test.status) << checkOut.str();
    }
}

TEST_F(RunCommand, EveryBreakIsPassedHoweverMany)
{
    // 10 x 20 x 600 = 120,000 pauses.
    std::string text = "2void g()\r\n";
    for (int index = 0; index < 10; ++index)
        text += "Break(1)\r\n";
    text += "END\r\nvoid f()\r\n";
    for (int index = 0; index < 20; ++index)
        text += "g()\r\n";
    text += "END\r\nvoid start()\r\n";
    for (int index = 0; index < 600; ++index)
        text += "f()\r\n";
    text += "A=point(1,1)\r\nEND\r\n";
    EXPECT_EQ(run({write("pauses.kst", text), "--json", "-"}), 0) << err.str();
    EXPECT_NE(out.str().find("\"points\":[{"), std::string::npos);
}

TEST_F(RunCommand, KeptProgramsDrawTheFigureTheMainOneChoosesFrom)
{
    std::string figure = write("figure.kst", "1start()\r\nA=point(0,100)\r\nB=point(400,100)\r\n"
                                             "l=line(A,B)\r\nEND");
    std::string apply = write("apply.kst", "1void start(line m)\r\nP=point(200,300)\r\n"
                                           "Q=point(300,300)\r\nn=line(P,Q)\r\nEND");
    EXPECT_EQ(run({apply, "--keep", figure, "--click", "200,100", "--json", "-"}), 0) << err.str();
    EXPECT_NE(out.str().find("[\"m\",\"start\"]"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("[\"n\",\"start\"]"), std::string::npos);
    EXPECT_EQ(run({apply, "--click", "200,100"}), 1) << "nothing to choose without the figure";
    EXPECT_EQ(run({apply, "--keep"}), 2);
    EXPECT_EQ(run({apply, "--keep", (m_directory / "missing.kst").string()}), 2);
}

TEST_F(RunCommand, TheOptionsFileGivesTheIncludeDirectoriesAndMainOptTheMessages)
{
    fs::create_directories(m_directory / "library");
    write("library/shapes.ksu", "1void mark(point P)\r\nText(1,1,$marked)\r\nEND");
    fs::create_directories(m_directory / "settings");
    write("settings/options",
          "Main directory:\r\n" + (m_directory / "library").string() + "\r\n\r\n");
    write("settings/MainOpt", "ShowMessages=0");
    std::string script = write("uses.kst", "1#include <shapes.ksu>\r\nvoid start(point A)\r\n"
                                           "mark(A)\r\nEND");
    std::string settings = (m_directory / "settings").string();
    EXPECT_EQ(run({script, "--options", settings, "--click", "5,5", "--json", "-"}), 0)
        << out.str() << err.str();
    EXPECT_NE(out.str().find("\"marked\""), std::string::npos);

    std::string svg = (m_directory / "waiting.svg").string();
    EXPECT_EQ(run({script, "--options", settings, "--svg", svg}), 1);
    EXPECT_EQ(readWholeFile(svg).value_or("").find("Choose a point"), std::string::npos)
        << "MainOpt switched the canvas messages off";

    std::vector<std::string> arguments{"check", script, "--options", settings};
    std::ostringstream checkOut;
    std::ostringstream checkErr;
    EXPECT_EQ(runCli(arguments, checkOut, checkErr), 0) << checkOut.str() << checkErr.str();
    EXPECT_EQ(run({script, "--options", (m_directory / "nowhere").string()}), 2);
}

// A function file that only the shipped examples hold is found there, by the
// check and by the run, as the desktop program finds it.
TEST_F(RunCommand, FunctionFilesAreFoundAmongTheShippedExamples)
{
    setProgramPath(std::string(KESTRANE_BINARY_DIR) + "/bin/kestrane-cli");
    std::string script =
        write("bell.kst", "4void start()\r\nwide=Rectangle(60,40,460,260)\r\n"
                          "bell=Function($bell.fct)\r\nG=Graph(bell,wide)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-"}), 0) << err.str();
    EXPECT_NE(out.str().find("\"graphs\":[{"), std::string::npos) << out.str();
    std::vector<std::string> arguments{"check", script};
    std::ostringstream checkOut;
    std::ostringstream checkErr;
    EXPECT_EQ(runCli(arguments, checkOut, checkErr), 0) << checkOut.str() << checkErr.str();
}

} // namespace
} // namespace kestrane::cli
