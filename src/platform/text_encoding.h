// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestrane {

// Files are kept as bytes, as they were written. For display, bytes that are
// valid UTF-8 are shown as they are; anything else is read as Windows-1250,
// the encoding of scripts written with Central European keyboards.
bool isValidUtf8(std::string_view bytes);
std::string displayText(std::string_view bytes);
std::string windows1250ToUtf8(std::string_view bytes);

} // namespace kestrane
