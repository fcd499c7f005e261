// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/cubic_executor.h"

#include "expressions/expression_build.h"
#include "graphs/graph_scene.h"
#include "graphs/polynomial_commands.h"
#include "graphs/polynomial_messages.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

#include <regex>

namespace kestrane {

namespace {

// A complex root's second line is this far below the first.
constexpr int kImaginaryLineOffset = 20;

PolynomialRec* cubicAt(PolynomialCommand& command, std::size_t index)
{
    return command.scene.findCubic(command.argument(index), command.context.scope);
}

void functionCommand(PolynomialCommand& command, RootKinds kinds)
{
    PolynomialRec record = makeFunction(command, 4, kinds);
    bindTarget(command.scene.addCubic(std::move(record)), command.statement.target,
               command.context);
}

void graphCommand(PolynomialCommand& command)
{
    if (PolynomialRec* function = cubicAt(command, 0))
        makeGraph(command, *function);
}

void drawCommand(PolynomialCommand& command, bool simplifiedForm)
{
    PolynomialRec* function = cubicAt(command, 2);
    if (!function)
        return;
    std::pair<int, int> at{static_cast<int>(command.integer(0)),
                           static_cast<int>(command.integer(1))};
    (simplifiedForm ? function->simplifiedAt : function->formulaAt) = at;
}

void rootCommand(PolynomialCommand& command)
{
    PolynomialRec* function = cubicAt(command, 0);
    if (!function)
        return;
    const Polynomial& polynomial = function->polynomial;
    if (polynomial.exact.empty()) {
        command.fail(polynomial_message::kCubicNotFound);
        makeMessageObject(command, polynomial_message::kCubicNotFoundObject);
        return;
    }
    long long number = command.integer(1);
    if (number < 1 || number > 3) {
        command.fail(polynomial_message::kCubicRootOutOfRange);
        return;
    }
    makeRootObject(command, polynomial.exact[static_cast<std::size_t>(number - 1)]);
}

// The root text joins the texts of the drawing; a complex root's
// imaginary part goes on a second line.
void rootValueCommand(PolynomialCommand& command)
{
    PolynomialRec* function = cubicAt(command, 0);
    if (!function)
        return;
    const std::vector<NumericRoot>& roots = function->polynomial.roots;
    long long number = command.integer(1);
    if (number < 1 || number > static_cast<long long>(roots.size())) {
        command.fail(polynomial_message::kRootValueOutOfRange);
        return;
    }
    const std::string& text = roots[static_cast<std::size_t>(number - 1)].text;
    int x = static_cast<int>(command.integer(2));
    int y = static_cast<int>(command.integer(3));
    std::size_t imaginary = text.find("  i *");
    ObjectStore& store = command.context.state.store();
    if (imaginary == std::string::npos) {
        store.addText(TextArray::Labels, TextLabel{text, x, y});
        return;
    }
    store.addText(TextArray::Labels, TextLabel{text.substr(0, imaginary - 1), x, y});
    store.addText(TextArray::Labels,
                  TextLabel{text.substr(imaginary - 1), x, y + kImaginaryLineOffset});
}

void unitRootCommand(PolynomialCommand& command)
{
    if (command.scene.cubics().empty()) {
        command.fail(polynomial_message::kRootNotCreated);
        return;
    }
    auto record = std::make_unique<AlgExprRec>();
    record->expression =
        TreePiece::operation('=', TreePiece::name("ε"), TreePiece::of(unitRootValue())).unchecked();
    record->drawn = true;
    command.scene.add(std::move(record));
}

bool isIntegerText(const std::string& text)
{
    static const std::regex integer("-?[0-9]+");
    return std::regex_match(text, integer);
}

void rectangleCommand(PolynomialCommand& command)
{
    bool valid = command.arguments.size() == 4;
    for (const std::string& argument : command.arguments)
        valid = valid && isIntegerText(argument);
    if (!valid) {
        command.fail(polynomial_message::kRectangleIntegers);
        return;
    }
    auto rectangle = std::make_unique<RectangleRec>();
    rectangle->rect = PixelRect::normalised(
        static_cast<int>(command.integer(0)), static_cast<int>(command.integer(1)),
        static_cast<int>(command.integer(2)), static_cast<int>(command.integer(3)));
    bindTarget(command.scene.add(std::move(rectangle)), command.statement.target, command.context);
}

} // namespace

bool CubicExecutor::execute(const Statement& statement, CommandContext& context)
{
    m_scene.watchTexts(&context.state.store());
    PolynomialCommand command{statement, statement.arguments(), context, m_scene};
    const std::string& word = statement.word;
    if (word == "CubicFunct")
        functionCommand(command, RootKinds::NumericAndExact);
    else if (word == "ValCubFunct")
        functionCommand(command, RootKinds::Numeric);
    else if (word == "CubGraph")
        graphCommand(command);
    else if (word == "DrawCubic")
        drawCommand(command, false);
    else if (word == "DrawSimplCubFunct")
        drawCommand(command, true);
    else if (word == "CubEqRoot")
        rootCommand(command);
    else if (word == "DrawRootValue")
        rootValueCommand(command);
    else if (word == "Rt3DegUnit")
        unitRootCommand(command);
    else if (word == "Rectangle")
        rectangleCommand(command);
    else
        return false;
    return true;
}

} // namespace kestrane
