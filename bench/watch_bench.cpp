// SPDX-License-Identifier: GPL-3.0-or-later
// What a paused program costs to show: the watch values of a scope of 1,000
// named objects (every kind the panel shows), as the watch panel computes
// them at each step, shortened as it shows them.
#include "app/module_executors.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "runtime/watch_values.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kNamedObjects = 1000;

// Points, lines, segments, circles and distances in groups of five, then a
// Break so that the program stays paused with all of them named.
std::string namedObjectsScript()
{
    std::string text = "void start()\r\n";
    for (int group = 0; group < kNamedObjects / 5; ++group) {
        std::string n = std::to_string(group);
        std::string x = std::to_string(10 + group % 700);
        std::string y = std::to_string(20 + group % 500);
        text += "A" + n + "=point(" + x + "," + y + ")\r\n";
        text += "l" + n + "=line(A" + n + ",B)\r\n";
        text += "s" + n + "=segment(A" + n + ",B)\r\n";
        text += "k" + n + "=circle(A" + n + ",B)\r\n";
        text += "d" + n + "=distance(A" + n + ",B)\r\n";
    }
    return "void start()\r\nB=point(401.5,299.25)\r\n" + text.substr(14) + "Break(1)\r\nEND\r\n";
}

void WatchScopeOfAPausedProgram(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::Directories directories;
    kestrane::ScriptLoader loader(host, directories);
    auto main = loader.build(namedObjectsScript(), 502, "NoName", "", "");
    kestrane::ModuleState modules;
    modules.set(502);
    if (!kestrane::Compiler(modules, host).compile(*main).ok()) {
        state.SkipWithError("the generated script does not compile");
        return;
    }
    kestrane::ConstructionWindow window(host);
    kestrane::registerModuleExecutors(window.executors());
    window.startProgram(*main, 502, kestrane::RunMode::Run);
    if (!window.paused()) {
        state.SkipWithError("the program did not pause");
        return;
    }
    std::size_t names = 0;
    for (auto _ : state) {
        std::vector<kestrane::WatchValue> values = kestrane::watchScope(window.state(), "start");
        for (const kestrane::WatchValue& value : values)
            benchmark::DoNotOptimize(kestrane::shortenedText(value.text, 48));
        names = values.size();
    }
    state.counters["names"] = static_cast<double>(names);
}
BENCHMARK(WatchScopeOfAPausedProgram)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
