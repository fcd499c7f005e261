// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/tree_regrouping.h"

#include "expressions/fract_node.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace kestrane {

namespace {

enum class TokenKind { Open, Operand, Close, Operator };

struct Token {
    TokenKind kind;
    std::unique_ptr<FractNode> operand;
    char sign = '+';
};

int precedence(char sign)
{
    switch (sign) {
    case '=':
        return 0;
    case '*':
        return 2;
    default:
        return 1;
    }
}

// In-order operands and operators of a run of operation nodes; the nodes of
// the run are taken apart.
void flatten(std::unique_ptr<FractNode> node, std::vector<Token>& tokens)
{
    if (!node->isOperation()) {
        tokens.push_back({TokenKind::Operand, std::move(node)});
        return;
    }
    // The operator's own record is the sign at the right end of the left
    // operand; opSign only mirrors it and may be stale after an edit.
    char sign = lastSign(*node->left);
    flatten(std::move(node->left), tokens);
    tokens.push_back({TokenKind::Operator, nullptr, sign});
    flatten(std::move(node->right), tokens);
}

// The brackets an operand opens and closes beyond those that enclose it
// alone: the outer opening marks and the outer closing marks of its rows.
std::vector<Token> bracketed(std::vector<Token> flat)
{
    std::vector<Token> tokens;
    for (Token& token : flat) {
        if (token.kind != TokenKind::Operand) {
            tokens.push_back(std::move(token));
            continue;
        }
        FractNode& node = *token.operand;
        int opening = node.openRow ? node.openRow->count() : 0;
        int closing = node.closeRow ? node.closeRow->count() : 0;
        int own = std::min(opening, closing);
        for (int k = 0; k < opening - own; ++k)
            tokens.push_back({TokenKind::Open, nullptr});
        tokens.push_back(std::move(token));
        for (int k = 0; k < closing - own; ++k)
            tokens.push_back({TokenKind::Close, nullptr});
    }
    return tokens;
}

class Regrouper {
public:
    explicit Regrouper(std::vector<Token>& tokens) : m_tokens(tokens) {}

    std::unique_ptr<FractNode> expression(int lowest, int depth)
    {
        std::unique_ptr<FractNode> left = primary(depth);
        while (m_next < m_tokens.size()) {
            Token& token = m_tokens[m_next];
            if (token.kind == TokenKind::Close && depth == 0) {
                ++m_next; // a closing mark without its opening: nothing to group
                continue;
            }
            if (token.kind != TokenKind::Operator || precedence(token.sign) < lowest)
                break;
            char sign = token.sign;
            ++m_next;
            std::unique_ptr<FractNode> right = expression(precedence(sign) + 1, depth);
            left = combine(sign, std::move(left), std::move(right));
        }
        return left;
    }

private:
    std::unique_ptr<FractNode> combine(char sign, std::unique_ptr<FractNode> left,
                                       std::unique_ptr<FractNode> right)
    {
        if (!left)
            return right;
        if (!right)
            return left;
        return FractNode::makeOperation(sign, std::move(left), std::move(right));
    }

    std::unique_ptr<FractNode> primary(int depth)
    {
        while (m_next < m_tokens.size()) {
            Token& token = m_tokens[m_next++];
            if (token.kind == TokenKind::Operand)
                return std::move(token.operand);
            if (token.kind == TokenKind::Open) {
                std::unique_ptr<FractNode> inside = expression(0, depth + 1);
                if (m_next < m_tokens.size() && m_tokens[m_next].kind == TokenKind::Close)
                    ++m_next;
                return inside;
            }
        }
        return nullptr;
    }

    std::vector<Token>& m_tokens;
    std::size_t m_next = 0;
};

} // namespace

std::unique_ptr<FractNode>& holderOf(FractNode& node, std::unique_ptr<FractNode>& root)
{
    FractNode* parent = node.parent;
    if (parent) {
        for (auto* child : {&parent->left, &parent->right, &parent->numerator, &parent->denominator,
                            &parent->exponent}) {
            if (child->get() == &node)
                return *child;
        }
        if (parent->closeRow) {
            for (auto& item : parent->closeRow->items) {
                if (item->paren && item->paren->exponent.get() == &node)
                    return item->paren->exponent;
            }
        }
    }
    return root;
}

