// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/numeric_eval.h"
#include "algebra/variable_table.h"
#include "expressions/fract_node.h"
#include "geometry/geo_object.h"
#include "geometry/object_store.h"
#include "graphs/curve_plot.h"
#include "graphs/graph_plot.h"
#include "graphs/polynomial_record.h"
#include "runtime/module_scene.h"

#include <memory>
#include <string>
#include <vector>

namespace kestrane {

struct FractNode;

// Window text positions of formulas start here.
inline constexpr int kFormulaX = 200;
inline constexpr int kFormulaY = 300;

// An expression tree held by value: copying a record copies its tree, so
// that a scene copies as a whole (undo keeps copies of scenes).
class ExpressionTree {
public:
    ExpressionTree() = default;
    ExpressionTree(std::unique_ptr<FractNode> tree) : m_tree(std::move(tree)) {}
    ExpressionTree(const ExpressionTree& other);
    ExpressionTree& operator=(const ExpressionTree& other);
    ExpressionTree(ExpressionTree&&) noexcept = default;
    ExpressionTree& operator=(ExpressionTree&&) noexcept = default;
    ExpressionTree& operator=(std::unique_ptr<FractNode> tree)
    {
        m_tree = std::move(tree);
        return *this;
    }

    FractNode* get() const { return m_tree.get(); }
    FractNode& operator*() const { return *m_tree; }
    FractNode* operator->() const { return m_tree.get(); }
    explicit operator bool() const { return m_tree != nullptr; }

private:
    std::unique_ptr<FractNode> m_tree;
};

// A variable set held by value, every record kept (names without a value
// too), for the same reason.
class ScriptVariables : public VariableTable {
public:
    ScriptVariables() = default;
    ScriptVariables(VariableTable table) : VariableTable(std::move(table)) {}
    ScriptVariables(const ScriptVariables& other);
    ScriptVariables& operator=(const ScriptVariables& other);
    ScriptVariables(ScriptVariables&&) noexcept = default;
    ScriptVariables& operator=(ScriptVariables&&) noexcept = default;
    ScriptVariables& operator=(VariableTable&& table)
    {
        VariableTable::operator=(std::move(table));
        return *this;
    }
};

// A list of records held by value: copying the list copies every record
// (each record kind must be copyable).
template<class Record>
class RecordCopies : public std::vector<std::unique_ptr<Record>> {
public:
    RecordCopies() = default;
    RecordCopies(const RecordCopies& other) : std::vector<std::unique_ptr<Record>>()
    {
        copyFrom(other);
    }
    RecordCopies& operator=(const RecordCopies& other)
    {
        if (this != &other) {
            this->clear();
            copyFrom(other);
        }
        return *this;
    }
    RecordCopies(RecordCopies&&) noexcept = default;
    RecordCopies& operator=(RecordCopies&&) noexcept = default;

private:
    void copyFrom(const RecordCopies& other)
    {
        this->reserve(other.size());
        for (const auto& record : other)
            this->push_back(std::make_unique<Record>(*record));
    }
};

struct RectangleRec : GeoObject {
    PixelRect rect;
    // Red in 0x00BBGGRR order.
    ColorRef fill = 255;
};

struct FunctionRec : GeoObject {
    ExpressionTree expression;
    NumericProgram program;
    double lower = 0;
    double upper = 1;
    int x = kFormulaX;
    int y = kFormulaY;
    bool drawn = false;
};

// A graph keeps its own copy of the compiled function, so that it stays as
// it was made whatever happens to the function's names later.
struct GraphRec : GeoObject {
    std::string functionName;
    NumericProgram program;
    PixelRect rect;
    double xMin = 0;
    double xMax = 1;
    ColorRef line = 0xFFFFFF;
};

// An algebraic expression with its variable set. An object made to hold a
// message has no expression and keeps the message as its text.
struct AlgExprRec : GeoObject {
    ExpressionTree expression;
    ScriptVariables variables;
    std::string text;
    int x = kFormulaX;
    int y = kFormulaY;
    bool drawn = false;
    bool analytic = false;
};

// A parameter interval of curves; it may run downward.
struct ParameterIntervalRec : GeoObject {
    double lo = 0;
    double hi = 1;
};

// A parametric curve, or the image of one under an analytic function. It
// keeps what it draws by value (the expressions are shared and never
// changed), so a copy of the record is a whole curve.
struct CurveRec : GeoObject {
    // The expressions as drawn in text, the parameter t written as x.
    std::shared_ptr<const FractNode> x;
    std::shared_ptr<const FractNode> y;
    NumericProgram xProgram;
    NumericProgram yProgram;
    PixelRect rect;
    double tMin = 0;
    double tMax = 1;
    AspectRatio aspect = AspectRatio::Stretch;
    bool drawn = false;
    ColorRef line = 0xFFFFFF;
    // Images only: the analytic functions of z, applied in order.
    std::vector<std::shared_ptr<const FractNode>> functions;
    std::vector<NumericProgram> functionPrograms;

