// SPDX-License-Identifier: GPL-3.0-or-later
// The space scene's objects as the watch panel and the trace show them.
#include "platform/translation.h"
#include "space/space_scene.h"
#include "space/vertex_index.h"

namespace kestrane {

namespace {

void addPoint(WatchValue& value, std::string_view x, std::string_view y, std::string_view z,
              const LongTriple& point)
{
    addWatchField(value, x, point.x);
    addWatchField(value, y, point.y);
    addWatchField(value, z, point.z);
}

std::string triple(const LongTriple& point)
{
    return watchTuple({&point.x, &point.y, &point.z});
}

WatchValue describePlane(const PlaneRec& plane, std::string name)
{
    WatchValue value = sceneValue(N_("plane"), std::move(name), plane);
    const PlaneFrame& frame = plane.frame;
    value.text = watchEquation({{&frame.a, "x"}, {&frame.b, "y"}, {&frame.c, "z"}}, frame.d);
    addWatchField(value, "A", frame.a);
    addWatchField(value, "B", frame.b);
    addWatchField(value, "C", frame.c);
    addWatchField(value, "D", frame.d);
    return value;
}

WatchValue describeLine(const Line3DRec& line, std::string name)
{
    WatchValue value = sceneValue(N_("line3D"), std::move(name), line);
    value.text = translateFilled("through %1 and %2", {triple(line.first), triple(line.second)});
    addPoint(value, "x1", "y1", "z1", line.first);
    addPoint(value, "x2", "y2", "z2", line.second);
    addPoint(value, "dx", "dy", "dz", line.direction);
    return value;
}

WatchValue describeSphere(const SphereRec& sphere, std::string name)
{
    WatchValue value = sceneValue(N_("sphere"), std::move(name), sphere);
    value.text = translateFilled("centre %1, radius %2",
                                 {triple(sphere.centre), watchNumber(sphere.radius)});
    addPoint(value, "cx", "cy", "cz", sphere.centre);
    addWatchField(value, "r", sphere.radius);
    return value;
}

WatchValue describeCircle(const SpaceCircleRec& record, std::string name)
{
    const SpaceCircle& circle = record.circle;
    WatchValue value = sceneValue(N_("circle3D"), std::move(name), record);
    value.text = translateFilled("centre %1, radius %2",
                                 {triple(circle.centre), watchNumber(circle.radius)});
    addPoint(value, "cx", "cy", "cz", circle.centre);
    addWatchField(value, "r", circle.radius);
    return value;
}

WatchValue describePolyhedron(const PolyhedronRec& polyhedron, std::string name)
{
    WatchValue value = sceneValue(N_("polyhedron"), std::move(name), polyhedron);
    SolidCounts counts = countSolid(polyhedron.faces);
    value.text = watchCount(counts.faces, "%1 face", "%1 faces") + ", " +
                 watchCount(counts.edges, "%1 edge", "%1 edges") + ", " +
                 watchCount(counts.vertices, "%1 vertex", "%1 vertices");
    value.fields.push_back({"faces", std::to_string(counts.faces)});
    value.fields.push_back({"edges", std::to_string(counts.edges)});
    value.fields.push_back({"vertices", std::to_string(counts.vertices)});
    if (polyhedron.section) {
        // The section's first vertex closes it again at the end.
        std::size_t corners = polyhedron.section->vertices.size();
        corners = corners > 1 ? corners - 1 : corners;
        value.text += ", " + translateFilled("section of %1",
                                             {watchCount(corners, "%1 vertex", "%1 vertices")});
        value.fields.push_back({"section", std::to_string(corners)});
    }
    return value;
}

} // namespace

void SpaceScene::watchValues(std::string_view scope, std::vector<WatchValue>& values) const
{
    watchList(m_planes, scope, values, describePlane);
    watchList(m_lines, scope, values, describeLine);
    watchList(m_spheres, scope, values, describeSphere);
    watchList(m_circles, scope, values, describeCircle);
    watchPolyhedra(scope, values);
}

void SpaceScene::watchPolyhedra(std::string_view scope, std::vector<WatchValue>& values) const
{
    // A polyhedron is found by its name in every procedure.
    watchList(m_polyhedra, scope, values, describePolyhedron, true);
}

} // namespace kestrane
