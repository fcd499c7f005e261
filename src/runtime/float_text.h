// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// The float text writer of DrawDist and the graph modules: eleven
// characters, the value rounded to two decimals (a remainder of exactly one
// half is dropped), leading zeros as blanks, '-' or a blank before the first
// digit, and a '0' before the point below 1. 3.14159 gives "       3.14".
// A value too large for eleven characters is written whole, in more
// (99999999 gives "99999999.00").
std::string floatText(double value);

// The same without its leading blanks ("3.14"), as DrawDist appends it.
std::string trimmedFloatText(double value);

// The number in a text as the function files write it: '-' as the first
// non-blank makes it negative, the first '.' or ',' separates the decimals
// (all of them are kept), every other character is skipped. No digit at all
// reads as 0.
double readFloatText(std::string_view text);

} // namespace kestrane
