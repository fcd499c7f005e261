// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/space_view.h"

#include "geometry/view_area.h"
#include "platform/canvas.h"
#include "space/space_scene.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kestrane {

namespace {

struct Turn {
    float cosine = 1;
    float sine = 0;
};

// Whole turns are dropped first, so that 370 degrees turns exactly as 10.
Turn turnOf(int degrees)
{
    float radians = static_cast<float>(degrees % 360) * kViewPi * (1.0f / 180.0f);
    return {std::cos(radians), std::sin(radians)};
}

// (first, second) turned in their plane about (centreFirst, centreSecond).
void turn(float& first, float& second, float centreFirst, float centreSecond, const Turn& by)
{
    float offsetFirst = first - centreFirst;
    float offsetSecond = second - centreSecond;
    first = centreFirst + by.cosine * offsetFirst + by.sine * offsetSecond;
    second = centreSecond - by.sine * offsetFirst + by.cosine * offsetSecond;
}

// The turns about the three axes; a zero angle is no turn at all.
struct Turns {
    std::array<std::optional<Turn>, 3> axes;
};

Turns turnsOf(const std::array<int, 3>& angles)
{
    Turns turns;
    for (std::size_t axis = 0; axis < 3; ++axis) {
        if (angles[axis] != 0)
            turns.axes[axis] = turnOf(angles[axis]);
    }
    return turns;
}

FloatPoint turned(const FloatPoint& point, const FloatPoint& centre, const Turns& turns)
{
    FloatPoint result = point;
    if (turns.axes[0])
        turn(result.y, result.z, centre.y, centre.z, *turns.axes[0]);
    if (turns.axes[1])
        turn(result.x, result.z, centre.x, centre.z, *turns.axes[1]);
    if (turns.axes[2])
        turn(result.x, result.y, centre.x, centre.y, *turns.axes[2]);
    return result;
}

bool allZero(const std::array<int, 3>& angles)
{
    return angles[0] == 0 && angles[1] == 0 && angles[2] == 0;
}

// The plane of vertices 0, 1 and 2: n = (P1 − P0) × (P2 − P0), d = n·P0,
// both divided by |n| unless n is zero.
void setPlane(Face& view)
{
    view.normal = {};
    view.offset = 0;
    if (view.points.size() < 3)
        return;
    const FloatPoint& p0 = view.points[0];
    const FloatPoint& p1 = view.points[1];
    const FloatPoint& p2 = view.points[2];
    float ax = p1.x - p0.x;
    float ay = p1.y - p0.y;
    float az = p1.z - p0.z;
    float bx = p2.x - p0.x;
    float by = p2.y - p0.y;
    float bz = p2.z - p0.z;
    FloatPoint normal{ay * bz - az * by, az * bx - ax * bz, ax * by - ay * bx};
    float offset = normal.x * p0.x + normal.y * p0.y + normal.z * p0.z;
    float size = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
    if (size > 0) {
        normal = {normal.x / size, normal.y / size, normal.z / size};
        offset /= size;
    }
    view.normal = normal;
    view.offset = offset;
}

void setCentroid(Face& view)
{
    std::size_t count = view.cornerCount();
    view.centroidX = 0;
    view.centroidY = 0;
    if (count == 0)
        return;
    float sumX = 0;
    float sumY = 0;
    for (std::size_t corner = 0; corner < count; ++corner) {
        sumX += view.points[corner].x;
        sumY += view.points[corner].y;
    }
    view.centroidX = sumX / static_cast<float>(count);
    view.centroidY = sumY / static_cast<float>(count);
}

std::vector<CanvasPoint> windowCorners(const Face& view)
{
    std::vector<CanvasPoint> corners;
    std::size_t count = view.cornerCount();
    corners.reserve(count);
    for (std::size_t corner = 0; corner < count; ++corner) {
        FloatPoint point =
            corner < view.points.size() ? view.points[corner] : view.vertices[corner].floats();
        corners.push_back({std::trunc(point.x), std::trunc(point.y)});
    }
    return corners;
}

} // namespace

FloatPoint rotatedPoint(const FloatPoint& point, const FloatPoint& centre,
                        const std::array<int, 3>& angles)
{
    return turned(point, centre, turnsOf(angles));
}

FloatPoint viewCentre(const PolyhedronRec& polyhedron)
{
    if (polyhedron.centre)
        return polyhedron.centre->floats();
    FloatPoint sum;
    std::size_t faces = 0;
    for (const Face& face : polyhedron.faces) {
        std::size_t count = face.cornerCount();
        if (count == 0)
            continue;
        FloatPoint faceSum;
        for (std::size_t corner = 0; corner < count; ++corner) {
            FloatPoint point = face.vertices[corner].floats();
            faceSum = {faceSum.x + point.x, faceSum.y + point.y, faceSum.z + point.z};
        }
        float share = 1.0f / static_cast<float>(count);
        sum = {sum.x + faceSum.x * share, sum.y + faceSum.y * share, sum.z + faceSum.z * share};
        ++faces;
    }
    if (faces == 0)
        return sum;
    float share = 1.0f / static_cast<float>(faces);
    return {sum.x * share, sum.y * share, sum.z * share};
}

