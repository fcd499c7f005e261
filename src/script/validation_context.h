// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/compiler.h"
#include "script/data_file_search.h"
#include "script/words.h"

#include <optional>
#include <string_view>

namespace kestrane {

// What the parts of one compile share: the module state, the host, the
// script tree and the first error. Once an error is recorded every later
// report is ignored, so only the first error of a compile is shown.
class ValidationContext {
public:
    ValidationContext(ModuleState& modules, Host& host, ScriptFile& main);

    // Words are looked up in the module; argument lists come from the
    // effective module (Kestrane is checked with the Dimension 2 lists).
    WordMatch match(std::string_view word) const;
    bool isReserved(std::string_view word) const { return match(word).reserved(); }
    const WordEntry* entryFor(int code) const;
    ModuleState& modules() { return m_modules; }
    Host& host() { return m_host; }
    ScriptFile& main() { return m_main; }
    // Where data files named by the script are looked for.
    const DataFileSearch& dataFiles() const { return m_dataFiles; }
    void setDataFiles(DataFileSearch search) { m_dataFiles = std::move(search); }

    // A procedure declared so far anywhere in the tree.
    const ProcedureRecord* findProcedure(std::string_view name) const;

    bool failed() const { return m_error.has_value(); }
    const std::optional<CompileError>& error() const { return m_error; }
    // Records an error shown inside the editor at a position of the file's
    // normalised text.
    void fail(ScriptFile& file, std::size_t position, std::string_view message);
    // Shows a message box and records it as the error of the compile.
    void failWithBox(ScriptFile& file, std::size_t position, std::string_view caption,
                     std::string_view message);

private:
    void record(ScriptFile& file, std::size_t position, std::string_view message,
                ErrorDisplay display);

    ModuleState& m_modules;
    Host& m_host;
    ScriptFile& m_main;
    std::optional<CompileError> m_error;
    DataFileSearch m_dataFiles;
};

} // namespace kestrane
