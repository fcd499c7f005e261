// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/four_d_scene.h"

#include "platform/canvas.h"
#include "platform/translation.h"
#include "runtime/scene_records.h"
#include "script/words.h"
#include "space/polyhedron_operations.h"
#include "space/polytope_algorithms.h"
#include "space/space_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

using scene_records::findNamed;
using scene_records::unbindScope;
using scene_records::copyList;

// The record of `to` at the place `record` has in `from`.
template<class Record>
Record* counterpart(const FourDScene::List<Record>& from, const FourDScene::List<Record>& to,
                    const Record* record)
{
    for (std::size_t index = 0; index < from.size() && index < to.size(); ++index) {
        if (from[index].get() == record)
            return to[index].get();
    }
    return nullptr;
}

std::string threeDigits(std::size_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03zu", value % 1000);
    return text;
}

} // namespace

void FourDScene::clear()
{
    m_points.clear();
    m_polygons.clear();
    m_cells.clear();
    m_polytopes.clear();
    m_planes.clear();
    m_spheres.clear();
    m_space.clear();
    m_pointSet.clear();
    m_crossPath.reset();
    m_crossPlay.reset();
    m_sectionPolytope = nullptr;
    m_net.reset();
}

namespace {

// The counters stand on a white box, so that they stay readable over the
// net they count.
void paintNetCounters(Canvas& canvas, std::size_t netCells, std::size_t polytopeCells)
{
    constexpr int kLeft = 10;
    constexpr int kTop = 300;
    constexpr int kLineStep = 20;
    constexpr int kMargin = 3;
    const std::string lines[] = {translate("cells of net: ") + threeDigits(netCells),
                                 translate("cells of polytope: ") + threeDigits(polytopeCells)};
    canvas.setFont(CanvasFont{});
    canvas.setTextColour(kBlack);
    int width = std::max(canvas.textWidth(lines[0]), canvas.textWidth(lines[1]));
    canvas.fillRect(kLeft - kMargin, kTop - kMargin, kLeft + width + kMargin,
                    kTop + kLineStep + canvas.textHeight() + kMargin, kWhite);
    canvas.text(kLeft, kTop, lines[0]);
    canvas.text(kLeft, kTop + kLineStep, lines[1]);
}

} // namespace

std::vector<PaintedButton> FourDScene::paintedButtons() const
{
    return m_space.paintedButtons();
}

void FourDScene::paint(Canvas& canvas) const
{
    m_space.paint(canvas);
    if (!m_net)
        return;
    const std::vector<Face>* outlined = outlinedCell();
    if (outlined && holds(m_net->polyhedron)) {
        // The cell turns with the net it is about to join.
        const PolyhedronRec& net = *m_net->polyhedron;
        FloatPoint centre = viewCentre(net);
        canvas.setPen(kRed);
        for (const Face& face : *outlined) {
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
                FloatPoint from = rotatedPoint(face.vertices[corner].floats(), centre, net.angles);
                FloatPoint to = rotatedPoint(face.vertices[corner + 1].floats(), centre, net.angles);
                canvas.line(std::trunc(from.x), std::trunc(from.y), std::trunc(to.x),
                            std::trunc(to.y));
            }
        }
        canvas.setPen(kBlack);
    }
    paintNetCounters(canvas, m_net->inserted, m_net->polytopeCells);
}

std::unique_ptr<ModuleScene> FourDScene::copy() const
{
    auto copy = std::make_unique<FourDScene>();
    copyList(m_points, copy->m_points);
    copyList(m_polygons, copy->m_polygons);
    copyList(m_cells, copy->m_cells);
    copyList(m_polytopes, copy->m_polytopes);
    for (auto& polytope : copy->m_polytopes) {
        for (CellRec*& cell : polytope->cells)
            cell = counterpart(m_cells, copy->m_cells, cell);
        std::erase(polytope->cells, nullptr);
    }
    copyList(m_planes, copy->m_planes);
    copyList(m_spheres, copy->m_spheres);
    copy->m_space = std::move(*m_space.copied());
    copy->m_pointSet = m_pointSet;
    copy->m_crossPath = m_crossPath;
    if (m_crossPlay) {
        copy->m_crossPlay = CrossPlay{
            counterpart(m_polytopes, copy->m_polytopes, m_crossPlay->polytope),
            copy->m_space.counterpart(m_space, m_crossPlay->section)};
    }
    copy->m_sectionPolytope = counterpart(m_polytopes, copy->m_polytopes, m_sectionPolytope);
    if (m_net) {
        copy->m_net = *m_net;
        copy->m_net->polyhedron = copy->m_space.counterpart(m_space, m_net->polyhedron);
    }
    return copy;
}

