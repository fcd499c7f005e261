// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Character and word classes of the script language, line normalisation and
// the text scanning routines that the compiler and the interpreter share.
// Every position is a byte offset into one text; a position at or past the
// end reads as the end of the text (the routines never read beyond it).
namespace kestrane {

// Letters are 'a'-'z', 'A'-'Z' and also '\', '#' and '.', so that paths,
// "#include" and decimal numbers read as one word.
bool isLetter(char character);
bool isDigit(char character);
bool isBlank(char character);
bool isLineBreak(char character);

// Word classes, tested on a whole word.
// Integer literal: first a digit or '-', then digits ("" and "-" also pass).
bool isIntegerLiteral(std::string_view word);
// String constant: '$' followed only by letters ("$" alone passes).
bool isStringConstant(std::string_view word);
// Text constant: '$' followed by letters, digits, blank, '#', '%', '=', '+',
// '-', '*', '.' (a decimal value such as DrawDist writes), and also '_' and
// '/' (file names) and '^', '(', ')', ',' (expressions such as
// $exp(z)+z^2).
bool isTextConstant(std::string_view word);
// The first character of a '$' word that no text constant may hold; '\0'
// when there is none.
char signNotInTexts(std::string_view word);
// Decimal literal: digits with at most one '.', at least one character.
bool isDecimalLiteral(std::string_view word);
// A decimal literal after leading blanks and an optional '-'.
bool isSignedDecimal(std::string_view word);

// A line as the compiler reads it: comments cut, blanks trimmed, blank runs
// dropped next to '(' ')' ',' '=' and reduced to one blank elsewhere. An
// empty result means the line produces no normalised line.
std::string normaliseLine(std::string_view line);

// A span of the text found by a scanning routine.
struct TextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t end() const { return start + length; }
};

// Skips blanks; the word is the first character (whatever it is) plus every
// following letter or digit. Empty at the end of the text.
TextSpan readWord(std::string_view text, std::size_t position);

// From the position to the first occurrence of the delimiter, including it,
// or to the end. For a blank delimiter leading blanks are skipped first.
TextSpan readUpTo(std::string_view text, std::size_t position, char delimiter);

// The characters up to CR or LF; next is the position after the CR/LF run.
struct LineSpan {
    TextSpan line;
    std::size_t next = 0;
};
LineSpan readLine(std::string_view text, std::size_t position);

// The first position in [from, to) where the word stands as a whole word
// (no letter or digit just before or just after it); std::string_view::npos
// when there is none.
std::size_t findWord(std::string_view text, std::string_view word, std::size_t from,
                     std::size_t to);

// The position after any blanks from the position.
std::size_t skipBlanks(std::string_view text, std::size_t position);

// The text without blanks at either end.
std::string_view trimBlanks(std::string_view text);
// Trims blanks at both ends of the string in place.
void trimInPlace(std::string& text);

// A copy of length characters from the position (fewer at the end).
std::string copyText(std::string_view text, std::size_t position, std::size_t length);

} // namespace kestrane
