// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_tree.h"

#include "expressions/expression_build.h"

#include <string>
#include <vector>

namespace kestrane {

namespace {

// A term as written is '*'-joined items; an item is one unit or a quotient
// of units (a coefficient such as 3/4), and the notation reads the units of
// consecutive quotients as one chain: 3/4/5 is (3/4)/5.
using Chain = std::vector<TreePiece>;

TreePiece sumPiece(const ExactSum& sum);
TreePiece fractionPiece(const ExactFraction& value);

TreePiece number(const LongInt& value)
{
    return TreePiece::number(value.toText());
}

TreePiece raised(TreePiece base, int copies)
{
    if (copies == 1)
        return base;
    return TreePiece::power(std::move(base), TreePiece::number(std::to_string(copies)));
}

TreePiece namePiece(const ExactFactor& factor)
{
    const ExactApplication* application = factor.application();
    if (!application)
        return TreePiece::name(factor.name);
    const ExactApplication& applied = *application;
    TreePiece argument = fractionPiece(applied.argument);
    if (applied.degree > 0)
        return TreePiece::root(applied.degree, std::move(argument));
    return TreePiece::function(applied.code, std::move(argument));
}

TreePiece partPiece(const TermPart& part)
{
    switch (part.kind) {
    case TermPart::Kind::Imaginary:
        return TreePiece::name("i");
    case TermPart::Kind::Name:
        return raised(namePiece(*part.factor), part.copies);
    case TermPart::Kind::NumberRoot:
        return TreePiece::root(part.degree, TreePiece::number(std::to_string(part.radicand)));
    case TermPart::Kind::NameRoot:
        return TreePiece::root(part.degree, raised(namePiece(*part.factor), part.copies));
    case TermPart::Kind::SumRoot:
        return raised(TreePiece::root(part.degree, sumPiece(*part.factor->radicand())),
                      part.copies);
    }
    return {};
}

// The items of a term's magnitude, a minus on its first unit when asked.
std::vector<Chain> termItems(const ExactTerm& term, bool minus)
{
    std::vector<TermPart> parts = term.writtenParts();
    std::vector<Chain> items;
    items.reserve(parts.size() + 1);
    if (term.writesCoefficient(parts.size())) {
        const ExactRational size =
            term.coefficient.isNegative() ? -term.coefficient : term.coefficient;
        Chain coefficient;
        coefficient.push_back(number(size.numerator()));
        if (!size.isInteger())
            coefficient.push_back(number(size.denominator()));
        items.push_back(std::move(coefficient));
    }
    for (const TermPart& part : parts) {
        Chain item;
        item.push_back(partPiece(part));
        items.push_back(std::move(item));
    }
    if (minus)
        items.front().front() = TreePiece::negated(std::move(items.front().front()));
    return items;
}

TreePiece quotient(Chain chain)
{
    TreePiece piece = std::move(chain.front());
    for (std::size_t index = 1; index < chain.size(); ++index)
        piece = TreePiece::fraction(std::move(piece), std::move(chain[index]));
    return piece;
}

TreePiece termPiece(std::vector<Chain> items)
{
    TreePiece piece = quotient(std::move(items.front()));
    for (std::size_t index = 1; index < items.size(); ++index)
        piece = TreePiece::operation('*', std::move(piece), quotient(std::move(items[index])));
    return piece;
}

TreePiece sumPiece(const ExactSum& sum)
{
    if (sum.terms().empty())
        return TreePiece::number("0");
    TreePiece piece;
    for (const ExactTerm* term : sum.writtenOrder()) {
        const bool negative = term->coefficient.isNegative();
        if (!piece) {
            piece = termPiece(termItems(*term, negative));
            continue;
        }
        piece = TreePiece::operation(negative ? '-' : '+', std::move(piece),
                                     termPiece(termItems(*term, false)));
    }
    return piece;
}

// A numerator or denominator: a single part joins the quotient chain, more
// are one group.
Chain partChain(const ExactSum& sum)
{
    if (sum.terms().size() == 1) {
        const ExactTerm& term = sum.terms().front();
        std::vector<Chain> items = termItems(term, term.coefficient.isNegative());
        if (items.size() == 1)
            return std::move(items.front());
    }
    Chain chain;
    chain.push_back(sum.isZero() ? TreePiece::number("0") : TreePiece::group(sumPiece(sum)));
    return chain;
}

TreePiece fractionPiece(const ExactFraction& value)
{
    const ExactSum& below = value.denominator();
    if (below.isRational() && below.rationalValue().isOne())
        return sumPiece(value.numerator());
    Chain chain = partChain(value.numerator());
    for (TreePiece& unit : partChain(below))
        chain.push_back(std::move(unit));
    return quotient(std::move(chain));
}

} // namespace

std::unique_ptr<FractNode> exactTree(const ExactFraction& value, int fontHeight)
{
    if (value.failed())
        return nullptr;
    return fractionPiece(value).tree(fontHeight);
}

TreePiece exactPiece(const ExactFraction& value)
{
    return fractionPiece(value);
}

} // namespace kestrane
