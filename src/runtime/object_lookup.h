// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"
#include "runtime/plane_figures.h"

#include <string_view>

namespace kestrane {

// Lookups of the commands: the object named `name` in the context's scope
// (the last one carrying the name), nullptr when there is none.
PointRec* findPoint(const CommandContext& context, std::string_view name);
CircleRec* findCircle(const CommandContext& context, std::string_view name);
DistanceRec* findDistance(const CommandContext& context, std::string_view name);
PolygonRec* findPolygon(const CommandContext& context, std::string_view name);
VectorRec* findVector(const CommandContext& context, std::string_view name);
StringRec* findString(const CommandContext& context, std::string_view name);
// A line, else a segment, else a half-line of that name.
StraightRec* findStraight(const CommandContext& context, std::string_view name);
// The object of a type code (the types of parameters and procedures:
// point, line, segment, HalfLine, circle, distance, polygon, vector, and
// the kinds of the running module's scene).
GeoObject* findByType(const CommandContext& context, int typeCode, std::string_view name);
// Any named object of the scope, tried kind by kind (lines, segments,
// half-lines, circles, points, polygons, distances, vectors).
GeoObject* findAny(const CommandContext& context, std::string_view name);

// Binds the statement's target to an object made by a command; nothing
// when the target is empty.
void bindTarget(GeoObject& object, std::string_view target, const CommandContext& context);

} // namespace kestrane
