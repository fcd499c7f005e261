// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_term.h"

#include "algebra/radical_fold.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

namespace kestrane {

namespace {

// Exponents stay far inside 32 bits, so that sums and products of two of them
// never overflow.
constexpr std::int32_t kMaxExponent = 1000000;

std::int64_t power(std::int64_t base, int exponent)
{
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result = __builtin_mul_overflow(result, base, &result) ? LongInt::kMaxMagnitude : result;
    return result;
}

// A whole power of a prime as a rational (p^w, w of either sign).
ExactRational primePower(std::int64_t prime, int exponent)
{
    ExactRational result = 1;
    ExactRational base =
        exponent >= 0 ? ExactRational(prime) : ExactRational(1) / ExactRational(prime);
    for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        result *= base;
    return result;
}

std::string rootText(int degree, const std::string& radicand)
{
    return degree == 2 ? "sqrt(" + radicand + ")"
                       : "root(" + std::to_string(degree) + "," + radicand + ")";
}

std::string nameText(const std::string& name, int copies)
{
    return copies == 1 ? name : name + "^" + std::to_string(copies);
}

// A root of a sum to a power: root(3,1+sqrt(2))^2. The power stays outside,
// so that the root is always the principal root of the sum itself (the
// principal cube root of the square of a complex sum can be another).
std::string sumRootText(int degree, const std::string& sum, int copies)
{
    std::string root = rootText(degree, sum);
    return copies == 1 ? root : root + "^" + std::to_string(copies);
}

} // namespace

int ExactFactor::compareBase(const ExactFactor& other) const
{
    if (kind != other.kind)
        return kind < other.kind ? -1 : 1;
    if (kind == FactorKind::Name || kind == FactorKind::Radical)
        return name < other.name ? -1 : (name == other.name ? 0 : 1);
    if (kind == FactorKind::Prime)
        return prime < other.prime ? -1 : (prime == other.prime ? 0 : 1);
    return 0;
}

ExactProblem ExactTerm::normalise()
{
    auto before = [](const ExactFactor& a, const ExactFactor& b) { return a.compareBase(b) < 0; };
    if (!std::is_sorted(factors.begin(), factors.end(), before))
        std::stable_sort(factors.begin(), factors.end(), before);
    // Merge equal bases and reduce each exponent, compacting in place.
    size_t kept = 0;
    for (size_t i = 0; i < factors.size(); ++i) {
        if (kept > 0 && factors[kept - 1].sameBase(factors[i])) {
            factors[kept - 1].exponent = factors[kept - 1].exponent + factors[i].exponent;
            continue;
        }
        if (kept != i)
            factors[kept] = std::move(factors[i]);
        ++kept;
    }
    factors.resize(kept);
    kept = 0;
    for (size_t i = 0; i < factors.size(); ++i) {
        ExactFactor& factor = factors[i];
        if (factor.kind == FactorKind::Prime) {
            int whole = factor.exponent.floor();
            if (whole != 0)
                coefficient *= primePower(factor.prime, whole);
            factor.exponent = factor.exponent - SmallRational(whole);
        } else if (factor.kind == FactorKind::Imaginary) {
            if (!factor.exponent.isInteger())
                return ExactProblem::Unsupported;
            int turns = ((factor.exponent.numerator % 4) + 4) % 4;
            if (turns >= 2)
                coefficient = -coefficient;
            factor.exponent = turns % 2;
        }
        if (factor.exponent.isZero())
            continue;
        if (factor.exponent.numerator > kMaxExponent || factor.exponent.numerator < -kMaxExponent)
            return ExactProblem::TooLarge;
        if (factor.exponent.denominator > kMaxRootDegree)
            return ExactProblem::Unsupported;
        if (kept != i)
            factors[kept] = std::move(factor);
        ++kept;
    }
    factors.resize(kept);
    if (coefficient.isZero())
        factors.clear();
    return ExactProblem::None;
}

SmallRational ExactTerm::nameDegree() const
{
    SmallRational degree;
    for (const ExactFactor& factor : factors) {
        if (factor.kind == FactorKind::Name)
            degree = degree + factor.exponent;
    }
    return degree;
}

namespace {

// The radicand of the root of each degree (1 where there is none).
using Radicands = std::array<std::int64_t, kMaxRootDegree + 1>;

Radicands radicandsOf(const ExactTerm& term)
{
    Radicands radicands;
    radicands.fill(1);
    for (const ExactFactor& factor : term.factors) {
        if (factor.kind != FactorKind::Prime)
            continue;
        for (RootPower root :
             foldExponent(factor.exponent.numerator, factor.exponent.denominator)) {
            std::int64_t& radicand = radicands[static_cast<size_t>(root.degree)];
            if (__builtin_mul_overflow(radicand, power(factor.prime, root.copies), &radicand))
                radicand = LongInt::kMaxMagnitude;
        }
    }
    return radicands;
}

// Compares the lists of (degree, radicand) by rising degree, as
// std::vector's operator<=> would, without building them.
int compareRootLists(const Radicands& a, const Radicands& b)
{
    size_t i = 2;
    size_t j = 2;
    for (;;) {
        while (i <= kMaxRootDegree && a[i] == 1)
            ++i;
        while (j <= kMaxRootDegree && b[j] == 1)
            ++j;
        bool endA = i > kMaxRootDegree;
        bool endB = j > kMaxRootDegree;
        if (endA || endB)
            return endA == endB ? 0 : (endA ? -1 : 1);
        if (i != j)
            return i < j ? -1 : 1;
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
}

} // namespace

std::vector<std::pair<int, std::int64_t>> rootList(const ExactTerm& term)
{
    Radicands radicands = radicandsOf(term);
    std::vector<std::pair<int, std::int64_t>> list;
    for (int degree = 2; degree <= kMaxRootDegree; ++degree) {
        if (radicands[static_cast<size_t>(degree)] > 1)
            list.emplace_back(degree, radicands[static_cast<size_t>(degree)]);
    }
    return list;
}

std::vector<TermPart> ExactTerm::writtenParts() const
{
    std::vector<TermPart> parts;
    bool fractional = false;
    bool primes = false;
    for (const ExactFactor& factor : factors) {
        if (factor.kind == FactorKind::Imaginary)
            parts.push_back({TermPart::Kind::Imaginary, nullptr, 0, 0, 1});
        else if (factor.kind == FactorKind::Name && factor.exponent.floor() > 0)
            parts.push_back({TermPart::Kind::Name, &factor, 0, 0, factor.exponent.floor()});
        primes = primes || factor.kind == FactorKind::Prime;
        fractional = fractional ||
                     (factor.kind != FactorKind::Prime && !factor.exponent.fractionPart().isZero());
    }
    // The roots by rising degree; within a degree those of numbers, then of
    // names, then of sums.
    Radicands radicands;
    radicands.fill(1);
    if (primes)
        radicands = radicandsOf(*this);
    for (int degree = 2; degree <= kMaxRootDegree; ++degree) {
        if (radicands[static_cast<size_t>(degree)] > 1)
            parts.push_back({TermPart::Kind::NumberRoot, nullptr, degree,
                             radicands[static_cast<size_t>(degree)], 1});
        for (const ExactFactor& factor : factors) {
            if (!fractional)
                break;
            if (factor.kind != FactorKind::Name && factor.kind != FactorKind::Radical)
                continue;
            SmallRational rest = factor.exponent.fractionPart();
            if (rest.isZero())
                continue;
            for (RootPower root : foldExponent(rest.numerator, rest.denominator)) {
                if (root.degree != degree)
                    continue;
                parts.push_back({factor.kind == FactorKind::Name ? TermPart::Kind::NameRoot
                                                                 : TermPart::Kind::SumRoot,
                                 &factor, degree, 0, root.copies});
            }
        }
    }
    return parts;
}

bool ExactTerm::writesCoefficient(std::size_t partCount) const
{
    return partCount == 0 || !(coefficient.isNegative() ? -coefficient : coefficient).isOne();
}

std::string ExactTerm::magnitudeText() const
{
    std::vector<TermPart> written = writtenParts();
    std::string text;
    if (writesCoefficient(written.size()))
        text = (coefficient.isNegative() ? -coefficient : coefficient).toText();
    for (const TermPart& part : written) {
        if (!text.empty())
            text += '*';
        switch (part.kind) {
        case TermPart::Kind::Imaginary:
            text += 'i';
            break;
        case TermPart::Kind::Name:
            text += nameText(part.factor->name, part.copies);
            break;
        case TermPart::Kind::NumberRoot:
            text += rootText(part.degree, std::to_string(part.radicand));
            break;
        case TermPart::Kind::NameRoot:
            text += rootText(part.degree, nameText(part.factor->name, part.copies));
            break;
        case TermPart::Kind::SumRoot:
            text += sumRootText(part.degree, part.factor->name, part.copies);
            break;
        }
    }
    return text;
}

int ExactTerm::partCount() const
{
    std::string text = magnitudeText();
    int depth = 0;
    int count = 1;
    for (char c : text) {
        depth += c == '(' ? 1 : (c == ')' ? -1 : 0);
        count += c == '*' && depth == 0 ? 1 : 0;
    }
    return count;
}

ExactProblem multiplyTerms(const ExactTerm& a, const ExactTerm& b, ExactTerm& product)
{
    product.coefficient = a.coefficient * b.coefficient;
    product.factors.clear();
    product.factors.reserve(a.factors.size() + b.factors.size());
    std::merge(a.factors.begin(), a.factors.end(), b.factors.begin(), b.factors.end(),
               std::back_inserter(product.factors),
               [](const ExactFactor& x, const ExactFactor& y) { return x.compareBase(y) < 0; });
    return product.normalise();
}

namespace {

// The names (or the sums under a root) of two terms compared: the higher
// total power first, then base by base in order, the higher power first,
// then the term with more of them.
int compareSymbols(std::span<const ExactFactor> a, std::span<const ExactFactor> b)
{
    // The total powers in units of 1/2520: every exponent's denominator (at
    // most 9) divides it, so the sums are exact without reducing fractions.
    auto degree = [](std::span<const ExactFactor> factors) {
        std::int64_t total = 0;
        for (const ExactFactor& factor : factors)
            total += static_cast<std::int64_t>(factor.exponent.numerator) *
                     (2520 / factor.exponent.denominator);
        return total;
    };
    std::int64_t degreeA = degree(a);
    std::int64_t degreeB = degree(b);
    if (degreeA != degreeB)
        return degreeA > degreeB ? -1 : 1;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i].name != b[i].name)
            return a[i].name < b[i].name ? -1 : 1;
        if (a[i].exponent != b[i].exponent)
            return a[i].exponent > b[i].exponent ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() > b.size() ? -1 : 1;
    return 0;
}

} // namespace

