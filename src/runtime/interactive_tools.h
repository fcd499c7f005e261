// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/object_store.h"
#include "platform/canvas.h"

#include <optional>
#include <string>

namespace kestrane {

// The drawing tools of the construction window, by the character codes the
// window keeps for them.
enum class Tool : unsigned char {
    None = 255,
    Point = '*',
    Segment = ')',
    Line = '+',
    Circle = '(',
    HalfLine = '-',
    Distance = ',',
};

// What kind of object the mouse is over, in the order of the hit tests.
enum class HoverKind { Nothing = 0, Line = 1, Segment = 2, Circle = 3, Point = 4 };

// The two message lines a tool step shows.
struct ToolPrompt {
    std::string line1;
    std::string line2;
};

// What a mouse move found.
struct HoverResult {
    HoverKind kind = HoverKind::Nothing;
    // "punkt A", "okrąg C1", ...; empty when nothing is under the mouse.
    std::string message;
    // Whether any highlight changed, so the window repaints.
    bool changed = false;
};

// What a click or a tool choice asks the window to do.
struct ToolResult {
    std::optional<ToolPrompt> prompt;
    bool finished = false; // the tool ended: repaint
};

// Constructing with the mouse: tool choice, hit-testing with highlighting,
// the clicks of each tool with snapping to a highlighted point, the
// intersections made at once after each new line, half-line, segment and
// circle, the measuring distance tool and Delete. Coordinates are model
// pixels of the drawing area.
class InteractiveTools {
public:
    explicit InteractiveTools(ObjectStore& store);

    // The distance tool removes the measurement instead of starting while
    // one is shown.
    ToolResult chooseTool(Tool tool);
    HoverResult mouseMove(double x, double y);
    // The mouse is over nothing (it left the drawing area).
    HoverResult clearHover();
    ToolResult click(double x, double y);
    // Removes the last highlighted object of the hover kind; false when
    // there is none.
    bool deleteHighlighted();
    // Forgets highlights and the running tool (a new run, Remove all).
    void reset();

    Tool tool() const { return m_tool; }
    int step() const { return m_step; }
    HoverKind hoverKind() const { return m_hoverKind; }
    PointRec* highlightedPoint() const { return m_lastPoint; }
    LineRec* highlightedLine() const { return m_lastLine; }
    SegmentRec* highlightedSegment() const { return m_lastSegment; }
    CircleRec* highlightedCircle() const { return m_lastCircle; }

    // The distance measured by the distance tool, shown until the next
    // choice of that tool.
    std::optional<float> measuredDistance() const { return m_measured; }
    static std::string measuredText(float distance);
    // Puts back a measurement (undo and redo).
    void setMeasuredDistance(std::optional<float> distance) { m_measured = distance; }

    // The small X at the first point of a running two-click tool.
    void paint(Canvas& canvas) const;

private:
    struct FirstPoint {
        LongNum x;
        LongNum y;
        float floatX = 0;
        float floatY = 0;
    };

    FirstPoint positionOf(double x, double y) const;
    void makeObject(const FirstPoint& first, const FirstPoint& second);
    void intersectNewStraight(StraightRec& straight);
    void intersectNewSegment(SegmentRec& segment);
    void intersectNewCircle(CircleRec& circle);
    void forgetHighlight(const GeoObject& object);
    ToolResult finish();

    ObjectStore& m_store;
    Tool m_tool = Tool::None;
    int m_step = -1;
    std::optional<FirstPoint> m_first;
    HoverKind m_hoverKind = HoverKind::Nothing;
    PointRec* m_lastPoint = nullptr;
    LineRec* m_lastLine = nullptr;
    SegmentRec* m_lastSegment = nullptr;
    CircleRec* m_lastCircle = nullptr;
    std::optional<float> m_measured;
};

} // namespace kestrane
