// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/console_host.h"
#include "runtime/construction_window.h"
#include "runtime/statement_trace.h"
#include "script/directories.h"
#include "script/module.h"
#include "script/script_file.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane::cli {

// A mouse click on the drawing area, in model coordinates.
struct ClickPosition {
    double x = 0;
    double y = 0;
};

// What the desktop program reads at start and a script run needs: the main,
// working and library directories (where includes are searched) and the
// "Show messages" switch of MainOpt.
struct ScriptSetup {
    Directories directories;
    bool showMessages = true;
};

// Reads the options file and MainOpt as the program does: "options" and
// "MainOpt" in the start directory (the current one), the options in the
// user's configuration directory winning; with an options directory, only
// the files in it.
ScriptSetup readScriptSetup(const std::optional<std::string>& optionsDirectory);

// How a script run ended.
enum class ScriptRunStatus {
    Finished,        // the program ran to its end
    FileError,       // a script file could not be read
    CompileError,    // the compiler refused a script
    Stopped,         // refused or stopped: start(...) never ran or did not reach its END
    WaitingForClick, // start(...) still waits for a choice on the screen
    AtBreakpoint,    // the main program stopped at a breakpoint (--break)
};

// A line a run stops before: in the main file when `file` is empty, else in
// the include of that name; lines count from 1.
struct BreakLine {
    std::string file;
    int line = 0;
};

// The first compile error of a program: the file that holds it (as named on
// the command line for the main file), its line from 1 and its message.
struct ScriptError {
    std::string file;
    int line = 0;
    std::string message;

    // "FILE:LINE: MESSAGE", as editors and compilers print it.
    std::string text() const;
};

// Loads a main file with its includes and compiles it in the module of its
// first byte.
class ScriptCompilation {
public:
    ScriptCompilation(Host& host, const Directories& directories);

    ScriptRunStatus compile(const std::string& path, std::optional<int> module = {});
    // The compile error after compile() returned CompileError.
    const ScriptError& error() const { return m_error; }
    std::unique_ptr<ScriptFile> takeFile() { return std::move(m_file); }
    int module() const { return m_modules.module(); }

private:
    Host& m_host;
    const Directories& m_directories;
    ModuleState m_modules;
    std::unique_ptr<ScriptFile> m_file;
    ScriptError m_error;
};

// One run of kestrane-cli run: runs the programs kept before (each on the
// figure the previous left), then the main program, in run mode in a
// construction window whose message boxes go to the error stream. The
// choices of start(...) are answered with the clicks in order, and every
// Break is passed. The window keeps the construction for the outputs.
class ScriptRun {
public:
    ScriptRun(std::ostream& errors, ScriptSetup setup);

    ScriptRunStatus run(const std::string& path, const std::vector<std::string>& keptPrograms,
                        const std::vector<ClickPosition>& clicks);
    // The compile error after run() returned CompileError.
    const ScriptError& compileError() const { return m_compileError; }

    // Folders the programs may write in besides their own folder and the
    // working directory.
    void allowWritesIn(std::vector<std::string> folders);

    // Traces the main program: one JSON line per executed statement.
    void traceTo(StatementTrace::Sink sink) { m_traceSink = std::move(sink); }
    // The main program stops before the first of these lines it reaches.
    void breakAt(std::vector<BreakLine> lines) { m_breakLines = std::move(lines); }
    // Where the main program stopped at a breakpoint, as JSON members
    // ("paused": {...}); empty when it did not.
    const std::string& pausedJson() const { return m_pausedJson; }

    // After the run: the clicks its start(...) did not take reach the window
    // in order (the space view's control panel), then the timer ticks, at
    // once, without waiting.
    void afterRun(std::size_t ticks);

    const ConstructionWindow& window() const { return m_window; }
    const std::vector<MessageRequest>& messages() const { return m_host.messages(); }

private:
    ScriptRunStatus runProgram(const std::string& path, const std::vector<ClickPosition>& clicks,
                               bool mainProgram);
    // Breakpoints and the trace of the main program; false, with the
    // problem reported, when a --break names no file of the program.
    bool watchMainProgram(const ScriptFile& main, const std::string& path);
    std::string traceFileName(const ScriptFile* file, const std::string& path) const;

    std::ostream& m_errors;
    ScriptSetup m_setup;
    ConsoleHost m_host;
    std::vector<std::unique_ptr<ScriptFile>> m_programs;
    ConstructionWindow m_window;
    std::size_t m_nextClick = 0;
    std::vector<ClickPosition> m_leftOverClicks;
    ScriptError m_compileError;
    StatementTrace::Sink m_traceSink;
    std::unique_ptr<StatementTrace> m_trace;
    std::vector<BreakLine> m_breakLines;
    std::string m_pausedJson;
};

} // namespace kestrane::cli
