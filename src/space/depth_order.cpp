// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/depth_order.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <queue>
#include <tuple>
#include <utility>

namespace kestrane {

namespace {

// Overlaps of less area (square pixels) are slivers along a shared edge,
// left by the rounding of floats.
constexpr double kSliverArea = 0.5;
// Depths (pixels) closer than this count as equal.
constexpr double kDepthSlack = 0.02;
// Points closer to a cutting plane (pixels) count as on it.
constexpr double kPlaneSlack = 1e-3;
// Corners closer to another face's plane (pixels) count as on it when
// deciding which face is in front: float rounding of shared corners.
constexpr double kSideSlack = 0.01;
// Cross products below this are straight angles.
constexpr double kStraight = 1e-6;

struct Vector {
    double x = 0;
    double y = 0;
    double z = 0;
};

Vector operator-(const Vector& a, const Vector& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector between(const Vector& a, const Vector& b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

double dot(const Vector& a, const Vector& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The z component of (b − a) × (c − a): positive when a, b, c turn
// counter-clockwise in x and y.
double turn(const Vector& a, const Vector& b, const Vector& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Twice the signed area of the polygon on the window.
double doubleArea(const std::vector<Vector>& polygon)
{
    double sum = 0;
    for (std::size_t index = 0; index < polygon.size(); ++index) {
        const Vector& a = polygon[index];
        const Vector& b = polygon[(index + 1) % polygon.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

struct Plane {
    Vector normal;
    double offset = 0;

    double distance(const Vector& point) const { return dot(normal, point) - offset; }
};

// The plane that fits the points best (Newell's normal through their mean),
// so that a face whose corners are not quite flat still gets one plane.
Plane planeOf(const std::vector<Vector>& points)
{
    Plane plane;
    Vector mean;
    for (std::size_t index = 0; index < points.size(); ++index) {
        const Vector& a = points[index];
        const Vector& b = points[(index + 1) % points.size()];
        plane.normal.x += (a.y - b.y) * (a.z + b.z);
        plane.normal.y += (a.z - b.z) * (a.x + b.x);
        plane.normal.z += (a.x - b.x) * (a.y + b.y);
        mean = {mean.x + a.x, mean.y + a.y, mean.z + a.z};
    }
    double size = std::sqrt(dot(plane.normal, plane.normal));
    if (size > 0)
        plane.normal = {plane.normal.x / size, plane.normal.y / size, plane.normal.z / size};
    double share = points.empty() ? 0 : 1.0 / static_cast<double>(points.size());
    plane.offset = dot(plane.normal, {mean.x * share, mean.y * share, mean.z * share});
    return plane;
}

// A convex part of one face: its corners in view space and on the window,
// which of its edges are the face's own, and the plane of the face.
struct Piece {
    std::size_t face = 0;
    bool whole = true;
    std::vector<Vector> points;
    std::vector<CanvasPoint> corners;
    std::vector<bool> outlined;
    Plane plane;
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
    double minZ = 0;
    double meanZ = 0;
    // 1 when the corners turn counter-clockwise in x and y, else −1.
    double orientation = 1;
    bool alive = true;

    void measure()
    {
        minX = minY = minZ = HUGE_VAL;
        maxX = maxY = -HUGE_VAL;
        meanZ = 0;
        for (const Vector& point : points) {
            minX = std::min(minX, point.x);
            maxX = std::max(maxX, point.x);
            minY = std::min(minY, point.y);
            maxY = std::max(maxY, point.y);
            minZ = std::min(minZ, point.z);
            meanZ += point.z;
        }
        if (!points.empty())
            meanZ /= static_cast<double>(points.size());
        orientation = doubleArea(points) >= 0 ? 1 : -1;
    }

    // How far in front of the face's plane the point lies, along the
    // plane's normal turned toward the viewer.
    double inFront(const Vector& point) const
    {
        double distance = plane.distance(point);
        return plane.normal.z >= 0 ? distance : -distance;
    }

    // The depth of the face's plane at a window position.
    double depthAt(double x, double y) const
    {
        const Vector& n = plane.normal;
        if (std::fabs(n.z) < 1e-12)
            return meanZ;
        return (plane.offset - n.x * x - n.y * y) / n.z;
    }
};

Vector viewPoint(const Face& view, std::size_t corner)
{
    FloatPoint point =
        corner < view.points.size() ? view.points[corner] : view.vertices[corner].floats();
    return {point.x, point.y, point.z};
}

// Window corners are truncated toward zero, as the view paints them.
CanvasPoint windowCorner(const Vector& point)
{
    return {std::trunc(static_cast<float>(point.x)), std::trunc(static_cast<float>(point.y))};
}

// Window corners and outlined edges are made only for pieces that are cut
// or drawn in parts: a whole face is painted from the face itself.
void completeOutline(Piece& piece)
{
    if (piece.corners.empty()) {
        for (const Vector& point : piece.points)
            piece.corners.push_back(windowCorner(point));
    }
    if (piece.outlined.empty())
        piece.outlined.assign(piece.points.size(), true);
}

bool convexOnWindow(const std::vector<Vector>& points)
{
    double orientation = doubleArea(points) >= 0 ? 1 : -1;
    for (std::size_t index = 0; index < points.size(); ++index) {
        const Vector& a = points[index];
        const Vector& b = points[(index + 1) % points.size()];
        const Vector& c = points[(index + 2) % points.size()];
        if (turn(a, b, c) * orientation < -kStraight)
            return false;
    }
    return true;
}

bool insideTriangle(const Vector& p, const Vector& a, const Vector& b, const Vector& c,
                    double orientation)
{
    return turn(a, b, p) * orientation > 0 && turn(b, c, p) * orientation > 0 &&
           turn(c, a, p) * orientation > 0;
}

// Ear clipping on the window: triangles of corner indices, each in the
// polygon's own turning direction.
std::vector<std::array<std::size_t, 3>> triangles(const std::vector<Vector>& points)
{
    double orientation = doubleArea(points) >= 0 ? 1 : -1;
    std::vector<std::size_t> left(points.size());
    for (std::size_t index = 0; index < left.size(); ++index)
        left[index] = index;
    std::vector<std::array<std::size_t, 3>> result;
    while (left.size() > 3) {
        std::size_t count = left.size();
        std::size_t ear = 0;
        for (std::size_t index = 0; index < count; ++index) {
            const Vector& a = points[left[(index + count - 1) % count]];
            const Vector& b = points[left[index]];
            const Vector& c = points[left[(index + 1) % count]];
            if (turn(a, b, c) * orientation <= kStraight)
                continue;
            bool empty = std::none_of(left.begin(), left.end(), [&](std::size_t other) {
                const Vector& p = points[other];
                return &p != &a && &p != &b && &p != &c && insideTriangle(p, a, b, c, orientation);
            });
            if (empty) {
                ear = index;
                break;
            }
        }
        result.push_back({left[(ear + count - 1) % count], left[ear], left[(ear + 1) % count]});
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(ear));
    }
    result.push_back({left[0], left[1], left[2]});
    return result;
}

// The part of `polygon` inside the convex polygon `window`, both on the
// window (Sutherland–Hodgman), into `result`; `spare` is working room.
void clip(const std::vector<Vector>& polygon, const std::vector<Vector>& window,
          std::vector<Vector>& result, std::vector<Vector>& spare)
{
    double orientation = doubleArea(window) >= 0 ? 1 : -1;
    result.assign(polygon.begin(), polygon.end());
    for (std::size_t edge = 0; edge < window.size() && !result.empty(); ++edge) {
        const Vector& from = window[edge];
        const Vector& to = window[(edge + 1) % window.size()];
        spare.swap(result);
        result.clear();
        for (std::size_t index = 0; index < spare.size(); ++index) {
            const Vector& a = spare[index];
            const Vector& b = spare[(index + 1) % spare.size()];
            double sideA = turn(from, to, a) * orientation;
            double sideB = turn(from, to, b) * orientation;
            if (sideA >= 0)
                result.push_back(a);
            if ((sideA >= 0) != (sideB >= 0)) {
                double t = sideA / (sideA - sideB);
                result.push_back(between(a, b, t));
            }
        }
    }
}

// Points this close to an edge's line (pixels) count as outside the piece,
// so that pieces meeting along an edge do not overlap.
constexpr double kEdgeSlack = 0.05;

// Whether some edge of the convex piece `first` has all of `second` on or
// beyond its line: then the two do not overlap on the window.
bool separatedByEdgeOf(const Piece& first, const Piece& second)
{
    const std::vector<Vector>& corners = first.points;
    for (std::size_t edge = 0; edge < corners.size(); ++edge) {
        const Vector& from = corners[edge];
        const Vector& to = corners[(edge + 1) % corners.size()];
        double dx = to.x - from.x;
        double dy = to.y - from.y;
        double slack = kEdgeSlack * kEdgeSlack * (dx * dx + dy * dy);
        bool outside = true;
        for (const Vector& point : second.points) {
            double inside = turn(from, to, point) * first.orientation;
            if (inside > 0 && inside * inside > slack) {
                outside = false;
                break;
            }
        }
        if (outside)
            return true;
    }
    return false;
}

// The lowest and highest of how far the piece's corners lie in front of the
// other piece's plane.
std::pair<double, double> frontRange(const Piece& piece, const Piece& of)
{
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    for (const Vector& point : piece.points) {
        double ahead = of.inFront(point);
        lowest = std::min(lowest, ahead);
        highest = std::max(highest, ahead);
    }
    return {lowest, highest};
}

// Which way two overlapping pieces go: the later one is drawn before or
// after the earlier one, or they pass through each other.
enum class Relation { Apart, Before, After, Crossing };

class DepthSorter {
public:
    DepthSorter(std::span<const Face> views, std::span<const std::size_t> faces)
    {
        for (std::size_t face : faces)
            addFace(views[face], face);
        makeGrid();
    }

    bool anyOverlap()
    {
        for (std::size_t index = 0; index < m_pieces.size(); ++index) {
            for (std::size_t other : candidates(index)) {
                if (overlap(index, other))
                    return true;
            }
        }
        return false;
    }

    // Empty when no two pieces overlap on the window.
    std::optional<std::vector<FacePiece>> orderWhereOverlapping()
    {
        relateFrom(0);
        if (!m_related)
            return std::nullopt;
        return order();
    }

    // The pieces must be related first.
    std::vector<FacePiece> order()
    {
        std::size_t cutsLeft = 4 * m_pieces.size() + 64;
        for (;;) {
            std::vector<std::size_t> cycle;
            std::vector<std::size_t> sorted = sortOnce(cycle);
            if (cycle.empty() || cutsLeft == 0)
                return result(sorted);
            std::size_t first = m_pieces.size();
            if (!breakCycle(cycle))
                return result(sorted);
            --cutsLeft;
            relateFrom(first);
        }
    }

private:
    void addFace(const Face& view, std::size_t face);
    void addPiece(Piece piece);
    void makeGrid();
    void enterInGrid(std::size_t index);
    const std::vector<std::size_t>& candidates(std::size_t index);
    bool overlap(std::size_t later, std::size_t earlier);
    Relation relation(std::size_t later, std::size_t earlier, bool& nearerWhenUnsure);
    void relateFrom(std::size_t first);
    void addEdge(std::size_t before, std::size_t after);
    bool cut(std::size_t index, const Plane& plane);
    bool straddles(std::size_t index, const Plane& plane) const;
    bool breakCycle(const std::vector<std::size_t>& cycle);
    std::vector<std::size_t> sortOnce(std::vector<std::size_t>& cycle) const;
    std::vector<std::size_t> findCycle(const std::vector<bool>& remaining) const;
    std::vector<FacePiece> result(std::vector<std::size_t> sorted) const;

    std::vector<Piece> m_pieces;
    std::vector<std::vector<std::uint32_t>> m_after;
    std::vector<std::vector<std::uint32_t>> m_before;
    // A uniform grid over the window bounds of the pieces: each cell lists
    // the pieces whose bounds meet it.
    std::vector<std::vector<std::uint32_t>> m_cells;
    std::size_t m_columns = 1;
    std::size_t m_rows = 1;
    double m_left = 0;
    double m_top = 0;
    double m_cellWidth = 1;
    double m_cellHeight = 1;
    std::vector<std::size_t> m_seen;
    std::vector<std::size_t> m_found;
    // The common part of the last two pieces compared, and working room.
    std::vector<Vector> m_common;
    std::vector<Vector> m_spare;
    bool m_related = false;
};

void DepthSorter::addFace(const Face& view, std::size_t face)
{
    std::vector<Vector> points;
    for (std::size_t corner = 0; corner < view.cornerCount(); ++corner) {
        Vector point = viewPoint(view, corner);
        if (points.empty() || dot(point - points.back(), point - points.back()) > 0)
            points.push_back(point);
    }
    while (points.size() > 1 &&
           dot(points.front() - points.back(), points.front() - points.back()) == 0)
        points.pop_back();
    Plane plane = planeOf(points);
    if (points.size() < 4 || convexOnWindow(points)) {
        Piece piece;
        piece.face = face;
        piece.points = std::move(points);
        piece.plane = plane;
        addPiece(std::move(piece));
        return;
    }
    // A face that is not convex on the window goes in as triangles whose
    // inner edges are not outlined.
    std::size_t count = points.size();
    for (const auto& triangle : triangles(points)) {
        Piece piece;
        piece.face = face;
        piece.whole = false;
        piece.plane = plane;
        for (std::size_t corner = 0; corner < 3; ++corner) {
            std::size_t from = triangle[corner];
            std::size_t to = triangle[(corner + 1) % 3];
            piece.points.push_back(points[from]);
            piece.outlined.push_back((from + 1) % count == to || (to + 1) % count == from);
        }
        addPiece(std::move(piece));
    }
}

void DepthSorter::addPiece(Piece piece)
{
    piece.measure();
    m_pieces.push_back(std::move(piece));
    m_after.emplace_back();
    m_before.emplace_back();
    m_seen.push_back(SIZE_MAX);
}

void DepthSorter::makeGrid()
{
    if (m_pieces.empty())
        return;
    double left = HUGE_VAL;
    double right = -HUGE_VAL;
    double top = HUGE_VAL;
    double bottom = -HUGE_VAL;
    for (const Piece& piece : m_pieces) {
        left = std::min(left, piece.minX);
        right = std::max(right, piece.maxX);
        top = std::min(top, piece.minY);
        bottom = std::max(bottom, piece.maxY);
    }
    // Cells about the size of an average piece: a piece then meets a few
    // cells, and a cell holds a few pieces.
    constexpr double kMostCells = 64;
    double width = 0;
    double height = 0;
    for (const Piece& piece : m_pieces) {
        width += piece.maxX - piece.minX;
        height += piece.maxY - piece.minY;
    }
    double count = static_cast<double>(m_pieces.size());
    double size = std::max({width / count, height / count, 1e-6});
    auto cells = [&](double extent) {
        return static_cast<std::size_t>(std::clamp(std::ceil(extent / size), 1.0, kMostCells));
    };
    m_columns = cells(right - left);
    m_rows = cells(bottom - top);
    m_left = left;
    m_top = top;
    m_cellWidth = std::max(1e-6, (right - left) / static_cast<double>(m_columns));
    m_cellHeight = std::max(1e-6, (bottom - top) / static_cast<double>(m_rows));
    m_cells.assign(m_columns * m_rows, {});
    for (std::size_t index = 0; index < m_pieces.size(); ++index)
        enterInGrid(index);
}

namespace {

std::pair<std::size_t, std::size_t> cellSpan(double low, double high, double start, double size,
                                             std::size_t count)
{
    auto cell = [&](double value) {
        double at = std::floor((value - start) / size);
        return static_cast<std::size_t>(std::clamp(at, 0.0, static_cast<double>(count - 1)));
    };
    return {cell(low), cell(high)};
}

} // namespace

void DepthSorter::enterInGrid(std::size_t index)
{
    const Piece& piece = m_pieces[index];
    auto [firstColumn, lastColumn] =
        cellSpan(piece.minX, piece.maxX, m_left, m_cellWidth, m_columns);
    auto [firstRow, lastRow] = cellSpan(piece.minY, piece.maxY, m_top, m_cellHeight, m_rows);
    for (std::size_t row = firstRow; row <= lastRow; ++row) {
        for (std::size_t column = firstColumn; column <= lastColumn; ++column)
            m_cells[row * m_columns + column].push_back(static_cast<std::uint32_t>(index));
    }
}

// The living pieces made before this one whose window bounds meet its own.
const std::vector<std::size_t>& DepthSorter::candidates(std::size_t index)
{
    std::vector<std::size_t>& found = m_found;
    found.clear();
    const Piece& piece = m_pieces[index];
    auto [firstColumn, lastColumn] =
        cellSpan(piece.minX, piece.maxX, m_left, m_cellWidth, m_columns);
    auto [firstRow, lastRow] = cellSpan(piece.minY, piece.maxY, m_top, m_cellHeight, m_rows);
    for (std::size_t row = firstRow; row <= lastRow; ++row) {
        for (std::size_t column = firstColumn; column <= lastColumn; ++column) {
            for (std::uint32_t other : m_cells[row * m_columns + column]) {
                if (other >= index || m_seen[other] == index || !m_pieces[other].alive)
                    continue;
                m_seen[other] = index;
                const Piece& candidate = m_pieces[other];
                if (candidate.maxX <= piece.minX || candidate.minX >= piece.maxX ||
                    candidate.maxY <= piece.minY || candidate.minY >= piece.maxY)
                    continue;
                found.push_back(other);
            }
        }
    }
    return found;
}

// Whether two pieces have more than a sliver in common on the window.
bool DepthSorter::overlap(std::size_t later, std::size_t earlier)
{
    const Piece& first = m_pieces[later];
    const Piece& second = m_pieces[earlier];
    return !separatedByEdgeOf(first, second) && !separatedByEdgeOf(second, first);
}

// 1. A piece wholly in front of (or behind) the other's plane is nearer (or
//    farther) wherever the two overlap.
// 2. Otherwise, over their common part on the window the difference of
//    their depths is linear, so its sign at the corners of that part decides;
//    where it changes sign the pieces pass through each other.
Relation DepthSorter::relation(std::size_t later, std::size_t earlier, bool& nearerWhenUnsure)
{
    if (!overlap(later, earlier))
        return Relation::Apart;
    const Piece& first = m_pieces[later];
    const Piece& second = m_pieces[earlier];
    auto [lowest, highest] = frontRange(first, second);
    if (lowest >= -kSideSlack) {
        m_related = true;
        return Relation::After;
    }
    if (highest <= kSideSlack) {
        m_related = true;
        return Relation::Before;
    }
    std::tie(lowest, highest) = frontRange(second, first);
    if (lowest >= -kSideSlack || highest <= kSideSlack) {
        m_related = true;
        return lowest >= -kSideSlack ? Relation::Before : Relation::After;
    }
    clip(first.points, second.points, m_common, m_spare);
    if (m_common.size() < 3 || std::fabs(doubleArea(m_common)) < 2 * kSliverArea)
        return Relation::Apart;
    m_related = true;
    lowest = HUGE_VAL;
    highest = -HUGE_VAL;
    for (const Vector& point : m_common) {
        double difference = first.depthAt(point.x, point.y) - second.depthAt(point.x, point.y);
        lowest = std::min(lowest, difference);
        highest = std::max(highest, difference);
    }
    nearerWhenUnsure = highest >= -lowest;
    if (lowest >= -kDepthSlack)
        return Relation::After;
    if (highest <= kDepthSlack)
        return Relation::Before;
    return Relation::Crossing;
}

void DepthSorter::addEdge(std::size_t before, std::size_t after)
{
    m_after[before].push_back(static_cast<std::uint32_t>(after));
    m_before[after].push_back(static_cast<std::uint32_t>(before));
}

// Relates every piece from `first` on to the pieces made before it; a piece
// that passes through another is cut by the other's plane, and its parts
// are related in their turn.
void DepthSorter::relateFrom(std::size_t first)
{
    for (std::size_t index = first; index < m_pieces.size(); ++index) {
        if (!m_pieces[index].alive)
            continue;
        for (std::size_t other : candidates(index)) {
            bool nearer = false;
            Relation relation = this->relation(index, other, nearer);
            if (relation == Relation::Crossing) {
                Plane plane = m_pieces[other].plane;
                if (cut(index, plane))
                    break;
                relation = nearer ? Relation::After : Relation::Before;
            }
            if (relation == Relation::After)
                addEdge(other, index);
            else if (relation == Relation::Before)
                addEdge(index, other);
        }
    }
}

bool DepthSorter::straddles(std::size_t index, const Plane& plane) const
{
    bool above = false;
    bool below = false;
    for (const Vector& point : m_pieces[index].points) {
        double distance = plane.distance(point);
        above |= distance > kPlaneSlack;
        below |= distance < -kPlaneSlack;
    }
    return above && below;
}

namespace {

// A corner of a part made by a cut: the place, and the edges of the piece
// it lies on (a corner lies on the edges before and after it, a cut point on
// the edge it cuts).
struct CutCorner {
    Vector point;
    CanvasPoint corner;
    std::size_t edgeIn;
    std::size_t edgeOut;
};

} // namespace

// Cuts the piece in two by the plane; false (and nothing changes) when one
// side would hold nothing.
bool DepthSorter::cut(std::size_t index, const Plane& plane)
{
    Piece piece = m_pieces[index];
    completeOutline(piece);
    std::size_t count = piece.points.size();
    std::vector<double> distances(count);
    for (std::size_t corner = 0; corner < count; ++corner) {
        double distance = plane.distance(piece.points[corner]);
        distances[corner] = std::fabs(distance) <= kPlaneSlack ? 0 : distance;
    }
    std::vector<CutCorner> sides[2];
    for (std::size_t corner = 0; corner < count; ++corner) {
        std::size_t next = (corner + 1) % count;
        CutCorner here{piece.points[corner], piece.corners[corner], (corner + count - 1) % count,
                       corner};
        if (distances[corner] >= 0)
            sides[0].push_back(here);
        if (distances[corner] <= 0)
            sides[1].push_back(here);
        if (distances[corner] * distances[next] < 0) {
            double t = distances[corner] / (distances[corner] - distances[next]);
            const CanvasPoint& from = piece.corners[corner];
            const CanvasPoint& to = piece.corners[next];
            CutCorner point{between(piece.points[corner], piece.points[next], t),
                            {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t},
                            corner,
                            corner};
            sides[0].push_back(point);
            sides[1].push_back(point);
        }
    }
    for (const auto& side : sides) {
        std::vector<Vector> points;
        for (const CutCorner& corner : side)
            points.push_back(corner.point);
        if (side.size() < 3 || std::fabs(doubleArea(points)) < 1e-9)
            return false;
    }
    m_pieces[index].alive = false;
    for (const auto& side : sides) {
        Piece part;
        part.face = piece.face;
        part.whole = false;
        part.plane = piece.plane;
        for (std::size_t corner = 0; corner < side.size(); ++corner) {
            const CutCorner& here = side[corner];
            const CutCorner& next = side[(corner + 1) % side.size()];
            part.points.push_back(here.point);
            part.corners.push_back(here.corner);
            // An edge of the part is the piece's own where both ends lie on
            // one edge of the piece.
            std::size_t shared = SIZE_MAX;
            for (std::size_t edge : {here.edgeIn, here.edgeOut}) {
                if (edge == next.edgeIn || edge == next.edgeOut)
                    shared = edge;
            }
            part.outlined.push_back(shared != SIZE_MAX && piece.outlined[shared]);
        }
        addPiece(std::move(part));
        enterInGrid(m_pieces.size() - 1);
    }
    return true;
}

// A cycle is broken by cutting one of its pieces by the plane of its
// neighbour in the cycle, where that plane passes through it; otherwise the
// largest piece is halved across its longer side on the window.
bool DepthSorter::breakCycle(const std::vector<std::size_t>& cycle)
{
    for (std::size_t position = 0; position < cycle.size(); ++position) {
        std::size_t first = cycle[position];
        std::size_t second = cycle[(position + 1) % cycle.size()];
        Plane firstPlane = m_pieces[first].plane;
        Plane secondPlane = m_pieces[second].plane;
        if (straddles(first, secondPlane) && cut(first, secondPlane))
            return true;
        if (straddles(second, firstPlane) && cut(second, firstPlane))
            return true;
    }
    std::size_t largest = *std::max_element(cycle.begin(), cycle.end(), [&](auto a, auto b) {
        return std::fabs(doubleArea(m_pieces[a].points)) <
               std::fabs(doubleArea(m_pieces[b].points));
    });
    const Piece& piece = m_pieces[largest];
    Plane half;
    if (piece.maxX - piece.minX >= piece.maxY - piece.minY) {
        half.normal = {1, 0, 0};
        half.offset = (piece.minX + piece.maxX) / 2;
    } else {
        half.normal = {0, 1, 0};
        half.offset = (piece.minY + piece.maxY) / 2;
    }
    return cut(largest, half);
}

// Kahn's order of the living pieces, farthest first among those free to
// go; when a cycle stops it, the cycle is returned as well.
std::vector<std::size_t> DepthSorter::sortOnce(std::vector<std::size_t>& cycle) const
{
    std::vector<std::size_t> waiting(m_pieces.size(), 0);
    std::size_t living = 0;
    for (std::size_t index = 0; index < m_pieces.size(); ++index) {
        if (!m_pieces[index].alive)
            continue;
        ++living;
        for (std::uint32_t after : m_after[index]) {
            if (m_pieces[after].alive)
                ++waiting[after];
        }
    }
    using Entry = std::pair<double, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> free;
    for (std::size_t index = 0; index < m_pieces.size(); ++index) {
        if (m_pieces[index].alive && waiting[index] == 0)
            free.emplace(m_pieces[index].minZ, index);
    }
    std::vector<std::size_t> sorted;
    std::vector<bool> remaining(m_pieces.size(), false);
    for (std::size_t index = 0; index < m_pieces.size(); ++index)
        remaining[index] = m_pieces[index].alive;
    while (!free.empty()) {
        std::size_t index = free.top().second;
        free.pop();
        sorted.push_back(index);
        remaining[index] = false;
        for (std::uint32_t after : m_after[index]) {
            if (m_pieces[after].alive && --waiting[after] == 0)
                free.emplace(m_pieces[after].minZ, after);
        }
    }
    cycle.clear();
    if (sorted.size() < living)
        cycle = findCycle(remaining);
    return sorted;
}

// Every piece left over waits for another left over, so walking back along
// "drawn before" edges must come round to a piece already met.
std::vector<std::size_t> DepthSorter::findCycle(const std::vector<bool>& remaining) const
{
    std::size_t start = 0;
    while (!remaining[start])
        ++start;
    std::vector<std::size_t> path;
    std::vector<std::size_t> placeInPath(m_pieces.size(), SIZE_MAX);
    std::size_t current = start;
    while (placeInPath[current] == SIZE_MAX) {
        placeInPath[current] = path.size();
        path.push_back(current);
        for (std::uint32_t before : m_before[current]) {
            if (remaining[before]) {
                current = before;
                break;
            }
        }
    }
    std::vector<std::size_t> cycle(path.begin() + static_cast<std::ptrdiff_t>(placeInPath[current]),
                                   path.end());
    // The path went from later to earlier; the cycle runs forward.
    std::reverse(cycle.begin(), cycle.end());
    return cycle;
}

std::vector<FacePiece> DepthSorter::result(std::vector<std::size_t> sorted) const
{
    // Pieces still caught in a cycle (when cutting gave up) go last, farthest
    // first.
    std::vector<bool> placed(m_pieces.size(), false);
    for (std::size_t index : sorted)
        placed[index] = true;
    std::vector<std::size_t> rest;
    for (std::size_t index = 0; index < m_pieces.size(); ++index) {
        if (m_pieces[index].alive && !placed[index])
            rest.push_back(index);
    }
    std::stable_sort(rest.begin(), rest.end(), [&](std::size_t a, std::size_t b) {
        return m_pieces[a].minZ < m_pieces[b].minZ;
    });
    sorted.insert(sorted.end(), rest.begin(), rest.end());
    std::vector<FacePiece> pieces;
    pieces.reserve(sorted.size());
    for (std::size_t index : sorted) {
        const Piece& piece = m_pieces[index];
        if (piece.whole) {
            pieces.push_back({piece.face, true, {}, {}});
        } else {
            Piece drawn = piece;
            completeOutline(drawn);
            pieces.push_back(
                {piece.face, false, std::move(drawn.corners), std::move(drawn.outlined)});
        }
    }
    return pieces;
}

} // namespace

bool facesOverlapOnWindow(std::span<const Face> views, std::span<const std::size_t> faces)
{
    return DepthSorter(views, faces).anyOverlap();
}

std::optional<std::vector<FacePiece>> depthOrderWhereOverlapping(std::span<const Face> views,
                                                                 std::span<const std::size_t> faces)
{
    return DepthSorter(views, faces).orderWhereOverlapping();
}

} // namespace kestrane
