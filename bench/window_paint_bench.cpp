// SPDX-License-Identifier: GPL-3.0-or-later
// A digit typed into a long expression and the whole window painted again
// with the desktop program's own canvas (QPainter, antialiased, real fonts),
// as a projector user sees it: the Fractions and Roots window and the
// Calculator at a font height of 20 pixels and at 96, the largest the Font
// window offers. calculator_bench times the same keystroke on the recording
// canvas, which leaves out the painting itself.
#include "expressions/expression_text.h"
#include "fractions/calculator.h"
#include "fractions/fractions_window.h"
#include "fractions/precision_dialog.h"
#include "gui/qt_canvas.h"
#include "platform/clipboard.h"
#include "platform/keys.h"
#include "platform/scripted_host.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <memory>

namespace {

using namespace kestrane;

// Arguments: 0 the Fractions and Roots window, 1 the Calculator; the font
// height in pixels.
void QtKeystrokeWithRepaint(benchmark::State& state)
{
    bool calculator = state.range(0) == 1;
    int width = calculator ? Calculator::kWidth : FractionsWindow::kWidth;
    int height = calculator ? Calculator::kHeight : FractionsWindow::kHeight;

    // The windows measure their texts on a canvas of their own, as the
    // desktop program's widgets do.
    QImage metricsImage(1, 1, QImage::Format_RGB32);
    QPainter metricsPainter(&metricsImage);
    QtCanvas metrics(metricsPainter, &metricsImage);
    ScriptedHost host;
    MemoryClipboard clipboard;
    Calculator calculatorWindow(host, clipboard, metrics);
    FractionsWindow fractionsWindow(host, metrics);

    WindowOptions options;
    options.fontHeight = static_cast<int>(state.range(1));
    if (calculator)
        calculatorWindow.setOptions(options);
    else
        fractionsWindow.setOptions(options);
    ExpressionEditor& editor = calculator ? calculatorWindow.editor() : fractionsWindow.editor();
    editor.setExpression(
        parseExpressionText("sin(1)/sqrt(2)+(1+2/3)^2*log(5)-root(3,7/9)+12345*atan(0.5)",
                            options.fontHeight)
            .tree);
    editor.moveLeft();
    auto key = [&](std::uint16_t code) {
        if (calculator)
            calculatorWindow.keyDown(code, Modifiers{});
        else
            fractionsWindow.keyDown(code, Modifiers{});
    };

    QImage screen(width, height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        key('7');
        {
            // A paint event: a new painter and canvas on the window's pixels.
            QPainter painter(&screen);
            QtCanvas canvas(painter);
            if (calculator)
                calculatorWindow.paint(canvas);
            else
                fractionsWindow.paint(canvas);
        }
        benchmark::DoNotOptimize(screen.constBits());
        state.PauseTiming();
        key(static_cast<std::uint16_t>(Key::Backspace));
        state.ResumeTiming();
    }
    state.SetLabel(std::string(calculator ? "calculator" : "fractions") + ", height " +
                   std::to_string(options.fontHeight));
}
BENCHMARK(QtKeystrokeWithRepaint)
    ->Args({0, 20})
    ->Args({0, 96})
    ->Args({1, 20})
    ->Args({1, 96})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
