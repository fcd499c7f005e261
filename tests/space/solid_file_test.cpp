// The polyhedron, cell and polytope files: their bytes, round trips, other
// word counts, refusals of malformed files, and the messages of reading and
// writing.
#include "solid_file_test_support.h"

#include "platform/scripted_host.h"
#include "space/solid_file.h"
#include "space/solid_file_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace kestrane {
namespace {

using testing::cube;
using testing::cubeCell;
using testing::number;
using testing::vertex;

std::size_t occurrences(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string decimal(const LongNum& value)
{
    return LongToDecimal(value);
}

TEST(SolidFileBytesTest, CubeFileHasSixFacesOfFiveEntries)
{
    std::optional<std::string> bytes = encodePolyhedronFile(cube());
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->starts_with("0006  0005  \r\n"));
    EXPECT_EQ(occurrences(*bytes, "0005  \r\n"), 6u);
    // Six faces of: entry count and line end, five vertex lines of four
    // numbers of eleven fields, two line ends.
    EXPECT_EQ(bytes->size(), 6u + 6 * (8 + 5 * (4 * 11 * 6 + 2) + 4));
    EXPECT_TRUE(bytes->ends_with("0043  \r\n\r\n\r\n"));
}

TEST(SolidFileBytesTest, VertexLineHoldsWordsSignsAndAZero)
{
    SolidPolyhedron triangle;
    triangle.faces.push_back(
        testing::face({vertex("100", "0.25", "-1.5"), vertex("1", "2", "3"), vertex("4", "5", "6")}));
    std::optional<std::string> bytes = encodePolyhedronFile(triangle);
    ASSERT_TRUE(bytes);
    const std::string firstLine = "0000  0000  0000  0000  0100  0000  0000  0000  0000  0000  0043  "
                                  "0000  0000  0000  0000  0000  0250  0000  0000  0000  0000  0043  "
                                  "0000  0000  0000  0000  0001  0500  0000  0000  0000  0000  0045  "
                                  "0000  0000  0000  0000  0000  0000  0000  0000  0000  0000  0043  "
                                  "\r\n";
    EXPECT_EQ(bytes->substr(0, 14), "0001  0004  \r\n");
    EXPECT_EQ(bytes->substr(14, firstLine.size()), firstLine);
}

TEST(SolidFileBytesTest, FourDimensionalFacesEndEveryEntryWithALineEnd)
{
    SolidPolytope polytope;
    polytope.cells = {cubeCell("0"), cubeCell("-7.125")};
    std::optional<std::string> bytes = encodePolytopeFile(polytope);
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->starts_with("0002  0006  0005  \r\n"));
    // Two cells of six faces of five entries: one line end per entry, one
    // after each entry count and two after each face.
    EXPECT_EQ(occurrences(*bytes, "\r\n"), 2u * 6 * (5 + 1 + 2));
    EXPECT_NE(bytes->find("0007  0125  0000  0000  0000  0000  0045  \r\n"), std::string::npos);
}