int compareTerms(const ExactTerm& a, const ExactTerm& b)
{
    // Terms with i form a block of their own after every real term, ordered
    // within it as the real ones are.
    auto imaginary = [](const ExactTerm& term) {
        return std::any_of(term.factors.begin(), term.factors.end(),
                           [](const ExactFactor& f) { return f.kind == FactorKind::Imaginary; });
    };
    bool imaginaryA = imaginary(a);
    if (imaginaryA != imaginary(b))
        return imaginaryA ? 1 : -1;
    std::span<const ExactFactor> x(a.factors);
    std::span<const ExactFactor> y(b.factors);
    // Names lead the factors and sums under a root close them; most terms
    // have neither.
    auto leadingNames = [](std::span<const ExactFactor> factors) {
        size_t count = 0;
        while (count < factors.size() && factors[count].kind == FactorKind::Name)
            ++count;
        return count;
    };
    size_t namesA = leadingNames(x);
    size_t namesB = leadingNames(y);
    if (namesA + namesB > 0) {
        if (int order = compareSymbols(x.first(namesA), y.first(namesB)))
            return order;
        x = x.subspan(namesA);
        y = y.subspan(namesB);
    }
    if (a.hasRadicals() || b.hasRadicals()) {
        auto trailingSums = [](std::span<const ExactFactor> factors) {
            size_t count = 0;
            while (count < factors.size() &&
                   factors[factors.size() - 1 - count].kind == FactorKind::Radical)
                ++count;
            return count;
        };
        size_t sumsA = trailingSums(x);
        size_t sumsB = trailingSums(y);
        if (int order = compareSymbols(x.last(sumsA), y.last(sumsB)))
            return order;
        x = x.first(x.size() - sumsA);
        y = y.first(y.size() - sumsB);
    }
    // The rational term (or i alone), then the roots.
    if (x.empty() || y.empty())
        return x.empty() == y.empty() ? 0 : (x.empty() ? -1 : 1);
    return compareRootLists(radicandsOf(a), radicandsOf(b));
}

} // namespace kestrane
