#include "cli/commands.h"

#include "script/word_reference.h"

#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr std::string_view kUsage = "Usage: kestrane-cli words [MODULE] [--json]\n";

} // namespace

int runWords(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<int> module;
    bool json = false;
    bool moduleGiven = false;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            json = true;
        } else if (!argument.empty() && argument.front() == '-') {
            err << "kestrane-cli words: unknown option '" << argument << "'\n" << kUsage;
            return kUsageError;
        } else if (moduleGiven) {
            err << "kestrane-cli words: unexpected argument '" << argument << "'\n" << kUsage;
            return kUsageError;
        } else {
            moduleGiven = true;
            module = parseModule(argument);
            if (!module) {
                err << "kestrane-cli words: no module '" << argument
                    << "' (a code 501-508, 604 or a name such as \"Dimension 3\")\n";
                return kUsageError;
            }
        }
    }
    out << (json ? referenceJson(module) : referenceText(module));
    return kSuccess;
}

} // namespace kestrane::cli
