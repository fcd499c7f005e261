// SPDX-License-Identifier: GPL-3.0-or-later
// Roots of exact values: single terms take their exponents apart, square roots
// of a + b*sqrt(c) denest, and any other sum stays under its root as one
// factor, with what can leave the root taken out.
#include "algebra/exact_fraction.h"
#include "algebra/radical_fold.h"
#include "numbers/number_theory.h"

#include <cmath>
#include <numeric>

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

// An approximate value of a sum of roots of numbers; nothing when a name or
// i stands anywhere in it. `scale` receives the sum of the terms' sizes.
std::optional<long double> approximate(const ExactSum& sum, long double& scale)
{
    long double value = 0;
    scale = 0;
    for (const ExactTerm& term : sum.terms()) {
        long double part = static_cast<long double>(term.coefficient.numerator().value()) /
                           static_cast<long double>(term.coefficient.denominator().value());
        for (const ExactFactor& factor : term.factors) {
            long double exponent = static_cast<long double>(factor.exponent.numerator) /
                                   static_cast<long double>(factor.exponent.denominator);
            if (factor.kind == FactorKind::Prime) {
                part *= std::pow(static_cast<long double>(factor.prime), exponent);
            } else if (factor.kind == FactorKind::Radical) {
                long double inner = 0;
                auto base = approximate(*factor.radicand(), inner);
                if (!base || *base < 0)
                    return std::nullopt;
                part *= std::pow(*base, exponent);
            } else {
                return std::nullopt;
            }
        }
        value += part;
        scale += std::fabs(part);
    }
    return value;
}

// -1 or 1 for a sum of numbers that is clearly below or above zero; 0 when
// it holds names or i, or lies too near zero to tell.
int clearSign(const ExactSum& sum)
{
    long double scale = 0;
    auto value = approximate(sum, scale);
    if (!value || std::fabs(*value) <= 1e-12L * scale)
        return 0;
    return *value < 0 ? -1 : 1;
}

// The n-th root of a sum that cannot be written otherwise, as one factor:
// the sum divided by its content (so its coefficients are coprime
// integers), the content's n-th powers outside the root and the rest
// inside; a sum of numbers below zero leaves its sign outside (i for a
// square root, -1 for an odd root).
ExactSum rootOfSum(const ExactSum& sum, int degree, std::span<const std::int32_t> primes)
{
    std::int64_t top = 0;
    std::int64_t bottom = 1;
    for (const ExactTerm& term : sum.terms()) {
        top = std::gcd(top, term.coefficient.numerator().magnitude());
        std::int64_t below = term.coefficient.denominator().value();
        bottom =
            (LongInt::fromInt(bottom / std::gcd(bottom, below)) * LongInt::fromInt(below)).value();
    }
    ExactTerm outside{1, {}};
    int sign = clearSign(sum);
    if (sign < 0) {
        if (degree % 2 == 1)
            outside.coefficient = -1;
        else if (degree == 2)
            outside.factors.push_back(ExactFactor::imaginary());
        else
            return ExactSum::failed(ExactProblem::Unsupported);
    }
    // content = top / bottom = (outside part)^n * (inside part).
    ExactRational inside = 1;
    for (auto [value, side] : {std::pair{top, 1}, std::pair{bottom, -1}}) {
        for (const PrimePower& power : factorise(value, primes)) {
            int exponent = side * power.count;
            int whole = exponent >= 0 ? exponent / degree : -((-exponent + degree - 1) / degree);
            outside.factors.push_back(ExactFactor::ofPrime(power.prime, whole));
            for (int copy = 0; copy < exponent - whole * degree; ++copy)
                inside *= ExactRational(power.prime);
        }
    }
    ExactRational content(LongInt::fromInt(top), LongInt::fromInt(bottom));
    ExactRational factor = inside / content;
    if (sign < 0)
        factor = -factor;
    ExactSum radicand = sum.scaled(factor);
    outside.factors.push_back(ExactFactor::ofSum(radicand, SmallRational(1, degree)));
    return ExactSum(std::move(outside));
}

ExactSum rootOf(const ExactSum& sum, int degree, std::span<const std::int32_t> primes)
{
    if (sum.terms().size() == 1)
        return rootOfTerm(sum.terms()[0], degree, primes);
    return rootOfSum(sum, degree, primes);
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
    if (bottom.isRational()) {
        // root(N/d) = root(N*d^(n-1))/d.
        ExactRational d = bottom.rationalValue();
        ExactRational power = 1;
        for (int copy = 1; copy < degree; ++copy)
            power *= d;
        ExactSum radicand = top.scaled(power);
        if (degree == 2) {
            if (auto denested = denest(radicand, primes))
                return {*denested, bottom};
        }
        return {rootOf(radicand, degree, primes), bottom};
    }
    // With names below the bar each part keeps its own root.
    return {rootOf(top, degree, primes), rootOf(bottom, degree, primes)};
}

} // namespace kestrane
