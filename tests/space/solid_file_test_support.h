// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "space/solid_file.h"

#include <string_view>

namespace kestrane::testing {

inline LongNum number(std::string_view decimal)
{
    return LongFromText(decimal);
}

inline SolidVertex vertex(std::string_view x, std::string_view y, std::string_view z)
{
    return {number(x), number(y), number(z)};
}

// The cube [0, a]^3 as six closed squares (the first corner repeated).
inline SolidPolyhedron cube(std::string_view a = "100")
{
    static const char* const kCorners[6] = {"000 100 110 010", "001 011 111 101", "000 001 101 100",
                                            "010 110 111 011", "000 010 011 001", "100 101 111 110"};
    SolidPolyhedron cube;
    for (std::string_view corners : kCorners) {
        SolidFace& face = cube.faces.emplace_back();
        for (std::size_t entry = 0; entry < 5; ++entry) {
            std::string_view corner = corners.substr(entry % 4 * 4, 3);
            auto coordinate = [&](std::size_t axis) { return corner[axis] == '1' ? a : "0"; };
            face.vertices.push_back(vertex(coordinate(0), coordinate(1), coordinate(2)));
        }
    }
    return cube;
}

// The cube's faces at height w, as a cell.
inline SolidCell cubeCell(std::string_view w, std::string_view a = "100")
{
    SolidCell cell;
    for (const SolidFace& square : cube(a).faces) {
        SolidFace4& face = cell.faces.emplace_back();
        for (const SolidVertex& corner : square.vertices)
            face.vertices.push_back({corner[0], corner[1], corner[2], number(w)});
    }
    return cell;
}

} // namespace kestrane::testing
