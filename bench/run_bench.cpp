// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a generated plane script of 5,000 statements (points, lines, circles,
// intersections and procedure calls) through the construction window, as
// kestrane-cli run does, and reports the statements executed per second.
#include "app/module_executors.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "runtime/statement_trace.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr int kStatements = 5000;

// One group of six statements of start, and a procedure of three
// statements called from each group.
std::string generatedScript()
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(10, 790);
    std::uniform_int_distribution<int> y(10, 540);
    std::string text = "void cross(point P, point Q)\r\nl=line(P,Q)\r\nc=circle(P,Q)\r\n"
                       "X=IntersCircLin(c,l,1)\r\nEND\r\nvoid start()\r\n"
                       "A0=point(5,5)\r\nB0=point(400,300)\r\nm0=line(A0,B0)\r\n";
    int statements = 3;
    for (int group = 1; statements + 9 <= kStatements; ++group) {
        std::string n = std::to_string(group);
        std::string previous = std::to_string(group - 1);
        text += "A" + n + "=point(" + std::to_string(x(random)) + "," + std::to_string(y(random)) +
                ")\r\n";
        text += "B" + n + "=point(" + std::to_string(x(random)) + "," + std::to_string(y(random)) +
                ")\r\n";
        text += "m" + n + "=line(A" + n + ",B" + n + ")\r\n";
        text += "k" + n + "=circle(A" + n + ",B" + n + ")\r\n";
        text += "S" + n + "=Inters2Lin(m" + n + ",m" + previous + ")\r\n";
        text += "cross(A" + n + ",B" + n + ")\r\n";
        // The call runs three statements of the procedure.
        statements += 9;
    }
    return text + "END\r\n";
}

void RunGeneratedScript(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::Directories directories;
    kestrane::ScriptLoader loader(host, directories);
    auto main = loader.build(generatedScript(), 502, "NoName", "", "");
    kestrane::ModuleState modules;
    modules.set(502);
    if (!kestrane::Compiler(modules, host).compile(*main).ok()) {
        state.SkipWithError("the generated script does not compile");
        return;
    }
    kestrane::ConstructionWindow window(host);
    kestrane::registerModuleExecutors(window.executors());
    for (auto _ : state) {
        window.startProgram(*main, 502, kestrane::RunMode::Run);
        benchmark::DoNotOptimize(window.store().points().size());
    }
    state.counters["statements/s"] =
        benchmark::Counter(kStatements, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(RunGeneratedScript)->Unit(benchmark::kMillisecond);

// The same run with the trace of kestrane-cli run --trace: a JSON line per
// statement with the values of the names it made.
void TraceGeneratedScript(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::Directories directories;
    kestrane::ScriptLoader loader(host, directories);
    auto main = loader.build(generatedScript(), 502, "NoName", "", "");
    kestrane::ModuleState modules;
    modules.set(502);
    if (!kestrane::Compiler(modules, host).compile(*main).ok()) {
        state.SkipWithError("the generated script does not compile");
        return;
    }
    kestrane::ConstructionWindow window(host);
    kestrane::registerModuleExecutors(window.executors());
    std::string trace;
    kestrane::StatementTrace tracer(
        window.state(), [](const kestrane::ScriptFile*) { return std::string("bench.kst"); },
        [&trace](const std::string& line) {
            trace += line;
            trace += '\n';
        });
    window.setObserver(&tracer);
    std::size_t bytes = 0;
    for (auto _ : state) {
        trace.clear();
        window.startProgram(*main, 502, kestrane::RunMode::Run);
        bytes = trace.size();
    }
    state.counters["statements/s"] =
        benchmark::Counter(kStatements, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["traceBytes"] = static_cast<double>(bytes);
}
BENCHMARK(TraceGeneratedScript)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
