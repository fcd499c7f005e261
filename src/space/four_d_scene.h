// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_scene.h"
#include "space/four_d_objects.h"
#include "space/space_scene.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The path of moving cross-sections: hyperplanes normal·X = e, step k of
// `count` at e = min + (max − min)(k + ½)/count over the polytope's
// vertices (`step` and `e` are those of the step shown last).
struct CrossPath {
    Long4 normal = Long4::ofIntegers(0, 0, 0, 1);
    int count = 20;
    int step = 0;
    std::optional<LongNum> e;
};

// A section played along the path: the polytope, and the polyhedron whose
// faces each tick replaces.
struct CrossPlay {
    PolytopeRec* polytope = nullptr;
    PolyhedronRec* section = nullptr;
};

// A net being built cell by cell: the unfolded cells in order, the net
// polyhedron and how many cells it holds; `outlined` when the next cell is
// drawn in red.
struct NetState {
    std::vector<std::vector<Face>> cells;
    PolyhedronRec* polyhedron = nullptr;
    std::size_t inserted = 0;
    std::size_t polytopeCells = 0;
    bool outlined = false;
};

// The objects of a Dimension 4 run: points, faces, cells, polytopes,
// hyperplanes and spheres of four-space, the four-dimensional point set,
// the path of cross-sections and the net. Sections and nets are polyhedra
// of the space scene inside, so the space view shows and turns them.
class FourDScene final : public ModuleScene {
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
    // The view's events go to the polyhedra inside, as in Dimension 3; a
    // tick also moves a played section, and the control panel's cell
    // buttons build the net.
    bool tick(ConstructionState& state, const std::function<void(Canvas&)>& paintDrawing) override;
    bool takesClicks() const override { return true; }
    bool click(ConstructionState& state, double x, double y) override;
    GeoObject* objectAt(int typeCode, double x, double y) override;
    bool drag(double dx, double dy) override;
    bool key(ConstructionState& state, int keyCode) override;
    // A deep copy: polytopes, the played section, the section polytope and
    // the net point into the copy's own objects.
    std::unique_ptr<ModuleScene> copy() const override;
    // `copy` must be a FourDScene.
    void swapContents(ModuleScene& copy) override;
    std::size_t heapBytes() const override;

    Point4Rec& add(std::unique_ptr<Point4Rec> point);
    Polygon4Rec& add(std::unique_ptr<Polygon4Rec> polygon);
    CellRec& add(std::unique_ptr<CellRec> cell);
    PolytopeRec& add(std::unique_ptr<PolytopeRec> polytope);
    Plane4Rec& add(std::unique_ptr<Plane4Rec> plane);
    Sphere4Rec& add(std::unique_ptr<Sphere4Rec> sphere);

    Point4Rec* findPoint(std::string_view name, std::string_view scope) const;
    Polygon4Rec* findPolygon(std::string_view name, std::string_view scope) const;
    CellRec* findCell(std::string_view name, std::string_view scope) const;
    PolytopeRec* findPolytope(std::string_view name, std::string_view scope) const;
    Plane4Rec* findPlane(std::string_view name, std::string_view scope) const;
    Sphere4Rec* findSphere(std::string_view name, std::string_view scope) const;

    const List<Point4Rec>& points() const { return m_points; }
    const List<Polygon4Rec>& polygons() const { return m_polygons; }
    const List<CellRec>& cells() const { return m_cells; }
    const List<PolytopeRec>& polytopes() const { return m_polytopes; }
    const List<Plane4Rec>& planes() const { return m_planes; }
    const List<Sphere4Rec>& spheres() const { return m_spheres; }

    // The polyhedra (sections, nets, solids read from files) and the
    // Dimension 3 state they share with the space view.
    SpaceScene& space() { return m_space; }
    const SpaceScene& space() const { return m_space; }
    // Puts a polyhedron at the front of the polyhedra, the one drawn.
    PolyhedronRec& addShown(std::unique_ptr<PolyhedronRec> polyhedron);

    std::vector<Long4>& pointSet() { return m_pointSet; }
    std::optional<CrossPath>& crossPath() { return m_crossPath; }
    std::optional<CrossPlay>& crossPlay() { return m_crossPlay; }
    // The polytope of the last section, cut again by SaveParCross.
    PolytopeRec*& sectionPolytope() { return m_sectionPolytope; }
    std::optional<NetState>& net() { return m_net; }

    // The control panel's buttons while a net is built. "Next cell"
    // outlines the next cell in red; "Insert cell" adds it to the net. Each
    // returns false when every cell is in the net (or there is no net).
    bool outlineNextCell();
    bool insertNextCell();
    // The faces of the outlined cell; empty when none is outlined.
    const std::vector<Face>* outlinedCell() const;

    // The next step of a played section (a tick of the space view); false
    // when nothing is played.
    bool advanceCrossPlay();
    // The section faces of step k of the path through the polytope, and the
    // step's e; false when the path or polytope gives no range.
    bool crossStep(PolytopeRec& polytope, int step, int count, std::vector<Face>& faces,
                   LongNum* e = nullptr) const;

private:
    // Whether the polyhedron is still one of the scene's: the space
    // commands may remove the net or the played section.
    bool holds(const PolyhedronRec* polyhedron) const;

    List<Point4Rec> m_points;
    List<Polygon4Rec> m_polygons;
    List<CellRec> m_cells;
    List<PolytopeRec> m_polytopes;
    List<Plane4Rec> m_planes;
    List<Sphere4Rec> m_spheres;
    SpaceScene m_space;
    std::vector<Long4> m_pointSet;
    std::optional<CrossPath> m_crossPath;
    std::optional<CrossPlay> m_crossPlay;
    PolytopeRec* m_sectionPolytope = nullptr;
    std::optional<NetState> m_net;
};

} // namespace kestrane
