// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/four_d_objects.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

namespace kestrane {

Face4 face4Of(std::vector<Long4> corners)
{
    if (!corners.empty())
        corners.push_back(corners.front());
    return Face4{std::move(corners)};
}

std::size_t distinctCornerCount(const Face4& face)
{
    std::vector<const Long4*> distinct;
    for (std::size_t index = 0; index < face.cornerCount(); ++index) {
        const Long4& corner = face.vertices[index];
        if (std::none_of(distinct.begin(), distinct.end(),
                         [&](const Long4* other) { return fourEqual(*other, corner); }))
            distinct.push_back(&corner);
    }
    return distinct.size();
}

Long4 centreOf(const Face4& face)
{
    Long4 sum;
    std::size_t count = face.cornerCount();
    if (count == 0)
        return sum;
    for (std::size_t corner = 0; corner < count; ++corner)
        sum = plus(sum, face.vertices[corner]);
    return shrunk(sum, static_cast<std::int64_t>(count));
}

const Long4& CellRec::makeCentre()
{
    if (!centre) {
        Long4 sum;
        for (const Face4& face : faces)
            sum = plus(sum, centreOf(face));
        centre = faces.empty() ? sum : shrunk(sum, static_cast<std::int64_t>(faces.size()));
    }
    return *centre;
}

std::vector<Long4> CellRec::vertices() const
{
    std::vector<Long4> found;
    for (const Face4& face : faces) {
        for (std::size_t corner = 0; corner < face.cornerCount(); ++corner) {
            const Long4& vertex = face.vertices[corner];
            if (std::none_of(found.begin(), found.end(),
                             [&](const Long4& other) { return fourEqual(other, vertex); }))
                found.push_back(vertex);
        }
    }
    return found;
}

const Long4& PolytopeRec::makeCentre()
{
    if (!centre) {
        Long4 sum;
        for (CellRec* cell : cells)
            sum = plus(sum, cell->makeCentre());
        centre = cells.empty() ? sum : shrunk(sum, static_cast<std::int64_t>(cells.size()));
    }
    return *centre;
}

int VertexIndex4::idOf(const std::array<double, 4>& point)
{
    std::array<long long, 4> key{};
    for (std::size_t axis = 0; axis < 4; ++axis)
        key[axis] = static_cast<long long>(std::floor(point[axis] / 0.2));
    for (int offset = 0; offset < 81; ++offset) {
        std::array<long long, 4> near = key;
        int rest = offset;
        for (std::size_t axis = 0; axis < 4; ++axis) {
            near[axis] += rest % 3 - 1;
            rest /= 3;
        }
        auto found = m_cells.find(near);
        if (found == m_cells.end())
            continue;
        for (int id : found->second) {
            if (fourEqual(m_points[static_cast<std::size_t>(id)], point))
                return id;
        }
    }
    int id = static_cast<int>(m_points.size());
    m_points.push_back(point);
    m_cells[key].push_back(id);
    return id;
}

PolytopeCounts countPolytope(const std::vector<const CellRec*>& cells)
{
    VertexIndex4 index;
    std::set<std::pair<int, int>> edges;
    std::set<std::vector<int>> faces;
    for (const CellRec* cell : cells) {
        for (const Face4& face : cell->faces) {
            std::vector<int> ids;
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
                ids.push_back(index.idOf(face.vertices[corner]));
            for (std::size_t corner = 0; corner < ids.size(); ++corner) {
                int first = ids[corner];
                int second = ids[(corner + 1) % ids.size()];
                if (first != second)
                    edges.insert({std::min(first, second), std::max(first, second)});
            }
            std::sort(ids.begin(), ids.end());
            ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
            if (ids.size() >= 3)
                faces.insert(ids);
        }
    }
    return {cells.size(), faces.size(), edges.size(), index.size()};
}

} // namespace kestrane
