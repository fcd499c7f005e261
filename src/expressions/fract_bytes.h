// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kestrane {

class Host;
struct FractNode;

// The byte form of an expression, used by fraction files, memories and the
// clipboard of expressions. A node is '1', its symbol flag, opSign,
// numberSign, the text length and text, the operation pair and the fraction
// pair (0 when absent), the opening row ('3' + row) and the closing row
// ('2' + row) (0 when absent), and the exponent (0, or 1 + node). A row is its
// count and capacity bytes and its marks.

// Appends the byte form of a tree to bytes. Refuses (and leaves bytes as
// they were) a tree whose text lengths, row counts or nesting do not fit the
// form, so that no byte is ever cut.
bool serializeExpression(const FractNode& node, std::string& bytes);

// Reads a tree at position (which moves past it on success), with every node
// at the given font height, fixed up and its marks matched. Never reads past
// the buffer; refuses nesting deeper than kMaxNesting. On failure everything
// built is freed and nothing is returned.
std::unique_ptr<FractNode> parseExpression(std::string_view bytes, std::size_t& position,
                                           int fontHeight);

// What the user is told when a stored expression cannot be read.
inline constexpr const char* kCorruptFractionCaption = N_("Error");
inline constexpr const char* kCorruptFractionText =
    N_("File of a fraction is wrong or corrupted.\n It may be a file of older versions of a "
       "program of Skrivio.");
void reportCorruptFraction(Host& host);

// Lowercase hex pairs separated by blanks, and back (nothing on a bad pair).
std::string bytesToHex(std::string_view bytes);
bool hexToBytes(std::string_view hex, std::string& bytes);

} // namespace kestrane
