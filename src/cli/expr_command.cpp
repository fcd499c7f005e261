#include "cli/commands.h"

#include "cli/expression_json.h"
#include "cli/expression_output.h"
#include "cli/png_export.h"
#include "fractions/expression_text.h"
#include "fractions/fract_bytes.h"
#include "fractions/fract_node.h"
#include "platform/console_host.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

constexpr const char* kUsage =
    "Usage: kestrane-cli expr [--font-height N] [--json] [--hex] [--svg PATH] [--png PATH] EXPR\n"
    "       kestrane-cli expr [options] --from-hex HEX\n";

struct ExprArguments {
    int fontHeight = 20;
    bool json = false;
    bool hex = false;
    bool fromHex = false;
    std::optional<std::string> svg;
    std::optional<std::string> png;
    std::string operand; // the operands joined by blanks
};

std::optional<int> parseFontHeight(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 4 || value > 400)
        return std::nullopt;
    return value;
}

std::optional<ExprArguments> parseArguments(CommandArguments arguments, std::ostream& err)
{
    ExprArguments parsed;
    bool operandsOnly = false;
    bool anyOperand = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        bool hasValue = index + 1 < arguments.size();
        if (operandsOnly || !argument.starts_with("--")) {
            parsed.operand += (anyOperand ? " " : "") + argument;
            anyOperand = true;
        } else if (argument == "--") {
            operandsOnly = true;
        } else if (argument == "--json") {
            parsed.json = true;
        } else if (argument == "--hex") {
            parsed.hex = true;
        } else if (argument == "--from-hex") {
            parsed.fromHex = true;
        } else if (argument == "--font-height") {
            std::optional<int> height =
                hasValue ? parseFontHeight(arguments[++index]) : std::nullopt;
            if (!height) {
                err << "kestrane-cli expr: --font-height needs a height from 4 to 400 pixels\n";
                return std::nullopt;
            }
            parsed.fontHeight = *height;
        } else if (argument == "--svg" || argument == "--png") {
            if (!hasValue) {
                err << "kestrane-cli expr: " << argument << " needs a path\n";
                return std::nullopt;
            }
            (argument == "--svg" ? parsed.svg : parsed.png) = arguments[++index];
        } else {
            err << "kestrane-cli expr: unexpected argument '" << argument << "'\n" << kUsage;
            return std::nullopt;
        }
    }
    if (!anyOperand) {
        err << kUsage;
        return std::nullopt;
    }
    return parsed;
}

std::unique_ptr<FractNode> readTree(const ExprArguments& arguments, std::ostream& err)
{
    if (!arguments.fromHex) {
        TextParseResult result = parseExpressionText(arguments.operand, arguments.fontHeight);
        if (!result.tree)
            err << "kestrane-cli expr: " << result.error << '\n';
        return std::move(result.tree);
    }
    std::string bytes;
    std::unique_ptr<FractNode> tree;
    std::size_t position = 0;
    if (hexToBytes(arguments.operand, bytes))
        tree = parseExpression(bytes, position, arguments.fontHeight);
    if (!tree || position != bytes.size()) {
        ConsoleHost host(err);
        reportCorruptFraction(host);
        return nullptr;
    }
    tree->fontHeight = arguments.fontHeight;
    return tree;
}

} // namespace

int runExpr(CommandArguments arguments, std::ostream& out, std::ostream& err)
{
    std::optional<ExprArguments> parsed = parseArguments(arguments, err);
    if (!parsed)
        return kUsageError;
    if (parsed->png && !picturePngWriter()) {
        err << "kestrane-cli expr: --png needs kestrane-cli built with the Qt desktop program "
               "(KESTRANE_GUI=ON); use --svg instead\n";
        return kUsageError;
    }
    std::unique_ptr<FractNode> tree = readTree(*parsed, err);
    if (!tree)
        return kRefused;
    layoutWithFixedMetric(*tree);
    std::string bytes;
    if (parsed->hex && !serializeExpression(*tree, bytes)) {
        err << "kestrane-cli expr: the expression does not fit the byte form\n";
        return kRefused;
    }
    if (parsed->svg && !writeExpressionSvg(*tree, *parsed->svg, err, "expr"))
        return kUsageError;
    if (parsed->png && !writeExpressionPng(*tree, *parsed->png, err, "expr"))
        return kUsageError;
    if (parsed->hex)
        out << bytesToHex(bytes) << '\n';
    if (parsed->json)
        out << expressionJson(*tree) << '\n';
    if (!parsed->hex && !parsed->json)
        out << printExpressionText(*tree) << '\n';
    return kSuccess;
}

} // namespace kestrane::cli
