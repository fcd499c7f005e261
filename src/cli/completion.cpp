// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "cli/manual.h"

#include <sstream>
#include <vector>

namespace kestrane::cli {

namespace {

std::vector<std::string_view> wordsOf(std::string_view text)
{
    std::vector<std::string_view> words;
    while (!text.empty()) {
        std::size_t blank = text.find(' ');
        if (blank != 0)
            words.push_back(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    }
    return words;
}

std::string commandNames()
{
    std::string names;
    for (const Command& command : commands()) {
        names += names.empty() ? "" : " ";
        names += command.name;
    }
    return names;
}

// What completes a value or an operand of a kind.
enum class Completion { Nothing, Files, Directories, Words };

Completion completionOf(ValueKind kind)
{
    switch (kind) {
    case ValueKind::File:
    case ValueKind::Output:
        return Completion::Files;
    case ValueKind::Directory:
        return Completion::Directories;
    case ValueKind::Word:
    case ValueKind::Subcommand:
        return Completion::Words;
    default:
        return Completion::Nothing;
    }
}

// The words a value or operand takes: its table's, or the commands' names.
std::string wordsFor(ValueKind kind, std::string_view accepts)
{
    return kind == ValueKind::Subcommand ? commandNames() : std::string(accepts);
}

// Text inside single quotes of a shell.
std::string singleQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (char character : text) {
        if (character == '\'')
            quoted += "'\\''";
        else
            quoted += character;
    }
    return quoted + "'";
}

// --- bash ------------------------------------------------------------------------------------

constexpr std::string_view kBashHelpers = R"(_kestrane_cli_files() {
    # Files whose extension is one of $1 (any file when $1 is empty), and
    # directories to walk into.
    local -a extensions
    read -r -a extensions <<< "$1"
    local file extension
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY+=($(compgen -d -- "$cur"))
    for file in $(compgen -f -- "$cur"); do
        [[ -d $file ]] && continue
        if (( ${#extensions[@]} == 0 )); then
            COMPREPLY+=("$file")
            continue
        fi
        for extension in "${extensions[@]}"; do
            if [[ ${file,,} == *."$extension" ]]; then
                COMPREPLY+=("$file")
                break
            fi
        done
    done
}

_kestrane_cli_directories() {
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY+=($(compgen -d -- "$cur"))
}

# The position of the operand under the cursor among the operands: the words
# before it that are neither options nor the values of options.
_kestrane_cli_operand_index() {
    local valued=$1 optional=$2
    local index=0 ended=0 i word
    for (( i = 2; i < COMP_CWORD; i++ )); do
        word=${COMP_WORDS[i]}
        if (( ended )); then
            index=$((index + 1))
        elif [[ $word == -- ]]; then
            ended=1
        elif [[ $word == --* ]]; then
            [[ $word == *=* ]] && continue
            if [[ " $valued " == *" $word "* ]]; then
                i=$((i + 1))
            elif [[ " $optional " == *" $word "* && ${COMP_WORDS[i+1]} != --* ]] \
                && (( i + 1 < COMP_CWORD )); then
                i=$((i + 1))
            fi
        else
            index=$((index + 1))
        fi
    done
    echo "$index"
}
)";

std::string bashAction(Completion completion, std::string_view words, std::string_view files)
{
    switch (completion) {
    case Completion::Files:
        return "_kestrane_cli_files " + singleQuoted(files);
    case Completion::Directories:
        return "_kestrane_cli_directories";
    case Completion::Words:
        return "COMPREPLY+=($(compgen -W " + singleQuoted(words) + " -- \"$cur\"))";
    case Completion::Nothing:
        break;
    }
    return ":";
}

void writeBashCommand(std::ostream& out, const Command& command)
{
    std::string options;
    std::string valued;
    std::string optional;
    for (const Option& option : command.options) {
        options += std::string(option.name) + " ";
        if (option.kind != ValueKind::None)
            (option.valueOptional ? optional : valued) += std::string(option.name) + " ";
    }
    options += "--help";
    out << "        " << command.name << ")\n";
    out << "            options=" << singleQuoted(options) << " valued=" << singleQuoted(valued)
        << " optional=" << singleQuoted(optional) << "\n";
    out << "            case $prev in\n";
    for (const Option& option : command.options) {
        if (option.kind == ValueKind::None)
            continue;
        out << "                " << option.name << ") "
            << bashAction(completionOf(option.kind), wordsFor(option.kind, option.accepts),
                          option.accepts)
            << "; return ;;\n";
    }
    out << "            esac\n";
    out << "            if [[ $cur == --* ]]; then\n"
           "                COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
           "                return\n"
           "            fi\n";
    out << "            case $(_kestrane_cli_operand_index \"$valued\" \"$optional\") in\n";
    for (std::size_t index = 0; index < command.operands.size(); ++index) {
        const Operand& operand = command.operands[index];
        bool last = index + 1 == command.operands.size();
        bool repeats = operand.count == Operand::Many || operand.count == Operand::AnyNumber;
        out << "                " << (last && repeats ? "*" : std::to_string(index)) << ") "
            << bashAction(completionOf(operand.kind), wordsFor(operand.kind, operand.accepts),
                          operand.accepts)
            << " ;;\n";
    }
    out << "            esac\n            ;;\n";
}

// --- zsh -------------------------------------------------------------------------------------

// Text inside the brackets of an _arguments description.
std::string zshDescription(std::string_view text)
{
    std::string escaped;
    for (char character : text) {
        if (character == '[' || character == ']' || character == '\\')
            escaped += '\\';
        escaped += character;
    }
    return escaped;
}

std::string zshAction(Completion completion, std::string_view words, std::string_view files)
{
    switch (completion) {
    case Completion::Files: {
        std::vector<std::string_view> extensions = wordsOf(files);
        if (extensions.empty())
            return "_files";
        std::string pattern;
        for (std::string_view extension : extensions) {
            pattern += pattern.empty() ? "" : "|";
            pattern += extension;
        }
        return "_files -g \"*.(" + pattern + ")\"";
    }
    case Completion::Directories:
        return "_files -/";
    case Completion::Words:
        return std::string(1, '(').append(words).append(")");
    case Completion::Nothing:
        break;
    }
    return " ";
}

void writeZshCommand(std::ostream& out, const Command& command)
{
    out << "    (" << command.name << ")\n      _arguments -s";
    for (const Option& option : command.options) {
        std::string argument = option.repeats ? "*" : "";
        argument += std::string(option.name);
        if (option.kind != ValueKind::None)
            argument += "=";
        argument += '[';
        argument += zshDescription(option.help);
        argument += ']';
        if (option.kind != ValueKind::None) {
            argument += option.valueOptional ? "::" : ":";
            argument += std::string(option.valueName) + ":" +
                        zshAction(completionOf(option.kind), wordsFor(option.kind, option.accepts),
                                  option.accepts);
        }
        out << " \\\n        " << singleQuoted(argument);
    }
    out << " \\\n        '--help[print the help]'";
    for (std::size_t index = 0; index < command.operands.size(); ++index) {
        const Operand& operand = command.operands[index];
        bool repeats = operand.count == Operand::Many || operand.count == Operand::AnyNumber;
        std::string argument = repeats ? "*" : std::to_string(index + 1);
        argument += operand.count == Operand::Optional ? "::" : ":";
        argument += std::string(operand.name) + ":" +
                    zshAction(completionOf(operand.kind), wordsFor(operand.kind, operand.accepts),
                              operand.accepts);
        out << " \\\n        " << singleQuoted(argument);
    }
    out << "\n      ;;\n";
}

// --- fish ------------------------------------------------------------------------------------

std::string fishAction(Completion completion, std::string_view words, std::string_view files)
{
    switch (completion) {
    case Completion::Files: {
        std::vector<std::string_view> extensions = wordsOf(files);
        if (extensions.empty())
            return "-F";
        std::string calls;
        for (std::string_view extension : extensions)
            calls += (calls.empty() ? "" : "; ") + std::string("__fish_complete_suffix .") +
                     std::string(extension);
        return "-a " + singleQuoted("(" + calls + ")");
    }
    case Completion::Directories:
        return "-a '(__fish_complete_directories)'";
    case Completion::Words:
        return "-a " + singleQuoted(words);
    case Completion::Nothing:
        break;
    }
    return {};
}

void writeFishCommand(std::ostream& out, const Command& command)
{
    std::string prefix = "complete -c kestrane-cli -n " +
                         singleQuoted("__fish_seen_subcommand_from " + std::string(command.name));
    for (const Option& option : command.options) {
        out << prefix << " -l " << option.name.substr(2);
        if (option.kind != ValueKind::None) {
            if (!option.valueOptional)
                out << " -r";
            std::string action = fishAction(completionOf(option.kind),
                                            wordsFor(option.kind, option.accepts), option.accepts);
            if (!action.empty())
                out << ' ' << action;
        }
        out << " -d " << singleQuoted(option.help) << '\n';
    }
    out << prefix << " -l help -d 'print the help'\n";
    for (const Operand& operand : command.operands) {
        std::string action = fishAction(completionOf(operand.kind),
                                        wordsFor(operand.kind, operand.accepts), operand.accepts);
        if (!action.empty())
            out << prefix << ' ' << action << '\n';
    }
}

} // namespace

std::string bashCompletion()
{
    std::ostringstream out;
    out << "# bash completion of kestrane-cli, written from its command tables.\n\n"
        << kBashHelpers << "\n_kestrane_cli() {\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
        << "    local prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        << "    COMPREPLY=()\n"
        << "    if (( COMP_CWORD == 1 )); then\n"
        << "        COMPREPLY=($(compgen -W " << singleQuoted(commandNames() + " --version --help")
        << " -- \"$cur\"))\n"
        << "        return\n    fi\n"
        << "    local options valued optional\n"
        << "    case ${COMP_WORDS[1]} in\n";
    for (const Command& command : commands())
        writeBashCommand(out, command);
    out << "    esac\n}\n\ncomplete -F _kestrane_cli kestrane-cli\n";
    return out.str();
}

std::string zshCompletion()
{
    std::ostringstream out;
    out << "#compdef kestrane-cli\n"
           "# zsh completion of kestrane-cli, written from its command tables.\n\n"
           "_kestrane_cli() {\n"
           "  local -a commands\n"
           "  commands=(\n";
    for (const Command& command : commands())
        out << "    "
            << singleQuoted(std::string(command.name) + ":" + std::string(command.summary)) << '\n';
    out << "  )\n"
           "  if (( CURRENT == 2 )); then\n"
           "    _describe -t commands 'kestrane-cli command' commands\n"
           "    compadd -- --version --help\n"
           "    return\n"
           "  fi\n"
           "  local command=$words[2]\n"
           "  shift words\n"
           "  (( CURRENT-- ))\n"
           "  case $command in\n";
    for (const Command& command : commands())
        writeZshCommand(out, command);
    out << "  esac\n}\n\n_kestrane_cli \"$@\"\n";
    return out.str();
}

std::string fishCompletion()
{
    std::ostringstream out;
    std::string names = commandNames();
    std::string outside = "-n " + singleQuoted("not __fish_seen_subcommand_from " + names);
    out << "# fish completion of kestrane-cli, written from its command tables.\n\n"
        << "complete -c kestrane-cli -f\n"
        << "complete -c kestrane-cli " << outside << " -l version -d 'print the version'\n"
        << "complete -c kestrane-cli " << outside << " -l help -d 'list the commands'\n";
    for (const Command& command : commands()) {
        out << "complete -c kestrane-cli " << outside << " -a " << command.name << " -d "
            << singleQuoted(command.summary) << '\n';
    }
    for (const Command& command : commands())
        writeFishCommand(out, command);
    return out.str();
}

} // namespace kestrane::cli
