// SPDX-License-Identifier: GPL-3.0-or-later
// Fraction files come from disk and from older versions: no bytes may crash
// the reader, it always ends with an expression, and what it read writes
// out and reads back the same.
#include "algebra/fraction_file.h"
#include "expressions/expression_text.h"
#include "platform/scripted_host.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ScriptedHost host;
    FractionFileContents contents = parseFractionFile(bytes, host);
    if (!contents.expression)
        __builtin_trap();
    if (contents.expressionDamaged && contents.variables.count() != 0)
        __builtin_trap();
    std::optional<std::string> written =
        fractionFileBytes(*contents.expression, contents.description, contents.variables);
    if (!written || contents.variables.count() > kMaxFileVariables)
        return 0;
    FractionFileContents again = parseFractionFile(*written, host);
    if (again.expressionDamaged || again.variablesDamaged ||
        printExpressionText(*again.expression) != printExpressionText(*contents.expression) ||
        again.variables.count() != contents.variables.count())
        __builtin_trap();
    return 0;
}
