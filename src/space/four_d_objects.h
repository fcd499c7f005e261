// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/geo_object.h"
#include "space/four_d_math.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace kestrane {

struct Point4Rec : GeoObject {
    Long4 position;
};

// A face of a cell: its vertices in order, the first repeated at the end.
struct Face4 {
    std::vector<Long4> vertices;

    std::size_t cornerCount() const { return vertices.empty() ? 0 : vertices.size() - 1; }
};

// A face from its distinct corners (the closing entry is added).
Face4 face4Of(std::vector<Long4> corners);
// The corners that differ under the tolerant equality: a face needs at
// least three.
std::size_t distinctCornerCount(const Face4& face);
// The mean of the distinct vertices.
Long4 centreOf(const Face4& face);

struct Polygon4Rec : GeoObject {
    Face4 face;
};

// A cell: a polyhedron of four-dimensional faces.
struct CellRec : GeoObject {
    std::vector<Face4> faces;
    std::optional<Long4> centre;
    // Set once Build4D has reflected the cell in all its faces.
    bool completed = false;

    // The mean of the faces' centres when there is none.
    const Long4& makeCentre();
    // The distinct vertices in order of first appearance.
    std::vector<Long4> vertices() const;
};

// A polytope refers to cells of the scene's list of cells.
struct PolytopeRec : GeoObject {
    std::vector<CellRec*> cells;
    std::optional<Long4> centre;

    // The mean of the cells' centres when there is none.
    const Long4& makeCentre();
};

struct Plane4Rec : GeoObject {
    Hyperplane plane;
};

struct Sphere4Rec : GeoObject {
    Long4 centre;
    LongNum radius;
};

// Numbers distinct points under the tolerant equality, searching the
// neighbouring cells of a 0.2-wide grid.
class VertexIndex4 {
public:
    int idOf(const std::array<double, 4>& point);
    int idOf(const Long4& point) { return idOf(point.doubles()); }
    std::size_t size() const { return m_points.size(); }

private:
    std::vector<std::array<double, 4>> m_points;
    std::map<std::array<long long, 4>, std::vector<int>> m_cells;
};

// Counts of a polytope under the tolerant equality.
struct PolytopeCounts {
    std::size_t cells = 0;
    std::size_t faces = 0;
    std::size_t edges = 0;
    std::size_t vertices = 0;
};
PolytopeCounts countPolytope(const std::vector<const CellRec*>& cells);

} // namespace kestrane
