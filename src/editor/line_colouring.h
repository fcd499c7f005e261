// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"
#include "script/script_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrane {

// The colours the editor draws words in, as 0x00BBGGRR values.
namespace editor_colour {
inline constexpr ColorRef kComment = 0x3280FF;     // a line without code
inline constexpr ColorRef kIncludeLine = 0xBEBEFF; // a line starting with '#'
inline constexpr ColorRef kLiteral = 0xC0C0C0;     // integer or decimal literal
inline constexpr ColorRef kReserved = 0x00FFFF;    // any other reserved word
inline constexpr ColorRef kEnd = 0x29E68C;         // END
inline constexpr ColorRef kStart = 0xEAFF64;       // start
inline constexpr ColorRef kProcedureName = 0x8080F9;
inline constexpr ColorRef kAssignmentTarget = 0x64FFC0;
inline constexpr ColorRef kPlain = 0xFFFFFF; // other words and the signs between words
} // namespace editor_colour

// A piece of a line drawn in one colour; byte offsets into the line's text.
struct ColouredSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    ColorRef colour = editor_colour::kPlain;
    friend bool operator==(const ColouredSpan&, const ColouredSpan&) = default;
};

// Whether a line declares a procedure: the first code line outside a
// procedure's body that holds a '('; the body runs to its END line.
enum class LineRole { Statement, ProcedureHeader };

// The role of every line of a file.
std::vector<LineRole> lineRoles(const std::vector<SourceLine>& lines);

// The spans of one line, covering it from start to end. A line without code
// is one span; in a code line each word gets the colour of its class in the
// module and the signs between words are plain.
std::vector<ColouredSpan> colourLine(const SourceLine& line, int moduleCode, LineRole role);

// The names of the procedures a file and its includes declare.
std::vector<std::string> procedureNames(const ScriptFile& file);

} // namespace kestrane
