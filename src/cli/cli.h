#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace kestrane::cli {

// Exit statuses of every subcommand.
enum ExitStatus : int { kSuccess = 0, kRefused = 1, kUsageError = 2 };

using CommandArguments = std::span<const std::string>;

// One subcommand of kestrane-cli. Message boxes it raises go to the error
// stream as "Caption: text" lines (see ConsoleHost).
struct Command {
    std::string_view name;
    std::string_view summary; // one line for the command list
    std::string_view help;    // the text of "kestrane-cli help NAME"
    int (*run)(CommandArguments arguments, std::ostream& out, std::ostream& err);
};

std::span<const Command> commands();
const Command* findCommand(std::string_view name);

// Runs kestrane-cli with its arguments (without the program name).
int runCli(CommandArguments arguments, std::ostream& out, std::ostream& err);

} // namespace kestrane::cli
