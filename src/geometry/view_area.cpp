// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/view_area.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kestrane {

namespace {

struct Area {
    double left;
    double top;
    double right;
    double bottom;
};

Area areaAt(int viewX, int viewY)
{
    return Area{static_cast<double>(viewX), static_cast<double>(viewY),
                static_cast<double>(viewX) + kDrawingWidth,
                static_cast<double>(viewY) + kDrawingHeight};
}

// Parameter range of each kind along first + t·(second − first).
std::pair<double, double> parameterRange(StraightKind kind)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    switch (kind) {
    case StraightKind::Line:
        return {-infinity, infinity};
    case StraightKind::HalfLine:
        return {0.0, infinity};
    case StraightKind::Segment:
        break;
    }
    return {0.0, 1.0};
}

// Cuts the parametric piece at the four edges of the area (the edges are
// tried left, right, top, bottom).
std::optional<DrawnPiece> clipToArea(StraightKind kind, const FloatPoint& first,
                                     const FloatPoint& second, const Area& area)
{
    const double x0 = first.x;
    const double y0 = first.y;
    const double dx = static_cast<double>(second.x) - x0;
    const double dy = static_cast<double>(second.y) - y0;
    const std::array<double, 4> slopes{-dx, dx, -dy, dy};
    const std::array<double, 4> room{x0 - area.left, area.right - x0, y0 - area.top,
                                     area.bottom - y0};
    auto [low, high] = parameterRange(kind);
    for (std::size_t edge = 0; edge < slopes.size(); ++edge) {
        if (slopes[edge] == 0) {
            if (room[edge] < 0)
                return std::nullopt;
            continue;
        }
        const double crossing = room[edge] / slopes[edge];
        if (slopes[edge] < 0)
            low = std::max(low, crossing);
        else
            high = std::min(high, crossing);
    }
    if (low > high)
        return std::nullopt;
    return DrawnPiece{static_cast<float>(x0 + low * dx), static_cast<float>(y0 + low * dy),
                      static_cast<float>(x0 + high * dx), static_cast<float>(y0 + high * dy)};
}

} // namespace

bool pointOutOfView(const FloatPoint& point, int viewX, int viewY)
{
    const double x = static_cast<double>(point.x) - viewX;
    const double y = static_cast<double>(point.y) - viewY;
    return !(x >= 0 && x < kDrawingWidth && y >= 0 && y < kDrawingHeight);
}

bool circleOutOfView(const FloatPoint& centre, float radius, int viewX, int viewY)
{
    const Area area = areaAt(viewX, viewY);
    const double reach = std::fabs(static_cast<double>(radius));
    const double x = centre.x;
    const double y = centre.y;
    return !(x + reach >= area.left && x - reach < area.right && y + reach >= area.top &&
             y - reach < area.bottom);
}

std::optional<DrawnPiece> drawnPiece(StraightKind kind, const FloatPoint& first,
                                     const FloatPoint& second, int viewX, int viewY)
{
    const Area area = areaAt(viewX, viewY);
    const bool sameX = first.x == second.x;
    const bool sameY = first.y == second.y;
    if (sameX && sameY && kind != StraightKind::Segment)
        return std::nullopt;
    if (kind == StraightKind::Line && (sameX || sameY)) {
        // Axis-parallel lines span the area whenever they cross it.
        if (sameX && (first.x < area.left || first.x > area.right))
            return std::nullopt;
        if (sameY && (first.y < area.top || first.y > area.bottom))
            return std::nullopt;
        if (sameX)
            return DrawnPiece{first.x, static_cast<float>(area.top), first.x,
                              static_cast<float>(area.bottom)};
        return DrawnPiece{static_cast<float>(area.left + 1), first.y,
                          static_cast<float>(area.right), first.y};
    }
    return clipToArea(kind, first, second, area);
}

} // namespace kestrane
