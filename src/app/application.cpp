// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"

#include "app/directories_dialog.h"
#include "app/module_dialog.h"
#include "app/module_executors.h"
#include "app/options.h"
#include "app/prime_table.h"
#include "graphs/graph_scene.h"
#include "script/module.h"

namespace kestrane {

namespace fs = std::filesystem;

ProgramPaths ProgramPaths::forExecutable(const fs::path& executable)
{
    ProgramPaths paths;
    std::error_code error;
    paths.programDirectory = fs::current_path(error);
    fs::path binDirectory = fs::absolute(executable, error).parent_path();
    paths.dataDirectories = {paths.programDirectory,
                             binDirectory.parent_path() / "share" / "kestrane", binDirectory};
    paths.homeOptions = homeOptionsPath();
    return paths;
}

Application::Application(Host& host, ProgramPaths paths)
    : m_host(host)
    , m_paths(std::move(paths))
    , m_editor(host, Directories{})
    , m_construction(host)
{
    m_directories.program = m_paths.programDirectory.string();
    registerModuleExecutors(m_construction.executors());
    m_editor.setRunnable(
        [this](int moduleCode) { return m_construction.executors().has(moduleCode); });
}

std::vector<std::string> Application::dataSearchPath() const
{
    std::vector<std::string> directories;
    for (const fs::path& directory : m_paths.dataDirectories)
        directories.push_back(directory.string());
    return directories;
}

fs::path Application::findDataFile(const fs::path& name) const
{
    std::error_code error;
    for (const fs::path& directory : m_paths.dataDirectories) {
        if (fs::exists(directory / name, error))
            return directory / name;
    }
    return {};
}

void Application::start()
{
    loadPrimeTable(m_host, dataSearchPath());
    m_helpIndex = findDataFile(fs::path("help") / "index.html");
    fs::path images = findDataFile("images");
    m_imagesDirectoryExists = !images.empty();
    m_imagesDirectory = m_imagesDirectoryExists ? images : m_paths.programDirectory / "images";
    readDirectories();
    m_editor.setExamplesDirectory(findDataFile("examples").string());
    m_construction.state().dataFiles().directories = m_directories;
    m_construction.state().dataFiles().shippedExamples = findDataFile("examples").string();
    for (WindowOptionsKind kind :
         {WindowOptionsKind::Fractions, WindowOptionsKind::Graph, WindowOptionsKind::Calculator})
        windowOptions(kind) =
            readWindowOptions(m_paths.programDirectory / windowOptionsFileName(kind));
    // Formulas of the graph modules are drawn in the graph window's font.
    for (Module module : {Module::Graphs, Module::Algebra}) {
        if (auto* scene = dynamic_cast<GraphScene*>(m_construction.executors().scene(code(module))))
            scene->setFormulaFontHeight(windowOptions(WindowOptionsKind::Graph).fontHeight);
    }
    if (auto show = readMainOpt(m_paths.programDirectory / "MainOpt"))
        m_construction.setShowMessages(*show);
}

void Application::readDirectories()
{
    auto options = readOptions(m_paths.programDirectory / "options", m_paths.homeOptions);
    if (!options)
        return;
    m_directories.main = options->main;
    m_directories.working = options->working;
    m_directories.library = options->library;
    // Relative files (scripts, option files written by windows) are then
    // looked for in the main directory.
    std::error_code error;
    if (!m_directories.main.empty())
        fs::current_path(m_directories.main, error);
}

const WindowOptions& Application::windowOptions(WindowOptionsKind kind) const
{
    return m_windowOptions[static_cast<size_t>(kind)];
}

WindowOptions& Application::windowOptions(WindowOptionsKind kind)
{
    return m_windowOptions[static_cast<size_t>(kind)];
}

bool Application::saveMainOptions()
{
    return writeMainOpt(m_paths.programDirectory / "MainOpt", m_construction.showMessages());
}

bool Application::chooseModule()
{
    ModuleState chosen = m_editor.moduleState();
    if (!kestrane::chooseModule(m_host, chosen))
        return false;
    // Through the editor, so its completion list follows the module.
    m_editor.setModule(chosen.module());
    return true;
}

bool Application::editDirectories()
{
    return kestrane::editDirectories(m_host, m_directories, m_paths.programDirectory / "options",
                                     m_paths.homeOptions);
}

} // namespace kestrane
