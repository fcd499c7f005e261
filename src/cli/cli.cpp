#include "cli/cli.h"

#include <ostream>

namespace kestrane::cli {

namespace {

void printUsage(std::ostream& out)
{
    out << "Usage: kestrane-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& command : commands())
        out << "  " << command.name
            << std::string(12 - std::min<size_t>(11, command.name.size()), ' ') << command.summary
            << '\n';
    out << "  help        show the help of a command\n\n"
           "Exit status: 0 success, 1 the input was refused, 2 usage or file error.\n";
}

int runHelp(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        printUsage(out);
        return kSuccess;
    }
    const Command* command = findCommand(arguments.front());
    if (!command) {
        err << "kestrane-cli: unknown command '" << arguments.front() << "'\n";
        return kUsageError;
    }
    out << command->help;
    return kSuccess;
}

} // namespace

int runCli(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        printUsage(err);
        return kUsageError;
    }
    const std::string& name = arguments.front();
    if (name == "help" || name == "--help" || name == "-h")
        return runHelp(arguments.subspan(1), out, err);
    const Command* command = findCommand(name);
    if (!command) {
        err << "kestrane-cli: unknown command '" << name << "'\n";
        printUsage(err);
        return kUsageError;
    }
    return command->run(arguments.subspan(1), out, err);
}

} // namespace kestrane::cli
