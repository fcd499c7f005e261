// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/convex_hull.h"

#include "space/simplex_hull.h"

#include <algorithm>

namespace kestrane {

std::optional<std::vector<Face>> convexHull(const std::vector<LongTriple>& points)
{
    std::vector<HullPoints<3>::Coordinates> coordinates;
    coordinates.reserve(points.size());
    for (const LongTriple& point : points)
        coordinates.push_back({&point.x, &point.y, &point.z});
    HullPoints<3> hullPoints(std::move(coordinates));
    const double tolerance = kHullTolerance * hullPoints.extent();
    std::optional<SimplexHull<3>> hull = simplexHull(hullPoints, tolerance);
    if (!hull)
        return {};

    // One face per flat piece: its boundary, or its triangles one by one in
    // the rare piece whose boundary is not one loop.
    std::vector<int> pieces = flatPieces(hullPoints, *hull, tolerance);
    int pieceCount = pieces.empty() ? 0 : *std::max_element(pieces.begin(), pieces.end()) + 1;
    std::vector<std::vector<std::array<int, 3>>> triangles(static_cast<std::size_t>(pieceCount));
    for (std::size_t facet = 0; facet < pieces.size(); ++facet)
        triangles[static_cast<std::size_t>(pieces[facet])].push_back(hull->corners[facet]);
    std::vector<std::vector<int>> loops;
    for (const auto& piece : triangles) {
        if (std::optional<std::vector<int>> loop = boundaryLoop(piece)) {
            loops.push_back(std::move(*loop));
            continue;
        }
        for (const auto& triangle : piece)
            loops.push_back({triangle.begin(), triangle.end()});
    }
    dropStraightCorners(hullPoints, loops, tolerance);

    std::vector<Face> faces;
    faces.reserve(loops.size());
    for (const std::vector<int>& loop : loops) {
        std::vector<LongTriple> corners;
        for (int corner : loop)
            corners.push_back(points[static_cast<std::size_t>(corner)]);
        faces.push_back(faceOf(std::move(corners)));
    }
    return faces;
}

} // namespace kestrane
