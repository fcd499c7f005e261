// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_rational.h"

#include "numbers/number_theory.h"

#include <cassert>

namespace kestrane {

namespace {

// A product of denominators cut by an overflow can come out 0; the overflow
// flag already says the value is wrong, so it only has to stay usable.
LongInt usableDenominator(const LongInt& denominator)
{
    assert(!denominator.isZero() || longIntOverflow());
    return denominator.isZero() ? LongInt::fromInt(1) : denominator;
}

} // namespace

ExactRational::ExactRational(const LongInt& numerator, const LongInt& given)
{
    LongInt denominator = usableDenominator(given);
    std::int64_t divisor = commonDivisor(numerator.magnitude(), denominator.magnitude());
    m_numerator = divisor > 1 ? numerator.dividedBy(divisor) : numerator;
    m_denominator = divisor > 1 ? denominator.dividedBy(divisor) : denominator;
    if (m_denominator.isNegative()) {
        m_numerator = -m_numerator;
        m_denominator = -m_denominator;
    }
}

std::optional<ExactRational> ExactRational::fromDecimal(std::string_view text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    size_t point = text.find('.');
    std::string digits(text.substr(0, point));
    std::string scale = "1";
    if (point != std::string_view::npos) {
        std::string_view fraction = text.substr(point + 1);
        // Trailing zeros of the fraction change nothing.
        while (!fraction.empty() && fraction.back() == '0')
            fraction.remove_suffix(1);
        digits += fraction;
        scale.append(fraction.size(), '0');
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    // Too many digits raise the overflow flag here.
    auto numerator = LongInt::fromText(digits);
    auto denominator = LongInt::fromText(scale);
    if (longIntOverflow())
        return ExactRational();
    return ExactRational(negative ? -*numerator : *numerator, *denominator);
}

ExactRational ExactRational::operator-() const
{
    ExactRational result = *this;
    result.m_numerator = -m_numerator;
    return result;
}

ExactRational operator+(const ExactRational& a, const ExactRational& b)
{
    if (a.isInteger() && b.isInteger()) {
        ExactRational result;
        result.m_numerator = a.m_numerator + b.m_numerator;
        return result;
    }
    if (a.m_denominator == b.m_denominator)
        return ExactRational(a.m_numerator + b.m_numerator, a.m_denominator);
    return ExactRational(a.m_numerator * b.m_denominator + b.m_numerator * a.m_denominator,
                         a.m_denominator * b.m_denominator);
}

ExactRational operator-(const ExactRational& a, const ExactRational& b)
{
    return a + (-b);
}

ExactRational operator*(const ExactRational& a, const ExactRational& b)
{
    if (a.isInteger() && b.isInteger()) {
        ExactRational result;
        result.m_numerator = a.m_numerator * b.m_numerator;
        return result;
    }
    // Cross-reduce first so that the products stay small.
    std::int64_t first = commonDivisor(a.m_numerator.magnitude(), b.m_denominator.magnitude());
    std::int64_t second = commonDivisor(b.m_numerator.magnitude(), a.m_denominator.magnitude());
    first = first == 0 ? 1 : first;
    second = second == 0 ? 1 : second;
    ExactRational result;
    result.m_numerator = a.m_numerator.dividedBy(first) * b.m_numerator.dividedBy(second);
    result.m_denominator =
        usableDenominator(a.m_denominator.dividedBy(second) * b.m_denominator.dividedBy(first));
    return result;
}

ExactRational operator/(const ExactRational& a, const ExactRational& b)
{
    assert(!b.isZero());
    ExactRational inverse;
    inverse.m_numerator = b.isNegative() ? -b.m_denominator : b.m_denominator;
    inverse.m_denominator = LongInt::fromInt(b.m_numerator.magnitude());
    return a * inverse;
}

std::strong_ordering operator<=>(const ExactRational& a, const ExactRational& b)
{
    WideInt left = static_cast<WideInt>(a.m_numerator.value()) * b.m_denominator.value();
    WideInt right = static_cast<WideInt>(b.m_numerator.value()) * a.m_denominator.value();
    return left < right
               ? std::strong_ordering::less
               : (left > right ? std::strong_ordering::greater : std::strong_ordering::equal);
}

std::string ExactRational::toText() const
{
    if (isInteger())
        return m_numerator.toText();
    return m_numerator.toText() + "/" + m_denominator.toText();
}

} // namespace kestrane
