// SPDX-License-Identifier: GPL-3.0-or-later
// Roots of cubics: the 50-word numeric solver on x^3 + x + 1 (one real
// root and a pair) and x^3 - 3x + 1 (three real roots) under 0.5 ms each,
// and CubicFunct with its exact roots under 2 ms.
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/cubic_function.h"
#include "graphs/cubic_solver.h"

#include <benchmark/benchmark.h>

namespace {

using kestrane::LongNum;

void solveNumerically(benchmark::State& state, std::vector<std::int64_t> coefficients)
{
    kestrane::SolverPrecision precision;
    kestrane::SolverInput input;
    for (std::int64_t value : coefficients)
        input.coefficients.push_back(LongNum::fromInteger(value));
    input.integerScaled = input.coefficients;
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrane::solvePolynomial(input));
}

void BM_NumericRootsOneReal(benchmark::State& state)
{
    solveNumerically(state, {1, 0, 1, 1});
}
BENCHMARK(BM_NumericRootsOneReal)->Unit(benchmark::kMicrosecond);

void BM_NumericRootsThreeReal(benchmark::State& state)
{
    solveNumerically(state, {1, 0, -3, 1});
}
BENCHMARK(BM_NumericRootsThreeReal)->Unit(benchmark::kMicrosecond);

void makeCubic(benchmark::State& state, std::vector<const char*> coefficients)
{
    for (auto _ : state) {
        std::vector<std::unique_ptr<kestrane::FractNode>> trees;
        for (const char* text : coefficients)
            trees.push_back(kestrane::parseExpressionText(text).tree);
        benchmark::DoNotOptimize(kestrane::makePolynomial(std::move(trees), nullptr,
                                                          kestrane::RootKinds::NumericAndExact));
    }
}

void BM_CubicFunctRationalRoots(benchmark::State& state)
{
    makeCubic(state, {"1", "-6", "11", "-6"});
}
BENCHMARK(BM_CubicFunctRationalRoots)->Unit(benchmark::kMicrosecond);

void BM_CubicFunctCasusIrreducibilis(benchmark::State& state)
{
    makeCubic(state, {"1", "0", "-3", "1"});
}
BENCHMARK(BM_CubicFunctCasusIrreducibilis)->Unit(benchmark::kMicrosecond);

void BM_CubicFunctOneRealRoot(benchmark::State& state)
{
    makeCubic(state, {"1", "0", "1", "1"});
}
BENCHMARK(BM_CubicFunctOneRealRoot)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
