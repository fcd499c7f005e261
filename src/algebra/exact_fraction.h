// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_sum.h"

#include <span>
#include <string>

namespace kestrane {

// An exact value N / D of two sums. Arithmetic keeps a single fraction
// without reducing it; normalised() gives the normal form: D free of numeric
// roots and of i (with names in D, of square roots), integer coefficients, a
// positive integer D when D is a number, common factors cancelled, D = 1 when
// nothing is left below the bar.
class ExactFraction {
public:
    ExactFraction() : m_denominator(ExactRational(1)) {}
    ExactFraction(const ExactRational& number)
        : m_numerator(number)
        , m_denominator(ExactRational(1))
    {
    }
    ExactFraction(ExactSum numerator)
        : m_numerator(std::move(numerator))
        , m_denominator(ExactRational(1))
    {
    }
    ExactFraction(ExactSum numerator, ExactSum denominator);

    static ExactFraction failed(ExactProblem problem);
    // A decimal number ("0.5" is 1/2); Unsupported for other text.
    static ExactFraction decimal(std::string_view text);
    static ExactFraction name(const std::string& name) { return ExactSum::name(name); }
    static ExactFraction imaginary() { return ExactSum::imaginary(); }

    const ExactSum& numerator() const { return m_numerator; }
    const ExactSum& denominator() const { return m_denominator; }
    ExactProblem problem() const;
    bool failed() const { return problem() != ExactProblem::None; }

    ExactFraction operator-() const { return {-m_numerator, m_denominator}; }
    friend ExactFraction operator+(const ExactFraction& a, const ExactFraction& b);
    friend ExactFraction operator-(const ExactFraction& a, const ExactFraction& b);
    friend ExactFraction operator*(const ExactFraction& a, const ExactFraction& b);
    // Division by zero is the problem DivisionByZero.
    friend ExactFraction operator/(const ExactFraction& a, const ExactFraction& b);
    ExactFraction reciprocal() const;
    // A whole power; a negative one gives the reciprocal's power.
    ExactFraction raised(int exponent) const;
    // The power with exponent p/q for q <= 9: the q-th root of the p-th power.
    ExactFraction raised(int numerator, int denominator,
                         std::span<const std::int32_t> primes) const;
    // The root of the given degree (2 to 9; above is Unsupported) of the
    // normal form: a root of a single term takes its primes' and names'
    // exponents apart (with the primes of the table first), sqrt(a +- b*sqrt(c))
    // denests when a^2 - b^2*c is a square; a root of any other sum is
    // Unsupported, as is an even root of a negative number other than the
    // square root (which gives i).
    ExactFraction root(int degree, std::span<const std::int32_t> primes) const;

    ExactFraction normalised() const;
    // In the linear notation: "N", or "N/D" with N and D in parentheses when
    // they are more than one factor: sqrt(2)/2, (2*sqrt(3))/5, 1/(x+1).
    std::string toText() const;

private:
    ExactSum m_numerator;
    ExactSum m_denominator;
};

// A function or root that the exact forms keep whole: it stands in terms as
// a name written like the application, sin(x) or root(3,x+1).
struct ExactApplication {
    // 2 to 9 for a root; 0 for a function.
    int degree = 0;
    // The function's mark code when degree is 0.
    int code = 0;
    ExactFraction argument;
};

} // namespace kestrane
