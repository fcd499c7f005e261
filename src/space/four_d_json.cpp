// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/json_writer.h"
#include "space/four_d_scene.h"

#include <map>

namespace kestrane {

namespace {

void writeNumber(JsonWriter& json, const LongNum& value)
{
    json.string(LongToDecimal(value));
}

void writePoint(JsonWriter& json, const Long4& value)
{
    json.beginArray();
    for (const LongNum* coordinate : {&value.x, &value.y, &value.z, &value.w})
        writeNumber(json, *coordinate);
    json.endArray();
}

void writePoints(JsonWriter& json, const std::vector<Long4>& values)
{
    json.beginArray();
    for (const Long4& value : values)
        writePoint(json, value);
    json.endArray();
}

void writeOptionalPoint(JsonWriter& json, const std::optional<Long4>& value)
{
    if (value)
        writePoint(json, *value);
    else
        json.null();
}

// An array of records, each an object that starts with its label and names.
template<class List, class Body>
void writeArray(JsonWriter& json, std::string_view name, const List& list, Body body)
{
    json.key(name).beginArray();
    for (const auto& record : list) {
        json.beginObject().key("label").string(record->label).key("names").beginArray();
        for (const NameBinding& binding : record->names)
            json.beginArray().string(binding.name).string(binding.scope).endArray();
        json.endArray();
        body(*record);
        json.endObject();
    }
    json.endArray();
}

} // namespace

void FourDScene::writeJson(JsonWriter& json) const
{
    auto number = [&](std::string_view name, const LongNum& value) {
        json.key(name);
        writeNumber(json, value);
    };
    writeArray(json, "points4", m_points, [&](const Point4Rec& record) {
        const Long4& p = record.position;
        number("x", p.x);
        number("y", p.y);
        number("z", p.z);
        number("w", p.w);
    });
    writeArray(json, "polygons4", m_polygons, [&](const Polygon4Rec& record) {
        json.key("vertices");
        writePoints(json, record.face.vertices);
    });
    std::map<const CellRec*, std::size_t> cellNumbers;
    for (std::size_t index = 0; index < m_cells.size(); ++index)
        cellNumbers[m_cells[index].get()] = index;
    writeArray(json, "cells", m_cells, [&](const CellRec& cell) {
        json.key("centre");
        writeOptionalPoint(json, cell.centre);
        json.key("completed").boolean(cell.completed).key("faces").beginArray();
        for (const auto& face : cell.faces) {
            json.beginObject().key("vertices");
            writePoints(json, face.vertices);
            json.endObject();
        }
        json.endArray();
    });
    writeArray(json, "polytopes", m_polytopes, [&](const PolytopeRec& polytope) {
        json.key("centre");
        writeOptionalPoint(json, polytope.centre);
        json.key("cells").beginArray();
        std::vector<const CellRec*> cells;
        for (const CellRec* cell : polytope.cells) {
            json.number(cellNumbers[cell]);
            cells.push_back(cell);
        }
        json.endArray();
        PolytopeCounts counts = countPolytope(cells);
        json.key("counts").beginObject().key("cells").number(counts.cells);
        json.key("faces").number(counts.faces).key("edges").number(counts.edges);
        json.key("vertices").number(counts.vertices).endObject();
    });
    writeArray(json, "planes4", m_planes, [&](const Plane4Rec& record) {
        const Hyperplane& plane = record.plane;
        number("a", plane.normal.x);
        number("b", plane.normal.y);
        number("c", plane.normal.z);
        number("d", plane.normal.w);
        number("e", plane.e);
    });
    writeArray(json, "spheres4", m_spheres, [&](const Sphere4Rec& sphere) {
        json.key("centre");
        writePoint(json, sphere.centre);
        number("r", sphere.radius);
    });
    json.key("crossPath");
    if (m_crossPath) {
        json.beginObject().key("normal");
        writePoint(json, m_crossPath->normal);
        json.key("count").number(m_crossPath->count).key("step").number(m_crossPath->step);
        json.key("e");
        if (m_crossPath->e)
            writeNumber(json, *m_crossPath->e);
        else
            json.null();
        json.endObject();
    } else {
        json.null();
    }
    json.key("net");
    if (m_net) {
        json.beginObject().key("cellsOfNet").number(m_net->inserted);
        json.key("cellsOfPolytope").number(m_net->polytopeCells).key("nextCell");
        if (m_net->inserted < m_net->cells.size())
            json.number(m_net->inserted);
        else
            json.null();
        json.endObject();
    } else {
        json.null();
    }
    m_space.writePolyhedraJson(json);
}

} // namespace kestrane
