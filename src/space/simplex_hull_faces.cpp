// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/simplex_hull.h"

#include "space/hull_orientation.h"
#include "space/hull_vectors.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>

namespace kestrane {

namespace {

template<int D>
using Doubles = std::array<double, D>;

// The facet's normal scaled to unit length, and its length before (the
// facet's size up to a constant).
template<int D>
std::pair<Doubles<D>, double> unitNormal(const HullPoints<D>& points,
                                         const std::array<int, D>& corners)
{
    const Doubles<D>& origin = points.at(corners[0]);
    std::array<Doubles<D>, D - 1> rows;
    for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(D); ++row)
        rows[row] = arrayDifference(points.at(corners[row + 1]), origin);
    Doubles<D> normal = cofactorNormal(rows);
    double size = std::sqrt(arrayDot(normal, normal));
    if (size > 0)
        for (double& value : normal)
            value /= size;
    return {normal, size};
}

using EdgeKey = std::pair<int, int>;

EdgeKey edgeKey(int a, int b)
{
    return a < b ? EdgeKey{a, b} : EdgeKey{b, a};
}

} // namespace

template<int D>
std::vector<int> flatPieces(const HullPoints<D>& points, const SimplexHull<D>& hull,
                            double tolerance)
{
    const std::size_t count = hull.corners.size();
    std::vector<Doubles<D>> normals(count);
    std::vector<double> sizes(count);
    for (std::size_t facet = 0; facet < count; ++facet)
        std::tie(normals[facet], sizes[facet]) = unitNormal<D>(points, hull.corners[facet]);
    // The largest facets first: their hyperplanes are the best known.
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    std::vector<int> piece(count, -1);
    int pieces = 0;
    for (std::size_t seed : order) {
        if (piece[seed] >= 0)
            continue;
        const Doubles<D>& normal = normals[seed];
        const Doubles<D>& origin = points.at(hull.corners[seed][0]);
        auto inPlane = [&](int corner) {
            return std::fabs(arrayDot(normal, arrayDifference(points.at(corner), origin))) <=
                   tolerance;
        };
        piece[seed] = pieces;
        std::deque<std::size_t> queue{seed};
        while (!queue.empty()) {
            std::size_t facet = queue.front();
            queue.pop_front();
            for (int across : hull.neighbours[facet]) {
                auto other = static_cast<std::size_t>(across);
                if (piece[other] >= 0 || arrayDot(normals[other], normal) <= 0)
                    continue;
                const auto& corners = hull.corners[other];
                if (!std::all_of(corners.begin(), corners.end(), inPlane))
                    continue;
                piece[other] = pieces;
                queue.push_back(other);
            }
        }
        ++pieces;
    }
    return piece;
}

template std::vector<int> flatPieces(const HullPoints<3>&, const SimplexHull<3>&, double);
template std::vector<int> flatPieces(const HullPoints<4>&, const SimplexHull<4>&, double);

std::optional<std::vector<int>> boundaryLoop(const std::vector<std::array<int, 3>>& triangles)
{
    if (triangles.size() == 1)
        return std::vector<int>(triangles.front().begin(), triangles.front().end());
    std::map<EdgeKey, int> uses;
    for (const auto& triangle : triangles)
        for (std::size_t k = 0; k < 3; ++k)
            ++uses[edgeKey(triangle[k], triangle[(k + 1) % 3])];
    // The boundary edges in the direction of their triangle, and the
    // neighbours of each corner along the boundary.
    std::vector<std::pair<int, int>> boundary;
    std::map<int, std::vector<int>> neighbours;
    for (const auto& triangle : triangles) {
        for (std::size_t k = 0; k < 3; ++k) {
            int from = triangle[k];
            int to = triangle[(k + 1) % 3];
            if (uses[edgeKey(from, to)] != 1)
                continue;
            boundary.push_back({from, to});
            neighbours[from].push_back(to);
            neighbours[to].push_back(from);
        }
    }
    if (boundary.size() < 3)
        return {};
    for (const auto& [corner, next] : neighbours)
        if (next.size() != 2)
            return {};
    std::vector<int> loop{boundary.front().first};
    int previous = boundary.front().first;
    int current = boundary.front().second;
    while (current != loop.front()) {
        if (loop.size() > boundary.size())
            return {};
        loop.push_back(current);
        const std::vector<int>& next = neighbours[current];
        int following = next[0] == previous ? next[1] : next[0];
        previous = current;
        current = following;
    }
    if (loop.size() != boundary.size())
        return {};
    return loop;
}

template<int D>
void dropStraightCorners(const HullPoints<D>& points, std::vector<std::vector<int>>& loops,
                         double tolerance)
{
    struct Place {
        std::size_t loop;
        std::size_t position;
    };
    auto straight = [&](int corner, int before, int after) {
        Doubles<D> offset = arrayDifference(points.at(corner), points.at(before));
        Doubles<D> along = arrayDifference(points.at(after), points.at(before));
        double length = arrayDot(along, along);
        if (length <= 0)
            return false;
        double t = arrayDot(offset, along) / length;
        if (t <= 0 || t >= 1)
            return false;
        for (int axis = 0; axis < D; ++axis)
            offset[axis] -= t * along[axis];
        return arrayDot(offset, offset) <= tolerance * tolerance;
    };
    bool changed = true;
    while (changed) {
        changed = false;
        std::vector<std::vector<Place>> places(points.size());
        for (std::size_t loop = 0; loop < loops.size(); ++loop)
            for (std::size_t position = 0; position < loops[loop].size(); ++position)
                places[static_cast<std::size_t>(loops[loop][position])].push_back({loop, position});
        std::vector<bool> removed(points.size(), false);
        std::vector<std::size_t> left(loops.size());
        for (std::size_t loop = 0; loop < loops.size(); ++loop)
            left[loop] = loops[loop].size();
        for (std::size_t corner = 0; corner < places.size(); ++corner) {
            if (places[corner].empty())
                continue;
            EdgeKey ends{-1, -1};
            bool drop = true;
            for (const Place& place : places[corner]) {
                const std::vector<int>& loop = loops[place.loop];
                int before = loop[(place.position + loop.size() - 1) % loop.size()];
                int after = loop[(place.position + 1) % loop.size()];
                // A neighbour dropped in this pass has changed the loop.
                if (removed[static_cast<std::size_t>(before)] ||
                    removed[static_cast<std::size_t>(after)] || left[place.loop] <= 3 ||
                    !straight(static_cast<int>(corner), before, after)) {
                    drop = false;
                    break;
                }
                EdgeKey key = edgeKey(before, after);
                if (ends.first >= 0 && key != ends) {
                    drop = false;
                    break;
                }
                ends = key;
            }
            if (!drop)
                continue;
            removed[corner] = true;
            for (const Place& place : places[corner])
                --left[place.loop];
            changed = true;
        }
        for (std::vector<int>& loop : loops)
            std::erase_if(loop,
                          [&](int corner) { return removed[static_cast<std::size_t>(corner)]; });
    }
}

template void dropStraightCorners(const HullPoints<3>&, std::vector<std::vector<int>>&, double);
template void dropStraightCorners(const HullPoints<4>&, std::vector<std::vector<int>>&, double);

} // namespace kestrane
