// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's Compute end to end (check, evaluation, rounding, text,
// lines, clipboard) at 54 and 900 digits, beside MPFR's sine at the same
// numbers of digits, and one keystroke with its repaint: in the expression,
// and in the whole window at the largest font.
#include "expressions/expression_text.h"
#include "fractions/calculator.h"
#include "fractions/fractions_window.h"
#include "fractions/precision_dialog.h"
#include "platform/clipboard.h"
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <cmath>

namespace {

using namespace kestrane;

struct Setup {
    explicit Setup(int position)
    {
        setCalcWords(2 * position);
        metrics.setFont(CanvasFont{.name = "Arial", .size = 10, .pixelHeight = 20});
        calculator = std::make_unique<Calculator>(host, clipboard, metrics);
    }
    ~Setup() { setCalcWords(kCalcWordsAtStart); }

    ScriptedHost host;
    MemoryClipboard clipboard;
    RecordingCanvas metrics;
    std::unique_ptr<Calculator> calculator;
};

// Argument: the precision dialog's position (9 is 54 digits, 150 is 900).
void computeSine(benchmark::State& state)
{
    Setup setup(static_cast<int>(state.range(0)));
    setup.calculator->editor().setExpression(parseExpressionText("sin(1)").tree);
    for (auto _ : state) {
        bool computed = setup.calculator->compute();
        benchmark::DoNotOptimize(computed);
    }
    state.SetLabel(std::to_string(longWords()) + " words");
}
BENCHMARK(computeSine)->Arg(9)->Arg(150)->Unit(benchmark::kMicrosecond);

// Argument: decimal digits.
void mpfrSine(benchmark::State& state)
{
    auto precision = static_cast<mpfr_prec_t>(std::ceil(state.range(0) * std::log2(10.0)) + 16);
    mpfr_t x, out;
    mpfr_inits2(precision, x, out, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_ui(x, 1, MPFR_RNDZ);
    for (auto _ : state) {
        mpfr_sin(out, x, MPFR_RNDZ);
        benchmark::DoNotOptimize(out);
    }
    mpfr_clears(x, out, static_cast<mpfr_ptr>(nullptr));
}
BENCHMARK(mpfrSine)->Arg(465)->Arg(900)->Unit(benchmark::kMicrosecond);

// A digit typed into a long expression and the expression painted again.
void keystrokeWithRepaint(benchmark::State& state)
{
    Setup setup(18);
    ExpressionEditor& editor = setup.calculator->editor();
    editor.setExpression(
        parseExpressionText("sin(1)/sqrt(2)+(1+2/3)^2*log(5)-root(3,7/9)+12345*atan(0.5)").tree);
    RecordingCanvas canvas;
    for (auto _ : state) {
        editor.keyDown('7', Modifiers{});
        editor.paint(canvas);
        state.PauseTiming();
        editor.keyDown(static_cast<std::uint16_t>(Key::Backspace), Modifiers{});
        canvas.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(keystrokeWithRepaint)->Unit(benchmark::kMicrosecond);

// A digit typed into a long expression in the whole window, and the whole
// window painted again: the Fractions and Roots window (0) or the Calculator
// (1) at a font height (20 pixels, and 96, the largest the Font window
// offers).
void windowKeystrokeWithRepaint(benchmark::State& state)
{
    Setup setup(18);
    FractionsWindow fractions(setup.host, setup.metrics);
    bool calculator = state.range(0) == 1;
    WindowOptions options;
    options.fontHeight = static_cast<int>(state.range(1));
    ExpressionEditor& editor = calculator ? setup.calculator->editor() : fractions.editor();
    if (calculator)
        setup.calculator->setOptions(options);
    else
        fractions.setOptions(options);
    editor.setExpression(
        parseExpressionText("sin(1)/sqrt(2)+(1+2/3)^2*log(5)-root(3,7/9)+12345*atan(0.5)",
                            options.fontHeight)
            .tree);
    editor.moveLeft();
    RecordingCanvas canvas;
    auto key = [&](std::uint16_t code) {
        if (calculator)
            setup.calculator->keyDown(code, Modifiers{});
        else
            fractions.keyDown(code, Modifiers{});
    };
    for (auto _ : state) {
        key('7');
        if (calculator)
            setup.calculator->paint(canvas);
        else
            fractions.paint(canvas);
        state.PauseTiming();
        key(static_cast<std::uint16_t>(Key::Backspace));
        canvas.clear();
        state.ResumeTiming();
    }
    state.SetLabel(std::string(calculator ? "calculator" : "fractions") + ", height " +
                   std::to_string(options.fontHeight));
}
BENCHMARK(windowKeystrokeWithRepaint)
    ->Args({0, 20})
    ->Args({0, 96})
    ->Args({1, 20})
    ->Args({1, 96})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
