// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_term.h"

#include <string>
#include <vector>

namespace kestrane {

// An exact sum of terms, always collected: like terms merged, no zero terms,
// the terms in the order of compareTerms. A sum that could not be computed
// holds no terms and says why in problem(); operations on it keep the
// problem. More than kMaxExactTerms terms is the problem TooLarge.
class ExactSum {
public:
    // Zero.
    ExactSum() = default;
    ExactSum(const ExactRational& number);
    explicit ExactSum(ExactTerm term);

    static ExactSum name(const std::string& name);
    static ExactSum imaginary();
    static ExactSum failed(ExactProblem problem);
    // base^exponent as one factor: a prime's, a name's or (exponent a whole
    // number) i's.
    static ExactSum power(const ExactFactor& factor);

    const std::vector<ExactTerm>& terms() const { return m_terms; }
    ExactProblem problem() const { return m_problem; }
    bool failed() const { return m_problem != ExactProblem::None; }
    bool isZero() const { return m_terms.empty() && !failed(); }
    // A single rational term (or zero).
    bool isRational() const;
    // The value when isRational().
    ExactRational rationalValue() const;
    bool hasNames() const;
    // True when some term holds a root or i.
    bool hasRoots() const;

    ExactSum operator-() const;
    friend ExactSum operator+(const ExactSum& a, const ExactSum& b);
    friend ExactSum operator-(const ExactSum& a, const ExactSum& b);
    friend ExactSum operator*(const ExactSum& a, const ExactSum& b);
    ExactSum& operator+=(const ExactSum& b) { return *this = *this + b; }
    ExactSum& operator*=(const ExactSum& b) { return *this = *this * b; }
    // Every coefficient times `factor`.
    ExactSum scaled(const ExactRational& factor) const;
    // The sum to a whole power n >= 0.
    ExactSum raised(int exponent) const;

    friend bool operator==(const ExactSum& a, const ExactSum& b);

    // In the linear notation: terms joined by '+' and '-'; when the first
    // term is negative and a positive one exists, the first positive term is
    // written first (sqrt(2)-1). "0" for zero.
    std::string toText() const;
    // The terms in the order toText() writes them.
    std::vector<const ExactTerm*> writtenOrder() const;

    // Builds a sum from any terms: normalises and collects them.
    static ExactSum collect(std::vector<ExactTerm> terms);

private:
    // collect() for terms of which some hold a whole power of a sum under a
    // root.
    static ExactSum expanded(std::vector<ExactTerm> terms);

    std::vector<ExactTerm> m_terms;
    ExactProblem m_problem = ExactProblem::None;
};

} // namespace kestrane
