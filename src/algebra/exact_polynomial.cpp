// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_polynomial.h"

#include <vector>

namespace kestrane {

namespace {

// Coefficients by rising power.
using Coefficients = std::vector<ExactRational>;

Coefficients coefficientsOf(const ExactSum& sum)
{
    Coefficients coefficients;
    for (const ExactTerm& term : sum.terms()) {
        size_t power =
            term.factors.empty() ? 0 : static_cast<size_t>(term.factors[0].exponent.numerator);
        if (coefficients.size() <= power)
            coefficients.resize(power + 1);
        coefficients[power] += term.coefficient;
    }
    return coefficients;
}

ExactSum sumOf(const Coefficients& coefficients, const ExactFactor& name)
{
    std::vector<ExactTerm> terms;
    for (size_t power = 0; power < coefficients.size(); ++power) {
        if (coefficients[power].isZero())
            continue;
        ExactTerm term{coefficients[power], {}};
        if (power > 0) {
            ExactFactor factor = name;
            factor.exponent = static_cast<std::int32_t>(power);
            term.factors.push_back(std::move(factor));
        }
        terms.push_back(std::move(term));
    }
    return ExactSum::collect(std::move(terms));
}

void trim(Coefficients& coefficients)
{
    while (!coefficients.empty() && coefficients.back().isZero())
        coefficients.pop_back();
}

// The remainder of a divided by b (b not zero).
Coefficients remainderOf(Coefficients a, const Coefficients& b)
{
    trim(a);
    while (a.size() >= b.size() && !a.empty()) {
        ExactRational factor = a.back() / b.back();
        size_t shift = a.size() - b.size();
        for (size_t i = 0; i < b.size(); ++i)
            a[i + shift] = a[i + shift] - factor * b[i];
        a.pop_back();
        trim(a);
        if (longIntOverflow())
            break;
    }
    return a;
}

// The quotient of one term by another; nothing when the exponent of a name
// (or of a sum under a root) would become negative.
std::optional<ExactTerm> divideTerm(const ExactTerm& a, const ExactTerm& b)
{
    ExactTerm quotient{a.coefficient / b.coefficient, a.factors};
    for (const ExactFactor& factor : b.factors) {
        ExactFactor inverse = factor;
        inverse.exponent = SmallRational(0) - factor.exponent;
        if (factor.kind == FactorKind::Imaginary)
            inverse.exponent = 3; // 1/i = -i = i^3
        quotient.factors.push_back(inverse);
    }
    if (quotient.normalise() != ExactProblem::None)
        return std::nullopt;
    for (const ExactFactor& factor : quotient.factors) {
        bool symbol = factor.kind == FactorKind::Name || factor.kind == FactorKind::Radical;
        if (symbol && factor.exponent < SmallRational(0))
            return std::nullopt;
    }
    return quotient;
}

// True when the two terms have the same names with the same exponents.
bool sameNames(const ExactTerm& a, const ExactTerm& b)
{
    size_t i = 0;
    for (; i < a.factors.size() && i < b.factors.size(); ++i) {
        const ExactFactor& x = a.factors[i];
        const ExactFactor& y = b.factors[i];
        if (x.kind != FactorKind::Name || y.kind != FactorKind::Name)
            break;
        if (x.name != y.name || x.exponent != y.exponent)
            return false;
    }
    bool moreA = i < a.factors.size() && a.factors[i].kind == FactorKind::Name;
    bool moreB = i < b.factors.size() && b.factors[i].kind == FactorKind::Name;
    return !moreA && !moreB;
}

} // namespace

std::optional<ExactSum> exactQuotient(const ExactSum& numerator, const ExactSum& denominator)
{
    if (denominator.terms().empty() || numerator.failed() || denominator.failed())
        return std::nullopt;
    const ExactTerm& lead = denominator.terms().front();
    for (size_t i = 1; i < denominator.terms().size(); ++i) {
        if (sameNames(lead, denominator.terms()[i]))
            return std::nullopt;
    }
    ExactSum rest = numerator;
    std::vector<ExactTerm> quotient;
    for (int step = 0; !rest.terms().empty(); ++step) {
        if (step > kMaxExactTerms || rest.failed() || longIntOverflow())
            return std::nullopt;
        auto part = divideTerm(rest.terms().front(), lead);
        if (!part)
            return std::nullopt;
        quotient.push_back(*part);
        rest = rest - denominator * ExactSum(*part);
    }
    ExactSum result = ExactSum::collect(std::move(quotient));
    if (result.failed())
        return std::nullopt;
    return result;
}

std::optional<ExactFactor> singleName(const ExactSum& a, const ExactSum& b)
{
    std::optional<ExactFactor> name;
    for (const ExactSum* sum : {&a, &b}) {
        for (const ExactTerm& term : sum->terms()) {
            if (term.factors.empty())
                continue;
            const ExactFactor& factor = term.factors[0];
            if (term.factors.size() > 1 || factor.kind != FactorKind::Name ||
                !factor.exponent.isInteger() || factor.exponent.numerator < 0 ||
                (name && name->name != factor.name))
                return std::nullopt;
            name = factor;
            name->exponent = 1;
        }
    }
    return name;
}

ExactSum polynomialDivisor(const ExactSum& a, const ExactSum& b, const ExactFactor& name)
{
    Coefficients first = coefficientsOf(a);
    Coefficients second = coefficientsOf(b);
    trim(first);
    trim(second);
    while (!second.empty() && !longIntOverflow()) {
        Coefficients rest = remainderOf(first, second);
        first = std::move(second);
        second = std::move(rest);
    }
    if (first.empty())
        return ExactRational(1);
    ExactRational lead = first.back();
    for (ExactRational& coefficient : first)
        coefficient = coefficient / lead;
    return sumOf(first, name);
}

} // namespace kestrane
