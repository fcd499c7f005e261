// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// Binary fixed-point numbers for the elementary functions: 64-bit limbs,
// little-endian, two's complement, one integer limb and `fraction` fraction
// limbs. Base-1000 words carry ten bits each, so the functions work here,
// with a few guard bits more than the result needs, and convert once.
namespace kestrane::long_engine {

__extension__ typedef unsigned __int128 Wide;

// Limbs held in place up to kInline of them (the functions' numbers at every
// word count up to kLongWordsMax), on the heap beyond: the functions make many
// short-lived temporaries. Copies and moves touch only the limbs in use.
class Limbs {
public:
    static constexpr int kInline = 64;

    Limbs() = default;
    explicit Limbs(int size) { resize(size); }
    Limbs(const Limbs& other) { *this = other; }
    Limbs& operator=(const Limbs& other)
    {
        if (this != &other) {
            allocate(other.m_size);
            std::copy(other.begin(), other.end(), begin());
        }
        return *this;
    }

    Limbs(Limbs&& other) noexcept { *this = std::move(other); }
    Limbs& operator=(Limbs&& other) noexcept
    {
        if (this != &other) {
            m_size = other.m_size;
            m_heap.swap(other.m_heap);
            if (m_heap.empty())
                std::copy(other.m_inline, other.m_inline + m_size, m_inline);
            // The source is left empty.
            other.m_heap.clear();
            other.m_size = 0;
        }
        return *this;
    }

    int size() const { return m_size; }
    std::uint64_t* begin() { return m_heap.empty() ? m_inline : m_heap.data(); }
    std::uint64_t* end() { return begin() + m_size; }
    const std::uint64_t* begin() const { return m_heap.empty() ? m_inline : m_heap.data(); }
    const std::uint64_t* end() const { return begin() + m_size; }
    std::uint64_t& operator[](int index) { return begin()[index]; }
    const std::uint64_t& operator[](int index) const { return begin()[index]; }
    std::uint64_t& back() { return begin()[m_size - 1]; }
    std::uint64_t back() const { return begin()[m_size - 1]; }

private:
    // Sets the size; the limbs are zero.
    void resize(int size)
    {
        allocate(size);
        std::fill(begin(), end(), 0);
    }

    // Sets the size, leaving the limbs' values to the caller.
    void allocate(int size)
    {
        m_size = size;
        if (size > kInline)
            m_heap.resize(static_cast<size_t>(size));
        else
            m_heap.clear();
    }

    std::uint64_t m_inline[kInline];
    std::vector<std::uint64_t> m_heap;
    int m_size = 0;
};

class Fixed {
public:
    Fixed() = default;
    explicit Fixed(int fraction) : m_limbs(fraction + 1) {}
    static Fixed integer(int fraction, std::int64_t value);
    static Fixed fromDouble(int fraction, double value);

    int fraction() const { return m_limbs.size() - 1; }
    int limbCount() const { return m_limbs.size(); }
    std::uint64_t& limb(int index) { return m_limbs[index]; }
    const std::uint64_t& limb(int index) const { return m_limbs[index]; }
    bool isNegative() const { return static_cast<std::int64_t>(m_limbs.back()) < 0; }
    bool isZero() const;
    std::int64_t integerPart() const { return static_cast<std::int64_t>(m_limbs.back()); }
    double toDouble() const;
    // The same value with another number of fraction limbs (truncated).
    Fixed withFraction(int fraction) const;

    void negate();
    Fixed operator-() const;
    Fixed& operator+=(const Fixed& other);
    Fixed& operator-=(const Fixed& other);
    friend Fixed operator+(Fixed a, const Fixed& b) { return a += b; }
    friend Fixed operator-(Fixed a, const Fixed& b) { return a -= b; }
    friend Fixed operator*(const Fixed& a, const Fixed& b);
    friend Fixed operator/(const Fixed& a, const Fixed& b);
    Fixed& multiplySmall(std::uint64_t factor); // sign kept
    Fixed& divideSmall(std::uint64_t divisor);  // sign kept, truncated
    Fixed& shiftRight(int bits);                // arithmetic
    Fixed& shiftLeft(int bits);
    friend bool operator<(const Fixed& a, const Fixed& b);

private:
    Limbs m_limbs;
};

// The exponent of the leading bit of a positive value (0 for values in [1, 2)).
int leadingBit(const Fixed& a);

Fixed squareRoot(const Fixed& a);
// e^x = result * 2^binaryExponent, the result in [0.7, 1.42); |x| below 2^40.
Fixed exponential(const Fixed& x, int& binaryExponent);
Fixed logarithm(const Fixed& x); // x > 0
Fixed arctangent(const Fixed& x);
// Sine and cosine of |x| <= pi.
void sineCosine(const Fixed& x, Fixed& sine, Fixed& cosine);
const Fixed& pi(int fraction);
const Fixed& lnTwo(int fraction);

// Fraction limbs enough for every digit word at the current word count and
// `extraBits` more.
int fractionLimbs(int extraBits = 0);
// Fraction limbs enough for a result that is wanted to its last fraction word
// and has up to `integerBits` bits above the point (64 guard bits more), never
// more than fractionLimbs(): small results need no room for integer words.
int resultFractionLimbs(int integerBits);

// A long number as (mantissa, exponent) with value = mantissa * 1000^exponent,
// where the mantissa lies in [1, 1000) (zero gives a zero mantissa).
struct Scaled {
    Fixed mantissa;
    int exponent = 0;
};
Scaled toScaled(const LongNum& a, int fraction);
// The value of a Fixed when it fits the integer limb.
Fixed toFixed(const LongNum& a, int fraction);
// value * 2^binaryExponent * 1000^wordShift into a long number, truncated
// toward zero; words above word 0 are dropped, and then false is returned.
// `leftover`, when given, receives the part cut off below the last word in
// units of it (0 to 1, roughly), or -1 when integer digits were cut off.
bool toLong(const Fixed& value, int binaryExponent, int wordShift, LongNum& out,
            double* leftover = nullptr);

} // namespace kestrane::long_engine
