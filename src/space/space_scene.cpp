// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_scene.h"

#include "platform/canvas.h"
#include "runtime/scene_records.h"
#include "script/words.h"
#include "space/control_panel.h"
#include "space/space_view.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

using scene_records::copyList;
using scene_records::findNamed;
using scene_records::unbindScope;

std::unique_ptr<SpaceScene> SpaceScene::copied() const
{
    auto copy = std::make_unique<SpaceScene>();
    copyList(m_planes, copy->m_planes);
    copyList(m_lines, copy->m_lines);
    copyList(m_spheres, copy->m_spheres);
    copyList(m_circles, copy->m_circles);
    copyList(m_polyhedra, copy->m_polyhedra);
    copy->m_builder = m_builder;
    copy->m_pointSet = m_pointSet;
    copy->m_show = m_show;
    if (m_faceLoop) {
        copy->m_faceLoop = *m_faceLoop;
        copy->m_faceLoop->polyhedron = copy->counterpart(*this, m_faceLoop->polyhedron);
        if (!copy->m_faceLoop->polyhedron)
            copy->m_faceLoop.reset();
    }
    return copy;
}

PolyhedronRec* SpaceScene::counterpart(const SpaceScene& original,
                                       const PolyhedronRec* polyhedron) const
{
    for (std::size_t index = 0; index < original.m_polyhedra.size(); ++index) {
        if (original.m_polyhedra[index].get() == polyhedron && index < m_polyhedra.size())
            return m_polyhedra[index].get();
    }
    return nullptr;
}

std::size_t SpaceScene::heapBytes() const
{
    constexpr std::size_t kObjectBytes = 512;
    std::size_t bytes = kObjectBytes * (m_planes.size() + m_lines.size() + m_spheres.size() +
                                        m_circles.size() + m_polyhedra.size());
    for (const auto& polyhedron : m_polyhedra) {
        for (const Face& face : polyhedron->faces)
            bytes += 2 * (sizeof(Face) + face.vertices.size() * (sizeof(LongTriple) +
                                                                  3 * LongNum().words().size_bytes()));
    }
    return bytes + m_pointSet.size() * sizeof(LongTriple);
}

void SpaceScene::swapContents(ModuleScene& copy)
{
    SpaceScene& other = static_cast<SpaceScene&>(copy);
    std::swap(m_planes, other.m_planes);
    std::swap(m_lines, other.m_lines);
    std::swap(m_spheres, other.m_spheres);
    std::swap(m_circles, other.m_circles);
    std::swap(m_polyhedra, other.m_polyhedra);
    std::swap(m_builder, other.m_builder);
    std::swap(m_pointSet, other.m_pointSet);
    std::swap(m_faceLoop, other.m_faceLoop);
    std::swap(m_show, other.m_show);
}

void SpaceScene::clear()
{
    m_planes.clear();
    m_lines.clear();
    m_spheres.clear();
    m_circles.clear();
    m_polyhedra.clear();
    m_builder = PolyhedronBuilder();
    m_pointSet.clear();
    m_faceLoop.reset();
    m_show.clear();
}

std::vector<PaintedButton> SpaceScene::paintedButtons() const
{
    using namespace control_panel;
    std::vector<PaintedButton> buttons;
    if (!m_show.controlPanel())
        return buttons;
    for (std::size_t row = 0; row < kLabels.size(); ++row) {
        // The click area is 50 < x < 120, so the button starts one pixel in.
        buttons.push_back({kLabels[row], kLeft + 1, kTop + static_cast<int>(row) * kButtonHeight,
                           kButtonWidth - 1, kButtonHeight});
    }
    return buttons;
}

// Only the first polyhedron is shown; the other space objects go over it.
void SpaceScene::paint(Canvas& canvas) const
{
    PolyhedronRec* first = shownPolyhedron();
    if (first && first->visible)
        paintPolyhedron(canvas, *first);
    paintSpaceObjects(canvas, *this);
    m_show.paint(canvas, first && first->visible ? first : nullptr);
}

PolyhedronRec* SpaceScene::shownPolyhedron() const
{
    return m_polyhedra.empty() ? nullptr : m_polyhedra.front().get();
}

bool SpaceScene::tick(ConstructionState& state, const std::function<void(Canvas&)>& paintDrawing)
{
    return m_show.tick(shownPolyhedron(), state, paintDrawing);
}

bool SpaceScene::click(ConstructionState& state, double x, double y)
{
    return m_show.click(shownPolyhedron(), state, x, y);
}

