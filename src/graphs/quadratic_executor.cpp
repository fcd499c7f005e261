// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/quadratic_executor.h"

#include "graphs/graph_scene.h"
#include "graphs/polynomial_commands.h"
#include "graphs/polynomial_messages.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

namespace kestrane {

namespace {

void functionCommand(PolynomialCommand& command)
{
    PolynomialRec record = makeFunction(command, 3, RootKinds::NumericAndExact);
    bindTarget(command.scene.addQuadratic(std::move(record)), command.statement.target,
               command.context);
}

void graphCommand(PolynomialCommand& command)
{
    if (PolynomialRec* function =
            command.scene.findQuadratic(command.argument(0), command.context.scope))
        makeGraph(command, *function);
}

void drawCommand(PolynomialCommand& command)
{
    PolynomialRec* function =
        command.scene.findQuadratic(command.argument(2), command.context.scope);
    if (function)
        function->simplifiedAt = {static_cast<int>(command.integer(0)),
                                  static_cast<int>(command.integer(1))};
}

void rootCommand(PolynomialCommand& command)
{
    PolynomialRec* function =
        command.scene.findQuadratic(command.argument(0), command.context.scope);
    if (!function)
        return;
    const Polynomial& polynomial = function->polynomial;
    if (polynomial.leadingZero || polynomial.exact.empty()) {
        command.fail(polynomial_message::kQuadraticNotFound);
        makeMessageObject(command, polynomial_message::kQuadraticNotFoundObject);
        return;
    }
    long long number = command.integer(1);
    if (number < 1 || number > static_cast<long long>(polynomial.exact.size())) {
        command.fail(polynomial_message::kRootNotCreated);
        return;
    }
    makeRootObject(command, polynomial.exact[static_cast<std::size_t>(number - 1)]);
}

} // namespace

bool QuadraticExecutor::execute(const Statement& statement, CommandContext& context)
{
    m_scene.watchTexts(&context.state.store());
    PolynomialCommand command{statement, statement.arguments(), context, m_scene};
    const std::string& word = statement.word;
    if (word == "QuadraticFunct")
        functionCommand(command);
    else if (word == "QuadraticGraph")
        graphCommand(command);
    else if (word == "DrawQuadratic")
        drawCommand(command);
    else if (word == "Root")
        rootCommand(command);
    else
        return false;
    return true;
}

} // namespace kestrane
