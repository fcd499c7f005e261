// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <optional>
#include <utility>

namespace kestrane {

// Which of two solutions a command asks for: its integer argument 1 the
// first, any other value the second.
enum class SpaceSolution { First, Second };
SpaceSolution solutionOf(long long selector);

// The intersections behind the space commands, computed in long numbers.
// Degenerate input (parallel planes, a line parallel to the plane,
// concentric spheres, a line without direction) reports the division by
// zero of the long arithmetic once and gives nothing; objects that simply
// miss each other give nothing without a message.

std::optional<LongTriple> intersectPlaneLine(const PlaneFrame& plane, const LongTriple& base,
                                             const LongTriple& direction);
// Cramer's rule on the three planes.
std::optional<LongTriple> intersectThreePlanes(const PlaneFrame& first, const PlaneFrame& second,
                                               const PlaneFrame& third);
// Two points of the common line: the free coordinate (chosen by the largest
// minor of the normals, later minors winning ties) 0 and then 100.
std::optional<std::pair<LongTriple, LongTriple>> intersectTwoPlanes(const PlaneFrame& first,
                                                                    const PlaneFrame& second);
std::optional<SpaceCircle> intersectTwoSpheres(const LongTriple& centre1, const LongNum& radius1,
                                               const LongTriple& centre2, const LongNum& radius2);
std::optional<SpaceCircle> intersectSpherePlane(const LongTriple& centre, const LongNum& radius,
                                                const PlaneFrame& plane);
// The sphere cut with the circle's plane, then the two circles intersected in
// that plane as plane circles are.
std::optional<LongTriple> intersectSphereCircle(const LongTriple& centre, const LongNum& radius,
                                                const SpaceCircle& circle, SpaceSolution solution);
// The planes' common line intersected with the circle in the circle's plane
// as a plane line and circle are.
std::optional<LongTriple> intersectPlaneCircle(const PlaneFrame& plane, const SpaceCircle& circle,
                                               SpaceSolution solution);
// Solution 1 lies from the foot of the perpendicular from the centre along
// the line's direction, solution 2 against it.
std::optional<LongTriple> intersectSphereLine(const LongTriple& centre, const LongNum& radius,
                                              const LongTriple& base, const LongTriple& direction,
                                              SpaceSolution solution);

// Reports a division by zero through the long arithmetic (its own message).
void reportDivisionByZero();

} // namespace kestrane
