// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionState;
struct GeoObject;

// The kinds of named values a paused program shows.
enum class WatchKind { Point, Line, Segment, HalfLine, Circle, Distance, Polygon, Vector, String };

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
WatchValue describeObject(const GeoObject& object, WatchKind kind, std::string name);

// Every name of the scope with the object it stands for (the last object
// given the name, as lookups find it), sorted by name and then kind. This
// is what the watch panel shows and what the command line's trace and
// breakpoints print.
std::vector<WatchValue> watchScope(const ConstructionState& state, std::string_view scope);

// A text cut to at most `width` characters (UTF-8 aware), ending in "…"
// when cut.
std::string shortenedText(std::string_view text, std::size_t width);

// A long number's decimal text without the zeros that end its fraction
// ("12.5", "-3", "0").
std::string trimmedDecimal(std::string_view decimal);

} // namespace kestrane