std::size_t FourDScene::heapBytes() const
{
    constexpr std::size_t kObjectBytes = 512;
    const std::size_t vertexBytes = sizeof(Long4) + 4 * LongNum().words().size_bytes();
    std::size_t bytes = kObjectBytes * (m_points.size() + m_polygons.size() + m_cells.size() +
                                        m_polytopes.size() + m_planes.size() + m_spheres.size());
    for (const auto& cell : m_cells) {
        for (const Face4& face : cell->faces)
            bytes += sizeof(Face4) + face.vertices.size() * vertexBytes;
    }
    if (m_net) {
        const std::size_t cornerBytes = sizeof(LongTriple) + 3 * LongNum().words().size_bytes();
        for (const std::vector<Face>& faces : m_net->cells) {
            for (const Face& face : faces)
                bytes += sizeof(Face) + face.vertices.size() * cornerBytes;
        }
    }
    return bytes + m_space.heapBytes() + m_pointSet.size() * vertexBytes;
}

void FourDScene::swapContents(ModuleScene& copy)
{
    FourDScene& other = static_cast<FourDScene&>(copy);
    std::swap(m_points, other.m_points);
    std::swap(m_polygons, other.m_polygons);
    std::swap(m_cells, other.m_cells);
    std::swap(m_polytopes, other.m_polytopes);
    std::swap(m_planes, other.m_planes);
    std::swap(m_spheres, other.m_spheres);
    m_space.swapContents(other.m_space);
    std::swap(m_pointSet, other.m_pointSet);
    std::swap(m_crossPath, other.m_crossPath);
    std::swap(m_crossPlay, other.m_crossPlay);
    std::swap(m_sectionPolytope, other.m_sectionPolytope);
    std::swap(m_net, other.m_net);
}

bool FourDScene::holds(const PolyhedronRec* polyhedron) const
{
    const auto& polyhedra = m_space.polyhedra();
    return polyhedron && std::any_of(polyhedra.begin(), polyhedra.end(), [&](const auto& owned) {
               return owned.get() == polyhedron;
           });
}

bool FourDScene::tick(ConstructionState& state, const std::function<void(Canvas&)>& paintDrawing)
{
    // A played section moves while it is animated, so Q stops it too.
    bool moved = false;
    if (m_crossPlay && m_crossPlay->section == m_space.shownPolyhedron() &&
        m_crossPlay->section && m_crossPlay->section->animated)
        moved = advanceCrossPlay();
    return m_space.tick(state, paintDrawing) || moved;
}

bool FourDScene::click(ConstructionState& state, double x, double y)
{
    if (m_space.show().controlPanel()) {
        std::optional<ControlButton> button = controlButtonAt(x, y);
        if (button == ControlButton::NextCell)
            return outlineNextCell();
        if (button == ControlButton::InsertCell)
            return insertNextCell();
    }
    return m_space.click(state, x, y);
}

GeoObject* FourDScene::objectAt(int typeCode, double x, double y)
{
    return m_space.objectAt(typeCode, x, y);
}

bool FourDScene::drag(double dx, double dy)
{
    return m_space.drag(dx, dy);
}

bool FourDScene::key(ConstructionState& state, int keyCode)
{
    return m_space.key(state, keyCode);
}

GeoObject* FourDScene::find(int typeCode, std::string_view name, std::string_view scope)
{
    switch (typeCode) {
    case type::kPoint4:
        return findPoint(name, scope);
    case type::kPolygon4:
        return findPolygon(name, scope);
    case type::kPolyhedron4:
        return findCell(name, scope);
    case type::kPolytope:
        return findPolytope(name, scope);
    case type::kPlane4:
        return findPlane(name, scope);
    case type::kSphere4:
        return findSphere(name, scope);
    case type::kPolyhedron:
        return m_space.findPolyhedron(name);
    default:
        return nullptr;
    }
}

void FourDScene::dropScope(std::string_view scope)
{
    unbindScope(m_points, scope);
    unbindScope(m_polygons, scope);
    unbindScope(m_cells, scope);
    unbindScope(m_polytopes, scope);
    unbindScope(m_planes, scope);
    unbindScope(m_spheres, scope);
    m_space.dropScope(scope);
}

std::string FourDScene::unchoosableParameter(int typeCode) const
{
    std::string_view kind;
    switch (typeCode) {
    case type::kPoint4:
        kind = "A point of four dimensions";
        break;
    case type::kPolygon4:
        kind = "A polygon of four dimensions";
        break;
    case type::kPolyhedron4:
        kind = "A cell";
        break;
    case type::kPolytope:
        kind = "A polytope";
        break;
    case type::kPlane4:
        kind = "A hyperplane";
        break;
    case type::kSphere4:
        kind = "A sphere of four dimensions";
        break;
    default:
        return m_space.unchoosableParameter(typeCode);
    }
    return std::string(kind) + " may not be chosen on the screen. The program is stopped.";
}

