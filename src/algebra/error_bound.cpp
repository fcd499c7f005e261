// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/error_bound.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

const double kLog2Thousand = std::log2(1000.0);

// The first nonzero digit word and the two after it, as a number in
// [1, 1000), with the word's index; value 0 for a zero number.
struct Leading {
    int index = 0;
    double value = 0;
};

Leading leadingOf(const LongNum& a)
{
    int count = a.wordCount();
    for (int index = 0; index < count; ++index) {
        if (a[index] == 0)
            continue;
        double value = a[index];
        if (index + 1 < count)
            value += a[index + 1] / 1e3;
        if (index + 2 < count)
            value += a[index + 2] / 1e6;
        return {index, value};
    }
    return {count, 0};
}

// log2 of the weight of digit word `index`.
double wordWeight(int index)
{
    return (longIntegerWords() - 1 - index) * kLog2Thousand;
}

} // namespace

ErrorBound ErrorBound::fromDouble(double value)
{
    if (value <= 0)
        return ErrorBound();
    return ErrorBound(std::log2(value));
}

ErrorBound ErrorBound::lastWordUnits(double units)
{
    if (units <= 0)
        return ErrorBound();
    return ErrorBound(std::log2(units) + wordWeight(longWords() - 1));
}

ErrorBound ErrorBound::wordUnit(int index)
{
    return ErrorBound(wordWeight(index));
}

ErrorBound ErrorBound::above(const LongNum& a)
{
    Leading leading = leadingOf(a);
    if (leading.value == 0)
        return ErrorBound();
    // The words after the third add less than one unit of it.
    return ErrorBound(std::log2(leading.value + 1e-6) + wordWeight(leading.index));
}

ErrorBound ErrorBound::below(const LongNum& a)
{
    Leading leading = leadingOf(a);
    if (leading.value == 0)
        return ErrorBound();
    return ErrorBound(std::log2(leading.value) + wordWeight(leading.index));
}

double ErrorBound::toDouble() const
{
    return std::exp2(m_log2);
}

ErrorBound operator+(ErrorBound a, ErrorBound b)
{
    if (a.isZero())
        return b;
    if (b.isZero())
        return a;
    double high = std::max(a.m_log2, b.m_log2);
    double low = std::min(a.m_log2, b.m_log2);
    if (std::isinf(high))
        return ErrorBound::unbounded();
    return ErrorBound(high + std::log1p(std::exp2(low - high)) / std::log(2.0));
}

ErrorBound operator*(ErrorBound a, ErrorBound b)
{
    // Nothing times an unknown size is still nothing: an exact zero operand.
    if (a.isZero() || b.isZero())
        return ErrorBound();
    return ErrorBound(a.m_log2 + b.m_log2);
}

ErrorBound operator/(ErrorBound a, ErrorBound b)
{
    if (a.isZero())
        return ErrorBound();
    if (b.isZero() || a.isUnbounded())
        return ErrorBound::unbounded();
    if (b.isUnbounded())
        return ErrorBound();
    return ErrorBound(a.m_log2 - b.m_log2);
}

ErrorBound differenceOrZero(ErrorBound a, ErrorBound b)
{
    if (!(b < a))
        return ErrorBound();
    if (b.isZero() || a.isUnbounded())
        return a;
    double ratio = std::exp2(b.m_log2 - a.m_log2);
    return ErrorBound(a.m_log2 + std::log1p(-ratio) / std::log(2.0));
}

ErrorBound ErrorBound::scaled(double factor) const
{
    if (factor <= 0 || isZero())
        return ErrorBound();
    return ErrorBound(m_log2 + std::log2(factor));
}

ErrorBound ErrorBound::power(double exponent) const
{
    if (isZero())
        return ErrorBound();
    return ErrorBound(m_log2 * exponent);
}

} // namespace kestrane
