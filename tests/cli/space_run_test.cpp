// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "platform/files.h"

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

constexpr std::string_view kStar = "3void start()\r\n"
                                   "A=point(300,200,0)\r\nB=point(500,200,0)\r\n"
                                   "C=point(400,373,0)\r\nD=point(400,258,163)\r\n"
                                   "AddTo3DimSet(A)\r\nAddTo3DimSet(B)\r\n"
                                   "AddTo3DimSet(C)\r\nAddTo3DimSet(D)\r\n"
                                   "solid=BuildFromSet()\r\nstar=Stellated(solid)\r\n"
                                   "END\r\n";

class SpaceRun : public ::testing::Test {
protected:
    SpaceRun()
    {
        std::random_device random;
        m_directory = fs::temp_directory_path() /
                      ("kestrane-space-run-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_directory);
        m_script = (m_directory / "star.kst").string();
        std::ofstream(m_script, std::ios::binary) << kStar;
    }
    ~SpaceRun() override
    {
        std::error_code error;
        fs::remove_all(m_directory, error);
    }

    int run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"run", m_script});
        out.str("");
        err.str("");
        return runCli(arguments, out, err);
    }

    fs::path m_directory;
    std::string m_script;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(SpaceRun, LeftOverClicksPressTheControlPanelAndTicksTurnTheStar)
{
    // Animate, then Next face twice; four ticks of the default steps.
    ASSERT_EQ(run({"--click", "60,60", "--click", "60,110", "--click", "60,110", "--ticks", "4",
                   "--json", "-"}),
              0)
        << err.str();
    std::string json = out.str();
    EXPECT_NE(json.find("\"drawn\":true"), std::string::npos);
    EXPECT_NE(json.find("\"angles\":[12,20,0],\"animated\":true,\"steps\":[3,5,0]"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"spaceView\":{\"controlPanel\":true,\"highlightedFace\":1,"
                        "\"pictures\":null}"),
              std::string::npos);
    EXPECT_EQ(err.str(), "");
}

TEST_F(SpaceRun, ObjHasOneObjectPerPolyhedronAndAFacePerFace)
{
    std::string obj = (m_directory / "star.obj").string();
    ASSERT_EQ(run({"--obj", obj}), 0) << err.str();
    std::optional<std::string> text = readWholeFile(obj);
    ASSERT_TRUE(text);
    std::istringstream lines(*text);
    int objects = 0;
    int vertices = 0;
    int faces = 0;
    for (std::string line; std::getline(lines, line);) {
        objects += line.starts_with("o ") ? 1 : 0;
        vertices += line.starts_with("v ") ? 1 : 0;
        faces += line.starts_with("f ") ? 1 : 0;
    }
    // The stellated tetrahedron: 12 triangles on 4 + 4 corners.
    EXPECT_EQ(objects, 1);
    EXPECT_EQ(faces, 12);
    EXPECT_EQ(vertices, 8);
}

TEST_F(SpaceRun, BadTickCountsAreUsageErrors)
{
    for (const char* ticks : {"-1", "2.5", "many", "100001"}) {
        EXPECT_EQ(run({"--ticks", ticks}), 2) << ticks;
        EXPECT_NE(err.str().find("--ticks needs a whole number"), std::string::npos) << ticks;
    }
    EXPECT_EQ(run({"--obj"}), 2);
}

// A write outside the program's folder is refused: its message on standard
// error, exit 1, nothing written; --allow-write DIR lets it through.
TEST_F(SpaceRun, WritesOutsideTheProgramsFolderNeedAllowWrite)
{
    fs::path program = m_directory / "program";
    fs::path outside = m_directory / "outside";
    fs::create_directories(program);
    fs::create_directories(outside);
    std::string script = (program / "write.kst").string();
    std::ofstream(script, std::ios::binary)
        << "3void start()\r\nA=point(0,0,0)\r\nB=point(100,0,0)\r\nC=point(0,100,0)\r\n"
           "D=point(0,0,100)\r\nAddTo3DimSet(A)\r\nAddTo3DimSet(B)\r\nAddTo3DimSet(C)\r\n"
           "AddTo3DimSet(D)\r\nT=BuildFromSet()\r\nWritePolyhedron(T,$../outside/solid.txt)\r\n"
           "END\r\n";
    std::string options = (m_directory / "options").string();
    fs::create_directories(options);

    EXPECT_EQ(runCli(std::vector<std::string>{"run", script, "--options", options}, out, err), 1);
    EXPECT_NE(err.str().find("Run-time error.: File '../outside/solid.txt' is outside the "
                             "folders a program may write to"),
              std::string::npos)
        << err.str();
    EXPECT_FALSE(fs::exists(outside / "solid.txt"));

    err.str("");
    EXPECT_EQ(runCli(std::vector<std::string>{"run", script, "--options", options, "--allow-write",
                                              outside.string()},
                     out, err),
              0)
        << err.str();
    EXPECT_TRUE(fs::exists(outside / "solid.txt"));

    EXPECT_EQ(runCli(std::vector<std::string>{"run", script, "--allow-write",
                                              (m_directory / "none").string()},
                     out, err),
              2);
}

} // namespace
} // namespace kestrane::cli
