// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/json_writer.h"
#include "space/space_scene.h"
#include "space/space_view.h"
#include "space/vertex_index.h"

#include <cstdio>

namespace kestrane {

namespace {

// Writes the scene's arrays into the construction's JSON object.
class SceneJson {
public:
    explicit SceneJson(std::string& out) : m_out(out) {}

    template<class List, class Body>
    void array(std::string_view name, const List& list, Body body)
    {
        m_out += "," + jsonString(name) + ":[";
        bool firstItem = true;
        for (const auto& record : list) {
            m_out += firstItem ? "{" : ",{";
            firstItem = false;
            m_first = true;
            header(*record);
            body(*record);
            m_out += '}';
        }
        m_out += ']';
    }

    void key(std::string_view name)
    {
        if (!m_first)
            m_out += ",";
        m_first = false;
        m_out += jsonString(name) + ":";
    }
    void number(std::string_view name, const LongNum& value)
    {
        key(name);
        m_out += jsonString(LongToDecimal(value));
    }
    void point(const LongTriple& value)
    {
        m_out += '[' + jsonString(LongToDecimal(value.x)) + "," +
                 jsonString(LongToDecimal(value.y)) + "," + jsonString(LongToDecimal(value.z)) +
                 ']';
    }
    void point(std::string_view name, const LongTriple& value)
    {
        key(name);
        point(value);
    }
    void optionalPoint(std::string_view name, const std::optional<LongTriple>& value)
    {
        key(name);
        if (value)
            point(*value);
        else
            m_out += "null";
    }
    void points(const std::vector<LongTriple>& values)
    {
        m_out += '[';
        for (std::size_t index = 0; index < values.size(); ++index) {
            if (index > 0)
                m_out += ",";
            point(values[index]);
        }
        m_out += ']';
    }
    void flag(std::string_view name, bool value)
    {
        key(name);
        m_out += value ? "true" : "false";
    }
    void integer(std::string_view name, long long value)
    {
        key(name);
        m_out += std::to_string(value);
    }
    void integers(std::string_view name, const std::array<int, 3>& values)
    {
        key(name);
        m_out += '[' + std::to_string(values[0]) + "," + std::to_string(values[1]) + "," +
                 std::to_string(values[2]) + ']';
    }
    void planeFields(const PlaneFrame& frame)
    {
        number("A", frame.a);
        number("B", frame.b);
        number("C", frame.c);
        number("D", frame.d);
    }
    void faces(const std::vector<Face>& faces)
    {
        key("faces");
        m_out += '[';
        for (std::size_t index = 0; index < faces.size(); ++index) {
            const Face& face = faces[index];
            m_out += index > 0 ? ",{" : "{";
            m_first = true;
            key("vertices");
            points(face.vertices);
            integer("colourCode", face.colourCode);
            integer("colour", face.colour);
            flag("coloured", face.coloured);
            flag("visible", face.visible);
            flag("built", face.built);
            integer("templateIndex", face.templateIndex);
            m_out += '}';
        }
        m_out += ']';
    }
    void view(const PolyhedronRec& polyhedron)
    {
        FloatPoint centre = viewCentre(polyhedron);
        key("view");
        m_out += '[';
        for (std::size_t index = 0; index < polyhedron.viewFaces.size(); ++index) {
            const Face& face = polyhedron.viewFaces[index];
            m_out += index > 0 ? ",{" : "{";
            m_first = true;
            key("vertices");
            points(face.vertices);
            key("normal");
            m_out += '[' + floatText(face.normal.x) + "," + floatText(face.normal.y) + "," +
                     floatText(face.normal.z) + ']';
            key("d");
            m_out += floatText(face.offset);
            integer("visibility", visibility(face, centre));
            integer("baseColour", face.colour);
            integer("shadedColour", face.shadedColour);
            m_out += '}';
        }
        m_out += ']';
    }
    void raw(std::string_view text) { m_out += text; }

private:
    // Single-precision values to the digits they hold; -0 is written 0.
    static std::string floatText(float value)
    {
        if (value == 0)
            return "0";
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(value));
        return buffer;
    }

