// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace kestrane::testing {

// The icosahedron of edge 200: (0, ±1, ±φ) and its cyclic permutations,
// scaled by 100.
inline std::vector<LongTriple> icosahedronVertices()
{
    const double phi = (1 + std::sqrt(5.0)) / 2;
    auto vertex = [](double x, double y, double z) {
        return LongTriple{LongFromText(std::to_string(100 * x)),
                          LongFromText(std::to_string(100 * y)),
                          LongFromText(std::to_string(100 * z))};
    };
    std::vector<LongTriple> vertices;
    for (int s1 : {1, -1}) {
        for (int s2 : {1, -1}) {
            vertices.push_back(vertex(0, s1, s2 * phi));
            vertices.push_back(vertex(s1, s2 * phi, 0));
            vertices.push_back(vertex(s2 * phi, 0, s1));
        }
    }
    return vertices;
}

// Six faces from which the template triangle grows the whole solid.
inline constexpr std::array<std::array<int, 3>, 6> kIcosahedronSeeds{{
    {0, 1, 2},
    {0, 1, 7},
    {0, 5, 6},
    {1, 3, 8},
    {3, 9, 11},
    {4, 6, 10},
}};

// An equilateral triangle of edge 200 in the drawing plane.
inline Face icosahedronTemplate()
{
    return faceOf(
        {LongTriple::ofIntegers(0, 0, 0), LongTriple::ofIntegers(200, 0, 0),
         LongTriple{longOf(100), LongFromText(std::to_string(100 * std::sqrt(3.0))), LongNum()}});
}

} // namespace kestrane::testing
