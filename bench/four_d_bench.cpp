// Times the four-dimensional builders: completing the 600-cell from one
// tetrahedral cell, cutting it through its centre, unfolding its net, and
// the hull of its 120 vertices.
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

void NetOfSixHundredCell(benchmark::State& state)
{
    std::vector<std::unique_ptr<CellRec>> store;
    PolytopeRec polytope = sixHundredCell(store);
    std::size_t cells = 0;
    for (auto _ : state)
        cells = kestrane::unfoldCells(polytope.cells, *polytope.centre).size();
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(NetOfSixHundredCell)->Unit(benchmark::kMillisecond);

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
