// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/json_writer.h"
#include "runtime/watch_values.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Canvas;
class ConstructionState;
struct GeoObject;

// The objects of a module that are not plane objects (polyhedra, planes and
// spheres of space; graphs, expressions and curves later). The construction
// window owns one scene per module that has one and hands the scene of the
// running program to its commands through the construction state.
// A button a scene paints on the drawing, in drawing coordinates.
struct PaintedButton {
    std::string_view name;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class ModuleScene {
public:
    virtual ~ModuleScene() = default;

    // Empties the scene: a run starts or Edit > Remove all.
    virtual void clear() = 0;
    // Draws the scene in its slot of the painting order: after the polygons,
    // or after the half-lines when paintsOverLines says so.
    virtual void paint(Canvas& canvas) const = 0;
    virtual bool paintsOverLines() const { return false; }
    // Writes the scene's arrays (and other values) as members of the
    // construction's JSON object, which `json` has open.
    virtual void writeJson(JsonWriter& json) const = 0;
    // Those members alone, in an object of their own.
    std::string json() const
    {
        JsonWriter json;
        json.beginObject();
        writeJson(json);
        return json.endObject().take();
    }
    // The object of a type code that carries (name, scope); nullptr when the
    // scene has no such kind or object. Procedure calls bind parameters of
    // the scene's kinds through it.
    virtual GeoObject* find(int typeCode, std::string_view name, std::string_view scope) = 0;
    // Drops every binding of the scope (a procedure ended).
    virtual void dropScope(std::string_view scope) = 0;
    // Adds a value for every name of the scope the scene's objects carry,
    // described as the watch panel and the trace show them, with the fields
    // under the keys of the scene's JSON.
    virtual void watchValues(std::string_view /*scope*/, std::vector<WatchValue>& /*values*/) const
    {
    }
    // Whether the program's points lie in space (their z counts).
    virtual bool pointsInSpace() const { return false; }
    // The box text that stops a program whose start(...) has a parameter of
    // this type, which cannot be chosen on the screen; empty when the scene
    // does not know the type.
    virtual std::string unchoosableParameter(int typeCode) const = 0;

    // The window's events, for scenes that show more than a still picture.
    // Each returns whether the drawing must be repainted; a scene that does
    // not take an event leaves it to the window.
    //
    // The 130 ms timer; `paintDrawing` paints the whole drawing area, for
    // pictures of it.
    virtual bool tick(ConstructionState& /*state*/,
                      const std::function<void(Canvas&)>& /*paintDrawing*/)
    {
        return false;
    }
    // Whether the scene takes the window's clicks (no drawing tools then).
    virtual bool takesClicks() const { return false; }
    // A click on the drawing area that chooses nothing for start(...).
    virtual bool click(ConstructionState& /*state*/, double /*x*/, double /*y*/) { return false; }
    // The object of a type code under a click, for a parameter of start(...)
    // that the drawing tools cannot choose (a sphere by its outline).
    virtual GeoObject* objectAt(int /*typeCode*/, double /*x*/, double /*y*/) { return nullptr; }
    // The mouse moved by (dx, dy) with the left button held.
    virtual bool drag(double /*dx*/, double /*dy*/) { return false; }
    // The buttons the scene paints now (the space view's control panel), so
    // that the window can offer them to the keyboard and to assistive tools;
    // pressing one is a click at its centre.
    virtual std::vector<PaintedButton> paintedButtons() const { return {}; }
    // A key the window does not use itself, as its key code.
    virtual bool key(ConstructionState& /*state*/, int /*keyCode*/) { return false; }
    // The height the drawing needs for the scene's objects (the window,
    // its scroll bar and the exports use at least their own); 0 when the
    // scene needs no more.
    virtual int drawingHeight() const { return 0; }

    // Undo of the steps that change the scene: a copy of it as it stands
    // (nullptr for a scene that undo leaves alone), and the exchange of its
    // contents with such a copy, so that undo and redo copy nothing.
    virtual std::unique_ptr<ModuleScene> copy() const { return nullptr; }
    virtual void swapContents(ModuleScene& /*copy*/) {}
    // An estimate of the heap the scene holds, for the bound on undo steps.
    virtual std::size_t heapBytes() const { return 0; }
};

} // namespace kestrane
