// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/statement.h"

#include "script/lexical.h"

#include <limits>
#include <optional>

namespace kestrane {

namespace {

std::size_t lineEnd(std::string_view text, std::size_t position)
{
    std::size_t end = position;
    while (end < text.size() && !isLineBreak(text[end]))
        ++end;
    return end;
}

std::size_t matchingParenthesis(std::string_view text, std::size_t open)
{
    int depth = 0;
    for (std::size_t index = open; index < text.size(); ++index) {
        if (text[index] == '(')
            ++depth;
        else if (text[index] == ')' && --depth == 0)
            return index;
    }
    return std::string_view::npos;
}

// Splits `target=word...`: the target is one word followed by '=' (and not
// by "==", which belongs to a condition).
std::size_t readTarget(std::string_view line, Statement& statement)
{
    TextSpan first = readWord(line, 0);
    std::size_t after = skipBlanks(line, first.end());
    bool isTarget = first.length > 0 && after < line.size() && line[after] == '=' &&
                    (after + 1 >= line.size() || line[after + 1] != '=');
    if (!isTarget)
        return skipBlanks(line, 0);
    statement.target = std::string(trimBlanks(line.substr(first.start, first.length)));
    return skipBlanks(line, after + 1);
}

void readArgumentsAndValue(Statement& statement)
{
    std::string_view rest = statement.rest;
    std::size_t open = skipBlanks(rest, 0);
    if (open >= rest.size() || rest[open] != '(')
        return;
    std::size_t close = matchingParenthesis(rest, open);
    if (close == std::string_view::npos) {
        statement.argumentText = std::string(rest.substr(open + 1));
        return;
    }
    statement.argumentText = std::string(rest.substr(open + 1, close - open - 1));
    std::size_t equals = skipBlanks(rest, close + 1);
    if (equals < rest.size() && rest[equals] == '=')
        statement.value = std::string(trimBlanks(rest.substr(equals + 1)));
}

} // namespace

std::vector<std::string> splitArguments(std::string_view argumentText)
{
    std::vector<std::string> arguments;
    if (trimBlanks(argumentText).empty())
        return arguments;
    // Commas inside brackets belong to a '$' text such as $f(x,y).
    // The blanks and '(' a piece starts with are dropped, not counted.
    std::size_t position = 0;
    int depth = 0;
    bool leading = true;
    for (std::size_t index = 0; index <= argumentText.size(); ++index) {
        bool end = index == argumentText.size();
        char character = end ? ',' : argumentText[index];
        leading = leading && (isBlank(character) || character == '(');
        if (character == '(' && !leading)
            ++depth;
        else if (character == ')' && depth > 0)
            --depth;
        if (character != ',' || (depth > 0 && !end))
            continue;
        std::string_view piece = argumentText.substr(position, index - position);
        while (!piece.empty() && (isBlank(piece.front()) || piece.front() == '('))
            piece.remove_prefix(1);
        arguments.emplace_back(trimBlanks(piece));
        position = index + 1;
        leading = true;
    }
    return arguments;
}

std::vector<std::string> Statement::arguments() const
{
    return splitArguments(argumentText);
}

Statement readStatement(std::string_view text, std::size_t position)
{
    Statement statement;
    statement.start = skipBlanks(text, position);
    std::size_t end = lineEnd(text, statement.start);
    std::string_view line = text.substr(statement.start, end - statement.start);
    statement.line = std::string(line);
    statement.next = readLine(text, statement.start).next;

    std::size_t wordStart = readTarget(line, statement);
    TextSpan word = readWord(line, wordStart);
    statement.word = std::string(line.substr(word.start, word.length));
    statement.rest = std::string(line.substr(word.end()));
    readArgumentsAndValue(statement);
    return statement;
}

long long integerArgument(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 10;
    for (char character : text) {
        if (!isDigit(character))
            break;
        if (value < kLimit)
            value = value * 10 + (character - '0');
    }
    return negative ? -value : value;
}

LongNum numberArgument(std::string_view text)
{
    text = trimBlanks(text);
    if (text.find('.') != std::string_view::npos) {
        if (std::optional<LongNum> decimal = LongParse(text))
            return *decimal;
    }
    return LongNum::fromInteger(integerArgument(text));
}

} // namespace kestrane
