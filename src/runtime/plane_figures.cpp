// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/plane_figures.h"

#include <algorithm>

namespace kestrane {

namespace {

template<class Record>
Record* findLast(const std::vector<std::unique_ptr<Record>>& list, std::string_view name,
                 std::string_view scope)
{
    for (auto record = list.rbegin(); record != list.rend(); ++record) {
        if ((*record)->isNamed(name, scope))
            return record->get();
    }
    return nullptr;
}

} // namespace

PolygonVertex makeVertex(const LongNum& x, const LongNum& y, const LongNum& z)
{
    return PolygonVertex{x, y, z, FloatPoint{LongToFloat(x), LongToFloat(y), LongToFloat(z)}};
}

bool Region::contains(double x, double y) const
{
    return std::min(x1, x2) <= x && x <= std::max(x1, x2) && std::min(y1, y2) <= y &&
           y <= std::max(y1, y2);
}

PolygonRec& PlaneFigures::addPolygon(std::unique_ptr<PolygonRec> polygon)
{
    m_polygons.push_back(std::move(polygon));
    return *m_polygons.back();
}

VectorRec& PlaneFigures::addVector(std::unique_ptr<VectorRec> vector)
{
    m_vectors.push_back(std::move(vector));
    return *m_vectors.back();
}

StringRec& PlaneFigures::addString(std::unique_ptr<StringRec> text)
{
    m_strings.push_back(std::move(text));
    return *m_strings.back();
}

PolygonRec* PlaneFigures::findPolygon(std::string_view name, std::string_view scope) const
{
    return findLast(m_polygons, name, scope);
}

VectorRec* PlaneFigures::findVector(std::string_view name, std::string_view scope) const
{
    return findLast(m_vectors, name, scope);
}

StringRec* PlaneFigures::findString(std::string_view name, std::string_view scope) const
{
    return findLast(m_strings, name, scope);
}

bool PlaneFigures::removePolygon(const PolygonRec& polygon)
{
    auto found = std::find_if(m_polygons.begin(), m_polygons.end(),
                              [&](const auto& record) { return record.get() == &polygon; });
    if (found == m_polygons.end())
        return false;
    m_polygons.erase(found);
    return true;
}

bool PlaneFigures::removePolygonName(std::string_view name, std::string_view scope)
{
    PolygonRec* polygon = findPolygon(name, scope);
    if (!polygon)
        return false;
    if (polygon->names.size() >= 2) {
        polygon->unbind(name, scope);
        return true;
    }
    return removePolygon(*polygon);
}

void PlaneFigures::dropScope(std::string_view scope)
{
    for (auto& polygon : m_polygons)
        polygon->unbindScope(scope);
    for (auto& vector : m_vectors)
        vector->unbindScope(scope);
    for (auto& text : m_strings)
        text->unbindScope(scope);
}

void PlaneFigures::clear()
{
    m_polygons.clear();
    m_vectors.clear();
    m_strings.clear();
    m_region.reset();
}

} // namespace kestrane
