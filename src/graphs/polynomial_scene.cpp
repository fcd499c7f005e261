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

void writePosition(JsonWriter& json, const std::optional<std::pair<int, int>>& at)
{
    if (at)
        json.beginArray().number(at->first).number(at->second).endArray();
    else
        json.null();
}

void writePolynomial(JsonWriter& json, const PolynomialRec& record)
{
    json.key("names").beginArray();
    for (const NameBinding& binding : record.names)
        json.beginArray().string(binding.name).string(binding.scope).endArray();
    json.endArray();
    const Polynomial& polynomial = record.polynomial;
    json.key("coefficients").beginArray();
    for (const auto& coefficient : polynomial.coefficients)
        json.string(printExpressionText(*coefficient));
    json.endArray();
    json.key("polynomial").string(printExpressionText(*polynomial.built));
    json.key("simplified").string(printExpressionText(*polynomial.simplified));
    json.key("exactRoots").boolean(!polynomial.exact.empty()).key("roots");
    writeRootsJson(json, polynomial);
    json.key("formulaAt");
    writePosition(json, record.formulaAt);
    json.key("simplifiedAt");
    writePosition(json, record.simplifiedAt);
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

void GraphScene::writePolynomialsJson(JsonWriter& json) const
{
    for (const auto& [name, list] :
         {std::pair{"quadratics", &m_quadratics}, std::pair{"cubics", &m_cubics}}) {
        json.key(name).beginArray();
        for (const PolynomialRec& record : *list) {
            json.beginObject();
            writePolynomial(json, record);
            json.endObject();
        }
        json.endArray();
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
