// SPDX-License-Identifier: GPL-3.0-or-later
// Long numbers against MPFR at the same number of fraction digits (3 H digits,
// MPFR precision 3 H log2(10) + 16 bits), in the same run; a table of the
// ratios and the targets that hold ends the output. By default each benchmark
// runs in 9 short repetitions, randomly interleaved with the others', and a
// ratio is that of the fastest repetitions: on a shared machine a busy
// neighbour only ever slows a repetition (by up to half, in spells of a
// second or less), so the fastest is the one it disturbed least, on both sides.
// Flags given on the command line override the defaults.
#include "numbers/long_num.h"

#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kestrane;

enum class Operation { Mul, Div, Sqrt, Exp, Ln, Sin, Atan, Asin };

struct OperationInfo {
    const char* name;
    const char* argument; // integer part of the first operand
};

const std::map<Operation, OperationInfo> kOperations = {
    {Operation::Mul, {"mul", "1"}},   {Operation::Div, {"div", "1"}},
    {Operation::Sqrt, {"sqrt", "2"}}, {Operation::Ln, {"ln", "2"}},
    {Operation::Exp, {"exp", "0"}},   {Operation::Sin, {"sin", "0"}},
    {Operation::Atan, {"atan", "0"}}, {Operation::Asin, {"asin", "0"}},
};

// A number with every fraction digit in use, the way computed values are.
std::string operandText(const char* integerPart, int words, unsigned seed)
{
    std::mt19937 engine(seed);
    std::string text = std::string(integerPart) + ".";
    int digits = 3 * (words - words / 2);
    for (int i = 0; i < digits; ++i)
        text.push_back(static_cast<char>('0' + (i == 0 ? 4 + engine() % 5 : engine() % 10)));
    return text;
}

void longBenchmark(benchmark::State& state, Operation operation)
{
    int words = static_cast<int>(state.range(0));
    setLongWords(words);
    LongNum a = LongFromText(operandText(kOperations.at(operation).argument, words, 1));
    LongNum b = LongFromText(operandText("0", words, 2));
    LongNum out;
    LongPi();
    for (auto _ : state) {
        switch (operation) {
        case Operation::Mul:
            LongMul(a, b, out);
            break;
        case Operation::Div:
            LongDiv(a, b, out);
            break;
        case Operation::Sqrt:
            LongSqrt(a, out);
            break;
        case Operation::Ln:
            LongLn(a, out);
            break;
        case Operation::Exp:
            LongExp(a, out);
            break;
        case Operation::Sin:
            LongSin(a, out);
            break;
        case Operation::Atan:
            LongArctan(a, out);
            break;
        case Operation::Asin:
            LongArcsin(a, out);
            break;
        }
        benchmark::DoNotOptimize(out);
    }
    setLongWords(kLongWordsAtStart);
}

void mpfrBenchmark(benchmark::State& state, Operation operation)
{
    int words = static_cast<int>(state.range(0));
    int half = words / 2;
    auto precision = static_cast<mpfr_prec_t>(std::ceil(3 * half * std::log2(10.0)) + 16);
    mpfr_t a, b, out;
    mpfr_inits2(precision, a, b, out, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_str(a, operandText(kOperations.at(operation).argument, words, 1).c_str(), 10,
                 MPFR_RNDZ);
    mpfr_set_str(b, operandText("0", words, 2).c_str(), 10, MPFR_RNDZ);
    for (auto _ : state) {
        switch (operation) {
        case Operation::Mul:
            mpfr_mul(out, a, b, MPFR_RNDZ);
            break;
        case Operation::Div:
            mpfr_div(out, a, b, MPFR_RNDZ);
            break;
        case Operation::Sqrt:
            mpfr_sqrt(out, a, MPFR_RNDZ);
            break;
        case Operation::Ln:
            mpfr_log(out, a, MPFR_RNDZ);
            break;
        case Operation::Exp:
            mpfr_exp(out, a, MPFR_RNDZ);
            break;
        case Operation::Sin:
            mpfr_sin(out, a, MPFR_RNDZ);
            break;
        case Operation::Atan:
            mpfr_atan(out, a, MPFR_RNDZ);
            break;
        case Operation::Asin:
            mpfr_asin(out, a, MPFR_RNDZ);
            break;
        }
        benchmark::DoNotOptimize(out);
    }
    mpfr_clears(a, b, out, static_cast<mpfr_ptr>(nullptr));
}

// Keeps each run's time per iteration for the summary.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            // The fastest repetition where there are repetitions.
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min")
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The ratios as a table of word counts by operations, then each target
    // with whether it holds: at most 2x for mul, div and sqrt at 10 words and
    // 3x for every operation from 46 words on.
    void printSummary() const
    {
        static const int kWordCounts[] = {10, 46, 100, 310};
        std::printf("\nTime / MPFR's, same run\n%6s", "words");
        for (const auto& [operation, info] : kOperations)
            std::printf(" %6s", info.name);
        std::printf("\n");
        std::vector<std::string> missed;
        int targets = 0;
        for (int words : kWordCounts) {
            std::printf("%6d", words);
            for (const auto& [operation, info] : kOperations) {
                std::optional<double> ratio = ratioOf(info.name, words);
                if (!ratio) {
                    std::printf(" %6s", "-");
                    continue;
                }
                std::printf(" %6.2f", *ratio);
                std::optional<double> target = targetFor(operation, words);
                if (!target)
                    continue;
                ++targets;
                if (*ratio > *target) {
                    char text[80];
                    std::snprintf(text, sizeof text, "%s at %d words: %.2fx (target %.0fx)",
                                  info.name, words, *ratio, *target);
                    missed.push_back(text);
                }
            }
            std::printf("\n");
        }
        std::printf("\nTargets (2x for mul, div, sqrt at 10 words; 3x for all at 46, 100, 310): "
                    "%d of %d hold\n",
                    targets - static_cast<int>(missed.size()), targets);
        for (const std::string& text : missed)
            std::printf("  MISSED %s\n", text.c_str());
    }

private:
    static std::optional<double> targetFor(Operation operation, int words)
    {
        if (words >= 46)
            return 3.0;
        bool exact = operation == Operation::Mul || operation == Operation::Div ||
                     operation == Operation::Sqrt;
        if (words == 10 && exact)
            return 2.0;
        return std::nullopt;
    }

    std::optional<double> ratioOf(const std::string& name, int words) const
    {
        std::string suffix = name + "/" + std::to_string(words);
        auto longTime = m_times.find("Long/" + suffix);
        auto mpfrTime = m_times.find("Mpfr/" + suffix);
        if (longTime == m_times.end() || mpfrTime == m_times.end())
            return std::nullopt;
        return longTime->second / mpfrTime->second;
    }

    std::map<std::string, double> m_times;
};

double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

int main(int argc, char** argv)
{
    for (const auto& [operation, info] : kOperations) {
        for (int words : {10, 46, 100, 310}) {
            Operation op = operation;
            benchmark::RegisterBenchmark(
                (std::string("Long/") + info.name).c_str(),
                [op](benchmark::State& state) { longBenchmark(state, op); })
                ->Arg(words)
                ->ComputeStatistics("min", fastest);
            benchmark::RegisterBenchmark(
                (std::string("Mpfr/") + info.name).c_str(),
                [op](benchmark::State& state) { mpfrBenchmark(state, op); })
                ->Arg(words)
                ->ComputeStatistics("min", fastest);
        }
    }
    // The defaults first: flags given later win.
    std::vector<char*> arguments(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=9";
    char minTime[] = "--benchmark_min_time=0.1";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, {repetitions, minTime, interleaving});
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
