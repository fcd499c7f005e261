// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graph_scene.h"

#include "expressions/expression_text.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "expressions/mark_matching.h"
#include "geometry/view_area.h"
#include "platform/canvas.h"
#include "platform/json_writer.h"
#include "platform/translation.h"
#include "runtime/scene_records.h"
#include "script/words.h"

#include <algorithm>
#include <cstdio>

namespace kestrane {

namespace {

using scene_records::findNamed;
using scene_records::unbindScope;

// Room below a formula's position that the drawing keeps.
constexpr int kFormulaRoom = 30;

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

void writeNames(JsonWriter& json, const GeoObject& object)
{
    json.key("names").beginArray();
    for (const NameBinding& binding : object.names)
        json.beginArray().string(binding.name).string(binding.scope).endArray();
    json.endArray();
}

// An array of records, each an object that starts with its names.
template<class List, class Body>
void writeArray(JsonWriter& json, std::string_view name, const List& list, Body body)
{
    json.key(name).beginArray();
    for (const auto& record : list) {
        json.beginObject();
        writeNames(json, *record);
        body(*record);
        json.endObject();
    }
    json.endArray();
}

void writeRect(JsonWriter& json, const PixelRect& rect)
{
    json.beginArray().number(rect.x1).number(rect.y1).number(rect.x2).number(rect.y2).endArray();
}

void writeRange(JsonWriter& json, double low, double high)
{
    json.beginArray().raw(number(low)).raw(number(high)).endArray();
}

// A tree in the linear notation, or null.
void writeExpression(JsonWriter& json, const FractNode* tree)
{
    if (tree)
        json.string(printExpressionText(*tree));
    else
        json.null();
}

} // namespace

void paintFormula(Canvas& canvas, const FractNode& expression, int x, int y, int fontHeight)
{
    // Layout writes into the nodes: the object's tree stays as it was.
    std::unique_ptr<FractNode> copy = copyTree(expression);
    copy->fontHeight = fontHeight;
    fixUp(*copy);
    matchMarks(*copy);
    layoutExpression(*copy, canvas, x, y);
    paintExpression(*copy, canvas);
}

// A tree copy as the store keeps it: parents, roles and mark partners set.
std::unique_ptr<FractNode> copiedTree(const FractNode& tree)
{
    std::unique_ptr<FractNode> copy = copyTree(tree);
    copy->fontHeight = tree.fontHeight;
    copy->x = tree.x;
    copy->y = tree.y;
    fixUp(*copy);
    matchMarks(*copy);
    return copy;
}

ExpressionTree::ExpressionTree(const ExpressionTree& other)
    : m_tree(other.m_tree ? copiedTree(*other.m_tree) : nullptr)
{
}

ExpressionTree& ExpressionTree::operator=(const ExpressionTree& other)
{
    if (this != &other)
        m_tree = other.m_tree ? copiedTree(*other.m_tree) : nullptr;
    return *this;
}

ScriptVariables::ScriptVariables(const ScriptVariables& other) : VariableTable()
{
    *this = other;
}

ScriptVariables& ScriptVariables::operator=(const ScriptVariables& other)
{
    if (this == &other)
        return *this;
    VariableTable copy;
    copy.reserve(other.capacity());
    for (int index = 0; index < other.count(); ++index) {
        const VariableRecord& from = other.record(index);
        VariableRecord& to = copy.add(from.name, from.value ? copiedTree(*from.value) : nullptr,
                                      from.enabled, from.extra);
        to.rowTop = from.rowTop;
        to.rowBottom = from.rowBottom;
        to.removable = from.removable;
        if (from.nameExpression)
            to.nameExpression = copiedTree(*from.nameExpression);
    }
    copy.listY = other.listY;
    copy.needsScrolling = other.needsScrolling;
    copy.nameCounter = other.nameCounter;
    copy.scrollOffset = other.scrollOffset;
    copy.spare = other.spare;
    VariableTable::operator=(std::move(copy));
    return *this;
}

std::unique_ptr<ModuleScene> GraphScene::copy() const
{
    return std::make_unique<GraphScene>(*this);
}

void GraphScene::swapContents(ModuleScene& copy)
{
    auto& other = static_cast<GraphScene&>(copy);
    std::swap(*this, other);
    std::swap(m_formulaHeight, other.m_formulaHeight);
    std::swap(m_store, other.m_store);
}

std::size_t GraphScene::heapBytes() const
{
    // A rough count: a record with its program and tree takes a few
    // kilobytes at most.
    constexpr std::size_t kRecordBytes = 2048;
    return kRecordBytes * (m_rectangles.size() + m_functions.size() + m_graphs.size() +
                           m_algExprs.size() + m_curves.size() + m_intervals.size());
}

CurvePlot CurveRec::plot() const
{
    CurveSource source{xProgram, yProgram, functionPrograms, tMin, tMax};
    return plotCurve(source, rect, aspect);
}

void GraphScene::clear()
{
    m_curves.clear();
    m_intervals.clear();
    m_rectangles.clear();
    m_functions.clear();
    m_graphs.clear();
    m_algExprs.clear();
    m_quadratics.clear();
    m_cubics.clear();
}

void GraphScene::paint(Canvas& canvas) const
{
    for (const auto& rectangle : m_rectangles) {
        const PixelRect& rect = rectangle->rect;
        canvas.fillRect(rect.x1, rect.y1, rect.x2, rect.y2, rectangle->fill);
    }
    for (const auto& graph : m_graphs) {
        GraphPlot plot = plotGraph(graph->program, graph->rect, graph->xMin, graph->xMax);
        paintGraph(canvas, plot, graph->rect, graph->line);
    }
    for (const auto& curve : m_curves) {
        if (curve->drawn)
            paintCurve(canvas, curve->plot(), curve->rect, curve->line);
    }
    for (const auto& function : m_functions) {
        if (function->drawn && function->expression)
            paintFormula(canvas, *function->expression, function->x, function->y, m_formulaHeight);
    }
    for (const auto& expression : m_algExprs) {
        if (expression->drawn && expression->expression)
            paintFormula(canvas, *expression->expression, expression->x, expression->y,
                         m_formulaHeight);
    }
    paintPolynomials(canvas);
}

void GraphScene::writeJson(JsonWriter& json) const
{
    writeArray(json, "rectangles", m_rectangles, [&](const RectangleRec& rectangle) {
        const PixelRect& rect = rectangle.rect;
        json.key("x1").number(rect.x1).key("y1").number(rect.y1);
        json.key("x2").number(rect.x2).key("y2").number(rect.y2);
        json.key("colour").number(rectangle.fill);
    });
    writeArray(json, "functions", m_functions, [&](const FunctionRec& function) {
        json.key("expression")
            .string(function.expression ? printExpressionText(*function.expression) : "");
        json.key("domain");
        writeRange(json, function.lower, function.upper);
        json.key("x").number(function.x).key("y").number(function.y);
        json.key("drawn").boolean(function.drawn);
    });
    writeArray(json, "graphs", m_graphs, [&](const GraphRec& graph) {
        GraphPlot plot = plotGraph(graph.program, graph.rect, graph.xMin, graph.xMax);
        json.key("of").string(graph.functionName).key("rectangle");
        writeRect(json, graph.rect);
        json.key("domain");
        writeRange(json, graph.xMin, graph.xMax);
        json.key("colour").number(graph.line).key("plot");
        writePlotJson(json, plot);
    });
    writeArray(json, "algExprs", m_algExprs, [&](const AlgExprRec& expression) {
        json.key("expression");
        writeExpression(json, expression.expression.get());
        if (!expression.expression)
            json.key("text").string(expression.text);
        json.key("variables").beginArray();
        for (int index = 0; index < expression.variables.count(); ++index) {
            const VariableRecord& record = expression.variables.record(index);
            json.beginObject().key("name").string(record.name).key("value");
            writeExpression(json, record.value.get());
            json.endObject();
        }
        json.endArray();
        json.key("x").number(expression.x).key("y").number(expression.y);
        json.key("drawn").boolean(expression.drawn).key("analytic").boolean(expression.analytic);
    });
    writeCurvesJson(json);
    writePolynomialsJson(json);
    json.key("drawingHeight").number(drawingHeight());
}

void GraphScene::writeCurvesJson(JsonWriter& json) const
{
    if (!m_curveArrays && m_curves.empty() && m_intervals.empty())
        return;
    writeArray(json, "curves", m_curves, [&](const CurveRec& curve) {
        json.key("x");
        writeExpression(json, curve.x.get());
        json.key("y");
        writeExpression(json, curve.y.get());
        json.key("rectangle");
        writeRect(json, curve.rect);
        json.key("parameter");
        writeRange(json, curve.tMin, curve.tMax);
        json.key("keepAspect").boolean(curve.aspect == AspectRatio::Keep);
        json.key("drawn").boolean(curve.drawn).key("colour").number(curve.line);
        json.key("analytic").boolean(curve.isImage()).key("function");
        writeExpression(json, curve.isImage() ? curve.functions.back().get() : nullptr);
        json.key("plot");
        writeCurvePlotJson(json, curve.plot());
    });
    writeArray(json, "parameterIntervals", m_intervals, [&](const ParameterIntervalRec& interval) {
        json.key("lo").raw(number(interval.lo)).key("hi").raw(number(interval.hi));
    });
}

GeoObject* GraphScene::find(int typeCode, std::string_view name, std::string_view scope)
{
    switch (typeCode) {
    case type::kRectangle:
        return findRectangle(name, scope);
    case type::kFunction:
        return findFunction(name, scope);
    case type::kGraph:
        return findGraph(name, scope);
    case type::kAlgExpr:
    case type::kAnalyticF:
        return findAlgExpr(name, scope);
    case type::kCurve:
        return findCurve(name, scope);
    case type::kParameterSegment:
        return findInterval(name, scope);
    case type::kQuadraticFunct:
        return findQuadratic(name, scope);
    case type::kCubicFunct:
        return findCubic(name, scope);
    default:
        return nullptr;
    }
}

void GraphScene::dropScope(std::string_view scope)
{
    unbindScope(m_rectangles, scope);
    unbindScope(m_functions, scope);
    unbindScope(m_graphs, scope);
    unbindScope(m_algExprs, scope);
    unbindScope(m_curves, scope);
    unbindScope(m_intervals, scope);
    for (auto* list : {&m_quadratics, &m_cubics}) {
        for (PolynomialRec& record : *list)
            record.unbindScope(scope);
    }
}

std::string GraphScene::unchoosableParameter(int typeCode) const
{
    // Whole sentences, so that each one is translated as a whole.
    switch (typeCode) {
    case type::kRectangle:
        return N_("A rectangle may not be chosen on the screen. The program is stopped.");
    case type::kFunction:
    case type::kAnalyticF:
        return N_("A function may not be chosen on the screen. The program is stopped.");
    case type::kGraph:
        return N_("A graph may not be chosen on the screen. The program is stopped.");
    case type::kAlgExpr:
        return N_("An expression may not be chosen on the screen. The program is stopped.");
    case type::kCurve:
        return N_("A curve may not be chosen on the screen. The program is stopped.");
    case type::kParameterSegment:
        return N_("A parameter interval may not be chosen on the screen. The program is stopped.");
    case type::kQuadraticFunct:
        return N_("A quadratic function may not be chosen on the screen. The program is stopped.");
    case type::kCubicFunct:
        return N_("A cubic function may not be chosen on the screen. The program is stopped.");
    default:
        return {};
    }
}

RectangleRec& GraphScene::add(std::unique_ptr<RectangleRec> rectangle)
{
    return *m_rectangles.emplace_back(std::move(rectangle));
}

FunctionRec& GraphScene::add(std::unique_ptr<FunctionRec> function)
{
    return *m_functions.emplace_back(std::move(function));
}

GraphRec& GraphScene::add(std::unique_ptr<GraphRec> graph)
{
    return *m_graphs.emplace_back(std::move(graph));
}

AlgExprRec& GraphScene::add(std::unique_ptr<AlgExprRec> expression)
{
    return *m_algExprs.emplace_back(std::move(expression));
}

CurveRec& GraphScene::add(std::unique_ptr<CurveRec> curve)
{
    return *m_curves.emplace_back(std::move(curve));
}

ParameterIntervalRec& GraphScene::add(std::unique_ptr<ParameterIntervalRec> interval)
{
    return *m_intervals.emplace_back(std::move(interval));
}

CurveRec* GraphScene::findCurve(std::string_view name, std::string_view scope) const
{
    return findNamed(m_curves, name, scope);
}

ParameterIntervalRec* GraphScene::findInterval(std::string_view name, std::string_view scope) const
{
    return findNamed(m_intervals, name, scope);
}

AlgExprRec* GraphScene::findAlgExpr(std::string_view name, std::string_view scope) const
{
    return findNamed(m_algExprs, name, scope);
}

RectangleRec* GraphScene::findRectangle(std::string_view name, std::string_view scope) const
{
    return findNamed(m_rectangles, name, scope);
}

FunctionRec* GraphScene::findFunction(std::string_view name, std::string_view scope) const
{
    return findNamed(m_functions, name, scope);
}

GraphRec* GraphScene::findGraph(std::string_view name, std::string_view scope) const
{
    return findNamed(m_graphs, name, scope);
}

int GraphScene::drawingHeight() const
{
    int height = kDrawingHeight;
    for (const auto& rectangle : m_rectangles)
        height = std::max(height, rectangle->rect.y2);
    for (const auto& function : m_functions) {
        if (function->drawn)
            height = std::max(height, function->y + kFormulaRoom);
    }
    for (const auto& expression : m_algExprs) {
        if (expression->drawn)
            height = std::max(height, expression->y + kFormulaRoom);
    }
    height = std::max(height, polynomialsHeight());
    if (m_store) {
        for (const TextLabel& text : m_store->texts(TextArray::Labels))
            height = std::max(height, text.y + kFormulaRoom);
    }
    return height;
}

} // namespace kestrane
