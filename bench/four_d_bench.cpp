// SPDX-License-Identifier: GPL-3.0-or-later
// Times the four-dimensional builders: completing the 600-cell from one
// tetrahedral cell, cutting it through its centre, the hull of its 120
// vertices, and the net of the 120-cell (completed from one dodecahedral
// cell).
#include "space/convex_hull4.h"
#include "space/four_d_objects.h"
#include "space/polytope_algorithms.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using kestrane::CellRec;
using kestrane::Long4;
using kestrane::PolytopeRec;

using Vertex = std::array<double, 4>;

Long4 decimalPoint(const Vertex& point)
{
    Long4 out;
    for (int axis = 0; axis < 4; ++axis) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.9f", point[static_cast<std::size_t>(axis)]);
        out[axis] = kestrane::LongFromText(buffer);
    }
    return out;
}

// The 120 vertices of the 600-cell of circumradius `radius`: the 8
// permutations of (±1, 0, 0, 0), the 16 points (±½, ±½, ±½, ±½) and the 96
// even permutations of ½(±φ, ±1, ±1/φ, 0).
std::vector<Vertex> sixHundredCellVertices(double radius)
{
    const double phi = (1 + std::sqrt(5.0)) / 2;
    std::vector<Vertex> vertices;
    for (std::size_t axis = 0; axis < 4; ++axis) {
        for (double sign : {1.0, -1.0}) {
            Vertex v{};
            v[axis] = sign;
            vertices.push_back(v);
        }
    }
    for (int signs = 0; signs < 16; ++signs) {
        Vertex v{};
        for (std::size_t axis = 0; axis < 4; ++axis)
            v[axis] = (signs >> axis & 1) ? -0.5 : 0.5;
        vertices.push_back(v);
    }
    const int even[12][4] = {{0, 1, 2, 3}, {0, 2, 3, 1}, {0, 3, 1, 2}, {1, 0, 3, 2},
                             {1, 2, 0, 3}, {1, 3, 2, 0}, {2, 0, 1, 3}, {2, 1, 3, 0},
                             {2, 3, 0, 1}, {3, 0, 2, 1}, {3, 1, 0, 2}, {3, 2, 1, 0}};
    const double base[4] = {phi / 2, 0.5, 1 / (2 * phi), 0};
    for (const auto& permutation : even) {
        for (int signs = 0; signs < 8; ++signs) {
            Vertex v{};
            for (std::size_t k = 0; k < 3; ++k)
                v[static_cast<std::size_t>(permutation[k])] = (signs >> k & 1) ? -base[k] : base[k];
            vertices.push_back(v);
        }
    }
    for (Vertex& v : vertices)
        for (double& c : v)
            c *= radius;
    return vertices;
}

double distance(const Vertex& a, const Vertex& b)
{
    double sum = 0;
    for (std::size_t axis = 0; axis < 4; ++axis)
        sum += (a[axis] - b[axis]) * (a[axis] - b[axis]);
    return std::sqrt(sum);
}

// One tetrahedral cell: four mutually adjacent vertices.
std::unique_ptr<CellRec> sixHundredCellCell(double radius)
{
    std::vector<Vertex> v = sixHundredCellVertices(radius);
    const double edge = radius / ((1 + std::sqrt(5.0)) / 2);
    auto adjacent = [&](std::size_t a, std::size_t b) {
        return std::fabs(distance(v[a], v[b]) - edge) < 1e-6 * radius;
    };
    for (std::size_t a = 0; a < v.size(); ++a)
        for (std::size_t b = a + 1; b < v.size(); ++b)
            for (std::size_t c = b + 1; c < v.size(); ++c)
                for (std::size_t d = c + 1; d < v.size(); ++d)
                    if (adjacent(a, b) && adjacent(a, c) && adjacent(a, d) && adjacent(b, c) &&
                        adjacent(b, d) && adjacent(c, d)) {
                        Long4 p[4] = {decimalPoint(v[a]), decimalPoint(v[b]), decimalPoint(v[c]),
                                      decimalPoint(v[d])};
                        auto cell = std::make_unique<CellRec>();
                        for (const auto& face : {std::array{0, 1, 2}, std::array{0, 1, 3},
                                                 std::array{0, 2, 3}, std::array{1, 2, 3}})
                            cell->faces.push_back(
                                kestrane::face4Of({p[face[0]], p[face[1]], p[face[2]]}));
                        return cell;
                    }
    return nullptr;
}

// The completed 600-cell; the cells stay owned by `store`.
PolytopeRec sixHundredCell(std::vector<std::unique_ptr<CellRec>>& store)
{
    store.clear();
    store.push_back(sixHundredCellCell(200));
    PolytopeRec polytope;
    polytope.centre = Long4::ofIntegers(0, 0, 0, 0);
    polytope.cells.push_back(store.front().get());
    kestrane::completePolytope(polytope, [&](std::unique_ptr<CellRec> cell) {
        store.push_back(std::move(cell));
        return store.back().get();
    });
    return polytope;
}

