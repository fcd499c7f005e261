// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/script_expressions.h"

#include "algebra/fraction_file.h"
#include "algebra/numeric_eval.h"
#include "algebra/simplify.h"
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/mark_matching.h"
#include "graphs/graph_messages.h"
#include "platform/scripted_host.h"
#include "platform/translation.h"

#include <cstdlib>
#include <vector>

namespace kestrane {

namespace {

void prepare(FractNode& tree)
{
    fixUp(tree);
    matchMarks(tree);
}

// Parentheses around an operand keep its grouping and any minus at its
// start where it is placed.
std::unique_ptr<FractNode> operand(const FractNode& source)
{
    std::unique_ptr<FractNode> copy = copyTree(source);
    bool plainLeaf = copy->hasText() && !copy->hasOpenMarks() && !copy->hasCloseMarks() &&
                     copy->numberSign.sign != '-';
    bool plainFraction = copy->isFraction() && !copy->hasOpenMarks();
    if (!plainLeaf && !plainFraction) {
        leftmostLeaf(*copy).ensureOpenRow().insert(0, MarkItem::makeParen(true));
        rightmostLeaf(*copy).ensureCloseRow().append(MarkItem::makeParen(false));
    }
    return copy;
}

bool isName(const FractNode& leaf)
{
    if (!leaf.hasText() || leaf.symbol || leaf.text->empty())
        return false;
    char first = (*leaf.text)[0];
    bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    return letter && *leaf.text != "i" && *leaf.text != "I";
}

} // namespace

std::unique_ptr<FractNode> simplifiedForScript(const FractNode& expression,
                                               const VariableTable* variables)
{
    ScriptedHost silent;
    SimplifyRequest request;
    request.tree = &expression;
    request.variables = variables;
    request.purpose = SimplifyFor::Script;
    SimplifyResult result = simplifyExpression(request, silent);
    if (result.tree)
        return std::move(result.tree);
    std::unique_ptr<FractNode> copy = copyTree(expression);
    prepare(*copy);
    return copy;
}

bool isZero(const FractNode& expression)
{
    if (!expression.hasText() || expression.symbol || expression.exponent ||
        expression.hasOpenMarks() || expression.hasCloseMarks() || expression.text->empty())
        return false;
    const std::string& text = *expression.text;
    if (text[0] < '0' || text[0] > '9')
        return false;
    return text.find_first_not_of("0.") == std::string::npos;
}

std::unique_ptr<FractNode> combined(char sign, const FractNode& a, const FractNode& b)
{
    std::unique_ptr<FractNode> result;
    if (sign == '/')
        result = FractNode::makeFraction(copyTree(a), copyTree(b));
    else
        result = FractNode::makeOperation(sign, operand(a), operand(b));
    prepare(*result);
    return result;
}

std::unique_ptr<FractNode> squareRootOf(const FractNode& a)
{
    std::unique_ptr<FractNode> copy = copyTree(a);
    leftmostLeaf(*copy).ensureOpenRow().insert(0, MarkItem::makeRoot(true));
    rightmostLeaf(*copy).ensureCloseRow().append(MarkItem::makeRoot(false));
    prepare(*copy);
    return copy;
}

std::unique_ptr<FractNode> integerLeaf(long long value)
{
    auto leaf = FractNode::makeLeaf(std::to_string(value < 0 ? -value : value));
    if (value < 0)
        leaf->numberSign.sign = '-';
    return leaf;
}

std::unique_ptr<FractNode> powerOf(const FractNode& a, int exponent)
{
    std::unique_ptr<FractNode> copy = copyTree(a);
    auto closing = MarkItem::makeParen(false);
    closing->paren->exponent = integerLeaf(exponent);
    leftmostLeaf(*copy).ensureOpenRow().insert(0, MarkItem::makeParen(true));
    rightmostLeaf(*copy).ensureCloseRow().append(std::move(closing));
    prepare(*copy);
    return copy;
}

void collectNames(const FractNode& expression, VariableTable& table)
{
    everyNode(expression, [&](const FractNode& node) {
        if (isName(node) && !table.contains(*node.text))
            table.add(*node.text, nullptr);
        return true;
    });
}

void addMissing(VariableTable& table, const VariableTable& extra)
{
    for (int index = 0; index < extra.count(); ++index) {
        const VariableRecord& record = extra.record(index);
        if (table.contains(record.name))
            continue;
        table.add(record.name, record.value ? copyTree(*record.value) : nullptr, record.enabled,
                  record.extra);
    }
}

std::optional<float> valueWithTable(const FractNode& expression, const VariableTable& table)
{
    DefinitionLookup lookup = [&table](std::string_view name) -> const FractNode* {
        int index = table.find(name);
        if (index < 0)
            return nullptr;
        const VariableRecord& record = table.record(index);
        return record.enabled ? record.value.get() : nullptr;
    };
    float t = 0;
    if (const FractNode* x = lookup("x")) {
        std::optional<float> value = evaluateExpression(*x, 0, lookup);
        if (!value)
            return std::nullopt;
        t = *value;
    }
    return evaluateExpression(expression, t, lookup);
}

ExpressionFileRead parseExpressionFile(std::string_view bytes, int fontHeight)
{
    auto file = std::make_unique<ExpressionFile>();
    if (bytes.starts_with(kFractionFileTitle)) {
        ScriptedHost silent;
        FractionFileContents contents = parseFractionFile(bytes, silent, fontHeight);
        if (!contents.expressionDamaged && contents.expression) {
            file->expression = std::move(contents.expression);
            if (!contents.variablesDamaged)
                file->variables = std::move(contents.variables);
            return {std::move(file), {}, {}};
        }
    }
    std::size_t position = 0;
    if (auto tree = parseExpression(bytes, position, fontHeight)) {
        file->expression = std::move(tree);
        // A fraction file of the old form: its variables follow.
        VariableTable variables;
        std::size_t after = position;
        if (after < bytes.size() && parseVariables(bytes, after, variables, fontHeight))
            file->variables = std::move(variables);
        return {std::move(file), {}, {}};
    }
    std::string_view line = bytes.substr(0, std::min(bytes.find_first_of("\r\n"), bytes.size()));
    TextParseResult parsed = parseExpressionText(line, fontHeight);
    if (!parsed.tree)
        return {nullptr, std::string(graph_message::kRuntimeCaption),
                translateFilled("The expression file holds no expression that can be read (%1).",
                                {translatedError(parsed)})};
    file->expression = std::move(parsed.tree);
    return {std::move(file), {}, {}};
}

} // namespace kestrane
