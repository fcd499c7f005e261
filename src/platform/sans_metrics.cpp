// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sans_metrics.h"

#include <array>

namespace kestrane {

namespace {

constexpr int kOtherWidth = 556;

// Advance widths of the printable ASCII characters, from the space (32) to
// the tilde (126), in thousandths of the size.
constexpr std::array<short, 95> kWidths{
    278, 278, 355, 556, 556, 889, 667,  191, 333, 333, 389, 584, 278, 333, 278, 278, // space to /
    556, 556, 556, 556, 556, 556, 556,  556, 556, 556,                               // 0 to 9
    278, 278, 584, 584, 584, 556, 1015,                                              // : to @
    667, 667, 722, 722, 667, 611, 778,  722, 278, 500, 667, 556, 833,                // A to M
    722, 778, 667, 778, 722, 667, 611,  722, 667, 944, 667, 667, 611,                // N to Z
    278, 278, 278, 469, 556, 333,                                                    // [ to `
    556, 556, 500, 556, 556, 278, 556,  556, 222, 222, 500, 222, 833,                // a to m
    556, 556, 556, 556, 333, 500, 278,  556, 500, 722, 500, 500, 500,                // n to z
    334, 260, 334, 584};                                                             // { to ~

} // namespace

int sansAdvance(std::string_view utf8)
{
    int width = 0;
    for (char byte : utf8) {
        auto code = static_cast<unsigned char>(byte);
        if (code >= 32 && code < 127)
            width += kWidths[code - 32];
        else if ((code & 0xC0) != 0x80 && code >= 0x80)
            width += kOtherWidth;
    }
    return width;
}

} // namespace kestrane
