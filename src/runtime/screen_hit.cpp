#include "runtime/screen_hit.h"

#include <cmath>

namespace kestrane {

namespace {

constexpr double kTolerance = 2;

bool pointHit(const PointRec& point, double x, double y)
{
    return std::fabs(std::trunc(x - point.floats.x)) <= 1 &&
           std::fabs(std::trunc(y - point.floats.y)) <= 1;
}

bool circleHit(const CircleRec& circle, double x, double y)
{
    double distance = std::hypot(x - circle.floats.centre.x, y - circle.floats.centre.y);
    return std::fabs(std::trunc(distance - circle.floats.radius)) < kTolerance;
}

// The distance of the mouse from the full line, against the same 2 pixels.
bool lineHit(const StraightRec& line, double x, double y)
{
    if (!line.hasDirection)
        return false;
    double side =
        (x - line.floats.base.x) * line.floats.uy - (y - line.floats.base.y) * line.floats.ux;
    return std::fabs(std::trunc(side)) < kTolerance;
}

bool segmentHit(const StraightRec& segment, double x, double y)
{
    return lineHit(segment, x, y) && segment.floats.first.x <= x && x <= segment.floats.second.x;
}

template<class List, class Test>
GeoObject* lastHit(const List& list, Test test)
{
    GeoObject* hit = nullptr;
    for (const auto& record : list) {
        if (record->visible && test(*record))
            hit = record.get();
    }
    return hit;
}

} // namespace

Hover hitTest(const ObjectStore& store, double x, double y)
{
    if (GeoObject* point =
            lastHit(store.points(), [&](const PointRec& p) { return pointHit(p, x, y); }))
        return {HoverKind::Point, point};
    if (GeoObject* circle =
            lastHit(store.circles(), [&](const CircleRec& c) { return circleHit(c, x, y); }))
        return {HoverKind::Circle, circle};
    if (GeoObject* line =
            lastHit(store.lines(), [&](const LineRec& l) { return lineHit(l, x, y); }))
        return {HoverKind::Line, line};
    if (GeoObject* segment =
            lastHit(store.segments(), [&](const SegmentRec& s) { return segmentHit(s, x, y); }))
        return {HoverKind::Segment, segment};
    return {};
}

} // namespace kestrane
