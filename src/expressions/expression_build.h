// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/fract_node.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Builds trees from their parts exactly as the linear notation's reader
// does, so that code which makes expressions of its own (exact results,
// root formulas) gets the tree its text would read into without writing
// and reading the text. The reader itself is made of these steps.
class TreePiece {
public:
    TreePiece() = default;

    // A number of digits with at most one '.'.
    static TreePiece number(std::string digits);
    // A name as the notation writes it: "pi" and the Greek letters become
    // symbols, anything else a plain leaf.
    static TreePiece name(std::string_view name);
    static TreePiece slot();
    // (inner): its parentheses become marks unless the group ends up a
    // whole numerator, denominator or exponent.
    static TreePiece group(TreePiece inner);
    // left sign right for the signs + - * and =.
    static TreePiece operation(char sign, TreePiece left, TreePiece right);
    static TreePiece fraction(TreePiece numerator, TreePiece denominator);
    static TreePiece power(TreePiece base, TreePiece exponent);
    // -operand, the minus where the notation puts it.
    static TreePiece negated(TreePiece operand);
    // sqrt(radicand) for degree 2, root(degree,radicand) up to 9.
    static TreePiece root(int degree, TreePiece radicand);
    // A function by its mark code, as in sin(argument).
    static TreePiece function(int code, TreePiece argument);
    // The piece as a whole expression: a group's parentheses become marks.
    static TreePiece whole(TreePiece piece);
    // A finished tree (a copy, say) as a piece of a larger one.
    static TreePiece of(std::unique_ptr<FractNode> tree);

    explicit operator bool() const { return m_node != nullptr; }
    // The leaf or node built so far (null when empty).
    const FractNode* node() const { return m_node.get(); }

    // The finished tree, fixed up with its marks matched; null when it nests
    // deeper or holds more marks at one number than any reader accepts.
    std::unique_ptr<FractNode> tree(int fontHeight = 20) &&;
    // The same without the limits, for a reader that reports them itself.
    std::unique_ptr<FractNode> unchecked(int fontHeight = 20) &&;

private:
    TreePiece(std::unique_ptr<FractNode> node, bool bareGroup)
        : m_node(std::move(node))
        , m_bareGroup(bareGroup)
    {
    }
    // The node with a bare group's parentheses made marks.
    std::unique_ptr<FractNode> materialize() &&;

    std::unique_ptr<FractNode> m_node;
    bool m_bareGroup = false;
};

// Why a tree is past the readers' limits (nesting, marks at one number): the
// message as marked for translation, %1 standing for the limit.
struct TreeLimitProblem {
    std::string message;
    std::string value;
};

// The problem, or nothing when the tree is within the limits.
std::optional<TreeLimitProblem> treeLimitProblem(const FractNode& tree);

} // namespace kestrane
