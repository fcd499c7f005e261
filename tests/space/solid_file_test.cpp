// SPDX-License-Identifier: GPL-3.0-or-later
// The polyhedron, cell and polytope files: their bytes, round trips, other
// word counts, malformed files, and the messages of reading and writing.
#include "solid_file_test_support.h"

#include "platform/files.h"
#include "platform/scripted_host.h"
#include "space/solid_file_io.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using testing::cube;
using testing::cubeCell;
using testing::number;

std::size_t occurrences(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(SolidFileBytesTest, CubeFileFieldsAndLineEnds)
{
    SolidPolyhedron polyhedron = cube();
    polyhedron.faces[0].vertices[0] = testing::vertex("100", "0.25", "-1.5");
    std::string bytes = *encodePolyhedronFile(polyhedron);
    EXPECT_TRUE(bytes.starts_with("0006  0005  \r\n"
                                  "0000  0000  0000  0000  0100  0000  0000  0000  0000  0000  0043  "
                                  "0000  0000  0000  0000  0000  0250  0000  0000  0000  0000  0043  "
                                  "0000  0000  0000  0000  0001  0500  0000  0000  0000  0000  0045  "
                                  "0000  0000  0000  0000  0000  0000  0000  0000  0000  0000  0043  "
                                  "\r\n"));
    EXPECT_EQ(occurrences(bytes, "0005  \r\n"), 6u);
    // Each face: entry count and line end, five lines of 44 fields, two line ends.
    EXPECT_EQ(bytes.size(), 6u + 6 * (8 + 5 * (44 * 6 + 2) + 4));
    EXPECT_TRUE(bytes.ends_with("0043  \r\n\r\n\r\n"));

    // Four-dimensional faces end every entry with a line end as well.
    std::string polytope = *encodePolytopeFile({{cubeCell("0"), cubeCell("-7.125")}});
    EXPECT_TRUE(polytope.starts_with("0002  0006  0005  \r\n"));
    EXPECT_EQ(occurrences(polytope, "\r\n"), 2u * 6 * (5 + 1 + 2));
    EXPECT_NE(polytope.find("0007  0125  0000  0000  0000  0000  0045  \r\n"), std::string::npos);
}

TEST(SolidFileRoundTripTest, EveryKindReadsBackToTheSameBytes)
{
    SolidPolyhedron polyhedron = cube("12.000000000000001");
    polyhedron.faces[2].vertices[1][0] = number("-999999999999999.999999999999999");
    LongNegate(polyhedron.faces[0].vertices[0][2]); // a zero with a minus sign
    SolidPolytope polytope{{cubeCell("1"), cubeCell("2", "3.5"), cubeCell("-0.5")}};

    std::string bytes = *encodePolyhedronFile(polyhedron);
    SolidDecoded<SolidPolyhedron> readPolyhedron = decodePolyhedronFile(bytes);
    ASSERT_TRUE(readPolyhedron.content);
    EXPECT_EQ(readPolyhedron.fileWords, 10);
    EXPECT_TRUE(readPolyhedron.content->faces[0].vertices[0][2].isNegative());
    EXPECT_EQ(encodePolyhedronFile(*readPolyhedron.content), bytes);

    bytes = *encodeCellFile(polytope.cells[2]);
    SolidDecoded<SolidCell> readCell = decodeCellFile(bytes);
    ASSERT_TRUE(readCell.content);
    EXPECT_EQ(LongToDecimal(readCell.content->faces[5].vertices[4][3]), "-0.500000000000000");
    EXPECT_EQ(encodeCellFile(*readCell.content), bytes);

    bytes = *encodePolytopeFile(polytope);
    SolidDecoded<SolidPolytope> readPolytope = decodePolytopeFile(bytes);
    ASSERT_TRUE(readPolytope.content);
    EXPECT_EQ(LongToDecimal(readPolytope.content->cells[1].faces[1].vertices[2][1]),
              "3.500000000000000");
    EXPECT_EQ(encodePolytopeFile(*readPolytope.content), bytes);
}

TEST(SolidFileWordCountTest, NumbersWrittenAtAnotherWordCountAreConverted)
{
    std::string wide;
    std::string tooLarge;
    std::string narrow = *encodePolyhedronFile(cube("1234.567890123456789012"));
    {
        LongWordsScope words(14);
        SolidPolyhedron polyhedron = cube("1234.567890123456789012");
        polyhedron.faces[0].vertices[0][0] = number("-123456789012345.25");
        wide = *encodePolyhedronFile(polyhedron);
        polyhedron.faces[3].vertices[2][1] = number("1000000000000000");
        tooLarge = *encodePolyhedronFile(polyhedron);
    }
    SolidDecoded<SolidPolyhedron> narrowed = decodePolyhedronFile(wide);
    ASSERT_TRUE(narrowed.content);
    EXPECT_EQ(narrowed.fileWords, 14);
    EXPECT_EQ(LongToDecimal(narrowed.content->faces[0].vertices[1][0]), "1234.567890123456789");
    EXPECT_EQ(LongToDecimal(narrowed.content->faces[0].vertices[0][0]),
              "-123456789012345.250000000000000");
    // An integer part that does not fit our words is a wrong format.
    EXPECT_FALSE(decodePolyhedronFile(tooLarge).content);

    LongWordsScope words(20);
    SolidDecoded<SolidPolyhedron> widened = decodePolyhedronFile(narrow);
    ASSERT_TRUE(widened.content);
    EXPECT_EQ(widened.fileWords, 10);
    EXPECT_EQ(LongToDecimal(widened.content->faces[0].vertices[1][0]),
              "1234.567890123456789000000000000000");
    EXPECT_TRUE(decodePolyhedronFile(tooLarge).content);
}

// The first `from` bytes of a good file, `inserted`, then its bytes from `resume` on.
std::string edited(const std::string& good, std::size_t from, std::string_view inserted,
                   std::size_t resume)
{
    return good.substr(0, from) + std::string(inserted) + good.substr(resume);
}

TEST(SolidFileMalformedTest, ReadersRefuseEveryBadField)
{
    const std::string good = *encodePolyhedronFile(cube());
    const std::size_t word = 14; // the first digit word of the first vertex
    const std::size_t sign = word + 60;
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t errorByte;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"no faces", edited(good, 0, "0000", 4), 0},
        {"letter in a count", edited(good, 0, "00a6", 4), 0},
        {"three-digit count", edited(good, 0, "006", 4), 0},
        {"fields run together", edited(good, 4, "", 6), 0},
        {"entry count of one", edited(good, 6, "0001", 10), 6},
        {"digit word of 1000", edited(good, word, "1000", word + 4), word},
        {"sign word 44", edited(good, sign, "0044", sign + 4), sign},
        {"tab after a field", edited(good, word + 4, "\t ", word + 6), word},
        {"vertex line not four numbers", edited(good, word, "", word + 6), 14},
        {"more faces than written", edited(good, 0, "0007", 4), good.size()},
        {"trailing bytes", good + "x", good.size()},
        {"cut in a field", good.substr(0, 4003), 4002},
        {"a polytope file", *encodePolytopeFile({{cubeCell("1")}}), 12},
    };
    for (const Case& c : cases) {
        SolidDecoded<SolidPolyhedron> decoded = decodePolyhedronFile(c.bytes);
        EXPECT_FALSE(decoded.content) << c.name;
        EXPECT_EQ(decoded.errorByte, c.errorByte) << c.name;
    }
    EXPECT_TRUE(decodePolyhedronFile(good + "\r\n \n").content);

    const std::string cell = *encodeCellFile(cubeCell("2"));
    const std::string polytope = *encodePolytopeFile({{cubeCell("1"), cubeCell("2")}});
    EXPECT_FALSE(decodeCellFile(edited(cell, word + 3 * 66 + 60, "0046", word + 3 * 66 + 64)).content);
    EXPECT_FALSE(decodeCellFile(polytope).content);
    EXPECT_FALSE(decodePolytopeFile(edited(polytope, 6, "0000", 10)).content) << "a cell without faces";
    EXPECT_FALSE(decodePolytopeFile(polytope.substr(0, polytope.size() - 1000)).content);
    EXPECT_FALSE(decodePolytopeFile(cell).content);
}

