// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionState;
struct ConditionOutcome;
struct GeoObject;
class LongNum;
struct StackEntry;

// The kinds of named values a paused program shows: the plane objects, the
// outcome of a condition, and the objects of a module's scene (whose kind
// word the scene gives).
enum class WatchKind {
    Point,
    Line,
    Segment,
    HalfLine,
    Circle,
    Distance,
    Polygon,
    Vector,
    String,
    Condition,
    Scene
};

// The word for a kind, as the trace and the watch panel write it ("point").
std::string_view watchKindName(WatchKind kind);

// One long number (or text) of a value, under the key the run's JSON gives
// it ("x", "cx", "value"), every digit kept.
struct WatchField {
    std::string_view key;
    std::string value;
};

// A named object and what it holds: a one-line text for people (every digit
// kept, trailing fraction zeros dropped) and the fields for programs.
struct WatchValue {
    std::string name;
    WatchKind kind = WatchKind::Point;
    // The kind as the trace and the panel write it ("point", "polyhedron").
    std::string_view kindName = "point";
    std::string text;
    std::vector<WatchField> fields;
    const GeoObject* object = nullptr;
    // The scope of the name when it is not the one asked about (the
    // caller's target that `return` binds); empty otherwise.
    std::string scope;
};

// Describes one object of a kind under a name: points with their
// coordinates, lines with their equation, circles with centre and radius,
// segments and distances with their length, polygons with their vertex
// count, vectors with their components, strings with their text.
// Points of space programs show their z too.
WatchValue describeObject(const GeoObject& object, WatchKind kind, std::string name,
                          bool inSpace = false);

// The last `if` of a procedure as a value: named by its condition, shown
// as the language writes yes and no.
WatchValue describeCondition(const ConditionOutcome& condition);

// A value of a module scene's object; the scene fills in its text and
// fields.
WatchValue sceneValue(std::string_view kindName, std::string name, const GeoObject& object);
void addWatchField(WatchValue& value, std::string_view key, const LongNum& number);

// A long number as people read it: every digit, trailing fraction zeros
// dropped.
std::string watchNumber(const LongNum& value);

// Coordinates as "(x, y, z)".
std::string watchTuple(std::initializer_list<const LongNum*> coordinates);

// A linear equation "2·x - y + 0.5·z = 3": zero terms left out, a unit
// coefficient written as its sign alone.
std::string watchEquation(std::initializer_list<std::pair<const LongNum*, std::string_view>> terms,
                          const LongNum& constant);

// "1 vertex", "3 vertices" from "%1 vertex" and "%1 vertices", in the user's
// language.
std::string watchCount(std::size_t count, const char* one, const char* many);

// Adds a value for every name the records of a scene's list carry in the
// scope (any scope when `anyScope`), each of the last record carrying it,
// as lookups find it; `describe(record, name)` makes the value.
template<class List, class Describe>
void watchList(const List& list, std::string_view scope, std::vector<WatchValue>& values,
               Describe describe, bool anyScope = false)
{
    std::set<std::string_view> seen;
    for (auto item = list.rbegin(); item != list.rend(); ++item) {
        const auto& record = [&]() -> const auto&
        {
            if constexpr (requires { *(*item); })
                return **item;
            else
                return *item;
        }
        ();
        for (const auto& binding : record.names) {
            if ((anyScope || binding.scope == scope) && seen.insert(binding.name).second)
                values.push_back(describe(record, binding.name));
        }
    }
}

// Every name of the scope with the object it stands for (the last object
// given the name, as lookups find it), sorted by name and then kind. This
// is what the watch panel shows and what the command line's trace and
// breakpoints print.
std::vector<WatchValue> watchScope(const ConstructionState& state, std::string_view scope);

// What the watch panel shows for a procedure of the call stack: the outcome
// of its last `if` first, then every name of its scope.
std::vector<WatchValue> watchFrame(const ConstructionState& state, const StackEntry& entry);

// A text cut to at most `width` characters (UTF-8 aware), ending in "…"
// when cut.
std::string shortenedText(std::string_view text, std::size_t width);

// A long number's decimal text without the zeros that end its fraction
// ("12.5", "-3", "0").
std::string trimmedDecimal(std::string_view decimal);

} // namespace kestrane
