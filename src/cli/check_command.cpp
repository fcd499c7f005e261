#include "cli/commands.h"

#include "app/module_executors.h"
#include "cli/script_run.h"
#include "platform/console_host.h"
#include "runtime/construction_window.h"
#include "script/module.h"
#include "script/script_loader.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

struct CheckArguments {
    std::string file;
    std::optional<int> module;
    std::optional<std::string> options;
};

std::optional<int> parseModule(std::string_view text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !findModule(value))
        return {};
    return value;
}

std::optional<CheckArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    CheckArguments parsed;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--module") {
            if (index + 1 >= arguments.size() ||
                !(parsed.module = parseModule(arguments[++index]))) {
                err << "kestrane-cli check: --module needs a module code (501-508 or 604)\n";
                return {};
            }
        } else if (argument == "--options") {
            if (index + 1 >= arguments.size() ||
                !std::filesystem::is_directory(arguments[index + 1])) {
                err << "kestrane-cli check: --options needs a directory\n";
                return {};
            }
            parsed.options = arguments[++index];
        } else if (parsed.file.empty() && !argument.starts_with("--")) {
            parsed.file = argument;
        } else {
            err << "kestrane-cli check: unexpected argument '" << argument << "'\n";
            return {};
        }
    }
    if (parsed.file.empty()) {
        err << "Usage: kestrane-cli check FILE [--module CODE] [--options DIR]\n";
        return {};
    }
    return parsed;
}

// Whether start(...) of a compiled program can begin, decided the way a run
// decides it: the program is started step by step, so that no statement
// runs. Refused when its module has no executor, when there is no start, or
// when a parameter of start cannot be chosen on the screen. The reason is
// the message box the start raised.
std::optional<std::string> startRefusal(const ScriptFile& main, int module, ConsoleHost& host)
{
    ConstructionWindow window(host);
    registerModuleExecutors(window.executors());
    std::size_t before = host.messages().size();
    bool started = window.startProgram(main, module, RunMode::StepByStep);
    if (started && (window.running() || window.programCompleted()))
        return {};
    if (host.messages().size() > before)
        return host.messages().back().text;
    return std::string("start(...) cannot be run.");
}

} // namespace

int runCheck(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<CheckArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    ConsoleHost host(err);
    ScriptSetup setup = readScriptSetup(parsed->options);
    ScriptCompilation compilation(host, setup.directories);
    switch (compilation.compile(parsed->file, out, parsed->module)) {
    case ScriptRunStatus::FileError:
        return host.messages().back().text == load_message::kMainMissing ? kUsageError : kRefused;
    case ScriptRunStatus::Finished:
        break;
    default:
        return kRefused;
    }
    std::unique_ptr<ScriptFile> main = compilation.takeFile();
    if (std::optional<std::string> refusal = startRefusal(*main, compilation.module(), host)) {
        out << parsed->file << ": " << *refusal << '\n';
        return kRefused;
    }
    out << "ok\n";
    return kSuccess;
}

} // namespace kestrane::cli
