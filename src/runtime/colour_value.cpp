// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/colour_value.h"

#include "runtime/statement.h"
#include "script/lexical.h"
#include "script/words.h"

#include <array>
#include <string>
#include <utility>

namespace kestrane {

namespace {

constexpr std::array<std::pair<std::string_view, ColorRef>, 11> kColourWords{{
    {"aqua", 0xFFFF00},
    {"blue", 0xFF0000},
    {"gray", 0xC0C0C0},
    {"purple", 0x800080},
    {"green", 0x008000},
    {"silver", kButtonFaceColour},
    {"yellow", 0x00FFFF},
    {"white", 0xFFFFFF},
    {"olive", 0x008080},
    {"red", 0x0000FF},
    {"transparent", 0xFFFFFF},
}};

constexpr int kRgbCode = 317;

// RGB(r,g,b): r up to ',', g up to ',', b up to ')'.
std::optional<ColorRef> rgbValue(std::string_view text)
{
    if (!text.starts_with("RGB"))
        return {};
    std::size_t open = text.find('(');
    std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {};
    std::vector<std::string> parts = splitArguments(text.substr(open + 1, close - open - 1));
    if (parts.size() != 3)
        return {};
    auto component = [](const std::string& part) {
        return static_cast<ColorRef>(integerArgument(part) & 0xFF);
    };
    return component(parts[0]) | component(parts[1]) << 8 | component(parts[2]) << 16;
}

} // namespace

std::optional<ColorRef> colourValue(std::string_view text)
{
    text = trimBlanks(text);
    for (const auto& [word, value] : kColourWords) {
        if (text == word)
            return value;
    }
    return rgbValue(text);
}

int colourCode(std::string_view text)
{
    text = trimBlanks(text);
    if (text.starts_with("RGB"))
        return kRgbCode;
    return std::max(constantWord(text), 0);
}

ColorRef displayColour(ColorRef colour)
{
    if (colour == kButtonFaceColour)
        return rgb(192, 192, 192);
    return colour & 0xFFFFFF;
}

} // namespace kestrane
