// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/command_line.h"

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace kestrane::cli {

// Exit statuses of every subcommand: 0 the work was done; 1 the input was
// refused or a result could not be computed; 2 a usage error or a file named
// on the command line that cannot be read or written.
enum ExitStatus : int { kSuccess = 0, kRefused = 1, kUsageError = 2 };

using CommandArguments = std::span<const std::string>;

// One subcommand of kestrane-cli: its table (options and operands), read by
// the one parser, and its help. Message boxes it raises go to the error
// stream as "Caption: text" lines (see ConsoleHost). The summary, the
// description and the options' help are English here, marked for the
// catalogue and shown in the user's language.
struct Command {
    std::string_view name;
    std::string_view summary;     // one line for the command list
    std::string_view synopsis;    // the usage forms after "kestrane-cli ", one a line
    std::string_view description; // what the help says after the usage
    std::span<const Option> options;
    std::span<const Operand> operands;
    int (*run)(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
};

// Every subcommand, "help" last.
std::span<const Command> commands();
const Command* findCommand(std::string_view name);

// The rules every subcommand follows, for the help and the manual page.
std::string_view conventionsText();
// The exit statuses of every subcommand, the same for all.
std::string_view exitStatusText();
// The program's version, "1.8".
std::string_view version();

// The usage, the command list in columns and the conventions.
void printCommandList(std::ostream& out);

// The text of "kestrane-cli help NAME" and "kestrane-cli NAME --help".
std::string commandHelp(const Command& command);

// Prints "kestrane-cli NAME: PROBLEM" and where the help is; returns 2.
int usageError(std::ostream& err, std::string_view command, std::string_view problem);

// Runs kestrane-cli with its arguments (without the program name).
int runCli(CommandArguments arguments, std::ostream& out, std::ostream& err);

} // namespace kestrane::cli
