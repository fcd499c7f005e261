// Long numbers against MPFR at the same number of fraction digits (3 H digits,
// MPFR precision 3 H log2(10) + 16 bits), in the same run; a summary with the
// ratio of the medians ends the output.
#include "numbers/long_num.h"

#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kestrane;

enum class Operation { Mul, Div, Sqrt, Ln, Exp, Sin, Atan, Asin };

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
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void printSummary() const
    {
        std::printf("\n%-6s %6s %14s %14s %8s %8s\n", "op", "words", "long (ns)", "mpfr (ns)",
                    "ratio", "target");
        for (const auto& [operation, info] : kOperations) {
            for (int words : {10, 46, 100, 310}) {
                std::string suffix = std::string(info.name) + "/" + std::to_string(words);
                auto longTime = m_times.find("Long/" + suffix);
                auto mpfrTime = m_times.find("Mpfr/" + suffix);
                if (longTime == m_times.end() || mpfrTime == m_times.end())
                    continue;
                double ratio = longTime->second / mpfrTime->second;
                double target = words == 10 ? 5.0 : 20.0;
                std::printf("%-6s %6d %14.1f %14.1f %8.2f %7.0fx %s\n", info.name, words,
                            longTime->second, mpfrTime->second, ratio, target,
                            ratio <= target ? "met" : "MISSED");
            }
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    for (const auto& [operation, info] : kOperations) {
        for (int words : {10, 46, 100, 310}) {
            Operation op = operation;
            benchmark::RegisterBenchmark(
                (std::string("Long/") + info.name).c_str(),
                [op](benchmark::State& state) { longBenchmark(state, op); })
                ->Arg(words);
            benchmark::RegisterBenchmark(
                (std::string("Mpfr/") + info.name).c_str(),
                [op](benchmark::State& state) { mpfrBenchmark(state, op); })
                ->Arg(words);
        }
    }
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
