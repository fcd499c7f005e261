// SPDX-License-Identifier: GPL-3.0-or-later
// Fraction files, memories and the clipboard of expressions carry the byte
// form of expression trees: no bytes may crash the reader, and what it
// accepts must write and read back the same and lay out and paint.
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"
#include "expressions/fract_paint.h"
#include "platform/recording_canvas.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t position = 0;
    std::unique_ptr<kestrane::FractNode> tree = kestrane::parseExpression(bytes, position, 20);
    if (!tree)
        return 0;
    if (position > size)
        __builtin_trap();
    std::string written;
    if (!kestrane::serializeExpression(*tree, written))
        __builtin_trap();
    std::size_t again = 0;
    std::unique_ptr<kestrane::FractNode> reread = kestrane::parseExpression(written, again, 20);
    if (!reread || again != written.size() || !kestrane::sameTree(*reread, *tree))
        __builtin_trap();
    kestrane::RecordingCanvas canvas;
    kestrane::layoutExpression(*tree, canvas, 10, 10);
    kestrane::paintExpression(*tree, canvas);
    kestrane::printExpressionText(*tree);
    std::unique_ptr<kestrane::FractNode> copy = kestrane::copyTree(*tree);
    if (!kestrane::sameTree(*copy, *tree))
        __builtin_trap();
    return 0;
}
