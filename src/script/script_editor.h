#pragma once

#include "script/compiler.h"
#include "script/directories.h"
#include "script/message_lines.h"
#include "script/module.h"
#include "script/script_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;

enum class RunState : std::uint8_t {
    Nothing = 0,       // nothing to run
    Run = 1,           // run (or step) the compiled program
    ShowText = 2,      // show the text on screen (OnScreen)
    CompileToDisk = 3, // compiled to be written to disk
};

enum class SteppingMode : std::uint8_t { StepByStep = 1, StepOver = 2 };

// What the construction window reads after the editor closes: the run
// state, the stepping mode and the compiled program, which is the normalised
// text of the main file plus the ScriptFile tree with its procedure records.
struct HandOver {
    RunState runState = RunState::Nothing;
    SteppingMode stepping = SteppingMode::StepByStep;
    bool toDisk = false;     // set only by Compile to disk
    bool show = false;       // set by OnScreen
    std::string programText; // normalised text of the main file, lines joined with CR LF
    std::string rawText;     // source lines joined with CR LF
    ScriptFile* mainFile = nullptr;
    ScriptFile* currentFile = nullptr;
    int moduleCode = 501;
    int effectiveModule = 502;
};

// The script editor's model: the module state, the directories, the main
// script file with its includes, the cursor and top line, the status area's
// message lines, the File and Program commands and their hand-over to the
// construction window. Keys, mouse and painting work on this state.
class ScriptEditor {
public:
    ScriptEditor(Host& host, Directories directories);

    // Module (editor Module menu, module dialog, script head, opened file).
    const ModuleState& moduleState() const { return m_modules; }
    ModuleState& moduleState() { return m_modules; }
    void setModule(int moduleCode);
    // The reserved words of the current module, for the completion list.
    const std::vector<std::string_view>& completionWords() const { return m_completionWords; }

    Directories& directories() { return m_directories; }
    const Directories& directories() const { return m_directories; }

    // File menu.
    void newText();
    // Asks about unsaved changes, shows the open dialog, opens the file.
    bool open();
    // Opens a main file by path (the module comes from its first byte).
    bool openFile(const std::string& path);
    bool save();
    bool saveAs();
    // Closing the window: asks about unsaved changes when no run is pending;
    // false when the user cancels.
    bool requestClose();

    // The text.
    ScriptFile& mainFile() { return *m_main; }
    ScriptFile& currentFile() { return *m_current; }
    const ScriptFile& currentFile() const { return *m_current; }
    const std::vector<SourceLine>& lines() const { return m_current->lines; }
    // Rebuilds the main file from a text (paste, cut, edited include lines),
    // loading its includes again, and marks the text modified.
    void setText(std::string_view text);
    const std::string& fileName() const { return m_fileName; }
    const std::string& caption() const { return m_fileName; }
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // The view of the current file.
    int cursorLine() const { return m_current->view.cursorLine; }
    int cursorColumn() const { return m_current->view.cursorColumn; }
    int topLine() const { return m_current->view.topLine; }
    void setVisibleLines(int count);

    // Status area.
    const MessageLines& messageLines() const { return m_messageLines; }
    bool errorShown() const { return m_errorShown; }
    const std::optional<CompileError>& lastError() const { return m_lastError; }

    // Program menu.
    void run();           // F9
    void stepByStep();    // F7
    void stepOver();      // F8
    void compile();       // hidden item: as Step-by-step, keeps the show flag
    void onScreen();      // no compile: show the text on screen
    void compileToDisk(); // hidden item

    HandOver handOver() const;
    // Set after a successful compile and by OnScreen: the window closes and
    // the construction window takes over.
    bool closeRequested() const { return m_closeRequested; }
    void clearCloseRequest() { m_closeRequested = false; }

private:
    void replaceMain(std::unique_ptr<ScriptFile> file, std::string fileName);
    void compileWithMode(RunState mode);
    void stepCommand(SteppingMode mode);
    void showError(const CompileError& error);
    bool askToSave();

    Host& m_host;
    ModuleState m_modules;
    Directories m_directories;
    std::unique_ptr<ScriptFile> m_main;
    ScriptFile* m_current = nullptr;
    std::string m_fileName;
    bool m_modified = false;
    std::vector<std::string_view> m_completionWords;
    int m_visibleLines = 20;

    MessageLines m_messageLines;
    bool m_errorShown = false;
    std::optional<CompileError> m_lastError;

    HandOver m_handOver;
    bool m_closeRequested = false;
};

// The editor's messages.
namespace editor_message {
inline constexpr std::string_view kFilesCaption = "Files";
inline constexpr std::string_view kNotSaved = "File not saved. \nDo you want to save it?";
inline constexpr std::string_view kWrongExtension =
    "Wrong extension. File is not saved. Use 'Save as' option.";
inline constexpr std::string_view kNoName = "NoName";
} // namespace editor_message

} // namespace kestrane
