// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/watch_values.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrane {

class ConstructionState;
struct GeoObject;

// What one statement, or one stepping command, made or named: the objects
// added to the store and figures since begin(), and the object that carries
// the statement's target afterwards. Counting the lists is all begin()
// costs, so a trace can afford it at every statement.
class StepChanges {
public:
    void begin(const ConstructionState& state);
    // Also remembers the values of the scene's objects named in `scope`, so
    // that a statement that changes one without naming it (faces added to a
    // polyhedron) still shows it. Only a trace pays for this.
    void watchScene(const ConstructionState& state, std::string_view scope);

    // The objects made since begin() (named or not), in list order.
    std::vector<GeoObject*> madeObjects(ConstructionState& state) const;

    // The names given since begin(): every name in `scope` of a made object,
    // the scene's objects of `scope` that are new or changed since
    // watchScene(), then the target in its scope when it names an older
    // object (a point that merged with one already there, the result a
    // `return` bound). Each name of a kind once.
    std::vector<WatchValue> namedValues(ConstructionState& state, std::string_view scope,
                                        std::string_view target,
                                        std::string_view targetScope) const;

private:
    static constexpr std::size_t kLists = 9;
    std::array<std::size_t, kLists> m_sizes{};
    // (name, kind) -> shown text of the scene's values before the statement.
    std::map<std::pair<std::string, std::string_view>, std::string> m_scene;
    bool m_watchingScene = false;
};

// An object with its kind.
struct NamedObject {
    const GeoObject* object = nullptr;
    WatchKind kind = WatchKind::Point;
};

// The object of any kind that carries the name in the scope (lines,
// segments, half-lines, circles, points, polygons, distances, vectors,
// strings: the order the commands look names up in); none when none does.
std::optional<NamedObject> findNamed(const ConstructionState& state, std::string_view name,
                                     std::string_view scope);

} // namespace kestrane
