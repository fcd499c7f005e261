// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

namespace kestrane {

struct FractNode;

// The owning pointer that holds a node: a child link of its parent, a
// parenthesis exponent in its parent's closing row, or root for the root.
std::unique_ptr<FractNode>& holderOf(FractNode& node, std::unique_ptr<FractNode>& root);

// Rebuilds the operations around a node after an edit, so that the tree
// again follows the marks and the precedence of its operators: the run of
// operation nodes that contains the node (up to a fraction, an exponent or
// the root) is flattened into operands, operators and the brackets that the
// operands' marks open and close, and regrouped with '*' before '+' and '-',
// left to right. Leaves and fractions are kept (a cursor on them stays
// valid); operation nodes are made anew.
void regroupOperations(FractNode& node, std::unique_ptr<FractNode>& root);

// A negative number at the start of a right operand shows no minus of its
// own (the operator stands there). After an edit left one so, its minus is
// folded into a '+' or '-' operator ("a-(-x)" without its brackets is
// "a+x"), and after '*' or '=' the number is put in brackets, where its minus
// shows. Run after fix-up.
void foldHiddenSigns(FractNode& root);

// Resets to '+' every operator sign that no operation reads any more after
// edits moved operands and marks: opSigns of nodes that are neither left
// operands nor the sign's record at the end of one, signAfters of closing
// marks that do not end a left operand, and leadSigns that mirror nothing.
// Run after fix-up; the tree then equals the one its text reads back as.
void clearStaleSigns(FractNode& root);

} // namespace kestrane
