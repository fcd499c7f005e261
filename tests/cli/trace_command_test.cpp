// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_outcome.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace kestrane::cli {
namespace {

namespace fs = std::filesystem;

std::string traceData(const std::string& name)
{
    return (fs::path(KESTRANE_TEST_DATA) / "trace" / name).string();
}

std::string example(const std::string& name)
{
    return (fs::path(KESTRANE_SOURCE_DIR) / "examples" / name).string();
}

// Runs in another current directory, so that the files a trace names are
// the same on every machine.
class InDirectory {
public:
    explicit InDirectory(const fs::path& directory) : m_previous(fs::current_path())
    {
        fs::current_path(directory);
    }
    ~InDirectory() { fs::current_path(m_previous); }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    fs::path m_previous;
};

// The construction's JSON from the member that tells where the run paused.
std::string pausedMember(const std::string& json)
{
    std::size_t at = json.find("\"paused\":");
    return at == std::string::npos ? std::string() : json.substr(at);
}

// Traces that a person checked line by line against the programs.
TEST(Trace, MatchesTheCheckedTraces)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string expected;
        int status;
    };
    const Case cases[] = {
        // A procedure with its return, conditions both ways, Break passed,
        // decimal distances and their arithmetic.
        {{"run", "procedures.kst", "--trace", "-"}, "procedures.jsonl", 0},
        // The procedures of an include file, named as the #include line
        // names it.
        {{"run", "../../../examples/circumcircle.kst", "--trace", "-"}, "circumcircle.jsonl", 0},
        // Points, polygons, a polyhedron, a plane and its section in space.
        {{"run", "../../../examples/cube_sections.kst", "--trace", "-"}, "cube_sections.jsonl", 0},
        // Rectangles, functions read from files and their graphs.
        {{"run", "../../../examples/graphs.kst", "--trace", "-"}, "graphs.jsonl", 0},
        // A quadratic function with its exact roots as expressions.
        {{"run", "../../../examples/quadratic_roots.kst", "--trace", "-"},
         "quadratic_roots.jsonl",
         0},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.expected);
        Outcome outcome = [&] {
            InDirectory data(traceData(""));
            return runCaptured(entry.arguments);
        }();
        EXPECT_EQ(outcome.status, entry.status) << outcome.err;
        std::optional<std::string> expected = readWholeFile(traceData(entry.expected));
        ASSERT_TRUE(expected);
        EXPECT_EQ(outcome.out, *expected);
    }
}

TEST(Trace, RecursionToTheCapEndsWithTheRefusedCall)
{
    Outcome outcome = runCaptured({"run", traceData("recursion.kst"), "--trace", "-"});
    EXPECT_EQ(outcome.status, 1);
    std::vector<std::string> lines = linesOf(outcome.out);
    // A=point, the call from start, then one call per depth up to the cap.
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_NE(lines.back().find("\"depth\":1000"), std::string::npos) << lines.back();
    EXPECT_NE(lines.back().find("\"procedure\":\"down\""), std::string::npos);
    EXPECT_NE(outcome.err.find("Too many nested procedure calls"), std::string::npos);
}