    void header(const GeoObject& object)
    {
        key("label");
        m_out += jsonString(object.label);
        key("names");
        m_out += '[';
        for (std::size_t index = 0; index < object.names.size(); ++index) {
            if (index > 0)
                m_out += ",";
            m_out += '[' + jsonString(object.names[index].name) + "," +
                     jsonString(object.names[index].scope) + ']';
        }
        m_out += ']';
    }

    std::string& m_out;
    bool m_first = true;
};

} // namespace

void SpaceScene::writeJson(std::string& json) const
{
    SceneJson out(json);
    out.array("planes", m_planes, [&](const PlaneRec& plane) {
        out.planeFields(plane.frame);
        out.point("u", plane.frame.u);
        out.point("v", plane.frame.v);
        out.point("origin", plane.frame.origin);
        out.key("through");
        if (plane.through)
            out.points({(*plane.through)[0], (*plane.through)[1], (*plane.through)[2]});
        else
            out.raw("null");
    });
    out.array("lines3D", m_lines, [&](const Line3DRec& line) {
        out.number("x1", line.first.x);
        out.number("y1", line.first.y);
        out.number("z1", line.first.z);
        out.number("x2", line.second.x);
        out.number("y2", line.second.y);
        out.number("z2", line.second.z);
        out.number("dx", line.direction.x);
        out.number("dy", line.direction.y);
        out.number("dz", line.direction.z);
    });
    out.array("spheres", m_spheres, [&](const SphereRec& sphere) {
        out.number("cx", sphere.centre.x);
        out.number("cy", sphere.centre.y);
        out.number("cz", sphere.centre.z);
        out.number("r", sphere.radius);
        out.optionalPoint("through", sphere.through);
    });
    out.array("circles3D", m_circles, [&](const SpaceCircleRec& record) {
        const SpaceCircle& circle = record.circle;
        out.number("cx", circle.centre.x);
        out.number("cy", circle.centre.y);
        out.number("cz", circle.centre.z);
        out.number("r", circle.radius);
        out.planeFields(circle.frame);
    });
    writePolyhedraJson(json);
}

void SpaceScene::writePolyhedraJson(std::string& json) const
{
    SceneJson out(json);
    out.array("polyhedra", m_polyhedra, [&](const PolyhedronRec& polyhedron) {
        out.flag("visible", polyhedron.visible);
        out.flag("drawn", &polyhedron == shownPolyhedron());
        out.optionalPoint("centre", polyhedron.centre);
        out.integers("angles", polyhedron.angles);
        out.flag("animated", polyhedron.animated);
        out.integers("steps", polyhedron.steps);
        SolidCounts counts = countSolid(polyhedron.faces);
        out.key("counts");
        out.raw("{\"faces\":" + std::to_string(counts.faces) +
                ",\"edges\":" + std::to_string(counts.edges) +
                ",\"vertices\":" + std::to_string(counts.vertices) + "}");
        out.key("section");
        if (polyhedron.section)
            out.points(polyhedron.section->vertices);
        else
            out.raw("null");
        out.faces(polyhedron.faces);
        out.view(polyhedron);
    });
    writeViewJson(json);
}

// The window's side of the view: the control panel, the outlined face and
// the picture show's settings.
void SpaceScene::writeViewJson(std::string& json) const
{
    json += ",\"spaceView\":{\"controlPanel\":";
    json += m_show.controlPanel() ? "true" : "false";
    json += ",\"highlightedFace\":";
    json += m_show.highlightedFace() ? std::to_string(*m_show.highlightedFace()) : "null";
    json += ",\"pictures\":";
    if (const std::optional<PictureSettings>& pictures = m_show.pictures()) {
        json += "{\"x1\":" + std::to_string(pictures->area.x1) +
                ",\"y1\":" + std::to_string(pictures->area.y1) +
                ",\"x2\":" + std::to_string(pictures->area.x2) +
                ",\"y2\":" + std::to_string(pictures->area.y2) +
                ",\"count\":" + std::to_string(pictures->count) +
                ",\"sizeClass\":" + std::to_string(pictures->sizeClass) + "}";
    } else {
        json += "null";
    }
    json += '}';
}

} // namespace kestrane
