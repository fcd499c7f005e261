// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the geometry kernel at the construction precision (10 words):
// the point merge as the point list grows, each intersection on its own, and
// a whole construction of 10,000 points, 2,000 circles and 2,000 lines in
// which every new line is intersected with every circle.

#include "geometry/intersection_points.h"
#include "geometry/object_store.h"
#include "geometry/plane_algorithms.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

namespace kestrane {
namespace {

class Positions {
public:
    explicit Positions(unsigned seed) : m_random(seed) {}

    // A position of the drawing area with six decimals, as the mouse tools
    // and scripts produce them.
    LongNum coordinate(double limit)
    {
        std::uniform_real_distribution<double> pick(0, limit);
        char text[32];
        std::snprintf(text, sizeof text, "%.6f", pick(m_random));
        return LongFromText(text);
    }
    LongNum radius()
    {
        std::uniform_real_distribution<double> pick(5, 300);
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", pick(m_random));
        return LongFromText(text);
    }

private:
    std::mt19937 m_random;
};

void fillPoints(ObjectStore& store, Positions& positions, int count)
{
    for (int index = 0; index < count; ++index)
        store.makePoint(positions.coordinate(800), positions.coordinate(550));
}

// The merge as the list grows: each iteration makes a new point in a store
// that already holds range(0) points (most new points do not merge).
void BM_MakePoint(benchmark::State& state)
{
    ObjectStore store;
    Positions positions(1);
    fillPoints(store, positions, static_cast<int>(state.range(0)));
    std::vector<std::pair<LongNum, LongNum>> fresh;
    for (int index = 0; index < 2000; ++index)
        fresh.emplace_back(positions.coordinate(800), positions.coordinate(550));
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [x, y] = fresh[next++ % fresh.size()];
        benchmark::DoNotOptimize(&store.makePoint(x, y));
    }
    state.counters["points"] = static_cast<double>(store.points().size());
}
BENCHMARK(BM_MakePoint)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(2000);

// The same question answered by walking the whole list, for comparison.
void BM_MergeByListWalk(benchmark::State& state)
{
    ObjectStore store;
    Positions positions(1);
    fillPoints(store, positions, static_cast<int>(state.range(0)));
    const FloatPoint probe{LongToFloat(positions.coordinate(800)),
                           LongToFloat(positions.coordinate(550)), 0};
    for (auto _ : state) {
        const PointRec* found = nullptr;
        for (const auto& point : store.points()) {
            if (coincide(point->floats, probe))
                found = point.get();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_MergeByListWalk)->Arg(1000)->Arg(10000)->Arg(100000);

struct Scene {
    ObjectStore store;
    std::vector<LineRec*> lines;
    std::vector<CircleRec*> circles;
};

void fillScene(Scene& scene, int lineCount, int circleCount)
{
    Positions positions(2);
    for (int index = 0; index < circleCount; ++index) {
        scene.circles.push_back(
            &scene.store.makeCircleWithRadius(positions.coordinate(800), positions.coordinate(550),
                                              LongNum(), positions.radius(), CentrePoint::Make));
    }
    for (int index = 0; index < lineCount; ++index) {
        scene.lines.push_back(
            &scene.store.makeLine(positions.coordinate(800), positions.coordinate(550),
                                  positions.coordinate(800), positions.coordinate(550)));
    }
}

void BM_IntersectCircleLine(benchmark::State& state)
{
    Scene scene;
    fillScene(scene, 64, 64);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto point = intersectCircleLine(*scene.circles[next % 64],
                                               *scene.lines[(next / 64) % 64], Solution::First);
        benchmark::DoNotOptimize(point);
        ++next;
    }
}
BENCHMARK(BM_IntersectCircleLine);

void BM_IntersectCircles(benchmark::State& state)
{
    Scene scene;
    fillScene(scene, 0, 64);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto point = intersectCircles(*scene.circles[next % 64],
                                            *scene.circles[(next / 64 + 1) % 64], Solution::First);
        benchmark::DoNotOptimize(point);
        ++next;
    }
}
BENCHMARK(BM_IntersectCircles);

void BM_IntersectLines(benchmark::State& state)
{
    Scene scene;
    fillScene(scene, 64, 0);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto point =
            intersectStraight(*scene.lines[next % 64], *scene.lines[(next / 64 + 1) % 64]);
        benchmark::DoNotOptimize(point);
        ++next;
    }
}
BENCHMARK(BM_IntersectLines);

// The whole construction: 10,000 points, then 2,000 circles, then 2,000
// lines, each new line intersected with every circle (both solutions), every
// crossing made as a point. The rate counter gives the time per intersection,
// point making included.
void BM_Construction(benchmark::State& state)
{
    constexpr int kPoints = 10000;
    constexpr int kCircles = 2000;
    constexpr int kLines = 2000;
    double intersections = 0;
    std::size_t pointsAtEnd = 0;
    for (auto _ : state) {
        ObjectStore store;
        Positions positions(3);
        fillPoints(store, positions, kPoints);
        std::vector<const CircleRec*> circles;
        for (int index = 0; index < kCircles; ++index) {
            circles.push_back(&store.makeCircleWithRadius(positions.coordinate(800),
                                                          positions.coordinate(550), LongNum(),
                                                          positions.radius(), CentrePoint::Make));
        }
        for (int index = 0; index < kLines; ++index) {
            const LineRec& line =
                store.makeLine(positions.coordinate(800), positions.coordinate(550),
                               positions.coordinate(800), positions.coordinate(550));
            for (const CircleRec* circle : circles) {
                benchmark::DoNotOptimize(
                    makeCircleLineIntersections(store, *circle, line, Selector::Both));
                intersections += 2;
            }
        }
        pointsAtEnd = store.points().size();
    }
    state.counters["intersection"] = benchmark::Counter(
        intersections, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["points"] = static_cast<double>(pointsAtEnd);
}
BENCHMARK(BM_Construction)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace kestrane

BENCHMARK_MAIN();
