// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/canvas.h"
#include "space/space_objects.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace kestrane {

// A piece of a view face as the depth order paints it: the whole face, or a
// part of it cut off where it passes through another face, where it is not
// convex on the window, or where faces overlap in a cycle. Corners are
// window positions; only the edges that lie on the face's own outline are
// outlined, so that cuts do not show.
struct FacePiece {
    std::size_t face = 0;
    bool whole = true;
    std::vector<CanvasPoint> corners;
    // Edge k runs from corner k to corner k + 1, the last back to the first.
    std::vector<bool> outlined;
};

// Whether some two of the faces cover a common part of the window, more than
// a sliver along an edge they share. The front faces of a convex solid never
// do.
bool facesOverlapOnWindow(std::span<const Face> views, std::span<const std::size_t> faces);

// The faces in an order that paints the nearer over the farther wherever two
// overlap on the window (the viewer looks along −z, so a larger z is
// nearer): faces that pass through each other, and faces that overlap in a
// cycle, are cut into pieces. The faces must not be edge-on. Nothing when no
// two of the faces overlap (they may then be painted in any order); one pass
// over the faces gives both answers.
std::optional<std::vector<FacePiece>>
depthOrderWhereOverlapping(std::span<const Face> views, std::span<const std::size_t> faces);

} // namespace kestrane
