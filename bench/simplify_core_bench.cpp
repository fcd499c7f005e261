// SPDX-License-Identifier: GPL-3.0-or-later
// The exact core of simplification on the classroom list, each expression
// built directly as exact values and brought to its normal form; every result
// is checked against its expected text before timing.
#include "algebra/exact_fraction.h"
#include "numbers/number_theory.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace kestrane;

const std::vector<std::int32_t>& primes()
{
    static const std::vector<std::int32_t> table = [] {
        std::vector<std::int32_t> list;
        for (std::int32_t n = 2; list.size() < 7000; ++n) {
            if (isPrime(n))
                list.push_back(n);
        }
        return list;
    }();
    return table;
}

ExactFraction n(std::int64_t value)
{
    return ExactRational(value);
}

ExactFraction q(std::int64_t top, std::int64_t bottom)
{
    return ExactRational(LongInt::fromInt(top), LongInt::fromInt(bottom));
}

ExactFraction root(int degree, const ExactFraction& value)
{
    return value.root(degree, primes());
}

ExactFraction sqrtOf(const ExactFraction& value)
{
    return root(2, value);
}

struct Expression {
    const char* name;
    std::function<ExactFraction()> build;
    const char* expected;
};

const std::vector<Expression>& expressions()
{
    static const std::vector<Expression> list = {
        {"1/sqrt(2)", [] { return n(1) / sqrtOf(n(2)); }, "sqrt(2)/2"},
        {"sqrt(12)", [] { return sqrtOf(n(12)); }, "2*sqrt(3)"},
        {"1/(1+sqrt(2))", [] { return n(1) / (n(1) + sqrtOf(n(2))); }, "sqrt(2)-1"},
        {"(2+sqrt(3))/(2-sqrt(3))", [] { return (n(2) + sqrtOf(n(3))) / (n(2) - sqrtOf(n(3))); },
         "7+4*sqrt(3)"},
        {"1/(sqrt(2)+sqrt(3)+sqrt(5))",
         [] { return n(1) / (sqrtOf(n(2)) + sqrtOf(n(3)) + sqrtOf(n(5))); },
         "(3*sqrt(2)+2*sqrt(3)-sqrt(30))/12"},
        {"root(4,9)", [] { return root(4, n(9)); }, "sqrt(3)"},
        {"root(6,8)", [] { return root(6, n(8)); }, "sqrt(2)"},
        {"root(9,2^6)", [] { return root(9, n(2).raised(6)); }, "root(3,4)"},
        {"(sqrt(2)+1)^5", [] { return (sqrtOf(n(2)) + n(1)).raised(5); }, "41+29*sqrt(2)"},
        {"1/(1+root(3,2))", [] { return n(1) / (n(1) + root(3, n(2))); },
         "(1-root(3,2)+root(3,4))/3"},
        {"(3/4+sqrt(5)/2)/(1/3-sqrt(5))",
         [] { return (q(3, 4) + sqrtOf(n(5)) / n(2)) / (q(1, 3) - sqrtOf(n(5))); },
         "(-9-3*sqrt(5))/16"},
        {"(1/sqrt(2)+1/sqrt(3))/(1-1/sqrt(6))",
         [] { return (n(1) / sqrtOf(n(2)) + n(1) / sqrtOf(n(3))) / (n(1) - n(1) / sqrtOf(n(6))); },
         "(4*sqrt(2)+3*sqrt(3))/5"},
        {"1/(1+1/(1+sqrt(2)))", [] { return n(1) / (n(1) + n(1) / (n(1) + sqrtOf(n(2)))); },
         "sqrt(2)/2"},
        {"sqrt(3+2*sqrt(2))", [] { return sqrtOf(n(3) + n(2) * sqrtOf(n(2))); }, "1+sqrt(2)"},
        {"sqrt(8)+sqrt(18)-sqrt(50)", [] { return sqrtOf(n(8)) + sqrtOf(n(18)) - sqrtOf(n(50)); },
         "0"},
        {"(sqrt(6)+sqrt(2))/4-sqrt(2+sqrt(3))/2",
         [] { return (sqrtOf(n(6)) + sqrtOf(n(2))) / n(4) - sqrtOf(n(2) + sqrtOf(n(3))) / n(2); },
         "0"},
        {"1/(root(3,4)+root(3,2)+1)", [] { return n(1) / (root(3, n(4)) + root(3, n(2)) + n(1)); },
         "root(3,2)-1"},
    };
    return list;
}

void simplifyCore(benchmark::State& state, const Expression& expression)
{
    std::string text = expression.build().normalised().toText();
    if (text != expression.expected) {
        state.SkipWithError(("gave " + text + ", expected " + expression.expected).c_str());
        return;
    }
    for (auto _ : state) {
        ExactFraction normal = expression.build().normalised();
        benchmark::DoNotOptimize(normal);
    }
    state.SetLabel(text);
}

const bool kRegistered = [] {
    for (const Expression& expression : expressions())
        benchmark::RegisterBenchmark(expression.name, simplifyCore, expression);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
