// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"
#include "space/space_math.h"

#include <array>
#include <optional>

namespace kestrane {

// A position or direction of four-space in long numbers.
struct Long4 {
    LongNum x;
    LongNum y;
    LongNum z;
    LongNum w;

    static Long4 ofIntegers(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t w);
    const LongNum& operator[](int axis) const;
    LongNum& operator[](int axis);
    std::array<double, 4> doubles() const;
    LongTriple xyz() const { return {x, y, z}; }
};

Long4 plus(const Long4& a, const Long4& b);
Long4 minus(const Long4& a, const Long4& b);
Long4 scaled(const Long4& a, const LongNum& factor);
Long4 shrunk(const Long4& a, const LongNum& divisor);
Long4 shrunk(const Long4& a, std::int64_t divisor);
LongNum dot(const Long4& a, const Long4& b);
LongNum length(const Long4& a);
// a divided by its largest absolute component, so that squares stay small;
// the zero vector stays zero.
Long4 scaledDown(const Long4& a);
// a / |a| (scaled down first); the zero vector stays zero.
Long4 normalised(const Long4& a);
bool isZero(const Long4& a);

// The tolerant equality of four-dimensional points: every coordinate
// difference d has −0.1 ≤ d < 0.1.
bool fourEqual(const Long4& a, const Long4& b);
bool fourEqual(const std::array<double, 4>& a, const std::array<double, 4>& b);

// The four-dimensional cross product: n_j = det[a; b; c; e_j], each factor
// scaled down first. It is perpendicular to a, b and c; zero when they are
// dependent.
Long4 cross(const Long4& a, const Long4& b, const Long4& c);

// A hyperplane n·X = e; n is a unit vector for the hyperplanes made here.
struct Hyperplane {
    Long4 normal;
    LongNum e;

    // n·X − e.
    LongNum value(const Long4& point) const;
    // X − 2(n·X − e)n.
    Long4 reflect(const Long4& point) const;
    // X − (n·X − e)n.
    Long4 foot(const Long4& point) const;
};

// The hyperplane through a point with three directions in it; nothing when
// they do not span three dimensions.
std::optional<Hyperplane> hyperplaneThrough(const Long4& point, const Long4& first,
                                            const Long4& second, const Long4& third);

// One equation of the solver: a·(x, y, z, w) = rhs.
struct LinearRow4 {
    std::array<LongNum, 4> coefficients;
    LongNum rhs;
};

// Solves four linear equations by elimination with partial pivoting on the
// float copies (a later row is chosen only when strictly greater), the
// rows exchanged through a permutation vector, the elimination in long
// numbers and back substitution. Nothing when a pivot's absolute value is
// below 0.001.
std::optional<Long4> solveLinear4(const std::array<LinearRow4, 4>& rows);

// The text the solver's failure is reported with (caption "Error").
inline constexpr const char* kCannotSolve = N_("Cannot solve equations.");

// Turns four-space into the three coordinates of a hyperplane: the axis of
// the largest |n_k| (the first on ties) is dropped, the other three unit
// vectors are orthonormalised against n in order (u1, u2, u3), and X goes
// to c + (u1·(X − c′), u2·(X − c′), u3·(X − c′)), c′ the foot of the
// anchor on the hyperplane and c the anchor's (x, y, z).
class HyperplaneCoordinates {
public:
    HyperplaneCoordinates(const Hyperplane& plane, const Long4& anchor);
    LongTriple map(const Long4& point) const;

private:
    std::array<Long4, 3> m_axes;
    Long4 m_foot;
    LongTriple m_centre;
};

} // namespace kestrane
