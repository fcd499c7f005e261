// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/convex_hull.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace kestrane {

namespace {

// Points this close to a plane lie in it.
constexpr double kHullPlaneTolerance = 0.01;

struct Vec {
    double x = 0;
    double y = 0;
    double z = 0;
};

Vec operator-(const Vec& a, const Vec& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

double dotOf(const Vec& a, const Vec& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec crossOf(const Vec& a, const Vec& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec unit(const Vec& a)
{
    double size = std::sqrt(dotOf(a, a));
    return size > 0 ? Vec{a.x / size, a.y / size, a.z / size} : a;
}

struct Triangle {
    int a;
    int b;
    int c;
    Vec normal; // unit, outward
    double offset;
    bool alive = true;
};

class HullBuilder {
public:
    explicit HullBuilder(std::vector<Vec> points) : m_points(std::move(points)) {}

    bool build();
    const std::vector<Triangle>& triangles() const { return m_triangles; }

private:
    bool seed(int& first, int& second, int& third, int& fourth) const;
    void addTriangle(int a, int b, int c, const Vec& inside);
    void addPoint(int point, const Vec& inside);

    std::vector<Vec> m_points;
    std::vector<Triangle> m_triangles;
};

bool HullBuilder::seed(int& first, int& second, int& third, int& fourth) const
{
    auto count = static_cast<int>(m_points.size());
    first = 0;
    second = third = fourth = -1;
    double best = 0;
    for (int k = 1; k < count; ++k) {
        Vec d = m_points[k] - m_points[first];
        if (dotOf(d, d) > best) {
            best = dotOf(d, d);
            second = k;
        }
    }
    if (second < 0)
        return false;
    Vec axis = unit(m_points[second] - m_points[first]);
    best = 0;
    for (int k = 0; k < count; ++k) {
        Vec area = crossOf(axis, m_points[k] - m_points[first]);
        if (dotOf(area, area) > best) {
            best = dotOf(area, area);
            third = k;
        }
    }
    if (third < 0)
        return false;
    Vec normal =
        unit(crossOf(m_points[second] - m_points[first], m_points[third] - m_points[first]));
    best = kHullPlaneTolerance;
    for (int k = 0; k < count; ++k) {
        double height = std::fabs(dotOf(normal, m_points[k] - m_points[first]));
        if (height > best) {
            best = height;
            fourth = k;
        }
    }
    return fourth >= 0;
}

void HullBuilder::addTriangle(int a, int b, int c, const Vec& inside)
{
    Vec normal = unit(crossOf(m_points[b] - m_points[a], m_points[c] - m_points[a]));
    if (dotOf(normal, inside - m_points[a]) > 0) {
        std::swap(b, c);
        normal = {-normal.x, -normal.y, -normal.z};
    }
    m_triangles.push_back({a, b, c, normal, dotOf(normal, m_points[a]), true});
}

void HullBuilder::addPoint(int point, const Vec& inside)
{
    // Visible triangles go; the edges they share with the rest (the horizon)
    // each get a triangle to the new point.
    constexpr double kVisible = 1e-9;
    std::map<std::pair<int, int>, int> edgeUses;
    bool anyVisible = false;
    for (Triangle& triangle : m_triangles) {
        if (!triangle.alive)
            continue;
        if (dotOf(triangle.normal, m_points[point]) - triangle.offset <= kVisible)
            continue;
        triangle.alive = false;
        anyVisible = true;
        for (auto [from, to] :
             {std::pair{triangle.a, triangle.b}, std::pair{triangle.b, triangle.c},
              std::pair{triangle.c, triangle.a}})
            ++edgeUses[{from, to}];
    }
    if (!anyVisible)
        return;
    for (const auto& [edge, uses] : edgeUses) {
        if (edgeUses.contains({edge.second, edge.first}))
            continue;
        addTriangle(edge.first, edge.second, point, inside);
    }
    std::erase_if(m_triangles, [](const Triangle& triangle) { return !triangle.alive; });
}

bool HullBuilder::build()
{
    int first = 0;
    int second = 0;
    int third = 0;
    int fourth = 0;
    if (m_points.size() < 4 || !seed(first, second, third, fourth))
        return false;
    Vec inside{
        (m_points[first].x + m_points[second].x + m_points[third].x + m_points[fourth].x) / 4,
        (m_points[first].y + m_points[second].y + m_points[third].y + m_points[fourth].y) / 4,
        (m_points[first].z + m_points[second].z + m_points[third].z + m_points[fourth].z) / 4};
    addTriangle(first, second, third, inside);
    addTriangle(first, second, fourth, inside);
    addTriangle(first, third, fourth, inside);
    addTriangle(second, third, fourth, inside);
    for (int k = 0; k < static_cast<int>(m_points.size()); ++k) {
        if (k != first && k != second && k != third && k != fourth)
            addPoint(k, inside);
    }
    return true;
}

// The corners of the 2-dimensional hull of points of one plane, ordered
// positively about the normal (monotone chain in a frame of the plane).
std::vector<int> planeHull(const std::vector<Vec>& points, const std::vector<int>& members,
                           const Vec& normal)
{
    Vec helper = std::fabs(normal.x) < 0.9 ? Vec{1, 0, 0} : Vec{0, 1, 0};
    Vec first = unit(crossOf(helper, normal));
    Vec second = crossOf(normal, first);
    struct Flat {
        double s;
        double t;
        int index;
    };
    std::vector<Flat> flat;
    for (int member : members)
        flat.push_back({dotOf(points[member], first), dotOf(points[member], second), member});
    std::sort(flat.begin(), flat.end(),
              [](const Flat& a, const Flat& b) { return a.s < b.s || (a.s == b.s && a.t < b.t); });
    auto turn = [](const Flat& o, const Flat& a, const Flat& b) {
        return (a.s - o.s) * (b.t - o.t) - (a.t - o.t) * (b.s - o.s);
    };
    // Corners turning by less than this are on an edge and left out.
    constexpr double kStraight = 1e-9;
    std::vector<Flat> hull(2 * flat.size());
    std::size_t size = 0;
    for (const Flat& point : flat) {
        while (size >= 2 && turn(hull[size - 2], hull[size - 1], point) <= kStraight)
            --size;
        hull[size++] = point;
    }
    std::size_t lower = size + 1;
    for (std::size_t k = flat.size() - 1; k-- > 0;) {
        while (size >= lower && turn(hull[size - 2], hull[size - 1], flat[k]) <= kStraight)
            --size;
        hull[size++] = flat[k];
    }
    std::vector<int> corners;
    for (std::size_t k = 0; k + 1 < size; ++k)
        corners.push_back(hull[k].index);
    return corners;
}

} // namespace

std::optional<std::vector<Face>> convexHull(const std::vector<LongTriple>& points)
{
    std::vector<Vec> positions;
    for (const LongTriple& point : points) {
        DoubleTriple p = toDoubles(point);
        positions.push_back({p.x, p.y, p.z});
    }
    HullBuilder builder(positions);
    if (!builder.build())
        return {};
    // One face per plane: a triangle whose corners all lie in a plane
    // already made belongs to that face.
    const std::vector<Triangle>& triangles = builder.triangles();
    std::vector<std::vector<std::size_t>> trianglesAt(positions.size());
    for (std::size_t k = 0; k < triangles.size(); ++k) {
        for (int corner : {triangles[k].a, triangles[k].b, triangles[k].c})
            trianglesAt[static_cast<std::size_t>(corner)].push_back(k);
    }
    std::vector<bool> done(triangles.size(), false);
    std::vector<Face> faces;
    for (std::size_t k = 0; k < triangles.size(); ++k) {
        if (done[k])
            continue;
        const Triangle& triangle = triangles[k];
        auto inPlane = [&](int point) {
            return std::fabs(dotOf(triangle.normal, positions[static_cast<std::size_t>(point)]) -
                             triangle.offset) <= kHullPlaneTolerance;
        };
        std::vector<int> members;
        for (int point = 0; point < static_cast<int>(positions.size()); ++point) {
            if (inPlane(point))
                members.push_back(point);
        }
        for (int member : members) {
            for (std::size_t other : trianglesAt[static_cast<std::size_t>(member)]) {
                const Triangle& candidate = triangles[other];
                if (dotOf(candidate.normal, triangle.normal) > 0 && inPlane(candidate.a) &&
                    inPlane(candidate.b) && inPlane(candidate.c))
                    done[other] = true;
            }
        }
        std::vector<int> corners = planeHull(positions, members, triangle.normal);
        if (corners.size() < 3)
            continue;
        std::vector<LongTriple> vertices;
        for (int corner : corners)
            vertices.push_back(points[static_cast<std::size_t>(corner)]);
        faces.push_back(faceOf(std::move(vertices)));
    }
    return faces;
}

} // namespace kestrane
