// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_int.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// An exact rational number: numerator and a positive denominator, kept
// reduced. Both are two-word integers, so a result that does not fit raises
// the LongInt overflow flag.
class ExactRational {
public:
    ExactRational() = default;
    ExactRational(std::int64_t integer) : m_numerator(LongInt::fromInt(integer)) {}
    // numerator / denominator, reduced; the denominator must not be 0.
    ExactRational(const LongInt& numerator, const LongInt& denominator);

    // A decimal number ("12", "0.5", "-3.25", ".5"): digits with at most one
    // '.', and an optional leading '-'. Nothing for any other text; zero, with
    // the overflow flag raised, for more digits than two words hold.
    static std::optional<ExactRational> fromDecimal(std::string_view text);

    const LongInt& numerator() const { return m_numerator; }
    const LongInt& denominator() const { return m_denominator; }
    bool isZero() const { return m_numerator.isZero(); }
    bool isNegative() const { return m_numerator.isNegative(); }
    bool isInteger() const { return m_denominator.magnitude() == 1; }
    bool isOne() const { return isInteger() && m_numerator.magnitude() == 1 && !isNegative(); }

    ExactRational operator-() const;
    friend ExactRational operator+(const ExactRational& a, const ExactRational& b);
    friend ExactRational operator-(const ExactRational& a, const ExactRational& b);
    friend ExactRational operator*(const ExactRational& a, const ExactRational& b);
    // b must not be 0.
    friend ExactRational operator/(const ExactRational& a, const ExactRational& b);
    ExactRational& operator+=(const ExactRational& b) { return *this = *this + b; }
    ExactRational& operator*=(const ExactRational& b) { return *this = *this * b; }

    friend bool operator==(const ExactRational&, const ExactRational&) = default;
    friend std::strong_ordering operator<=>(const ExactRational& a, const ExactRational& b);

    // "p" or "p/q".
    std::string toText() const;

private:
    LongInt m_numerator;
    LongInt m_denominator = LongInt::fromInt(1);
};

} // namespace kestrane