TEST(SolidFileEncoderTest, RefusesWhatCouldNotBeReadBack)
{
    EXPECT_FALSE(encodePolyhedronFile(SolidPolyhedron{}));
    EXPECT_FALSE(encodePolytopeFile(SolidPolytope{{SolidCell{}}}));
    SolidPolyhedron oneEntry = cube();
    oneEntry.faces[4].vertices.resize(1);
    EXPECT_FALSE(encodePolyhedronFile(oneEntry));
    SolidPolyhedron many;
    many.faces.assign(10000, cube().faces[0]);
    EXPECT_FALSE(encodePolyhedronFile(many));
    many.faces.resize(9999);
    EXPECT_TRUE(encodePolyhedronFile(many));
    SolidPolyhedron mixed = cube();
    {
        LongWordsScope words(12);
        mixed.faces[1].vertices[0][1] = number("3");
    }
    EXPECT_FALSE(encodePolyhedronFile(mixed));
}

TEST(SolidFileIoTest, FilesReadBackAndRefusalsShowTheirMessages)
{
    testing::TempDir directory;
    ScriptedHost host;
    ASSERT_TRUE(writePolyhedronFile(directory / "cube", "cube", cube(), host));
    EXPECT_EQ(readPolyhedronFile(directory / "cube", "cube", host)->faces.size(), 6u);
    ASSERT_TRUE(writePolytopeFile(directory / "p", "p", {{cubeCell("1"), cubeCell("4")}}, host));
    EXPECT_EQ(readPolytopeFile(directory / "p", "p", host)->cells.size(), 2u);
    ASSERT_TRUE(writeCellFile(directory / "c", "c", cubeCell("3"), host));
    EXPECT_TRUE(readCellFile(directory / "c", "c", host));
    EXPECT_TRUE(host.messages().empty());

    EXPECT_FALSE(readPolyhedronFile(directory / "missing", "missing", host));
    EXPECT_FALSE(readPolyhedronFile(directory / "p", "p", host));
    EXPECT_FALSE(writeCellFile(directory / "no" / "dir", "no/dir", cubeCell("1"), host));
    // A file that cannot be written as asked keeps its old bytes.
    SolidPolyhedron unwritable = cube();
    unwritable.faces[0].vertices.resize(1);
    EXPECT_FALSE(writePolyhedronFile(directory / "cube", "cube", unwritable, host));
    EXPECT_EQ(readWholeFile(directory / "cube"), encodePolyhedronFile(cube()));

    std::vector<std::string> texts;
    for (const MessageRequest& request : host.messages()) {
        EXPECT_EQ(request.caption, "Error.");
        EXPECT_EQ(request.buttons, MessageButtons::OkCancel);
        texts.push_back(request.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Could not open file 'missing'.", "Wrong format of file 'p'.",
                         "Could not write file 'no/dir'.", "Could not write file 'cube'."}));
}

} // namespace
} // namespace kestrane
