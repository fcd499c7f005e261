// SPDX-License-Identifier: GPL-3.0-or-later
// The button pictures are JPEG files beside the program; a damaged one must
// be refused, never abort the program.
#include "platform/jpeg_image.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto image = kestrane::decodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (image && image->pixels.size() != static_cast<size_t>(image->width) * image->height * 3)
        __builtin_trap();
    return 0;
}
