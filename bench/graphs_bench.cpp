// SPDX-License-Identifier: GPL-3.0-or-later
// Graphs: one sample of a smooth function (target under 100 ns), a whole
// 1000-pixel graph with its range, ticks and drawing calls (under 0.3 ms),
// and reading and compiling a function file (under 50 microseconds).
#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/function_file.h"
#include "graphs/graph_plot.h"
#include "platform/recording_canvas.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kFunction = "sin(x)*exp(-x^2/2)+sqrt(x^2+1)";

std::unique_ptr<kestrane::FractNode> function()
{
    return kestrane::parseExpressionText(kFunction).tree;
}

void BM_EvaluateSample(benchmark::State& state)
{
    auto tree = function();
    kestrane::NumericProgram program = kestrane::NumericProgram::compile(*tree);
    float t = -3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(program.evaluate(t));
        t += 0.001f;
        if (t > 3)
            t = -3;
    }
}
BENCHMARK(BM_EvaluateSample);

void BM_PlotAndPaintGraph(benchmark::State& state)
{
    auto tree = function();
    kestrane::NumericProgram program = kestrane::NumericProgram::compile(*tree);
    kestrane::PixelRect rect{0, 0, 1000, 400};
    for (auto _ : state) {
        kestrane::RecordingCanvas canvas;
        kestrane::GraphPlot plot = kestrane::plotGraph(program, rect, -4, 4);
        kestrane::paintGraph(canvas, plot, rect, 0xFFFFFF);
        benchmark::DoNotOptimize(canvas);
    }
}
BENCHMARK(BM_PlotAndPaintGraph)->Unit(benchmark::kMicrosecond);

void BM_ReadAndCompileFunctionFile(benchmark::State& state)
{
    auto tree = function();
    std::string bytes = kestrane::writeFunctionFile(*tree, -4, 4);
    for (auto _ : state) {
        kestrane::FunctionFileRead read = kestrane::parseFunctionFile(bytes);
        kestrane::NumericProgram program =
            kestrane::NumericProgram::compile(*read.file->expression);
        benchmark::DoNotOptimize(program);
    }
}
BENCHMARK(BM_ReadAndCompileFunctionFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
