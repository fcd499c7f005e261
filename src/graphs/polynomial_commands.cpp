// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/polynomial_commands.h"

#include "algebra/variable_table.h"
#include "expressions/mark_matching.h"
#include "graphs/graph_messages.h"
#include "graphs/graph_scene.h"
#include "graphs/script_expressions.h"
#include "platform/host.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

#include <algorithm>

namespace kestrane {

const std::string& PolynomialCommand::argument(std::size_t index) const
{
    static const std::string none;
    return index < arguments.size() ? arguments[index] : none;
}

long long PolynomialCommand::integer(std::size_t index) const
{
    return integerArgument(argument(index));
}

void PolynomialCommand::fail(std::string_view text) const
{
    showRuntimeError(context.state.host(), text);
}

PolynomialRec makeFunction(const PolynomialCommand& command, std::size_t count, RootKinds kinds)
{
    std::vector<std::unique_ptr<FractNode>> coefficients;
    VariableTable values;
    for (std::size_t index = 0; index < count; ++index) {
        const AlgExprRec* expression =
            command.scene.findAlgExpr(command.argument(index), command.context.scope);
        if (expression && expression->expression) {
            coefficients.push_back(copyTree(*expression->expression));
            addMissing(values, expression->variables);
        } else {
            coefficients.push_back(integerLeaf(command.integer(index)));
        }
    }
    PolynomialRec record;
    record.polynomial = makePolynomial(std::move(coefficients), &values, kinds);
    record.exactAsked = kinds == RootKinds::NumericAndExact;
    // Exact roots given up (numbers too large for the simplifier) say why,
    // once, when the function is made.
    if (const std::optional<ExactMessage>& problem = record.polynomial.exactProblem)
        command.context.state.host().message(problem->caption, problem->text, MessageButtons::Ok,
                                             MessageIcon::Information);
    return record;
}

std::pair<double, double> graphInterval(const Polynomial& polynomial)
{
    std::optional<std::pair<double, double>> range = interestingRange(polynomial);
    if (!range)
        return {-1.0, 1.0};
    double width = std::max(1.0, (range->second - range->first) / 2);
    return {range->first - width, range->second + width};
}

void makeGraph(PolynomialCommand& command, const PolynomialRec& function)
{
    RectangleRec* rectangle =
        command.scene.findRectangle(command.argument(1), command.context.scope);
    if (!rectangle)
        return;
    auto graph = std::make_unique<GraphRec>();
    graph->functionName = command.argument(0);
    graph->program = NumericProgram::compile(*function.polynomial.simplified);
    graph->rect = rectangle->rect;
    std::tie(graph->xMin, graph->xMax) = graphInterval(function.polynomial);
    bindTarget(command.scene.add(std::move(graph)), command.statement.target, command.context);
}

AlgExprRec& makeRootObject(PolynomialCommand& command, const ExactRoot& root)
{
    auto record = std::make_unique<AlgExprRec>();
    record->expression = copyTree(*root.expression);
    for (const auto& [name, value] : root.values)
        record->variables.add(name, copyTree(*value));
    collectNames(*record->expression, record->variables);
    AlgExprRec& made = command.scene.add(std::move(record));
    bindTarget(made, command.statement.target, command.context);
    return made;
}

AlgExprRec& makeMessageObject(PolynomialCommand& command, std::string_view text)
{
    auto record = std::make_unique<AlgExprRec>();
    record->text = std::string(text);
    AlgExprRec& made = command.scene.add(std::move(record));
    bindTarget(made, command.statement.target, command.context);
    return made;
}

} // namespace kestrane
