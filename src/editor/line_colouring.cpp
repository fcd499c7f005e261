// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/line_colouring.h"

#include "script/lexical.h"
#include "script/words.h"

namespace kestrane {

namespace {

bool isWordCharacter(char character)
{
    return isLetter(character) || isDigit(character);
}

// The end of the word or sign run that begins at the position.
std::size_t runEnd(const std::string& text, std::size_t position)
{
    bool word = isWordCharacter(text[position]) || text[position] == '$';
    std::size_t end = position + 1;
    while (end < text.size() && isWordCharacter(text[end]) == word && (word || text[end] != '$'))
        ++end;
    return end;
}

char nextSign(const std::string& text, std::size_t position)
{
    position = skipBlanks(text, position);
    return position < text.size() ? text[position] : '\0';
}

// A target is the line's first word followed by '=' that is not "==".
bool isAssignmentTarget(const std::string& text, std::size_t start, std::size_t end)
{
    if (skipBlanks(text, 0) != start)
        return false;
    std::size_t sign = skipBlanks(text, end);
    return sign < text.size() && text[sign] == '=' &&
           (sign + 1 >= text.size() || text[sign + 1] != '=');
}

ColorRef wordColour(const std::string& text, std::size_t start, std::size_t end, int moduleCode,
                    LineRole role)
{
    std::string_view word = std::string_view(text).substr(start, end - start);
    if ((isDigit(word.front()) && isIntegerLiteral(word)) || isDecimalLiteral(word))
        return editor_colour::kLiteral;
    if (word == "END")
        return editor_colour::kEnd;
    if (lookUpWord(word, moduleCode) != 0)
        return editor_colour::kReserved;
    if (word == "start")
        return editor_colour::kStart;
    if (role == LineRole::ProcedureHeader && nextSign(text, end) == '(')
        return editor_colour::kProcedureName;
    if (isAssignmentTarget(text, start, end))
        return editor_colour::kAssignmentTarget;
    return editor_colour::kPlain;
}

void collectNames(const ScriptFile& file, std::vector<std::string>& names)
{
    std::vector<LineRole> roles = lineRoles(file.lines);
    for (std::size_t index = 0; index < file.lines.size(); ++index) {
        if (roles[index] != LineRole::ProcedureHeader)
            continue;
        const std::string& text = file.lines[index].text();
        std::string_view head = trimBlanks(std::string_view(text).substr(0, text.find('(')));
        std::size_t blank = head.rfind(' ');
        std::string_view name = blank == std::string_view::npos ? head : head.substr(blank + 1);
        if (!name.empty())
            names.emplace_back(name);
    }
    for (const auto& include : file.includes)
        collectNames(*include, names);
}

} // namespace

std::vector<LineRole> lineRoles(const std::vector<SourceLine>& lines)
{
    std::vector<LineRole> roles(lines.size(), LineRole::Statement);
    bool inBody = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const SourceLine& line = lines[index];
        if (!line.hasCode())
            continue;
        if (inBody) {
            inBody = !line.isEnd();
        } else if (line.text().find('(') != std::string::npos) {
            roles[index] = LineRole::ProcedureHeader;
            inBody = true;
        }
    }
    return roles;
}

std::vector<ColouredSpan> colourLine(const SourceLine& line, int moduleCode, LineRole role)
{
    const std::string& text = line.text();
    if (text.empty())
        return {};
    if (!line.hasCode()) {
        ColorRef colour =
            line.startsWithHash() ? editor_colour::kIncludeLine : editor_colour::kComment;
        return {{0, text.size(), colour}};
    }
    std::vector<ColouredSpan> spans;
    for (std::size_t position = 0; position < text.size();) {
        std::size_t end = runEnd(text, position);
        bool word = isWordCharacter(text[position]) || text[position] == '$';
        ColorRef colour =
            word ? wordColour(text, position, end, moduleCode, role) : editor_colour::kPlain;
        spans.push_back({position, end - position, colour});
        position = end;
    }
    return spans;
}

std::vector<std::string> procedureNames(const ScriptFile& file)
{
    std::vector<std::string> names;
    collectNames(file, names);
    return names;
}

} // namespace kestrane
