// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Moving through the bytes of one line as the editor's cursor does. A line
// that is valid UTF-8 is walked character by character; any other line (old
// scripts in a single-byte code page) byte by byte.
namespace kestrane::editor_text {

std::size_t nextCharacter(std::string_view text, std::size_t column);
std::size_t previousCharacter(std::string_view text, std::size_t column);
// The column moved back to the start of the character it falls in.
std::size_t characterStart(std::string_view text, std::size_t column);

// Letters and digits of the script language form words.
bool isWordCharacter(char character);
// Ctrl+Left: the start of the word before the column.
std::size_t previousWordStart(std::string_view text, std::size_t column);
// Ctrl+Right: the start of the next word after the column (or the line's end).
std::size_t nextWordStart(std::string_view text, std::size_t column);
// The start of the word that ends at the column.
std::size_t wordStartBefore(std::string_view text, std::size_t column);
// The end of the word that the column lies in.
std::size_t wordEndAfter(std::string_view text, std::size_t column);

// Line ends of pasted text as CR LF: a lone LF or a lone CR becomes CR LF.
std::string withCarriageReturns(std::string_view text);

} // namespace kestrane::editor_text
