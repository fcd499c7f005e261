// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/expression_editor.h"

#include <cstdint>
#include <optional>

namespace kestrane::cli {

// A key with its modifiers, as the window drivers hand it to a model.
struct KeyStroke {
    std::uint16_t key = 0;
    Modifiers modifiers;
};

// The key that types a character on a US keyboard, or none for a character
// no key of the expression windows types.
std::optional<KeyStroke> keyForCharacter(char c);

} // namespace kestrane::cli