TEST(Trace, WrittenToAFileWithTheJsonOnStandardOutput)
{
    fs::path file = fs::temp_directory_path() / "kestrane_trace_test.jsonl";
    fs::remove(file);
    InDirectory data(traceData(""));
    Outcome outcome =
        runCaptured({"run", "procedures.kst", "--trace", file.string(), "--json", "-"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::optional<std::string> written = readWholeFile(file);
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, readWholeFile(traceData("procedures.jsonl")).value_or(""));
    EXPECT_TRUE(outcome.out.starts_with("{")) << outcome.out;
    fs::remove(file);
}

TEST(Break, StopsInACalledProcedureWithItsStackAndNames)
{
    Outcome outcome = runCaptured({"run", traceData("procedures.kst"), "--break", "7"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::string paused = pausedMember(outcome.out);
    EXPECT_TRUE(paused.starts_with(
        "\"paused\":{\"file\":\"" + traceData("procedures.kst") +
        "\",\"line\":7,\"procedure\":\"middle\",\"stack\":[{\"procedure\":\"middle\","
        "\"file\":\"" +
        traceData("procedures.kst") + "\",\"line\":7},{\"procedure\":\"start\",\"file\":\"" +
        traceData("procedures.kst") + "\",\"line\":17}],\"names\":[{\"name\":\"P\""))
        << paused;
    // The names of middle so far: P, Q and what lines 4 to 6 made.
    for (std::string_view name : {"\"P\"", "\"Q\"", "\"s\"", "\"c1\"", "\"c2\""})
        EXPECT_NE(paused.find(name), std::string::npos) << name;
    EXPECT_EQ(paused.find("\"X\""), std::string::npos);
    // The construction so far is written as --json writes it.
    EXPECT_NE(outcome.out.find("\"points\""), std::string::npos);
}

TEST(Break, TellsTheOutcomeOfTheProceduresLastCondition)
{
    Outcome outcome = runCaptured({"run", traceData("procedures.kst"), "--break", "25"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::string paused = pausedMember(outcome.out);
    EXPECT_NE(paused.find("\"condition\":{\"text\":\"A==A\",\"holds\":true,\"line\":21}"),
              std::string::npos)
        << paused;
    // Inside middle, which ran no condition, there is none.
    Outcome inner = runCaptured({"run", traceData("procedures.kst"), "--break", "7"});
    EXPECT_EQ(pausedMember(inner.out).find("\"condition\""), std::string::npos);
}

// The names of the paused procedure as "name kind shown" lines.
std::vector<std::string> pausedNames(const std::string& json)
{
    std::vector<std::string> names;
    std::string paused = pausedMember(json);
    for (std::size_t at = paused.find("{\"name\":\""); at != std::string::npos;
         at = paused.find("{\"name\":\"", at + 1)) {
        auto member = [&](const std::string& key) {
            std::size_t start = paused.find("\"" + key + "\":\"", at) + key.size() + 4;
            return paused.substr(start, paused.find('"', start) - start);
        };
        names.push_back(member("name") + " " + member("kind") + " " + member("shown"));
    }
    return names;
}

TEST(Break, DescribesTheObjectsOfEveryModulesScene)
{
    // Curves: expressions, an interval, a curve and its image under z^2+1.
    Outcome curves = runCaptured({"run", example("curves.kst"), "--break", "17"});
    EXPECT_EQ(curves.status, 0) << curves.err;
    std::vector<std::string> names = pausedNames(curves.out);
    for (const char* name : {"c Curve (cos(x), sin(x)) for x in [-3.14, 3.14]",
                             "w Curve (cos(x), sin(x)) for x in [-3.14, 3.14] under z^2+1",
                             "turn Segment [-3.14, 3.14]", "f AlgExpr z^2+1",
                             "q Rectangle from (420, 40) to (780, 300)"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;

    // A cubic with its three rational roots.
    Outcome cubic = runCaptured({"run", example("cubic_rational_roots.kst"), "--break", "16"});
    EXPECT_EQ(cubic.status, 0) << cubic.err;
    names = pausedNames(cubic.out);
    for (const char* name : {"f CubicFunct x^3-6*x^2+11*x-6, roots 1; 2; 3", "x3 AlgExpr 3"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;

    // Dimension 4: the pyramid over a cube has 7 cells, 18 faces, 20 edges
    // and 9 vertices (their alternating sum is 0).
    Outcome pyramid = runCaptured({"run", example("pyramid4d.kst"), "--break", "25"});
    EXPECT_EQ(pyramid.status, 0) << pyramid.err;
    names = pausedNames(pyramid.out);
    for (const char* name :
         {"P polytope 7 cells, 18 faces, 20 edges, 9 vertices", "apex point4 (400, 300, 100, 400)",
          "half plane4 w = 400", "cube cell 6 faces", "front polygon4 4 vertices"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST(Break, StopsInAnIncludeFileNamedByItsFileName)
{
    Outcome outcome =
        runCaptured({"run", example("circumcircle.kst"), "--break", "geometry.ksu:9"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::string paused = pausedMember(outcome.out);
    EXPECT_TRUE(paused.starts_with("\"paused\":{\"file\":\"geometry.ksu\",\"line\":9,"
                                   "\"procedure\":\"bisector\""))
        << paused;
}

TEST(Break, RefusesLinesThatNameNothing)
{
    for (std::string line : {"0", "x", ":3", "4:", "-2"}) {
        SCOPED_TRACE(line);
        Outcome outcome = runCaptured({"run", traceData("procedures.kst"), "--break", line});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("--break needs a line"), std::string::npos) << outcome.err;
    }
    Outcome outcome = runCaptured({"run", traceData("procedures.kst"), "--break", "nothing.ksu:3"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("the program has no file nothing.ksu"), std::string::npos)
        << outcome.err;
    EXPECT_EQ(outcome.out, "");
}

TEST(Break, NeverReachedLineRunsToTheEnd)
{
    Outcome outcome = runCaptured({"run", traceData("procedures.kst"), "--break", "2"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(pausedMember(outcome.out), "");
    EXPECT_NE(outcome.out.find("\"points\""), std::string::npos);
}

} // namespace
} // namespace kestrane::cli
