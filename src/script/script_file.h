// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/procedure_record.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// One line of a script file. The flags follow the text: they are computed
// again whenever the text changes.
class SourceLine {
public:
    SourceLine(int number, int moduleCode, std::string text);

    int number = 0;     // position in its file, from 0
    int moduleCode = 0; // the module of the file
    std::int32_t mark = 0;

    const std::string& text() const { return m_text; }
    void setText(std::string text);

    bool isEnd() const { return m_isEnd; }                   // exactly END after blanks
    bool startsWithHash() const { return m_startsWithHash; } // first non-blank is '#'
    bool hasCode() const { return m_hasCode; }               // not blank, no leading '/' or '#'

private:
    std::string m_text;
    bool m_isEnd = false;
    bool m_startsWithHash = false;
    bool m_hasCode = false;
};

// A line as the compiler reads it, with the source line it came from.
struct NormalisedLine {
    int sourceLine = 0;
    std::string text;
};

// Where the editor shows a file: cursor, first visible line, their count.
struct EditingView {
    int cursorLine = 0;
    int cursorColumn = 0;
    int topLine = 0;
    int visibleLines = 20;
};

// One loaded script file with its include files, which it owns. The
// compiler fills the normalised lines, the normalised text and the
// procedure records.
struct ScriptFile {
    int moduleCode = 501;
    std::string path;      // the full path as found; empty for a text never saved
    std::string name;      // as written in the #include line or chosen in a dialog
    std::string directory; // where its own includes are searched first
    std::vector<SourceLine> lines;
    std::vector<NormalisedLine> normalisedLines;
    std::string normalisedText;
    std::vector<ProcedureRecord> procedures;
    std::vector<std::unique_ptr<ScriptFile>> includes;
    EditingView view;

    int effectiveModule() const;
    // The lines joined with CR LF, no line end after the last.
    std::string joinedText() const;
    // The file's bytes: the module character, then the joined lines.
    std::string fileBytes() const;
    // Replaces the lines by those of the text (at least one line).
    void setText(std::string_view text);
};

// Splits a text into lines: a line ends at CR; each further pair of CR/LF
// characters in the run that follows adds an empty line; a lone LF adds none
// and stays in its line. An empty text is one empty line. Every line is
// kept, however many there are: nothing of a file is dropped silently.
std::vector<std::string> splitLines(std::string_view text);

// The module character of a file: the low byte of (module code + 60).
char moduleCharacter(int moduleCode);
// The module code of a file's first byte: (signed byte) + 452. The byte
// Dimension 4 files are written with reads back as 604.
int moduleFromCharacter(char character);

} // namespace kestrane
