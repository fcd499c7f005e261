// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// The polyhedron, cell and polytope files as plain data, and their codecs.
//
// Polyhedron file: the face count as an integer field; for each face its
// entry count as an integer field and a line end, then each entry as four
// long number fields (x, y, z and a zero) and a line end, then two line ends.
// Four-dimensional face: the same with the four coordinates x, y, z, w.
// Cell file: the face count, then the four-dimensional faces.
// Polytope file: the cell count; for each cell its face count and its faces.

using SolidVertex = std::array<LongNum, 3>;
using SolidVertex4 = std::array<LongNum, 4>;

// A face's entries in order around it, the first vertex repeated at the
// end, so a triangle has four.
struct SolidFace {
    std::vector<SolidVertex> vertices;
};
struct SolidFace4 {
    std::vector<SolidVertex4> vertices;
};

struct SolidPolyhedron {
    std::vector<SolidFace> faces;
};
// A cell of a polytope, a polyhedron of four-dimensional faces.
struct SolidCell {
    std::vector<SolidFace4> faces;
};
struct SolidPolytope {
    std::vector<SolidCell> cells;
};

// What a decoder made of the bytes.
template <typename Content>
struct SolidDecoded {
    // Nothing when the bytes are not a file of this kind.
    std::optional<Content> content;
    // The word count the numbers were written with, 0 when not reached.
    int fileWords = 0;
    // Where the bytes went wrong, when refused.
    std::size_t errorByte = 0;
};

// Strict decoders. Every integer field is four digits; every count is at
// least 1 and every face has at least two entries; digit words are 0..999
// and sign words 43 or 45; nothing but blanks and line ends may follow the
// last face. The word count of the file is taken from its first vertex line
// (its fields / 4 - 1) and the numbers are converted to the current word
// count (see SolidFieldReader::longNum). The fourth coordinate of a
// polyhedron vertex is checked and dropped.
SolidDecoded<SolidPolyhedron> decodePolyhedronFile(std::string_view bytes);
SolidDecoded<SolidCell> decodeCellFile(std::string_view bytes);
SolidDecoded<SolidPolytope> decodePolytopeFile(std::string_view bytes);

// The file's bytes, with the numbers at their own word count. Nothing when
// the content could not be read back: a count outside 1..9999, a face of
// fewer than two entries, or numbers of different word counts.
std::optional<std::string> encodePolyhedronFile(const SolidPolyhedron& polyhedron);
std::optional<std::string> encodeCellFile(const SolidCell& cell);
std::optional<std::string> encodePolytopeFile(const SolidPolytope& polytope);

} // namespace kestrane
