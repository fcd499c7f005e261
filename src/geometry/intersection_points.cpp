#include "geometry/intersection_points.h"

namespace kestrane {

namespace {

PointRec* makeFound(ObjectStore& store, const std::optional<LongPlanePoint>& found)
{
    if (!found)
        return nullptr;
    return &store.makePoint(found->x, found->y);
}

template<class Compute>
std::vector<PointRec*> makeSelected(ObjectStore& store, Selector selector, Compute compute)
{
    std::vector<PointRec*> made;
    if (selector != Selector::Second) {
        if (PointRec* point = makeFound(store, compute(Solution::First)))
            made.push_back(point);
    }
    if (selector != Selector::First) {
        if (PointRec* point = makeFound(store, compute(Solution::Second)))
            made.push_back(point);
    }
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
    return makeSelected(store, selector, [&](Solution solution) {
        return intersectCircleLine(circle, line, solution);
    });
}

std::vector<PointRec*> makeCircleIntersections(ObjectStore& store, const CircleRec& first,
                                               const CircleRec& second, Selector selector)
{
    return makeSelected(store, selector, [&](Solution solution) {
        return intersectCircles(first, second, solution);
    });
}

} // namespace kestrane
