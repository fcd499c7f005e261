// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_math.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kestrane {

struct Face;

// Numbers the distinct points of a solid under the tolerant equality: a
// point equal to one already numbered gets its number (the first such),
// others the next number. A grid of 0.2-wide cells keeps the search to the
// neighbouring cells.
class VertexIndex {
public:
    int idOf(const LongTriple& point);
    std::size_t size() const { return m_points.size(); }
    const LongTriple& point(int id) const { return m_points[static_cast<std::size_t>(id)]; }

private:
    using CellKey = std::uint64_t;
    static CellKey keyOf(long long x, long long y, long long z);

    std::vector<LongTriple> m_points;
    std::unordered_map<CellKey, std::vector<int>> m_cells;
};

// An edge as the numbers of its ends, the smaller first.
using EdgeKey = std::uint64_t;
EdgeKey edgeKey(int first, int second);

// The corners of each face as vertex numbers (closing entry left out).
std::vector<std::vector<int>> faceVertexIds(const std::vector<Face>& faces, VertexIndex& index);

// Counts of a solid under the tolerant equality.
struct SolidCounts {
    std::size_t faces = 0;
    std::size_t edges = 0;
    std::size_t vertices = 0;
};
SolidCounts countSolid(const std::vector<Face>& faces);

} // namespace kestrane
