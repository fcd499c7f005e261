// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestrane {

class Canvas;
struct FractNode;

// Layout of an expression tree in pixels. All divisions truncate toward zero.
// The passes run in this order after every change: fix-up and mark matching
// (fract_node.h, mark_matching.h), mark spans, vertical layout (it reads no
// widths, so a root's hook follows the height of what it encloses now),
// measure, then place. layoutExpression runs them all.

// For each node: how many bracket marks enclose exactly it (markSpan) and
// where they start in its leftmost leaf's opening row (openIndex) and its
// rightmost leaf's closing row (closeIndex).
void computeMarkSpans(FractNode& node);

// Heights above and below the reference line; the room of enclosing roots and
// of exponents on enclosing closing parentheses. Returns the height.
int verticalLayout(FractNode& node);

// The font family expressions are measured and drawn in unless a window
// chooses another.
inline const std::string kExpressionFont = "Arial";

// Widths, measured on the canvas in the named font at each node's font
// height. Returns the width.
int measure(FractNode& node, Canvas& canvas, const std::string& fontName = kExpressionFont);

// Positions: each node's x is its horizontal centre, y its reference line and
// y2 the top of its text. Needs measure and vertical layout.
void place(FractNode& node, Canvas& canvas, const std::string& fontName = kExpressionFont);

// The thickness of each fraction's bar: 0 at a leaf, the larger of the
// operands' at an operation, one more than the larger of numerator's and
// denominator's at a fraction. Returns the root's value.
int computeBarThickness(FractNode& node);

// Every pass in order, with the tree's left edge at left and its top at top.
void layoutExpression(FractNode& root, Canvas& canvas, int left, int top,
                      const std::string& fontName = kExpressionFont);

// Every pass in order, with the tree's centre at x = centre and its top at
// top; a tree too wide for that keeps its left edge at minimumLeft, so that
// its start stays in view.
void layoutExpressionCentred(FractNode& root, Canvas& canvas, int centre, int minimumLeft, int top,
                             const std::string& fontName = kExpressionFont);

// The extra room under a fraction's bar: a root whose overline would stand
// at the top of the denominator is moved down, so that the overline keeps a
// gap of 3 + fontHeight / 8 pixels to the bar. 0 for other nodes.
int denominatorGap(const FractNode& fraction);

// The text a leaf shows: Greek letters for symbols, the text otherwise.
std::string displayText(const FractNode& leaf);

} // namespace kestrane
