// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_math.h"

#include <cmath>

namespace kestrane {

LongNum longOf(std::int64_t value)
{
    return LongNum::fromInteger(value);
}

double toDouble(const LongNum& a)
{
    return LongToDouble(a);
}

LongTriple LongTriple::ofIntegers(std::int64_t x, std::int64_t y, std::int64_t z)
{
    return {longOf(x), longOf(y), longOf(z)};
}

FloatPoint LongTriple::floats() const
{
    return {LongToFloat(x), LongToFloat(y), LongToFloat(z)};
}

LongTriple plus(const LongTriple& a, const LongTriple& b)
{
    return {plus(a.x, b.x), plus(a.y, b.y), plus(a.z, b.z)};
}

LongTriple minus(const LongTriple& a, const LongTriple& b)
{
    return {minus(a.x, b.x), minus(a.y, b.y), minus(a.z, b.z)};
}

LongTriple scaled(const LongTriple& a, const LongNum& factor)
{
    return {times(a.x, factor), times(a.y, factor), times(a.z, factor)};
}

LongTriple shrunk(const LongTriple& a, const LongNum& divisor)
{
    return {divided(a.x, divisor), divided(a.y, divisor), divided(a.z, divisor)};
}

LongTriple shrunk(const LongTriple& a, std::int64_t divisor)
{
    LongTriple out;
    LongDivSmall(a.x, divisor, out.x);
    LongDivSmall(a.y, divisor, out.y);
    LongDivSmall(a.z, divisor, out.z);
    return out;
}

LongNum dot(const LongTriple& a, const LongTriple& b)
{
    return plus(plus(times(a.x, b.x), times(a.y, b.y)), times(a.z, b.z));
}

LongTriple cross(const LongTriple& a, const LongTriple& b)
{
    return {minus(times(a.y, b.z), times(b.y, a.z)), minus(times(b.x, a.z), times(a.x, b.z)),
            minus(times(a.x, b.y), times(b.x, a.y))};
}

LongNum length(const LongTriple& a)
{
    LongNum sum;
    LongSumSquares(a.x, a.y, a.z, sum);
    return squareRoot(sum);
}

LongTriple normalised(const LongTriple& a)
{
    LongNum size = length(a);
    if (LongIsZero(size))
        return a;
    return shrunk(a, size);
}

LongNum distance(const LongTriple& a, const LongTriple& b)
{
    return length(minus(a, b));
}

namespace {

bool coordinateEqual(const LongNum& a, const LongNum& b)
{
    // Far apart values are told apart without the exact difference.
    double rough = std::fabs(static_cast<double>(LongToFloat(a)) - LongToFloat(b));
    if (rough > 2 * kSpaceTolerance)
        return false;
    return std::fabs(toDouble(minus(a, b))) <= kSpaceTolerance;
}

} // namespace

bool spaceEqual(const LongTriple& a, const LongTriple& b)
{
    return coordinateEqual(a.x, b.x) && coordinateEqual(a.y, b.y) && coordinateEqual(a.z, b.z);
}

DoubleTriple toDoubles(const LongTriple& a)
{
    return {toDouble(a.x), toDouble(a.y), toDouble(a.z)};
}

} // namespace kestrane
