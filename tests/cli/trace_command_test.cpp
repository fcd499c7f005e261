// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_outcome.h"
#include "platform/files.h"

#include <gtest/gtest.h>

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

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
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
