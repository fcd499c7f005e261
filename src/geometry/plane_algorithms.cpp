// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/plane_algorithms.h"

#include "numbers/long_values.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// Determinants this close to zero come from the truncation of two parallel
// directions, not from a crossing: below 100 units of the last word a
// quotient writes. A true crossing at that angle would lie far beyond
// anything the floats can place.
bool isNegligible(const LongNum& determinant)
{
    const int words = determinant.wordCount();
    for (int index = 0; index < words - 2; ++index) {
        if (determinant[index] != 0)
            return false;
    }
    return determinant[words - 2] < 100;
}

// The extent of a segment in one coordinate, with the tolerance.
bool withinExtent(float end1, float end2, float value)
{
    const double low = std::min(end1, end2) - kPlaneTolerance;
    const double high = std::max(end1, end2) + kPlaneTolerance;
    return low <= value && value <= high;
}

// The extent of a half-line in one coordinate: from its start on toward the
// point it runs through.
bool withinRay(float start, float through, float value)
{
    if (through > start)
        return value >= start - kPlaneTolerance;
    if (through < start)
        return value <= start + kPlaneTolerance;
    return std::fabs(static_cast<double>(value) - start) <= kPlaneTolerance;
}

std::optional<LongPlanePoint> pick(std::optional<SolutionPair> solutions, Solution solution)
{
    if (!solutions)
        return std::nullopt;
    return solution == Solution::First ? std::move(solutions->first) : std::move(solutions->second);
}

bool accepts(const StraightRec& straight, StraightKind kind, float x, float y)
{
    const FloatPoint& first = straight.floats.first;
    const FloatPoint& second = straight.floats.second;
    switch (kind) {
    case StraightKind::Line:
        return true;
    case StraightKind::Segment:
        return withinExtent(first.x, second.x, x) && withinExtent(first.y, second.y, y);
    case StraightKind::HalfLine:
        return withinRay(first.x, second.x, x) && withinRay(first.y, second.y, y);
    }
    return false;
}

// The line a·x + b·y = c of a straight object: a = uy, b = −ux through its
// base point.
struct Equation {
    LongNum a;
    LongNum b;
    LongNum c;
};

Equation equationOf(const StraightRec& straight)
{
    Equation equation{straight.uy, negated(straight.ux), LongNum()};
    equation.c = plus(times(equation.a, straight.baseX), times(equation.b, straight.baseY));
    return equation;
}

} // namespace

LongNum sideValue(const StraightRec& line, const LongNum& x, const LongNum& y)
{
    return minus(times(minus(x, line.baseX), line.uy),
                      times(minus(y, line.baseY), line.ux));
}

bool twoSides(const StraightRec& line, const PointRec& first, const PointRec& second)
{
    const LongNum zero;
    const LongNum side1 = sideValue(line, first.x, first.y);
    const LongNum side2 = sideValue(line, second.x, second.y);
    return (LongGreaterEq(zero, side1) && LongGreaterEq(side2, zero)) ||
           (LongGreaterEq(side1, zero) && LongGreaterEq(zero, side2));
}

bool oneSide(const StraightRec& line, const PointRec& first, const PointRec& second)
{
    return !twoSides(line, first, second);
}

bool inRange(float a, float b, float c)
{
    const float low = std::trunc(std::min(a, b));
    const float high = std::trunc(std::max(a, b));
    return low <= c && c <= high;
}

bool between(const PointRec& a, const PointRec& b, const PointRec& c)
{
    return inRange(a.floats.x, b.floats.x, c.floats.x) &&
           inRange(a.floats.y, b.floats.y, c.floats.y);
}

bool notBetween(const PointRec& a, const PointRec& b, const PointRec& c)
{
    return !between(a, b, c);
}

bool pointsEqual(const PointRec& first, const PointRec& second)
{
    return withinTolerance(first.floats.x, second.floats.x) &&
           withinTolerance(first.floats.y, second.floats.y);
}

bool acceptsPoint(const StraightRec& straight, StraightKind kind, float x, float y)
{
    return accepts(straight, kind, x, y);
}

std::optional<LongPlanePoint> intersectStraight(const StraightRec& first, StraightKind firstKind,
                                                const StraightRec& second, StraightKind secondKind)
{
    if (&first == &second || !first.hasDirection || !second.hasDirection)
        return std::nullopt;
    const Equation one = equationOf(first);
    const Equation two = equationOf(second);
    const LongNum determinant = minus(times(one.a, two.b), times(one.b, two.a));
    const LongNum numeratorX = minus(times(one.c, two.b), times(two.c, one.b));
    if (isNegligible(determinant)) {
        // Parallel: the division by the zero determinant reports it, once,
        // and no point is made.
        divided(numeratorX, LongNum());
        return std::nullopt;
    }
    const LongNum numeratorY = minus(times(one.a, two.c), times(two.a, one.c));
    LongPlanePoint crossing{divided(numeratorX, determinant), divided(numeratorY, determinant)};
    const float x = LongToFloat(crossing.x);
    const float y = LongToFloat(crossing.y);
    if (!accepts(first, firstKind, x, y) || !accepts(second, secondKind, x, y))
        return std::nullopt;
    return crossing;
}

