// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <optional>
#include <string_view>

namespace kestrane {

// The button-face colour of the desktop, which the colour word "silver"
// names; painting shows it as the light grey of buttons.
inline constexpr ColorRef kButtonFaceColour = 0x8000000F;

// A colour value of Color and fill: one of the colour words (exact,
// case-sensitive) or RGB(r, g, b), each component cut to 8 bits. Nothing for
// any other text.
std::optional<ColorRef> colourValue(std::string_view text);

// The constant code of a colour value text (the code of its colour word,
// 317 for RGB(...)), 0 when it has none.
int colourCode(std::string_view text);

// The colour a pen or brush shows: system colours become the colour they
// stand for on the screen.
ColorRef displayColour(ColorRef colour);

} // namespace kestrane
