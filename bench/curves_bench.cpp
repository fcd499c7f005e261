// SPDX-License-Identifier: GPL-3.0-or-later
// Curves: a curve of 1001 samples with its box, scaling and ticks (target
// under 0.3 ms) and its image under an analytic function (under 0.5 ms).
#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/curve_plot.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

kestrane::NumericProgram real(const char* text)
{
    return kestrane::NumericProgram::compile(*kestrane::parseExpressionText(text).tree);
}

kestrane::NumericProgram complex(const char* text)
{
    return kestrane::NumericProgram::compileComplex(*kestrane::parseExpressionText(text).tree);
}

const kestrane::PixelRect kRect{20, 40, 420, 240};

void BM_PlotCurve(benchmark::State& state)
{
    kestrane::NumericProgram x = real("cos(x)");
    kestrane::NumericProgram y = real("sin(x)");
    kestrane::CurveSource source{x, y, {}, -3.14, 3.14};
    for (auto _ : state)
        benchmark::DoNotOptimize(plotCurve(source, kRect, kestrane::AspectRatio::Keep));
}
BENCHMARK(BM_PlotCurve)->Unit(benchmark::kMicrosecond);

void BM_PlotImageCurve(benchmark::State& state)
{
    kestrane::NumericProgram x = real("cos(x)");
    kestrane::NumericProgram y = real("sin(x)");
    std::vector<kestrane::NumericProgram> functions{complex("z^2+1")};
    kestrane::CurveSource source{x, y, functions, -3.14, 3.14};
    for (auto _ : state)
        benchmark::DoNotOptimize(plotCurve(source, kRect, kestrane::AspectRatio::Keep));
}
BENCHMARK(BM_PlotImageCurve)->Unit(benchmark::kMicrosecond);

// A function with a logarithm, a root and a quotient at every sample.
void BM_PlotImageCurveOfATranscendentalFunction(benchmark::State& state)
{
    kestrane::NumericProgram x = real("2*cos(x)");
    kestrane::NumericProgram y = real("sin(x)");
    std::vector<kestrane::NumericProgram> functions{complex("log(z+3)*sqrt(z)/(z^2+1)")};
    kestrane::CurveSource source{x, y, functions, -3.14, 3.14};
    for (auto _ : state)
        benchmark::DoNotOptimize(plotCurve(source, kRect, kestrane::AspectRatio::Keep));
}
BENCHMARK(BM_PlotImageCurveOfATranscendentalFunction)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
