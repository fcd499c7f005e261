// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_scene.h"
#include "space/polyhedron_builder.h"
#include "space/space_animation.h"
#include "space/space_objects.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The face loop of a run: the polyhedron, the face variable, the number of
// the current face and where the loop's body starts.
struct FaceLoop {
    PolyhedronRec* polyhedron = nullptr;
    std::string faceName;
    std::size_t counter = 0;
    std::size_t bodyStart = 0;
};

// The space objects of a Dimension 3 run beside the shared points and
// polygons: planes, lines in space, spheres, circles in space and
// polyhedra, each kind in creation order, with the builders' state, the
// point set of the hull and the face loop. Lookups return the last object
// carrying (name, scope); polyhedra are found by name alone.
class SpaceScene final : public ModuleScene {
public:
    template<class Record>
    using List = std::vector<std::unique_ptr<Record>>;

    void clear() override;
    void paint(Canvas& canvas) const override;
    std::vector<PaintedButton> paintedButtons() const override;
    void writeJson(JsonWriter& json) const override;
    GeoObject* find(int typeCode, std::string_view name, std::string_view scope) override;
    void dropScope(std::string_view scope) override;
    std::string unchoosableParameter(int typeCode) const override;
    void watchValues(std::string_view scope, std::vector<WatchValue>& values) const override;
    bool pointsInSpace() const override { return true; }
    // The polyhedra alone (the four-dimensional scene's sections and nets).
    void watchPolyhedra(std::string_view scope, std::vector<WatchValue>& values) const;
    // Only the "polyhedra" array of the JSON (the four-dimensional scene
    // shows its sections and nets as polyhedra).
    void writePolyhedraJson(JsonWriter& json) const;
    bool tick(ConstructionState& state, const std::function<void(Canvas&)>& paintDrawing) override;
    bool takesClicks() const override { return true; }
    bool click(ConstructionState& state, double x, double y) override;
    bool drag(double dx, double dy) override;
    // A sphere whose outline passes within 2 pixels of the click.
    GeoObject* objectAt(int typeCode, double x, double y) override;
    bool key(ConstructionState& state, int keyCode) override;
    std::unique_ptr<ModuleScene> copy() const override { return copied(); }
    // `copy` must be a SpaceScene.
    void swapContents(ModuleScene& copy) override;
    // The polyhedra's faces dominate: every vertex of a model face and its
    // view copy.
    std::size_t heapBytes() const override;
    // A deep copy: the face loop follows the copied polyhedron.
    std::unique_ptr<SpaceScene> copied() const;
    // The polyhedron of this copy at the place `polyhedron` has in the
    // original; nullptr when it has none.
    PolyhedronRec* counterpart(const SpaceScene& original, const PolyhedronRec* polyhedron) const;

    PlaneRec& add(std::unique_ptr<PlaneRec> plane);
    Line3DRec& add(std::unique_ptr<Line3DRec> line);
    SphereRec& add(std::unique_ptr<SphereRec> sphere);
    SpaceCircleRec& add(std::unique_ptr<SpaceCircleRec> circle);
    PolyhedronRec& add(std::unique_ptr<PolyhedronRec> polyhedron);
    // Puts the polyhedron before the others, so that it is the one drawn.
    PolyhedronRec& addFirst(std::unique_ptr<PolyhedronRec> polyhedron);

    PlaneRec* findPlane(std::string_view name, std::string_view scope) const;
    Line3DRec* findLine(std::string_view name, std::string_view scope) const;
    SphereRec* findSphere(std::string_view name, std::string_view scope) const;
    SpaceCircleRec* findCircle(std::string_view name, std::string_view scope) const;
    PolyhedronRec* findPolyhedron(std::string_view name) const;

    // Unlinks and destroys one polyhedron (the loop forgets it).
    void removePolyhedron(const PolyhedronRec& polyhedron);
    // Destroys every polyhedron but the given one.
    void keepOnlyPolyhedron(const PolyhedronRec& polyhedron);

    const List<PlaneRec>& planes() const { return m_planes; }
    const List<Line3DRec>& lines() const { return m_lines; }
    const List<SphereRec>& spheres() const { return m_spheres; }
    const List<SpaceCircleRec>& circles() const { return m_circles; }
    const List<PolyhedronRec>& polyhedra() const { return m_polyhedra; }

    PolyhedronBuilder& builder() { return m_builder; }
    std::vector<LongTriple>& pointSet() { return m_pointSet; }
    std::optional<FaceLoop>& faceLoop() { return m_faceLoop; }
    // The animation, control panel and picture show of the view.
    SpaceShow& show() { return m_show; }
    const SpaceShow& show() const { return m_show; }
    // The polyhedron the window shows: the first; nullptr when none.
    PolyhedronRec* shownPolyhedron() const;

private:
    void writeViewJson(JsonWriter& json) const;

    List<PlaneRec> m_planes;
    List<Line3DRec> m_lines;
    List<SphereRec> m_spheres;
    List<SpaceCircleRec> m_circles;
    List<PolyhedronRec> m_polyhedra;
    PolyhedronBuilder m_builder;
    std::vector<LongTriple> m_pointSet;
    std::optional<FaceLoop> m_faceLoop;
    SpaceShow m_show;
};

} // namespace kestrane
