// SPDX-License-Identifier: GPL-3.0-or-later
// Roots of exact values: single terms take their exponents apart, square roots
// of a + b*sqrt(c) denest, anything else cannot be written.
#include "fractions/exact_fraction.h"
#include "fractions/radical_fold.h"
#include "numbers/number_theory.h"

#include <cmath>

namespace kestrane {

namespace {

// The integer square root of n when n is a perfect square.
std::optional<std::int64_t> exactSquareRoot(std::int64_t n)
{
    if (n < 0)
        return std::nullopt;
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (root > 0 && root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return root * root == n ? std::optional(root) : std::nullopt;
}

std::optional<ExactRational> rationalSquareRoot(const ExactRational& value)
{
    auto top = exactSquareRoot(value.numerator().value());
    auto bottom = exactSquareRoot(value.denominator().value());
    if (!top || !bottom)
        return std::nullopt;
    return ExactRational(LongInt::fromInt(*top), LongInt::fromInt(*bottom));
}

void addPrimeFactors(std::vector<ExactFactor>& factors, const LongInt& value, int degree, int sign,
                     std::span<const std::int32_t> primes)
{
    for (const PrimePower& power : factorise(value.value(), primes))
        factors.push_back(
            ExactFactor::ofPrime(power.prime, SmallRational(sign * power.count, degree)));
}

// The root of one term: its coefficient's primes and its factors' exponents
// divided by the degree.
ExactSum rootOfTerm(const ExactTerm& term, int degree, std::span<const std::int32_t> primes)
{
    ExactTerm root{1, {}};
    if (term.coefficient.isNegative()) {
        if (degree % 2 == 1)
            root.coefficient = -1;
        else if (degree == 2)
            root.factors.push_back(ExactFactor::imaginary());
        else
            return ExactSum::failed(ExactProblem::Unsupported);
    }
    addPrimeFactors(root.factors, term.coefficient.numerator(), degree, 1, primes);
    addPrimeFactors(root.factors, term.coefficient.denominator(), degree, -1, primes);
    for (const ExactFactor& factor : term.factors) {
        if (factor.kind == FactorKind::Imaginary)
            return ExactSum::failed(ExactProblem::Unsupported);
        ExactFactor part = factor;
        part.exponent = factor.exponent * SmallRational(1, degree);
        root.factors.push_back(part);
    }
    return ExactSum(std::move(root));
}

// sqrt(a + b*sqrt(c)) = sqrt((a+s)/2) +- sqrt((a-s)/2) when a^2 - b^2*c = s^2.
std::optional<ExactSum> denest(const ExactSum& sum, std::span<const std::int32_t> primes)
{
    if (sum.terms().size() != 2)
        return std::nullopt;
    const ExactTerm& rational = sum.terms()[0];
    const ExactTerm& surd = sum.terms()[1];
    if (!rational.isRational())
        return std::nullopt;
    ExactRational radicand = 1;
    for (const ExactFactor& factor : surd.factors) {
        if (factor.kind != FactorKind::Prime || factor.exponent != SmallRational(1, 2))
            return std::nullopt;
        radicand *= ExactRational(factor.prime);
    }
    const ExactRational& a = rational.coefficient;
    const ExactRational& b = surd.coefficient;
    auto s = rationalSquareRoot(a * a - b * b * radicand);
    if (!s || a < *s)
        return std::nullopt;
    ExactRational half(LongInt::fromInt(1), LongInt::fromInt(2));
    ExactSum first = rootOfTerm({(a + *s) * half, {}}, 2, primes);
    ExactSum second = rootOfTerm({(a - *s) * half, {}}, 2, primes);
    return b.isNegative() ? first - second : first + second;
}

} // namespace

ExactFraction ExactFraction::root(int degree, std::span<const std::int32_t> primes) const
{
    if (degree < 2 || degree > kMaxRootDegree)
        return failed(ExactProblem::Unsupported);
    ExactFraction value = normalised();
    if (value.failed() || value.m_numerator.isZero())
        return value;
    const ExactSum& top = value.m_numerator;
    const ExactSum& bottom = value.m_denominator;
    if (top.terms().size() == 1 && bottom.terms().size() == 1)
        return {rootOfTerm(top.terms()[0], degree, primes),
                rootOfTerm(bottom.terms()[0], degree, primes)};
    if (degree == 2 && bottom.isRational()) {
        // sqrt(N/d) = sqrt(N*d)/d
        auto denested = denest(top.scaled(bottom.rationalValue()), primes);
        if (denested)
            return {*denested, bottom};
    }
    return failed(ExactProblem::Unsupported);
}

} // namespace kestrane