void regroupOperations(FractNode& node, std::unique_ptr<FractNode>& root)
{
    FractNode* top = &node;
    while (top->parent && top->parent->isOperation())
        top = top->parent;
    if (!top->isOperation())
        return;
    std::unique_ptr<FractNode>& holder = holderOf(*top, root);
    FractNode* parent = top->parent;
    NodeRole role = top->role;
    int fontHeight = top->fontHeight;
    std::uint8_t sizeClass = top->sizeClass;
    std::vector<Token> flat;
    flatten(std::move(holder), flat);
    // Every operand after the first begins a right operand: the sign before
    // it only mirrors the operator, which the new grouping sets again.
    bool first = true;
    for (Token& token : flat) {
        if (token.kind != TokenKind::Operand)
            continue;
        if (!first) {
            FractNode& leaf = leftmostLeaf(*token.operand);
            if (leaf.hasOpenMarks())
                leaf.openRow->items.front()->signBefore = '+';
            leaf.leadSign.sign = '+';
        }
        first = false;
    }
    std::vector<Token> tokens = bracketed(std::move(flat));
    Regrouper regrouper(tokens);
    holder = regrouper.expression(0, 0);
    holder->parent = parent;
    holder->role = role;
    holder->fontHeight = fontHeight;
    holder->sizeClass = sizeClass;
}

void clearStaleSigns(FractNode& root)
{
    std::unordered_set<const void*> records;
    std::vector<FractNode*> pending{&root};
    std::vector<FractNode*> nodes;
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        if (node->isOperation()) {
            FractNode& end = rightmostLeaf(*node->left);
            if (end.hasCloseMarks())
                records.insert(end.closeRow->items.back().get());
            else
                records.insert(&end);
            FractNode& start = leftmostLeaf(*node->right);
            if (!start.hasOpenMarks())
                records.insert(&start.leadSign);
        }
        for (auto* child :
             {&node->left, &node->right, &node->numerator, &node->denominator, &node->exponent}) {
            if (*child)
                pending.push_back(child->get());
        }
        if (node->closeRow) {
            for (auto& item : node->closeRow->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
    }
    for (FractNode* node : nodes) {
        if (node->role != NodeRole::LeftOperand && !records.count(node))
            node->opSign.sign = '+';
        if (!records.count(&node->leadSign))
            node->leadSign.sign = '+';
        if (node->closeRow) {
            for (auto& item : node->closeRow->items) {
                if (!records.count(item.get()))
                    item->signAfter = '+';
            }
        }
    }
}

void foldHiddenSigns(FractNode& root)
{
    std::vector<FractNode*> pending{&root};
    while (!pending.empty()) {
        FractNode* node = pending.back();
        pending.pop_back();
        for (auto* child :
             {&node->left, &node->right, &node->numerator, &node->denominator, &node->exponent}) {
            if (*child)
                pending.push_back(child->get());
        }
        if (node->closeRow) {
            for (auto& item : node->closeRow->items) {
                if (item->paren && item->paren->exponent)
                    pending.push_back(item->paren->exponent.get());
            }
        }
        if (node->numberSign.sign != '-' || !node->hasText() || drawsLeadingSign(*node))
            continue;
        const FractNode& context = signContext(*node);
        if (context.role != NodeRole::RightOperand || !context.parent)
            continue;
        FractNode& operation = *context.parent;
        char sign = lastSign(*operation.left);
        if (sign == '+' || sign == '-') {
            setLastSign(*operation.left, sign == '+' ? '-' : '+');
            node->numberSign.sign = '+';
            node->numberSign.flag = 0;
        } else {
            char last = lastSign(*node);
            node->ensureOpenRow().insert(0, MarkItem::makeParen(true));
            node->ensureCloseRow().insert(0, MarkItem::makeParen(false));
            setLastSign(*node, last);
        }
    }
}

} // namespace kestrane
