// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_run.h"

#include "app/application.h"
#include "app/module_executors.h"
#include "app/options.h"
#include "cli/command_output.h"
#include "cli/commands.h"
#include "cli/png_export.h"
#include "platform/translation.h"
#include "runtime/module_scene.h"
#include "runtime/source_places.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <filesystem>
#include <ostream>
#include <set>

namespace kestrane::cli {

namespace fs = std::filesystem;

namespace {

// The examples the program ships, searched last for the files a script names,
// as the desktop program does; empty when none are found.
std::string shippedExamples()
{
    std::error_code error;
    for (const auto& directory : ProgramPaths::forExecutable(programPath()).dataDirectories) {
        if (fs::is_directory(directory / "examples", error))
            return (directory / "examples").string();
    }
    return {};
}

} // namespace

ScriptSetup readScriptSetup(const std::optional<std::string>& optionsDirectory)
{
    std::error_code error;
    fs::path start = optionsDirectory ? fs::path(*optionsDirectory) : fs::current_path(error);
    fs::path home = optionsDirectory ? start / "options" : homeOptionsPath();
    ScriptSetup setup;
    if (auto directories = readOptions(start / "options", home)) {
        setup.directories.main = directories->main;
        setup.directories.working = directories->working;
        setup.directories.library = directories->library;
    }
    setup.directories.program = start.string();
    setup.showMessages = readMainOpt(start / "MainOpt").value_or(true);
    return setup;
}

ScriptCompilation::ScriptCompilation(Host& host, const Directories& directories)
    : m_host(host)
    , m_directories(directories)
{
}

std::string ScriptError::text() const
{
    return file + ':' + std::to_string(line) + ": " + translate(message);
}

ScriptRunStatus ScriptCompilation::compile(const std::string& path, std::optional<int> module)
{
    using FirstByte = ScriptLoader::FirstByte;
    ScriptLoader loader(m_host, m_directories);
    m_file = loader.openMainFile(path, module.value_or(m_modules.module()),
                                 module ? FirstByte::Skipped : FirstByte::SetsModule);
    if (!m_file)
        return ScriptRunStatus::FileError;
    m_modules.set(module.value_or(m_file->moduleCode));
    Compiler compiler(m_modules, m_host);
    compiler.setDataFiles(DataFileSearch{m_directories, {}, shippedExamples()});
    CompileResult result = compiler.compile(*m_file);
    if (result.ok())
        return ScriptRunStatus::Finished;
    const CompileError& error = *result.error;
    m_error.file = error.file == m_file.get() ? path : error.file->path;
    m_error.line = error.sourceLine + 1;
    m_error.message = error.message;
    return ScriptRunStatus::CompileError;
}

ScriptRun::ScriptRun(std::ostream& errors, ScriptSetup setup)
    : m_errors(errors)
    , m_setup(std::move(setup))
    , m_host(errors)
    , m_window(m_host)
{
    registerModuleExecutors(m_window.executors());
    m_window.setShowMessages(m_setup.showMessages);
    m_window.state().setWorkingDirectory(m_setup.directories.working);
    m_window.state().setPictureWriter(pictureWriter());
    m_window.state().dataFiles().directories = m_setup.directories;
    m_window.state().dataFiles().shippedExamples = shippedExamples();
}

ScriptRunStatus ScriptRun::run(const std::string& path,
                               const std::vector<std::string>& keptPrograms,
                               const std::vector<ClickPosition>& clicks)
{
    m_nextClick = 0;
    for (const std::string& kept : keptPrograms) {
        ScriptRunStatus status = runProgram(kept, clicks, false);
        if (status != ScriptRunStatus::Finished)
            return status;
    }
    ScriptRunStatus status = runProgram(path, clicks, true);
    m_leftOverClicks.clear();
    if (status != ScriptRunStatus::Finished || m_nextClick >= clicks.size())
        return status;
    const ModuleScene* scene = m_window.state().scene();
    if (scene && scene->takesClicks())
        m_leftOverClicks.assign(clicks.begin() + static_cast<std::ptrdiff_t>(m_nextClick),
                                clicks.end());
    else
        m_errors << "kestrane-cli run: "
                 << translateFilled("%1 click(s) were not needed",
                                    {std::to_string(clicks.size() - m_nextClick)})
                 << '\n';
    return status;
}

void ScriptRun::allowWritesIn(std::vector<std::string> folders)
{
    m_window.state().setExtraWriteFolders(std::move(folders));
}

void ScriptRun::afterRun(std::size_t ticks)
{
    for (const ClickPosition& click : m_leftOverClicks)
        m_window.click(click.x, click.y);
    m_leftOverClicks.clear();
    for (std::size_t tick = 0; tick < ticks; ++tick)
        m_window.tick();
    m_window.showDeferredMessage();
}

std::string ScriptRun::traceFileName(const ScriptFile* file, const std::string& path) const
{
    if (!file || m_programs.empty() || file == m_programs.back().get())
        return path;
    return file->name.empty() ? file->path : file->name;
}

bool ScriptRun::watchMainProgram(const ScriptFile& main, const std::string& path)
{
    std::set<SourcePlace> places;
    for (const BreakLine& line : m_breakLines) {
        std::optional<SourcePlace> place = findSourcePlace(main, line.file, line.line - 1);
        if (!place) {
            m_errors << "kestrane-cli run: --break " << line.file << ':' << line.line << ": "
                     << translateFilled("the program has no file %1", {line.file}) << '\n';
            return false;
        }
        places.insert(*place);
    }
    m_window.setBreakpoints(std::move(places));
    if (m_traceSink) {
        m_trace = std::make_unique<StatementTrace>(
            m_window.state(),
            [this, path](const ScriptFile* file) { return traceFileName(file, path); },
            m_traceSink);
        m_window.setObserver(m_trace.get());
    }
    return true;
}

ScriptRunStatus ScriptRun::runProgram(const std::string& path,
                                      const std::vector<ClickPosition>& clicks, bool mainProgram)
{
    ScriptCompilation compilation(m_host, m_setup.directories);
    ScriptRunStatus compiled = compilation.compile(path);
    if (compiled == ScriptRunStatus::CompileError)
        m_compileError = compilation.error();
    if (compiled != ScriptRunStatus::Finished)
        return compiled;
    m_programs.push_back(compilation.takeFile());
    if (mainProgram && !watchMainProgram(*m_programs.back(), path))
        return ScriptRunStatus::FileError;
    bool started = m_window.startProgram(*m_programs.back(), compilation.module(), RunMode::Run);
    if (!started) {
        m_window.setObserver(nullptr);
        return ScriptRunStatus::Stopped;
    }
    // Every pause is passed, however many there are, but a breakpoint's.
    while (m_window.running()) {
        if (m_window.interpreter().atBreakpointPause()) {
            m_pausedJson = pausedJsonMembers(
                m_window.interpreter(), m_window.state(),
                [this, &path](const ScriptFile* file) { return traceFileName(file, path); });
            m_window.setObserver(nullptr);
            return ScriptRunStatus::AtBreakpoint;
        }
        if (m_window.pendingChoice() != 0) {
            if (m_nextClick >= clicks.size())
                break;
            m_window.click(clicks[m_nextClick].x, clicks[m_nextClick].y);
            ++m_nextClick;
        } else {
            m_window.pressSpace();
        }
    }
    m_window.setObserver(nullptr);
    m_window.showDeferredMessage();
    if (m_window.pendingChoice() != 0) {
        reportProblem(m_host, "run",
                      translateFilled("start(...) of %1 still waits for a choice on the screen; "
                                      "give it with --click X,Y",
                                      {path}));
        return ScriptRunStatus::WaitingForClick;
    }
    return m_window.programCompleted() ? ScriptRunStatus::Finished : ScriptRunStatus::Stopped;
}

} // namespace kestrane::cli
