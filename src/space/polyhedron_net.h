// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "space/space_objects.h"

#include <vector>

namespace kestrane {

// The net of a polyhedron laid flat: the faces unfolded breadth first from
// face 0 (children in face order), each turned about the edge it shares
// with its parent into the plane of face 0, then given the plane's own
// coordinates (z = 0) about the point (x, y) of `centre`. Faces no edge
// reaches are left out.
std::vector<Face> unfoldFaces(const std::vector<Face>& faces, const LongTriple& centre);

} // namespace kestrane
