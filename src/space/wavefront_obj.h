#pragma once

#include <string>

namespace kestrane {

class SpaceScene;

// The polyhedra of the scene as a Wavefront OBJ text, one object per
// polyhedron (named by its first name, else "polyhedron" and its number),
// for 3D printing and other viewers. The model faces are written, unturned,
// in window coordinates (y downward); vertices equal to an earlier one of the
// same polyhedron are shared.
std::string wavefrontObj(const SpaceScene& scene);

} // namespace kestrane
