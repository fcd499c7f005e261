// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/plane_records.h"

#include <utility>

namespace kestrane {

namespace {

FloatPoint floatsOf(const LongNum& x, const LongNum& y, const LongNum& z)
{
    return FloatPoint{LongToFloat(x), LongToFloat(y), LongToFloat(z)};
}

void setVector(SpaceVector& vector, std::int64_t x, std::int64_t y, const LongNum& z)
{
    vector.x = LongNum::fromInteger(x);
    vector.y = LongNum::fromInteger(y);
    vector.z = z;
    vector.floats = floatsOf(vector.x, vector.y, vector.z);
}

// Unit direction from (x1, y1) toward (x2, y2): differences, sum of squares,
// square root and two divisions. Two equal points have no direction; the
// division reports the zero length once and the direction stays zero.
void setDirection(StraightRec& straight)
{
    LongNum dx;
    LongNum dy;
    LongSub(straight.x2, straight.x1, dx);
    LongSub(straight.y2, straight.y1, dy);
    LongNum squares;
    LongSumSquares(dx, dy, LongNum(), squares);
    LongNum length;
    LongSqrt(squares, length);
    straight.hasDirection = !LongIsZero(length);
    // A zero length: this division reports it and gives zero.
    LongDiv(dx, length, straight.ux);
    if (!straight.hasDirection) {
        straight.uy = LongNum();
        return;
    }
    LongDiv(dy, length, straight.uy);
}

} // namespace

void setPosition(PointRec& point, const LongNum& x, const LongNum& y, const LongNum& z)
{
    point.x = x;
    point.y = y;
    point.z = z;
    point.floats = floatsOf(x, y, z);
    point.outOfView = pointOutOfView(point.floats, point.viewX, point.viewY);
}

void setDefiningPoints(StraightRec& straight, const LongNum& x1, const LongNum& y1,
                       const LongNum& x2, const LongNum& y2)
{
    straight.x1 = x1;
    straight.y1 = y1;
    straight.x2 = x2;
    straight.y2 = y2;
    if (straight.kind == StraightKind::Segment && LongGreaterEq(x1, x2)) {
        std::swap(straight.x1, straight.x2);
        std::swap(straight.y1, straight.y2);
    }
    setDirection(straight);
    straight.baseX = straight.x1;
    straight.baseY = straight.y1;

    const LongNum zero;
    auto& floats = straight.floats;
    floats.first = floatsOf(straight.x1, straight.y1, zero);
    floats.second = floatsOf(straight.x2, straight.y2, zero);
    floats.ux = LongToFloat(straight.ux);
    floats.uy = LongToFloat(straight.uy);
    floats.base = floats.first;
    straight.drawn =
        drawnPiece(straight.kind, floats.first, floats.second, straight.viewX, straight.viewY);
    straight.outOfView = !straight.drawn.has_value();
}

void setCircle(CircleRec& circle, const LongNum& cx, const LongNum& cy, const LongNum& cz,
               const LongNum& pointX, const LongNum& pointY, const LongNum& pointZ,
               const LongNum& radius)
{
    circle.centreX = cx;
    circle.centreY = cy;
    circle.centreZ = cz;
    circle.pointX = pointX;
    circle.pointY = pointY;
    circle.pointZ = pointZ;
    circle.radius = radius;
    const LongNum zero;
    setVector(circle.normal, 0, 0, LongNum::fromInteger(1));
    circle.planeConstant = cz;
    setVector(circle.axisU, 1, 0, zero);
    setVector(circle.axisV, 0, 1, zero);
    setVector(circle.foot, 0, 0, cz);
    circle.floats.centre = floatsOf(cx, cy, cz);
    circle.floats.radius = LongToFloat(radius);
    circle.outOfView =
        circleOutOfView(circle.floats.centre, circle.floats.radius, circle.viewX, circle.viewY);
}

LongNum distanceBetween(const LongNum& x1, const LongNum& y1, const LongNum& z1, const LongNum& x2,
                        const LongNum& y2, const LongNum& z2)
{
    LongNum dx;
    LongNum dy;
    LongNum dz;
    LongSub(x1, x2, dx);
    LongSub(y1, y2, dy);
    LongSub(z1, z2, dz);
    LongNum squares;
    LongSumSquares(dx, dy, dz, squares);
    LongNum distance;
    LongSqrt(squares, distance);
    return distance;
}

void setValue(DistanceRec& distance, const LongNum& value)
{
    distance.value = value;
    distance.floatValue = LongToFloat(value);
}

} // namespace kestrane
