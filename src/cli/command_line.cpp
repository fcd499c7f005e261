// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include "platform/translation.h"

#include <algorithm>
#include <limits>

namespace kestrane::cli {

namespace {

const Option* findOption(std::span<const Option> options, std::string_view name)
{
    auto found = std::ranges::find(options, name, &Option::name);
    return found == options.end() ? nullptr : &*found;
}

std::string quoted(std::string_view text)
{
    std::string quotedText(1, '\'');
    quotedText += text;
    return quotedText + '\'';
}

// The operands' count against the table: the first missing one, or the
// first one too many.
std::string checkOperandCount(const std::vector<std::string>& given,
                              std::span<const Operand> operands)
{
    std::size_t least = 0;
    std::size_t most = 0;
    for (const Operand& operand : operands) {
        bool required = operand.count == Operand::One || operand.count == Operand::Many;
        least += required ? 1 : 0;
        bool unbounded = operand.count == Operand::Many || operand.count == Operand::AnyNumber;
        most = unbounded ? std::numeric_limits<std::size_t>::max() : most + 1;
        if (unbounded)
            break;
    }
    if (given.size() < least) {
        std::size_t index = 0;
        for (const Operand& operand : operands) {
            bool required = operand.count == Operand::One || operand.count == Operand::Many;
            if (required && index++ == given.size())
                return translateFilled("missing %1", {operand.name});
        }
    }
    // Qualified: for a std::string, lookup would otherwise pick std::quoted.
    if (given.size() > most)
        return translateFilled("unexpected argument %1", {cli::quoted(given[most])});
    return {};
}

} // namespace

bool ParsedArguments::has(std::string_view name) const
{
    return std::ranges::any_of(
        options, [name](const GivenOption& given) { return given.option->name == name; });
}

std::optional<std::string> ParsedArguments::value(std::string_view name) const
{
    std::optional<std::string> last;
    for (const GivenOption& given : options) {
        if (given.option->name == name)
            last = given.value;
    }
    return last;
}

std::vector<std::string> ParsedArguments::values(std::string_view name) const
{
    std::vector<std::string> all;
    for (const GivenOption& given : options) {
        if (given.option->name == name)
            all.push_back(given.value);
    }
    return all;
}

std::string ParsedArguments::joinedOperands(std::string_view separator) const
{
    std::string joined;
    for (std::size_t index = 0; index < operands.size(); ++index) {
        if (index > 0)
            joined += separator;
        joined += operands[index];
    }
    return joined;
}

ParseOutcome parseArguments(std::span<const std::string> arguments, std::span<const Option> options,
                            std::span<const Operand> operands)
{
    ParseOutcome outcome;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || !argument.starts_with("--")) {
            outcome.arguments.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::size_t equals = argument.find('=');
        std::string_view name = std::string_view(argument).substr(0, equals);
        if (name == "--help") {
            outcome.help = true;
            continue;
        }
        const Option* option = findOption(options, name);
        if (!option) {
            outcome.problem = translateFilled("unknown option %1", {quoted(name)});
            return outcome;
        }
        GivenOption given{option, {}, false};
        if (equals != std::string::npos) {
            if (option->kind == ValueKind::None) {
                outcome.problem = translateFilled("%1 takes no value", {name});
                return outcome;
            }
            given.value = argument.substr(equals + 1);
            given.hasValue = true;
        } else if (option->kind != ValueKind::None) {
            bool next = index + 1 < arguments.size();
            if (option->valueOptional) {
                // A value, unless what follows is another option.
                if (next && !arguments[index + 1].starts_with("--")) {
                    given.value = arguments[++index];
                    given.hasValue = true;
                }
            } else if (next) {
                given.value = arguments[++index];
                given.hasValue = true;
            } else {
                outcome.problem = translateFilled("%1 needs %2", {name, option->valueName});
                return outcome;
            }
        }
        outcome.arguments.options.push_back(std::move(given));
    }
    if (!outcome.help)
        outcome.problem = checkOperandCount(outcome.arguments.operands, operands);
    return outcome;
}

} // namespace kestrane::cli
