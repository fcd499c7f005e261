// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/lexical.h"

#include <algorithm>

namespace kestrane {

bool isLetter(char character)
{
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
           character == '\\' || character == '#' || character == '.';
}

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool isBlank(char character)
{
    return character == ' ';
}

bool isLineBreak(char character)
{
    return character == '\r' || character == '\n';
}

bool isIntegerLiteral(std::string_view word)
{
    if (word.empty())
        return true;
    if (!isDigit(word.front()) && word.front() != '-')
        return false;
    return std::all_of(word.begin() + 1, word.end(), isDigit);
}

bool isStringConstant(std::string_view word)
{
    if (word.empty() || word.front() != '$')
        return false;
    return std::all_of(word.begin() + 1, word.end(), isLetter);
}

namespace {

bool fitsTexts(char character)
{
    return isLetter(character) || isDigit(character) ||
           std::string_view(" #%=+-*._/^(),").find(character) != std::string_view::npos;
}

} // namespace

bool isTextConstant(std::string_view word)
{
    if (word.empty() || word.front() != '$')
        return false;
    return std::all_of(word.begin() + 1, word.end(), fitsTexts);
}

char signNotInTexts(std::string_view word)
{
    for (char character : word.substr(std::min<std::size_t>(1, word.size()))) {
        if (!fitsTexts(character))
            return character;
    }
    return '\0';
}

bool isDecimalLiteral(std::string_view word)
{
    if (word.empty())
        return false;
    int points = 0;
    for (char character : word) {
        if (character == '.')
            ++points;
        else if (!isDigit(character))
            return false;
    }
    return points <= 1;
}

bool isSignedDecimal(std::string_view word)
{
    std::size_t start = skipBlanks(word, 0);
    if (start < word.size() && word[start] == '-')
        ++start;
    return isDecimalLiteral(word.substr(std::min(start, word.size())));
}

namespace {

bool dropsBlankAfter(char character)
{
    return character == '(' || character == ',' || character == '=';
}

bool dropsBlankBefore(char character)
{
    return character == '(' || character == ')' || character == ',' || character == '=';
}

} // namespace

std::string normaliseLine(std::string_view line)
{
    // 1. Comments. The test is made at the first non-blank character, so an
    // indented comment is a comment too (the editor colours it as one).
    std::string_view text = trimBlanks(line);
    if (!text.empty() && text.front() == '/')
        return {};
    if (text.size() > 1 && text[1] == '/')
        text = text.substr(0, 1);
    // 2-3. Blank runs inside the line: dropped next to the signs that cannot
    // stand in a word, reduced to one blank elsewhere.
    std::string result;
    result.reserve(text.size());
    for (std::size_t index = 0; index < text.size();) {
        if (!isBlank(text[index])) {
            result += text[index++];
            continue;
        }
        std::size_t after = skipBlanks(text, index);
        char next = after < text.size() ? text[after] : '\0';
        bool drop = (!result.empty() && dropsBlankAfter(result.back())) || dropsBlankBefore(next);
        if (!drop)
            result += ' ';
        index = after;
    }
    return result;
}

TextSpan readWord(std::string_view text, std::size_t position)
{
    std::size_t start = skipBlanks(text, position);
    if (start >= text.size())
        return {text.size(), 0};
    std::size_t end = start + 1;
    while (end < text.size() && (isLetter(text[end]) || isDigit(text[end])))
        ++end;
    return {start, end - start};
}

TextSpan readUpTo(std::string_view text, std::size_t position, char delimiter)
{
    std::size_t start = std::min(position, text.size());
    if (isBlank(delimiter))
        start = skipBlanks(text, start);
    std::size_t found = text.find(delimiter, start);
    std::size_t end = found == std::string_view::npos ? text.size() : found + 1;
    return {start, end - start};
}

LineSpan readLine(std::string_view text, std::size_t position)
{
    std::size_t start = std::min(position, text.size());
    std::size_t end = start;
    while (end < text.size() && !isLineBreak(text[end]))
        ++end;
    std::size_t next = end;
    while (next < text.size() && isLineBreak(text[next]))
        ++next;
    return {{start, end - start}, next};
}

std::size_t findWord(std::string_view text, std::string_view word, std::size_t from, std::size_t to)
{
    if (word.empty())
        return std::string_view::npos;
    to = std::min(to, text.size());
    auto isWordCharacter = [](char character) { return isLetter(character) || isDigit(character); };
    for (std::size_t found = text.find(word, from); found != std::string_view::npos && found < to;
         found = text.find(word, found + 1)) {
        bool startsWord = found == 0 || !isWordCharacter(text[found - 1]);
        std::size_t after = found + word.size();
        bool endsWord = after >= text.size() || !isWordCharacter(text[after]);
        if (startsWord && endsWord)
            return found;
    }
    return std::string_view::npos;
}

std::size_t skipBlanks(std::string_view text, std::size_t position)
{
    while (position < text.size() && isBlank(text[position]))
        ++position;
    return std::min(position, text.size());
}

std::string_view trimBlanks(std::string_view text)
{
    std::size_t start = skipBlanks(text, 0);
    std::size_t end = text.size();
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

void trimInPlace(std::string& text)
{
    text = std::string(trimBlanks(text));
}

std::string copyText(std::string_view text, std::size_t position, std::size_t length)
{
    if (position >= text.size())
        return {};
    return std::string(text.substr(position, length));
}

} // namespace kestrane
