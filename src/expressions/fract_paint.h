// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/fract_layout.h"
#include "platform/colour.h"

#include <string>

namespace kestrane {

class Canvas;
struct FractNode;
struct MarkItem;

// How roots are coloured: blue while the caret stands on a root's opening
// mark, dark green while the root lies in the selection, red otherwise.
inline constexpr ColorRef kRootCaretColour = rgb(40, 40, 240);
inline constexpr ColorRef kRootSelectedColour = rgb(0, 127, 0);
inline constexpr ColorRef kRootColour = rgb(255, 0, 0);

struct PaintOptions {
    // Fills the node's box first (widened by the font height around it).
    bool withBackground = false;
    ColorRef background = kWhite;
    // The opening root mark the caret stands on, and the selected subtree.
    const MarkItem* caretMark = nullptr;
    const FractNode* selection = nullptr;
    // The family the tree was measured in (fract_layout.h).
    std::string fontName = kExpressionFont;
};

// Draws a laid-out tree (fract_layout.h) on the canvas.
void paintExpression(const FractNode& node, Canvas& canvas, const PaintOptions& options = {});

} // namespace kestrane
