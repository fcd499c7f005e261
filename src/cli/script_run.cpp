#include "cli/script_run.h"

#include "app/module_executors.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <ostream>

namespace kestrane::cli {

namespace {

// A program pauses at most this often before the run gives up resuming it.
constexpr int kMaxResumes = 100000;

} // namespace

ScriptRun::ScriptRun(std::ostream& errors) : m_errors(errors), m_host(errors), m_window(m_host)
{
    registerModuleExecutors(m_window.executors());
}

ScriptRunStatus ScriptRun::run(const std::string& path, const std::vector<ClickPosition>& clicks,
                               std::ostream& out)
{
    Directories directories;
    ScriptLoader loader(m_host, directories);
    m_main = loader.openMainFile(path, m_modules.module());
    if (!m_main)
        return ScriptRunStatus::FileError;
    m_modules.set(m_main->moduleCode);
    Compiler compiler(m_modules, m_host);
    CompileResult result = compiler.compile(*m_main);
    if (!result.ok()) {
        const CompileError& error = *result.error;
        const std::string& file = error.file == m_main.get() ? path : error.file->path;
        out << file << ':' << error.sourceLine + 1 << ": " << error.message << '\n';
        return ScriptRunStatus::CompileError;
    }
    if (!m_window.startProgram(*m_main, m_modules.module(), RunMode::Run))
        return ScriptRunStatus::Finished;
    std::size_t nextClick = 0;
    for (int resumes = 0; m_window.running() && resumes < kMaxResumes; ++resumes) {
        if (m_window.pendingChoice() != 0) {
            if (nextClick >= clicks.size())
                break;
            m_window.click(clicks[nextClick].x, clicks[nextClick].y);
            ++nextClick;
        } else {
            m_window.pressSpace();
        }
    }
    m_window.showDeferredMessage();
    if (nextClick < clicks.size())
        m_errors << "kestrane-cli run: " << clicks.size() - nextClick
                 << " click(s) were not needed\n";
    if (m_window.pendingChoice() != 0) {
        m_errors << "kestrane-cli run: start(...) still waits for a choice on the screen; "
                    "give it with --click X,Y\n";
        return ScriptRunStatus::WaitingForClick;
    }
    return ScriptRunStatus::Finished;
}

} // namespace kestrane::cli
