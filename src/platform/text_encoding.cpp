// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace kestrane {

namespace {

// Code points of the bytes 0x80 to 0xFF in Windows-1250 (U+FFFD where unused).
constexpr std::array<std::uint16_t, 128> kWindows1250{
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, 0xFFFD, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void appendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The length of the UTF-8 sequence that starts at bytes[index], or 0 when it is
// not a valid, shortest-form sequence.
size_t sequenceLength(std::string_view bytes, size_t index)
{
    auto byte = [&](size_t at) { return static_cast<unsigned char>(bytes[at]); };
    unsigned char lead = byte(index);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    if (length == 0 || index + length > bytes.size())
        return 0;
    for (size_t at = index + 1; at < index + length; ++at) {
        if ((byte(at) & 0xC0) != 0x80)
            return 0;
    }
    if (length == 3 &&
        ((lead == 0xE0 && byte(index + 1) < 0xA0) || (lead == 0xED && byte(index + 1) >= 0xA0)))
        return 0;
    if (length == 4 &&
        ((lead == 0xF0 && byte(index + 1) < 0x90) || (lead == 0xF4 && byte(index + 1) >= 0x90)))
        return 0;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (size_t index = 0; index < bytes.size();) {
        size_t length = sequenceLength(bytes, index);
        if (length == 0)
            return false;
        index += length;
    }
    return true;
}

std::string windows1250ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char character : bytes) {
        auto byte = static_cast<unsigned char>(character);
        appendUtf8(out, byte < 0x80 ? byte : kWindows1250[byte - 0x80]);
    }
    return out;
}

std::string displayText(std::string_view bytes)
{
    return isValidUtf8(bytes) ? std::string(bytes) : windows1250ToUtf8(bytes);
}

} // namespace kestrane
