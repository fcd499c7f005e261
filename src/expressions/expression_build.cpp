// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_build.h"

#include "expressions/mark_matching.h"
#include "platform/translation.h"

#include <vector>

namespace kestrane {

namespace {

void wrapInMarks(FractNode& node, std::unique_ptr<MarkItem> opening,
                 std::unique_ptr<MarkItem> closing)
{
    leftmostLeaf(node).ensureOpenRow().insert(0, std::move(opening));
    rightmostLeaf(node).ensureCloseRow().append(std::move(closing));
}

void applyMinus(FractNode& node)
{
    FractNode& leaf = leftmostLeaf(node);
    if (leaf.hasOpenMarks())
        leaf.openRow->items.front()->signBefore = '-';
    else if (leaf.isFraction())
        applyMinus(*leaf.numerator);
    else
        leaf.numberSign.sign = '-';
}

} // namespace

TreePiece TreePiece::number(std::string digits)
{
    return {FractNode::makeLeaf(std::move(digits)), false};
}

TreePiece TreePiece::name(std::string_view name)
{
    static constexpr std::pair<std::string_view, char> kSymbols[] = {
        {"\u03C0", 'p'}, {"pi", 'p'},     {"\u03B1", 'a'},
        {"\u03B2", 'b'}, {"\u03B3", 'c'}, {"\u03B5", 'e'}};
    for (auto [spelling, symbol] : kSymbols) {
        if (name == spelling)
            return {FractNode::makeLeaf(std::string(1, symbol), true), false};
    }
    return {FractNode::makeLeaf(std::string(name)), false};
}

TreePiece TreePiece::slot()
{
    return {FractNode::makeSlot(), false};
}

TreePiece TreePiece::group(TreePiece inner)
{
    return {std::move(inner).materialize(), true};
}

TreePiece TreePiece::operation(char sign, TreePiece left, TreePiece right)
{
    return {FractNode::makeOperation(sign, std::move(left).materialize(),
                                     std::move(right).materialize()),
            false};
}

TreePiece TreePiece::fraction(TreePiece numerator, TreePiece denominator)
{
    // A whole numerator or denominator needs no parentheses of its own.
    return {FractNode::makeFraction(std::move(numerator.m_node), std::move(denominator.m_node)),
            false};
}

TreePiece TreePiece::power(TreePiece base, TreePiece exponent)
{
    std::unique_ptr<FractNode> node = std::move(base.m_node);
    const bool plainLeaf =
        !base.m_bareGroup && node->hasText() && !node->hasOpenMarks() && !node->exponent;
    if (plainLeaf) {
        node->exponent = std::move(exponent.m_node);
        return {std::move(node), false};
    }
    // Anything else takes its exponent on a closing parenthesis.
    auto closing = MarkItem::makeParen(false);
    closing->paren->exponent = std::move(exponent.m_node);
    wrapInMarks(*node, MarkItem::makeParen(true), std::move(closing));
    return {std::move(node), false};
}

TreePiece TreePiece::negated(TreePiece operand)
{
    std::unique_ptr<FractNode> node = std::move(operand).materialize();
    applyMinus(*node);
    return {std::move(node), false};
}

TreePiece TreePiece::root(int degree, TreePiece radicand)
{
    std::unique_ptr<FractNode> node = std::move(radicand).materialize();
    wrapInMarks(*node, MarkItem::makeRoot(true, degree), MarkItem::makeRoot(false));
    return {std::move(node), false};
}

TreePiece TreePiece::function(int code, TreePiece argument)
{
    std::unique_ptr<FractNode> node = std::move(argument).materialize();
    wrapInMarks(*node, MarkItem::makeFunction(true, code), MarkItem::makeFunction(false, code));
    return {std::move(node), false};
}

TreePiece TreePiece::of(std::unique_ptr<FractNode> tree)
{
    tree->parent = nullptr;
    return {std::move(tree), false};
}

TreePiece TreePiece::whole(TreePiece piece)
{
    return {std::move(piece).materialize(), false};
}

std::unique_ptr<FractNode> TreePiece::materialize() &&
{
    if (m_node && m_bareGroup)
        wrapInMarks(*m_node, MarkItem::makeParen(true), MarkItem::makeParen(false));
    m_bareGroup = false;
    return std::move(m_node);
}

std::unique_ptr<FractNode> TreePiece::unchecked(int fontHeight) &&
{
    std::unique_ptr<FractNode> tree = std::move(*this).materialize();
    if (!tree)
        return nullptr;
    tree->fontHeight = fontHeight;
    fixUp(*tree);
    matchMarks(*tree);
    return tree;
}

std::unique_ptr<FractNode> TreePiece::tree(int fontHeight) &&
{
    std::unique_ptr<FractNode> tree = std::move(*this).materialize();
    if (!tree || treeLimitProblem(*tree))
        return nullptr;
    TreePiece whole(std::move(tree), false);
    return std::move(whole).unchecked(fontHeight);
}

std::optional<TreeLimitProblem> treeLimitProblem(const FractNode& tree)
{
    if (treeDepth(tree) > kMaxNesting)
        return TreeLimitProblem{N_("the expression nests deeper than %1 levels"),
                                std::to_string(kMaxNesting)};
    const bool withinLimit = everyNode(tree, [](const FractNode& node) {
        return (!node.openRow || node.openRow->count() <= kMaxRowMarks) &&
               (!node.closeRow || node.closeRow->count() <= kMaxRowMarks);
    });
    if (!withinLimit)
        return TreeLimitProblem{N_("more than %1 marks stand at one number"),
                                std::to_string(kMaxRowMarks)};
    return std::nullopt;
}

} // namespace kestrane
