// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the mouse over a large construction: one hit test with its
// highlighting plus the repaint it causes, over 2,000 objects.
#include "numbers/long_num.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using kestrane::LongNum;

// 1,000 points, 400 lines, 300 segments and 300 circles spread over the
// drawing area, made by the drawing tools' store calls.
void fillConstruction(kestrane::ConstructionWindow& window)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, 799);
    std::uniform_int_distribution<int> y(0, 549);
    auto at = [&](int value) { return LongNum::fromInteger(value); };
    kestrane::ObjectStore& store = window.state().store();
    for (int index = 0; index < 1000; ++index)
        store.makePoint(at(x(random)), at(y(random)));
    for (int index = 0; index < 400; ++index)
        store.makeLine(at(x(random)), at(y(random)), at(x(random)), at(y(random)));
    for (int index = 0; index < 300; ++index)
        store.makeSegment(at(x(random)), at(y(random)), at(x(random)), at(y(random)));
    for (int index = 0; index < 300; ++index)
        store.makeCircle(at(x(random)), at(y(random)), at(0), at(x(random)), at(y(random)), at(0));
}

void HoverAndRepaint(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    kestrane::RecordingCanvas canvas;
    std::mt19937 random(11);
    std::uniform_real_distribution<double> x(0, 800);
    std::uniform_real_distribution<double> y(0, 550);
    for (auto _ : state) {
        bool changed = window.mouseMove(x(random), y(random));
        if (changed) {
            canvas.clear();
            window.paint(canvas);
        }
        benchmark::DoNotOptimize(changed);
    }
    state.counters["objects"] =
        static_cast<double>(window.store().points().size() + window.store().lines().size() +
                            window.store().segments().size() + window.store().circles().size());
}
BENCHMARK(HoverAndRepaint)->Unit(benchmark::kMicrosecond);

void HoverOnly(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    std::mt19937 random(13);
    std::uniform_real_distribution<double> x(0, 800);
    std::uniform_real_distribution<double> y(0, 550);
    for (auto _ : state)
        benchmark::DoNotOptimize(window.mouseMove(x(random), y(random)));
}
BENCHMARK(HoverOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
