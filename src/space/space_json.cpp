// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/json_writer.h"
#include "space/space_scene.h"
#include "space/space_view.h"
#include "space/vertex_index.h"

#include <cstdio>

namespace kestrane {

namespace {

// Writes the scene's arrays into the construction's JSON object: long
// numbers as decimal texts, single-precision values as numbers.
class SceneJson {
public:
    explicit SceneJson(JsonWriter& json) : m_json(json) {}

    template<class List, class Body>
    void array(std::string_view name, const List& list, Body body)
    {
        m_json.key(name).beginArray();
        for (const auto& record : list) {
            m_json.beginObject();
            header(*record);
            body(*record);
            m_json.endObject();
        }
        m_json.endArray();
    }

    void key(std::string_view name) { m_json.key(name); }
    void null() { m_json.null(); }
    void number(std::string_view name, const LongNum& value)
    {
        m_json.key(name).string(LongToDecimal(value));
    }
    void point(const LongTriple& value)
    {
        m_json.beginArray();
        for (const LongNum* coordinate : {&value.x, &value.y, &value.z})
            m_json.string(LongToDecimal(*coordinate));
        m_json.endArray();
    }
    void point(std::string_view name, const LongTriple& value)
    {
        m_json.key(name);
        point(value);
    }
    void optionalPoint(std::string_view name, const std::optional<LongTriple>& value)
    {
        m_json.key(name);
        if (value)
            point(*value);
        else
            m_json.null();
    }
    void points(const std::vector<LongTriple>& values)
    {
        m_json.beginArray();
        for (const LongTriple& value : values)
            point(value);
        m_json.endArray();
    }
    void flag(std::string_view name, bool value) { m_json.key(name).boolean(value); }
    void integer(std::string_view name, long long value) { m_json.key(name).number(value); }
    void integers(std::string_view name, const std::array<int, 3>& values)
    {
        m_json.key(name).beginArray();
        for (int value : values)
            m_json.number(value);
        m_json.endArray();
    }
    void planeFields(const PlaneFrame& frame)
    {
        number("A", frame.a);
        number("B", frame.b);
        number("C", frame.c);
        number("D", frame.d);
    }
    void counts(const SolidCounts& counts)
    {
        m_json.key("counts").beginObject();
        m_json.key("faces").number(counts.faces).key("edges").number(counts.edges);
        m_json.key("vertices").number(counts.vertices).endObject();
    }
    void faces(const std::vector<Face>& faces)
    {
        m_json.key("faces").beginArray();
        for (const Face& face : faces) {
            m_json.beginObject().key("vertices");
            points(face.vertices);
            integer("colourCode", face.colourCode);
            integer("colour", face.colour);
            flag("coloured", face.coloured);
            flag("visible", face.visible);
            flag("built", face.built);
            integer("templateIndex", face.templateIndex);
            m_json.endObject();
        }
        m_json.endArray();
    }
    void view(const PolyhedronRec& polyhedron)
    {
        FloatPoint centre = viewCentre(polyhedron);
        m_json.key("view").beginArray();
        for (const Face& face : polyhedron.viewFaces) {
            m_json.beginObject().key("vertices");
            points(face.vertices);
            m_json.key("normal").beginArray();
            for (float value : {face.normal.x, face.normal.y, face.normal.z})
                m_json.raw(floatText(value));
            m_json.endArray().key("d").raw(floatText(face.offset));
            integer("visibility", visibility(face, centre));
            integer("baseColour", face.colour);
            integer("shadedColour", face.shadedColour);
            m_json.endObject();
        }
        m_json.endArray();
    }

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
        m_json.key("label").string(object.label).key("names").beginArray();
        for (const NameBinding& binding : object.names)
            m_json.beginArray().string(binding.name).string(binding.scope).endArray();
        m_json.endArray();
    }

    JsonWriter& m_json;
};

} // namespace

void SpaceScene::writeJson(JsonWriter& json) const
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
            out.null();
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

void SpaceScene::writePolyhedraJson(JsonWriter& json) const
{
    SceneJson out(json);
    out.array("polyhedra", m_polyhedra, [&](const PolyhedronRec& polyhedron) {
        out.flag("visible", polyhedron.visible);
        out.flag("drawn", &polyhedron == shownPolyhedron());
        out.optionalPoint("centre", polyhedron.centre);
        out.integers("angles", polyhedron.angles);
        out.flag("animated", polyhedron.animated);
        out.integers("steps", polyhedron.steps);
        out.counts(countSolid(polyhedron.faces));
        out.key("section");
        if (polyhedron.section)
            out.points(polyhedron.section->vertices);
        else
            out.null();
        out.faces(polyhedron.faces);
        out.view(polyhedron);
    });
    writeViewJson(json);
}

// The window's side of the view: the control panel, the outlined face and
// the picture show's settings.
void SpaceScene::writeViewJson(JsonWriter& json) const
{
    json.key("spaceView").beginObject();
    json.key("controlPanel").boolean(m_show.controlPanel()).key("highlightedFace");
    if (m_show.highlightedFace())
        json.number(*m_show.highlightedFace());
    else
        json.null();
    json.key("pictures");
    if (const std::optional<PictureSettings>& pictures = m_show.pictures()) {
        const PictureArea& area = pictures->area;
        json.beginObject().key("x1").number(area.x1).key("y1").number(area.y1);
        json.key("x2").number(area.x2).key("y2").number(area.y2);
        json.key("count").number(pictures->count).key("sizeClass").number(pictures->sizeClass);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
}

} // namespace kestrane
