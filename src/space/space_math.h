// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/float_point.h"
#include "numbers/long_num.h"
#include "numbers/long_values.h"

namespace kestrane {

LongNum longOf(std::int64_t value);
// The value in double, every word counted (float keeps too few digits for
// the tolerance of 0.1 to be exact).
double toDouble(const LongNum& a);

// A position or direction of space in long numbers.
struct LongTriple {
    LongNum x;
    LongNum y;
    LongNum z;

    static LongTriple ofIntegers(std::int64_t x, std::int64_t y, std::int64_t z);
    FloatPoint floats() const;

    // Exact sameness of the long numbers (spaceEqual is the tolerant test).
    friend bool operator==(const LongTriple&, const LongTriple&) = default;
};

LongTriple plus(const LongTriple& a, const LongTriple& b);
LongTriple minus(const LongTriple& a, const LongTriple& b);
LongTriple scaled(const LongTriple& a, const LongNum& factor);
// a / divisor, coordinate by coordinate.
LongTriple shrunk(const LongTriple& a, const LongNum& divisor);
LongTriple shrunk(const LongTriple& a, std::int64_t divisor);
LongNum dot(const LongTriple& a, const LongTriple& b);
LongTriple cross(const LongTriple& a, const LongTriple& b);
LongNum length(const LongTriple& a);
// a / |a|; the zero vector stays zero (no division message).
LongTriple normalised(const LongTriple& a);
LongNum distance(const LongTriple& a, const LongTriple& b);

// The tolerant equality of space points: every coordinate differs by at most
// 0.1, the difference taken exactly from the long numbers.
inline constexpr double kSpaceTolerance = 0.1;
bool spaceEqual(const LongTriple& a, const LongTriple& b);

// A double copy, for the searches that only sort or compare.
struct DoubleTriple {
    double x = 0;
    double y = 0;
    double z = 0;
};
DoubleTriple toDoubles(const LongTriple& a);

} // namespace kestrane