TEST(SolidFileRoundTripTest, EveryKindReadsBackToTheSameBytes)
{
    SolidPolyhedron polyhedron = cube("12.000000000000001");
    polyhedron.faces[2].vertices[1][0] = number("-999999999999999.999999999999999");
    SolidCell cell = cubeCell("-0.5");
    SolidPolytope polytope;
    polytope.cells = {cubeCell("1"), cubeCell("2", "3.5"), cell};

    std::string polyhedronBytes = *encodePolyhedronFile(polyhedron);
    SolidDecoded<SolidPolyhedron> readPolyhedron = decodePolyhedronFile(polyhedronBytes);
    ASSERT_TRUE(readPolyhedron.content);
    EXPECT_EQ(readPolyhedron.fileWords, 10);
    EXPECT_EQ(readPolyhedron.content->faces[2].vertices[1][0], polyhedron.faces[2].vertices[1][0]);
    EXPECT_EQ(encodePolyhedronFile(*readPolyhedron.content), polyhedronBytes);

    std::string cellBytes = *encodeCellFile(cell);
    SolidDecoded<SolidCell> readCell = decodeCellFile(cellBytes);
    ASSERT_TRUE(readCell.content);
    EXPECT_EQ(decimal(readCell.content->faces[5].vertices[4][3]), "-0.500000000000000");
    EXPECT_EQ(encodeCellFile(*readCell.content), cellBytes);

    std::string polytopeBytes = *encodePolytopeFile(polytope);
    SolidDecoded<SolidPolytope> readPolytope = decodePolytopeFile(polytopeBytes);
    ASSERT_TRUE(readPolytope.content);
    ASSERT_EQ(readPolytope.content->cells.size(), 3u);
    EXPECT_EQ(decimal(readPolytope.content->cells[1].faces[1].vertices[2][1]), "3.500000000000000");
    EXPECT_EQ(encodePolytopeFile(*readPolytope.content), polytopeBytes);
}

TEST(SolidFileRoundTripTest, NegativeZeroKeepsItsSign)
{
    SolidPolyhedron polyhedron = cube();
    LongNegate(polyhedron.faces[0].vertices[0][2]);
    std::string bytes = *encodePolyhedronFile(polyhedron);
    SolidDecoded<SolidPolyhedron> read = decodePolyhedronFile(bytes);
    ASSERT_TRUE(read.content);
    EXPECT_TRUE(read.content->faces[0].vertices[0][2].isNegative());
    EXPECT_EQ(*encodePolyhedronFile(*read.content), bytes);
}

TEST(SolidFileWordCountTest, NumbersWrittenAtAnotherWordCountAreConverted)
{
    std::string wide;
    std::string narrow;
    {
        LongWordsScope words(14);
        SolidPolyhedron polyhedron = cube("1234.567890123456789012");
        polyhedron.faces[0].vertices[0][0] = number("-123456789012345.25");
        wide = *encodePolyhedronFile(polyhedron);
    }
    {
        LongWordsScope words(10);
        narrow = *encodePolyhedronFile(cube("1234.567890123456789012"));
    }

    SolidDecoded<SolidPolyhedron> narrowed = decodePolyhedronFile(wide);
    ASSERT_TRUE(narrowed.content);
    EXPECT_EQ(narrowed.fileWords, 14);
    EXPECT_EQ(decimal(narrowed.content->faces[0].vertices[1][0]), "1234.567890123456789");
    EXPECT_EQ(decimal(narrowed.content->faces[0].vertices[0][0]), "-123456789012345.250000000000000");

    LongWordsScope words(20);
    SolidDecoded<SolidPolyhedron> widened = decodePolyhedronFile(narrow);
    ASSERT_TRUE(widened.content);
    EXPECT_EQ(widened.fileWords, 10);
    EXPECT_EQ(decimal(widened.content->faces[0].vertices[1][0]),
              "1234.567890123456789000000000000000");
    EXPECT_EQ(widened.content->faces[0].vertices[1][0].wordCount(), 20);
}

TEST(SolidFileWordCountTest, AnIntegerPartThatDoesNotFitIsAWrongFormat)
{
    std::string bytes;
    {
        LongWordsScope words(14);
        SolidPolyhedron polyhedron = cube();
        polyhedron.faces[3].vertices[2][1] = number("1000000000000000");
        bytes = *encodePolyhedronFile(polyhedron);
    }
    EXPECT_FALSE(decodePolyhedronFile(bytes).content);
    LongWordsScope words(14);
    EXPECT_TRUE(decodePolyhedronFile(bytes).content);
}

struct MalformedCase {
    const char* name;
    std::string bytes;
};

// Edits of a good file: the first `from` bytes, `inserted`, then the bytes
// from `resume` on.
std::string edited(const std::string& good, std::size_t from, std::string_view inserted,
                   std::size_t resume)
{
    return good.substr(0, from) + std::string(inserted) + good.substr(resume);
}

