// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/object_lookup.h"

#include "runtime/construction_state.h"
#include "runtime/module_scene.h"
#include "script/words.h"

namespace kestrane {

PointRec* findPoint(const CommandContext& context, std::string_view name)
{
    return context.state.store().find<PointRec>(name, context.scope);
}

CircleRec* findCircle(const CommandContext& context, std::string_view name)
{
    return context.state.store().find<CircleRec>(name, context.scope);
}

DistanceRec* findDistance(const CommandContext& context, std::string_view name)
{
    return context.state.store().find<DistanceRec>(name, context.scope);
}

PolygonRec* findPolygon(const CommandContext& context, std::string_view name)
{
    return context.state.figures().findPolygon(name, context.scope);
}

VectorRec* findVector(const CommandContext& context, std::string_view name)
{
    return context.state.figures().findVector(name, context.scope);
}

StringRec* findString(const CommandContext& context, std::string_view name)
{
    return context.state.figures().findString(name, context.scope);
}

StraightRec* findStraight(const CommandContext& context, std::string_view name)
{
    const ObjectStore& store = context.state.store();
    if (auto* line = store.find<LineRec>(name, context.scope))
        return line;
    if (auto* segment = store.find<SegmentRec>(name, context.scope))
        return segment;
    return store.find<HalfLineRec>(name, context.scope);
}

GeoObject* findByType(const CommandContext& context, int typeCode, std::string_view name)
{
    const ObjectStore& store = context.state.store();
    switch (typeCode) {
    case type::kPoint:
        return store.find<PointRec>(name, context.scope);
    case type::kLine:
        return store.find<LineRec>(name, context.scope);
    case type::kSegment:
        return store.find<SegmentRec>(name, context.scope);
    case type::kHalfLine:
        return store.find<HalfLineRec>(name, context.scope);
    case type::kCircle:
        if (CircleRec* circle = store.find<CircleRec>(name, context.scope))
            return circle;
        break;
    case type::kDistance:
        return store.find<DistanceRec>(name, context.scope);
    case type::kPolygon:
        return findPolygon(context, name);
    case type::kVector:
        return findVector(context, name);
    default:
        break;
    }
    ModuleScene* scene = context.state.scene();
    return scene ? scene->find(typeCode, name, context.scope) : nullptr;
}

GeoObject* findAny(const CommandContext& context, std::string_view name)
{
    for (int typeCode : {type::kLine, type::kSegment, type::kHalfLine, type::kCircle, type::kPoint,
                         type::kPolygon, type::kDistance, type::kVector}) {
        if (GeoObject* object = findByType(context, typeCode, name))
            return object;
    }
    return nullptr;
}

void bindTarget(GeoObject& object, std::string_view target, const CommandContext& context)
{
    if (!target.empty())
        object.bind(std::string(target), std::string(context.scope));
}

} // namespace kestrane
