// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "geometry/plane_records.h"

#include <optional>

namespace kestrane {

// The two solutions of a circle intersection (see the functions for which is
// which).
enum class Solution { First = 1, Second = 2 };

// A computed plane position (z = 0).
struct LongPlanePoint {
    LongNum x;
    LongNum y;
};

// Both solutions of a circle intersection.
struct SolutionPair {
    LongPlanePoint first;
    LongPlanePoint second;
};

// Signed side value of (x, y) for a straight object with base point b and
// unit direction u: (x − bx)·uy − (y − by)·ux. Its sign tells the side, its
// magnitude the distance from the line.
LongNum sideValue(const StraightRec& line, const LongNum& x, const LongNum& y);

// Whether two points lie on two sides of the line (TwoSides) or not
// (OneSide). A point on the line has a zero side value whose sign word
// decides: a '+' zero counts as lying on either side (so TwoSides holds
// whatever the other point), a '-' zero counts as negative.
bool twoSides(const StraightRec& line, const PointRec& first, const PointRec& second);
bool oneSide(const StraightRec& line, const PointRec& first, const PointRec& second);

// lo ≤ c ≤ hi where lo and hi are a and b in ascending order, each truncated
// toward zero: the bounds are whole pixels while c keeps its fraction.
bool inRange(float a, float b, float c);
// Whether c lies in the axis-parallel box spanned by a and b (bounds
// truncated as in inRange), and its negation.
bool between(const PointRec& a, const PointRec& b, const PointRec& c);
bool notBetween(const PointRec& a, const PointRec& b, const PointRec& c);

// Point equality of conditions: x and y each differ by less than 0.01.
bool pointsEqual(const PointRec& first, const PointRec& second);

// Intersection of two straight objects, each taken as the given kind (a line
// whatever its record when asked to). A segment accepts a point that lies
// within its extent in x and in y, a half-line one that lies on its side of
// its first point in x and in y, each with a tolerance of 0.01; a line
// accepts every point. No point when an object is intersected with itself,
// has no direction, or the two are parallel; parallel objects also report
// the division by a zero determinant.
std::optional<LongPlanePoint> intersectStraight(const StraightRec& first, StraightKind firstKind,
                                                const StraightRec& second, StraightKind secondKind);
// The same, each object taken as its own kind.
std::optional<LongPlanePoint> intersectStraight(const StraightRec& first,
                                                const StraightRec& second);

// Whether a straight object, taken as the given kind, accepts a point on its
// line: a segment within its extent in x and y, a half-line on its side of
// its first point, each with the plane tolerance; a line everywhere.
bool acceptsPoint(const StraightRec& straight, StraightKind kind, float x, float y);

// Intersection of a circle with the full line of a straight object (no range
// test for segments or half-lines). Solution 1 lies from the foot of the
// perpendicular in the line's direction (from its first defining point toward
// its second), solution 2 against it; a tangent line gives the same point for
// both. No point when the line misses the circle or has no direction.
std::optional<LongPlanePoint> intersectCircleLine(const CircleRec& circle, const StraightRec& line,
                                                  Solution solution);
// Both solutions at once, sharing the work.
std::optional<SolutionPair> circleLineSolutions(const CircleRec& circle, const StraightRec& line);

// Intersection of two circles. A is the circle whose centre has the smaller y
// (floats), on equal y the larger x, on a full tie the second argument.
// Solution 1 lies at +90° from the direction A→B in model coordinates
// (clockwise as seen, y growing downward), solution 2 at −90°. No point when
// the circles do not cross strictly (in floats: touching circles give none),
// share their centre, or are one and the same.
std::optional<LongPlanePoint> intersectCircles(const CircleRec& first, const CircleRec& second,
                                               Solution solution);
// Both solutions at once, sharing the work.
std::optional<SolutionPair> circleSolutions(const CircleRec& first, const CircleRec& second);

} // namespace kestrane
