// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_intersections.h"

#include "geometry/plane_algorithms.h"
#include "geometry/plane_records.h"

#include <cmath>

namespace kestrane {

namespace {

// Divisors this close to zero stand for parallel or coincident objects:
// rounding in the last words must not turn them into huge coordinates.
constexpr double kDegenerate = 1e-9;

bool nearZero(const LongNum& value)
{
    return std::fabs(toDouble(value)) < kDegenerate;
}

LongNum absolute(LongNum value)
{
    value.setSign(kLongPlus);
    return value;
}

// a d − b c
LongNum minor(const LongNum& a, const LongNum& b, const LongNum& c, const LongNum& d)
{
    return minus(times(a, d), times(b, c));
}

LongTriple pointFromPlane(const PlaneFrame& frame, const LongPlanePoint& point)
{
    return frame.fromPlane(point.x, point.y);
}

// A plane circle in the in-plane coordinates of a frame.
CircleRec planeCircle(const LongTriple& centre, const LongNum& radius)
{
    CircleRec circle;
    setCircle(circle, centre.x, centre.y, LongNum(), plus(centre.x, radius), centre.y, LongNum(),
              radius);
    return circle;
}

Solution planeSolution(SpaceSolution solution)
{
    return solution == SpaceSolution::First ? Solution::First : Solution::Second;
}

} // namespace

SpaceSolution solutionOf(long long selector)
{
    return selector == 1 ? SpaceSolution::First : SpaceSolution::Second;
}

void reportDivisionByZero()
{
    LongNum quotient;
    LongDiv(longOf(1), LongNum(), quotient);
}

std::optional<LongTriple> intersectPlaneLine(const PlaneFrame& plane, const LongTriple& base,
                                             const LongTriple& direction)
{
    LongNum denominator = dot(plane.normal(), direction);
    // Relative to the direction's length, so long and short lines agree.
    if (std::fabs(toDouble(denominator)) <= kDegenerate * toDouble(length(direction))) {
        reportDivisionByZero();
        return {};
    }
    LongNum t = divided(minus(plane.d, dot(plane.normal(), base)), denominator);
    return plus(base, scaled(direction, t));
}

std::optional<LongTriple> intersectThreePlanes(const PlaneFrame& p1, const PlaneFrame& p2,
                                               const PlaneFrame& p3)
{
    // Each determinant expanded along its first column.
    auto determinant = [](const LongNum& a1, const LongNum& a2, const LongNum& a3,
                          const LongNum& b1, const LongNum& b2, const LongNum& b3,
                          const LongNum& c1, const LongNum& c2, const LongNum& c3) {
        LongNum sum = times(a1, minor(b2, c2, b3, c3));
        sum = minus(sum, times(a2, minor(b1, c1, b3, c3)));
        return plus(sum, times(a3, minor(b1, c1, b2, c2)));
    };
    LongNum det = determinant(p1.a, p2.a, p3.a, p1.b, p2.b, p3.b, p1.c, p2.c, p3.c);
    if (nearZero(det)) {
        reportDivisionByZero();
        return {};
    }
    LongNum x = determinant(p1.d, p2.d, p3.d, p1.b, p2.b, p3.b, p1.c, p2.c, p3.c);
    LongNum y = determinant(p1.a, p2.a, p3.a, p1.d, p2.d, p3.d, p1.c, p2.c, p3.c);
    LongNum z = determinant(p1.a, p2.a, p3.a, p1.b, p2.b, p3.b, p1.d, p2.d, p3.d);
    return LongTriple{divided(x, det), divided(y, det), divided(z, det)};
}

std::optional<std::pair<LongTriple, LongTriple>> intersectTwoPlanes(const PlaneFrame& p1,
                                                                    const PlaneFrame& p2)
{
    enum class Free { X, Y, Z };
    LongNum m1 = minor(p1.a, p1.b, p2.a, p2.b);
    LongNum m2 = minor(p1.a, p1.c, p2.a, p2.c);
    LongNum m3 = minor(p1.c, p1.b, p2.c, p2.b);
    // 1. The largest minor by absolute value; on equal values the later one.
    Free free = Free::X;
    LongNum chosen;
    if (!LongIsZero(m1)) {
        free = Free::Z;
        chosen = absolute(m1);
    }
    if (LongGreaterEq(absolute(m2), chosen)) {
        free = Free::Y;
        chosen = absolute(m2);
    }
    if (LongGreaterEq(absolute(m3), chosen)) {
        free = Free::X;
        chosen = absolute(m3);
    }
    if (nearZero(chosen)) {
        reportDivisionByZero();
        return {};
    }
    // 2. Solve the other two coordinates with the free one at 0 and at 100.
    auto solve = [&](std::int64_t value) {
        LongNum fixed = longOf(value);
        LongTriple point;
        switch (free) {
        case Free::Z: {
            LongNum r1 = minus(p1.d, times(p1.c, fixed));
            LongNum r2 = minus(p2.d, times(p2.c, fixed));
            point = {divided(minor(r1, p1.b, r2, p2.b), m1), divided(minor(p1.a, r1, p2.a, r2), m1),
                     fixed};
            break;
        }
        case Free::Y: {
            LongNum r1 = minus(p1.d, times(p1.b, fixed));
            LongNum r2 = minus(p2.d, times(p2.b, fixed));
            point = {divided(minor(r1, p1.c, r2, p2.c), m2), fixed,
                     divided(minor(p1.a, r1, p2.a, r2), m2)};
            break;
        }
        case Free::X: {
            LongNum r1 = minus(p1.d, times(p1.a, fixed));
            LongNum r2 = minus(p2.d, times(p2.a, fixed));
            LongNum det = negated(m3);
            point = {fixed, divided(minor(r1, p1.c, r2, p2.c), det),
                     divided(minor(p1.b, r1, p2.b, r2), det)};
            break;
        }
        }
        return point;
    };
    return std::pair{solve(0), solve(100)};
}

std::optional<SpaceCircle> intersectTwoSpheres(const LongTriple& centre1, const LongNum& radius1,
                                               const LongTriple& centre2, const LongNum& radius2)
{
    LongTriple axis = minus(centre2, centre1);
    LongNum d = length(axis);
    if (nearZero(d)) {
        reportDivisionByZero();
        return {};
    }
    LongNum r1Squared = times(radius1, radius1);
    LongNum a = divided(minus(plus(times(d, d), r1Squared), times(radius2, radius2)), plus(d, d));
    LongNum hSquared = minus(r1Squared, times(a, a));
    if (hSquared.isNegative() && !LongIsZero(hSquared))
        return {};
    LongTriple unit = shrunk(axis, d);
    LongTriple centre = plus(centre1, scaled(unit, a));
    return SpaceCircle{planeWithNormal(centre, unit), centre, squareRoot(absolute(hSquared))};
}

std::optional<SpaceCircle> intersectSpherePlane(const LongTriple& centre, const LongNum& radius,
                                                const PlaneFrame& plane)
{
    LongNum t = plane.signedValue(centre);
    LongNum rhoSquared = minus(times(radius, radius), times(t, t));
    if (rhoSquared.isNegative() && !LongIsZero(rhoSquared))
        return {};
    LongTriple foot = minus(centre, scaled(plane.normal(), t));
    return SpaceCircle{plane, foot, squareRoot(absolute(rhoSquared))};
}

std::optional<LongTriple> intersectSphereCircle(const LongTriple& centre, const LongNum& radius,
                                                const SpaceCircle& circle, SpaceSolution solution)
{
    std::optional<SpaceCircle> cut = intersectSpherePlane(centre, radius, circle.frame);
    if (!cut)
        return {};
    const PlaneFrame& frame = circle.frame;
    CircleRec first = planeCircle(frame.inPlane(circle.centre), circle.radius);
    CircleRec second = planeCircle(frame.inPlane(cut->centre), cut->radius);
    std::optional<LongPlanePoint> point = intersectCircles(first, second, planeSolution(solution));
    if (!point)
        return {};
    return pointFromPlane(frame, *point);
}

std::optional<LongTriple> intersectPlaneCircle(const PlaneFrame& plane, const SpaceCircle& circle,
                                               SpaceSolution solution)
{
    std::optional<std::pair<LongTriple, LongTriple>> line = intersectTwoPlanes(plane, circle.frame);
    if (!line)
        return {};
    const PlaneFrame& frame = circle.frame;
    LongTriple first = frame.inPlane(line->first);
    LongTriple second = frame.inPlane(line->second);
    LineRec straight;
    setDefiningPoints(straight, first.x, first.y, second.x, second.y);
    CircleRec planar = planeCircle(frame.inPlane(circle.centre), circle.radius);
    std::optional<LongPlanePoint> point =
        intersectCircleLine(planar, straight, planeSolution(solution));
    if (!point)
        return {};
    return pointFromPlane(frame, *point);
}

std::optional<LongTriple> intersectSphereLine(const LongTriple& centre, const LongNum& radius,
                                              const LongTriple& base, const LongTriple& direction,
                                              SpaceSolution solution)
{
    LongNum size = length(direction);
    if (nearZero(size)) {
        reportDivisionByZero();
        return {};
    }
    LongTriple unit = shrunk(direction, size);
    LongTriple foot = plus(base, scaled(unit, dot(minus(centre, base), unit)));
    LongTriple offset = minus(centre, foot);
    LongNum halfChordSquared = minus(times(radius, radius), dot(offset, offset));
    if (halfChordSquared.isNegative() && !LongIsZero(halfChordSquared))
        return {};
    LongNum halfChord = squareRoot(absolute(halfChordSquared));
    if (solution == SpaceSolution::Second)
        halfChord = negated(halfChord);
    return plus(foot, scaled(unit, halfChord));
}

} // namespace kestrane
