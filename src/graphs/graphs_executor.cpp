// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graphs_executor.h"

#include "graphs/function_file.h"
#include "graphs/graph_messages.h"
#include "graphs/graph_scene.h"
#include "graphs/script_expressions.h"
#include "platform/files.h"
#include "platform/host.h"
#include "runtime/colour_value.h"
#include "runtime/construction_state.h"
#include "runtime/general_statements.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

namespace kestrane {

namespace {

struct GraphCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    GraphScene& scene;

    const std::string& argument(std::size_t index) const
    {
        static const std::string none;
        return index < arguments.size() ? arguments[index] : none;
    }
    int integer(std::size_t index) const
    {
        return static_cast<int>(integerArgument(argument(index)));
    }
};

void rectangleCommand(GraphCommand& command)
{
    auto rectangle = std::make_unique<RectangleRec>();
    rectangle->rect = PixelRect::normalised(command.integer(0), command.integer(1),
                                            command.integer(2), command.integer(3));
    bindTarget(command.scene.add(std::move(rectangle)), command.statement.target, command.context);
}

void functionCommand(GraphCommand& command)
{
    std::optional<std::string> name = textArgument(command.argument(0), command.context);
    std::optional<std::string> path =
        name ? command.context.state.dataFiles().find(*name) : std::nullopt;
    std::optional<std::string> bytes = path ? readWholeFile(nativePath(*path)) : std::nullopt;
    if (!bytes) {
        showRuntimeError(command.context.state.host(), graph_message::kFileNotFound);
        return;
    }
    std::unique_ptr<FunctionFile> file = readFunctionFile(command.context.state.host(), *bytes);
    if (!file)
        return;
    auto function = std::make_unique<FunctionRec>();
    function->expression = simplifiedForScript(*file->expression);
    function->program = NumericProgram::compile(*function->expression);
    function->lower = file->lower;
    function->upper = file->upper;
    bindTarget(command.scene.add(std::move(function)), command.statement.target, command.context);
}

void graphCommand(GraphCommand& command)
{
    FunctionRec* function = command.scene.findFunction(command.argument(0), command.context.scope);
    RectangleRec* rectangle =
        command.scene.findRectangle(command.argument(1), command.context.scope);
    if (!function || !rectangle)
        return;
    auto graph = std::make_unique<GraphRec>();
    graph->functionName = command.argument(0);
    graph->program = function->program;
    graph->rect = rectangle->rect;
    graph->xMin = function->lower;
    graph->xMax = function->upper;
    bindTarget(command.scene.add(std::move(graph)), command.statement.target, command.context);
}

void drawFunctionCommand(GraphCommand& command)
{
    FunctionRec* function = command.scene.findFunction(command.argument(0), command.context.scope);
    if (!function)
        return;
    function->x = command.integer(1);
    function->y = command.integer(2);
    function->drawn = true;
}

// Color(R) = c on a rectangle; other objects are left to the plane form.
bool colourCommand(GraphCommand& command)
{
    RectangleRec* rectangle =
        command.scene.findRectangle(command.argument(0), command.context.scope);
    if (!rectangle)
        return false;
    if (std::optional<ColorRef> colour = colourValue(command.statement.value))
        rectangle->fill = *colour;
    return true;
}

} // namespace

bool GraphsExecutor::execute(const Statement& statement, CommandContext& context)
{
    m_scene.watchTexts(&context.state.store());
    GraphCommand command{statement, statement.arguments(), context, m_scene};
    const std::string& word = statement.word;
    if (word == "Rectangle")
        rectangleCommand(command);
    else if (word == "Function")
        functionCommand(command);
    else if (word == "Graph")
        graphCommand(command);
    else if (word == "DrawFunction")
        drawFunctionCommand(command);
    else if (word == "Color")
        return colourCommand(command);
    else
        return false;
    return true;
}

} // namespace kestrane
