#include "cli/commands.h"

#include "fractions/expression_text.h"
#include "fractions/fraction_file.h"
#include "fractions/simplify.h"
#include "fractions/variable_table.h"
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "platform/console_host.h"
#include "platform/scripted_host.h"
#include "runtime/store_json.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrane-cli simplify [--var NAME=EXPR]... [--disable NAME]... [--json]\n"
    "                             [--repeat N] (EXPR | --file FILE.fra)\n";

struct SimplifyArguments {
    std::vector<std::string> variables; // NAME=EXPR
    std::vector<std::string> disabled;
    bool json = false;
    int repeat = 1;
    std::optional<std::string> file;
    std::string operand;
    bool anyOperand = false;
};

std::optional<SimplifyArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    SimplifyArguments parsed;
    bool operandsOnly = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (operandsOnly || !argument.starts_with("--")) {
            parsed.operand += (parsed.anyOperand ? " " : "") + argument;
            parsed.anyOperand = true;
        } else if (argument == "--") {
            operandsOnly = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if ((argument == "--var" || argument == "--disable" || argument == "--file" ||
                    argument == "--repeat") &&
                   !hasValue) {
            err << "kestrane-cli simplify: " << argument << " needs a value\n" << kUsage;
            return std::nullopt;
        } else if (argument == "--var") {
            parsed.variables.push_back(arguments[++index]);
        } else if (argument == "--disable") {
            parsed.disabled.push_back(arguments[++index]);
        } else if (argument == "--file") {
            parsed.file = arguments[++index];
        } else if (argument == "--repeat") {
            const std::string& text = arguments[++index];
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(),
                                                parsed.repeat);
            if (error != std::errc() || end != text.data() + text.size() || parsed.repeat < 1) {
                err << "kestrane-cli simplify: --repeat needs a positive count\n";
                return std::nullopt;
            }
        } else {
            err << "kestrane-cli simplify: unexpected argument '" << argument << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (parsed.anyOperand == parsed.file.has_value()) {
        err << kUsage;
        return std::nullopt;
    }
    return parsed;
}

std::string messagesJson(const std::vector<ExactMessage>& messages)
{
    std::string json = "[";
    for (const ExactMessage& message : messages) {
        if (json.size() > 1)
            json += ',';
        json += "{\"caption\":" + jsonString(message.caption) +
                ",\"text\":" + jsonString(message.text) + '}';
    }
    return json + ']';
}

std::string resultJson(const std::string& input, const SimplifyResult& result)
{
    std::string json = "{\"input\":" + jsonString(input) + ",\"result\":";
    json += result.tree ? jsonString(printExpressionText(*result.tree)) : "null";
    json += ",\"messages\":" + messagesJson(result.messages);
    json += ",\"overflow\":";
    json += result.overflow ? "true" : "false";
    json += ",\"definitions\":[";
    bool first = true;
    for (const SimplifyDefinition& definition : result.definitions) {
        json += first ? "" : ",";
        first = false;
        json += "{\"name\":" + jsonString(definition.name) + ",\"value\":";
        json += definition.value ? jsonString(*definition.value) : "null";
        json += '}';
    }
    json += "],\"main\":" + jsonString(result.mainName) + '}';
    return json;
}

} // namespace

// NAME=EXPR into a record of the table; false with a message when it cannot
// be read.
bool addVariableArgument(const std::string& argument, VariableTable& table, std::ostream& err,
                         const char* command)
{
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    if (equals == std::string::npos || name.empty()) {
        err << "kestrane-cli " << command << ": --var needs NAME=EXPR, not '" << argument
            << "'\n";
        return false;
    }
    TextParseResult value = parseExpressionText(argument.substr(equals + 1));
    if (!value.tree) {
        err << "kestrane-cli " << command << ": variable " << name << ": " << value.error
            << '\n';
        return false;
    }
    const int existing = table.find(name);
    if (existing >= 0)
        table.remove(existing);
    table.add(name, std::move(value.tree));
    return true;
}

int runSimplify(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<SimplifyArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    ConsoleHost host(err);
    std::unique_ptr<FractNode> tree;
    VariableTable variables;
    std::string input = parsed->operand;
    if (parsed->file) {
        std::optional<FractionFileContents> contents = readFractionFile(*parsed->file, host);
        if (!contents) {
            err << "kestrane-cli simplify: cannot open " << *parsed->file << '\n';
            return kUsageError;
        }
        if (contents->expressionDamaged)
            return kRefused;
        tree = std::move(contents->expression);
        variables = std::move(contents->variables);
        input = printExpressionText(*tree);
    } else {
        TextParseResult result = parseExpressionText(parsed->operand);
        if (!result.tree) {
            err << "kestrane-cli simplify: " << result.error << '\n';
            return kUsageError;
        }
        tree = std::move(result.tree);
    }
    for (const std::string& variable : parsed->variables) {
        if (!addVariableArgument(variable, variables, err, "simplify"))
            return kUsageError;
    }
    for (const std::string& name : parsed->disabled) {
        const int index = variables.find(name);
        if (index >= 0)
            variables.record(index).enabled = false;
    }

    Host* previous = longNumHost();
    SimplifyRequest request;
    request.tree = tree.get();
    request.variables = &variables;
    request.primes = loadedPrimes();
    request.reportDefinitions = parsed->json;
    // Only the last round shows its messages.
    ScriptedHost quiet;
    setLongNumHost(&quiet);
    for (int round = 1; round < parsed->repeat; ++round)
        simplifyExpression(request, quiet);
    setLongNumHost(&host);
    SimplifyResult result = simplifyExpression(request, host);
    clearLongIntOverflow();
    setLongNumHost(previous);

    if (parsed->json)
        out << resultJson(input, result) << '\n';
    else if (result.tree)
        out << printExpressionText(*result.tree) << '\n';
    return result.tree ? kSuccess : kRefused;
}

} // namespace kestrane::cli
