// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/convex_hull4.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kestrane {

namespace {

using Vec = std::array<double, 4>;

Vec sub(const Vec& a, const Vec& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2], a[3] - b[3]};
}

double dotOf(const Vec& a, const Vec& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

double det3(double a, double b, double c, double d, double e, double f, double g, double h,
            double i)
{
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
}

// The cross product of three vectors of four-space, scaled to unit length
// (zero when they are dependent).
Vec crossOf(const Vec& a, const Vec& b, const Vec& c)
{
    Vec n{-det3(a[1], a[2], a[3], b[1], b[2], b[3], c[1], c[2], c[3]),
          det3(a[0], a[2], a[3], b[0], b[2], b[3], c[0], c[2], c[3]),
          -det3(a[0], a[1], a[3], b[0], b[1], b[3], c[0], c[1], c[3]),
          det3(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2])};
    double size = std::sqrt(dotOf(n, n));
    if (size == 0)
        return n;
    for (double& value : n)
        value /= size;
    return n;
}

struct Facet {
    std::array<int, 4> corners;
    Vec normal;
    double offset;
};

// Distance from the affine span of the points' differences, by Gram–Schmidt.
struct Span {
    Vec origin{};
    std::vector<Vec> axes;

    double distanceOf(const Vec& point) const
    {
        Vec rest = sub(point, origin);
        for (const Vec& axis : axes) {
            double along = dotOf(rest, axis);
            for (std::size_t k = 0; k < 4; ++k)
                rest[k] -= along * axis[k];
        }
        return std::sqrt(dotOf(rest, rest));
    }
    void add(const Vec& point)
    {
        Vec rest = sub(point, origin);
        for (const Vec& axis : axes) {
            double along = dotOf(rest, axis);
            for (std::size_t k = 0; k < 4; ++k)
                rest[k] -= along * axis[k];
        }
        double size = std::sqrt(dotOf(rest, rest));
        for (double& value : rest)
            value /= size;
        axes.push_back(rest);
    }
};

} // namespace