namespace {

// Makes `view` the view of the model face, reusing its storage (a tick
// remakes every face, so it should not allocate). Its centre is made again
// on demand, from the turned vertices.
void viewAbout(Face& view, const FloatPoint& centre, const std::array<int, 3>& angles,
               const Turns& turns, const Face& model)
{
    // Copy-assignment keeps the vectors' storage.
    view = model;
    view.centre.reset();
    view.points.clear();
    view.points.reserve(view.vertices.size());
    bool turning = !allZero(angles);
    std::size_t count = view.cornerCount();
    for (std::size_t corner = 0; corner < count; ++corner) {
        FloatPoint point = model.vertices[corner].floats();
        if (turning) {
            point = turned(point, centre, turns);
            LongTriple& vertex = view.vertices[corner];
            FloatToLong(point.x, vertex.x);
            FloatToLong(point.y, vertex.y);
            FloatToLong(point.z, vertex.z);
        }
        view.points.push_back(point);
    }
    // The closing entry repeats the first vertex.
    if (count > 0) {
        view.vertices.back() = view.vertices.front();
        view.points.push_back(view.points.front());
    }
    setPlane(view);
    setCentroid(view);
    shadeFace(view);
}

} // namespace

Face viewOfFace(const PolyhedronRec& polyhedron, const Face& model)
{
    bool turning = !allZero(polyhedron.angles);
    Face view;
    viewAbout(view, turning ? viewCentre(polyhedron) : FloatPoint{}, polyhedron.angles,
              turnsOf(polyhedron.angles), model);
    return view;
}

void updateView(PolyhedronRec& polyhedron)
{
    FloatPoint centre = viewCentre(polyhedron);
    Turns turns = turnsOf(polyhedron.angles);
    polyhedron.viewFaces.resize(polyhedron.faces.size());
    for (std::size_t index = 0; index < polyhedron.faces.size(); ++index)
        viewAbout(polyhedron.viewFaces[index], centre, polyhedron.angles, turns,
                  polyhedron.faces[index]);
}

ColorRef shadedColour(ColorRef base, float nz)
{
    float slant = std::sqrt(std::fabs(nz));
    auto shade = [slant](int component) {
        float value = static_cast<float>(component);
        return static_cast<int>((value + 3.0f * value * slant) * 0.25f);
    };
    return rgb(shade(redOf(base)), shade(greenOf(base)), shade(blueOf(base)));
}

void shadeFace(Face& view)
{
    view.shadedColour = shadedColour(view.colour, view.normal.z);
}

int visibility(const Face& view, const FloatPoint& centre)
{
    const FloatPoint& n = view.normal;
    float value = (n.x * centre.x + n.y * centre.y + n.z * centre.z - view.offset) * n.z;
    if (value < 0)
        return 1;
    return value > 0 ? -1 : 0;
}

void paintViewFace(Canvas& canvas, const Face& view)
{
    if (!view.visible || view.cornerCount() < 2)
        return;
    std::vector<CanvasPoint> corners = windowCorners(view);
    canvas.setPen(kBlack);
    if (view.coloured)
        canvas.setBrush(view.shadedColour);
    if (view.colour != kWhite) {
        canvas.polygon(corners);
    } else {
        canvas.moveTo(corners.front().x, corners.front().y);
        for (std::size_t index = 1; index < corners.size(); ++index)
            canvas.lineTo(corners[index].x, corners[index].y);
        canvas.lineTo(corners.front().x, corners.front().y);
    }
    canvas.clearBrush();
}

namespace {

// The section turns with the solid it was cut from.
void paintSection(Canvas& canvas, const PolyhedronRec& polyhedron, const FloatPoint& centre)
{
    Face section = *polyhedron.section;
    for (const LongTriple& vertex : section.vertices)
        section.points.push_back(rotatedPoint(vertex.floats(), centre, polyhedron.angles));
    paintViewFace(canvas, section);
}

// Front and back faces in face order, then the front faces again: right
// whenever no two front faces overlap on the window, as on a convex solid.
void paintInFaceOrder(Canvas& canvas, const PolyhedronRec& polyhedron, const std::vector<int>& seen)
{
    for (std::size_t index = 0; index < polyhedron.viewFaces.size(); ++index) {
        if (seen[index] != 0)
            paintViewFace(canvas, polyhedron.viewFaces[index]);
    }
    for (std::size_t index = 0; index < polyhedron.viewFaces.size(); ++index) {
        if (seen[index] == 1)
            paintViewFace(canvas, polyhedron.viewFaces[index]);
    }
}

} // namespace

