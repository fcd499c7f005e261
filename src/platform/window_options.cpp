// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_options.h"

#include "platform/files.h"

#include <cctype>

namespace kestrane {

namespace {

bool isDigit(char character)
{
    return std::isdigit(static_cast<unsigned char>(character)) != 0;
}

// Reads the next decimal number at or after `at`, moving `at` past it.
bool nextNumber(std::string_view text, size_t& at, int& value)
{
    while (at < text.size() && !isDigit(text[at]))
        ++at;
    if (at >= text.size())
        return false;
    long number = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (number < 100000000)
            number = number * 10 + (text[at] - '0');
        ++at;
    }
    value = static_cast<int>(number);
    return true;
}

// Three numbers after the label as a colour; the colour stays when any is missing.
void readColour(std::string_view text, std::string_view label, ColorRef& colour)
{
    size_t at = text.find(label);
    if (at == std::string_view::npos)
        return;
    at += label.size();
    int red = 0, green = 0, blue = 0;
    if (nextNumber(text, at, red) && nextNumber(text, at, green) && nextNumber(text, at, blue))
        colour = rgb(red, green, blue);
}

void readFont(std::string_view text, WindowOptions& options)
{
    size_t at = text.find("font");
    if (at == std::string_view::npos)
        return;
    size_t lineStart = text.find('\n', at);
    if (lineStart == std::string_view::npos)
        return;
    ++lineStart;
    size_t lineEnd = text.find_first_of("\r\n", lineStart);
    if (lineEnd == std::string_view::npos)
        lineEnd = text.size();
    options.fontName = std::string(text.substr(lineStart, lineEnd - lineStart));
    int height = 0;
    size_t numberAt = lineEnd;
    if (nextNumber(text, numberAt, height) && height > 0)
        options.fontHeight = (height + 1) / 2 * 2;
}

std::string colourLine(ColorRef colour)
{
    return std::to_string(redOf(colour)) + " " + std::to_string(greenOf(colour)) + " " +
           std::to_string(blueOf(colour)) + " ";
}

} // namespace

std::string_view windowOptionsFileName(WindowOptionsKind kind)
{
    switch (kind) {
    case WindowOptionsKind::Fractions:
        return "FractOpt";
    case WindowOptionsKind::Graph:
        return "FunOpt";
    case WindowOptionsKind::Calculator:
        return "CalcOpt";
    }
    return "FractOpt";
}

WindowOptions parseWindowOptions(std::string_view text, WindowOptions defaults)
{
    WindowOptions options = std::move(defaults);
    readFont(text, options);
    readColour(text, "Fraction", options.expressionBackground);
    readColour(text, "Window", options.window);
    return options;
}

std::string formatWindowOptions(const WindowOptions& options)
{
    return "font:\r\n" + options.fontName + "\r\n" + std::to_string(options.fontHeight) +
           "\r\n\r\nFraction's color:\r\n" + colourLine(options.expressionBackground) +
           "\r\n\r\nWindow's color:\r\n" + colourLine(options.window);
}

WindowOptions readWindowOptions(const std::filesystem::path& path)
{
    auto text = readWholeFile(path);
    return text ? parseWindowOptions(*text) : WindowOptions{};
}

bool writeWindowOptions(const std::filesystem::path& path, const WindowOptions& options)
{
    return replaceFile(path, formatWindowOptions(options));
}

} // namespace kestrane
