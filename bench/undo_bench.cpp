// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of one step on a 5,000-object construction, and the memory
// one step of that construction keeps in the history.
#include "numbers/long_num.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using kestrane::LongNum;

// 2,500 points, 1,000 lines, 750 segments and 750 circles (their defining
// points merge into the points or add to them).
void fillConstruction(kestrane::ConstructionWindow& window)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> x(0, 799);
    std::uniform_int_distribution<int> y(0, 549);
    auto at = [&](int value) { return LongNum::fromInteger(value); };
    kestrane::ObjectStore& store = window.state().store();
    for (int index = 0; index < 2500; ++index)
        store.makePoint(at(x(random)), at(y(random)));
    for (int index = 0; index < 1000; ++index)
        store.makeLine(at(x(random)), at(y(random)), at(x(random)), at(y(random)));
    for (int index = 0; index < 750; ++index)
        store.makeSegment(at(x(random)), at(y(random)), at(x(random)), at(y(random)));
    for (int index = 0; index < 750; ++index)
        store.makeCircle(at(x(random)), at(y(random)), at(0), at(x(random)), at(y(random)), at(0));
}

void UndoAndRedoOneStep(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    window.chooseTool(kestrane::Tool::Point);
    window.click(400.5, 300.5);
    if (!window.canUndo())
        state.SkipWithError("no step to undo");
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.undo());
        benchmark::DoNotOptimize(window.redo());
    }
    state.counters["historyMB"] = static_cast<double>(window.history().bytes()) / (1024.0 * 1024.0);
    state.counters["objects"] =
        static_cast<double>(window.store().points().size() + window.store().lines().size() +
                            window.store().segments().size() + window.store().circles().size());
}
BENCHMARK(UndoAndRedoOneStep)->Unit(benchmark::kMillisecond);

// The price of recording a step: one copy of the construction per click.
void RecordOneStep(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    for (auto _ : state) {
        window.chooseTool(kestrane::Tool::Point);
        benchmark::DoNotOptimize(window.click(400.5, 300.5));
    }
    state.counters["steps kept"] = static_cast<double>(window.history().undoSteps());
}
BENCHMARK(RecordOneStep)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
