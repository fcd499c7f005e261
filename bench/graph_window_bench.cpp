// SPDX-License-Identifier: GPL-3.0-or-later
// One key press in the graph window on a function of about 40 nodes, with
// the graph shown: the edit, the layout and the repaint on the recording
// canvas. The budget is 5 ms per key.
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "graphs/graph_window.h"
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kestrane;

// sin(x)/x and more: over 40 nodes, with roots, functions, fractions and powers.
constexpr const char* kFunction =
    "sin(x)/x+x^2*3-cos(x)/(x+1)+sqrt(x+2)*exp(x/4)-log(x^2+1)+atan(x)*2.5+1/(x^2+3)-x*5";

int nodes(const FractNode& node)
{
    int count = 1;
    for (const FractNode* child : {node.left.get(), node.right.get(), node.numerator.get(),
                                   node.denominator.get(), node.exponent.get()})
        if (child)
            count += nodes(*child);
    return count;
}

struct Setup {
    Setup()
    {
        metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
        window = std::make_unique<GraphWindow>(host, metrics);
        window->editor().setExpression(parseExpressionText(kFunction).tree);
        window->showGraph();
    }

    ScriptedHost host;
    RecordingCanvas metrics;
    RecordingCanvas canvas;
    std::unique_ptr<GraphWindow> window;
};

// A digit typed at the end and taken back with Backspace, by turns: after
// each Backspace the function is the one plotted and the graph is drawn again.
void typeAndRepaint(benchmark::State& state)
{
    Setup setup;
    bool typed = false;
    for (auto _ : state) {
        setup.window->keyDown(typed ? static_cast<std::uint16_t>(Key::Backspace) : '7', {});
        typed = !typed;
        setup.canvas.clear();
        setup.window->paint(setup.canvas);
        benchmark::DoNotOptimize(setup.canvas.calls().size());
    }
    if (typed)
        setup.window->keyDown(static_cast<std::uint16_t>(Key::Backspace), {});
    state.SetLabel(std::to_string(nodes(setup.window->editor().expression())) + " nodes, graph " +
                   (setup.window->plot() ? "shown" : "hidden") + " after each Backspace");
}
BENCHMARK(typeAndRepaint)->Unit(benchmark::kMicrosecond);

// A caret key: the graph stays through every repaint.
void moveAndRepaint(benchmark::State& state)
{
    Setup setup;
    bool left = true;
    for (auto _ : state) {
        setup.window->keyDown(static_cast<std::uint16_t>(left ? Key::Left : Key::Right), {});
        left = !left;
        setup.canvas.clear();
        setup.window->paint(setup.canvas);
        benchmark::DoNotOptimize(setup.canvas.calls().size());
    }
    state.SetLabel(std::to_string(nodes(setup.window->editor().expression())) + " nodes, graph " +
                   (setup.window->plot() ? "shown" : "hidden"));
}
BENCHMARK(moveAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
