#include "cli/cli.h"
#include "cli/script_run.h"
#include "platform/files.h"
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
        std::ostringstream out;
        ScriptRun run(errors);
        ASSERT_EQ(run.run(entry.path().string(), {}, out), ScriptRunStatus::Finished) << out.str();
        EXPECT_EQ(storeJson(run.window(), run.messages()), *expected);
        EXPECT_EQ(errors.str(), "");
    }
    EXPECT_GE(count, 12);
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
    EXPECT_NE(out.str().find("\"segments\": [\n    {\"label\": \"d1\", \"names\": [[\"s\", "
                             "\"start\"]]"),
              std::string::npos)
        << out.str();
    std::optional<std::string> picture = readWholeFile(svg);
    ASSERT_TRUE(picture);
    EXPECT_NE(
        picture->find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"550\""),
        std::string::npos);
    EXPECT_NE(picture->find("<line x1=\"10\" y1=\"20\" x2=\"110\" y2=\"20\""), std::string::npos);
}

TEST_F(RunCommand, ClicksChooseTheParametersOfStart)
{
    std::string script = write("choice.kst", "2void start(point A, point B)\r\n"
                                             "s=segment(A,B)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-", "--click", "30,40", "--click", "90.5,40"}), 0);
    EXPECT_NE(out.str().find("\"x1\": \"30.000000000000000\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"x2\": \"90.500000000000000\""), std::string::npos);

    EXPECT_EQ(run({script, "--json", "-", "--click", "30,40"}), 1);
    EXPECT_NE(err.str().find("still waits for a choice"), std::string::npos);
}

TEST_F(RunCommand, MessageBoxesGoToStandardErrorAndTheJson)
{
    std::string script = write("loop.kst", "2void f(point P)\r\nf(P)\r\nEND\r\nvoid start()\r\n"
                                           "A=point(1,1)\r\nf(A)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-"}), 0);
    EXPECT_NE(err.str().find("Run-time error.: Too many nested procedure calls."),
              std::string::npos);
    EXPECT_NE(out.str().find("{\"caption\": \"Run-time error.\", \"text\": \"Too many nested"),
              std::string::npos);
}

TEST_F(RunCommand, RefusedAndBadInput)
{
    std::string script = write("bad.kst", "2void start()\r\nA=pont(1,1)\r\nEND\r\n");
    EXPECT_EQ(run({script, "--json", "-"}), 1);
    EXPECT_NE(out.str().find("bad.kst:2: "), std::string::npos) << out.str();

    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({script, "--click", "12"}), 2);
    EXPECT_EQ(run({script, "--json"}), 2);
    EXPECT_EQ(run({(m_directory / "missing.kst").string()}), 2);
    // The test program has no Qt painter: PNG is refused with a clear message.
    std::string good = write("good.kst", "2void start()\r\nA=point(1,1)\r\nEND\r\n");
    EXPECT_EQ(run({good, "--png", (m_directory / "x.png").string()}), 2);
    EXPECT_NE(err.str().find("--png needs"), std::string::npos);
}

} // namespace
} // namespace kestrane::cli
