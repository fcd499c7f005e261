// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <numeric>

namespace kestrane {

// A small exact rational for exponents: a numerator and a positive
// denominator of 32-bit integers, kept reduced.
struct SmallRational {
    std::int32_t numerator = 0;
    std::int32_t denominator = 1;

    constexpr SmallRational() = default;
    constexpr SmallRational(std::int32_t whole) : numerator(whole) {}
    constexpr SmallRational(std::int64_t top, std::int64_t bottom)
    {
        if (bottom < 0) {
            top = -top;
            bottom = -bottom;
        }
        std::int64_t divisor = std::gcd(top, bottom);
        divisor = divisor == 0 ? 1 : divisor;
        numerator = static_cast<std::int32_t>(top / divisor);
        denominator = static_cast<std::int32_t>(bottom / divisor);
    }

    constexpr bool isZero() const { return numerator == 0; }
    constexpr bool isInteger() const { return denominator == 1; }
    // The largest integer not above the value.
    constexpr std::int32_t floor() const
    {
        std::int32_t quotient = numerator / denominator;
        return numerator % denominator < 0 ? quotient - 1 : quotient;
    }
    constexpr SmallRational fractionPart() const { return *this - SmallRational(floor()); }

    friend constexpr SmallRational operator+(SmallRational a, SmallRational b)
    {
        return {static_cast<std::int64_t>(a.numerator) * b.denominator +
                    static_cast<std::int64_t>(b.numerator) * a.denominator,
                static_cast<std::int64_t>(a.denominator) * b.denominator};
    }
    friend constexpr SmallRational operator-(SmallRational a, SmallRational b)
    {
        return a + SmallRational(-b.numerator, b.denominator);
    }
    friend constexpr SmallRational operator*(SmallRational a, SmallRational b)
    {
        return {static_cast<std::int64_t>(a.numerator) * b.numerator,
                static_cast<std::int64_t>(a.denominator) * b.denominator};
    }
    friend constexpr bool operator==(SmallRational, SmallRational) = default;
    friend constexpr std::strong_ordering operator<=>(SmallRational a, SmallRational b)
    {
        return static_cast<std::int64_t>(a.numerator) * b.denominator <=>
               static_cast<std::int64_t>(b.numerator) * a.denominator;
    }
};

} // namespace kestrane
