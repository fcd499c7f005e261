#pragma once

#include <array>
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

} // namespace kestrane
