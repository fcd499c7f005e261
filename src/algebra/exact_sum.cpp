// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_sum.h"

#include <algorithm>

namespace kestrane {

ExactSum::ExactSum(const ExactRational& number)
{
    if (!number.isZero())
        m_terms.push_back({number, {}});
}

ExactSum::ExactSum(ExactTerm term) : ExactSum(collect({std::move(term)})) {}

ExactSum ExactSum::name(const std::string& name)
{
    return ExactSum(ExactTerm{1, {ExactFactor::ofName(name)}});
}

ExactSum ExactSum::imaginary()
{
    return ExactSum(ExactTerm{1, {ExactFactor::imaginary()}});
}

ExactSum ExactSum::failed(ExactProblem problem)
{
    ExactSum sum;
    sum.m_problem = problem;
    return sum;
}

ExactSum ExactSum::power(const ExactFactor& factor)
{
    return ExactSum(ExactTerm{1, {factor}});
}

ExactFactor ExactFactor::ofSum(const ExactSum& sum, SmallRational exponent)
{
    return {FactorKind::Radical, 0, sum.toText(), exponent, std::make_shared<const ExactSum>(sum)};
}

namespace {

// The whole part of the power of a sum under a root in the term, if any.
int wholePowerOfSum(const ExactTerm& term)
{
    if (!term.hasRadicals())
        return 0;
    for (const ExactFactor& factor : term.factors) {
        if (factor.kind == FactorKind::Radical && factor.exponent.floor() != 0)
            return factor.exponent.floor();
    }
    return 0;
}

} // namespace

ExactSum ExactSum::collect(std::vector<ExactTerm> terms)
{
    ExactSum sum;
    bool expand = false;
    for (ExactTerm& term : terms) {
        ExactProblem problem = term.normalise();
        if (problem != ExactProblem::None)
            return failed(problem);
        expand = expand || wholePowerOfSum(term) != 0;
    }
    if (expand)
        return expanded(std::move(terms));
    std::sort(terms.begin(), terms.end(),
              [](const ExactTerm& a, const ExactTerm& b) { return compareTerms(a, b) < 0; });
    for (ExactTerm& term : terms) {
        if (!sum.m_terms.empty() && compareTerms(sum.m_terms.back(), term) == 0)
            sum.m_terms.back().coefficient += term.coefficient;
        else
            sum.m_terms.push_back(std::move(term));
        if (sum.m_terms.back().coefficient.isZero())
            sum.m_terms.pop_back();
    }
    if (sum.m_terms.size() > kMaxExactTerms)
        return failed(ExactProblem::TooLarge);
    return sum;
}

ExactSum ExactSum::expanded(std::vector<ExactTerm> terms)
{
    // sqrt(s)^3 = s * sqrt(s): the whole powers of a sum under a root are the
    // sum's own powers, multiplied out. A negative one would put the sum
    // below a bar, which a sum cannot hold.
    // Every term is collected once, at the end: adding the products one by
    // one would sort the growing sum again for each.
    std::vector<ExactTerm> all;
    for (ExactTerm& term : terms) {
        if (wholePowerOfSum(term) == 0) {
            all.push_back(std::move(term));
            continue;
        }
        ExactSum factor = ExactRational(1);
        for (ExactFactor& part : term.factors) {
            int whole = part.kind == FactorKind::Radical ? part.exponent.floor() : 0;
            if (whole < 0)
                return failed(ExactProblem::Unsupported);
            if (whole == 0)
                continue;
            factor *= part.radicand()->raised(whole);
            part.exponent = part.exponent - SmallRational(whole);
        }
        ExactSum product = factor * ExactSum(std::move(term));
        if (product.failed())
            return product;
        all.insert(all.end(), product.m_terms.begin(), product.m_terms.end());
        if (all.size() > 100 * kMaxExactTerms)
            return failed(ExactProblem::TooLarge);
    }
    return collect(std::move(all));
}

bool ExactSum::isRational() const
{
    return !failed() && (m_terms.empty() || (m_terms.size() == 1 && m_terms[0].isRational()));
}

ExactRational ExactSum::rationalValue() const
{
    return m_terms.empty() ? ExactRational() : m_terms[0].coefficient;
}

bool ExactSum::hasNames() const
{
    return std::any_of(m_terms.begin(), m_terms.end(),
                       [](const ExactTerm& t) { return t.hasNames(); });
}

bool ExactSum::hasRoots() const
{
    for (const ExactTerm& term : m_terms) {
        for (const ExactFactor& factor : term.factors) {
            if (factor.kind != FactorKind::Name || !factor.exponent.isInteger())
                return true;
        }
    }
    return false;
}

ExactSum ExactSum::operator-() const
{
    return scaled(-1);
}

ExactSum ExactSum::scaled(const ExactRational& factor) const
{
    if (failed())
        return *this;
    if (factor.isZero())
        return {};
    ExactSum result = *this;
    for (ExactTerm& term : result.m_terms)
        term.coefficient *= factor;
    return result;
}

ExactSum operator+(const ExactSum& a, const ExactSum& b)
{
    if (a.failed())
        return a;
    if (b.failed())
        return b;
    std::vector<ExactTerm> terms = a.m_terms;
    terms.insert(terms.end(), b.m_terms.begin(), b.m_terms.end());
    return ExactSum::collect(std::move(terms));
}

ExactSum operator-(const ExactSum& a, const ExactSum& b)
{
    return a + (-b);
}

ExactSum operator*(const ExactSum& a, const ExactSum& b)
{
    if (a.failed())
        return a;
    if (b.failed())
        return b;
    // Past this many products the collected sum cannot be small enough in any
    // case that matters, and the work alone would be too large.
    constexpr size_t kMaxProducts = 100 * kMaxExactTerms;
    if (a.m_terms.size() * b.m_terms.size() > kMaxProducts)
        return ExactSum::failed(ExactProblem::TooLarge);
    std::vector<ExactTerm> terms(a.m_terms.size() * b.m_terms.size());
    size_t index = 0;
    for (const ExactTerm& x : a.m_terms) {
        for (const ExactTerm& y : b.m_terms) {
            ExactProblem problem = multiplyTerms(x, y, terms[index++]);
            if (problem != ExactProblem::None)
                return ExactSum::failed(problem);
        }
    }
    return ExactSum::collect(std::move(terms));
}

ExactSum ExactSum::raised(int exponent) const
{
    ExactSum result = ExactRational(1);
    ExactSum base = *this;
    for (; exponent > 0 && !result.failed(); exponent >>= 1) {
        if (exponent & 1)
            result *= base;
        if (exponent > 1)
            base *= base;
    }
    return failed() ? *this : result;
}

bool operator==(const ExactSum& a, const ExactSum& b)
{
    if (a.m_problem != b.m_problem || a.m_terms.size() != b.m_terms.size())
        return false;
    for (size_t i = 0; i < a.m_terms.size(); ++i) {
        if (compareTerms(a.m_terms[i], b.m_terms[i]) != 0 ||
            a.m_terms[i].coefficient != b.m_terms[i].coefficient)
            return false;
    }
    return true;
}

std::vector<const ExactTerm*> ExactSum::writtenOrder() const
{
    std::vector<const ExactTerm*> order;
    for (const ExactTerm& term : m_terms)
        order.push_back(&term);
    if (!order.empty() && order.front()->coefficient.isNegative()) {
        auto positive = std::find_if(order.begin(), order.end(), [](const ExactTerm* t) {
            return !t->coefficient.isNegative();
        });
        if (positive != order.end())
            std::rotate(order.begin(), positive, positive + 1);
    }
    return order;
}

std::string ExactSum::toText() const
{
    if (m_terms.empty())
        return "0";
    std::string text;
    for (const ExactTerm* term : writtenOrder()) {
        if (term->coefficient.isNegative())
            text += "-";
        else if (!text.empty())
            text += "+";
        text += term->magnitudeText();
    }
    return text;
}

} // namespace kestrane
