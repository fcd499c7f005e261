// SPDX-License-Identifier: GPL-3.0-or-later
// The linear notation is read from the command line and from expression
// files: no text may crash the reader, and what it accepts must print to a
// text that reads back as the same tree and prints the same again.
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "platform/recording_canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    kestrane::TextParseResult result = kestrane::parseExpressionText(text);
    if (!result.tree) {
        if (result.error.rfind("column ", 0) != 0)
            __builtin_trap();
        return 0;
    }
    std::string printed = kestrane::printExpressionText(*result.tree);
    kestrane::TextParseResult again = kestrane::parseExpressionText(printed);
    if (!again.tree || !kestrane::sameTree(*again.tree, *result.tree) ||
        kestrane::printExpressionText(*again.tree) != printed)
        __builtin_trap();
    std::string bytes;
    if (!kestrane::serializeExpression(*result.tree, bytes))
        __builtin_trap();
    std::size_t position = 0;
    std::unique_ptr<kestrane::FractNode> read = kestrane::parseExpression(bytes, position, 20);
    if (!read || !kestrane::sameTree(*read, *result.tree))
        __builtin_trap();
    kestrane::RecordingCanvas canvas;
    kestrane::layoutExpression(*result.tree, canvas, 0, 0);
    return 0;
}
