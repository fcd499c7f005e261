// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/manual.h"

#include "cli/cli.h"

#include <sstream>

namespace kestrane::cli {

namespace {

// A text line in roff: backslashes escaped, a dash that starts a word (an
// option, a negative number) written as a minus sign, and a line that would
// read as a request kept as text.
std::string roffLine(std::string_view text)
{
    std::string line;
    if (text.starts_with('.') || text.starts_with('\''))
        line += "\\&";
    for (std::size_t index = 0; index < text.size(); ++index) {
        char character = text[index];
        char before = index > 0 ? text[index - 1] : ' ';
        if (character == '\\')
            line += "\\e";
        else if (character == '-' && (before == ' ' || before == '-' || before == '(' ||
                                      before == '[' || before == '"' || before == '|'))
            line += "\\-";
        else
            line += character;
    }
    return line;
}

// Text of the help: its lines filled into paragraphs; an indented line
// starts a line of its own, as it does in the help.
void writeText(std::ostream& out, std::string_view text)
{
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        // The exit statuses close a command's help in a paragraph of their own.
        if (line.empty() || line.starts_with("Exit status:"))
            out << ".PP\n";
        if (line.starts_with(' '))
            out << ".br\n" << roffLine(line) << '\n';
        else if (!line.empty())
            out << roffLine(line) << '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

// The lines of a list indented by two blanks, as one filled paragraph.
std::string unindented(std::string_view text)
{
    std::string plain;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.starts_with("  "))
            line.remove_prefix(2);
        plain += std::string(line) + '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return plain;
}

// The exit statuses, "  N  text" with continued lines, as tagged paragraphs.
void writeStatuses(std::ostream& out, std::string_view text)
{
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        std::size_t start = line.find_first_not_of(' ');
        if (start == 2 && line.size() > 5)
            out << ".TP\n.B " << line.substr(2, 1) << '\n' << roffLine(line.substr(5)) << '\n';
        else if (start != std::string_view::npos)
            out << roffLine(line.substr(start)) << '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
}

void writeHeader(std::ostream& out, std::string_view title, std::string_view date)
{
    out << ".\\\" Written from the command tables of kestrane-cli; do not edit.\n"
        << ".TH " << roffLine(title) << " 1 " << date << " \"Kestrane " << version()
        << "\" \"User Commands\"\n"
        // JSON names and paths read better unbroken and unstretched.
        << ".nh\n.ad l\n";
}

std::string optionForm(const Option& option)
{
    std::string form = "\\fB" + roffLine(option.name) + "\\fR";
    if (option.kind == ValueKind::None)
        return form;
    std::string value = "\\fI" + roffLine(option.valueName) + "\\fR";
    return form + (option.valueOptional ? " [" + value + "]" : " " + value);
}

void writeCommand(std::ostream& out, const Command& command)
{
    out << ".SS " << roffLine(command.name) << '\n' << ".nf\n";
    std::string_view synopsis = command.synopsis;
    while (!synopsis.empty()) {
        std::size_t end = synopsis.find('\n');
        out << "\\fBkestrane\\-cli\\fR " << roffLine(synopsis.substr(0, end)) << '\n';
        synopsis = end == std::string_view::npos ? std::string_view() : synopsis.substr(end + 1);
    }
    out << ".fi\n.PP\n";
    writeText(out, command.description);
    for (const Option& option : command.options)
        out << ".TP\n" << optionForm(option) << '\n' << roffLine(option.help) << '\n';
}

void writeSection(std::ostream& out, std::string_view name)
{
    out << ".SH " << name << '\n';
}

} // namespace

std::string cliManualPage(std::string_view date)
{
    std::ostringstream out;
    writeHeader(out, "KESTRANE-CLI", date);
    writeSection(out, "NAME");
    out << "kestrane\\-cli \\- the Kestrane mathematics workbench without a window\n";
    writeSection(out, "SYNOPSIS");
    out << ".B kestrane\\-cli\n.I COMMAND\n.RI [ ARGUMENTS ]\n.br\n"
           ".B kestrane\\-cli \\-\\-version\n.br\n.B kestrane\\-cli \\-\\-help\n";
    writeSection(out, "DESCRIPTION");
    out << ".B kestrane\\-cli\n"
           "runs the models of\n.BR kestrane (1)\n"
           "without a window, for batch work, scripting and tests: it compiles and runs\n"
           "scripts and writes their constructions, computes with long numbers and exact\n"
           "fractions, reads and writes the program's files, and drives its windows with\n"
           "keys, clicks and menu items. Message boxes that the desktop program would show\n"
           "are printed on standard error and answered with their default button.\n"
           ".PP\n"
           ".B kestrane\\-cli help\n"
           "lists the commands;\n"
           ".B kestrane\\-cli help\n.I COMMAND\n"
           "prints the help of one, as the sections below do.\n";
    writeSection(out, "CONVENTIONS");
    writeText(out, unindented(conventionsText().substr(conventionsText().find('\n') + 1)));
    writeSection(out, "EXIT STATUS");
    writeStatuses(out, exitStatusText().substr(exitStatusText().find('\n') + 1));
    writeSection(out, "COMMANDS");
    for (const Command& command : commands())
        writeCommand(out, command);
    writeSection(out, "FILES");
    out << ".TP\n.I ~/.config/kestrane/options\n"
           "The user's options file: the main, working and library directories.\n"
           ".TP\n.I PREFIX/share/kestrane\n"
           "The prime table \"dtst\", the help pages, the pictures and the examples, looked\n"
           "for after the current directory.\n";
    writeSection(out, "SEE ALSO");
    out << ".BR kestrane (1)\n";
    return out.str();
}

std::string programManualPage(std::string_view date)
{
    std::ostringstream out;
    writeHeader(out, "KESTRANE", date);
    writeSection(out, "NAME");
    out << "kestrane \\- interactive mathematics workbench for school geometry and algebra\n";
    writeSection(out, "SYNOPSIS");
    out << ".B kestrane\n.RI [ FILE.kst ]\n";
    writeSection(out, "DESCRIPTION");
    out << ".B kestrane\n"
           "draws geometric constructions in the plane with the mouse or from short programs\n"
           "written in its own construction language, builds solids in space and polytopes\n"
           "in four dimensions, draws graphs of functions, quadratic and cubic functions and\n"
           "curves, and computes exactly with fractions and roots and to many digits with\n"
           "its calculator. Everything geometric is computed in long decimal numbers.\n"
           ".PP\n"
           "A script named on the command line opens in the script editor, ready to run\n"
           "with F9. Help > Index opens the help pages, with the language reference.\n";
    writeSection(out, "FILES");
    out << ".TP\n.I *.kst, *.ksu\nScripts and the include files they name.\n"
           ".TP\n.I *.fra\nFraction files of the Fractions and Roots window.\n"
           ".TP\n.I *.fct\nFunction files of the graph window.\n"
           ".TP\n.I ~/.config/kestrane/options\n"
           "The main, working and library directories (File > Directories).\n"
           ".TP\n.I PREFIX/share/kestrane\n"
           "The prime table, the help pages, the pictures and the examples.\n";
    writeSection(out, "THE COMMAND LINE");
    out << "The same models run without a window in\n.BR kestrane\\-cli (1):\n";
    for (const Command& command : commands()) {
        out << ".TP\n.B kestrane\\-cli " << roffLine(command.name) << '\n'
            << roffLine(command.summary) << '\n';
    }
    writeSection(out, "SEE ALSO");
    out << ".BR kestrane\\-cli (1)\n";
    return out.str();
}

} // namespace kestrane::cli
