// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/data_file_search.h"

#include "script/module.h"
#include "script/script_file.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kestrane {

class Host;

// How the user sees a compile error: inside the editor on its line, or as a
// modal message box (include not loaded, no closing parentheses, missing
// function file, no command in a text).
enum class ErrorDisplay { InEditor, MessageBox };

// The first error of a compile.
struct CompileError {
    std::string message;
    ScriptFile* file = nullptr; // the file that holds the error
    std::size_t position = 0;   // offset in that file's normalised text
    int normalisedLine = 0;     // index of the normalised line
    int sourceLine = 0;         // line of the file, from 0
    ErrorDisplay display = ErrorDisplay::InEditor;
};

struct CompileResult {
    std::optional<CompileError> error; // empty when the script is valid
    std::string programText;           // the normalised text of the last file validated
    std::string rawText;               // the main file's lines joined with CR LF
    ScriptFile* currentFile = nullptr; // the file validated last (the one failing)
    bool ok() const { return !error; }
};

// Validates a script tree against the words of the current module, include
// files before their includer, and stops at the first error. The compiled
// program is the normalised text of each file plus its procedure records,
// which the compile (re)builds. A `Module` head line changes the module
// state. Message boxes go through the host.
class Compiler {
public:
    Compiler(ModuleState& modules, Host& host);

    CompileResult compile(ScriptFile& main);

    // Where the files named by Function commands are looked for (the main
    // file's directory is added); without it, the name as given and the main
    // file's directory and its "Examples".
    void setDataFiles(DataFileSearch search) { m_dataFiles = std::move(search); }

private:
    ModuleState& m_modules;
    Host& m_host;
    DataFileSearch m_dataFiles;
};

// Normalises every line of the file: lines that normalise to nothing are
// dropped; the rest, joined with CR LF, make the normalised text.
void normaliseFile(ScriptFile& file);

// The file's normalised line that holds a position of its normalised text,
// found by counting line ends as the interpreter's texts are counted.
int normalisedLineAt(const std::string& text, std::size_t position);

// The source line an error on a normalised line is shown on; an error on
// the last normalised line goes to the file's last source line.
int sourceLineOf(const ScriptFile& file, int normalisedLine);

} // namespace kestrane
