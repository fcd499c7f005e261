// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF page of a 5,000-object construction, as Edit > Export picture…
// and kestrane-cli run --pdf write it.
#include "gui/picture_export.h"
#include "numbers/long_num.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
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

void PdfExport(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::ConstructionWindow window(host);
    fillConstruction(window);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string pdf =
            kestrane::pdfBytes(kestrane::ConstructionWindow::kDrawingWidth,
                               kestrane::ConstructionWindow::kDrawingHeight,
                               [&](kestrane::Canvas& canvas) { window.paint(canvas); });
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(PdfExport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
