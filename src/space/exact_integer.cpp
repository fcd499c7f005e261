// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/exact_integer.h"

#include <algorithm>

namespace kestrane {

ExactInteger::ExactInteger(const ExactInteger& other)
    : m_large(other.m_large)
    , m_size(other.m_size)
    , m_negative(other.m_negative)
{
    if (m_large.empty())
        std::copy_n(other.m_small.begin(), m_size, m_small.begin());
}

ExactInteger& ExactInteger::operator=(const ExactInteger& other)
{
    if (this != &other) {
        m_large = other.m_large;
        m_size = other.m_size;
        m_negative = other.m_negative;
        if (m_large.empty())
            std::copy_n(other.m_small.begin(), m_size, m_small.begin());
    }
    return *this;
}

void ExactInteger::clearTo(std::size_t size)
{
    if (size > kInlineLimbs) {
        m_large.assign(size, 0);
    } else {
        m_large.clear();
        std::fill_n(m_small.begin(), size, 0);
    }
    m_size = size;
}

void ExactInteger::trim()
{
    const Limb* digits = limbs();
    while (m_size > 0 && digits[m_size - 1] == 0)
        --m_size;
    if (m_size == 0)
        m_negative = false;
}

void ExactInteger::multiplyAdd(Limb factor, Limb addend)
{
    std::uint64_t carry = addend;
    Limb* digits = limbs();
    for (std::size_t index = 0; index < m_size; ++index) {
        std::uint64_t value = static_cast<std::uint64_t>(digits[index]) * factor + carry;
        digits[index] = static_cast<Limb>(value);
        carry = value >> 32;
    }
    if (carry == 0)
        return;
    if (m_size == kInlineLimbs && m_large.empty())
        m_large.assign(m_small.begin(), m_small.end());
    if (!m_large.empty())
        m_large.resize(m_size + 1);
    limbs()[m_size++] = static_cast<Limb>(carry);
}

ExactInteger ExactInteger::ofLongNum(const LongNum& value, int droppedWords)
{
    ExactInteger out;
    for (int index = 0; index < value.wordCount() - droppedWords; ++index)
        out.multiplyAdd(static_cast<Limb>(kLongBase), static_cast<Limb>(value[index]));
    out.trim();
    out.m_negative = value.isNegative() && out.m_size > 0;
    return out;
}

ExactInteger ExactInteger::ofInteger(std::int64_t value)
{
    ExactInteger out;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    out.clearTo(2);
    out.m_small[0] = static_cast<Limb>(magnitude);
    out.m_small[1] = static_cast<Limb>(magnitude >> 32);
    out.trim();
    out.m_negative = value < 0;
    return out;
}

int ExactInteger::sign() const
{
    if (m_size == 0)
        return 0;
    return m_negative ? -1 : 1;
}

int ExactInteger::compareMagnitude(const ExactInteger& other) const
{
    if (m_size != other.m_size)
        return m_size < other.m_size ? -1 : 1;
    const Limb* a = limbs();
    const Limb* b = other.limbs();
    for (std::size_t index = m_size; index-- > 0;) {
        if (a[index] != b[index])
            return a[index] < b[index] ? -1 : 1;
    }
    return 0;
}

ExactInteger ExactInteger::signedSum(const ExactInteger& a, const ExactInteger& b, bool negateB)
{
    bool bNegative = b.m_size > 0 && (negateB ? !b.m_negative : b.m_negative);
    ExactInteger out;
    if (a.m_negative == bNegative || a.m_size == 0 || b.m_size == 0) {
        const ExactInteger& longer = a.m_size >= b.m_size ? a : b;
        const ExactInteger& shorter = a.m_size >= b.m_size ? b : a;
        out.clearTo(longer.m_size + 1);
        const Limb* x = longer.limbs();
        const Limb* y = shorter.limbs();
        Limb* sum = out.limbs();
        std::uint64_t carry = 0;
        for (std::size_t index = 0; index < longer.m_size; ++index) {
            std::uint64_t value = static_cast<std::uint64_t>(x[index]) + carry +
                                  (index < shorter.m_size ? y[index] : 0);
            sum[index] = static_cast<Limb>(value);
            carry = value >> 32;
        }
        sum[longer.m_size] = static_cast<Limb>(carry);
        out.m_negative = a.m_size > 0 ? a.m_negative : bNegative;
    } else {
        // Different signs: the smaller magnitude from the larger, which
        // keeps its sign.
        bool aLarger = a.compareMagnitude(b) >= 0;
        const ExactInteger& larger = aLarger ? a : b;
        const ExactInteger& smaller = aLarger ? b : a;
        out.clearTo(larger.m_size);
        const Limb* x = larger.limbs();
        const Limb* y = smaller.limbs();
        Limb* difference = out.limbs();
        std::int64_t borrow = 0;
        for (std::size_t index = 0; index < larger.m_size; ++index) {
            std::int64_t value = static_cast<std::int64_t>(x[index]) - borrow -
                                 (index < smaller.m_size ? static_cast<std::int64_t>(y[index]) : 0);
            borrow = value < 0 ? 1 : 0;
            difference[index] = static_cast<Limb>(value + (borrow << 32));
        }
        out.m_negative = aLarger ? a.m_negative : bNegative;
    }
    out.trim();
    return out;
}

ExactInteger operator+(const ExactInteger& a, const ExactInteger& b)
{
    return ExactInteger::signedSum(a, b, false);
}

ExactInteger operator-(const ExactInteger& a, const ExactInteger& b)
{
    return ExactInteger::signedSum(a, b, true);
}

ExactInteger operator*(const ExactInteger& a, const ExactInteger& b)
{
    ExactInteger out;
    if (a.m_size == 0 || b.m_size == 0)
        return out;
    out.clearTo(a.m_size + b.m_size);
    const ExactInteger::Limb* x = a.limbs();
    const ExactInteger::Limb* y = b.limbs();
    ExactInteger::Limb* product = out.limbs();
    for (std::size_t i = 0; i < a.m_size; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.m_size; ++j) {
            std::uint64_t value = static_cast<std::uint64_t>(x[i]) * y[j] + product[i + j] + carry;
            product[i + j] = static_cast<ExactInteger::Limb>(value);
            carry = value >> 32;
        }
        product[i + b.m_size] = static_cast<ExactInteger::Limb>(carry);
    }
    out.m_negative = a.m_negative != b.m_negative;
    out.trim();
    return out;
}

ExactInteger ExactInteger::operator-() const
{
    ExactInteger out = *this;
    out.m_negative = out.m_size > 0 && !m_negative;
    return out;
}

} // namespace kestrane
