#include "space/cross_frames.h"

#include <cmath>
#include <numbers>

namespace kestrane {

std::vector<ProjectedFace> frontFacesAt(PolyhedronRec& polyhedron, const std::array<int, 3>& angles)
{
    DoubleTriple centre = toDoubles(polyhedron.makeCentre());
    const double toRadians = std::numbers::pi / 180;
    const double ax = angles[0] * toRadians;
    const double ay = angles[1] * toRadians;
    const double az = angles[2] * toRadians;
    auto turn = [&](const LongTriple& point) {
        DoubleTriple p = toDoubles(point);
        double x = p.x - centre.x;
        double y = p.y - centre.y;
        double z = p.z - centre.z;
        double y1 = y * std::cos(ax) - z * std::sin(ax);
        double z1 = y * std::sin(ax) + z * std::cos(ax);
        double x2 = x * std::cos(ay) + z1 * std::sin(ay);
        double z2 = -x * std::sin(ay) + z1 * std::cos(ay);
        double x3 = x2 * std::cos(az) - y1 * std::sin(az);
        double y3 = x2 * std::sin(az) + y1 * std::cos(az);
        return DoubleTriple{x3 + centre.x, y3 + centre.y, z2 + centre.z};
    };
    std::vector<ProjectedFace> front;
    for (const Face& face : polyhedron.faces) {
        std::size_t count = face.cornerCount();
        if (count < 3)
            continue;
        std::vector<DoubleTriple> corners;
        for (std::size_t corner = 0; corner < count; ++corner)
            corners.push_back(turn(face.vertices[corner]));
        // Twice the signed area of the window polygon (y downward).
        double area = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const DoubleTriple& a = corners[k];
            const DoubleTriple& b = corners[(k + 1) % count];
            area += a.x * b.y - b.x * a.y;
        }
        if (area <= 0)
            continue;
        ProjectedFace projected;
        projected.colour = face.colour;
        for (const DoubleTriple& corner : corners)
            projected.vertices.push_back(
                {static_cast<float>(corner.x), static_cast<float>(corner.y)});
        front.push_back(std::move(projected));
    }
    return front;
}

} // namespace kestrane
