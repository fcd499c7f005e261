// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_problem.h"
#include "algebra/exact_rational.h"
#include "algebra/exact_small_rational.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {

class ExactSum;
struct ExactApplication;

// What a factor of a term raises to its exponent. Factors sort names first
// (in ASCII order), then the imaginary unit, then primes in ascending order,
// then sums under a root (a root that cannot be taken apart, such as
// sqrt(2+3*sqrt(3)), which stands in a term like a name).
enum class FactorKind { Name, Imaginary, Prime, Radical };

struct ExactFactor {
    FactorKind kind = FactorKind::Name;
    std::int64_t prime = 0; // for primes
    std::string name;       // for names; for sums under a root, the sum's text
    SmallRational exponent;
    // For sums under a root, the sum in its normal form (a whole power of
    // the factor is the sum's power); for a name written like sin(x), a
    // function or root kept whole, what it applies to, so that its tree can
    // be built without reading the name. The kind says which: one pointer
    // keeps factors small, and terms copy them a lot.
    std::shared_ptr<const void> attached;

    const ExactSum* radicand() const
    {
        return kind == FactorKind::Radical ? static_cast<const ExactSum*>(attached.get()) : nullptr;
    }
    const ExactApplication* application() const
    {
        return kind == FactorKind::Name ? static_cast<const ExactApplication*>(attached.get())
                                        : nullptr;
    }

    static ExactFactor ofName(std::string name, SmallRational exponent = 1)
    {
        return {FactorKind::Name, 0, std::move(name), exponent, nullptr};
    }
    static ExactFactor imaginary() { return {FactorKind::Imaginary, 0, {}, 1, nullptr}; }
    static ExactFactor ofPrime(std::int64_t prime, SmallRational exponent)
    {
        return {FactorKind::Prime, prime, {}, exponent, nullptr};
    }
    // A name that stands for a function or root applied to an argument.
    static ExactFactor ofApplication(std::string name,
                                     std::shared_ptr<const ExactApplication> applied)
    {
        return {FactorKind::Name, 0, std::move(name), 1, std::move(applied)};
    }
    // The sum to the exponent: sqrt(sum) for 1/2.
    static ExactFactor ofSum(const ExactSum& sum, SmallRational exponent);

    // -1, 0 or 1 as this base sorts before, with or after the other's.
    int compareBase(const ExactFactor& other) const;
    bool sameBase(const ExactFactor& other) const { return compareBase(other) == 0; }
};

// One '*'-joined part of a term as written, after its coefficient: i, a
// name to a whole power, a root of a number, of a name's power or of a sum
// (that root to a whole power).
struct TermPart {
    enum class Kind { Imaginary, Name, NumberRoot, NameRoot, SumRoot };
    Kind kind = Kind::Imaginary;
    // The name's or the sum's factor.
    const ExactFactor* factor = nullptr;
    int degree = 0;
    std::int64_t radicand = 0;
    // The name's power (Name, NameRoot) or the root's (SumRoot).
    int copies = 1;
};

// A coefficient times a product of factors in base order, each base once with
// a nonzero exponent: names with any exponent, the imaginary unit with
// exponent 1, primes with an exponent strictly between 0 and 1 whose
// denominator is at most 9 (whole powers live in the coefficient), sums
// under a root with an exponent whose denominator is at most 9 (a sum
// multiplies its whole powers out).
struct ExactTerm {
    ExactRational coefficient;
    std::vector<ExactFactor> factors;

    // Brings the factors to the form above: merges equal bases, moves whole
    // powers of primes and of i into the coefficient, drops zero exponents.
    // Unsupported when a prime's exponent needs a root of degree above 9.
    ExactProblem normalise();

    bool hasNames() const { return !factors.empty() && factors.front().kind == FactorKind::Name; }
    // A term without names, roots or i.
    bool isRational() const { return factors.empty(); }
    // Some factor is a sum under a root.
    bool hasRadicals() const
    {
        return !factors.empty() && factors.back().kind == FactorKind::Radical;
    }
    // The sum of the names' exponents.
    SmallRational nameDegree() const;

    // The term without its sign, in the linear notation: the coefficient
    // (left out when it is 1 and factors follow), names with '^', i, then the
    // roots by rising degree, joined by '*'.
    std::string magnitudeText() const;
    // The parts magnitudeText() writes after the coefficient, in order.
    std::vector<TermPart> writtenParts() const;
    // Whether the coefficient is written before that many parts.
    bool writesCoefficient(std::size_t partCount) const;
    // How many '*'-joined parts magnitudeText() has.
    int partCount() const;
};

// The product of two terms, normalised.
ExactProblem multiplyTerms(const ExactTerm& a, const ExactTerm& b, ExactTerm& product);

// The order of terms in a sum: every real term before every term with i;
// within each block, higher total degree in the names first, then names
// compared in ASCII order (the higher power first); the sums under a root the
// same way after them; then the rational term, then the roots of numbers as
// ascending lists of (degree, radicand). 0 for like terms (which differ only
// in their coefficients).
int compareTerms(const ExactTerm& a, const ExactTerm& b);

// The numeric roots of a term as written: (degree, radicand) by rising degree.
std::vector<std::pair<int, std::int64_t>> rootList(const ExactTerm& term);

} // namespace kestrane
