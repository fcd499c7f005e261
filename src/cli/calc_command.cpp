// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "cli/command_output.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "fractions/calculator.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/console_host.h"
#include "platform/recording_canvas.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ostream>

namespace kestrane::cli {

namespace {

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

// Reads the table's values; the problem when one does not fit.
std::string readArguments(const ParsedArguments& arguments, CalcArguments& parsed)
{
    parsed.json = arguments.has("--json");
    parsed.complex = arguments.has("--complex");
    parsed.expression = arguments.joinedOperands();
    if (std::optional<std::string> text = arguments.value("--digits")) {
        auto digits = parseNumber(*text);
        if (!digits || *digits % 6 != 0 || *digits < 6 * PrecisionDialog::kMinimum ||
            *digits > 6 * PrecisionDialog::kMaximum)
            return N_("--digits takes a multiple of 6 from 54 to 900");
        parsed.digits = *digits;
    }
    if (std::optional<std::string> text = arguments.value("--repeat")) {
        auto repeat = parseNumber(*text);
        if (!repeat || *repeat < 1 || *repeat > 1000000)
            return N_("--repeat takes a number from 1 to 1000000");
        parsed.repeat = *repeat;
    }
    for (const std::string& definition : arguments.values("--var")) {
        std::size_t equals = definition.find('=');
        if (equals == std::string::npos || !isVariableName(definition.substr(0, equals)))
            return N_("--var takes NAME=EXPR, NAME a letter and up to 3 letters or digits, "
                      "or \u03B1 \u03B2 \u03B3 \u03B5 (not i)");
        parsed.variables.emplace_back(definition.substr(0, equals), definition.substr(equals + 1));
    }
    return {};
}

void writePart(JsonWriter& json, const char* name, const CalculatorPart* part)
{
    json.key(name);
    if (!part) {
        json.null();
        return;
    }
    json.beginObject()
        .key("sign")
        .string(std::string(1, part->sign))
        .key("text")
        .string(part->text);
    json.key("lines").beginArray();
    for (const std::string& line : part->lines)
        json.string(line);
    json.endArray().endObject();
}

std::string calcJson(const std::optional<CalculatorOutput>& result,
                     const std::vector<MessageRequest>& messages)
{
    JsonWriter json;
    json.beginObject().key("calcWords").number(calcWords()).key("longWords").number(longWords());
    writePart(json, "real", result ? &result->real : nullptr);
    writePart(json, "imaginary", result && result->imaginary ? &*result->imaginary : nullptr);
    json.key("clipboard").stringOrNull(result ? &result->clipboard : nullptr);
    json.key("resultsWindow");
    if (result)
        json.boolean(result->inResultsWindow);
    else
        json.null().key("result").null();
    writeMessages(json, messages);
    return json.endObject().take();
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

std::unique_ptr<FractNode> parseOrReport(const std::string& text, Host& host)
{
    TextParseResult parsed = parseExpressionText(text);
    if (!parsed.tree)
        reportProblem(host, "calc", text + ": " + translatedError(parsed));
    return std::move(parsed.tree);
}

} // namespace

int runCalc(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    CalcArguments parsed;
    if (std::string problem = readArguments(arguments, parsed); !problem.empty())
        return usageError(err, "calc", problem);

    // The dialog's number N is position N / 6, and 2 x position words show.
    CalcWordsScope words(parsed.digits / 3);
    ConsoleHost host(err);
    MemoryClipboard clipboard;
    RecordingCanvas metrics;
    metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = kFontHeight});
    Calculator calculator(host, clipboard, metrics);
    calculator.setComplexNumbers(parsed.complex);
    auto refuse = [&] {
        if (parsed.json)
            out << calcJson(std::nullopt, host.messages()) << '\n';
        return kRefused;
    };
    for (const auto& [name, text] : parsed.variables) {
        auto value = parseOrReport(text, host);
        if (!value)
            return refuse();
        calculator.defineVariable(name, std::move(value));
    }
    auto tree = parseOrReport(parsed.expression, host);
    if (!tree)
        return refuse();
    calculator.editor().setExpression(std::move(tree));

    bool computed = false;
    for (int round = 0; round < parsed.repeat; ++round)
        if (!(computed = calculator.compute()))
            break;
    if (!computed)
        return refuse();
    if (parsed.json)
        out << calcJson(calculator.result(), host.messages()) << '\n';
    else
        out << calculator.result()->clipboard << '\n';
    return kSuccess;
}

} // namespace kestrane::cli
