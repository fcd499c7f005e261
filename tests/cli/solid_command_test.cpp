// kestrane-cli solid: the JSON of each kind of file, the kind found without
// --kind, other word counts, and the refusals with their exit statuses.
#include "cli/cli.h"
#include "numbers/long_num.h"
#include "space/solid_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrane::cli {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runSolid(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "solid");
    std::ostringstream out;
    std::ostringstream err;
    int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

SolidVertex4 point4(std::string_view x, std::string_view y, std::string_view z,
                    std::string_view w)
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

TEST_F(SolidCommandTest, PrintsEachKindAsJson)
{
    SolidPolyhedron polyhedron;
    polyhedron.faces.push_back({{{LongFromText("1"), LongFromText("0"), LongFromText("-0.5")},
                                 {LongFromText("0"), LongFromText("2"), LongFromText("0")},
                                 {LongFromText("1"), LongFromText("0"), LongFromText("-0.5")}}});
    Outcome outcome = runSolid({file("flat", encodePolyhedronFile(polyhedron))});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out,
              "{\"kind\": \"polyhedron\", \"words\": 10, \"faces\": [\n"
              "  {\"vertices\": [[\"1.000000000000000\", \"0.000000000000000\", "
              "\"-0.500000000000000\"], [\"0.000000000000000\", \"2.000000000000000\", "
              "\"0.000000000000000\"], [\"1.000000000000000\", \"0.000000000000000\", "
              "\"-0.500000000000000\"]]}\n"
              "]}\n");

    SolidPolytope polytope{{SolidCell{{triangle4("7")}}, SolidCell{{triangle4("8"), triangle4("9")}}}};
    outcome = runSolid({file("polytope", encodePolytopeFile(polytope))});
    EXPECT_EQ(outcome.status, kSuccess);
    EXPECT_TRUE(outcome.out.starts_with("{\"kind\": \"polytope\", \"words\": 10, \"cells\": [\n"
                                        "  {\"faces\": [\n"
                                        "    {\"vertices\": [[\"1.000000000000000\", "))
        << outcome.out;
    EXPECT_NE(outcome.out.find("\"9.000000000000000\"]]}\n  ]}\n]}\n"), std::string::npos)
        << outcome.out;
}

TEST_F(SolidCommandTest, KindIsFoundOrTakenAsGiven)
{
    SolidCell flatCell{{triangle4("0")}};
    SolidCell cell{{triangle4("0"), triangle4("0.001")}};
    SolidPolytope polytope{{cell}};
    struct Case {
        std::string name;
        std::string path;
        std::vector<std::string> options;
        std::string kind;
    };
    const Case cases[] = {
        {"flat cell", file("flat", encodeCellFile(flatCell)), {}, "polyhedron"},
        {"cell", file("cell", encodeCellFile(cell)), {}, "cell"},
        {"polytope", file("polytope", encodePolytopeFile(polytope)), {}, "polytope"},
        {"flat cell as a cell", file("flat", encodeCellFile(flatCell)), {"--kind", "cell"}, "cell"},
        {"cell as a polyhedron", file("cell", encodeCellFile(cell)), {"--kind", "polyhedron"},
         "polyhedron"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.push_back(c.path);
        Outcome outcome = runSolid(arguments);
        EXPECT_EQ(outcome.status, kSuccess) << c.name;
        EXPECT_TRUE(outcome.out.starts_with("{\"kind\": \"" + c.kind + "\"")) << c.name;
    }
    // A polyhedron's vertices have three coordinates, a cell's four.
    Outcome asPolyhedron = runSolid({"--kind", "polyhedron", file("cell", encodeCellFile(cell))});
    EXPECT_NE(asPolyhedron.out.find("[\"1.000000000000000\", \"0.000000000000000\", "
                                    "\"0.000000000000000\"]"),
              std::string::npos);
    Outcome asCell = runSolid({file("cell", encodeCellFile(cell))});
    EXPECT_NE(asCell.out.find("\"-3.000000000000000\", \"0.001000000000000\"]"), std::string::npos);
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
    EXPECT_TRUE(outcome.out.starts_with("{\"kind\": \"cell\", \"words\": 14,")) << outcome.out;
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
    const Case cases[] = {
        {"malformed", {broken}, kRefused, "Error.: Wrong format of file '" + broken + "'.\n"},
        {"wrong kind", {cube, "--kind", "polytope"}, kRefused,
         "Error.: Wrong format of file '" + cube + "'.\n"},
        {"missing", {(directory / "none").string()}, kUsageError,
         "Error.: Could not open file '" + (directory / "none").string() + "'.\n"},
        {"no file", {}, kUsageError,
         "Usage: kestrane-cli solid FILE [--kind polyhedron|cell|polytope]\n"},
        {"bad kind", {cube, "--kind", "cube"}, kUsageError,
         "kestrane-cli solid: --kind needs polyhedron, cell or polytope\n"},
        {"two files", {cube, cube}, kUsageError,
         "kestrane-cli solid: unexpected argument '" + cube + "'\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = runSolid(c.arguments);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_EQ(outcome.err, c.err) << c.name;
        EXPECT_EQ(outcome.out, "") << c.name;
    }
}

TEST(SolidCommandExamplesTest, ShippedFilesRead)
{
    const std::string examples = std::string(KESTRANE_SOURCE_DIR) + "/examples/solids/";
    struct Case {
        std::string file;
        std::string start;
    };
    const Case cases[] = {
        {"cube.txt", "{\"kind\": \"polyhedron\", \"words\": 10, \"faces\": ["},
        {"tesseract_cell.txt", "{\"kind\": \"cell\", \"words\": 10, \"faces\": ["},
        {"tesseract.txt", "{\"kind\": \"polytope\", \"words\": 10, \"cells\": ["},
    };
    for (const Case& c : cases) {
        Outcome outcome = runSolid({examples + c.file});
        EXPECT_EQ(outcome.status, kSuccess) << c.file;
        EXPECT_TRUE(outcome.out.starts_with(c.start)) << c.file;
    }
}

} // namespace
} // namespace kestrane::cli
