// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_text.h"

#include "platform/text_encoding.h"
#include "script/lexical.h"

#include <algorithm>

namespace kestrane::editor_text {

namespace {

bool isContinuation(char character)
{
    return (static_cast<unsigned char>(character) & 0xC0) == 0x80;
}

} // namespace

std::size_t nextCharacter(std::string_view text, std::size_t column)
{
    if (column >= text.size())
        return text.size();
    ++column;
    if (isValidUtf8(text)) {
        while (column < text.size() && isContinuation(text[column]))
            ++column;
    }
    return column;
}

std::size_t previousCharacter(std::string_view text, std::size_t column)
{
    if (column == 0)
        return 0;
    return characterStart(text, column - 1);
}

std::size_t characterStart(std::string_view text, std::size_t column)
{
    if (column >= text.size())
        return text.size();
    if (isValidUtf8(text)) {
        while (column > 0 && isContinuation(text[column]))
            --column;
    }
    return column;
}

bool isWordCharacter(char character)
{
    return isLetter(character) || isDigit(character);
}

std::size_t previousWordStart(std::string_view text, std::size_t column)
{
    column = std::min(column, text.size());
    while (column > 0 && !isWordCharacter(text[column - 1]))
        --column;
    return wordStartBefore(text, column);
}

std::size_t nextWordStart(std::string_view text, std::size_t column)
{
    column = wordEndAfter(text, column);
    while (column < text.size() && !isWordCharacter(text[column]))
        ++column;
    return column;
}

std::size_t wordStartBefore(std::string_view text, std::size_t column)
{
    column = std::min(column, text.size());
    while (column > 0 && isWordCharacter(text[column - 1]))
        --column;
    return column;
}

std::size_t wordEndAfter(std::string_view text, std::size_t column)
{
    while (column < text.size() && isWordCharacter(text[column]))
        ++column;
    return column;
}

std::string withCarriageReturns(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (std::size_t index = 0; index < text.size(); ++index) {
        char character = text[index];
        if (character == '\r') {
            result += "\r\n";
            if (index + 1 < text.size() && text[index + 1] == '\n')
                ++index;
        } else if (character == '\n') {
            result += "\r\n";
        } else {
            result += character;
        }
    }
    return result;
}

} // namespace kestrane::editor_text
