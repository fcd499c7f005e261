// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "algebra/fraction_file.h"
#include "algebra/simplify.h"
#include "algebra/variable_table.h"
#include "cli/command_output.h"
#include "expressions/expression_text.h"
#include "numbers/long_int.h"
#include "numbers/long_num.h"
#include "platform/console_host.h"
#include "platform/scripted_host.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

struct SimplifyArguments {
    std::vector<std::string> variables; // NAME=EXPR
    std::vector<std::string> disabled;
    bool json = false;
    int repeat = 1;
    std::optional<std::string> file;
    std::string operand;
    bool anyOperand = false;
};

void writeExactMessages(JsonWriter& json, const std::vector<ExactMessage>& messages)
{
    json.key("messages").beginArray();
    for (const ExactMessage& message : messages)
        json.beginObject()
            .key("caption")
            .string(message.caption)
            .key("text")
            .string(message.text)
            .endObject();
    json.endArray();
}

std::string resultJson(const std::string& input, const SimplifyResult& result)
{
    JsonWriter json;
    json.beginObject().key("input").string(input).key("result");
    if (result.tree)
        json.string(printExpressionText(*result.tree));
    else
        json.null();
    writeExactMessages(json, result.messages);
    json.key("overflow").boolean(result.overflow).key("definitions").beginArray();
    for (const SimplifyDefinition& definition : result.definitions) {
        json.beginObject().key("name").string(definition.name).key("value");
        json.stringOrNull(definition.value ? &*definition.value : nullptr).endObject();
    }
    json.endArray().key("main").string(result.mainName);
    return json.endObject().take();
}

// An input that could not be read: the fields of a result, all null.
std::string unreadJson(const std::string& input, const std::vector<MessageRequest>& messages)
{
    JsonWriter json;
    json.beginObject().key("input").string(input).key("result").null();
    writeMessages(json, messages);
    json.key("overflow").null().key("definitions").null().key("main").null();
    return json.endObject().take();
}

} // namespace

// NAME=EXPR into a record of the table; the problem when it cannot be read.
std::string addVariableArgument(const std::string& argument, VariableTable& table)
{
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    if (equals == std::string::npos || name.empty())
        return translateFilled("--var needs NAME=EXPR, not '%1'", {argument});
    TextParseResult value = parseExpressionText(argument.substr(equals + 1));
    if (!value.tree)
        return translateFilled("variable %1: %2", {name, translatedError(value)});
    const int existing = table.find(name);
    if (existing >= 0)
        table.remove(existing);
    table.add(name, std::move(value.tree));
    return {};
}

int runSimplify(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    SimplifyArguments parsed;
    parsed.variables = arguments.values("--var");
    parsed.disabled = arguments.values("--disable");
    parsed.json = arguments.has("--json");
    parsed.file = arguments.value("--file");
    parsed.operand = arguments.joinedOperands();
    parsed.anyOperand = !arguments.operands.empty();
    if (parsed.anyOperand == parsed.file.has_value())
        return usageError(err, "simplify", N_("give one EXPR or --file FILE.fra"));
    if (std::optional<std::string> text = arguments.value("--repeat")) {
        auto [end, error] =
            std::from_chars(text->data(), text->data() + text->size(), parsed.repeat);
        if (error != std::errc() || end != text->data() + text->size() || parsed.repeat < 1)
            return usageError(err, "simplify", N_("--repeat needs a positive count"));
    }
    for (const std::string& variable : parsed.variables) {
        if (variable.find('=') == std::string::npos)
            return usageError(err, "simplify",
                              translateFilled("--var needs NAME=EXPR, not '%1'", {variable}));
    }
    ConsoleHost host(err);
    std::unique_ptr<FractNode> tree;
    VariableTable variables;
    std::string input = parsed.operand;
    auto unread = [&](std::string problem) {
        reportProblem(host, "simplify", std::move(problem));
        if (parsed.json)
            out << unreadJson(input, host.messages()) << '\n';
        return kRefused;
    };
    if (parsed.file) {
        std::optional<FractionFileContents> contents = readFractionFile(*parsed.file, host);
        if (!contents) {
            err << "kestrane-cli simplify: " << translateFilled("cannot open %1", {*parsed.file})
                << '\n';
            return kUsageError;
        }
        if (contents->expressionDamaged) {
            if (parsed.json)
                out << unreadJson(input, host.messages()) << '\n';
            return kRefused;
        }
        tree = std::move(contents->expression);
        variables = std::move(contents->variables);
        input = printExpressionText(*tree);
    } else {
        TextParseResult result = parseExpressionText(parsed.operand);
        if (!result.tree)
            return unread(translatedError(result));
        tree = std::move(result.tree);
    }
    for (const std::string& variable : parsed.variables) {
        if (std::string problem = addVariableArgument(variable, variables); !problem.empty())
            return unread(problem);
    }
    for (const std::string& name : parsed.disabled) {
        const int index = variables.find(name);
        if (index >= 0)
            variables.record(index).enabled = false;
    }

    Host* previous = longNumHost();
    SimplifyRequest request;
    request.tree = tree.get();
    request.variables = &variables;
    request.primes = loadedPrimes();
    request.reportDefinitions = parsed.json;
    // Only the last round shows its messages.
    ScriptedHost quiet;
    setLongNumHost(&quiet);
    for (int round = 1; round < parsed.repeat; ++round)
        simplifyExpression(request, quiet);
    setLongNumHost(&host);
    SimplifyResult result = simplifyExpression(request, host);
    clearLongIntOverflow();
    setLongNumHost(previous);

    if (parsed.json)
        out << resultJson(input, result) << '\n';
    else if (result.tree)
        out << printExpressionText(*result.tree) << '\n';
    return result.tree ? kSuccess : kRefused;
}

} // namespace kestrane::cli
