// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

// Exact intermediates of the two-word arithmetic.
__extension__ typedef __int128 WideInt;

// The signed two-word integer of exact simplification: value = sign x
// (high x 1 000 000 + low), low 0..999 999, high 0..2 147 483 647, so the
// magnitude stays below about 2.1e15. Sums, products and times-int are exact;
// a result that does not fit the two words raises the overflow flag (below)
// and keeps its low word and its high word taken modulo 2^31. Zero always
// carries sign '+'. The two words are held as one 64-bit magnitude, so the
// arithmetic needs no carries between them.
class LongInt {
public:
    static constexpr std::int32_t kBase = 1000000;
    static constexpr std::int32_t kHighMax = 2147483647;
    // The largest magnitude the two words hold.
    static constexpr std::int64_t kMaxMagnitude =
        static_cast<std::int64_t>(kHighMax) * kBase + (kBase - 1);

    // Zero.
    LongInt() = default;

    // The integer n; a magnitude beyond kMaxMagnitude overflows.
    static LongInt fromInt(std::int64_t n)
    {
        if (n >= -kMaxMagnitude && n <= kMaxMagnitude)
            return fromMagnitude(n < 0 ? -n : n, n < 0 ? '-' : '+');
        return fromWide(n);
    }
    // Decimal digits with an optional leading '-' or '+'; leading zeros are
    // allowed. Nothing for any other text. Too many digits overflow.
    static std::optional<LongInt> fromText(std::string_view text);

    // Decimal digits, '-' first for a negative value, no leading zeros.
    std::string toText() const;

    std::int32_t low() const { return static_cast<std::int32_t>(m_magnitude % kBase); }
    std::int32_t high() const { return static_cast<std::int32_t>(m_magnitude / kBase); }
    char sign() const { return m_sign; }
    bool isNegative() const { return m_sign == '-'; }
    bool isZero() const { return m_magnitude == 0; }
    std::int64_t magnitude() const { return m_magnitude; }
    // The exact value as a 64-bit integer.
    std::int64_t value() const { return m_sign == '-' ? -m_magnitude : m_magnitude; }

    // this = this x m, exactly.
    LongInt& timesInt(std::int64_t m);
    // Quotient truncated toward zero; the sign follows the signs of the value
    // and of m. m must not be 0.
    LongInt dividedBy(std::int64_t m) const { return fromInt(value() / m); }
    LongInt& divideBy(std::int64_t m) { return *this = dividedBy(m); }
    // The remainder of the truncating division, with the sign of the value,
    // so that a == a.dividedBy(m) x m + a.remainder(m). m must not be 0.
    std::int64_t remainder(std::int64_t m) const { return value() % m; }

    LongInt operator-() const;
    // Two magnitudes below 2^51 never overflow 64 bits.
    friend LongInt operator+(const LongInt& a, const LongInt& b)
    {
        return fromInt(a.value() + b.value());
    }
    friend LongInt operator-(const LongInt& a, const LongInt& b)
    {
        return fromInt(a.value() - b.value());
    }
    friend LongInt operator*(const LongInt& a, const LongInt& b)
    {
        std::int64_t product = 0;
        if (__builtin_mul_overflow(a.m_magnitude, b.m_magnitude, &product) ||
            product > kMaxMagnitude)
            return fromWide(static_cast<WideInt>(a.value()) * b.value());
        return fromMagnitude(product, a.m_sign == b.m_sign ? '+' : '-');
    }
    LongInt& operator+=(const LongInt& b) { return *this = *this + b; }
    LongInt& operator-=(const LongInt& b) { return *this = *this - b; }
    LongInt& operator*=(const LongInt& b) { return *this = *this * b; }

    // Signed comparison of values.
    friend bool operator==(const LongInt&, const LongInt&) = default;
    friend std::strong_ordering operator<=>(const LongInt& a, const LongInt& b)
    {
        return a.value() <=> b.value();
    }

    // Magnitude comparisons (signs not compared).
    bool atLeast(const LongInt& b) const { return m_magnitude >= b.m_magnitude; }
    bool atLeastInt(std::int64_t n) const
    {
        return m_magnitude >= (n < 0 ? -static_cast<WideInt>(n) : static_cast<WideInt>(n));
    }
    bool sameMagnitude(const LongInt& b) const { return m_magnitude == b.m_magnitude; }
    bool equalsInt(std::int64_t n) const { return value() == n; }

private:
    // A signed result: exact when it fits, else flagged and truncated.
    static LongInt fromWide(WideInt value);
    static LongInt fromMagnitude(std::int64_t magnitude, char sign = '+')
    {
        LongInt result;
        result.m_magnitude = magnitude;
        result.m_sign = magnitude == 0 ? '+' : sign;
        return result;
    }

    std::int64_t m_magnitude = 0;
    char m_sign = '+';
};

// --- Overflow ------------------------------------------------------------------
// The process-wide flag a result that does not fit raises. When the flag goes
// up, "Too large numbers. Major error may occur." is shown once (caption
// "Error.", OK and Cancel) on the long-number host, if one is installed;
// further overflows before the flag is cleared show nothing more.
bool longIntOverflow();
void clearLongIntOverflow();

} // namespace kestrane
