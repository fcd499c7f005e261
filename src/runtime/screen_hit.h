#pragma once

#include "geometry/object_store.h"

namespace kestrane {

// The kind of object under the mouse, by the numbers of the window.
enum class HoverKind { None = 0, Line = 1, Segment = 2, Circle = 3, Point = 4 };

struct Hover {
    HoverKind kind = HoverKind::None;
    GeoObject* object = nullptr;
};

// The object under the mouse at (x, y), tested kind by kind (points,
// circles, lines, segments) until a kind has a hit; within a kind the last
// hit object of the list wins. Points lie within one truncated pixel;
// circles and lines within a truncated distance below 2 pixels; segments
// also between their end points in x.
Hover hitTest(const ObjectStore& store, double x, double y);

} // namespace kestrane
