// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/convex_hull4.h"

#include "space/simplex_hull.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace kestrane {

namespace {

using Triangle = std::array<int, 3>;

// The triangles split where they do not share an edge.
std::vector<std::vector<Triangle>> connectedParts(const std::vector<Triangle>& triangles)
{
    if (triangles.size() == 1)
        return {triangles};
    std::vector<std::size_t> parent(triangles.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](std::size_t index) {
        while (parent[index] != index)
            index = parent[index] = parent[parent[index]];
        return index;
    };
    std::map<std::pair<int, int>, std::size_t> firstWithEdge;
    for (std::size_t index = 0; index < triangles.size(); ++index) {
        for (std::size_t k = 0; k < 3; ++k) {
            int a = triangles[index][k];
            int b = triangles[index][(k + 1) % 3];
            auto [entry, added] = firstWithEdge.insert({{std::min(a, b), std::max(a, b)}, index});
            if (!added)
                parent[root(index)] = root(entry->second);
        }
    }
    std::map<std::size_t, std::vector<Triangle>> parts;
    for (std::size_t index = 0; index < triangles.size(); ++index)
        parts[root(index)].push_back(triangles[index]);
    std::vector<std::vector<Triangle>> out;
    for (auto& [first, part] : parts)
        out.push_back(std::move(part));
    return out;
}

} // namespace

std::optional<std::vector<std::unique_ptr<CellRec>>> hullCells(const std::vector<Long4>& points)
{
    std::vector<HullPoints<4>::Coordinates> coordinates;
    coordinates.reserve(points.size());
    for (const Long4& point : points)
        coordinates.push_back({&point.x, &point.y, &point.z, &point.w});
    HullPoints<4> hullPoints(std::move(coordinates));
    const double tolerance = kHullTolerance * hullPoints.extent();
    std::optional<SimplexHull<4>> hull = simplexHull(hullPoints, tolerance);
    if (!hull)
        return {};

    // Flat pieces are the cells; the ridges between two cells make the
    // faces they share, computed once for both so that they always match.
    std::vector<int> cellOf = flatPieces(hullPoints, *hull, tolerance);
    std::map<std::pair<int, int>, std::vector<Triangle>> between;
    for (std::size_t facet = 0; facet < cellOf.size(); ++facet) {
        for (std::size_t position = 0; position < 4; ++position) {
            int cell = cellOf[facet];
            int other = cellOf[static_cast<std::size_t>(hull->neighbours[facet][position])];
            if (cell >= other)
                continue;
            Triangle ridge{};
            std::size_t k = 0;
            for (std::size_t index = 0; index < 4; ++index)
                if (index != position)
                    ridge[k++] = hull->corners[facet][index];
            between[{cell, other}].push_back(ridge);
        }
    }
    std::vector<std::vector<int>> loops;
    std::vector<std::pair<int, int>> owners;
    for (const auto& [cells, ridges] : between) {
        for (const std::vector<Triangle>& part : connectedParts(ridges)) {
            if (std::optional<std::vector<int>> loop = boundaryLoop(part)) {
                loops.push_back(std::move(*loop));
                owners.push_back(cells);
                continue;
            }
            for (const Triangle& triangle : part) {
                loops.push_back({triangle.begin(), triangle.end()});
                owners.push_back(cells);
            }
        }
    }
    dropStraightCorners(hullPoints, loops, tolerance);

    int cellCount = cellOf.empty() ? 0 : *std::max_element(cellOf.begin(), cellOf.end()) + 1;
    std::vector<std::unique_ptr<CellRec>> cells;
    for (int cell = 0; cell < cellCount; ++cell)
        cells.push_back(std::make_unique<CellRec>());
    for (std::size_t face = 0; face < loops.size(); ++face) {
        std::vector<Long4> corners;
        for (int corner : loops[face])
            corners.push_back(points[static_cast<std::size_t>(corner)]);
        Face4 polygon = face4Of(std::move(corners));
        cells[static_cast<std::size_t>(owners[face].first)]->faces.push_back(polygon);
        cells[static_cast<std::size_t>(owners[face].second)]->faces.push_back(std::move(polygon));
    }
    for (auto& cell : cells)
        cell->makeCentre();
    return cells;
}

} // namespace kestrane
