// SPDX-License-Identifier: GPL-3.0-or-later
// The graph scene's objects as the watch panel and the trace show them.
#include "expressions/expression_text.h"
#include "graphs/graph_scene.h"
#include "platform/translation.h"

#include <algorithm>
#include <cstdio>

namespace kestrane {

namespace {

// Single-precision bounds to the digits the run's JSON writes.
std::string decimal(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

std::string interval(double low, double high)
{
    return '[' + decimal(low) + ", " + decimal(high) + ']';
}

std::string expressionText(const FractNode* tree)
{
    return tree ? printExpressionText(*tree) : std::string();
}

void addField(WatchValue& value, std::string_view key, std::string text)
{
    value.fields.push_back({key, std::move(text)});
}

WatchValue describeRectangle(const RectangleRec& rectangle, std::string name)
{
    WatchValue value = sceneValue(N_("Rectangle"), std::move(name), rectangle);
    const PixelRect& rect = rectangle.rect;
    value.text = translateFilled(
        "from %1 to %2", {"(" + std::to_string(rect.x1) + ", " + std::to_string(rect.y1) + ')',
                          "(" + std::to_string(rect.x2) + ", " + std::to_string(rect.y2) + ')'});
    addField(value, "x1", std::to_string(rect.x1));
    addField(value, "y1", std::to_string(rect.y1));
    addField(value, "x2", std::to_string(rect.x2));
    addField(value, "y2", std::to_string(rect.y2));
    return value;
}

WatchValue describeFunction(const FunctionRec& function, std::string name)
{
    WatchValue value = sceneValue(N_("Function"), std::move(name), function);
    std::string expression = expressionText(function.expression.get());
    value.text = expression + " on " + interval(function.lower, function.upper);
    addField(value, "expression", std::move(expression));
    addField(value, "lower", decimal(function.lower));
    addField(value, "upper", decimal(function.upper));
    return value;
}

WatchValue describeGraph(const GraphRec& graph, std::string name)
{
    WatchValue value = sceneValue(N_("Graph"), std::move(name), graph);
    value.text = "of " + graph.functionName + " on " + interval(graph.xMin, graph.xMax);
    addField(value, "of", graph.functionName);
    addField(value, "lower", decimal(graph.xMin));
    addField(value, "upper", decimal(graph.xMax));
    return value;
}

WatchValue describeAlgExpr(const AlgExprRec& record, std::string name)
{
    WatchValue value = sceneValue(N_("AlgExpr"), std::move(name), record);
    // An object made to hold a message shows the message.
    value.text = record.expression ? printExpressionText(*record.expression) : record.text;
    addField(value, record.expression ? "expression" : "text", value.text);
    return value;
}

WatchValue describeCurve(const CurveRec& curve, std::string name)
{
    WatchValue value = sceneValue(N_("Curve"), std::move(name), curve);
    std::string x = expressionText(curve.x.get());
    std::string y = expressionText(curve.y.get());
    // The curve's texts write the parameter as x.
    value.text = translateFilled("%1 for x in %2",
                                 {"(" + x + ", " + y + ")", interval(curve.tMin, curve.tMax)});
    addField(value, "x", std::move(x));
    addField(value, "y", std::move(y));
    addField(value, "lower", decimal(curve.tMin));
    addField(value, "upper", decimal(curve.tMax));
    // An image is the curve it was made from under its functions of z, in
    // the order they were applied; the run's JSON names the last one.
    std::string function;
    for (const auto& node : curve.functions) {
        function = expressionText(node.get());
        value.text += ' ' + translateFilled(&node == &curve.functions.front() ? N_("under %1")
                                                                              : N_("then %1"),
                                            {function});
    }
    if (curve.isImage())
        addField(value, "function", std::move(function));
    return value;
}

WatchValue describeInterval(const ParameterIntervalRec& range, std::string name)
{
    WatchValue value = sceneValue(N_("Segment"), std::move(name), range);
    value.text = interval(range.lo, range.hi);
    addField(value, "lo", decimal(range.lo));
    addField(value, "hi", decimal(range.hi));
    return value;
}

// The polynomial simplified, then its roots: exact where they were found
// exactly, else as the solver wrote them.
WatchValue describePolynomial(std::string_view kindName, const PolynomialRec& record,
                              std::string name)
{
    WatchValue value = sceneValue(kindName, std::move(name), record);
    const Polynomial& polynomial = record.polynomial;
    value.text = expressionText(polynomial.simplified.get());
    addField(value, "polynomial", value.text);
    std::string roots;
    std::size_t count = std::max(polynomial.roots.size(), polynomial.exact.size());
    for (std::size_t index = 0; index < count; ++index) {
        std::string root = index < polynomial.exact.size()
                               ? printExpressionText(*polynomial.exact[index].expression)
                               : polynomial.roots[index].text;
        roots += (roots.empty() ? "" : "; ") + root;
    }
    if (!roots.empty())
        value.text += ", " + translateFilled("roots %1", {roots});
    else if (polynomial.leadingZero)
        value.text += std::string(", ") + translate(N_("no roots"));
    addField(value, "roots", std::move(roots));
    return value;
}

} // namespace

void GraphScene::watchValues(std::string_view scope, std::vector<WatchValue>& values) const
{
    watchList(m_rectangles, scope, values, describeRectangle);
    watchList(m_functions, scope, values, describeFunction);
    watchList(m_graphs, scope, values, describeGraph);
    watchList(m_algExprs, scope, values, describeAlgExpr);
    watchList(m_curves, scope, values, describeCurve);
    watchList(m_intervals, scope, values, describeInterval);
    watchList(m_quadratics, scope, values, [](const PolynomialRec& record, std::string name) {
        return describePolynomial(N_("QuadraticFunct"), record, std::move(name));
    });
    watchList(m_cubics, scope, values, [](const PolynomialRec& record, std::string name) {
        return describePolynomial(N_("CubicFunct"), record, std::move(name));
    });
}

} // namespace kestrane
