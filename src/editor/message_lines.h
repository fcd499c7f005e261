// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace kestrane {

// The five message lines of the editor's status area.
using MessageLines = std::array<std::string, 5>;

// Each message line holds at most this many characters.
inline constexpr std::size_t kMessageLineLength = 49;

// The lines that show a compile error: the message from line 1, broken at
// the last blank whose prefix fits (a message too long for two lines goes
// on into lines 3 and 4 rather than being cut), and the source line's text
// in line 5.
MessageLines errorMessageLines(std::string_view message, std::string_view sourceLine);

// Whether a piece of a message line fits the message area's drawn width.
using MessageFits = std::function<bool(std::string_view)>;

// As above, and a line is also broken where its drawn text would pass the
// edge of the message area: at the last blank whose prefix still fits (at a
// character when not even one word fits).
MessageLines errorMessageLines(std::string_view message, std::string_view sourceLine,
                               const MessageFits& fits);

} // namespace kestrane
