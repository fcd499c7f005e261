// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/curves_executor.h"

#include "graphs/curve_expressions.h"
#include "graphs/graph_scene.h"
#include "runtime/construction_state.h"
#include "runtime/float_text.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"

namespace kestrane {

namespace {

struct CurveCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    GraphScene& scene;

    const std::string& argument(std::size_t index) const
    {
        static const std::string none;
        return index < arguments.size() ? arguments[index] : none;
    }
    CurveRec* curve(std::size_t index) const
    {
        return scene.findCurve(argument(index), context.scope);
    }
};

// Curve(X, Y, R): x = X(t), y = Y(t) in the rectangle R.
void curveCommand(CurveCommand& command)
{
    AlgExprRec* first = command.scene.findAlgExpr(command.argument(0), command.context.scope);
    AlgExprRec* second = command.scene.findAlgExpr(command.argument(1), command.context.scope);
    RectangleRec* rectangle =
        command.scene.findRectangle(command.argument(2), command.context.scope);
    if (!first || !second || !rectangle || !first->expression || !second->expression)
        return;
    auto curve = std::make_unique<CurveRec>();
    std::shared_ptr<const FractNode> x = curveExpression(*first->expression);
    std::shared_ptr<const FractNode> y = curveExpression(*second->expression);
    curve->xProgram = compileCurveExpression(*x, first->variables);
    curve->yProgram = compileCurveExpression(*y, second->variables);
    curve->x = std::move(x);
    curve->y = std::move(y);
    curve->rect = rectangle->rect;
    bindTarget(command.scene.add(std::move(curve)), command.statement.target, command.context);
}

// Segment(a, b): decimals as the float text reader reads them, or integers.
void segmentCommand(CurveCommand& command)
{
    auto interval = std::make_unique<ParameterIntervalRec>();
    interval->lo = readFloatText(command.argument(0));
    interval->hi = readFloatText(command.argument(1));
    bindTarget(command.scene.add(std::move(interval)), command.statement.target, command.context);
}

// ParamSet(c) = s.
void paramSetCommand(CurveCommand& command)
{
    CurveRec* curve = command.curve(0);
    ParameterIntervalRec* interval =
        command.scene.findInterval(command.statement.value, command.context.scope);
    if (!curve || !interval)
        return;
    curve->tMin = interval->lo;
    curve->tMax = interval->hi;
}

void drawCurveCommand(CurveCommand& command)
{
    if (CurveRec* curve = command.curve(0))
        curve->drawn = true;
}

// KeepAspRatio(c) = yes: a word beginning with y keeps it, any other word
// stretches.
void keepAspectCommand(CurveCommand& command)
{
    CurveRec* curve = command.curve(0);
    if (!curve)
        return;
    const std::string& word = command.statement.value;
    bool keep = !word.empty() && (word[0] == 'y' || word[0] == 'Y');
    curve->aspect = keep ? AspectRatio::Keep : AspectRatio::Stretch;
}

// Image(c, f, R): a new curve with c's expressions, interval and aspect as
// they are now, mapped by f and drawn in R once DrawCurve asks for it.
void imageCommand(CurveCommand& command)
{
    CurveRec* source = command.curve(0);
    AlgExprRec* function = command.scene.findAlgExpr(command.argument(1), command.context.scope);
    RectangleRec* rectangle =
        command.scene.findRectangle(command.argument(2), command.context.scope);
    if (!source || !function || !rectangle || !function->expression)
        return;
    auto image = std::make_unique<CurveRec>(*source);
    image->names.clear();
    image->drawn = false;
    image->line = CurveRec().line;
    image->rect = rectangle->rect;
    image->functions.push_back(copyTree(*function->expression));
    image->functionPrograms.push_back(compileAnalytic(*function->expression, function->variables));
    bindTarget(command.scene.add(std::move(image)), command.statement.target, command.context);
}

} // namespace

bool CurvesExecutor::execute(const Statement& statement, CommandContext& context)
{
    m_scene.watchTexts(&context.state.store());
    CurveCommand command{statement, statement.arguments(), context, m_scene};
    const std::string& word = statement.word;
    if (word == "Curve")
        curveCommand(command);
    else if (word == "Segment")
        segmentCommand(command);
    else if (word == "ParamSet")
        paramSetCommand(command);
    else if (word == "DrawCurve")
        drawCurveCommand(command);
    else if (word == "KeepAspRatio")
        keepAspectCommand(command);
    else if (word == "Image")
        imageCommand(command);
    else
        return false;
    return true;
}

} // namespace kestrane
