// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/script_file.h"

#include "script/lexical.h"
#include "script/module.h"

namespace kestrane {

namespace {

constexpr int kModuleCharacterOffset = 60;
constexpr int kModuleFromByteOffset = 452;

} // namespace

SourceLine::SourceLine(int lineNumber, int module, std::string text)
    : number(lineNumber)
    , moduleCode(module)
{
    setText(std::move(text));
}

void SourceLine::setText(std::string text)
{
    m_text = std::move(text);
    std::size_t first = skipBlanks(m_text, 0);
    char leading = first < m_text.size() ? m_text[first] : '\0';
    m_isEnd = std::string_view(m_text).substr(first) == "END";
    m_startsWithHash = leading == '#';
    m_hasCode = first < m_text.size() && leading != '/' && leading != '#';
}

int ScriptFile::effectiveModule() const
{
    return kestrane::effectiveModule(moduleCode);
}

std::string ScriptFile::joinedText() const
{
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (index > 0)
            text += "\r\n";
        text += lines[index].text();
    }
    return text;
}

std::string ScriptFile::fileBytes() const
{
    return moduleCharacter(moduleCode) + joinedText();
}

void ScriptFile::setText(std::string_view text)
{
    lines.clear();
    int number = 0;
    for (std::string& line : splitLines(text))
        lines.emplace_back(number++, moduleCode, std::move(line));
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return {std::string()};
    // Text written on this system has LF alone between its lines: with no CR
    // anywhere, each LF counts as a CR LF.
    if (text.find('\r') == std::string_view::npos && text.find('\n') != std::string_view::npos) {
        std::string withCarriageReturns;
        withCarriageReturns.reserve(text.size() * 2);
        for (char character : text) {
            if (character == '\n')
                withCarriageReturns += '\r';
            withCarriageReturns += character;
        }
        return splitLines(withCarriageReturns);
    }
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find('\r', position);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(position, end - position));
        std::size_t run = end;
        while (run < text.size() && isLineBreak(text[run]))
            ++run;
        // A single CR LF separates two lines; each further CR LF pair of the
        // run is an empty line between them.
        std::size_t runLength = run - end;
        for (std::size_t empty = runLength >= 2 ? (runLength - 2) / 2 : 0; empty > 0; --empty)
            lines.emplace_back();
        position = run;
    }
    return lines;
}

char moduleCharacter(int moduleCode)
{
    return static_cast<char>(
        static_cast<unsigned char>((moduleCode + kModuleCharacterOffset) & 0xFF));
}

int moduleFromCharacter(char character)
{
    if (character == moduleCharacter(code(Module::Dimension4)))
        return code(Module::Dimension4);
    return static_cast<signed char>(character) + kModuleFromByteOffset;
}

} // namespace kestrane