std::optional<LongPlanePoint> intersectStraight(const StraightRec& first, const StraightRec& second)
{
    return intersectStraight(first, first.kind, second, second.kind);
}

std::optional<SolutionPair> circleLineSolutions(const CircleRec& circle, const StraightRec& line)
{
    if (!line.hasDirection)
        return std::nullopt;
    // d is the side value of the centre: its distance from the line.
    const LongNum distance = sideValue(line, circle.centreX, circle.centreY);
    const LongNum radicand =
        minus(times(circle.radius, circle.radius), times(distance, distance));
    if (radicand.isNegative())
        return std::nullopt;
    // x = cx + h·ux − d·uy, y = cy + h·uy + d·ux, with h negated for the
    // second solution.
    const LongNum offsetX = times(distance, line.uy);
    const LongNum offsetY = times(distance, line.ux);
    auto pointFor = [&](const LongNum& half) {
        return LongPlanePoint{minus(plus(circle.centreX, times(half, line.ux)), offsetX),
                              plus(plus(circle.centreY, times(half, line.uy)), offsetY)};
    };
    const LongNum half = squareRoot(radicand);
    return SolutionPair{pointFor(half), pointFor(negated(half))};
}

std::optional<LongPlanePoint> intersectCircleLine(const CircleRec& circle, const StraightRec& line,
                                                  Solution solution)
{
    return pick(circleLineSolutions(circle, line), solution);
}

namespace {

// 1. Order the circles: A has the smaller y; on equal y the larger x; on a
//    full tie the second argument.
std::pair<const CircleRec*, const CircleRec*> orderCircles(const CircleRec& first,
                                                           const CircleRec& second)
{
    const FloatPoint& one = first.floats.centre;
    const FloatPoint& two = second.floats.centre;
    const bool firstIsA = one.y < two.y || (one.y == two.y && one.x > two.x);
    if (firstIsA)
        return {&first, &second};
    return {&second, &first};
}

// 2. Reject circles that do not cross (all tests strict, in floats).
bool circlesCross(float distance, float radiusA, float radiusB)
{
    return distance != 0 && radiusA != 0 && radiusA + radiusB > distance &&
           distance + radiusB > radiusA && distance + radiusA > radiusB;
}

} // namespace

std::optional<SolutionPair> circleSolutions(const CircleRec& first, const CircleRec& second)
{
    if (&first == &second)
        return std::nullopt;
    const auto [circleA, circleB] = orderCircles(first, second);
    const LongNum dx = minus(circleB->centreX, circleA->centreX);
    const LongNum dy = minus(circleA->centreY, circleB->centreY);
    LongNum squares;
    LongSumSquares(dx, dy, LongNum(), squares);
    const LongNum distance = squareRoot(squares);
    if (!circlesCross(LongToFloat(distance), circleA->floats.radius, circleB->floats.radius))
        return std::nullopt;

    // 3. Unit vector A→B (y counted upward), the foot's distance a from A
    //    along it and the half chord h.
    const LongNum ex = divided(dx, distance);
    const LongNum ey = divided(dy, distance);
    const LongNum radiusA2 = times(circleA->radius, circleA->radius);
    const LongNum along =
        divided(plus(minus(radiusA2, times(circleB->radius, circleB->radius)),
                     times(distance, distance)),
                 plus(distance, distance));
    const LongNum radicand = minus(radiusA2, times(along, along));
    // Circles that cross in floats may still touch in long arithmetic.
    if (radicand.isNegative() && !LongIsZero(radicand))
        return std::nullopt;
    const LongNum half = LongIsZero(radicand) ? LongNum() : squareRoot(radicand);

    // 4. x = A.x + a·ex + h·ey', y = A.y − a·ey' + h·ex, with h negated for
    //    the second solution.
    const LongNum footX = plus(circleA->centreX, times(along, ex));
    const LongNum footY = minus(circleA->centreY, times(along, ey));
    auto pointFor = [&](const LongNum& signedHalf) {
        return LongPlanePoint{plus(footX, times(signedHalf, ey)),
                              plus(footY, times(signedHalf, ex))};
    };
    return SolutionPair{pointFor(half), pointFor(negated(half))};
}

std::optional<LongPlanePoint> intersectCircles(const CircleRec& first, const CircleRec& second,
                                               Solution solution)
{
    return pick(circleSolutions(first, second), solution);
}

} // namespace kestrane
