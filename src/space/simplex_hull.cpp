// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/simplex_hull.h"

#include "space/hull_orientation.h"
#include "space/hull_vectors.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

template<int D>
using Doubles = std::array<double, D>;

// The incremental hull: each facet keeps the points outside it that are not
// yet in the hull; the farthest of them is added next, replacing the facets
// it sees by a cone of new facets over their horizon.
template<int D>
class HullGrowth {
public:
    using Corners = std::array<int, D>;

    explicit HullGrowth(const HullPoints<D>& points) : m_points(points)
    {
        // Room for the facets made on the way, so that they are seldom moved.
        m_facets.reserve(points.size() * (D == 3 ? 8 : 24));
    }

    bool start(double flatness);
    void grow();
    SimplexHull<D> result() const;

private:
    struct Facet {
        Facet(const HullPoints<D>& points, const Corners& corners)
            : corners(corners)
            , side(points, corners)
        {
            neighbours.fill(-1);
        }
        Corners corners;
        Corners neighbours{};
        FacetSide<D> side;
        std::vector<int> outside;
        bool alive = true;
        int stamp = -1;
        bool seen = false;
    };
    struct Horizon {
        int facet;
        int position;
    };

    int addFacet(const Corners& corners);
    // +1 when the point is on the outer side of the facet, -1 inside, 0 on
    // its hyperplane: exact.
    int side(const Facet& facet, int point) const;
    double height(const Facet& facet, int point) const;
    void addPoint(int facet, int point);
    std::vector<Horizon> visibleFrom(int facet, int point, std::vector<int>& visible);
    void linkCone(const std::vector<int>& cone, int point);

    const HullPoints<D>& m_points;
    std::vector<Facet> m_facets;
    std::vector<int> m_pending;
    int m_stamp = 0;
    // Working lists of addPoint, kept to save their allocations.
    std::vector<int> m_visible;
    std::vector<int> m_cone;
    std::vector<int> m_orphans;
};

template<int D>
int HullGrowth<D>::addFacet(const Corners& corners)
{
    m_facets.emplace_back(m_points, corners);
    return static_cast<int>(m_facets.size()) - 1;
}

template<int D>
double HullGrowth<D>::height(const Facet& facet, int point) const
{
    return facet.side.height(point);
}

template<int D>
int HullGrowth<D>::side(const Facet& facet, int point) const
{
    return facet.side.of(point);
}

template<int D>
bool HullGrowth<D>::start(double flatness)
{
    const int count = static_cast<int>(m_points.size());
    if (count < D + 1)
        return false;
    // A first simplex: each next corner the point farthest from the span of
    // the ones before (Gram–Schmidt on the doubles).
    std::vector<int> simplex{0};
    std::vector<Doubles<D>> axes;
    auto rest = [&](int point) {
        Doubles<D> offset = arrayDifference(m_points.at(point), m_points.at(simplex.front()));
        for (const Doubles<D>& axis : axes) {
            double along = arrayDot(offset, axis);
            for (int k = 0; k < D; ++k)
                offset[k] -= along * axis[k];
        }
        return offset;
    };
    while (static_cast<int>(simplex.size()) < D + 1) {
        int best = -1;
        double farthest = flatness;
        for (int point = 0; point < count; ++point) {
            Doubles<D> offset = rest(point);
            double distance = std::sqrt(arrayDot(offset, offset));
            if (distance > farthest) {
                farthest = distance;
                best = point;
            }
        }
        if (best < 0)
            return false;
        Doubles<D> axis = rest(best);
        for (double& value : axis)
            value /= farthest;
        axes.push_back(axis);
        simplex.push_back(best);
    }
    // Each facet leaves out one corner, which must lie on its inner side.
    std::array<int, D + 1> facets{};
    for (int left = 0; left <= D; ++left) {
        Corners corners{};
        int k = 0;
        for (int index = 0; index <= D; ++index)
            if (index != left)
                corners[k++] = simplex[static_cast<std::size_t>(index)];
        int facet = addFacet(corners);
        int orientation = side(m_facets[static_cast<std::size_t>(facet)], simplex[left]);
        if (orientation == 0)
            return false;
        if (orientation > 0) {
            std::swap(corners[0], corners[1]);
            m_facets.pop_back();
            facet = addFacet(corners);
        }
        facets[static_cast<std::size_t>(left)] = facet;
    }
    for (int left = 0; left <= D; ++left) {
        Facet& facet = m_facets[static_cast<std::size_t>(facets[left])];
        for (int position = 0; position < D; ++position) {
            int corner = facet.corners[position];
            int across = static_cast<int>(std::find(simplex.begin(), simplex.end(), corner) -
                                          simplex.begin());
            facet.neighbours[position] = facets[static_cast<std::size_t>(across)];
        }
    }
    for (int point = 0; point < count; ++point) {
        if (std::find(simplex.begin(), simplex.end(), point) != simplex.end())
            continue;
        for (int facet : facets) {
            if (side(m_facets[static_cast<std::size_t>(facet)], point) > 0) {
                m_facets[static_cast<std::size_t>(facet)].outside.push_back(point);
                break;
            }
        }
    }
    for (int facet : facets)
        m_pending.push_back(facet);
    return true;
}

