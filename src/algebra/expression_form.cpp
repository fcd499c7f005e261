// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/expression_form.h"

#include "expressions/expression_text.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_node.h"

#include <cctype>
#include <memory>

namespace kestrane {

namespace {

bool isAsciiLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool isAsciiDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool allOf(const std::string& text, bool (*accept)(char))
{
    for (char c : text) {
        if (!accept(c))
            return false;
    }
    return true;
}

bool isNumberCharacter(char c)
{
    return isAsciiDigit(c) || c == '.';
}

bool isNameCharacter(char c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

FormNode formNode(FormKind kind, std::string text = {}, int first = -1, int second = -1,
                  int code = 0)
{
    FormNode node;
    node.kind = kind;
    node.text = std::move(text);
    node.first = first;
    node.second = second;
    node.code = code;
    return node;
}

int marksOf(const MarkRow* row)
{
    return row ? row->count() : 0;
}

} // namespace

int precedence(const FractNode& node)
{
    if (!node.isOperation())
        return node.isFraction() ? 3 : 4;
    switch (node.left->opSign.sign) {
    case '=':
        return 0;
    case '*':
        return 2;
    default:
        return 1;
    }
}

// Reads a tree whose marks each enclose one node, the shape the notation's
// reader and the cursor editor make, with the brackets its text needs for
// grouping where the tree groups without marks. Anything else (marks that
// cross the operations, an exponent on an operation or a fraction, brackets
// for grouping around marks that belong further out) is refused, and the
// tree is then read through its text instead, so that it means what its text
// says.
class FormBuilder {
public:
    explicit FormBuilder(ExpressionForm& form) : m_form(form) {}

    bool build(const FractNode& tree)
    {
        m_top = &tree;
        m_form.m_root = node(tree, true);
        return !m_refused && m_accounted == m_marks;
    }

private:
    int add(FormNode formNode)
    {
        m_form.m_nodes.push_back(std::move(formNode));
        return static_cast<int>(m_form.m_nodes.size()) - 1;
    }

    int unary(FormKind kind, int operand, int code = 0)
    {
        return add(formNode(kind, {}, operand, -1, code));
    }

    int binary(FormKind kind, int left, int right) { return add(formNode(kind, {}, left, right)); }

    // Whether the node's text begins with a minus.
    bool startsWithMinus(int index) const
    {
        const FormNode* node = &m_form.at(index);
        while (node->second >= 0)
            node = &m_form.at(node->first);
        return node->kind == FormKind::Negate;
    }

    // Brackets only for grouping; marks of an enclosing node inside them
    // would pair with the wrong bracket.
    int group(const FractNode& source, int value)
    {
        const MarkRow* open = leftmostLeaf(source).openRow.get();
        const MarkRow* close = rightmostLeaf(source).closeRow.get();
        if ((open && !open->empty() && source.openIndex > 0) ||
            (close && source.closeIndex + source.markSpan < close->count()))
            m_refused = true;
        return add(formNode(FormKind::Group, {}, value, -1, 1));
    }

    int node(const FractNode& node, bool atStart)
    {
        // Deeper trees are not read at all; the walk stops well inside the
        // stack.
        if (m_depth >= kMaxNesting) {
            m_form.m_tooDeep = true;
            return add(formNode(FormKind::Unreadable));
        }
        ++m_depth;
        int value = nodeValue(node, atStart);
        --m_depth;
        return value;
    }

    int nodeValue(const FractNode& node, bool atStart)
    {
        m_marks += marksOf(node.openRow.get()) + marksOf(node.closeRow.get());
        int value = -1;
        if (node.isOperation())
            value = operation(node, atStart);
        else if (node.isFraction())
            value = fraction(node, atStart);
        else
            value = leaf(node);
        if (node.exponent && (node.isOperation() || node.isFraction()))
            m_refused = true;
        return marks(node, value);
    }

    int operation(const FractNode& node, bool atStart)
    {
        const int own = precedence(node);
        const FractNode& leftNode = *node.left;
        const FractNode& rightNode = *node.right;
        int left = -1;
        if (leftNode.markSpan == 0 && precedence(leftNode) < own)
            left = group(leftNode, this->node(leftNode, true));
        else
            left = this->node(leftNode, atStart);
        int right = -1;
        if (rightNode.markSpan == 0 && precedence(rightNode) <= own && own > 0) {
            right = group(rightNode, this->node(rightNode, true));
        } else {
            const std::size_t mark = m_form.m_nodes.size();
            const int marks = m_marks;
            const int accounted = m_accounted;
            right = this->node(rightNode, false);
            if (startsWithMinus(right)) {
                // Read again at the start of a bracket of its own.
                m_form.m_nodes.resize(mark);
                m_marks = marks;
                m_accounted = accounted;
                right = group(rightNode, this->node(rightNode, true));
            }
        }
        switch (node.left->opSign.sign) {
        case '+':
            return binary(FormKind::Add, left, right);
        case '-':
            return binary(FormKind::Subtract, left, right);
        case '*':
            return binary(FormKind::Multiply, left, right);
        case '=':
            // name=value at the top: the value is what is computed.
            if (&node == m_top) {
                m_form.m_definedName = left;
                return right;
            }
            m_refused = true;
            return left;
        default:
            m_refused = true;
            return left;
        }
    }

    int fraction(const FractNode& node, bool atStart)
    {
        const FractNode& numerator = *node.numerator;
        const FractNode& denominator = *node.denominator;
        const bool inside = node.hasOpenMarks();
        int top =
            part(numerator, atStart || inside, numerator.markSpan == 0 && numerator.isOperation());
        int bottom = part(denominator, true, denominator.markSpan == 0 && !denominator.hasText());
        return binary(FormKind::Divide, top, bottom);
    }

