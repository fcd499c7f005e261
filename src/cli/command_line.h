// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::cli {

// What an option's value or an operand is: shown in the help and the manual
// page, and telling the shell's completion what to offer.
enum class ValueKind {
    None,       // a switch without a value
    Text,       // any text
    Number,     // a decimal number; -1.5 is one
    Expression, // an expression in the linear notation
    File,       // a file to read, of the kinds in `accepts` ("kst ksu")
    Output,     // a file to write; "-" for standard output
    Directory,
    Word,       // one of the words in `accepts`
    Subcommand, // a subcommand's name
};

// One option of a subcommand. Every option is a long name; its value is the
// next argument or follows '=' (--words=12).
struct Option {
    std::string_view name;      // "--words"
    std::string_view valueName; // "N"; empty for a switch
    ValueKind kind = ValueKind::None;
    std::string_view help;      // one line for the help and the manual page
    std::string_view accepts;   // file extensions or words, blank-separated
    bool repeats = false;       // may be given more than once, each one kept
    bool valueOptional = false; // --json [PATH]: no value when none follows

    constexpr Option files(std::string_view extensions) const
    {
        Option option = *this;
        option.accepts = extensions;
        return option;
    }
    constexpr Option words(std::string_view choices) const
    {
        Option option = *this;
        option.accepts = choices;
        return option;
    }
    constexpr Option repeated() const
    {
        Option option = *this;
        option.repeats = true;
        return option;
    }
    constexpr Option optionalValue() const
    {
        Option option = *this;
        option.valueOptional = true;
        return option;
    }
};

// A switch: --json.
constexpr Option flag(std::string_view name, std::string_view help)
{
    Option option;
    option.name = name;
    option.help = help;
    return option;
}

// An option with a value: --words N.
constexpr Option valued(std::string_view name, std::string_view valueName, ValueKind kind,
                        std::string_view help)
{
    Option option;
    option.name = name;
    option.valueName = valueName;
    option.kind = kind;
    option.help = help;
    return option;
}

// The operands of a subcommand, in order; the last may repeat.
struct Operand {
    std::string_view name; // "FILE"
    ValueKind kind = ValueKind::Text;
    std::string_view accepts;
    enum Count { One, Optional, Many, AnyNumber } count = One;
};

// One option as given, in command-line order.
struct GivenOption {
    const Option* option = nullptr;
    std::string value; // empty for a switch
    bool hasValue = false;
};

// The arguments of one subcommand, read by its table.
class ParsedArguments {
public:
    std::vector<GivenOption> options;
    std::vector<std::string> operands;

    bool has(std::string_view name) const;
    // The value of the last occurrence; none when the option is not given.
    std::optional<std::string> value(std::string_view name) const;
    // The values of every occurrence, in order.
    std::vector<std::string> values(std::string_view name) const;
    // The operands joined by blanks ("1 + 2" given as three words).
    std::string joinedOperands(std::string_view separator = " ") const;
};

// Reads `arguments` by the tables: options in any order, before or after
// the operands, as NAME VALUE or NAME=VALUE; "--" ends the options; an
// argument that is no option of the table and does not start with "--" is an
// operand, so -5 and -x are operands. --help is every subcommand's. Returns
// the problem as one line when the arguments do not fit.
struct ParseOutcome {
    ParsedArguments arguments;
    std::string problem; // empty when the arguments fit
    bool help = false;   // --help was given
};
ParseOutcome parseArguments(std::span<const std::string> arguments, std::span<const Option> options,
                            std::span<const Operand> operands);

} // namespace kestrane::cli
