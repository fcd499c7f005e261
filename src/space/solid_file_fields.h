// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The building blocks of the polyhedron, cell and polytope files.
//
// Integer field: four decimal digits and two blanks, "0042  ", for 0..9999.
// Long number field: the number's digit words as integer fields (each
// "0000" to "0999"), then its sign word as one ("0043" plus, "0045" minus).
// Line end: carriage return, line feed.

inline constexpr int kIntegerFieldMax = 9999;
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends the field of 0..kIntegerFieldMax (the caller keeps to that range).
void appendIntegerField(std::string& bytes, int value);
// Appends a number at its own word count.
void appendLongNumField(std::string& bytes, const LongNum& number);
// Appends zero (sign '+') written with `words` digit words.
void appendZeroField(std::string& bytes, int words);

// Reads fields strictly: every field is exactly four digits followed by a
// blank, carriage return or line feed (or the end of the bytes), and the
// blanks and line ends after it are skipped. A reader that fails stays
// where the bad field starts, so position() tells where the bytes went wrong.
class SolidFieldReader {
public:
    explicit SolidFieldReader(std::string_view bytes);

    // One integer field.
    std::optional<int> integer();
    // One integer field of at least `minimum`.
    std::optional<int> count(int minimum);
    // A long number written with `fileWords` digit words, converted to the
    // current word count: the words keep their weights, fraction words past
    // ours are dropped, and integer words that do not fit must be zero. Digit
    // words must be 0..999 and the sign word 43 or 45.
    std::optional<LongNum> longNum(int fileWords);

    // The number of fields from here to the end of the line (of the bytes
    // when no line feed follows).
    int fieldsOnLine() const;
    // True when only blanks and line ends are left.
    bool atEnd() const { return m_position == m_bytes.size(); }
    std::size_t position() const { return m_position; }

private:
    std::optional<int> field();

    std::string_view m_bytes;
    std::size_t m_position = 0;
};

} // namespace kestrane
