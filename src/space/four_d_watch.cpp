// SPDX-License-Identifier: GPL-3.0-or-later
// The four-dimensional scene's objects as the watch panel and the trace
// show them.
#include "platform/translation.h"
#include "space/four_d_scene.h"

namespace kestrane {

namespace {

std::string quadruple(const Long4& point)
{
    return watchTuple({&point.x, &point.y, &point.z, &point.w});
}

void addPoint(WatchValue& value, const Long4& point)
{
    addWatchField(value, "x", point.x);
    addWatchField(value, "y", point.y);
    addWatchField(value, "z", point.z);
    addWatchField(value, "w", point.w);
}

// The first vertex closes a face again at the end.
std::size_t corners(const Face4& face)
{
    return face.vertices.size() > 1 ? face.vertices.size() - 1 : face.vertices.size();
}

WatchValue describePoint(const Point4Rec& point, std::string name)
{
    WatchValue value = sceneValue(N_("point4"), std::move(name), point);
    value.text = quadruple(point.position);
    addPoint(value, point.position);
    return value;
}

WatchValue describePolygon(const Polygon4Rec& polygon, std::string name)
{
    WatchValue value = sceneValue(N_("polygon4"), std::move(name), polygon);
    std::size_t count = corners(polygon.face);
    value.text = watchCount(count, "%1 vertex", "%1 vertices");
    value.fields.push_back({"vertices", std::to_string(count)});
    return value;
}

WatchValue describeCell(const CellRec& cell, std::string name)
{
    WatchValue value = sceneValue(N_("cell"), std::move(name), cell);
    value.text = watchCount(cell.faces.size(), "%1 face", "%1 faces");
    if (cell.completed)
        value.text += ", completed";
    value.fields.push_back({"faces", std::to_string(cell.faces.size())});
    value.fields.push_back({"completed", cell.completed ? "yes" : "no"});
    return value;
}

WatchValue describePolytope(const PolytopeRec& polytope, std::string name)
{
    WatchValue value = sceneValue(N_("polytope"), std::move(name), polytope);
    PolytopeCounts counts =
        countPolytope(std::vector<const CellRec*>(polytope.cells.begin(), polytope.cells.end()));
    value.text = watchCount(counts.cells, "%1 cell", "%1 cells") + ", " +
                 watchCount(counts.faces, "%1 face", "%1 faces") + ", " +
                 watchCount(counts.edges, "%1 edge", "%1 edges") + ", " +
                 watchCount(counts.vertices, "%1 vertex", "%1 vertices");
    value.fields.push_back({"cells", std::to_string(counts.cells)});
    value.fields.push_back({"faces", std::to_string(counts.faces)});
    value.fields.push_back({"edges", std::to_string(counts.edges)});
    value.fields.push_back({"vertices", std::to_string(counts.vertices)});
    return value;
}

WatchValue describePlane(const Plane4Rec& record, std::string name)
{
    WatchValue value = sceneValue(N_("plane4"), std::move(name), record);
    const Hyperplane& plane = record.plane;
    const Long4& n = plane.normal;
    value.text = watchEquation({{&n.x, "x"}, {&n.y, "y"}, {&n.z, "z"}, {&n.w, "w"}}, plane.e);
    addWatchField(value, "a", n.x);
    addWatchField(value, "b", n.y);
    addWatchField(value, "c", n.z);
    addWatchField(value, "d", n.w);
    addWatchField(value, "e", plane.e);
    return value;
}

WatchValue describeSphere(const Sphere4Rec& sphere, std::string name)
{
    WatchValue value = sceneValue(N_("sphere4"), std::move(name), sphere);
    value.text = translateFilled("centre %1, radius %2",
                                 {quadruple(sphere.centre), watchNumber(sphere.radius)});
    addPoint(value, sphere.centre);
    addWatchField(value, "r", sphere.radius);
    return value;
}

} // namespace

void FourDScene::watchValues(std::string_view scope, std::vector<WatchValue>& values) const
{
    watchList(m_points, scope, values, describePoint);
    watchList(m_polygons, scope, values, describePolygon);
    watchList(m_cells, scope, values, describeCell);
    watchList(m_polytopes, scope, values, describePolytope);
    watchList(m_planes, scope, values, describePlane);
    watchList(m_spheres, scope, values, describeSphere);
    m_space.watchPolyhedra(scope, values);
}

} // namespace kestrane
