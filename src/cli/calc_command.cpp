#include "cli/commands.h"

#include "fractions/calculator.h"
#include "fractions/expression_text.h"
#include "fractions/fract_node.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/console_host.h"
#include "platform/recording_canvas.h"
#include "runtime/store_json.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrane-cli calc [--digits N] [--complex] [--var NAME=EXPR]... [--json] "
    "[--repeat N] EXPR\n";
constexpr int kDefaultDigits = 120;
constexpr int kFontHeight = 20;

struct CalcArguments {
    int digits = kDefaultDigits;
    bool complex = false;
    bool json = false;
    int repeat = 1;
    std::vector<std::pair<std::string, std::string>> variables;
    std::string expression;
};

int usage(std::ostream& err, const std::string& problem)
{
    err << "kestrane-cli calc: " << problem << '\n' << kUsage;
    return kUsageError;
}

std::optional<int> parseNumber(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool isVariableName(const std::string& name)
{
    for (const char* symbol : {"\u03B1", "\u03B2", "\u03B3", "\u03B5"})
        if (name == symbol)
            return true;
    if (name.empty() || name.size() > 4 || name == "i" || name == "I" ||
        std::isalpha(static_cast<unsigned char>(name[0])) == 0)
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Returns an empty text when the arguments are good, else the problem.
std::string parseArguments(CommandArguments arguments, CalcArguments& parsed)
{
    bool operandsOnly = false;
    bool anyOperand = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        bool hasValue = index + 1 < arguments.size();
        if (operandsOnly || !argument.starts_with("--")) {
            parsed.expression += (anyOperand ? " " : "") + argument;
            anyOperand = true;
        } else if (argument == "--") {
            operandsOnly = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if (argument == "--complex") {
            parsed.complex = true;
        } else if (argument == "--digits" && hasValue) {
            auto digits = parseNumber(arguments[++index]);
            if (!digits || *digits % 6 != 0 || *digits < 6 * PrecisionDialog::kMinimum ||
                *digits > 6 * PrecisionDialog::kMaximum)
                return "--digits takes a multiple of 6 from 54 to 900";
            parsed.digits = *digits;
        } else if (argument == "--repeat" && hasValue) {
            auto repeat = parseNumber(arguments[++index]);
            if (!repeat || *repeat < 1 || *repeat > 1000000)
                return "--repeat takes a number from 1 to 1000000";
            parsed.repeat = *repeat;
        } else if (argument == "--var" && hasValue) {
            const std::string& definition = arguments[++index];
            std::size_t equals = definition.find('=');
            if (equals == std::string::npos || !isVariableName(definition.substr(0, equals)))
                return "--var takes NAME=EXPR, NAME a letter and up to 3 letters or digits, "
                       "or \u03B1 \u03B2 \u03B3 \u03B5 (not i)";
            parsed.variables.emplace_back(definition.substr(0, equals),
                                          definition.substr(equals + 1));
        } else {
            return "unknown option '" + argument + "'";
        }
    }
    if (!anyOperand)
        return "missing EXPR";
    return {};
}

std::string partJson(const CalculatorPart& part)
{
    std::string json = "{\"sign\":" + jsonString(std::string(1, part.sign)) +
                       ",\"text\":" + jsonString(part.text) + ",\"lines\":[";
    for (std::size_t index = 0; index < part.lines.size(); ++index)
        json += (index ? "," : "") + jsonString(part.lines[index]);
    return json + "]}";
}

std::string calcJson(const std::optional<CalculatorOutput>& result,
                     const std::vector<MessageRequest>& messages)
{
    std::string json = "{\"calcWords\":" + std::to_string(calcWords()) +
                       ",\"longWords\":" + std::to_string(longWords());
    json += ",\"real\":" + (result ? partJson(result->real) : "null");
    json +=
        ",\"imaginary\":" + (result && result->imaginary ? partJson(*result->imaginary) : "null");
    json += ",\"clipboard\":" + (result ? jsonString(result->clipboard) : "null");
    json += ",\"resultsWindow\":" +
            std::string(result ? (result->inResultsWindow ? "true" : "false") : "null");
    json += ",\"messages\":[";
    for (std::size_t index = 0; index < messages.size(); ++index)
        json += (index ? "," : "") + std::string("{\"caption\":") +
                jsonString(messages[index].caption) +
                ",\"text\":" + jsonString(messages[index].text) + "}";
    return json + "]}";
}

// Restores the calculator's word count setting after the command.
class CalcWordsScope {
public:
    explicit CalcWordsScope(int words) : m_previous(calcWords()) { setCalcWords(words); }
    ~CalcWordsScope() { setCalcWords(m_previous); }
    CalcWordsScope(const CalcWordsScope&) = delete;
    CalcWordsScope& operator=(const CalcWordsScope&) = delete;

private:
    int m_previous;
};

std::unique_ptr<FractNode> parseOrReport(const std::string& text, std::ostream& err)
{
    TextParseResult parsed = parseExpressionText(text);
    if (!parsed.tree)
        err << "kestrane-cli calc: " << text << ": " << parsed.error << '\n';
    return std::move(parsed.tree);
}

} // namespace

int runCalc(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    CalcArguments parsed;
    if (std::string problem = parseArguments(arguments, parsed); !problem.empty())
        return usage(err, problem);

    // The dialog's number N is position N / 6, and 2 x position words show.
    CalcWordsScope words(parsed.digits / 3);
    ConsoleHost host(err);
    MemoryClipboard clipboard;
    RecordingCanvas metrics;
    metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = kFontHeight});
    Calculator calculator(host, clipboard, metrics);
    calculator.setComplexNumbers(parsed.complex);
    for (const auto& [name, text] : parsed.variables) {
        auto value = parseOrReport(text, err);
        if (!value)
            return kRefused;
        calculator.defineVariable(name, std::move(value));
    }
    auto tree = parseOrReport(parsed.expression, err);
    if (!tree)
        return kRefused;
    calculator.editor().setExpression(std::move(tree));

    bool computed = false;
    for (int round = 0; round < parsed.repeat; ++round)
        if (!(computed = calculator.compute()))
            break;
    if (parsed.json)
        out << calcJson(calculator.result(), host.messages()) << '\n';
    else if (computed)
        out << calculator.result()->clipboard << '\n';
    return computed ? kSuccess : kRefused;
}

} // namespace kestrane::cli
