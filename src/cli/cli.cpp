// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include "platform/translation.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <vector>

#ifndef KESTRANE_VERSION
#define KESTRANE_VERSION "unknown"
#endif

namespace kestrane::cli {

namespace {

// The help is written in English here and shown in the user's language; the
// manual page and the shell completions keep the English.
constexpr std::string_view kConventions =
    N_("Conventions of every command:\n"
       "  Options come in any order, before or after the operands, as --option VALUE\n"
       "  or --option=VALUE; \"--\" ends the options. An argument that is not an option\n"
       "  of the command is an operand, so -5, -1.5 and -x are numbers or expressions.\n"
       "  COMMAND --help prints the help of COMMAND, as \"kestrane-cli help COMMAND\"\n"
       "  does.\n"
       "  Message boxes print on standard error as one line \"Caption: text\", line\n"
       "  breaks of the text written \" / \"; so do the commands' own messages, as\n"
       "  \"kestrane-cli COMMAND: text\".\n"
       "  --json prints the result as one compact JSON document, also when the input\n"
       "  was refused: then it is an object with \"result\": null and \"messages\", a\n"
       "  list of {\"caption\", \"text\"}, and nothing else is printed on standard\n"
       "  output. Long numbers and exact values are strings; plain measurements are\n"
       "  numbers. Where a command also writes files, --json takes a PATH (\"-\", or\n"
       "  none, for standard output).\n");

constexpr std::string_view kExitStatus =
    N_("Exit status:\n"
       "  0  the work was done (a window driver whose keys were refused with a\n"
       "     message box included: the refusal is in its messages)\n"
       "  1  the input was refused or a result could not be computed (a notation,\n"
       "     compile or parse error, a run-time stop, a division by zero)\n"
       "  2  a usage error, or a file named on the command line that cannot be read\n"
       "     or written\n");

constexpr std::size_t kLineWidth = 80;

// Columns a UTF-8 text takes: its characters, not its bytes, so that Polish
// letters do not wrap a line early.
std::size_t columns(std::string_view text)
{
    return static_cast<std::size_t>(std::ranges::count_if(
        text, [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

// Writes `text` in lines of at most kLineWidth characters, the lines after
// the first indented by `indent`.
void writeWrapped(std::ostream& out, std::string_view text, std::size_t column, std::size_t indent)
{
    std::size_t position = column;
    bool first = true;
    while (!text.empty()) {
        std::size_t blank = text.find(' ');
        std::string_view word = text.substr(0, blank);
        if (!first && position + 1 + columns(word) > kLineWidth) {
            out << '\n' << std::string(indent, ' ');
            position = indent;
        } else if (!first) {
            out << ' ';
            ++position;
        }
        out << word;
        position += columns(word);
        first = false;
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    out << '\n';
}

void printVersion(std::ostream& out)
{
    out << "kestrane-cli " << KESTRANE_VERSION << '\n';
}

} // namespace

std::string_view version()
{
    return KESTRANE_VERSION;
}

std::string_view conventionsText()
{
    return kConventions;
}

std::string_view exitStatusText()
{
    return kExitStatus;
}

void printCommandList(std::ostream& out)
{
    out << translate("Usage: kestrane-cli COMMAND [ARGUMENTS]\n"
                     "       kestrane-cli --version | --help\n\nCommands:\n");
    std::size_t width = 0;
    for (const Command& command : commands())
        width = std::max(width, command.name.size());
    // Two blanks at least between the columns, so that names never run into
    // their summaries.
    std::size_t column = 2 + width + 2;
    for (const Command& command : commands()) {
        out << "  " << command.name << std::string(column - 2 - command.name.size(), ' ');
        writeWrapped(out, translate(command.summary), column, column);
    }
    out << '\n' << translate(kConventions) << translate(kExitStatus);
}

std::string commandHelp(const Command& command)
{
    std::ostringstream out;
    std::string_view synopsis = command.synopsis;
    std::string lead = translate("Usage: ");
    while (!synopsis.empty()) {
        std::size_t end = synopsis.find('\n');
        out << lead << "kestrane-cli " << synopsis.substr(0, end) << '\n';
        lead = std::string(columns(lead), ' ');
        synopsis = end == std::string_view::npos ? std::string_view() : synopsis.substr(end + 1);
    }
    out << '\n' << translate(command.description) << '\n' << translate("Options:") << '\n';
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Option& option : command.options) {
        std::string form(option.name);
        if (option.kind != ValueKind::None) {
            form += option.valueOptional ? " [" : " ";
            form += option.valueName;
            form += option.valueOptional ? "]" : "";
        }
        rows.emplace_back(std::move(form), translate(option.help));
    }
    rows.emplace_back("--help", translate("print this help"));
    std::size_t width = 0;
    for (const auto& [form, help] : rows)
        width = std::max(width, form.size());
    std::size_t column = 2 + width + 2;
    for (const auto& [form, help] : rows) {
        out << "  " << form << std::string(column - 2 - form.size(), ' ');
        writeWrapped(out, help, column, column);
    }
    out << '\n' << translate("The conventions of every command: \"kestrane-cli help\".") << '\n';
    return out.str();
}

int usageError(std::ostream& err, std::string_view command, std::string_view problem)
{
    // The problem may come translated already; a second look-up finds no
    // entry and leaves it as it is.
    err << "kestrane-cli " << command << ": " << translate(problem) << '\n'
        << translateFilled("Try \"kestrane-cli help %1\".", {command}) << '\n';
    return kUsageError;
}

int runCli(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        printCommandList(err);
        return kUsageError;
    }
    const std::string& name = arguments.front();
    if (name == "--version") {
        printVersion(out);
        return kSuccess;
    }
    if (name == "--help" || name == "-h") {
        printCommandList(out);
        return kSuccess;
    }
    const Command* command = findCommand(name);
    if (!command) {
        err << "kestrane-cli: " << translateFilled("unknown command '%1'", {name}) << '\n'
            << translate("Try \"kestrane-cli help\".") << '\n';
        return kUsageError;
    }
    ParseOutcome parsed = parseArguments(arguments.subspan(1), command->options, command->operands);
    if (parsed.help) {
        out << commandHelp(*command);
        return kSuccess;
    }
    if (!parsed.problem.empty())
        return usageError(err, command->name, parsed.problem);
    return command->run(parsed.arguments, out, err);
}

} // namespace kestrane::cli
