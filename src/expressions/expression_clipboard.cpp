// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_clipboard.h"

#include "expressions/expression_editor.h"
#include "expressions/expression_text.h"
#include "expressions/fract_node.h"
#include "platform/clipboard.h"

namespace kestrane {

void copyExpression(const ExpressionEditor& editor, Clipboard& clipboard)
{
    clipboard.setText(printExpressionText(editor.expression()));
}

bool pasteExpression(ExpressionEditor& editor, const Clipboard& clipboard)
{
    TextParseResult parsed = parseExpressionText(clipboard.text());
    if (!parsed.tree)
        return false;
    if (editor.insertTree(copyTree(*parsed.tree)))
        return true;
    // Not in an empty slot: a product makes one beside the caret.
    editor.insertOperation('*');
    return editor.insertTree(std::move(parsed.tree));
}

} // namespace kestrane
