// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kestrane {

// A signed integer of any size, for the few determinants the hulls must
// decide exactly when floating point cannot tell their sign. It holds only
// what they need: sums, differences, products and the sign. Values of the
// size that long numbers of ten words give stay in the object itself, so
// the arithmetic rarely allocates.
class ExactInteger {
public:
    // Zero.
    ExactInteger() = default;

    // A long number times 1000 to the power of its fraction words, divided
    // by 1000 to the power of `droppedWords` (which must be zero words of
    // the number, so the value stays exact).
    static ExactInteger ofLongNum(const LongNum& value, int droppedWords = 0);
    static ExactInteger ofInteger(std::int64_t value);

    // -1, 0 or 1.
    int sign() const;

    friend ExactInteger operator+(const ExactInteger& a, const ExactInteger& b);
    friend ExactInteger operator-(const ExactInteger& a, const ExactInteger& b);
    friend ExactInteger operator*(const ExactInteger& a, const ExactInteger& b);
    ExactInteger operator-() const;

    ExactInteger(const ExactInteger& other);
    ExactInteger& operator=(const ExactInteger& other);
    ExactInteger(ExactInteger&& other) noexcept = default;
    ExactInteger& operator=(ExactInteger&& other) noexcept = default;

private:
    using Limb = std::uint32_t;
    static constexpr std::size_t kInlineLimbs = 24;

    const Limb* limbs() const { return m_large.empty() ? m_small.data() : m_large.data(); }
    Limb* limbs() { return m_large.empty() ? m_small.data() : m_large.data(); }
    // Makes room for `size` limbs, all zero.
    void clearTo(std::size_t size);
    void trim();
    // this = this × factor + addend, on the magnitude.
    void multiplyAdd(Limb factor, Limb addend);
    int compareMagnitude(const ExactInteger& other) const;
    static ExactInteger signedSum(const ExactInteger& a, const ExactInteger& b, bool negateB);

    // Least significant limb first; m_size limbs are in use, the top one
    // nonzero. Zero has size 0 and is never negative. Up to kInlineLimbs
    // limbs live in m_small, more in m_large.
    std::array<Limb, kInlineLimbs> m_small{};
    std::vector<Limb> m_large;
    std::size_t m_size = 0;
    bool m_negative = false;
};

} // namespace kestrane
