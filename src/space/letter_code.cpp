// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/letter_code.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr int kLettersPerPlace = 25;

} // namespace

void appendLetterCode(std::string& bytes, int value)
{
    value = std::clamp(value, 0, kLetterCodeMax);
    bytes += static_cast<char>('A' + value / kLettersPerPlace);
    bytes += static_cast<char>('A' + value % kLettersPerPlace);
}

std::string letterCode(int value)
{
    std::string bytes;
    appendLetterCode(bytes, value);
    return bytes;
}

std::optional<int> readLetterCode(std::string_view bytes, std::size_t& position)
{
    if (position + 2 > bytes.size())
        return {};
    int high = static_cast<unsigned char>(bytes[position]) - 'A';
    int low = static_cast<unsigned char>(bytes[position + 1]) - 'A';
    if (high < 0 || low < 0 || low >= kLettersPerPlace)
        return {};
    position += 2;
    return high * kLettersPerPlace + low;
}

} // namespace kestrane
