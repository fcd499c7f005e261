// SPDX-License-Identifier: GPL-3.0-or-later
#include "space_test_support.h"

#include "space/convex_hull.h"
#include "space/convex_hull4.h"
#include "space/vertex_index.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <set>

namespace kestrane::testing {
namespace {

__extension__ typedef __int128 Wide;

using Grid3 = std::array<long long, 3>;
using Grid4 = std::array<long long, 4>;

// A coordinate of whole units of 10^-decimals, as a long number.
LongNum gridValue(long long units, int decimals)
{
    long long scale = 1;
    for (int k = 0; k < decimals; ++k)
        scale *= 10;
    long long magnitude = units < 0 ? -units : units;
    std::string text = (units < 0 ? "-" : "") + std::to_string(magnitude / scale);
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % scale);
        text +=
            "." + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return *LongParse(text);
}

// --- The reference: every supporting plane of the set, found by brute force
// in exact integers ---------------------------------------------------------

Grid3 minus3(const Grid3& a, const Grid3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

std::array<Wide, 3> cross3(const Grid3& a, const Grid3& b)
{
    return {Wide(a[1]) * b[2] - Wide(a[2]) * b[1], Wide(a[2]) * b[0] - Wide(a[0]) * b[2],
            Wide(a[0]) * b[1] - Wide(a[1]) * b[0]};
}

Wide dot3(const std::array<Wide, 3>& n, const Grid3& v)
{
    return n[0] * v[0] + n[1] * v[1] + n[2] * v[2];
}

struct ReferenceSolid {
    std::size_t faces = 0;
    std::size_t edges = 0;
    std::size_t vertices = 0;
    Wide sixfoldVolume = 0;
};

// The corners of the points of one plane in turn (the convex hull of their
// projection, points on its edges left out), turning positively about n.
std::vector<Grid3> faceLoop(std::vector<Grid3> members, const std::array<Wide, 3>& n)
{
    std::size_t drop = 0;
    for (std::size_t axis = 1; axis < 3; ++axis) {
        Wide size = n[axis] < 0 ? -n[axis] : n[axis];
        Wide best = n[drop] < 0 ? -n[drop] : n[drop];
        if (size > best)
            drop = axis;
    }
    std::size_t u = (drop + 1) % 3;
    std::size_t v = (drop + 2) % 3;
    std::sort(members.begin(), members.end(), [&](const Grid3& a, const Grid3& b) {
        return a[u] != b[u] ? a[u] < b[u] : a[v] < b[v];
    });
    auto turn = [&](const Grid3& o, const Grid3& a, const Grid3& b) {
        return Wide(a[u] - o[u]) * (b[v] - o[v]) - Wide(a[v] - o[v]) * (b[u] - o[u]);
    };
    std::vector<Grid3> hull;
    for (int pass = 0; pass < 2; ++pass) {
        std::size_t start = hull.size();
        for (const Grid3& point : members) {
            while (hull.size() >= start + 2 && turn(hull[hull.size() - 2], hull.back(), point) <= 0)
                hull.pop_back();
            hull.push_back(point);
        }
        hull.pop_back();
        std::reverse(members.begin(), members.end());
    }
    // Counter-clockwise in (u, v) is positive about +e_drop.
    if (n[drop] < 0)
        std::reverse(hull.begin(), hull.end());
    return hull;
}

ReferenceSolid referenceHull(const std::vector<Grid3>& points)
{
    std::set<std::vector<Wide>> planes;
    std::set<Grid3> corners;
    ReferenceSolid solid;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            for (std::size_t k = j + 1; k < count; ++k) {
                std::array<Wide, 3> n =
                    cross3(minus3(points[j], points[i]), minus3(points[k], points[i]));
                if (n[0] == 0 && n[1] == 0 && n[2] == 0)
                    continue;
                bool above = false;
                bool below = false;
                std::vector<Grid3> members;
                for (const Grid3& p : points) {
                    Wide side = dot3(n, minus3(p, points[i]));
                    above = above || side > 0;
                    below = below || side < 0;
                    if (side == 0)
                        members.push_back(p);
                }
                if (!above && !below)
                    return {}; // a flat set
                if (above && below)
                    continue;
                if (above)
                    n = {-n[0], -n[1], -n[2]};
                long long g = 0;
                for (Wide value : n)
                    g = std::gcd(g, static_cast<long long>(value < 0 ? -value : value));
                std::vector<Wide> key;
                for (Wide value : n)
                    key.push_back(value / g);
                key.push_back(dot3(n, points[i]) / g);
                if (!planes.insert(key).second)
                    continue;
                std::vector<Grid3> loop = faceLoop(members, n);
                ++solid.faces;
                solid.edges += loop.size();
                corners.insert(loop.begin(), loop.end());
                for (std::size_t c = 1; c + 1 < loop.size(); ++c) {
                    const Grid3& a = loop[0];
                    const Grid3& b = loop[c];
                    const Grid3& d = loop[c + 1];
                    solid.sixfoldVolume += dot3(cross3(b, d), a);
                }
            }
    solid.edges /= 2;
    solid.vertices = corners.size();
    return solid;
}

// --- What the hull must be --------------------------------------------------

struct Measured {
    double volume = 0;
    // Counted by exact sameness of the corners, which are copies of points.
    SolidCounts counts;
};

// Checks that the faces close up (every edge used once each way), turn
// outward and hold every point; returns the volume and counts.
Measured checkSolid(const std::vector<Face>& faces, const std::vector<LongTriple>& points,
                    double tolerance)
{
    Measured measured;
    std::map<std::pair<std::vector<double>, std::vector<double>>, int> directedEdges;
    std::vector<double> sum(3, 0);
    std::size_t corners = 0;
    for (const Face& face : faces) {
        for (std::size_t k = 0; k < face.cornerCount(); ++k) {
            ++directedEdges[{doubles(face.vertices[k]), doubles(face.vertices[k + 1])}];
            std::vector<double> corner = doubles(face.vertices[k]);
            for (std::size_t axis = 0; axis < 3; ++axis)
                sum[axis] += corner[axis];
            ++corners;
        }
    }
    for (const auto& [edge, uses] : directedEdges) {
        EXPECT_EQ(uses, 1) << "an edge is used twice the same way";
        EXPECT_EQ(directedEdges.count({edge.second, edge.first}), 1u) << "an open edge";
    }
    std::vector<double> inside{sum[0] / corners, sum[1] / corners, sum[2] / corners};
    for (const Face& face : faces) {
        // Newell's normal, outward when the corners turn positively.
        std::vector<double> n(3, 0);
        for (std::size_t k = 0; k < face.cornerCount(); ++k) {
            std::vector<double> a = doubles(face.vertices[k]);
            std::vector<double> b = doubles(face.vertices[k + 1]);
            n[0] += (a[1] - b[1]) * (a[2] + b[2]);
            n[1] += (a[2] - b[2]) * (a[0] + b[0]);
            n[2] += (a[0] - b[0]) * (a[1] + b[1]);
        }
        double size = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double& value : n)
            value /= size;
        std::vector<double> origin = doubles(face.vertices[0]);
        auto height = [&](const std::vector<double>& p) {
            return n[0] * (p[0] - origin[0]) + n[1] * (p[1] - origin[1]) +
                   n[2] * (p[2] - origin[2]);
        };
        EXPECT_LT(height(inside), 0) << "a face turns the wrong way";
        for (const LongTriple& point : points)
            EXPECT_LE(height(doubles(point)), tolerance) << "a point outside a face";
        for (std::size_t k = 1; k + 1 < face.cornerCount(); ++k) {
            std::vector<double> a = doubles(face.vertices[k]);
            std::vector<double> b = doubles(face.vertices[k + 1]);
            measured.volume +=
                (origin[0] * (a[1] * b[2] - a[2] * b[1]) + origin[1] * (a[2] * b[0] - a[0] * b[2]) +
                 origin[2] * (a[0] * b[1] - a[1] * b[0])) /
                6;
        }
    }
    std::set<std::vector<double>> vertices;
    for (const auto& [edge, uses] : directedEdges)
        vertices.insert(edge.first);
    measured.counts = {faces.size(), directedEdges.size() / 2, vertices.size()};
    return measured;
}

struct Scale {
    long long range;
    int decimals;
    std::size_t mostPoints;
};

// Random sets at several scales, from small grids full of coplanar and
// collinear points to coordinates of a million and decimals of a thousandth:
// each hull closes (V − E + F = 2), holds every point and has the volume of
// the hull found by brute force in integers. While no corner can come within
// the tolerance of a plane it is not in, the counts are the reference's too.
TEST(ConvexHullProperty, RandomSetsCloseUpAroundEveryPointWithTheRightVolume)
{
    const Scale scales[] = {
        {2, 0, 30}, {10, 0, 25}, {1000, 0, 25}, {1000000, 0, 20}, {1000, 3, 25}};
    std::mt19937 random(25);
    int sets = 0;
    for (const Scale& scale : scales) {
        std::uniform_int_distribution<long long> coordinate(-scale.range, scale.range);
        std::uniform_int_distribution<std::size_t> size(4, scale.mostPoints);
        for (int trial = 0; trial < 100; ++trial) {
            std::set<Grid3> distinct;
            std::size_t wanted = size(random);
            while (distinct.size() < wanted)
                distinct.insert({coordinate(random), coordinate(random), coordinate(random)});
            std::vector<Grid3> grid(distinct.begin(), distinct.end());
            std::shuffle(grid.begin(), grid.end(), random);
            std::vector<LongTriple> points;
            for (const Grid3& p : grid)
                points.push_back({gridValue(p[0], scale.decimals), gridValue(p[1], scale.decimals),
                                  gridValue(p[2], scale.decimals)});
            SCOPED_TRACE("range " + std::to_string(scale.range) + ", set " + std::to_string(trial));
            ReferenceSolid reference = referenceHull(grid);
            std::optional<std::vector<Face>> faces = convexHull(points);
            ++sets;
            if (reference.faces == 0) {
                EXPECT_FALSE(faces) << "a flat set makes no solid";
                continue;
            }
            ASSERT_TRUE(faces);
            double unit = std::pow(10.0, -scale.decimals);
            double extent = 2.0 * static_cast<double>(scale.range) * unit;
            Measured measured = checkSolid(*faces, points, 4e-6 * extent);
            EXPECT_EQ(measured.counts.vertices + measured.counts.faces, measured.counts.edges + 2);
            double expected = static_cast<double>(reference.sixfoldVolume) / 6 * std::pow(unit, 3);
            EXPECT_NEAR(measured.volume, expected, 1e-5 * std::pow(extent, 3));
            if (scale.range <= 10) {
                EXPECT_EQ(measured.counts.faces, reference.faces);
                EXPECT_EQ(measured.counts.edges, reference.edges);
                EXPECT_EQ(measured.counts.vertices, reference.vertices);
            }
        }
    }
    EXPECT_EQ(sets, 500);
}

// A point 0.006 inside the plane of a neighbouring face once joined that
// face and made it overlap another (V − E + F was 1).
TEST(ConvexHullProperty, APointJustInsideAFacePlaneStaysOutOfTheFace)
{
    const std::vector<Grid3> grid{{-8, -9, -2}, {6, 0, 9},    {7, -6, 8},   {-4, -3, -3},
                                  {4, 5, 3},    {-9, 8, -5},  {-7, -1, -3}, {3, 4, 10},
                                  {8, -1, 1},   {-8, 10, -2}, {9, 7, 0},    {5, 10, -5},
                                  {3, 9, 8},    {-9, 1, 3},   {3, -3, 6},   {8, -5, 10},
                                  {-9, -5, -4}, {-4, 1, -1},  {2, -5, 0},   {3, 8, 8}};
    std::vector<LongTriple> points;
    for (const Grid3& p : grid)
        points.push_back(at(p[0], p[1], p[2]));
    std::optional<std::vector<Face>> faces = convexHull(points);
    ASSERT_TRUE(faces);
    Measured measured = checkSolid(*faces, points, 1e-9);
    ReferenceSolid reference = referenceHull(grid);
    EXPECT_EQ(measured.counts.faces, reference.faces);
    EXPECT_EQ(measured.counts.edges, reference.edges);
    EXPECT_EQ(measured.counts.vertices, reference.vertices);
    EXPECT_NEAR(measured.volume, static_cast<double>(reference.sixfoldVolume) / 6, 1e-9);
}

// Points a billionth of the extent off a face's plane belong to it: long
// numbers computed for one plane never split its face.
TEST(ConvexHullProperty, CornersWithinTheToleranceMakeOneFace)
{
    std::vector<LongTriple> points{at(0, 0, 0), at(300, 0, 0), at(0, 300, 0), at(0, 0, 300),
                                   at(300, 300, 0)};
    points.push_back({*LongParse("150"), *LongParse("150"), *LongParse("0.0000001")});
    points.push_back({*LongParse("100"), *LongParse("200"), *LongParse("-0.0000002")});
    std::optional<std::vector<Face>> faces = convexHull(points);
    ASSERT_TRUE(faces);
    SolidCounts counts = countSolid(*faces);
    // The square base stays one face of four corners; the two points near
    // it are corners of nothing.
    EXPECT_EQ(counts.faces, 5u);
    EXPECT_EQ(counts.vertices, 5u);
    EXPECT_EQ(counts.edges, 8u);
}

// At 60 words the corners of a square tilted in the plane x + y + z = 1, with
// 90 fraction digits each, are too long for any quick test of lying in one
// plane: the exact integers (far past their inline room) still find them
// flat, and the base stays one face.
TEST(ConvexHullProperty, LongNumbersInOnePlaneMakeOneFaceAtHighPrecision)
{
    LongWordsScope words(60);
    const std::string tail =
        "3141592653589793238462643383279502884197169399375105820974944592307816406286208998628";
    auto onPlane = [&](const std::string& x, const std::string& y) {
        LongNum first = *LongParse(x + tail);
        LongNum second = *LongParse(y + tail);
        LongNum sum;
        LongAdd(first, second, sum);
        LongNum third;
        LongSub(LongNum::fromInteger(1), sum, third);
        return LongTriple{first, second, third};
    };
    std::vector<LongTriple> points{onPlane("0.1", "0.1"), onPlane("0.9", "0.1"),
                                   onPlane("0.9", "0.9"), onPlane("0.1", "0.9"),
                                   LongTriple::ofIntegers(1, 1, 1)};
    std::optional<std::vector<Face>> faces = convexHull(points);
    ASSERT_TRUE(faces);
    Measured measured = checkSolid(*faces, points, 1e-12);
    EXPECT_EQ(measured.counts.faces, 5u);
    EXPECT_EQ(measured.counts.edges, 8u);
    EXPECT_EQ(measured.counts.vertices, 5u);
}

// --- Four dimensions -------------------------------------------------------------

long long determinant3(const std::array<long long, 9>& m)
{
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
           m[2] * (m[3] * m[7] - m[4] * m[6]);
}

// n with n·x = det[a; b; c; x].
Grid4 normal4(const Grid4& a, const Grid4& b, const Grid4& c)
{
    Grid4 n{};
    for (std::size_t column = 0; column < 4; ++column) {
        std::array<long long, 9> minor{};
        std::size_t k = 0;
        for (const Grid4* row : {&a, &b, &c})
            for (std::size_t axis = 0; axis < 4; ++axis)
                if (axis != column)
                    minor[k++] = (*row)[axis];
        long long value = determinant3(minor);
        n[column] = column % 2 == 0 ? -value : value;
    }
    return n;
}

Grid4 minus4(const Grid4& a, const Grid4& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2], a[3] - b[3]};
}

