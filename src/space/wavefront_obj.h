// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

class SpaceScene;

// One polyhedron as a closed mesh for other programs: its distinct vertices
// (equal ones merged, −0 and 0 alike) and its faces as vertex indices, each
// face wound counter-clockwise seen from outside (the right-hand rule gives
// the outward normal). Faces that coincide in pairs, where the cells of a
// net meet, lie inside the solid and are left out; so are faces that merging
// leaves with fewer than three corners.
struct Mesh {
    std::vector<DoubleTriple> vertices;
    std::vector<std::vector<std::size_t>> faces;
};

Mesh meshOf(const PolyhedronRec& polyhedron);

// The polyhedra as a Wavefront OBJ text, one object per polyhedron that has
// faces (named by its first name, else "polyhedron" and its number), for 3D
// printing and other viewers. The model faces are written, unturned, in
// window coordinates (y downward), and wound in those coordinates.
std::string wavefrontObj(std::span<const std::unique_ptr<PolyhedronRec>> polyhedra);
std::string wavefrontObj(const SpaceScene& scene);

} // namespace kestrane
