// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/colour.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// One variable name of an object with its scope: the name of the procedure
// that gave it. Two activations of one procedure share the scope.
struct NameBinding {
    std::string name;
    std::string scope;

    bool matches(std::string_view otherName, std::string_view otherScope) const
    {
        return name == otherName && scope == otherScope;
    }
};

// Whether objects show their automatic labels; copied into each object as it
// is made (the script command NoNames turns it off).
enum class LabelDisplay { Shown, Hidden };

// The common header of every drawable object.
struct GeoObject {
    // Names in the order they were given; empty for an object made unnamed.
    std::vector<NameBinding> names;
    // Automatic label drawn beside the object.
    std::string label;
    bool showLabel = true;
    // Set when the object lies outside the drawing area; it is not drawn.
    bool outOfView = false;
    // Drawn with a red pen while the mouse is over it.
    bool highlighted = false;
    // Cleared to hide the object.
    bool visible = true;
    // 0 is the default black pen.
    ColorRef colour = 0;
    // Scroll offsets of the view when the object was made.
    int viewX = 0;
    int viewY = 0;

    // Appends a binding at the tail of the names.
    void bind(std::string name, std::string scope);
    bool isNamed(std::string_view name, std::string_view scope) const;
    // Drops every binding equal to (name, scope); returns how many.
    int unbind(std::string_view name, std::string_view scope);
    // Drops every binding of the scope; returns how many.
    int unbindScope(std::string_view scope);
};

} // namespace kestrane
