#include "cli/commands.h"

#include "platform/console_host.h"
#include "script/compiler.h"
#include "script/module.h"
#include "script/script_loader.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

struct CheckArguments {
    std::string file;
    std::optional<int> module;
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
        } else if (parsed.file.empty() && !argument.starts_with("--")) {
            parsed.file = argument;
        } else {
            err << "kestrane-cli check: unexpected argument '" << argument << "'\n";
            return {};
        }
    }
    if (parsed.file.empty()) {
        err << "Usage: kestrane-cli check FILE [--module CODE]\n";
        return {};
    }
    return parsed;
}

} // namespace

int runCheck(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<CheckArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    ConsoleHost host(err);
    Directories directories;
    ScriptLoader loader(host, directories);
    using FirstByte = ScriptLoader::FirstByte;
    ModuleState modules;
    std::unique_ptr<ScriptFile> main =
        loader.openMainFile(parsed->file, parsed->module.value_or(modules.module()),
                            parsed->module ? FirstByte::Skipped : FirstByte::SetsModule);
    if (!main)
        return host.messages().back().text == load_message::kMainMissing ? kUsageError : kRefused;
    modules.set(parsed->module.value_or(main->moduleCode));
    Compiler compiler(modules, host);
    CompileResult result = compiler.compile(*main);
    if (result.ok()) {
        out << "ok\n";
        return kSuccess;
    }
    const CompileError& error = *result.error;
    const std::string& file = error.file == main.get() ? parsed->file : error.file->path;
    out << file << ':' << error.sourceLine + 1 << ": " << error.message << '\n';
    return kRefused;
}

} // namespace kestrane::cli
