#pragma once

#include "geometry/object_store.h"

#include <string>

namespace kestrane {

class PlaneFigures;

// A Kestrane script (module Kestrane, CR LF lines) that rebuilds the points,
// lines, segments, half-lines and circles of a figure, each object in the
// order of its list, named by its label, with a comment line per object:
// points with whole coordinates as point(x, y), the others by the
// intersection command and solution that give exactly their coordinates,
// straight objects and circles by their defining points. Labels are set
// with SetName where the language allows (points and segments) and hidden
// labels with name(X)=no; texts and titles by Text and Title. What the
// language cannot rebuild (a point that only a segment or half-line meets,
// distances, polygons, vectors, colours) is listed in comments.
std::string figureProgram(const ObjectStore& store, const PlaneFigures& figures);

} // namespace kestrane
