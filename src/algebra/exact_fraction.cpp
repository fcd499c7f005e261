// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_fraction.h"

namespace kestrane {

ExactFraction::ExactFraction(ExactSum numerator, ExactSum denominator)
    : m_numerator(std::move(numerator))
    , m_denominator(std::move(denominator))
{
}

ExactFraction ExactFraction::failed(ExactProblem problem)
{
    return ExactFraction(ExactSum::failed(problem));
}

ExactFraction ExactFraction::decimal(std::string_view text)
{
    auto number = ExactRational::fromDecimal(text);
    return number ? ExactFraction(*number) : failed(ExactProblem::Unsupported);
}

ExactProblem ExactFraction::problem() const
{
    return m_numerator.failed() ? m_numerator.problem() : m_denominator.problem();
}

ExactFraction operator+(const ExactFraction& a, const ExactFraction& b)
{
    if (a.m_denominator == b.m_denominator)
        return {a.m_numerator + b.m_numerator, a.m_denominator};
    return {a.m_numerator * b.m_denominator + b.m_numerator * a.m_denominator,
            a.m_denominator * b.m_denominator};
}

ExactFraction operator-(const ExactFraction& a, const ExactFraction& b)
{
    return a + (-b);
}

ExactFraction operator*(const ExactFraction& a, const ExactFraction& b)
{
    return {a.m_numerator * b.m_numerator, a.m_denominator * b.m_denominator};
}

ExactFraction operator/(const ExactFraction& a, const ExactFraction& b)
{
    return a * b.reciprocal();
}

ExactFraction ExactFraction::reciprocal() const
{
    if (failed())
        return *this;
    if (m_numerator.isZero())
        return failed(ExactProblem::DivisionByZero);
    return {m_denominator, m_numerator};
}

ExactFraction ExactFraction::raised(int exponent) const
{
    if (exponent < 0)
        return reciprocal().raised(-exponent);
    return {m_numerator.raised(exponent), m_denominator.raised(exponent)};
}

ExactFraction ExactFraction::raised(int numerator, int denominator,
                                    std::span<const std::int32_t> primes) const
{
    SmallRational exponent(numerator, denominator);
    if (exponent.denominator == 1)
        return raised(exponent.numerator);
    return raised(exponent.numerator).root(exponent.denominator, primes);
}

std::string ExactFraction::toText() const
{
    if (failed())
        return {};
    auto part = [](const ExactSum& sum) {
        std::string text = sum.toText();
        bool single = sum.terms().size() == 1 && sum.terms()[0].partCount() == 1;
        if (!single && !sum.isZero()) {
            text.insert(text.begin(), '(');
            text.push_back(')');
        }
        return text;
    };
    if (m_denominator.isRational() && m_denominator.rationalValue().isOne())
        return m_numerator.toText();
    return part(m_numerator) + "/" + part(m_denominator);
}

} // namespace kestrane
