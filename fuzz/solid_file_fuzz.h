// SPDX-License-Identifier: GPL-3.0-or-later
// What every solid file reader must hold for any bytes: no crash, and a file
// it accepts is written again as a file that reads back to the same content.
#pragma once

#include "space/solid_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

template <typename Content>
void checkSolidReader(const std::uint8_t* data, std::size_t size,
                      kestrane::SolidDecoded<Content> (*decode)(std::string_view),
                      std::optional<std::string> (*encode)(const Content&))
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kestrane::SolidDecoded<Content> decoded = decode(bytes);
    if (!decoded.content) {
        if (decoded.errorByte > size)
            __builtin_trap();
        return;
    }
    std::optional<std::string> written = encode(*decoded.content);
    if (!written)
        __builtin_trap();
    kestrane::SolidDecoded<Content> again = decode(*written);
    if (!again.content || encode(*again.content) != written)
        __builtin_trap();
}
