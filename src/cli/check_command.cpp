// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include "app/module_executors.h"
#include "cli/command_output.h"
#include "cli/script_run.h"
#include "platform/console_host.h"
#include "platform/translation.h"
#include "runtime/construction_window.h"
#include "script/module.h"
#include "script/script_loader.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

std::optional<int> parseModule(std::string_view text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !findModule(value))
        return {};
    return value;
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
    return translate(std::string_view("start(...) cannot be run."));
}

// What check found, printed as a line or as JSON.
struct CheckOutcome {
    std::string file;
    std::optional<int> line; // from 1; none for a problem of the whole program
    std::string message;     // empty when valid
};

void printOutcome(const CheckOutcome& outcome, bool json, const std::vector<MessageRequest>& boxes,
                  std::ostream& out)
{
    bool valid = outcome.message.empty();
    if (!json) {
        if (valid)
            out << "ok\n";
        else if (outcome.line)
            out << outcome.file << ':' << *outcome.line << ": " << translate(outcome.message)
                << '\n';
        else
            out << outcome.file << ": " << translate(outcome.message) << '\n';
        return;
    }
    JsonWriter writer;
    writer.beginObject().key("result");
    if (valid)
        writer.string("ok");
    else
        writer.null();
    writer.key("file").string(outcome.file).key("line");
    if (outcome.line)
        writer.number(*outcome.line);
    else
        writer.null();
    writer.key("message");
    if (valid)
        writer.null();
    else
        writer.string(translate(outcome.message));
    writeMessages(writer, boxes);
    out << writer.endObject().take() << '\n';
}

} // namespace

int runCheck(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    std::optional<int> module;
    if (std::optional<std::string> code = arguments.value("--module")) {
        if (!(module = parseModule(*code)))
            return usageError(err, "check", N_("--module needs a module code (501-508 or 604)"));
    }
    std::optional<std::string> options = arguments.value("--options");
    if (options && !std::filesystem::is_directory(*options))
        return usageError(err, "check", N_("--options needs a directory"));
    const std::string& file = arguments.operands.front();
    bool json = arguments.has("--json");
    ConsoleHost host(err);
    ScriptSetup setup = readScriptSetup(options);
    ScriptCompilation compilation(host, setup.directories);
    CheckOutcome outcome{file, {}, {}};
    switch (compilation.compile(file, module)) {
    case ScriptRunStatus::FileError:
        if (host.messages().back().text == load_message::kMainMissing)
            return kUsageError;
        outcome.message = host.messages().back().text;
        break;
    case ScriptRunStatus::Finished:
        break;
    default:
        outcome.file = compilation.error().file;
        outcome.line = compilation.error().line;
        outcome.message = compilation.error().message;
        break;
    }
    if (outcome.message.empty()) {
        std::unique_ptr<ScriptFile> main = compilation.takeFile();
        if (std::optional<std::string> refusal = startRefusal(*main, compilation.module(), host))
            outcome.message = *refusal;
    }
    printOutcome(outcome, json, host.messages(), out);
    return outcome.message.empty() ? kSuccess : kRefused;
}

} // namespace kestrane::cli
