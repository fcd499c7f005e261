// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <limits>

namespace kestrane {

// A non-negative real number kept as its base-2 logarithm: the bound on the
// error of a long value, or on the size of one. Logarithms keep bounds far
// outside the range of doubles (10^-900, 10^900) as exact as needed. Zero
// (an exact value) is -infinity inside; an unbounded error is +infinity.
class ErrorBound {
public:
    // Zero.
    constexpr ErrorBound() = default;

    static ErrorBound unbounded() { return ErrorBound(kInfinity); }
    static ErrorBound fromLog2(double log2) { return ErrorBound(log2); }
    // A non-negative double (0 is zero, infinity unbounded).
    static ErrorBound fromDouble(double value);
    // `units` units of the last digit word at the current word count.
    static ErrorBound lastWordUnits(double units);
    // One unit of digit word `index` at the current word count.
    static ErrorBound wordUnit(int index);
    // Bounds of |a| from above and from below.
    static ErrorBound above(const LongNum& a);
    static ErrorBound below(const LongNum& a);

    bool isZero() const { return m_log2 == -kInfinity; }
    bool isUnbounded() const { return m_log2 == kInfinity; }
    double log2() const { return m_log2; }
    // The value as a double: 0 below its range, infinity above.
    double toDouble() const;

    friend ErrorBound operator+(ErrorBound a, ErrorBound b);
    friend ErrorBound operator*(ErrorBound a, ErrorBound b);
    // a / b; unbounded when b is zero.
    friend ErrorBound operator/(ErrorBound a, ErrorBound b);
    // a - b when a > b; zero otherwise.
    friend ErrorBound differenceOrZero(ErrorBound a, ErrorBound b);
    ErrorBound scaled(double factor) const;
    // The bound to a positive power (0.5 for the square root).
    ErrorBound power(double exponent) const;

    friend bool operator<(ErrorBound a, ErrorBound b) { return a.m_log2 < b.m_log2; }
    friend bool operator<=(ErrorBound a, ErrorBound b) { return a.m_log2 <= b.m_log2; }

private:
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();
    explicit ErrorBound(double log2) : m_log2(log2) {}

    double m_log2 = -kInfinity;
};

inline ErrorBound min(ErrorBound a, ErrorBound b)
{
    return b < a ? b : a;
}

} // namespace kestrane
