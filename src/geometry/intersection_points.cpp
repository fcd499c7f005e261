// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/intersection_points.h"

namespace kestrane {

namespace {

PointRec* makeFound(ObjectStore& store, const std::optional<LongPlanePoint>& found)
{
    if (!found)
        return nullptr;
    return &store.makePoint(found->x, found->y);
}

std::vector<PointRec*> makeSelected(ObjectStore& store, Selector selector,
                                    const std::optional<SolutionPair>& solutions)
{
    std::vector<PointRec*> made;
    if (!solutions)
        return made;
    if (selector != Selector::Second)
        made.push_back(&store.makePoint(solutions->first.x, solutions->first.y));
    if (selector != Selector::First)
        made.push_back(&store.makePoint(solutions->second.x, solutions->second.y));
    return made;
}

} // namespace

Selector selectorFromText(std::string_view text)
{
    return !text.empty() && text.front() == '1' ? Selector::First : Selector::Second;
}

PointRec* makeStraightIntersection(ObjectStore& store, const StraightRec& first,
                                   StraightKind firstKind, const StraightRec& second,
                                   StraightKind secondKind)
{
    return makeFound(store, intersectStraight(first, firstKind, second, secondKind));
}

PointRec* makeStraightIntersection(ObjectStore& store, const StraightRec& first,
                                   const StraightRec& second)
{
    return makeFound(store, intersectStraight(first, second));
}

std::vector<PointRec*> makeCircleLineIntersections(ObjectStore& store, const CircleRec& circle,
                                                   const StraightRec& line, Selector selector)
{
    return makeSelected(store, selector, circleLineSolutions(circle, line));
}

std::vector<PointRec*> makeCircleIntersections(ObjectStore& store, const CircleRec& first,
                                               const CircleRec& second, Selector selector)
{
    return makeSelected(store, selector, circleSolutions(first, second));
}

} // namespace kestrane
