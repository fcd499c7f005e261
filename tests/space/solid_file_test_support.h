#pragma once

#include "numbers/long_num.h"
#include "space/solid_file.h"

#include <string_view>
#include <vector>

namespace kestrane::testing {

inline LongNum number(std::string_view decimal)
{
    return LongFromText(decimal);
}

inline SolidVertex vertex(std::string_view x, std::string_view y, std::string_view z)
{
    return {number(x), number(y), number(z)};
}

// A closed face: the corners and the first corner again.
inline SolidFace face(std::vector<SolidVertex> corners)
{
    corners.push_back(corners.front());
    return {std::move(corners)};
}

// The cube [0, a]^3 as six squares.
inline SolidPolyhedron cube(std::string_view a = "100")
{
    auto v = [&](bool x, bool y, bool z) {
        return vertex(x ? a : "0", y ? a : "0", z ? a : "0");
    };
    SolidPolyhedron cube;
    cube.faces = {
        face({v(0, 0, 0), v(1, 0, 0), v(1, 1, 0), v(0, 1, 0)}),
        face({v(0, 0, 1), v(0, 1, 1), v(1, 1, 1), v(1, 0, 1)}),
        face({v(0, 0, 0), v(0, 0, 1), v(1, 0, 1), v(1, 0, 0)}),
        face({v(0, 1, 0), v(1, 1, 0), v(1, 1, 1), v(0, 1, 1)}),
        face({v(0, 0, 0), v(0, 1, 0), v(0, 1, 1), v(0, 0, 1)}),
        face({v(1, 0, 0), v(1, 0, 1), v(1, 1, 1), v(1, 1, 0)}),
    };
    return cube;
}

// The four-dimensional face of a three-dimensional one at height w.
inline SolidFace4 lift(const SolidFace& face, std::string_view w)
{
    SolidFace4 lifted;
    for (const SolidVertex& corner : face.vertices)
        lifted.vertices.push_back({corner[0], corner[1], corner[2], number(w)});
    return lifted;
}

inline SolidCell cubeCell(std::string_view w, std::string_view a = "100")
{
    SolidCell cell;
    for (const SolidFace& square : cube(a).faces)
        cell.faces.push_back(lift(square, w));
    return cell;
}

} // namespace kestrane::testing
