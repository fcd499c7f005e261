// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// The two-letter code of the frame files: 'A' + n div 25, then 'A' + n mod 25.
// The first letter may pass 'Y' (up to byte 255), so the code covers 0 to
// 4774: window x up to 800 and indices into a table of 4000 points fit.
inline constexpr int kLetterCodeMax = 4774;

// Appends the code of n; values outside 0..kLetterCodeMax are written clamped.
void appendLetterCode(std::string& bytes, int value);
std::string letterCode(int value);

// Reads the code at `position` and moves past it. Nothing (and `position`
// unchanged) when the bytes end or are not a code: a first letter below 'A',
// a second letter outside 'A'..'Y'.
std::optional<int> readLetterCode(std::string_view bytes, std::size_t& position);

} // namespace kestrane