void paintFacePiece(Canvas& canvas, const Face& view, const FacePiece& piece)
{
    if (piece.whole) {
        paintViewFace(canvas, view);
        return;
    }
    if (!view.visible || piece.corners.size() < 3)
        return;
    // The part is filled with its own colour all round, so that the parts of
    // a face meet without a seam; only the face's own edges are outlined.
    if (view.coloured && view.colour != kWhite) {
        canvas.setPen(view.shadedColour);
        canvas.setBrush(view.shadedColour);
        canvas.polygon(piece.corners);
        canvas.clearBrush();
    }
    canvas.setPen(kBlack);
    for (std::size_t edge = 0; edge < piece.corners.size(); ++edge) {
        if (!piece.outlined[edge])
            continue;
        const CanvasPoint& from = piece.corners[edge];
        const CanvasPoint& to = piece.corners[(edge + 1) % piece.corners.size()];
        canvas.line(from.x, from.y, to.x, to.y);
    }
}

void paintPolyhedron(Canvas& canvas, const PolyhedronRec& polyhedron)
{
    FloatPoint centre = viewCentre(polyhedron);
    if (polyhedron.section)
        paintSection(canvas, polyhedron, centre);
    std::vector<int> seen;
    std::vector<std::size_t> front;
    seen.reserve(polyhedron.viewFaces.size());
    for (const Face& view : polyhedron.viewFaces) {
        seen.push_back(visibility(view, centre));
        if (seen.back() == 1 && view.visible)
            front.push_back(seen.size() - 1);
    }
    std::optional<std::vector<FacePiece>> pieces =
        depthOrderWhereOverlapping(polyhedron.viewFaces, front);
    if (!pieces) {
        paintInFaceOrder(canvas, polyhedron, seen);
        return;
    }
    // Where front faces overlap, the back faces (hidden behind them on a
    // closed solid) go first and the front faces follow nearest last.
    for (std::size_t index = 0; index < polyhedron.viewFaces.size(); ++index) {
        if (seen[index] == -1)
            paintViewFace(canvas, polyhedron.viewFaces[index]);
    }
    for (const FacePiece& piece : *pieces)
        paintFacePiece(canvas, polyhedron.viewFaces[piece.face], piece);
}

namespace {

// Four quarters, each a polyline of one point per unit of t from r down to
// above 0: C ± t u ± s v with s = sqrt(r² − t²).
void paintSpaceCircle(Canvas& canvas, const SpaceCircle& circle)
{
    double radius = toDouble(circle.radius);
    if (!(radius > 0) || radius > 1e5)
        return;
    DoubleTriple centre = toDoubles(circle.centre);
    DoubleTriple u = toDoubles(circle.frame.u);
    DoubleTriple v = toDoubles(circle.frame.v);
    for (int quarter = 0; quarter < 4; ++quarter) {
        double signU = quarter < 2 ? 1 : -1;
        double signV = quarter % 2 == 0 ? 1 : -1;
        std::vector<CanvasPoint> points;
        for (double t = radius; t > 0; t -= 1) {
            double square = radius * radius - t * t;
            double s = square > 0 ? std::sqrt(square) : 0;
            points.push_back({centre.x + signU * t * u.x + signV * s * v.x,
                              centre.y + signU * t * u.y + signV * s * v.y});
        }
        if (points.size() >= 2)
            canvas.polyline(points);
    }
}

void paintSphere(Canvas& canvas, const SphereRec& sphere)
{
    double radius = toDouble(sphere.radius);
    DoubleTriple centre = toDoubles(sphere.centre);
    canvas.clearBrush();
    canvas.ellipse(std::trunc(centre.x - radius), std::trunc(centre.y - radius),
                   std::trunc(centre.x + radius), std::trunc(centre.y + radius));
}

// The projection of the line clipped to the drawing area by its parameter.
void paintSpaceLine(Canvas& canvas, const Line3DRec& line)
{
    DoubleTriple base = toDoubles(line.base);
    DoubleTriple direction = toDoubles(line.direction);
    if (std::fabs(direction.x) < 1e-9 && std::fabs(direction.y) < 1e-9)
        return;
    double low = -1e300;
    double high = 1e300;
    auto clip = [&](double start, double step, double limit) {
        if (std::fabs(step) < 1e-12)
            return start >= 0 && start <= limit;
        double first = (0 - start) / step;
        double second = (limit - start) / step;
        low = std::max(low, std::min(first, second));
        high = std::min(high, std::max(first, second));
        return true;
    };
    if (!clip(base.x, direction.x, kDrawingWidth) || !clip(base.y, direction.y, kDrawingHeight) ||
        low > high)
        return;
    canvas.line(std::trunc(base.x + low * direction.x), std::trunc(base.y + low * direction.y),
                std::trunc(base.x + high * direction.x), std::trunc(base.y + high * direction.y));
}

} // namespace

void paintSpaceObjects(Canvas& canvas, const SpaceScene& scene)
{
    canvas.setPen(kBlack);
    for (const auto& circle : scene.circles()) {
        if (circle->visible)
            paintSpaceCircle(canvas, circle->circle);
    }
    for (const auto& sphere : scene.spheres()) {
        if (sphere->visible)
            paintSphere(canvas, *sphere);
    }
    for (const auto& line : scene.lines()) {
        if (line->visible)
            paintSpaceLine(canvas, *line);
    }
}

} // namespace kestrane
