// SPDX-License-Identifier: GPL-3.0-or-later
// The TikZ picture of a 5,000-object construction.
#include "numbers/long_num.h"
#include "platform/scripted_host.h"
#include "platform/tikz_canvas.h"
#include "runtime/construction_window.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using kestrane::LongNum;

// 2,500 points, 1,000 lines, 750 segments and 750 circles.
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

void TikzExport(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    for (auto _ : state) {
        kestrane::TikzCanvas canvas(kestrane::ConstructionWindow::kDrawingWidth,
                                    kestrane::ConstructionWindow::kDrawingHeight);
        window.paint(canvas);
        std::string document = canvas.document();
        benchmark::DoNotOptimize(document);
    }
}
BENCHMARK(TikzExport)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