TEST(SolidFileMalformedTest, PolyhedronReaderRefusesEveryBadField)
{
    const std::string good = *encodePolyhedronFile(cube());
    const std::size_t firstWord = 14; // the first digit word of the first vertex
    const std::size_t sign = firstWord + 10 * 6;
    const MalformedCase cases[] = {
        {"empty", ""},
        {"blanks only", "  \r\n"},
        {"no faces", edited(good, 0, "0000", 4)},
        {"letter in the face count", edited(good, 0, "00a6", 4)},
        {"sign in the face count", edited(good, 0, "+006", 4)},
        {"three-digit count", edited(good, 0, "006", 4)},
        {"fields run together", edited(good, 4, "", 6)},
        {"leading blank", " " + good},
        {"entry count of one", edited(good, 6, "0001", 10)},
        {"entry count of zero", edited(good, 6, "0000", 10)},
        {"more faces than written", edited(good, 0, "0007", 4)},
        {"fewer faces than written", edited(good, 0, "0005", 4)},
        {"digit word of 1000", edited(good, firstWord, "1000", firstWord + 4)},
        {"sign word 44", edited(good, sign, "0044", sign + 4)},
        {"sign word 0", edited(good, sign, "0000", sign + 4)},
        {"tab between fields", edited(good, firstWord + 4, "\t ", firstWord + 6)},
        {"vertex line not four numbers", edited(good, firstWord, "", firstWord + 6)},
        {"cut in a field", good.substr(0, good.size() / 2 + 3)},
        {"cut after a field", good.substr(0, 6 + 8 + 3 * 6)},
        {"cut before the last face", good.substr(0, 6 + 5 * 1342)},
        {"trailing bytes", good + "x"},
        {"trailing field", good + "0000  "},
        {"a polytope file", *encodePolytopeFile({{cubeCell("1")}})},
    };
    for (const MalformedCase& c : cases) {
        SolidDecoded<SolidPolyhedron> decoded = decodePolyhedronFile(c.bytes);
        EXPECT_FALSE(decoded.content) << c.name;
        EXPECT_LE(decoded.errorByte, c.bytes.size()) << c.name;
    }
    EXPECT_TRUE(decodePolyhedronFile(good + "\r\n \n").content);
}

TEST(SolidFileMalformedTest, ErrorBytePointsAtTheBadField)
{
    const std::string good = *encodePolyhedronFile(cube());
    EXPECT_EQ(decodePolyhedronFile(edited(good, 6, "0001", 10)).errorByte, 6u);
    EXPECT_EQ(decodePolyhedronFile(edited(good, 74, "0044", 78)).errorByte, 74u);
    EXPECT_EQ(decodePolyhedronFile(edited(good, 20, "1999", 24)).errorByte, 20u);
    EXPECT_EQ(decodePolyhedronFile(good + "x").errorByte, good.size());
}

TEST(SolidFileMalformedTest, CellAndPolytopeReadersRefuseBadFiles)
{
    const std::string cell = *encodeCellFile(cubeCell("2"));
    SolidPolytope twoCells;
    twoCells.cells = {cubeCell("1"), cubeCell("2")};
    const std::string polytope = *encodePolytopeFile(twoCells);
    const MalformedCase cellCases[] = {
        {"no faces", edited(cell, 0, "0000", 4)},
        {"w sign word 46", edited(cell, 14 + 3 * 66 + 60, "0046", 14 + 3 * 66 + 64)},
        {"cut", cell.substr(0, cell.size() - 300)},
        {"a polytope file", polytope},
    };
    for (const MalformedCase& c : cellCases)
        EXPECT_FALSE(decodeCellFile(c.bytes).content) << c.name;
    const MalformedCase polytopeCases[] = {
        {"no cells", edited(polytope, 0, "0000", 4)},
        {"a cell without faces", edited(polytope, 6, "0000", 10)},
        {"more cells than written", edited(polytope, 0, "0003", 4)},
        {"a cell file", cell},
        {"second cell cut", polytope.substr(0, polytope.size() - 1000)},
        {"letter in a face count", edited(polytope, 6, "00O6", 10)},
    };
    for (const MalformedCase& c : polytopeCases)
        EXPECT_FALSE(decodePolytopeFile(c.bytes).content) << c.name;
}

