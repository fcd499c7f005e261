// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/script_editor.h"
#include "platform/host.h"
#include "platform/window_options.h"
#include "runtime/construction_window.h"
#include "script/directories.h"
#include "script/module.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrane {

// Where the program finds its files: the program directory (the current
// directory at start) and the data directories of the installation, in the
// order they are searched for the files the program ships.
struct ProgramPaths {
    std::filesystem::path programDirectory;
    std::vector<std::filesystem::path> dataDirectories;
    std::filesystem::path homeOptions;

    // The program directory, then the directory of the executable's data.
    static ProgramPaths forExecutable(const std::filesystem::path& executable);
};

// The application shell: the state every window shares, and the start-up
// work done while the main window is created.
class Application {
public:
    Application(Host& host, ProgramPaths paths);

    // Reads the prime table, finds the help and images, reads the options
    // (directories, then the current directory becomes the main one), the
    // window option files and MainOpt.
    void start();

    Host& host() { return m_host; }
    const ProgramPaths& paths() const { return m_paths; }
    Directories& directories() { return m_directories; }
    // The module state lives in the script editor's model, which exists
    // before its window does.
    ScriptEditor& scriptEditor() { return m_editor; }
    ModuleState& moduleState() { return m_editor.moduleState(); }
    ConstructionWindow& constructionWindow() { return m_construction; }
    const WindowOptions& windowOptions(WindowOptionsKind kind) const;
    WindowOptions& windowOptions(WindowOptionsKind kind);

    // A file the program ships, from the first place that has it; empty when
    // none has.
    std::filesystem::path findDataFile(const std::filesystem::path& name) const;
    const std::filesystem::path& helpIndex() const { return m_helpIndex; }
    const std::filesystem::path& imagesDirectory() const { return m_imagesDirectory; }
    bool imagesDirectoryExists() const { return m_imagesDirectoryExists; }

    // Menu commands of the shell.
    bool saveMainOptions(); // Options > Save options
    bool chooseModule();    // the module dialog
    bool editDirectories(); // the directories dialog
    void showHelp() { m_host.showHelp("index.html"); }

private:
    void readDirectories();
    std::vector<std::string> dataSearchPath() const;

    Host& m_host;
    ProgramPaths m_paths;
    Directories m_directories;
    ScriptEditor m_editor;
    ConstructionWindow m_construction;
    std::array<WindowOptions, 3> m_windowOptions;
    std::filesystem::path m_helpIndex;
    std::filesystem::path m_imagesDirectory;
    bool m_imagesDirectoryExists = false;
};

} // namespace kestrane
