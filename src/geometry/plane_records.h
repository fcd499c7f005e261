// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/float_point.h"
#include "geometry/geo_object.h"
#include "numbers/long_num.h"
#include "geometry/view_area.h"

#include <optional>
#include <string>

namespace kestrane {

// The records below keep their coordinates as long numbers, which are the
// truth, and float copies of them for drawing and tolerant comparisons. The
// float copies are refreshed by the set... functions; change the long numbers
// only through them.

// A point of the plane (z = 0) or of space.
struct PointRec : GeoObject {
    LongNum x;
    LongNum y;
    LongNum z;
    FloatPoint floats;
};

// The common record of lines, segments and half-lines.
struct StraightRec : GeoObject {
    explicit StraightRec(StraightKind objectKind) : kind(objectKind) {}

    StraightKind kind;
    // Defining points; a segment's are ordered by x.
    LongNum x1;
    LongNum y1;
    LongNum x2;
    LongNum y2;
    // Unit direction from the first defining point toward the second; zero
    // when the two points are equal (see hasDirection).
    LongNum ux;
    LongNum uy;
    // The base point: a copy of the first defining point.
    LongNum baseX;
    LongNum baseY;
    // 1 for half-lines made by scripts.
    int direction = 1;
    bool hasDirection = false;

    struct Floats {
        FloatPoint first;
        FloatPoint second;
        float ux = 0;
        float uy = 0;
        FloatPoint base;
    } floats;
    // The stroke that is drawn, clipped to the drawing area at the view
    // offsets of the record; none when the object misses the area.
    std::optional<DrawnPiece> drawn;
};

struct LineRec final : StraightRec {
    LineRec() : StraightRec(StraightKind::Line) {}
};

struct SegmentRec final : StraightRec {
    SegmentRec() : StraightRec(StraightKind::Segment) {}
};

struct HalfLineRec final : StraightRec {
    HalfLineRec() : StraightRec(StraightKind::HalfLine) {}
};

// A vector of space kept both ways.
struct SpaceVector {
    LongNum x;
    LongNum y;
    LongNum z;
    FloatPoint floats;
};

// A circle. Plane circles lie in the plane z = centre z with the unit normal
// (0, 0, 1) and the in-plane axes (1, 0, 0) and (0, 1, 0).
struct CircleRec : GeoObject {
    LongNum centreX;
    LongNum centreY;
    LongNum centreZ;
    // A point on the circle; the centre moved by the radius along x when the
    // circle was made from a radius.
    LongNum pointX;
    LongNum pointY;
    LongNum pointZ;
    SpaceVector normal;
    LongNum planeConstant;
    SpaceVector axisU;
    SpaceVector axisV;
    // The foot of the perpendicular from the origin onto the circle's plane.
    SpaceVector foot;
    LongNum radius;

    struct Floats {
        FloatPoint centre;
        float radius = 0;
    } floats;
};

// A named length.
struct DistanceRec : GeoObject {
    LongNum value;
    float floatValue = 0;
};

// A text drawn at a pixel position.
struct TextLabel {
    std::string text;
    int x = 0;
    int y = 0;
};

// Sets the point's coordinates, float copies and out-of-view flag (at the
// record's view offsets).
void setPosition(PointRec& point, const LongNum& x, const LongNum& y, const LongNum& z);

// Sets the defining points of a straight object and everything derived from
// them: the end order of a segment (the first end has the smaller x; with
// equal x the second given point comes first), the unit direction and base
// point, the float copies, the drawn piece and the out-of-view flag.
void setDefiningPoints(StraightRec& straight, const LongNum& x1, const LongNum& y1,
                       const LongNum& x2, const LongNum& y2);

// Sets a circle of the plane z = cz from its centre, a point on it and its
// radius, with its plane fields, float copies and out-of-view flag.
void setCircle(CircleRec& circle, const LongNum& cx, const LongNum& cy, const LongNum& cz,
               const LongNum& pointX, const LongNum& pointY, const LongNum& pointZ,
               const LongNum& radius);

// √(Δx² + Δy² + Δz²) of two points in long arithmetic.
LongNum distanceBetween(const LongNum& x1, const LongNum& y1, const LongNum& z1, const LongNum& x2,
                        const LongNum& y2, const LongNum& z2);

// Sets a distance's value and its float copy.
void setValue(DistanceRec& distance, const LongNum& value);

} // namespace kestrane