    // A numerator, denominator or exponent: a part that reads as one group
    // of marks, or that begins with a minus where none may stand, gets
    // brackets of its own.
    int part(const FractNode& source, bool atStart, bool needsGroup)
    {
        if (needsGroup)
            return group(source, node(source, true));
        const std::size_t mark = m_form.m_nodes.size();
        const int marks = m_marks;
        const int accounted = m_accounted;
        int value = node(source, atStart);
        const FormNode& read = m_form.at(value);
        if (read.kind == FormKind::Group || (!atStart && startsWithMinus(value))) {
            m_form.m_nodes.resize(mark);
            m_marks = marks;
            m_accounted = accounted;
            value = group(source, node(source, true));
        }
        return value;
    }

    int exponent(int base, const FractNode& source)
    {
        int value = part(source, true, source.markSpan == 0 && !source.hasText());
        int power = binary(FormKind::Power, base, value);
        m_form.m_nodes[static_cast<std::size_t>(power)].exponent = &source;
        return power;
    }

    // The leaf's text as the notation writes it, then its exponent, then a
    // minus it shows: -x^2 is -(x^2).
    int leaf(const FractNode& node)
    {
        int value = add(leafValue(node));
        if (node.exponent)
            value = exponent(value, *node.exponent);
        if (node.numberSign.sign == '-' && node.hasText() && drawsLeadingSign(node))
            value = unary(FormKind::Negate, value);
        return value;
    }
    static FormNode leafValue(const FractNode& node)
    {
        if (!node.hasText() || node.isSlot())
            return formNode(FormKind::Empty);
        if (node.symbol && *node.text == "p")
            return formNode(FormKind::Pi);
        std::string text = displayText(node);
        if (text.empty())
            return formNode(FormKind::Unreadable);
        const char first = text[0];
        if ((isAsciiDigit(first) || first == '.') && allOf(text, isNumberCharacter))
            return formNode(FormKind::Number, std::move(text));
        if (isAsciiLetter(first) && allOf(text, isNameCharacter)) {
            if (text == "i")
                return formNode(FormKind::ImaginaryUnit);
            return formNode(FormKind::Name, std::move(text));
        }
        // One letter of two UTF-8 bytes: the Greek symbols.
        if (static_cast<unsigned char>(first) >= 0xC0 && text.size() == 2 &&
            (static_cast<unsigned char>(text[1]) & 0xC0) == 0x80)
            return formNode(FormKind::Name, std::move(text));
        return formNode(FormKind::Unreadable, std::move(text));
    }

    // The marks that enclose exactly this node, innermost first: the mark
    // itself, the exponent of its closing parenthesis, then the minus signs
    // before it.
    int marks(const FractNode& node, int value)
    {
        if (node.markSpan <= 0)
            return value;
        const FractNode& first = leftmostLeaf(node);
        const FractNode& last = rightmostLeaf(node);
        if (!first.openRow || !last.closeRow) {
            m_refused = true;
            return value;
        }
        const bool mirrored = signContext(first).role == NodeRole::RightOperand;
        for (int k = 0; k < node.markSpan; ++k) {
            const int openAt = node.openIndex + node.markSpan - 1 - k;
            const int closeAt = node.closeIndex + k;
            if (openAt < 0 || openAt >= first.openRow->count() || closeAt < 0 ||
                closeAt >= last.closeRow->count()) {
                m_refused = true;
                return value;
            }
            m_accounted += 2;
            const MarkItem& opening = *first.openRow->items[static_cast<std::size_t>(openAt)];
            const MarkItem& closing = *last.closeRow->items[static_cast<std::size_t>(closeAt)];
            if (opening.root && (opening.root->degree < 2 || opening.root->degree > 9))
                m_refused = true;
            if (opening.root)
                value = unary(FormKind::Root, value, opening.root->degree);
            else if (opening.function && !functionName(opening.function->code).empty())
                value = unary(FormKind::Function, value, opening.function->code);
            else
                value = unary(FormKind::Group, value);
            if (closing.paren && closing.paren->exponent)
                value = exponent(value, *closing.paren->exponent);
            if (opening.paren && opening.paren->sign2 == '-')
                value = unary(FormKind::Negate, value);
            if (opening.signBefore == '-' && !(openAt == 0 && mirrored))
                value = unary(FormKind::Negate, value);
        }
        return value;
    }

    ExpressionForm& m_form;
    const FractNode* m_top = nullptr;
    int m_depth = 0;
    int m_marks = 0;
    int m_accounted = 0;
    bool m_refused = false;
};

ExpressionForm ExpressionForm::of(const FractNode& tree)
{
    ExpressionForm form;
    // Room for the common expressions without growing.
    form.m_nodes.reserve(16);
    // Mark spans are derived layout fields; they say which node each pair of
    // marks encloses.
    computeMarkSpans(const_cast<FractNode&>(tree));
    if (FormBuilder(form).build(tree) || form.m_tooDeep) {
        if (form.m_tooDeep)
            form.m_nodes.clear();
        return form;
    }
    // A tree of another shape means what its text reads as.
    form = ExpressionForm();
    const std::string text = printExpressionText(tree);
    TextParseResult parsed = parseExpressionText(text, tree.fontHeight);
    if (parsed.tree) {
        computeMarkSpans(*parsed.tree);
        FormBuilder(form).build(*parsed.tree);
        form.m_source = std::shared_ptr<const FractNode>(std::move(parsed.tree));
        return form;
    }
    form.m_nodes.push_back(formNode(FormKind::Unreadable, text));
    form.m_root = 0;
    return form;
}

} // namespace kestrane