Point4Rec& FourDScene::add(std::unique_ptr<Point4Rec> point)
{
    return *m_points.emplace_back(std::move(point));
}

Polygon4Rec& FourDScene::add(std::unique_ptr<Polygon4Rec> polygon)
{
    return *m_polygons.emplace_back(std::move(polygon));
}

CellRec& FourDScene::add(std::unique_ptr<CellRec> cell)
{
    return *m_cells.emplace_back(std::move(cell));
}

PolytopeRec& FourDScene::add(std::unique_ptr<PolytopeRec> polytope)
{
    return *m_polytopes.emplace_back(std::move(polytope));
}

Plane4Rec& FourDScene::add(std::unique_ptr<Plane4Rec> plane)
{
    return *m_planes.emplace_back(std::move(plane));
}

Sphere4Rec& FourDScene::add(std::unique_ptr<Sphere4Rec> sphere)
{
    return *m_spheres.emplace_back(std::move(sphere));
}

Point4Rec* FourDScene::findPoint(std::string_view name, std::string_view scope) const
{
    return findNamed(m_points, name, scope);
}

Polygon4Rec* FourDScene::findPolygon(std::string_view name, std::string_view scope) const
{
    return findNamed(m_polygons, name, scope);
}

CellRec* FourDScene::findCell(std::string_view name, std::string_view scope) const
{
    return findNamed(m_cells, name, scope);
}

PolytopeRec* FourDScene::findPolytope(std::string_view name, std::string_view scope) const
{
    return findNamed(m_polytopes, name, scope);
}

Plane4Rec* FourDScene::findPlane(std::string_view name, std::string_view scope) const
{
    return findNamed(m_planes, name, scope);
}

Sphere4Rec* FourDScene::findSphere(std::string_view name, std::string_view scope) const
{
    return findNamed(m_spheres, name, scope);
}

PolyhedronRec& FourDScene::addShown(std::unique_ptr<PolyhedronRec> polyhedron)
{
    return m_space.addFirst(std::move(polyhedron));
}

const std::vector<Face>* FourDScene::outlinedCell() const
{
    if (!m_net || !m_net->outlined || m_net->inserted >= m_net->cells.size())
        return nullptr;
    return &m_net->cells[m_net->inserted];
}

bool FourDScene::outlineNextCell()
{
    if (!m_net || m_net->inserted >= m_net->cells.size())
        return false;
    m_net->outlined = true;
    return true;
}

bool FourDScene::insertNextCell()
{
    if (!m_net || !holds(m_net->polyhedron) || m_net->inserted >= m_net->cells.size())
        return false;
    for (const Face& face : m_net->cells[m_net->inserted])
        m_net->polyhedron->addFace(face);
    ++m_net->inserted;
    m_net->outlined = false;
    colourByAdjacency(*m_net->polyhedron);
    return true;
}

bool FourDScene::crossStep(PolytopeRec& polytope, int step, int count, std::vector<Face>& faces,
                           LongNum* e) const
{
    CrossPath path = m_crossPath.value_or(CrossPath{});
    Long4 normal = normalised(path.normal);
    if (isZero(normal) || count <= 0 || polytope.cells.empty())
        return false;
    std::optional<LongNum> lowest;
    std::optional<LongNum> highest;
    for (CellRec* cell : polytope.cells) {
        for (const Face4& face : cell->faces) {
            for (const Long4& vertex : face.vertices) {
                LongNum value = dot(normal, vertex);
                if (!lowest || !LongGreaterEq(value, *lowest))
                    lowest = value;
                if (!highest || LongGreaterEq(value, *highest))
                    highest = value;
            }
        }
    }
    if (!lowest)
        return false;
    // e = min + (max − min)(2k + 1)/(2n).
    LongNum span = times(minus(*highest, *lowest), longOf(2 * (step % count) + 1));
    LongNum offset;
    LongDivSmall(span, 2LL * count, offset);
    Hyperplane plane{normal, plus(*lowest, offset)};
    faces = sectionFaces(polytope.cells, plane, polytope.makeCentre());
    if (e)
        *e = plane.e;
    return true;
}

bool FourDScene::advanceCrossPlay()
{
    if (!m_crossPlay || !m_crossPlay->polytope || !holds(m_crossPlay->section))
        return false;
    CrossPath& path = m_crossPath ? *m_crossPath : m_crossPath.emplace();
    path.step = (path.step + 1) % std::max(path.count, 1);
    std::vector<Face> faces;
    LongNum e;
    if (!crossStep(*m_crossPlay->polytope, path.step, path.count, faces, &e))
        return false;
    path.e = e;
    PolyhedronRec& section = *m_crossPlay->section;
    section.faces.clear();
    section.viewFaces.clear();
    for (Face& face : faces)
        section.addFace(std::move(face));
    colourByAdjacency(section);
    return true;
}

} // namespace kestrane
