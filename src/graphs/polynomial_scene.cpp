// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "graphs/graph_scene.h"
#include "graphs/polynomial_json.h"
#include "platform/json_writer.h"

#include <algorithm>

// The quadratic and cubic functions of the graph scene: lookups, formulas
// and their JSON.
namespace kestrane {

namespace {

// Room below a formula's position that the drawing keeps.
constexpr int kFormulaRoom = 30;

PolynomialRec* lastNamed(std::vector<PolynomialRec>& list, std::string_view name,
                         std::string_view scope)
{
    for (auto record = list.rbegin(); record != list.rend(); ++record) {
        if (record->isNamed(name, scope))
            return &*record;
    }
    return nullptr;
}

std::string position(const std::optional<std::pair<int, int>>& at)
{
    if (!at)
        return "null";
    return '[' + std::to_string(at->first) + ", " + std::to_string(at->second) + ']';
}

std::string polynomialJson(const PolynomialRec& record)
{
    std::string json = "\"names\": [";
    for (std::size_t index = 0; index < record.names.size(); ++index) {
        json += index ? ", [" : "[";
        json += jsonString(record.names[index].name) + ", " +
                jsonString(record.names[index].scope) + ']';
    }
    const Polynomial& polynomial = record.polynomial;
    json += "], \"coefficients\": [";
    for (std::size_t index = 0; index < polynomial.coefficients.size(); ++index) {
        json += index ? ", " : "";
        json += jsonString(printExpressionText(*polynomial.coefficients[index]));
    }
    json += "], \"polynomial\": " + jsonString(printExpressionText(*polynomial.built)) +
            ", \"simplified\": " + jsonString(printExpressionText(*polynomial.simplified)) +
            ", \"exactRoots\": " + (polynomial.exact.empty() ? "false" : "true") +
            ", \"roots\": " + rootsJson(polynomial) +
            ", \"formulaAt\": " + position(record.formulaAt) +
            ", \"simplifiedAt\": " + position(record.simplifiedAt);
    return json;
}

} // namespace

PolynomialRec& GraphScene::addQuadratic(PolynomialRec quadratic)
{
    return m_quadratics.emplace_back(std::move(quadratic));
}

PolynomialRec& GraphScene::addCubic(PolynomialRec cubic)
{
    return m_cubics.emplace_back(std::move(cubic));
}

PolynomialRec* GraphScene::findQuadratic(std::string_view name, std::string_view scope)
{
    return lastNamed(m_quadratics, name, scope);
}

PolynomialRec* GraphScene::findCubic(std::string_view name, std::string_view scope)
{
    return lastNamed(m_cubics, name, scope);
}

void GraphScene::paintPolynomials(Canvas& canvas) const
{
    for (const auto* list : {&m_quadratics, &m_cubics}) {
        for (const PolynomialRec& record : *list) {
            const Polynomial& polynomial = record.polynomial;
            if (record.formulaAt)
                paintFormula(canvas, *polynomial.built, record.formulaAt->first,
                             record.formulaAt->second, m_formulaHeight);
            if (record.simplifiedAt)
                paintFormula(canvas, *polynomial.simplified, record.simplifiedAt->first,
                             record.simplifiedAt->second, m_formulaHeight);
        }
    }
}

void GraphScene::writePolynomialsJson(std::string& json) const
{
    for (const auto& [name, list] :
         {std::pair{"quadratics", &m_quadratics}, std::pair{"cubics", &m_cubics}}) {
        json += ",\n  " + jsonString(name) + ": [";
        bool first = true;
        for (const PolynomialRec& record : *list) {
            json += first ? "\n    {" : ",\n    {";
            first = false;
            json += polynomialJson(record) + '}';
        }
        json += ']';
    }
}

int GraphScene::polynomialsHeight() const
{
    int height = 0;
    for (const auto* list : {&m_quadratics, &m_cubics}) {
        for (const PolynomialRec& record : *list) {
            for (const auto& at : {record.formulaAt, record.simplifiedAt}) {
                if (at)
                    height = std::max(height, at->second + kFormulaRoom);
            }
        }
    }
    return height;
}

} // namespace kestrane
