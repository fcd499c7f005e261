// SPDX-License-Identifier: GPL-3.0-or-later
// kestrane-cli solid: the JSON of each kind of file, the kind found without
// --kind, other word counts, and the refusals with their exit statuses.
#include "cli/cli.h"
#include "cli_outcome.h"
#include "numbers/long_num.h"
#include "space/solid_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

Outcome runSolid(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "solid");
    return runCaptured(arguments);
}

SolidVertex4 point4(std::string_view x, std::string_view y, std::string_view z, std::string_view w)
{
    return {LongFromText(x), LongFromText(y), LongFromText(z), LongFromText(w)};
}

// A closed triangle at height w.
SolidFace4 triangle4(std::string_view w)
{
    return {{point4("1", "0", "0", w), point4("0", "2.5", "0", w), point4("0", "0", "-3", w),
             point4("1", "0", "0", w)}};
}

class SolidCommandTest : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::optional<std::string>& bytes)
    {
        EXPECT_TRUE(bytes);
        return directory.write(name, bytes.value_or("")).string();
    }

    testing::TempDir directory;
};

TEST_F(SolidCommandTest, PrintsThePolyhedronAsJson)
{
    SolidPolyhedron polyhedron;
    polyhedron.faces.push_back({{{LongFromText("1"), LongFromText("0"), LongFromText("-0.5")},
                                 {LongFromText("0"), LongFromText("2"), LongFromText("0")},
                                 {LongFromText("1"), LongFromText("0"), LongFromText("-0.5")}}});
    Outcome outcome = runSolid({file("flat", encodePolyhedronFile(polyhedron))});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "{\"kind\":\"polyhedron\",\"words\":10,\"faces\":["
                           "{\"vertices\":[[\"1.000000000000000\",\"0.000000000000000\","
                           "\"-0.500000000000000\"],[\"0.000000000000000\",\"2.000000000000000\","
                           "\"0.000000000000000\"],[\"1.000000000000000\",\"0.000000000000000\","
                           "\"-0.500000000000000\"]]}]}\n");
}

TEST_F(SolidCommandTest, KindIsFoundOrTakenAsGiven)
{
    SolidCell flatCell{{triangle4("0")}};
    SolidCell cell{{triangle4("0"), triangle4("0.001")}};
    const std::string examples = std::string(KESTRANE_SOURCE_DIR) + "/examples/solids/";
    struct Case {
        std::vector<std::string> arguments;
        std::string start;
    };
    const Case cases[] = {
        {{file("flat", encodeCellFile(flatCell))}, "{\"kind\":\"polyhedron\""},
        {{"--kind", "cell", file("flat", encodeCellFile(flatCell))}, "{\"kind\":\"cell\""},
        {{file("cell", encodeCellFile(cell))}, "{\"kind\":\"cell\""},
        {{file("cell", encodeCellFile(cell)), "--kind", "polyhedron"},
         "{\"kind\":\"polyhedron\",\"words\":10,\"faces\":[{\"vertices\":"
         "[[\"1.000000000000000\","
         "\"0.000000000000000\",\"0.000000000000000\"],"},
        {{examples + "cube.txt"}, "{\"kind\":\"polyhedron\""},
        {{examples + "tesseract_cell.txt"}, "{\"kind\":\"cell\""},
        {{examples + "tesseract.txt"}, "{\"kind\":\"polytope\",\"words\":10,\"cells\":["},
    };
    for (const Case& c : cases) {
        Outcome outcome = runSolid(c.arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.arguments[0];
        EXPECT_TRUE(outcome.out.starts_with(c.start)) << outcome.out.substr(0, 200);
    }
}

TEST_F(SolidCommandTest, ShowsEveryDigitOfAWiderFile)
{
    std::string path;
    {
        LongWordsScope words(14);
        SolidCell cell{{triangle4("0.123456789012345678901")}};
        path = file("wide", encodeCellFile(cell));
    }
    Outcome outcome = runSolid({path});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_TRUE(outcome.out.starts_with("{\"kind\":\"cell\",\"words\":14,")) << outcome.out;
    EXPECT_NE(outcome.out.find("\"0.123456789012345678901\""), std::string::npos) << outcome.out;
    EXPECT_EQ(longWords(), kLongWordsAtStart);
}

TEST_F(SolidCommandTest, RefusalsAndTheirStatuses)
{
    std::string cube = file("cube", encodeCellFile(SolidCell{{triangle4("0")}}));
    std::string broken = directory.write("broken", "0001  0002  \r\n0000  0000").string();
    struct Case {
        std::string name;
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const std::string kTry = "\nTry \"kestrane-cli help solid\".\n";
    const Case cases[] = {
        {"malformed", {broken}, kRefused, "Error.: Wrong format of file '" + broken + "'.\n"},
        {"wrong kind",
         {cube, "--kind", "polytope"},
         kRefused,
         "Error.: Wrong format of file '" + cube + "'.\n"},
        {"missing",
         {(directory / "none").string()},
         kUsageError,
         "Error.: Could not open file '" + (directory / "none").string() + "'.\n"},
        {"no file", {}, kUsageError, "kestrane-cli solid: missing FILE" + kTry},
        {"bad kind",
         {cube, "--kind", "cube"},
         kUsageError,
         "kestrane-cli solid: --kind needs polyhedron, cell or polytope" + kTry},
        {"two files",
         {cube, cube},
         kUsageError,
         "kestrane-cli solid: unexpected argument '" + cube + "'" + kTry},
    };
    for (const Case& c : cases) {
        Outcome outcome = runSolid(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_EQ(outcome.err, c.err) << c.name;
        EXPECT_EQ(outcome.out, "") << c.name;
    }
}

} // namespace
} // namespace kestrane::cli
