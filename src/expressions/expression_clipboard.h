// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrane {

class Clipboard;
class ExpressionEditor;

// Ctrl+C: the expression in the linear notation onto the clipboard.
void copyExpression(const ExpressionEditor& editor, Clipboard& clipboard);
// Shift+Insert: the clipboard's notation at the caret, in place of an empty
// slot or else joined to the caret's place by '*'. Text that is not an
// expression changes nothing; returns whether it was pasted.
bool pasteExpression(ExpressionEditor& editor, const Clipboard& clipboard);

} // namespace kestrane
