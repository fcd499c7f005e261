// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "algebra/fraction_file.h"
#include "algebra/variable_table.h"
#include "cli/command_output.h"
#include "expressions/expression_text.h"
#include "platform/console_host.h"

#include <ostream>

namespace kestrane::cli {

namespace {

std::string contentsJson(const FractionFileContents& contents,
                         const std::vector<MessageRequest>& messages, bool damaged)
{
    JsonWriter json;
    json.beginObject();
    if (damaged)
        json.key("result").null();
    json.key("titled").boolean(contents.titled).key("description").string(contents.description);
    json.key("expression").string(printExpressionText(*contents.expression));
    json.key("variables").beginArray();
    for (int i = 0; i < contents.variables.count(); ++i) {
        const VariableRecord& record = contents.variables.record(i);
        json.beginObject().key("name").string(record.name).key("value");
        if (record.value)
            json.string(printExpressionText(*record.value));
        else
            json.null();
        json.endObject();
    }
    json.endArray();
    writeMessages(json, messages);
    return json.endObject().take();
}

int readCommand(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.operands.size() > 2)
        return usageError(err, "fraction",
                          translateFilled("unexpected argument '%1'", {arguments.operands[2]}));
    if (arguments.has("--description") || arguments.has("--var"))
        return usageError(err, "fraction", N_("--description and --var are for write"));
    const std::string& file = arguments.operands[1];
    ConsoleHost host(err);
    std::optional<FractionFileContents> contents = readFractionFile(file, host);
    if (!contents) {
        err << "kestrane-cli fraction: " << translateFilled("cannot open %1", {file}) << '\n';
        return kUsageError;
    }
    bool damaged = contents->expressionDamaged || contents->variablesDamaged;
    if (arguments.has("--json"))
        out << contentsJson(*contents, host.messages(), damaged) << '\n';
    else
        out << printExpressionText(*contents->expression) << '\n';
    return damaged ? kRefused : kSuccess;
}

int writeCommand(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.operands.size() < 3)
        return usageError(err, "fraction", N_("write needs an EXPR"));
    if (arguments.has("--json"))
        return usageError(err, "fraction", N_("--json is for read"));
    const std::string& file = arguments.operands[1];
    std::string description = arguments.value("--description").value_or("");
    ConsoleHost host(err);
    VariableTable variables;
    for (const std::string& variable : arguments.values("--var")) {
        if (variable.find('=') == std::string::npos)
            return usageError(err, "fraction",
                              translateFilled("--var needs NAME=EXPR, not '%1'", {variable}));
        if (std::string problem = addVariableArgument(variable, variables); !problem.empty()) {
            reportProblem(host, "fraction", problem);
            return kRefused;
        }
    }
    std::string operand;
    for (std::size_t index = 2; index < arguments.operands.size(); ++index)
        operand += (index > 2 ? " " : "") + arguments.operands[index];
    TextParseResult parsed = parseExpressionText(operand);
    if (!parsed.tree) {
        reportProblem(host, "fraction", translatedError(parsed));
        return kRefused;
    }
    std::optional<std::string> written =
        writeFractionFile(file, *parsed.tree, description, variables, host);
    if (!written) {
        // A name or an expression the window refuses is refused input; a
        // file that cannot be written is a file error.
        bool unwritable = !host.messages().empty() &&
                          host.messages().back().text.starts_with("Cannot write the file ");
        return unwritable ? kUsageError : kRefused;
    }
    out << *written << '\n';
    return kSuccess;
}

} // namespace

int runFraction(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    const std::string& action = arguments.operands[0];
    if (action == "read")
        return readCommand(arguments, out, err);
    if (action == "write")
        return writeCommand(arguments, out, err);
    return usageError(err, "fraction",
                      translateFilled("unknown action '%1' (read or write)", {action}));
}

} // namespace kestrane::cli
