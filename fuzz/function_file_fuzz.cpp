// SPDX-License-Identifier: GPL-3.0-or-later
// Function and expression files come from disk: no bytes may crash or hang
// the readers; each either gives an expression that evaluates, with ordered
// domain ends, or a message.
#include "algebra/numeric_eval.h"
#include "graphs/function_file.h"
#include "graphs/script_expressions.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FunctionFileRead function = parseFunctionFile(bytes);
    if (function.file) {
        if (!function.file->expression || !(function.file->lower < function.file->upper))
            __builtin_trap();
        NumericProgram::compile(*function.file->expression).evaluate(0.5f);
    } else if (function.message.empty()) {
        __builtin_trap();
    }
    ExpressionFileRead expression = parseExpressionFile(bytes);
    if (expression.file) {
        if (!expression.file->expression)
            __builtin_trap();
        valueWithTable(*expression.file->expression, expression.file->variables);
    } else if (expression.message.empty()) {
        __builtin_trap();
    }
    return 0;
}
