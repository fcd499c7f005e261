// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/typed_keys.h"

namespace kestrane::cli {

std::optional<KeyStroke> keyForCharacter(char c)
{
    using namespace editor_keys;
    Modifiers shift = Modifier::Shift;
    if (c >= 'a' && c <= 'z')
        return KeyStroke{static_cast<std::uint16_t>(c - 'a' + 'A'), {}};
    if (c >= 'A' && c <= 'Z')
        return KeyStroke{static_cast<std::uint16_t>(c), shift};
    if (c >= '0' && c <= '9')
        return KeyStroke{static_cast<std::uint16_t>(c), {}};
    switch (c) {
    case '+':
        return KeyStroke{kEquals, shift};
    case '=':
        return KeyStroke{kEquals, {}};
    case '_':
        return KeyStroke{kMinus, shift};
    case '-':
        return KeyStroke{kMinus, {}};
    case '*':
        return KeyStroke{'8', shift};
    case '(':
        return KeyStroke{'9', shift};
    case ')':
        return KeyStroke{'0', shift};
    case '/':
        return KeyStroke{kSlash, {}};
    case '.':
        return KeyStroke{kPeriod, {}};
    case ',':
        return KeyStroke{kComma, {}};
    case ';':
        return KeyStroke{kSemicolon, {}};
    case ':':
        return KeyStroke{kSemicolon, shift};
    case ' ':
        return KeyStroke{static_cast<std::uint16_t>(Key::Space), {}};
    default:
        return std::nullopt;
    }
}

} // namespace kestrane::cli