void CompleteSixHundredCell(benchmark::State& state)
{
    std::vector<std::unique_ptr<CellRec>> store;
    std::size_t cells = 0;
    for (auto _ : state)
        cells = sixHundredCell(store).cells.size();
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(CompleteSixHundredCell)->Unit(benchmark::kMillisecond);

void SectionOfSixHundredCell(benchmark::State& state)
{
    std::vector<std::unique_ptr<CellRec>> store;
    PolytopeRec polytope = sixHundredCell(store);
    kestrane::Hyperplane plane{Long4::ofIntegers(0, 0, 0, 1), kestrane::longOf(10)};
    std::size_t faces = 0;
    for (auto _ : state)
        faces = kestrane::sectionFaces(polytope.cells, plane, *polytope.centre).size();
    state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(SectionOfSixHundredCell)->Unit(benchmark::kMillisecond);

Vertex centroid(const std::vector<Vertex>& points)
{
    Vertex sum{};
    for (const Vertex& point : points)
        for (std::size_t axis = 0; axis < 4; ++axis)
            sum[axis] += point[axis] / static_cast<double>(points.size());
    return sum;
}

// One dodecahedral cell of the 120-cell, from the 600-cell's vertex
// (radius, 0, 0, 0): its vertices are the centres of the 20 tetrahedra
// about that vertex, and each of its pentagons the centres of the 5
// tetrahedra about one of the vertex's 12 edges, in turn around the edge.
std::unique_ptr<CellRec> hundredTwentyCellCell(double radius)
{
    std::vector<Vertex> v = sixHundredCellVertices(radius);
    const double edge = radius / ((1 + std::sqrt(5.0)) / 2);
    auto adjacent = [&](std::size_t a, std::size_t b) {
        return std::fabs(distance(v[a], v[b]) - edge) < 1e-6 * radius;
    };
    std::vector<std::size_t> around;
    for (std::size_t b = 1; b < v.size(); ++b)
        if (adjacent(0, b))
            around.push_back(b);
    // The tetrahedra about vertex 0, as the triples of its neighbours.
    std::vector<std::array<std::size_t, 3>> tetrahedra;
    for (std::size_t i = 0; i < around.size(); ++i)
        for (std::size_t j = i + 1; j < around.size(); ++j)
            for (std::size_t k = j + 1; k < around.size(); ++k)
                if (adjacent(around[i], around[j]) && adjacent(around[i], around[k]) &&
                    adjacent(around[j], around[k]))
                    tetrahedra.push_back({around[i], around[j], around[k]});
    auto centreOf = [&](const std::array<std::size_t, 3>& t) {
        return centroid({v[0], v[t[0]], v[t[1]], v[t[2]]});
    };
    auto contains = [](const std::array<std::size_t, 3>& t, std::size_t b) {
        return t[0] == b || t[1] == b || t[2] == b;
    };
    auto shared = [&](const std::array<std::size_t, 3>& s, const std::array<std::size_t, 3>& t) {
        return (contains(t, s[0]) ? 1 : 0) + (contains(t, s[1]) ? 1 : 0) +
               (contains(t, s[2]) ? 1 : 0);
    };
    auto cell = std::make_unique<CellRec>();
    for (std::size_t b : around) {
        std::vector<std::array<std::size_t, 3>> ring;
        for (const auto& t : tetrahedra)
            if (contains(t, b))
                ring.push_back(t);
        // Neighbours in the ring share a triangle: vertex 0, b and one more.
        std::vector<Long4> corners{decimalPoint(centreOf(ring.front()))};
        std::vector<bool> used(ring.size(), false);
        used[0] = true;
        std::size_t current = 0;
        for (std::size_t step = 1; step < ring.size(); ++step) {
            for (std::size_t next = 0; next < ring.size(); ++next) {
                if (!used[next] && shared(ring[current], ring[next]) == 2) {
                    used[next] = true;
                    current = next;
                    corners.push_back(decimalPoint(centreOf(ring[next])));
                    break;
                }
            }
        }
        cell->faces.push_back(kestrane::face4Of(std::move(corners)));
    }
    return cell;
}

// The 120-cell completed by Build4D from one dodecahedral cell.
PolytopeRec hundredTwentyCell(std::vector<std::unique_ptr<CellRec>>& store)
{
    store.clear();
    store.push_back(hundredTwentyCellCell(400));
    PolytopeRec polytope;
    polytope.centre = Long4::ofIntegers(0, 0, 0, 0);
    polytope.cells.push_back(store.front().get());
    kestrane::completePolytope(polytope, [&](std::unique_ptr<CellRec> cell) {
        store.push_back(std::move(cell));
        return store.back().get();
    });
    return polytope;
}

void CompleteHundredTwentyCell(benchmark::State& state)
{
    std::vector<std::unique_ptr<CellRec>> store;
    PolytopeRec polytope;
    for (auto _ : state)
        polytope = hundredTwentyCell(store);
    kestrane::PolytopeCounts counts =
        kestrane::countPolytope({polytope.cells.begin(), polytope.cells.end()});
    state.counters["cells"] = static_cast<double>(counts.cells);
    state.counters["faces"] = static_cast<double>(counts.faces);
    state.counters["edges"] = static_cast<double>(counts.edges);
    state.counters["vertices"] = static_cast<double>(counts.vertices);
}
BENCHMARK(CompleteHundredTwentyCell)->Unit(benchmark::kMillisecond);

void NetOfHundredTwentyCell(benchmark::State& state)
{
    std::vector<std::unique_ptr<CellRec>> store;
    PolytopeRec polytope = hundredTwentyCell(store);
    std::size_t cells = 0;
    for (auto _ : state)
        cells = kestrane::unfoldCells(polytope.cells, *polytope.centre).size();
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(NetOfHundredTwentyCell)->Unit(benchmark::kMillisecond);

void HullOfSixHundredCellVertices(benchmark::State& state)
{
    std::vector<Long4> points;
    for (const Vertex& vertex : sixHundredCellVertices(200))
        points.push_back(decimalPoint(vertex));
    std::size_t cells = 0;
    for (auto _ : state)
        cells = kestrane::hullCells(points)->size();
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(HullOfSixHundredCellVertices)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
