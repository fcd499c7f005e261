// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrane {

struct FractNode;

// What one node of an expression form computes.
enum class FormKind : std::uint8_t {
    Number,        // text: the decimal digits as written
    Name,          // text: the name as the notation writes it ("x", "ab12", "α", "pi")
    Pi,            // the symbol π
    ImaginaryUnit, // the name "i"
    Empty,         // a slot still to be filled in
    Unreadable,    // a leaf whose text no evaluation can read (text: that text)
    Add,
    Subtract,
    Multiply,
    Divide,
    Negate,
    Power,    // first ^ second
    Group,    // brackets: the value of first (code 1: brackets the text needs for grouping)
    Root,     // code: the degree
    Function, // code: the function's code
};

struct FormNode {
    FormKind kind = FormKind::Empty;
    // The operand (first) of a one-operand node, the left and right operands
    // of a two-operand one; -1 where there is none.
    int first = -1;
    int second = -1;
    int code = 0;
    std::string text;
    // Power: the exponent's tree, for passes that write it out again.
    const FractNode* exponent = nullptr;
};

// An expression tree read once into the shape its evaluators share: the
// operations with their operands in the order the expression is read, the
// marks as the groups, roots and functions they make, each sign as a Negate.
// It is the meaning of the tree's text in the linear notation, taken from the
// tree itself: the marks, minus signs, exponents and grouping brackets apply
// exactly as they do when the printed text is read back. A form built from a
// tree points into it (the exponents) and lives no longer than it.
class ExpressionForm {
public:
    static ExpressionForm of(const FractNode& tree);

    const FormNode& at(int index) const { return m_nodes[static_cast<std::size_t>(index)]; }
    // The value's node; for name=value, the node of the value.
    int root() const { return m_root; }
    // name=value at the top: definedName() is the node of the left side.
    bool isDefinition() const { return m_definedName >= 0; }
    int definedName() const { return m_definedName; }
    // A tree deeper than the readers allow is not read at all.
    bool tooDeep() const { return m_tooDeep; }
    int size() const { return static_cast<int>(m_nodes.size()); }

private:
    friend class FormBuilder;
    std::vector<FormNode> m_nodes;
    int m_root = -1;
    int m_definedName = -1;
    bool m_tooDeep = false;
    // A tree read through its text: the exponents point into it.
    std::shared_ptr<const FractNode> m_source;
};

} // namespace kestrane
