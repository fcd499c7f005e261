// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/object_store.h"
#include "geometry/plane_algorithms.h"

#include <string_view>
#include <vector>

namespace kestrane {

// Which intersection points a command asks for.
enum class Selector { First = 1, Second = 2, Both = 3 };

// The selector of the commands' third argument: solution 1 when its text
// starts with '1', else solution 2.
Selector selectorFromText(std::string_view text);

// The intersection functions below make each point that exists through the
// store (so in the plane it merges with a point already there) and return the
// records that stand for them, first solution first; nothing is made for an
// intersection that does not exist.

PointRec* makeStraightIntersection(ObjectStore& store, const StraightRec& first,
                                   StraightKind firstKind, const StraightRec& second,
                                   StraightKind secondKind);
// Each object taken as its own kind.
PointRec* makeStraightIntersection(ObjectStore& store, const StraightRec& first,
                                   const StraightRec& second);

std::vector<PointRec*> makeCircleLineIntersections(ObjectStore& store, const CircleRec& circle,
                                                   const StraightRec& line, Selector selector);

std::vector<PointRec*> makeCircleIntersections(ObjectStore& store, const CircleRec& first,
                                               const CircleRec& second, Selector selector);

} // namespace kestrane
