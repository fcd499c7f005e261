// SPDX-License-Identifier: GPL-3.0-or-later
// Every evaluator of expression trees, on any expression the notation reads:
// the long evaluation (real and complex, as the Calculator runs it), the
// single-precision programs of the graphs and the name collector. None may
// crash or hang; a refusal is a message, and a message means no value.
#include "algebra/long_eval.h"
#include "algebra/numeric_eval.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "platform/scripted_host.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    // Longer texts only repeat what short ones reach, at the cost of speed.
    if (size > 300)
        return 0;
    TextParseResult parsed =
        parseExpressionText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.tree)
        return 0;
    const FractNode& tree = *parsed.tree;

    ExpressionNames names = expressionNames(tree);
    for (const std::string& name : names.names) {
        if (name.empty())
            __builtin_trap();
    }
    for (NumberField field : {NumberField::Real, NumberField::Complex}) {
        ScriptedHost host;
        std::optional<LongComplex> value = evaluateLong(tree, {}, field, host);
        if (value && !host.messages().empty())
            __builtin_trap();
    }

    NumericProgram::compile(tree).evaluate(0.5f);
    NumericProgram::compile(tree).evaluate(-3.0f);
    NumericProgram::compileComplex(tree).evaluateComplex({0.5f, -1.0f});
    return 0;
}