TEST(SolidFileEncoderTest, RefusesWhatCouldNotBeReadBack)
{
    SolidPolyhedron empty;
    EXPECT_FALSE(encodePolyhedronFile(empty));
    SolidPolyhedron oneEntry = cube();
    oneEntry.faces[4].vertices.resize(1);
    EXPECT_FALSE(encodePolyhedronFile(oneEntry));
    SolidPolyhedron tooMany;
    tooMany.faces.assign(10000, cube().faces[0]);
    EXPECT_FALSE(encodePolyhedronFile(tooMany));
    tooMany.faces.resize(9999);
    EXPECT_TRUE(encodePolyhedronFile(tooMany));
    SolidPolyhedron mixed = cube();
    {
        LongWordsScope words(12);
        mixed.faces[1].vertices[0][1] = number("3");
    }
    EXPECT_FALSE(encodePolyhedronFile(mixed));
    SolidPolytope emptyCell;
    emptyCell.cells.resize(1);
    EXPECT_FALSE(encodePolytopeFile(emptyCell));
}

class SolidFileIoTest : public ::testing::Test {
protected:
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& request : host.messages()) {
            EXPECT_EQ(request.caption, "Error.");
            EXPECT_EQ(request.buttons, MessageButtons::OkCancel);
            texts.push_back(request.text);
        }
        return texts;
    }

    testing::TempDir directory;
    ScriptedHost host;
};

TEST_F(SolidFileIoTest, WrittenFilesReadBack)
{
    std::filesystem::path path = directory / "cube.txt";
    ASSERT_TRUE(writePolyhedronFile(path, "cube.txt", cube(), host));
    std::optional<SolidPolyhedron> read = readPolyhedronFile(path, "cube.txt", host);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->faces.size(), 6u);
    SolidPolytope polytope{{cubeCell("1"), cubeCell("4")}};
    ASSERT_TRUE(writePolytopeFile(directory / "p", "p", polytope, host));
    EXPECT_TRUE(readPolytopeFile(directory / "p", "p", host));
    ASSERT_TRUE(writeCellFile(directory / "c", "c", cubeCell("3"), host));
    EXPECT_TRUE(readCellFile(directory / "c", "c", host));
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(SolidFileIoTest, RefusalsShowTheirMessages)
{
    EXPECT_FALSE(readPolyhedronFile(directory / "missing", "missing", host));
    std::filesystem::path bad = directory.write("bad", "0006  0005  \r\nnonsense");
    EXPECT_FALSE(readCellFile(bad, "bad", host));
    EXPECT_FALSE(writePolytopeFile(directory / "no" / "such" / "dir", "no/such/dir",
                                   {{cubeCell("1")}}, host));
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{"Could not open file 'missing'.",
                                        "Wrong format of file 'bad'.",
                                        "Could not write file 'no/such/dir'."}));
}

TEST_F(SolidFileIoTest, AFailedWriteKeepsTheOldFile)
{
    std::filesystem::path path = directory / "kept";
    ASSERT_TRUE(writePolyhedronFile(path, "kept", cube(), host));
    SolidPolyhedron unwritable = cube();
    unwritable.faces[0].vertices.resize(1);
    EXPECT_FALSE(writePolyhedronFile(path, "kept", unwritable, host));
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Could not write file 'kept'."});
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    EXPECT_EQ(contents.str(), *encodePolyhedronFile(cube()));
}

} // namespace
} // namespace kestrane