long long dot4(const Grid4& a, const Grid4& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
}

// The number of distinct supporting hyperplanes of the set: its cells.
std::size_t referenceCells(const std::vector<Grid4>& points)
{
    std::set<std::vector<long long>> hyperplanes;
    const std::size_t count = points.size();
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            for (std::size_t k = j + 1; k < count; ++k)
                for (std::size_t l = k + 1; l < count; ++l) {
                    Grid4 n = normal4(minus4(points[j], points[i]), minus4(points[k], points[i]),
                                      minus4(points[l], points[i]));
                    if (n == Grid4{})
                        continue;
                    bool above = false;
                    bool below = false;
                    for (const Grid4& p : points) {
                        long long side = dot4(n, minus4(p, points[i]));
                        above = above || side > 0;
                        below = below || side < 0;
                    }
                    if (!above && !below)
                        return 0; // a flat set
                    if (above && below)
                        continue;
                    long long g = 0;
                    for (long long value : n)
                        g = std::gcd(g, value);
                    std::vector<long long> key;
                    for (long long value : n)
                        key.push_back((above ? -value : value) / g);
                    key.push_back((above ? -1 : 1) * dot4(n, points[i]) / g);
                    hyperplanes.insert(key);
                }
    return hyperplanes.size();
}

// Random sets of a small grid, full of points that share hyperplanes and
// planes: the cells close up (V − E + F − C = 0), every face is shared by
// two cells, each cell is a closed solid lying in a hyperplane that has
// every point on its inner side, and the cells are the supporting
// hyperplanes found by brute force.
TEST(ConvexHullProperty, FourDimensionalHullsCloseUpWithOneCellPerSupportingHyperplane)
{
    std::mt19937 random(17);
    for (int trial = 0; trial < 120; ++trial) {
        long long range = trial < 60 ? 1 : 4;
        std::uniform_int_distribution<long long> coordinate(-range, range);
        std::uniform_int_distribution<std::size_t> size(5, trial < 60 ? 16 : 13);
        std::set<Grid4> distinct;
        std::size_t wanted = size(random);
        while (distinct.size() < wanted)
            distinct.insert(
                {coordinate(random), coordinate(random), coordinate(random), coordinate(random)});
        std::vector<Grid4> grid(distinct.begin(), distinct.end());
        std::shuffle(grid.begin(), grid.end(), random);
        std::vector<Long4> points;
        for (const Grid4& p : grid)
            points.push_back(Long4::ofIntegers(p[0], p[1], p[2], p[3]));
        SCOPED_TRACE("set " + std::to_string(trial));
        std::size_t expectedCells = referenceCells(grid);
        auto cells = hullCells(points);
        if (expectedCells == 0) {
            EXPECT_FALSE(cells);
            continue;
        }
        ASSERT_TRUE(cells);
        EXPECT_EQ(cells->size(), expectedCells);
        std::vector<const CellRec*> view;
        std::map<std::set<std::vector<double>>, int> faceUses;
        for (const auto& cell : *cells) {
            view.push_back(cell.get());
            std::map<std::set<std::vector<double>>, int> edgeUses;
            for (const Face4& face : cell->faces) {
                std::set<std::vector<double>> corners;
                std::vector<std::vector<double>> loop;
                for (const Long4& v : face.vertices) {
                    std::array<double, 4> d = v.doubles();
                    corners.insert({d[0], d[1], d[2], d[3]});
                    loop.push_back({d[0], d[1], d[2], d[3]});
                }
                ++faceUses[corners];
                for (std::size_t k = 0; k + 1 < loop.size(); ++k)
                    ++edgeUses[{loop[k], loop[k + 1]}];
            }
            for (const auto& [edge, uses] : edgeUses)
                EXPECT_EQ(uses, 2) << "an open cell";
            // The cell's hyperplane from its first face and a corner off it.
            std::vector<Long4> corners = cell->vertices();
            std::vector<Grid4> exact;
            for (const Long4& v : corners) {
                std::array<double, 4> d = v.doubles();
                exact.push_back({std::llround(d[0]), std::llround(d[1]), std::llround(d[2]),
                                 std::llround(d[3])});
            }
            Grid4 n{};
            for (std::size_t a = 1; a < exact.size() && n == Grid4{}; ++a)
                for (std::size_t b = a + 1; b < exact.size() && n == Grid4{}; ++b)
                    for (std::size_t c = b + 1; c < exact.size() && n == Grid4{}; ++c)
                        n = normal4(minus4(exact[a], exact[0]), minus4(exact[b], exact[0]),
                                    minus4(exact[c], exact[0]));
            ASSERT_NE(n, Grid4{}) << "a flat cell";
            int sign = 0;
            for (const Grid4& p : grid) {
                long long side = dot4(n, minus4(p, exact[0]));
                if (side != 0) {
                    EXPECT_TRUE(sign == 0 || (side > 0) == (sign > 0)) << "a point beyond a cell";
                    sign = side > 0 ? 1 : -1;
                }
            }
            for (const Grid4& corner : exact)
                EXPECT_EQ(dot4(n, minus4(corner, exact[0])), 0) << "a cell off its hyperplane";
        }
        for (const auto& [face, uses] : faceUses)
            EXPECT_EQ(uses, 2) << "a face not shared by two cells";
        PolytopeCounts counts = countPolytope(view);
        EXPECT_EQ(counts.vertices + counts.faces, counts.edges + counts.cells);
    }
}

} // namespace
} // namespace kestrane::testing
