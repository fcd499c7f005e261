// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kestrane {

// The advance width of a text in the sans fonts the pictures use (Arial,
// Liberation Sans and Helvetica share their widths), in thousandths of the
// font size; characters past ASCII count as a digit's width. The exports
// that cannot measure with the real font lay texts out with it, so that
// they are placed as the screen places them.
int sansAdvance(std::string_view utf8);

} // namespace kestrane
