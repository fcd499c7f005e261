// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/form_tree.h"

namespace kestrane {

namespace {

// The form already holds every bracket the text would: the piece of each
// node is the step the notation's reader takes for it.
class FormRebuild {
public:
    explicit FormRebuild(const ExpressionForm& form) : m_form(form) {}

    TreePiece piece(int index)
    {
        const FormNode& node = m_form.at(index);
        switch (node.kind) {
        case FormKind::Add:
            return binary('+', node);
        case FormKind::Subtract:
            return binary('-', node);
        case FormKind::Multiply:
            return binary('*', node);
        case FormKind::Divide: {
            TreePiece numerator = piece(node.first);
            TreePiece denominator = numerator ? piece(node.second) : TreePiece();
            if (!denominator)
                return {};
            return TreePiece::fraction(std::move(numerator), std::move(denominator));
        }
        case FormKind::Power: {
            TreePiece base = piece(node.first);
            TreePiece exponent = base ? piece(node.second) : TreePiece();
            if (!exponent)
                return {};
            return TreePiece::power(std::move(base), std::move(exponent));
        }
        case FormKind::Negate:
            return unary(node,
                         [](TreePiece inner) { return TreePiece::negated(std::move(inner)); });
        case FormKind::Group:
            return unary(node, [](TreePiece inner) { return TreePiece::group(std::move(inner)); });
        case FormKind::Root:
            return unary(node, [&node](TreePiece inner) {
                return TreePiece::root(node.code, std::move(inner));
            });
        case FormKind::Function:
            return unary(node, [&node](TreePiece inner) {
                return TreePiece::function(node.code, std::move(inner));
            });
        case FormKind::Number:
            return TreePiece::number(node.text);
        case FormKind::Name:
            return TreePiece::name(node.text);
        case FormKind::Pi:
            return TreePiece::name("pi");
        case FormKind::ImaginaryUnit:
            return TreePiece::name("i");
        case FormKind::Empty:
            return TreePiece::slot();
        case FormKind::Unreadable:
            break;
        }
        return {};
    }

private:
    TreePiece binary(char sign, const FormNode& node)
    {
        TreePiece left = piece(node.first);
        TreePiece right = left ? piece(node.second) : TreePiece();
        if (!right)
            return {};
        return TreePiece::operation(sign, std::move(left), std::move(right));
    }

    template<typename Step>
    TreePiece unary(const FormNode& node, Step step)
    {
        TreePiece inner = piece(node.first);
        return inner ? step(std::move(inner)) : TreePiece();
    }

    const ExpressionForm& m_form;
};

} // namespace

TreePiece formPiece(const ExpressionForm& form, int index)
{
    if (form.tooDeep() || index < 0 || index >= form.size())
        return {};
    return FormRebuild(form).piece(index);
}

std::unique_ptr<FractNode> rereadTree(const FractNode& tree, int fontHeight)
{
    const ExpressionForm form = ExpressionForm::of(tree);
    TreePiece value = formPiece(form, form.root());
    if (!value)
        return nullptr;
    if (form.isDefinition()) {
        TreePiece name = formPiece(form, form.definedName());
        if (!name)
            return nullptr;
        value = TreePiece::operation('=', std::move(name), std::move(value));
    }
    return TreePiece::whole(std::move(value)).tree(fontHeight);
}

} // namespace kestrane
