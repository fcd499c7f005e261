// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/algebra_executor.h"

#include "expressions/expression_text.h"
#include "graphs/curve_expressions.h"
#include "graphs/graph_messages.h"
#include "graphs/graph_scene.h"
#include "graphs/script_expressions.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/float_text.h"
#include "runtime/general_statements.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

#include <algorithm>
#include <cstdlib>

namespace kestrane {

namespace {

constexpr int kMaxPower = 100;
constexpr int kMaxSubstitutions = 16;
constexpr std::size_t kMaxNameLength = 4;

struct AlgebraCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    GraphScene& scene;

    const std::string& argument(std::size_t index) const
    {
        static const std::string none;
        return index < arguments.size() ? arguments[index] : none;
    }
    long long integer(std::size_t index) const { return integerArgument(argument(index)); }
    AlgExprRec* expression(std::size_t index) const
    {
        return scene.findAlgExpr(argument(index), context.scope);
    }
    void fail(std::string_view text) const { showRuntimeError(context.state.host(), text); }

    // A new object named with the statement's target; its variable set is
    // the given one plus the names of the expression it lacks.
    AlgExprRec& make(std::unique_ptr<FractNode> tree, VariableTable variables) const
    {
        auto record = std::make_unique<AlgExprRec>();
        collectNames(*tree, variables);
        record->expression = std::move(tree);
        record->variables = std::move(variables);
        AlgExprRec& made = scene.add(std::move(record));
        bindTarget(made, statement.target, context);
        return made;
    }
};

// The first operand's set plus the names of the second's it lacks.
VariableTable joinedSets(const AlgExprRec& first, const AlgExprRec* second)
{
    VariableTable table = first.variables.copy();
    // copy() keeps only records with a value; the names come back from the
    // source in order.
    addMissing(table, first.variables);
    if (second)
        addMissing(table, second->variables);
    return table;
}

bool validName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!letter(name[0]))
        return false;
    // i is the imaginary unit and I minus one: no name may hold them.
    return std::all_of(name.begin(), name.end(), [&](char c) {
        return (letter(c) || (c >= '0' && c <= '9')) && c != 'i' && c != 'I';
    });
}

void algExprCommand(AlgebraCommand& command)
{
    std::optional<std::string> name = textArgument(command.argument(0), command.context);
    std::optional<std::string> path =
        name ? command.context.state.dataFiles().find(*name) : std::nullopt;
    std::optional<std::string> bytes = path ? readWholeFile(nativePath(*path)) : std::nullopt;
    if (!bytes) {
        command.fail(graph_message::kFileNotFound);
        return;
    }
    ExpressionFileRead read = parseExpressionFile(*bytes);
    if (!read.file) {
        command.context.state.host().message(read.caption, read.message, MessageButtons::Ok,
                                             MessageIcon::Error);
        return;
    }
    VariableTable variables = std::move(read.file->variables);
    command.make(simplifiedForScript(*read.file->expression), std::move(variables));
}

// AnalyticF(s): s names an expression file or, when there is none, is the
// function itself in the linear notation. A function of names other than z
// is made all the same, after a warning.
void analyticCommand(AlgebraCommand& command)
{
    std::optional<std::string> text = textArgument(command.argument(0), command.context);
    if (!text)
        return;
    std::optional<std::string> path = command.context.state.dataFiles().find(*text);
    std::optional<std::string> bytes = path ? readWholeFile(nativePath(*path)) : std::nullopt;
    std::unique_ptr<FractNode> tree;
    VariableTable variables;
    if (bytes) {
        ExpressionFileRead read = parseExpressionFile(*bytes);
        if (!read.file) {
            command.context.state.host().message(read.caption, read.message, MessageButtons::Ok,
                                                 MessageIcon::Error);
            return;
        }
        tree = std::move(read.file->expression);
        variables = std::move(read.file->variables);
    } else {
        TextParseResult parsed = parseExpressionText(*text);
        if (!parsed.tree) {
            command.fail(translateFilled("The function \"%1\" cannot be read (%2).",
                                         {*text, translatedError(parsed)}));
            return;
        }
        tree = std::move(parsed.tree);
    }
    tree = simplifiedForScript(*tree);
    if (!onlyVariableZ(*tree))
        command.fail(graph_message::kNotAnalytic);
    command.make(std::move(tree), std::move(variables)).analytic = true;
}

void binaryCommand(AlgebraCommand& command, char sign)
{
    AlgExprRec* first = command.expression(0);
    AlgExprRec* second = command.expression(1);
    if (!first || !second || !first->expression || !second->expression)
        return;
    if (sign == '/' && isZero(*simplifiedForScript(*second->expression))) {
        command.fail(graph_message::kDivisionByZero);
        return;
    }
    std::unique_ptr<FractNode> joined = combined(sign, *first->expression, *second->expression);
    command.make(simplifiedForScript(*joined), joinedSets(*first, second));
}

void squareRootCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(0);
    if (!operand || !operand->expression)
        return;
    command.make(simplifiedForScript(*squareRootOf(*operand->expression)),
                 joinedSets(*operand, nullptr));
}

void powerCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(0);
    if (!operand || !operand->expression)
        return;
    long long exponent = command.integer(1);
    if (exponent < -kMaxPower || exponent > kMaxPower) {
        command.fail(graph_message::kExponentOutOfRange);
        return;
    }
    if (exponent < 0 && isZero(*simplifiedForScript(*operand->expression))) {
        command.fail(graph_message::kDivisionByZero);
        return;
    }
    command.make(simplifiedForScript(*powerOf(*operand->expression, static_cast<int>(exponent))),
                 joinedSets(*operand, nullptr));
}

void simplifyCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(0);
    if (!operand || !operand->expression)
        return;
    command.make(simplifiedForScript(*operand->expression), joinedSets(*operand, nullptr));
}

void substituteCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(0);
    if (!operand || !operand->expression)
        return;
    // Values may name further variables: substitute while anything changes.
    std::unique_ptr<FractNode> tree =
        simplifiedForScript(*operand->expression, &operand->variables);
    for (int round = 1; round < kMaxSubstitutions; ++round) {
        std::unique_ptr<FractNode> next = simplifiedForScript(*tree, &operand->variables);
        if (sameTree(*next, *tree))
            break;
        tree = std::move(next);
    }
    command.make(std::move(tree), joinedSets(*operand, nullptr));
}

void constantCommand(AlgebraCommand& command)
{
    command.make(integerLeaf(command.integer(0)), VariableTable());
}

void defVariableCommand(AlgebraCommand& command)
{
    std::optional<std::string> name = textArgument(command.argument(0), command.context);
    if (!name || !validName(*name)) {
        command.fail(graph_message::kWrongVariableName);
        return;
    }
    command.make(FractNode::makeLeaf(*name), VariableTable());
}

void addVariableCommand(AlgebraCommand& command)
{
    AlgExprRec* target = command.expression(0);
    AlgExprRec* value = command.expression(2);
    std::optional<std::string> name = textArgument(command.argument(1), command.context);
    if (!target || !value || !value->expression)
        return;
    if (!name || !validName(*name)) {
        command.fail(graph_message::kWrongVariableName);
        return;
    }
    int index = target->variables.find(*name);
    if (index < 0) {
        target->variables.add(*name, copyTree(*value->expression));
        return;
    }
    VariableRecord& record = target->variables.record(index);
    record.value = copyTree(*value->expression);
    fixUp(*record.value);
    record.enabled = true;
}

void variableCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(0);
    if (!operand)
        return;
    std::vector<std::string> names;
    for (int index = 0; index < operand->variables.count(); ++index)
        names.push_back(operand->variables.record(index).name);
    std::sort(names.begin(), names.end());
    long long number = command.integer(1);
    if (number < 1 || number > static_cast<long long>(names.size())) {
        command.fail(graph_message::kVariableOutOfRange);
        return;
    }
    const std::string& name = names[static_cast<std::size_t>(number - 1)];
    command.make(FractNode::makeLeaf(name), joinedSets(*operand, nullptr));
}

void valueCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(2);
    if (!operand || !operand->expression)
        return;
    std::optional<float> value = valueWithTable(*operand->expression, operand->variables);
    std::string text = value ? trimmedFloatText(*value) : translate(std::string_view("undefined"));
    command.context.state.store().addText(TextArray::Labels,
                                          TextLabel{text, static_cast<int>(command.integer(0)),
                                                    static_cast<int>(command.integer(1))});
}

void drawCommand(AlgebraCommand& command)
{
    AlgExprRec* operand = command.expression(2);
    if (!operand)
        return;
    operand->x = static_cast<int>(command.integer(0));
    operand->y = static_cast<int>(command.integer(1));
    operand->drawn = true;
}

} // namespace

bool AlgebraExecutor::execute(const Statement& statement, CommandContext& context)
{
    m_scene.watchTexts(&context.state.store());
    AlgebraCommand command{statement, statement.arguments(), context, m_scene};
    const std::string& word = statement.word;
    if (word == "AlgExpr")
        algExprCommand(command);
    else if (word == "AnalyticF")
        analyticCommand(command);
    else if (word == "Constant")
        constantCommand(command);
    else if (word == "DefVariable")
        defVariableCommand(command);
    else if (word == "Sum")
        binaryCommand(command, '+');
    else if (word == "Difference")
        binaryCommand(command, '-');
    else if (word == "Product")
        binaryCommand(command, '*');
    else if (word == "Divide")
        binaryCommand(command, '/');
    else if (word == "SquareRoot")
        squareRootCommand(command);
    else if (word == "Power")
        powerCommand(command);
    else if (word == "Simplify")
        simplifyCommand(command);
    else if (word == "Substitute")
        substituteCommand(command);
    else if (word == "AddVariable")
        addVariableCommand(command);
    else if (word == "Variable")
        variableCommand(command);
    else if (word == "Value")
        valueCommand(command);
    else if (word == "DrawAlgExpr")
        drawCommand(command);
    else
        return false;
    return true;
}

} // namespace kestrane
