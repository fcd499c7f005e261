// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/object_store.h"

#include <string>

namespace kestrane {

class PlaneFigures;

// A Kestrane script (CR LF lines) that rebuilds the figure, each object in
// the order of its list, named by its label, with a comment line per
// object: intersection points by the command and solution that give
// exactly their coordinates, other points as point(x, y) with every digit,
// straight objects and circles by their defining points (helper points,
// removed at once, where no point stands there), distances by their value,
// polygons by their corners and fill, vectors by helper points (then in the
// Dimension 2 module). Every label is set with SetName, hidden labels with
// name(X)=no; texts and titles by Text and Title. What the language cannot
// rebuild exactly (a text with other characters, a distance whose number
// was freed, a solid's face) is listed in comments.
std::string figureProgram(const ObjectStore& store, const PlaneFigures& figures);

} // namespace kestrane
