// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace kestrane {

// Single-precision copy of a position, used for drawing, hit tests and the
// tolerant comparisons; the long numbers stay the truth.
struct FloatPoint {
    float x = 0;
    float y = 0;
    float z = 0;
};

// Two plane positions closer than this in a coordinate count as one.
inline constexpr double kPlaneTolerance = 0.01;

// Whether two float coordinates differ by less than the plane tolerance. The
// difference of two floats is exact in double, so the test does not depend
// on rounding of the subtraction.
inline bool withinTolerance(float first, float second)
{
    return std::fabs(static_cast<double>(first) - static_cast<double>(second)) < kPlaneTolerance;
}

// The merge test of plane points: every coordinate within the tolerance.
inline bool coincide(const FloatPoint& first, const FloatPoint& second)
{
    return withinTolerance(first.x, second.x) && withinTolerance(first.y, second.y) &&
           withinTolerance(first.z, second.z);
}

} // namespace kestrane
