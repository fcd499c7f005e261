// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kestrane {

// A colour as 0x00BBGGRR: red in the low byte. The files of the program store
// colours this way, so the core keeps them unchanged and only the Qt host
// converts them.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int redOf(ColorRef colour)
{
    return static_cast<int>(colour & 0xFF);
}
constexpr int greenOf(ColorRef colour)
{
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef colour)
{
    return static_cast<int>((colour >> 16) & 0xFF);
}

inline constexpr ColorRef kBlack = rgb(0, 0, 0);
inline constexpr ColorRef kWhite = rgb(255, 255, 255);
inline constexpr ColorRef kRed = rgb(255, 0, 0);
inline constexpr ColorRef kBlue = rgb(0, 0, 255);

} // namespace kestrane
