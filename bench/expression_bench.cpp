// SPDX-License-Identifier: GPL-3.0-or-later
// Exact expressions: a keystroke in a long expression (edit, fix-up, layout
// and paint), reading and printing a long notation text, and writing and
// reading its byte form.
#include "expressions/expression_editor.h"
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_node.h"
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Terms of every kind the tree holds, repeated to the wanted length.
std::string longExpression(std::size_t length)
{
    static const char* const kTerms[] = {"(a+b)/(c-2)", "sqrt(3)*x^2", "root(3,y+1)",
                                         "sin(-z)/7",   "(1+x)^2",     "12.5*pi"};
    std::string text;
    for (std::size_t index = 0; text.size() < length; ++index) {
        if (!text.empty())
            text += index % 3 ? "+" : "-";
        text += kTerms[index % std::size(kTerms)];
    }
    return text;
}

// An expression of the given number of leaves: a sum of products of
// fractions, roots and powers.
std::unique_ptr<kestrane::FractNode> expressionOfLeaves(int leaves)
{
    std::string text;
    for (int count = 0; count < leaves; count += 4) {
        if (!text.empty())
            text += "+";
        text += "sqrt(a)*b/c^2";
    }
    return kestrane::parseExpressionText(text).tree;
}

void KeystrokeOn1000Leaves(benchmark::State& state)
{
    kestrane::ScriptedHost host;
    kestrane::RecordingCanvas canvas;
    kestrane::ExpressionEditor editor(host, canvas);
    editor.setExpression(expressionOfLeaves(1000));
    editor.moveHome();
    editor.moveRight();
    bool type = true;
    for (auto _ : state) {
        // Typing a letter and taking it back, alternately: each is one
        // keystroke with its layout and repaint.
        if (type)
            editor.keyDown('D', {});
        else
            editor.keyDown(static_cast<std::uint16_t>(kestrane::Key::Backspace), {});
        type = !type;
        canvas.clear();
        editor.paint(canvas);
    }
    state.counters["leaves"] = 1000;
}
BENCHMARK(KeystrokeOn1000Leaves)->Unit(benchmark::kMicrosecond);

void ParseAndPrint10000Characters(benchmark::State& state)
{
    std::string text = longExpression(10000);
    for (auto _ : state) {
        kestrane::TextParseResult result = kestrane::parseExpressionText(text);
        std::string printed = kestrane::printExpressionText(*result.tree);
        benchmark::DoNotOptimize(printed);
    }
    state.counters["characters"] = static_cast<double>(text.size());
}
BENCHMARK(ParseAndPrint10000Characters)->Unit(benchmark::kMicrosecond);

void SerializeAndParseTheTree(benchmark::State& state)
{
    auto tree = kestrane::parseExpressionText(longExpression(10000)).tree;
    for (auto _ : state) {
        std::string bytes;
        kestrane::serializeExpression(*tree, bytes);
        std::size_t position = 0;
        auto read = kestrane::parseExpression(bytes, position, 20);
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(SerializeAndParseTheTree)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
