// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "platform/translation.h"

#include "cli/command_output.h"
#include "cli/expression_json.h"
#include "cli/expression_output.h"
#include "cli/png_export.h"
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "platform/console_host.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace kestrane::cli {

namespace {

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

std::unique_ptr<FractNode> readTree(const ExprArguments& arguments, ConsoleHost& host)
{
    if (!arguments.fromHex) {
        TextParseResult result = parseExpressionText(arguments.operand, arguments.fontHeight);
        if (!result.tree)
            reportProblem(host, "expr", translatedError(result));
        return std::move(result.tree);
    }
    std::string bytes;
    std::unique_ptr<FractNode> tree;
    std::size_t position = 0;
    if (hexToBytes(arguments.operand, bytes))
        tree = parseExpression(bytes, position, arguments.fontHeight);
    if (!tree || position != bytes.size()) {
        reportCorruptFraction(host);
        return nullptr;
    }
    tree->fontHeight = arguments.fontHeight;
    return tree;
}

} // namespace

int runExpr(const ParsedArguments& arguments, std::ostream& out, std::ostream& err)
{
    ExprArguments parsed;
    if (std::optional<std::string> text = arguments.value("--font-height")) {
        std::optional<int> height = parseFontHeight(*text);
        if (!height)
            return usageError(err, "expr", N_("--font-height needs a height from 4 to 400 pixels"));
        parsed.fontHeight = *height;
    }
    parsed.json = arguments.has("--json");
    parsed.hex = arguments.has("--hex");
    parsed.fromHex = arguments.has("--from-hex");
    parsed.svg = arguments.value("--svg");
    parsed.png = arguments.value("--png");
    parsed.operand = arguments.joinedOperands();
    if (parsed.png && !picturePngWriter()) {
        return usageError(err, "expr",
                          N_("--png needs kestrane-cli built with the Qt desktop program "
                             "(KESTRANE_GUI=ON); use --svg instead"));
    }
    ConsoleHost host(err);
    std::unique_ptr<FractNode> tree = readTree(parsed, host);
    if (!tree) {
        if (parsed.json)
            out << refusalJson(host.messages()) << '\n';
        return kRefused;
    }
    layoutWithFixedMetric(*tree);
    std::string bytes;
    if (parsed.hex && !serializeExpression(*tree, bytes)) {
        reportProblem(host, "expr", translate("the expression does not fit the byte form"));
        if (parsed.json)
            out << refusalJson(host.messages()) << '\n';
        return kRefused;
    }
    if (parsed.svg && !writeExpressionSvg(*tree, *parsed.svg, err, "expr"))
        return kUsageError;
    if (parsed.png && !writeExpressionPng(*tree, *parsed.png, err, "expr"))
        return kUsageError;
    if (parsed.hex)
        out << bytesToHex(bytes) << '\n';
    if (parsed.json)
        out << expressionJson(*tree) << '\n';
    if (!parsed.hex && !parsed.json)
        out << printExpressionText(*tree) << '\n';
    return kSuccess;
}

} // namespace kestrane::cli
