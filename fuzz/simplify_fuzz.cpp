// SPDX-License-Identifier: GPL-3.0-or-later
// Simplification of any expression the notation reads: it ends, never
// crashes, and a numeric result keeps the value of the input, in the main
// view (the normal form) and in the others (the expression put back
// together from its lifted definitions, where I is minus one).
#include "algebra/simplify.h"
#include "expressions/expression_text.h"
#include "numbers/long_int.h"
#include "platform/scripted_host.h"
#include "support/approximate_value.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    using test::Approximation;
    if (size > 200)
        return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TextParseResult parsed = parseExpressionText(text);
    if (!parsed.tree)
        return 0;
    ScriptedHost host;
    const std::string input = printExpressionText(*parsed.tree);
    std::optional<std::complex<double>> before = Approximation(input).value();
    for (int view : {0, 1}) {
        SimplifyRequest request;
        request.tree = parsed.tree.get();
        request.viewMode = view;
        SimplifyResult result = simplifyExpression(request, host);
        clearLongIntOverflow();
        if (!result.tree)
            continue;
        std::string output;
        for (char c : printExpressionText(*result.tree))
            output += c == 'I' ? std::string("(0-1)") : std::string(1, c);
        std::optional<std::complex<double>> after = Approximation(output).value();
        if (!before || !after || !std::isfinite(std::abs(*before)) || std::abs(*before) > 1e6)
            continue;
        if (std::abs(*before - *after) > 1e-9 * std::max(1.0, std::abs(*before)))
            __builtin_trap();
    }
    return 0;
}