    bool isImage() const { return !functions.empty(); }
    CurvePlot plot() const;
};

// The objects of the graph and algebra modules beside the plane objects:
// rectangles, functions, graphs and algebraic expressions, each kind in creation order. Lookups
// return the last object carrying (name, scope). The scene is a value: a
// copy copies every list (undo relies on it, so each member must copy).
class GraphScene : public ModuleScene {
public:
    template<class Record>
    using List = RecordCopies<Record>;

    void clear() override;
    // Rectangles, graphs and formulas come after the half-lines.
    void paint(Canvas& canvas) const override;
    bool paintsOverLines() const override { return true; }
    void writeJson(JsonWriter& json) const override;
    GeoObject* find(int typeCode, std::string_view name, std::string_view scope) override;
    void dropScope(std::string_view scope) override;
    std::string unchoosableParameter(int typeCode) const override;
    void watchValues(std::string_view scope, std::vector<WatchValue>& values) const override;
    std::unique_ptr<ModuleScene> copy() const override;
    // `copy` must be a GraphScene; the formula font and the watched store
    // are the window's and stay.
    void swapContents(ModuleScene& copy) override;
    std::size_t heapBytes() const override;

    RectangleRec& add(std::unique_ptr<RectangleRec> rectangle);
    FunctionRec& add(std::unique_ptr<FunctionRec> function);
    GraphRec& add(std::unique_ptr<GraphRec> graph);
    AlgExprRec& add(std::unique_ptr<AlgExprRec> expression);

    // Curves and their parameter intervals.
    CurveRec& add(std::unique_ptr<CurveRec> curve);
    ParameterIntervalRec& add(std::unique_ptr<ParameterIntervalRec> interval);
    CurveRec* findCurve(std::string_view name, std::string_view scope) const;
    ParameterIntervalRec* findInterval(std::string_view name, std::string_view scope) const;
    const List<CurveRec>& curves() const { return m_curves; }
    const List<ParameterIntervalRec>& intervals() const { return m_intervals; }
    // The JSON has "curves" and "parameterIntervals" when the scene holds
    // some or belongs to the module that makes them.
    void writeCurveArrays() { m_curveArrays = true; }

    RectangleRec* findRectangle(std::string_view name, std::string_view scope) const;
    FunctionRec* findFunction(std::string_view name, std::string_view scope) const;
    GraphRec* findGraph(std::string_view name, std::string_view scope) const;
    AlgExprRec* findAlgExpr(std::string_view name, std::string_view scope) const;

    const List<RectangleRec>& rectangles() const { return m_rectangles; }
    const List<FunctionRec>& functions() const { return m_functions; }
    const List<GraphRec>& graphs() const { return m_graphs; }
    const List<AlgExprRec>& algExprs() const { return m_algExprs; }

    // Quadratic and cubic functions, kept by value.
    PolynomialRec& addQuadratic(PolynomialRec quadratic);
    PolynomialRec& addCubic(PolynomialRec cubic);
    PolynomialRec* findQuadratic(std::string_view name, std::string_view scope);
    PolynomialRec* findCubic(std::string_view name, std::string_view scope);
    const std::vector<PolynomialRec>& quadratics() const { return m_quadratics; }
    const std::vector<PolynomialRec>& cubics() const { return m_cubics; }

    // The height the drawing needs to show every rectangle, formula and
    // text of the program (a text needs 30 pixels below its position).
    int drawingHeight() const override;
    // The store whose texts count in the drawing height; the executors hand
    // it over as they run.
    void watchTexts(const ObjectStore* store) { m_store = store; }

    // The font height of formulas: the graph window's font option.
    void setFormulaFontHeight(int height) { m_formulaHeight = height; }

private:
    void writeCurvesJson(JsonWriter& json) const;

    List<RectangleRec> m_rectangles;
    List<FunctionRec> m_functions;
    List<GraphRec> m_graphs;
    List<AlgExprRec> m_algExprs;
    List<CurveRec> m_curves;
    List<ParameterIntervalRec> m_intervals;
    bool m_curveArrays = false;
    std::vector<PolynomialRec> m_quadratics;
    std::vector<PolynomialRec> m_cubics;
    void paintPolynomials(Canvas& canvas) const;
    void writePolynomialsJson(JsonWriter& json) const;
    int polynomialsHeight() const;

    int m_formulaHeight = 20;
    const ObjectStore* m_store = nullptr;
};

// Draws an expression as a formula with its top-left corner at (x, y), in
// the given font height.
void paintFormula(Canvas& canvas, const FractNode& expression, int x, int y, int fontHeight);

} // namespace kestrane
