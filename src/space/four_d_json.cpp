// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/json_writer.h"
#include "space/four_d_scene.h"

#include <map>

namespace kestrane {

namespace {

std::string number(const LongNum& value)
{
    return jsonString(LongToDecimal(value));
}

std::string point(const Long4& value)
{
    return '[' + number(value.x) + "," + number(value.y) + "," + number(value.z) + "," +
           number(value.w) + ']';
}

std::string pointList(const std::vector<Long4>& values)
{
    std::string out = "[";
    for (std::size_t index = 0; index < values.size(); ++index)
        out += (index > 0 ? "," : "") + point(values[index]);
    return out + ']';
}

std::string header(const GeoObject& object)
{
    std::string out = "\"label\":" + jsonString(object.label) + ",\"names\":[";
    for (std::size_t index = 0; index < object.names.size(); ++index) {
        if (index > 0)
            out += ",";
        out += '[' + jsonString(object.names[index].name) + "," +
               jsonString(object.names[index].scope) + ']';
    }
    return out + ']';
}

std::string optionalPoint(const std::optional<Long4>& value)
{
    return value ? point(*value) : "null";
}

// The arrays of a four-dimensional scene, in the construction's JSON.
template<class List, class Body>
void array(std::string& json, std::string_view name, const List& list, Body body)
{
    json += "," + jsonString(name) + ":[";
    bool first = true;
    for (const auto& record : list) {
        json += first ? "{" : ",{";
        first = false;
        json += header(*record) + body(*record) + '}';
    }
    json += ']';
}

} // namespace

void FourDScene::writeJson(std::string& json) const
{
    array(json, "points4", m_points, [](const Point4Rec& record) {
        const Long4& p = record.position;
        return ",\"x\":" + number(p.x) + ",\"y\":" + number(p.y) + ",\"z\":" + number(p.z) +
               ",\"w\":" + number(p.w);
    });
    array(json, "polygons4", m_polygons, [](const Polygon4Rec& record) {
        return ",\"vertices\":" + pointList(record.face.vertices);
    });
    std::map<const CellRec*, std::size_t> cellNumbers;
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        cellNumbers[m_cells[index].get()] = index;
    array(json, "cells", m_cells, [](const CellRec& cell) {
        std::string out = ",\"centre\":" + optionalPoint(cell.centre) +
                          ",\"completed\":" + (cell.completed ? "true" : "false") + ",\"faces\":[";
        for (std::size_t index = 0; index < cell.faces.size(); ++index)
            out += (index > 0 ? "," : "") + std::string("{\"vertices\":") +
                   pointList(cell.faces[index].vertices) + '}';
        return out + ']';
    });
    array(json, "polytopes", m_polytopes, [&](const PolytopeRec& polytope) {
        std::string out = ",\"centre\":" + optionalPoint(polytope.centre) + ",\"cells\":[";
        std::vector<const CellRec*> cells;
        for (std::size_t index = 0; index < polytope.cells.size(); ++index) {
            out += (index > 0 ? "," : "") + std::to_string(cellNumbers[polytope.cells[index]]);
            cells.push_back(polytope.cells[index]);
        }
        PolytopeCounts counts = countPolytope(cells);
        return out + "],\"counts\":{\"cells\":" + std::to_string(counts.cells) +
               ",\"faces\":" + std::to_string(counts.faces) +
               ",\"edges\":" + std::to_string(counts.edges) +
               ",\"vertices\":" + std::to_string(counts.vertices) + '}';
    });
    array(json, "planes4", m_planes, [](const Plane4Rec& record) {
        const Hyperplane& plane = record.plane;
        return ",\"a\":" + number(plane.normal.x) + ",\"b\":" + number(plane.normal.y) +
               ",\"c\":" + number(plane.normal.z) + ",\"d\":" + number(plane.normal.w) +
               ",\"e\":" + number(plane.e);
    });
    array(json, "spheres4", m_spheres, [](const Sphere4Rec& sphere) {
        return ",\"centre\":" + point(sphere.centre) + ",\"r\":" + number(sphere.radius);
    });
    json += ",\"crossPath\":";
    if (m_crossPath) {
        json += "{\"normal\":" + point(m_crossPath->normal) +
                ",\"count\":" + std::to_string(m_crossPath->count) +
                ",\"step\":" + std::to_string(m_crossPath->step) +
                ",\"e\":" + (m_crossPath->e ? number(*m_crossPath->e) : "null") + '}';
    } else {
        json += "null";
    }
    json += ",\"net\":";
    if (m_net) {
        json += "{\"cellsOfNet\":" + std::to_string(m_net->inserted) +
                ",\"cellsOfPolytope\":" + std::to_string(m_net->polytopeCells) + ",\"nextCell\":" +
                (m_net->inserted < m_net->cells.size() ? std::to_string(m_net->inserted)
                                                       : std::string("null")) +
                '}';
    } else {
        json += "null";
    }
    m_space.writePolyhedraJson(json);
}

} // namespace kestrane
