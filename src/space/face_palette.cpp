// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/face_palette.h"

#include <array>

namespace kestrane {

namespace {

constexpr std::array<ColorRef, 16> kPalette = {
    0x00FFFF, 0xFF0000, 0x0080FF, 0x0000FF, 0xC0C0C0, 0xFF80FF, 0x008000, 0x008080,
    0xFFFFFF, 0x800080, 0x800000, 0x808000, 0x000080, 0x00FF00, 0xFF00FF, 0xFFFF00,
};

} // namespace

ColorRef faceColour(int colourCode)
{
    if (colourCode < kFirstFaceColour)
        return kWhite;
    return kPalette[static_cast<std::size_t>(colourCode - kFirstFaceColour) % kPalette.size()];
}

} // namespace kestrane
