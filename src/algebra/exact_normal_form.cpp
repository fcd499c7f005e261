// SPDX-License-Identifier: GPL-3.0-or-later
// The normal form of an exact fraction: rationalise the denominator, then
// cancel what numerator and denominator share.
#include "algebra/exact_fraction.h"
#include "algebra/exact_polynomial.h"
#include "algebra/radical_rationalise.h"
#include "numbers/number_theory.h"

#include <map>

namespace kestrane {

namespace {

// Enough for one pass per base under a root in any denominator that fits
// the term limit; a pass that frees nothing stops the loop earlier.
constexpr int kMaxRationalisingPasses = 64;

struct Parts {
    ExactSum numerator;
    ExactSum denominator;
};

// The content q of the coefficients of both sums: the sums divided by q have
// coprime integer coefficients. Its sign is positive.
ExactRational content(const Parts& parts)
{
    std::int64_t divisor = 0;
    std::int64_t multiple = 1;
    for (const ExactSum* sum : {&parts.numerator, &parts.denominator}) {
        for (const ExactTerm& term : sum->terms()) {
            divisor = commonDivisor(divisor, term.coefficient.numerator().value());
            std::int64_t bottom = term.coefficient.denominator().value();
            LongInt product = LongInt::fromInt(multiple / commonDivisor(multiple, bottom)) *
                              LongInt::fromInt(bottom);
            multiple = product.value();
        }
    }
    if (divisor == 0 || multiple == 0)
        return 1;
    return ExactRational(LongInt::fromInt(divisor), LongInt::fromInt(multiple));
}

void divideBoth(Parts& parts, const ExactRational& factor)
{
    ExactRational inverse = ExactRational(1) / factor;
    parts.numerator = parts.numerator.scaled(inverse);
    parts.denominator = parts.denominator.scaled(inverse);
}

// Every term times the factor (which may hold negative powers that no term
// is left with).
ExactSum timesEach(const ExactSum& sum, const ExactTerm& factor)
{
    std::vector<ExactTerm> terms(sum.terms().size());
    for (size_t index = 0; index < terms.size(); ++index) {
        if (multiplyTerms(sum.terms()[index], factor, terms[index]) != ExactProblem::None)
            return ExactSum::failed(ExactProblem::Unsupported);
    }
    return ExactSum::collect(std::move(terms));
}

// Divides out the highest power of each name, and of each sum under a root,
// that every term holds; but of a square root only the whole part: the
// denominator is freed of square roots, and one taken out of it would come
// back (1/sqrt(x) stays sqrt(x)/x).
void cancelCommonNames(Parts& parts)
{
    std::map<std::string, ExactFactor> common;
    bool first = true;
    for (const ExactSum* sum : {&parts.numerator, &parts.denominator}) {
        for (const ExactTerm& term : sum->terms()) {
            std::map<std::string, ExactFactor> symbols;
            for (const ExactFactor& factor : term.factors) {
                if (factor.kind == FactorKind::Name || factor.kind == FactorKind::Radical)
                    symbols.emplace(factor.name, factor);
            }
            if (first) {
                common = std::move(symbols);
                first = false;
                continue;
            }
            std::erase_if(common,
                          [&symbols](const auto& entry) { return !symbols.contains(entry.first); });
            for (auto& [name, factor] : common)
                factor.exponent = std::min(factor.exponent, symbols.at(name).exponent);
        }
    }
    ExactTerm inverse{1, {}};
    for (auto& [name, factor] : common) {
        SmallRational power = factor.exponent;
        if (power.fractionPart().denominator == 2)
            power = SmallRational(power.floor());
        if (power <= SmallRational(0))
            continue;
        factor.exponent = SmallRational(0) - power;
        inverse.factors.push_back(factor);
    }
    if (inverse.factors.empty())
        return;
    parts.numerator = timesEach(parts.numerator, inverse);
    parts.denominator = timesEach(parts.denominator, inverse);
}

bool isOne(const ExactSum& sum)
{
    return sum.isRational() && sum.rationalValue().isOne();
}

// Divides out the polynomial divisor of one-name numerator and denominator,
// or the denominator itself when it divides the numerator (or the other way).
void cancelDivisors(Parts& parts)
{
    if (auto quotient = exactQuotient(parts.numerator, parts.denominator)) {
        parts = {*quotient, ExactRational(1)};
        return;
    }
    // The other way only when no root comes back below the bar.
    auto inverse = exactQuotient(parts.denominator, parts.numerator);
    if (auto quotient = inverse && !inverse->hasRoots() ? inverse : std::nullopt) {
        parts = {ExactRational(1), *quotient};
        return;
    }
    auto name = singleName(parts.numerator, parts.denominator);
    if (!name)
        return;
    ExactSum divisor = polynomialDivisor(parts.numerator, parts.denominator, *name);
    if (!divisor.hasNames())
        return;
    auto numerator = exactQuotient(parts.numerator, divisor);
    auto denominator = exactQuotient(parts.denominator, divisor);
    if (numerator && denominator)
        parts = {*numerator, *denominator};
}

Parts cancel(Parts parts)
{
    if (!parts.denominator.isRational()) {
        divideBoth(parts, content(parts));
        cancelCommonNames(parts);
        cancelDivisors(parts);
    }
    if (parts.denominator.isRational()) {
        // A number below the bar: the numerator over a positive integer.
        ExactRational value = parts.denominator.rationalValue();
        parts = {parts.numerator.scaled(ExactRational(1) / value), ExactRational(1)};
    }
    divideBoth(parts, content(parts));
    if (!parts.denominator.terms().empty() && parts.denominator.terms()[0].coefficient.isNegative())
        parts = {-parts.numerator, -parts.denominator};
    return parts;
}

} // namespace

ExactFraction ExactFraction::normalised() const
{
    if (failed())
        return *this;
    if (m_denominator.isZero())
        return failed(ExactProblem::DivisionByZero);
    if (m_numerator.isZero())
        return ExactFraction();
    Parts parts{m_numerator, m_denominator};
    for (int pass = 0; pass < kMaxRationalisingPasses; ++pass) {
        auto factor = rationalisingFactor(parts.denominator);
        if (!factor)
            break;
        parts.numerator *= *factor;
        parts.denominator *= *factor;
        if (parts.numerator.failed() || parts.denominator.failed() || longIntOverflow())
            break;
    }
    ExactFraction result(parts.numerator, parts.denominator);
    if (result.failed() || longIntOverflow())
        return result;
    parts = cancel(std::move(parts));
    if (isOne(parts.denominator) || parts.numerator.isZero())
        return ExactFraction(parts.numerator);
    return {parts.numerator, parts.denominator};
}

} // namespace kestrane
