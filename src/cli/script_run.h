#pragma once

#include "platform/console_host.h"
#include "runtime/construction_window.h"
#include "script/module.h"
#include "script/script_file.h"

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

// How a script run ended.
enum class ScriptRunStatus {
    Finished,       // the program ran to its end
    FileError,      // the main file could not be read
    CompileError,   // the compiler refused the script (printed as FILE:LINE: MESSAGE)
    WaitingForClick // start(...) still waits for a choice on the screen
};

// One run of kestrane-cli run: loads a script with its includes, compiles it
// as check does, and runs it in run mode in a construction window whose
// message boxes go to the error stream, answering the choices of start(...)
// with the given clicks and resuming after each Break. The window keeps the
// construction for the outputs.
class ScriptRun {
public:
    explicit ScriptRun(std::ostream& errors);

    ScriptRunStatus run(const std::string& path, const std::vector<ClickPosition>& clicks,
                        std::ostream& out);

    const ConstructionWindow& window() const { return m_window; }
    const std::vector<MessageRequest>& messages() const { return m_host.messages(); }

private:
    std::ostream& m_errors;
    ConsoleHost m_host;
    ModuleState m_modules;
    std::unique_ptr<ScriptFile> m_main;
    ConstructionWindow m_window;
};

} // namespace kestrane::cli
