// SPDX-License-Identifier: GPL-3.0-or-later
// Simplification from a built expression tree to the tree of its normal form
// (layout excluded) on the classroom list; every result is checked against
// its expected text before timing. bench/sympy_radsimp.py times the same
// list with another simplifier for comparison.
#include "algebra/simplify.h"
#include "expressions/expression_text.h"
#include "numbers/long_int.h"
#include "numbers/number_theory.h"
#include "platform/scripted_host.h"

#include <benchmark/benchmark.h>

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

struct Expression {
    const char* text;
    const char* expected;
};

const Expression kExpressions[] = {
    {"1/sqrt(2)", "sqrt(2)/2"},
    {"sqrt(12)", "2*sqrt(3)"},
    {"1/(1+sqrt(2))", "sqrt(2)-1"},
    {"(2+sqrt(3))/(2-sqrt(3))", "7+4*sqrt(3)"},
    {"1/(sqrt(2)+sqrt(3)+sqrt(5))", "(3*sqrt(2)+2*sqrt(3)-sqrt(30))/12"},
    {"root(4,9)", "sqrt(3)"},
    {"root(6,8)", "sqrt(2)"},
    {"root(9,2^6)", "root(3,4)"},
    {"(sqrt(2)+1)^5", "41+29*sqrt(2)"},
    {"1/(1+root(3,2))", "(1-root(3,2)+root(3,4))/3"},
    {"(3/4+sqrt(5)/2)/(1/3-sqrt(5))", "(-9-3*sqrt(5))/16"},
    {"(1/sqrt(2)+1/sqrt(3))/(1-1/sqrt(6))", "(4*sqrt(2)+3*sqrt(3))/5"},
    {"1/(1+1/(1+sqrt(2)))", "sqrt(2)/2"},
    {"sqrt(3+2*sqrt(2))", "1+sqrt(2)"},
    {"sqrt(8)+sqrt(18)-sqrt(50)", "0"},
    {"(sqrt(6)+sqrt(2))/4-sqrt(2+sqrt(3))/2", "0"},
    {"1/(root(3,4)+root(3,2)+1)", "root(3,2)-1"},
};

void simplifyTree(benchmark::State& state, const Expression& expression)
{
    TextParseResult parsed = parseExpressionText(expression.text);
    if (!parsed.tree) {
        state.SkipWithError(parsed.error.c_str());
        return;
    }
    ScriptedHost host;
    SimplifyRequest request;
    request.tree = parsed.tree.get();
    request.primes = primes();
    SimplifyResult first = simplifyExpression(request, host);
    const std::string text = first.tree ? printExpressionText(*first.tree) : "(refused)";
    if (text != expression.expected) {
        state.SkipWithError(("gave " + text + ", expected " + expression.expected).c_str());
        return;
    }
    for (auto _ : state) {
        SimplifyResult result = simplifyExpression(request, host);
        benchmark::DoNotOptimize(result.tree);
    }
    state.SetLabel(text);
}

const bool kRegistered = [] {
    for (const Expression& expression : kExpressions)
        benchmark::RegisterBenchmark(expression.text, simplifyTree, expression);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