template<int D>
std::vector<typename HullGrowth<D>::Horizon> HullGrowth<D>::visibleFrom(int first, int point,
                                                                        std::vector<int>& visible)
{
    ++m_stamp;
    std::vector<Horizon> horizon;
    m_facets[static_cast<std::size_t>(first)].stamp = m_stamp;
    m_facets[static_cast<std::size_t>(first)].seen = true;
    visible.push_back(first);
    for (std::size_t next = 0; next < visible.size(); ++next) {
        int facet = visible[next];
        for (int position = 0; position < D; ++position) {
            int across = m_facets[static_cast<std::size_t>(facet)].neighbours[position];
            Facet& other = m_facets[static_cast<std::size_t>(across)];
            if (other.stamp != m_stamp) {
                other.stamp = m_stamp;
                other.seen = side(other, point) > 0;
                if (other.seen)
                    visible.push_back(across);
            }
            if (!other.seen)
                horizon.push_back({facet, position});
        }
    }
    return horizon;
}

template<int D>
void HullGrowth<D>::linkCone(const std::vector<int>& cone, int point)
{
    // New facets meet along ridges through the new point; a ridge is known
    // by its sorted corners.
    struct Ridge {
        std::array<int, D - 1> corners;
        int facet;
        int position;
    };
    std::vector<Ridge> open;
    for (int facet : cone) {
        for (int position = 0; position < D; ++position) {
            const Facet& record = m_facets[static_cast<std::size_t>(facet)];
            if (record.corners[position] == point)
                continue;
            Ridge ridge{{}, facet, position};
            int k = 0;
            for (int index = 0; index < D; ++index)
                if (index != position)
                    ridge.corners[static_cast<std::size_t>(k++)] = record.corners[index];
            std::sort(ridge.corners.begin(), ridge.corners.end());
            auto match = std::find_if(open.begin(), open.end(), [&](const Ridge& other) {
                return other.corners == ridge.corners;
            });
            if (match == open.end()) {
                open.push_back(ridge);
                continue;
            }
            m_facets[static_cast<std::size_t>(facet)].neighbours[position] = match->facet;
            m_facets[static_cast<std::size_t>(match->facet)].neighbours[match->position] = facet;
            open.erase(match);
        }
    }
}

template<int D>
void HullGrowth<D>::addPoint(int first, int point)
{
    std::vector<int>& visible = m_visible;
    visible.clear();
    std::vector<Horizon> horizon = visibleFrom(first, point, visible);
    std::vector<int>& cone = m_cone;
    cone.clear();
    for (const Horizon& edge : horizon) {
        // The visible facet with the point in place of the corner left out
        // of the ridge: oriented like the old one, the corner now inside.
        Corners corners = m_facets[static_cast<std::size_t>(edge.facet)].corners;
        int across = m_facets[static_cast<std::size_t>(edge.facet)].neighbours[edge.position];
        corners[edge.position] = point;
        int facet = addFacet(corners);
        m_facets[static_cast<std::size_t>(facet)].neighbours[edge.position] = across;
        for (int& back : m_facets[static_cast<std::size_t>(across)].neighbours)
            if (back == edge.facet)
                back = facet;
        cone.push_back(facet);
    }
    linkCone(cone, point);
    std::vector<int>& orphans = m_orphans;
    orphans.clear();
    for (int facet : visible) {
        Facet& record = m_facets[static_cast<std::size_t>(facet)];
        record.alive = false;
        for (int other : record.outside)
            if (other != point)
                orphans.push_back(other);
        record.outside = {};
    }
    // A point outside a removed facet is either inside the new hull or
    // outside one of the new facets.
    for (int orphan : orphans) {
        for (int facet : cone) {
            if (side(m_facets[static_cast<std::size_t>(facet)], orphan) > 0) {
                m_facets[static_cast<std::size_t>(facet)].outside.push_back(orphan);
                break;
            }
        }
    }
    for (int facet : cone)
        if (!m_facets[static_cast<std::size_t>(facet)].outside.empty())
            m_pending.push_back(facet);
}

template<int D>
void HullGrowth<D>::grow()
{
    while (!m_pending.empty()) {
        int facet = m_pending.back();
        m_pending.pop_back();
        const Facet& record = m_facets[static_cast<std::size_t>(facet)];
        if (!record.alive || record.outside.empty())
            continue;
        int farthest = record.outside.front();
        double best = height(record, farthest);
        for (int point : record.outside) {
            double value = height(record, point);
            if (value > best) {
                best = value;
                farthest = point;
            }
        }
        addPoint(facet, farthest);
    }
}

template<int D>
SimplexHull<D> HullGrowth<D>::result() const
{
    std::vector<int> renumbered(m_facets.size(), -1);
    SimplexHull<D> hull;
    for (std::size_t facet = 0; facet < m_facets.size(); ++facet) {
        if (!m_facets[facet].alive)
            continue;
        renumbered[facet] = static_cast<int>(hull.corners.size());
        hull.corners.push_back(m_facets[facet].corners);
    }
    for (const Facet& facet : m_facets) {
        if (!facet.alive)
            continue;
        Corners neighbours{};
        for (int position = 0; position < D; ++position)
            neighbours[position] = renumbered[static_cast<std::size_t>(facet.neighbours[position])];
        hull.neighbours.push_back(neighbours);
    }
    return hull;
}

} // namespace

template<int D>
std::optional<SimplexHull<D>> simplexHull(const HullPoints<D>& points, double flatness)
{
    HullGrowth<D> growth(points);
    if (!growth.start(flatness))
        return {};
    growth.grow();
    return growth.result();
}

template std::optional<SimplexHull<3>> simplexHull(const HullPoints<3>&, double);
template std::optional<SimplexHull<4>> simplexHull(const HullPoints<4>&, double);

} // namespace kestrane