GeoObject* SpaceScene::objectAt(int typeCode, double x, double y)
{
    if (typeCode != type::kSphere)
        return nullptr;
    for (auto sphere = m_spheres.rbegin(); sphere != m_spheres.rend(); ++sphere) {
        DoubleTriple centre = toDoubles((*sphere)->centre);
        double away = std::hypot(x - centre.x, y - centre.y) - toDouble((*sphere)->radius);
        if ((*sphere)->visible && std::fabs(std::trunc(away)) < 2)
            return sphere->get();
    }
    return nullptr;
}

bool SpaceScene::drag(double dx, double dy)
{
    return m_show.drag(shownPolyhedron(), dx, dy);
}

bool SpaceScene::key(ConstructionState& /*state*/, int keyCode)
{
    return m_show.key(shownPolyhedron(), keyCode);
}

GeoObject* SpaceScene::find(int typeCode, std::string_view name, std::string_view scope)
{
    switch (typeCode) {
    case type::kPlane:
        return findPlane(name, scope);
    case type::kSphere:
        return findSphere(name, scope);
    case type::kPolyhedron:
        return findPolyhedron(name);
    case type::kLine3D:
        return findLine(name, scope);
    case type::kCircle:
        return findCircle(name, scope);
    default:
        return nullptr;
    }
}

void SpaceScene::dropScope(std::string_view scope)
{
    unbindScope(m_planes, scope);
    unbindScope(m_lines, scope);
    unbindScope(m_spheres, scope);
    unbindScope(m_circles, scope);
    unbindScope(m_polyhedra, scope);
}

std::string SpaceScene::unchoosableParameter(int typeCode) const
{
    std::string_view kind;
    switch (typeCode) {
    case type::kPlane:
        kind = "A plane";
        break;
    case type::kLine3D:
        kind = "A line";
        break;
    case type::kPolyhedron:
        kind = "A polyhedron";
        break;
    default:
        return {};
    }
    return std::string(kind) + " may not be chosen on the screen. The program is stopped.";
}

PlaneRec& SpaceScene::add(std::unique_ptr<PlaneRec> plane)
{
    return *m_planes.emplace_back(std::move(plane));
}

Line3DRec& SpaceScene::add(std::unique_ptr<Line3DRec> line)
{
    return *m_lines.emplace_back(std::move(line));
}

SphereRec& SpaceScene::add(std::unique_ptr<SphereRec> sphere)
{
    return *m_spheres.emplace_back(std::move(sphere));
}

SpaceCircleRec& SpaceScene::add(std::unique_ptr<SpaceCircleRec> circle)
{
    return *m_circles.emplace_back(std::move(circle));
}

PolyhedronRec& SpaceScene::add(std::unique_ptr<PolyhedronRec> polyhedron)
{
    return *m_polyhedra.emplace_back(std::move(polyhedron));
}

PolyhedronRec& SpaceScene::addFirst(std::unique_ptr<PolyhedronRec> polyhedron)
{
    return **m_polyhedra.insert(m_polyhedra.begin(), std::move(polyhedron));
}

PlaneRec* SpaceScene::findPlane(std::string_view name, std::string_view scope) const
{
    return findNamed(m_planes, name, scope);
}

Line3DRec* SpaceScene::findLine(std::string_view name, std::string_view scope) const
{
    return findNamed(m_lines, name, scope);
}

SphereRec* SpaceScene::findSphere(std::string_view name, std::string_view scope) const
{
    return findNamed(m_spheres, name, scope);
}

SpaceCircleRec* SpaceScene::findCircle(std::string_view name, std::string_view scope) const
{
    return findNamed(m_circles, name, scope);
}

PolyhedronRec* SpaceScene::findPolyhedron(std::string_view name) const
{
    for (auto record = m_polyhedra.rbegin(); record != m_polyhedra.rend(); ++record) {
        const auto& names = (*record)->names;
        if (std::any_of(names.begin(), names.end(),
                        [&](const NameBinding& binding) { return binding.name == name; }))
            return record->get();
    }
    return nullptr;
}

void SpaceScene::removePolyhedron(const PolyhedronRec& polyhedron)
{
    if (m_faceLoop && m_faceLoop->polyhedron == &polyhedron)
        m_faceLoop.reset();
    std::erase_if(m_polyhedra, [&](const auto& record) { return record.get() == &polyhedron; });
}

void SpaceScene::keepOnlyPolyhedron(const PolyhedronRec& polyhedron)
{
    if (m_faceLoop && m_faceLoop->polyhedron != &polyhedron)
        m_faceLoop.reset();
    std::erase_if(m_polyhedra, [&](const auto& record) { return record.get() != &polyhedron; });
}

} // namespace kestrane
