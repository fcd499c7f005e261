#pragma once

#include "space/frame_file.h"
#include "space/space_objects.h"

#include <array>
#include <vector>

namespace kestrane {

// The front faces of a polyhedron turned by whole-degree angles about the
// x, y and z axes through its centre, as a frame takes them: the view from
// +z onto the window plane, a face in front when its corners turn
// positively on the window (outward faces ordered positively), in its own
// colour.
std::vector<ProjectedFace> frontFacesAt(PolyhedronRec& polyhedron, const std::array<int, 3>& angles);

} // namespace kestrane
