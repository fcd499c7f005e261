#include "cli/commands.h"

#include "fractions/expression_text.h"
#include "fractions/fraction_file.h"
#include "fractions/variable_table.h"
#include "platform/console_host.h"
#include "runtime/store_json.h"

#include <ostream>

namespace kestrane::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrane-cli fraction read FILE [--json]\n"
    "       kestrane-cli fraction write FILE [--description TEXT] [--var NAME=EXPR]... EXPR\n";

int usage(std::ostream& err, const std::string& problem)
{
    err << "kestrane-cli fraction: " << problem << '\n' << kUsage;
    return kUsageError;
}

std::string contentsJson(const FractionFileContents& contents,
                         const std::vector<MessageRequest>& messages)
{
    std::string json = "{\"titled\":";
    json += contents.titled ? "true" : "false";
    json += ",\"description\":" + jsonString(contents.description);
    json += ",\"expression\":" + jsonString(printExpressionText(*contents.expression));
    json += ",\"variables\":[";
    for (int i = 0; i < contents.variables.count(); ++i) {
        const VariableRecord& record = contents.variables.record(i);
        json += i > 0 ? "," : "";
        json += "{\"name\":" + jsonString(record.name) + ",\"value\":";
        json += record.value ? jsonString(printExpressionText(*record.value)) : "null";
        json += '}';
    }
    json += "],\"messages\":[";
    bool first = true;
    for (const MessageRequest& message : messages) {
        json += first ? "" : ",";
        first = false;
        json += "{\"caption\":" + jsonString(message.caption) +
                ",\"text\":" + jsonString(message.text) + '}';
    }
    return json + "]}";
}

int readCommand(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> file;
    bool json = false;
    for (const std::string& argument : arguments) {
        if (argument == "--json")
            json = true;
        else if (!file && !argument.starts_with("--"))
            file = argument;
        else
            return usage(err, "unexpected argument '" + argument + "'");
    }
    if (!file)
        return usage(err, "read needs a FILE");
    ConsoleHost host(err);
    std::optional<FractionFileContents> contents = readFractionFile(*file, host);
    if (!contents) {
        err << "kestrane-cli fraction: cannot open " << *file << '\n';
        return kRefused;
    }
    if (json)
        out << contentsJson(*contents, host.messages()) << '\n';
    else
        out << printExpressionText(*contents->expression) << '\n';
    return contents->expressionDamaged || contents->variablesDamaged ? kRefused : kSuccess;
}

int writeCommand(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty())
        return usage(err, "write needs a FILE");
    const std::string& file = arguments[0];
    std::string description;
    std::string operand;
    bool anyOperand = false;
    bool operandsOnly = false;
    VariableTable variables;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        const bool hasValue = index + 1 < arguments.size();
        if (operandsOnly || !argument.starts_with("--")) {
            operand += (anyOperand ? " " : "") + argument;
            anyOperand = true;
        } else if (argument == "--") {
            operandsOnly = true;
        } else if (argument == "--description" && hasValue) {
            description = arguments[++index];
        } else if (argument == "--var" && hasValue) {
            if (!addVariableArgument(arguments[++index], variables, err, "fraction"))
                return kUsageError;
        } else {
            return usage(err, "unexpected argument '" + argument + "'");
        }
    }
    if (!anyOperand)
        return usage(err, "write needs an EXPR");
    TextParseResult parsed = parseExpressionText(operand);
    if (!parsed.tree) {
        err << "kestrane-cli fraction: " << parsed.error << '\n';
        return kUsageError;
    }
    ConsoleHost host(err);
    std::optional<std::string> written =
        writeFractionFile(file, *parsed.tree, description, variables, host);
    if (!written)
        return kRefused;
    out << *written << '\n';
    return kSuccess;
}

} // namespace

int runFraction(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty())
        return usage(err, "missing read or write");
    if (arguments[0] == "read")
        return readCommand(arguments.subspan(1), out, err);
    if (arguments[0] == "write")
        return writeCommand(arguments.subspan(1), out, err);
    return usage(err, "unknown action '" + arguments[0] + "'");
}

} // namespace kestrane::cli
