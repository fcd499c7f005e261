// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/fract_layout.h"

#include "expressions/fract_node.h"
#include "expressions/mark_matching.h"
#include "platform/canvas.h"

#include <algorithm>
#include <utility>

namespace kestrane {

namespace {

void useFont(Canvas& canvas, int height, const std::string& name)
{
    CanvasFont font;
    font.name = name;
    font.pixelHeight = std::max(1, height);
    canvas.setFont(font);
}

// The sign width of a node: the width of "+" at its font height. It belongs
// to the node being laid out, so that a child's font never leaks into its
// parent's rows.
int signWidthAt(Canvas& canvas, int height, const std::string& name)
{
    useFont(canvas, height, name);
    return canvas.textWidth("+");
}

int textWidthOf(Canvas& canvas, const FractNode& leaf, const std::string& name)
{
    if (leaf.isSlot())
        return canvas.textWidth("w");
    if (leaf.symbol) {
        CanvasFont font;
        font.name = "Symbol";
        font.pixelHeight = std::max(1, leaf.fontHeight);
        canvas.setFont(font);
        int width = canvas.textWidth(displayText(leaf));
        useFont(canvas, leaf.fontHeight, name);
        return width;
    }
    return canvas.textWidth(*leaf.text);
}

// The marks of a row that lie in the span [first, first + count).
template<typename Visit>
void forSpan(MarkRow* row, int first, int count, Visit visit)
{
    if (!row || first < 0)
        return;
    for (int index = first; index < first + count && index < row->count(); ++index)
        visit(*row->items[static_cast<std::size_t>(index)], index - first);
}

// Step 1 of mark spans for a node without operands; steps 2-4 otherwise.
// first and last are the node's leftmost and rightmost leaves.
void spanOfNode(FractNode& node, FractNode& first, FractNode& last)
{
    MarkRow* open = first.openRow.get();
    MarkRow* close = last.closeRow.get();
    bool hasOpen = open && !open->empty();
    bool hasClose = close && !close->empty();
    node.markSpan = 0;
    if (node.isOperation()) {
        node.openIndex = node.left->openIndex;
        node.closeIndex = node.right->closeIndex + node.right->markSpan;
        if (hasOpen && hasClose)
            node.markSpan =
                std::max(0, std::min(node.left->openIndex, close->count() - node.closeIndex));
    } else {
        node.openIndex = hasOpen ? open->count() : -1;
        node.closeIndex = hasClose ? 0 : -1;
        if (hasOpen && hasClose)
            node.markSpan = std::min(open->count(), close->count());
    }
    node.openIndex -= node.markSpan;
}

void layoutRootHeights(FractNode& node)
{
    // Innermost root first: each one further out stands 5 pixels higher.
    MarkRow* open = leftmostLeaf(node).openRow.get();
    int level = 0;
    for (int index = node.openIndex + node.markSpan - 1; index >= node.openIndex && open; --index) {
        MarkItem& item = *open->items[static_cast<std::size_t>(index)];
        RootMark* root = item.rootPart();
        if (!root)
            continue;
        ++level;
        root->height = node.above + node.below + 5 * level - 2;
        root->heightPlus5 = root->height + 5;
        root->hookWidth = root->heightPlus5 * 3 / 7;
        root->hookWidth2 = root->hookWidth;
    }
}

int rowWidth(MarkRow* row, Canvas& canvas, int signWidth, const FractNode& owner,
             const std::string& name);

int itemWidth(MarkItem& item, Canvas& canvas, int signWidth, int fontHeight,
              const std::string& name)
{
    int width = 0;
    if (item.paren) {
        ParenMark& paren = *item.paren;
        paren.textWidth = canvas.textWidth(item.isOpening ? "(" : ")");
        width = paren.textWidth + (paren.sign2 == '-' ? signWidth : 0);
        if (paren.exponent) {
            width += measure(*paren.exponent, canvas, name);
            useFont(canvas, fontHeight, name);
        }
        paren.width = width;
    } else if (item.root) {
        width = item.isOpening ? item.root->hookWidth2 : 0;
    } else if (item.function) {
        width = canvas.textWidth("(");
        if (item.isOpening)
            width += canvas.textWidth(functionName(item.function->code));
    }
    item.width = width;
    return width;
}

int rowWidth(MarkRow* row, Canvas& canvas, int signWidth, const FractNode& owner,
             const std::string& name)
{
    if (!row)
        return 0;
    row->leadingMinus = row->isOpening && !row->empty() && row->items.front()->signBefore == '-' &&
                        signContext(owner).role != NodeRole::RightOperand;
    int width = row->leadingMinus ? signWidth : 0;
    for (int index = 0; index < row->count(); ++index) {
        MarkItem& item = *row->items[static_cast<std::size_t>(index)];
        if (index > 0 && row->isOpening && item.signBefore == '-')
            width += signWidth;
        width += itemWidth(item, canvas, signWidth, owner.fontHeight, name);
    }
    row->width = width;
    return width;
}

int rowWidthOf(const MarkRow* row)
{
    return row ? row->width : 0;
}

bool showsNegativeNumber(const FractNode& node)
{
    return node.numberSign.sign == '-' && node.hasText() && drawsLeadingSign(node);
}

void placeRow(MarkRow* row, int start, int signWidth)
{
    if (!row)
        return;
    row->x = start;
    int position = start + (row->leadingMinus ? signWidth : 0);
    for (int index = 0; index < row->count(); ++index) {
        MarkItem& item = *row->items[static_cast<std::size_t>(index)];
        if (index > 0 && row->isOpening && item.signBefore == '-')
            position += signWidth;
        item.x = position;
        if (item.paren) {
            item.paren->x = position;
            item.paren->x2 = position + item.width;
        }
        if (RootMark* root = item.rootPart())
            root->x = position;
        position += item.width;
    }
}

// Roots and parenthesis exponents stand over the node they enclose, so they
// are placed once every node has its position.
void placeSpanMarks(FractNode& node, Canvas& canvas, const std::string& fontName)
{
    int h = node.fontHeight;
    forSpan(leftmostLeaf(node).openRow.get(), node.openIndex, node.markSpan,
            [&node](MarkItem& item, int) {
                if (RootMark* root = item.rootPart())
                    root->y = node.y + node.below - root->height;
            });
    int top = node.y - node.above - node.rootRoom;
    forSpan(rightmostLeaf(node).closeRow.get(), node.closeIndex, node.markSpan,
            [&](MarkItem& item, int) {
                if (!item.paren || !item.paren->exponent)
                    return;
                FractNode& exponent = *item.paren->exponent;
                exponent.y = top + h * 3 / 8 - exponent.below;
                top -= exponent.height - h * 3 / 8;
                place(exponent, canvas, fontName);
            });
}

void placeSpans(FractNode& node, Canvas& canvas, const std::string& fontName)
{
    if (node.markSpan > 0)
        placeSpanMarks(node, canvas, fontName);
    for (auto* child :
         {&node.exponent, &node.left, &node.right, &node.numerator, &node.denominator}) {
        if (*child)
            placeSpans(**child, canvas, fontName);
    }
    for (auto* row : {node.openRow.get(), node.closeRow.get()}) {
        if (!row)
            continue;
        for (auto& item : row->items) {
            if (item->paren && item->paren->exponent)
                placeSpans(*item->paren->exponent, canvas, fontName);
            RootMark* root = item->rootPart();
            if (root && item->isOpening)
                root->barLength = root->partner ? root->partner->x - root->x : root->hookWidth2;
        }
    }
}

// Room over a node for the marks that enclose it exactly (step 6 of the
// vertical layout).
void layoutEnclosingMarks(FractNode& node)
{
    int h = node.fontHeight;
    int roots = 0;
    forSpan(leftmostLeaf(node).openRow.get(), node.openIndex, node.markSpan,
            [&roots](MarkItem& item, int) { roots += item.isParen() ? 0 : 1; });
    node.rootRoom = 5 * roots;
    forSpan(rightmostLeaf(node).closeRow.get(), node.closeIndex, node.markSpan,
            [&node, h](MarkItem& item, int) {
                if (item.paren && item.paren->exponent)
                    node.closeExpRoom += item.paren->exponent->height - h * 3 / 8;
            });
    layoutRootHeights(node);
}

// The room between a node's top and the upper stroke of the highest root
// overline inside it (a large number when no root reaches near the top).
// Exponents stand clear of the top, so only the node's own marks, its
// operands and its numerator count.
int rootClearance(const FractNode& node)
{
    constexpr int kNoRoot = 1 << 20;
    int clearance = kNoRoot;
    // Roots and functions enclosing the node stand 5 pixels apart, innermost
    // first; the outermost root's overline is at y - above - 5 * level + 2,
    // its second stroke one pixel higher.
    int level = 0;
    int rootLevel = 0;
    forSpan(leftmostLeaf(node).openRow.get(), node.openIndex, node.markSpan,
            [&](MarkItem& item, int) {
                if (!item.rootPart())
                    return;
                ++level;
                if (item.root && rootLevel == 0)
                    rootLevel = level;
            });
    // The walk goes outside in: the first root met is the outermost.
    if (rootLevel > 0)
        clearance = node.aboveTotal - node.above - 5 * (level - rootLevel + 1) + 1;
    if (node.isOperation()) {
        for (const FractNode* operand : {node.left.get(), node.right.get()})
            clearance = std::min(clearance,
                                 node.aboveTotal - operand->aboveTotal + rootClearance(*operand));
    } else if (node.isFraction()) {
        clearance =
            std::min(clearance, node.aboveTotal - node.above + rootClearance(*node.numerator));
    }
    return clearance;
}

} // namespace

int denominatorGap(const FractNode& fraction)
{
    if (!fraction.isFraction())
        return 0;
    // The gap grows with the font, so that a thick bar never meets the
    // overline of a root at any size.
    int wanted = 3 + fraction.fontHeight / 8;
    return std::max(0, wanted - rootClearance(*fraction.denominator));
}

namespace {

} // namespace

std::string displayText(const FractNode& leaf)
{
    if (!leaf.text)
        return {};
    if (leaf.symbol && leaf.text->size() == 1) {
        switch ((*leaf.text)[0]) {
        case 'p':
            return "\u03C0";
        case 'a':
            return "\u03B1";
        case 'b':
            return "\u03B2";
        case 'c':
            return "\u03B3";
        case 'e':
            return "\u03B5";
        default:
            break;
        }
    }
    return *leaf.text;
}

namespace {

// Returns the node's leftmost and rightmost leaves, so that no walk to the
// ends is repeated.
std::pair<FractNode*, FractNode*> spansOf(FractNode& node)
{
    std::pair<FractNode*, FractNode*> ends{&node, &node};
    if (node.exponent)
        spansOf(*node.exponent);
    if (node.isOperation()) {
        ends.first = spansOf(*node.left).first;
        ends.second = spansOf(*node.right).second;
    } else if (node.isFraction()) {
        spansOf(*node.denominator);
        spansOf(*node.numerator);
    }
    if (node.closeRow) {
        for (auto& item : node.closeRow->items) {
            if (item->paren && item->paren->exponent)
                spansOf(*item->paren->exponent);
        }
    }
    spanOfNode(node, *ends.first, *ends.second);
    return ends;
}

} // namespace

void computeMarkSpans(FractNode& node)
{
    spansOf(node);
}

int verticalLayout(FractNode& node)
{
    int h = node.fontHeight;
    // 1. A plain line of text.
    node.below = node.above = node.aboveNoExp = h / 2;
    node.aboveTotal = node.above;
    // 2-3. Operands side by side; a fraction's parts above and below its bar.
    if (node.isOperation()) {
        verticalLayout(*node.left);
        verticalLayout(*node.right);
        node.below = std::max(node.left->below, node.right->below);
        node.above = std::max(node.left->aboveTotal, node.right->aboveTotal);
        node.aboveNoExp = node.aboveTotal = node.above;
    } else if (node.isFraction()) {
        node.above = verticalLayout(*node.numerator);
        node.below = verticalLayout(*node.denominator) + denominatorGap(node);
        node.aboveNoExp = node.aboveTotal = node.above;
    }
    // 4-5. The exponent raises the top.
    if (node.exponent) {
        int exponentHeight = verticalLayout(*node.exponent);
        node.aboveNoExp = node.above;
        node.above += exponentHeight - h * 3 / 8;
    }
    node.aboveTotal = std::max(node.aboveTotal, node.above);
    if (node.closeRow) {
        for (auto& item : node.closeRow->items) {
            if (item->paren && item->paren->exponent)
                verticalLayout(*item->paren->exponent);
        }
    }
    // 6. Room for the roots and closing exponents that enclose this node.
    node.rootRoom = 0;
    node.closeExpRoom = 0;
    if (node.markSpan > 0)
        layoutEnclosingMarks(node);
    // 7. Totals.
    node.aboveTotal += node.rootRoom + node.closeExpRoom;
    node.height = node.aboveTotal + node.below;
    node.heightNoTop = node.above + node.below;
    node.heightNoExp = node.aboveNoExp + node.below;
    return node.height;
}

int measure(FractNode& node, Canvas& canvas, const std::string& name)
{
    // 1-2. Font, sign width and the operator gap of this node.
    int signWidth = signWidthAt(canvas, node.fontHeight, name);
    int gap = signWidth * 5 / 3;
    if (node.sizeClass != kNormalSize)
        gap = gap * 3 / 4;
    // 3-4. Operands.
    int width = 0;
    if (node.isOperation()) {
        node.left->opSign.width = gap;
        width = measure(*node.left, canvas, name) + measure(*node.right, canvas, name) + gap;
        useFont(canvas, node.fontHeight, name);
    } else if (node.isFraction()) {
        int denominator = measure(*node.denominator, canvas, name);
        width = std::max(denominator, measure(*node.numerator, canvas, name));
        useFont(canvas, node.fontHeight, name);
    }
    // 5. The marks around it.
    width += rowWidth(node.openRow.get(), canvas, signWidth, node, name);
    width += rowWidth(node.closeRow.get(), canvas, signWidth, node, name);
    // 6-7. Text, and room for a minus before a negative number.
    if (node.hasText())
        width += textWidthOf(canvas, node, name);
    if (showsNegativeNumber(node))
        width += signWidth + 4;
    // 8. Exponent.
    node.expWidth = 0;
    if (node.exponent) {
        node.expWidth = measure(*node.exponent, canvas, name);
        useFont(canvas, node.fontHeight, name);
        width += node.expWidth;
    }
    node.width = width;
    return width;
}

void place(FractNode& node, Canvas& canvas, const std::string& fontName)
{
    int h = node.fontHeight;
    int signWidth = signWidthAt(canvas, h, fontName);
    int gap = signWidth * 5 / 3;
    if (node.sizeClass != kNormalSize)
        gap = gap * 3 / 4;
    int leftEdge = node.x - node.width / 2;
    int closeWidth = rowWidthOf(node.closeRow.get());
    node.y2 = node.y - h / 2;
    // 1. The exponent stands just before the closing marks.
    if (node.exponent) {
        FractNode& exponent = *node.exponent;
        exponent.x = node.x + node.width / 2 - exponent.width / 2 - closeWidth;
        exponent.y = node.y - node.aboveNoExp + h * 3 / 8 - exponent.below;
        place(exponent, canvas, fontName);
    }
    // 2. Rows; a closing parenthesis' exponent follows its ")".
    placeRow(node.openRow.get(), leftEdge, signWidth);
    placeRow(node.closeRow.get(), node.x + node.width / 2 - closeWidth, signWidth);
    if (node.closeRow) {
        for (auto& item : node.closeRow->items) {
            if (!item->paren || !item->paren->exponent)
                continue;
            FractNode& exponent = *item->paren->exponent;
            int start = item->paren->x + (item->paren->sign2 == '-' ? signWidth : 0) +
                        item->paren->textWidth;
            exponent.x = start + exponent.width / 2;
            exponent.y = node.y - h / 2 + h * 3 / 8 - exponent.below;
            place(exponent, canvas, fontName);
        }
    }
    // 3. Text.
    node.textX = leftEdge + rowWidthOf(node.openRow.get());
    if (showsNegativeNumber(node))
        node.textX += signWidth + 2;
    // 4-5. Operands; numerator and denominator centred over each other.
    if (node.isOperation()) {
        FractNode& left = *node.left;
        FractNode& right = *node.right;
        left.x = leftEdge + left.width / 2;
        right.x = node.x + node.width / 2 - right.width / 2;
        left.y = right.y = node.y;
        left.opSign.x = leftEdge + left.width + gap / 2;
        left.opSign.y = node.y;
        left.opSign.height = h;
        place(left, canvas, fontName);
        place(right, canvas, fontName);
    } else if (node.isFraction()) {
        FractNode& numerator = *node.numerator;
        FractNode& denominator = *node.denominator;
        denominator.x = node.textX + std::max(numerator.width, denominator.width) / 2;
        numerator.x = denominator.x;
        numerator.y = node.y - numerator.below;
        denominator.y = node.y + denominatorGap(node) + denominator.aboveTotal;
        place(numerator, canvas, fontName);
        place(denominator, canvas, fontName);
    }
}

int computeBarThickness(FractNode& node)
{
    int thickness = 0;
    if (node.isOperation())
        thickness = std::max(computeBarThickness(*node.left), computeBarThickness(*node.right));
    else if (node.isFraction())
        thickness = 1 + std::max(computeBarThickness(*node.numerator),
                                 computeBarThickness(*node.denominator));
    if (node.exponent)
        computeBarThickness(*node.exponent);
    if (node.closeRow) {
        for (auto& item : node.closeRow->items) {
            if (item->paren && item->paren->exponent)
                computeBarThickness(*item->paren->exponent);
        }
    }
    node.barThickness = thickness;
    return thickness;
}

namespace {

void measureExpression(FractNode& root, Canvas& canvas, const std::string& fontName)
{
    fixUp(root);
    matchMarks(root);
    computeMarkSpans(root);
    verticalLayout(root);
    measure(root, canvas, fontName);
}

void placeExpression(FractNode& root, Canvas& canvas, int centre, int top,
                     const std::string& fontName)
{
    root.x = centre;
    root.y = top + root.aboveTotal;
    place(root, canvas, fontName);
    placeSpans(root, canvas, fontName);
    computeBarThickness(root);
}

} // namespace

void layoutExpression(FractNode& root, Canvas& canvas, int left, int top,
                      const std::string& fontName)
{
    measureExpression(root, canvas, fontName);
    placeExpression(root, canvas, left + root.width / 2, top, fontName);
}

void layoutExpressionCentred(FractNode& root, Canvas& canvas, int centre, int minimumLeft, int top,
                             const std::string& fontName)
{
    measureExpression(root, canvas, fontName);
    placeExpression(root, canvas, std::max(centre, minimumLeft + root.width / 2), top, fontName);
}

} // namespace kestrane
