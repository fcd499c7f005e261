// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/vertex_index.h"

#include "space/space_objects.h"

#include <cmath>
#include <unordered_set>

namespace kestrane {

namespace {

constexpr double kCellSize = 2 * kSpaceTolerance;

long long cellOf(double coordinate)
{
    return static_cast<long long>(std::floor(coordinate / kCellSize));
}

} // namespace

VertexIndex::CellKey VertexIndex::keyOf(long long x, long long y, long long z)
{
    auto part = [](long long value) { return static_cast<std::uint64_t>(value) & 0x1FFFFF; };
    return part(x) << 42 | part(y) << 21 | part(z);
}

int VertexIndex::idOf(const LongTriple& point)
{
    DoubleTriple position = toDoubles(point);
    long long cx = cellOf(position.x);
    long long cy = cellOf(position.y);
    long long cz = cellOf(position.z);
    int found = -1;
    for (long long dx = -1; dx <= 1; ++dx) {
        for (long long dy = -1; dy <= 1; ++dy) {
            for (long long dz = -1; dz <= 1; ++dz) {
                auto cell = m_cells.find(keyOf(cx + dx, cy + dy, cz + dz));
                if (cell == m_cells.end())
                    continue;
                for (int id : cell->second) {
                    if ((found < 0 || id < found) &&
                        spaceEqual(m_points[static_cast<std::size_t>(id)], point))
                        found = id;
                }
            }
        }
    }
    if (found >= 0)
        return found;
    int id = static_cast<int>(m_points.size());
    m_points.push_back(point);
    m_cells[keyOf(cx, cy, cz)].push_back(id);
    return id;
}

EdgeKey edgeKey(int first, int second)
{
    auto low = static_cast<std::uint64_t>(std::min(first, second));
    auto high = static_cast<std::uint64_t>(std::max(first, second));
    return low << 32 | high;
}

std::vector<std::vector<int>> faceVertexIds(const std::vector<Face>& faces, VertexIndex& index)
{
    std::vector<std::vector<int>> ids;
    ids.reserve(faces.size());
    for (const Face& face : faces) {
        std::vector<int>& corners = ids.emplace_back();
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
            corners.push_back(index.idOf(face.vertices[corner]));
    }
    return ids;
}

SolidCounts countSolid(const std::vector<Face>& faces)
{
    VertexIndex index;
    std::unordered_set<EdgeKey> edges;
    for (const std::vector<int>& corners : faceVertexIds(faces, index)) {
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            int next = corners[(corner + 1) % corners.size()];
            if (next != corners[corner])
                edges.insert(edgeKey(corners[corner], next));
        }
    }
    return {faces.size(), edges.size(), index.size()};
}

} // namespace kestrane
