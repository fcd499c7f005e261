// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// A picture as 8-bit RGB triples, row by row from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
    const std::uint8_t* at(int x, int y) const
    {
        return &pixels[(static_cast<size_t>(y) * width + x) * 3];
    }
};

// Decodes a JPEG file's bytes with libjpeg; nothing when they are not a JPEG
// picture (a damaged file never aborts the program). Greyscale pictures come
// back as RGB.
std::optional<RgbImage> decodeJpeg(std::string_view bytes);

// Encodes a picture as JPEG at the given quality (1 to 100); the tool that
// draws the button pictures uses it.
std::optional<std::string> encodeJpeg(const RgbImage& image, int quality = 92);

} // namespace kestrane
