// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/step_changes.h"

#include "runtime/construction_state.h"
#include "runtime/module_scene.h"

#include <algorithm>

namespace kestrane {

namespace {

// Calls `visit(list, kind)` for every list the watch knows, in one order.
template<class State, class Visit>
void forEachList(State& state, Visit visit)
{
    visit(state.store().points(), WatchKind::Point);
    visit(state.store().lines(), WatchKind::Line);
    visit(state.store().segments(), WatchKind::Segment);
    visit(state.store().halfLines(), WatchKind::HalfLine);
    visit(state.store().circles(), WatchKind::Circle);
    visit(state.store().distances(), WatchKind::Distance);
    visit(state.figures().polygons(), WatchKind::Polygon);
    visit(state.figures().vectors(), WatchKind::Vector);
    visit(state.figures().strings(), WatchKind::String);
}

bool alreadyNamed(const std::vector<WatchValue>& values, std::string_view name, WatchKind kind)
{
    return std::any_of(values.begin(), values.end(), [&](const WatchValue& value) {
        return value.kind == kind && value.name == name;
    });
}

} // namespace

void StepChanges::begin(const ConstructionState& state)
{
    std::size_t index = 0;
    forEachList(state, [&](const auto& list, WatchKind) { m_sizes[index++] = list.size(); });
    m_watchingScene = false;
}

void StepChanges::watchScene(const ConstructionState& state, std::string_view scope)
{
    m_scene.clear();
    const ModuleScene* scene = state.scene();
    m_watchingScene = scene != nullptr;
    if (!scene)
        return;
    std::vector<WatchValue> values;
    scene->watchValues(scope, values);
    for (WatchValue& value : values)
        m_scene.emplace(std::pair(std::move(value.name), value.kindName), std::move(value.text));
}

std::vector<GeoObject*> StepChanges::madeObjects(ConstructionState& state) const
{
    std::vector<GeoObject*> made;
    std::size_t index = 0;
    forEachList(state, [&](const auto& list, WatchKind) {
        // A list that shrank lost objects; what it holds now is not new.
        for (std::size_t at = m_sizes[index]; at < list.size(); ++at)
            made.push_back(list[at].get());
        ++index;
    });
    return made;
}

std::vector<WatchValue> StepChanges::namedValues(ConstructionState& state, std::string_view scope,
                                                 std::string_view target,
                                                 std::string_view targetScope) const
{
    std::vector<WatchValue> values;
    const ModuleScene* scene = state.scene();
    bool inSpace = scene && scene->pointsInSpace();
    std::size_t index = 0;
    forEachList(state, [&](const auto& list, WatchKind kind) {
        for (std::size_t at = m_sizes[index]; at < list.size(); ++at) {
            for (const NameBinding& binding : list[at]->names) {
                if (binding.scope == scope && !alreadyNamed(values, binding.name, kind))
                    values.push_back(describeObject(*list[at], kind, binding.name, inSpace));
            }
        }
        ++index;
    });
    if (m_watchingScene && scene) {
        std::vector<WatchValue> sceneValues;
        scene->watchValues(scope, sceneValues);
        for (WatchValue& value : sceneValues) {
            auto before = m_scene.find(std::pair(value.name, value.kindName));
            if (before == m_scene.end() || before->second != value.text)
                values.push_back(std::move(value));
        }
    }
    if (target.empty())
        return values;
    if (targetScope == scope &&
        std::any_of(values.begin(), values.end(),
                    [&](const WatchValue& value) { return value.name == target; }))
        return values;
    if (std::optional<NamedObject> named = findNamed(state, target, targetScope)) {
        values.push_back(describeObject(*named->object, named->kind, std::string(target), inSpace));
    } else if (scene) {
        // The objects of a module's scene: the target's value as the scene
        // describes it.
        std::vector<WatchValue> sceneValues;
        scene->watchValues(targetScope, sceneValues);
        auto found = std::find_if(sceneValues.begin(), sceneValues.end(),
                                  [&](const WatchValue& value) { return value.name == target; });
        if (found == sceneValues.end())
            return values;
        values.push_back(std::move(*found));
    } else {
        return values;
    }
    if (targetScope != scope)
        values.back().scope = std::string(targetScope);
    return values;
}

std::optional<NamedObject> findNamed(const ConstructionState& state, std::string_view name,
                                     std::string_view scope)
{
    const ObjectStore& store = state.store();
    const PlaneFigures& figures = state.figures();
    std::pair<const GeoObject*, WatchKind> candidates[] = {
        {store.find<LineRec>(name, scope), WatchKind::Line},
        {store.find<SegmentRec>(name, scope), WatchKind::Segment},
        {store.find<HalfLineRec>(name, scope), WatchKind::HalfLine},
        {store.find<CircleRec>(name, scope), WatchKind::Circle},
        {store.find<PointRec>(name, scope), WatchKind::Point},
        {figures.findPolygon(name, scope), WatchKind::Polygon},
        {store.find<DistanceRec>(name, scope), WatchKind::Distance},
        {figures.findVector(name, scope), WatchKind::Vector},
        {figures.findString(name, scope), WatchKind::String},
    };
    for (const auto& [object, kind] : candidates) {
        if (object)
            return NamedObject{object, kind};
    }
    return {};
}

} // namespace kestrane