std::optional<std::vector<std::unique_ptr<CellRec>>> hullCells(const std::vector<Long4>& points)
{
    std::vector<Vec> at;
    double scale = 1;
    for (const Long4& point : points) {
        at.push_back(point.doubles());
        for (double value : at.back())
            scale = std::max(scale, std::fabs(value));
    }
    const double eps = 1e-9 * scale;
    if (at.size() < 5)
        return {};

    // A first simplex: each next corner the point farthest from the span.
    std::vector<int> simplex{0};
    Span span{at[0], {}};
    while (simplex.size() < 5) {
        int best = -1;
        double farthest = 1e-6 * scale;
        for (std::size_t index = 0; index < at.size(); ++index) {
            double d = span.distanceOf(at[index]);
            if (d > farthest) {
                farthest = d;
                best = static_cast<int>(index);
            }
        }
        if (best < 0)
            return {};
        span.add(at[static_cast<std::size_t>(best)]);
        simplex.push_back(best);
    }
    Vec inside{};
    for (int corner : simplex)
        for (std::size_t k = 0; k < 4; ++k)
            inside[k] += at[static_cast<std::size_t>(corner)][k] / 5;

    auto makeFacet = [&](std::array<int, 4> corners) {
        const Vec& a = at[static_cast<std::size_t>(corners[0])];
        Vec n = crossOf(sub(at[static_cast<std::size_t>(corners[1])], a),
                        sub(at[static_cast<std::size_t>(corners[2])], a),
                        sub(at[static_cast<std::size_t>(corners[3])], a));
        double offset = dotOf(n, a);
        if (dotOf(n, inside) > offset) {
            for (double& value : n)
                value = -value;
            offset = -offset;
        }
        return Facet{corners, n, offset};
    };
    std::vector<Facet> facets;
    for (std::size_t left = 0; left < 5; ++left) {
        std::array<int, 4> corners{};
        std::size_t k = 0;
        for (std::size_t index = 0; index < 5; ++index)
            if (index != left)
                corners[k++] = simplex[index];
        facets.push_back(makeFacet(corners));
    }

    for (std::size_t index = 0; index < at.size(); ++index) {
        const int point = static_cast<int>(index);
        if (std::find(simplex.begin(), simplex.end(), point) != simplex.end())
            continue;
        std::vector<bool> visible(facets.size());
        bool any = false;
        for (std::size_t f = 0; f < facets.size(); ++f) {
            visible[f] = dotOf(facets[f].normal, at[index]) - facets[f].offset > eps;
            any = any || visible[f];
        }
        if (!any)
            continue;
        std::map<std::array<int, 3>, int> ridges;
        for (std::size_t f = 0; f < facets.size(); ++f) {
            if (!visible[f])
                continue;
            std::array<int, 4> c = facets[f].corners;
            for (std::size_t skip = 0; skip < 4; ++skip) {
                std::array<int, 3> ridge{};
                std::size_t k = 0;
                for (std::size_t j = 0; j < 4; ++j)
                    if (j != skip)
                        ridge[k++] = c[j];
                std::sort(ridge.begin(), ridge.end());
                ++ridges[ridge];
            }
        }
        std::vector<Facet> kept;
        for (std::size_t f = 0; f < facets.size(); ++f)
            if (!visible[f])
                kept.push_back(facets[f]);
        for (const auto& [ridge, count] : ridges)
            if (count == 1)
                kept.push_back(makeFacet({ridge[0], ridge[1], ridge[2], point}));
        facets = std::move(kept);
    }

    // Facets on one hyperplane make one cell.
    std::vector<std::vector<std::size_t>> groups;
    for (std::size_t f = 0; f < facets.size(); ++f) {
        auto same = std::find_if(groups.begin(), groups.end(), [&](const auto& group) {
            const Facet& other = facets[group.front()];
            return std::fabs(dotOf(other.normal, facets[f].normal) - 1) < 1e-9 &&
                   std::fabs(other.offset - facets[f].offset) < 1e-6 * scale;
        });
        if (same == groups.end())
            groups.push_back({f});
        else
            same->push_back(f);
    }

    std::vector<std::unique_ptr<CellRec>> cells;
    for (const auto& group : groups) {
        // The triangles of one facet only are the cell's boundary.
        std::map<std::array<int, 3>, int> triangles;
        for (std::size_t f : group) {
            for (std::size_t skip = 0; skip < 4; ++skip) {
                std::array<int, 3> triangle{};
                std::size_t k = 0;
                for (std::size_t j = 0; j < 4; ++j)
                    if (j != skip)
                        triangle[k++] = facets[f].corners[j];
                std::sort(triangle.begin(), triangle.end());
                ++triangles[triangle];
            }
        }
        // Boundary triangles in one plane make one face.
        std::vector<std::pair<Span, std::vector<int>>> faces;
        // Named members, not a structured binding: the lambda below captures
        // the triangle, which older compilers refuse for bindings.
        for (const auto& entry : triangles) {
            const auto& triangle = entry.first;
            if (entry.second != 1)
                continue;
            auto plane = std::find_if(faces.begin(), faces.end(), [&](const auto& face) {
                return std::all_of(triangle.begin(), triangle.end(), [&](int corner) {
                    return face.first.distanceOf(at[static_cast<std::size_t>(corner)]) <
                           1e-6 * scale;
                });
            });
            if (plane == faces.end()) {
                Span flat{at[static_cast<std::size_t>(triangle[0])], {}};
                flat.add(at[static_cast<std::size_t>(triangle[1])]);
                flat.add(at[static_cast<std::size_t>(triangle[2])]);
                faces.push_back({flat, {triangle.begin(), triangle.end()}});
            } else {
                plane->second.insert(plane->second.end(), triangle.begin(), triangle.end());
            }
        }
        auto cell = std::make_unique<CellRec>();
        for (auto& [flat, corners] : faces) {
            std::sort(corners.begin(), corners.end());
            corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
            Vec centre{};
            for (int corner : corners)
                for (std::size_t k = 0; k < 4; ++k)
                    centre[k] += at[static_cast<std::size_t>(corner)][k] /
                                 static_cast<double>(corners.size());
            const Vec& u = flat.axes[0];
            const Vec& v = flat.axes[1];
            auto angle = [&](int corner) {
                Vec offset = sub(at[static_cast<std::size_t>(corner)], centre);
                return std::atan2(dotOf(offset, v), dotOf(offset, u));
            };
            std::sort(corners.begin(), corners.end(),
                      [&](int a, int b) { return angle(a) < angle(b); });
            std::vector<Long4> polygon;
            for (int corner : corners)
                polygon.push_back(points[static_cast<std::size_t>(corner)]);
            cell->faces.push_back(face4Of(std::move(polygon)));
        }
        cell->makeCentre();
        cells.push_back(std::move(cell));
    }
    return cells;
}

} // namespace kestrane
