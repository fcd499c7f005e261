// SPDX-License-Identifier: GPL-3.0-or-later
// The two-word integer: product, sum and the common divisor, on operands that
// keep every result in range.
#include "numbers/long_int.h"
#include "numbers/number_theory.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using namespace kestrane;

std::vector<LongInt> operands(std::int64_t limit, unsigned seed)
{
    std::mt19937_64 engine(seed);
    std::vector<LongInt> values;
    for (int i = 0; i < 1024; ++i) {
        auto magnitude = static_cast<std::int64_t>(engine() % static_cast<std::uint64_t>(limit));
        values.push_back(LongInt::fromInt(i % 2 ? -magnitude : magnitude));
    }
    return values;
}

void longIntProduct(benchmark::State& state)
{
    auto a = operands(40000000, 1);
    auto b = operands(40000000, 2);
    size_t i = 0;
    for (auto _ : state) {
        LongInt product = a[i] * b[i];
        benchmark::DoNotOptimize(product);
        i = (i + 1) & 1023;
    }
}
BENCHMARK(longIntProduct);

void longIntSum(benchmark::State& state)
{
    auto a = operands(LongInt::kMaxMagnitude / 2, 3);
    auto b = operands(LongInt::kMaxMagnitude / 2, 4);
    size_t i = 0;
    for (auto _ : state) {
        LongInt sum = a[i] + b[i];
        benchmark::DoNotOptimize(sum);
        i = (i + 1) & 1023;
    }
}
BENCHMARK(longIntSum);

void commonDivisorOfLargeValues(benchmark::State& state)
{
    auto a = operands(LongInt::kMaxMagnitude, 5);
    auto b = operands(LongInt::kMaxMagnitude, 6);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(commonDivisor(a[i], b[i]));
        i = (i + 1) & 1023;
    }
}
BENCHMARK(commonDivisorOfLargeValues);

} // namespace

BENCHMARK_MAIN();
