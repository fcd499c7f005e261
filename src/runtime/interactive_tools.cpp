// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/interactive_tools.h"

#include "geometry/intersection_points.h"
#include "geometry/plane_algorithms.h"
#include "platform/translation.h"

#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

// Pixels of the hit tests: a point is hit within one whole pixel of the
// mouse, a circle or line within less than two.
constexpr double kPointReach = 1;
constexpr double kCurveReach = 2;

struct ToolInfo {
    Tool tool;
    int firstStep;
    const char* line1;
    const char* line2;
};

constexpr ToolInfo kTools[] = {
    {Tool::Point, -1, N_("find point"), N_("find a point and press a mouse on it")},
    {Tool::Segment, 11, N_("find first endpoint of segment"),
     N_("find point and press mouse on it")},
    {Tool::Line, 11, N_("find point of line"), N_("find point and press mouse on it")},
    {Tool::Circle, 10, N_("find center"), N_("find point and press mouse on it")},
    {Tool::HalfLine, 11, N_("find a point"), N_("find point and press mouse on it")},
    {Tool::Distance, 11, N_("find beginning of distance"),
     N_("find a point and press mouse on it")},
};

const ToolInfo* infoOf(Tool tool)
{
    for (const ToolInfo& info : kTools) {
        if (info.tool == tool)
            return &info;
    }
    return nullptr;
}

ToolPrompt secondPrompt(Tool tool)
{
    switch (tool) {
    case Tool::Segment:
        return {N_("endpoint of segment"), N_("find a point and press mouse on it")};
    case Tool::Circle:
        return {N_("point of circle"), N_("find a point and press mouse on it")};
    case Tool::Distance:
        return {N_("find end of distance"), N_("find point and press mouse on it")};
    default:
        return {N_("2nd point of line"), N_("Find a point and press mouse on it")};
    }
}

bool drawable(const GeoObject& object)
{
    return object.visible && !object.outOfView;
}

bool pointHit(const PointRec& point, double x, double y)
{
    return std::fabs(std::trunc(x - point.floats.x)) <= kPointReach &&
           std::fabs(std::trunc(y - point.floats.y)) <= kPointReach;
}

bool circleHit(const CircleRec& circle, double x, double y)
{
    double dx = x - circle.floats.centre.x;
    double dy = y - circle.floats.centre.y;
    return std::fabs(std::trunc(std::sqrt(dx * dx + dy * dy) - circle.floats.radius)) < kCurveReach;
}

// The distance of the mouse from the line, measured across it.
bool lineHit(const StraightRec& line, double x, double y)
{
    if (!line.hasDirection)
        return false;
    double across =
        (x - line.floats.base.x) * line.floats.uy - (y - line.floats.base.y) * line.floats.ux;
    return std::fabs(std::trunc(across)) < kCurveReach;
}

// A segment is hit near its line and within its extent; the extent is taken
// in x and in y with the line's reach, so steep and vertical segments can be
// picked as well as flat ones.
bool segmentHit(const SegmentRec& segment, double x, double y)
{
    auto within = [](double a, double b, double value) {
        return value >= std::min(a, b) - kCurveReach && value <= std::max(a, b) + kCurveReach;
    };
    const auto& floats = segment.floats;
    return lineHit(segment, x, y) && within(floats.first.x, floats.second.x, x) &&
           within(floats.first.y, floats.second.y, y);
}

// Sets the highlight of every object of a list by the test; returns the last
// hit object and whether any flag changed.
template<class Record, class Test>
Record* highlight(const RecordList<Record>& list, Test hit, bool& changed)
{
    Record* last = nullptr;
    for (const auto& record : list) {
        bool isHit = drawable(*record) && hit(*record);
        if (record->highlighted != isHit) {
            record->highlighted = isHit;
            changed = true;
        }
        if (isHit)
            last = record.get();
    }
    return last;
}

template<class Record>
void clearHighlights(const RecordList<Record>& list, bool& changed)
{
    highlight(
        list, [](const Record&) { return false; }, changed);
}

// Parallel lines and the like have no intersection: with the mouse they are
// skipped without a message.
class QuietLongNumbers {
public:
    QuietLongNumbers() : m_host(longNumHost()) { setLongNumHost(nullptr); }
    ~QuietLongNumbers() { setLongNumHost(m_host); }
    QuietLongNumbers(const QuietLongNumbers&) = delete;
    QuietLongNumbers& operator=(const QuietLongNumbers&) = delete;

private:
    Host* m_host;
};

// Makes the points where a circle meets a straight object, keeping only
// those that lie on the object itself.
void intersectCircleStraight(ObjectStore& store, const CircleRec& circle,
                             const StraightRec& straight)
{
    auto solutions = circleLineSolutions(circle, straight);
    if (!solutions)
        return;
    for (const LongPlanePoint* point : {&solutions->first, &solutions->second}) {
        if (acceptsPoint(straight, straight.kind, LongToFloat(point->x), LongToFloat(point->y)))
            store.makePoint(point->x, point->y);
    }
}

// The lists are walked by index: making a point never changes them, but a
// copy of the pointers keeps the walk independent of that.
template<class Record>
std::vector<Record*> snapshot(const RecordList<Record>& list)
{
    std::vector<Record*> records;
    for (const auto& record : list)
        records.push_back(record.get());
    return records;
}

} // namespace

InteractiveTools::InteractiveTools(ObjectStore& store) : m_store(store) {}

ToolResult InteractiveTools::chooseTool(Tool tool)
{
    if (tool == Tool::Distance && m_measured) {
        m_measured.reset();
        m_tool = Tool::None;
        m_step = -1;
        m_first.reset();
        return {std::nullopt, true};
    }
    const ToolInfo* info = infoOf(tool);
    if (!info)
        return {};
    m_tool = tool;
    m_step = info->firstStep;
    m_first.reset();
    return {ToolPrompt{info->line1, info->line2}, false};
}

HoverResult InteractiveTools::mouseMove(double x, double y)
{
    HoverResult result;
    bool& changed = result.changed;
    // Kinds are tested in order and the search stops at the first hit; the
    // kinds after it lose their highlight so nothing stays red by mistake.
    if (auto* point = highlight(
            m_store.points(), [&](const PointRec& p) { return pointHit(p, x, y); }, changed)) {
        clearHighlights(m_store.circles(), changed);
        clearHighlights(m_store.lines(), changed);
        clearHighlights(m_store.segments(), changed);
        m_lastPoint = point;
        m_hoverKind = HoverKind::Point;
        result.message = translate("punkt ") + point->label;
    } else if (auto* circle = highlight(
                   m_store.circles(), [&](const CircleRec& c) { return circleHit(c, x, y); },
                   changed)) {
        clearHighlights(m_store.lines(), changed);
        clearHighlights(m_store.segments(), changed);
        m_lastCircle = circle;
        m_hoverKind = HoverKind::Circle;
        result.message = translate("okrąg ") + circle->label;
    } else if (auto* line = highlight(
                   m_store.lines(), [&](const LineRec& l) { return lineHit(l, x, y); }, changed)) {
        clearHighlights(m_store.segments(), changed);
        m_lastLine = line;
        m_hoverKind = HoverKind::Line;
        result.message = translate("linia ") + line->label;
    } else if (auto* segment = highlight(
                   m_store.segments(), [&](const SegmentRec& s) { return segmentHit(s, x, y); },
                   changed)) {
        m_lastSegment = segment;
        m_hoverKind = HoverKind::Segment;
        result.message = translate("odcinek ") + segment->label;
    } else {
        m_hoverKind = HoverKind::Nothing;
    }
    result.kind = m_hoverKind;
    return result;
}

HoverResult InteractiveTools::clearHover()
{
    HoverResult result;
    clearHighlights(m_store.points(), result.changed);
    clearHighlights(m_store.circles(), result.changed);
    clearHighlights(m_store.lines(), result.changed);
    clearHighlights(m_store.segments(), result.changed);
    m_hoverKind = HoverKind::Nothing;
    return result;
}

InteractiveTools::FirstPoint InteractiveTools::positionOf(double x, double y) const
{
    if (m_hoverKind == HoverKind::Point && m_lastPoint)
        return {m_lastPoint->x, m_lastPoint->y, m_lastPoint->floats.x, m_lastPoint->floats.y};
    auto whole = static_cast<std::int64_t>(std::floor(x));
    auto wholeY = static_cast<std::int64_t>(std::floor(y));
    return {LongNum::fromInteger(whole), LongNum::fromInteger(wholeY), static_cast<float>(whole),
            static_cast<float>(wholeY)};
}

ToolResult InteractiveTools::click(double x, double y)
{
    switch (m_tool) {
    case Tool::None:
        return {};
    case Tool::Point:
        m_store.makePoint(LongNum::fromInteger(static_cast<std::int64_t>(std::floor(x))),
                          LongNum::fromInteger(static_cast<std::int64_t>(std::floor(y))));
        return finish();
    default:
        break;
    }
    if (!m_first) {
        m_first = positionOf(x, y);
        m_step = m_tool == Tool::Circle ? 11 : 12;
        return {secondPrompt(m_tool), false};
    }
    FirstPoint second = positionOf(x, y);
    makeObject(*m_first, second);
    return finish();
}

void InteractiveTools::makeObject(const FirstPoint& first, const FirstPoint& second)
{
    QuietLongNumbers quiet;
    switch (m_tool) {
    case Tool::Line:
        intersectNewStraight(m_store.makeLine(first.x, first.y, second.x, second.y));
        break;
    case Tool::HalfLine:
        intersectNewStraight(m_store.makeHalfLine(first.x, first.y, second.x, second.y));
        break;
    case Tool::Segment:
        intersectNewSegment(m_store.makeSegment(first.x, first.y, second.x, second.y));
        break;
    case Tool::Circle: {
        LongNum zero;
        intersectNewCircle(m_store.makeCircle(first.x, first.y, zero, second.x, second.y, zero));
        break;
    }
    case Tool::Distance:
        m_measured = std::hypot(second.floatX - first.floatX, second.floatY - first.floatY);
        break;
    default:
        break;
    }
}

// A new line or half-line meets every other line, half-line and segment, each
// as its own kind, then every circle.
void InteractiveTools::intersectNewStraight(StraightRec& straight)
{
    for (LineRec* line : snapshot(m_store.lines()))
        makeStraightIntersection(m_store, straight, *line);
    for (HalfLineRec* halfLine : snapshot(m_store.halfLines()))
        makeStraightIntersection(m_store, straight, *halfLine);
    for (SegmentRec* segment : snapshot(m_store.segments()))
        makeStraightIntersection(m_store, straight, *segment);
    for (CircleRec* circle : snapshot(m_store.circles()))
        intersectCircleStraight(m_store, *circle, straight);
}

// A new segment meets the other segments and the circles, and also the lines
// and half-lines, so that drawing order never decides whether a crossing
// gets its point.
void InteractiveTools::intersectNewSegment(SegmentRec& segment)
{
    for (LineRec* line : snapshot(m_store.lines()))
        makeStraightIntersection(m_store, segment, *line);
    for (HalfLineRec* halfLine : snapshot(m_store.halfLines()))
        makeStraightIntersection(m_store, segment, *halfLine);
    for (SegmentRec* other : snapshot(m_store.segments()))
        makeStraightIntersection(m_store, segment, *other);
    for (CircleRec* circle : snapshot(m_store.circles()))
        intersectCircleStraight(m_store, *circle, segment);
}

void InteractiveTools::intersectNewCircle(CircleRec& circle)
{
    for (CircleRec* other : snapshot(m_store.circles()))
        makeCircleIntersections(m_store, circle, *other, Selector::Both);
    for (LineRec* line : snapshot(m_store.lines()))
        intersectCircleStraight(m_store, circle, *line);
    for (HalfLineRec* halfLine : snapshot(m_store.halfLines()))
        intersectCircleStraight(m_store, circle, *halfLine);
    for (SegmentRec* segment : snapshot(m_store.segments()))
        intersectCircleStraight(m_store, circle, *segment);
}

ToolResult InteractiveTools::finish()
{
    m_tool = Tool::None;
    m_step = -1;
    m_first.reset();
    return {std::nullopt, true};
}

void InteractiveTools::forgetHighlight(const GeoObject& object)
{
    if (m_lastPoint == &object)
        m_lastPoint = nullptr;
    if (m_lastLine == &object)
        m_lastLine = nullptr;
    if (m_lastSegment == &object)
        m_lastSegment = nullptr;
    if (m_lastCircle == &object)
        m_lastCircle = nullptr;
}

bool InteractiveTools::deleteHighlighted()
{
    GeoObject* object = nullptr;
    switch (m_hoverKind) {
    case HoverKind::Point:
        object = m_lastPoint;
        break;
    case HoverKind::Circle:
        object = m_lastCircle;
        break;
    case HoverKind::Line:
        object = m_lastLine;
        break;
    case HoverKind::Segment:
        object = m_lastSegment;
        break;
    case HoverKind::Nothing:
        break;
    }
    if (!object)
        return false;
    forgetHighlight(*object);
    m_hoverKind = HoverKind::Nothing;
    return m_store.remove(*object);
}

void InteractiveTools::reset()
{
    m_tool = Tool::None;
    m_step = -1;
    m_first.reset();
    m_hoverKind = HoverKind::Nothing;
    m_lastPoint = nullptr;
    m_lastLine = nullptr;
    m_lastSegment = nullptr;
    m_lastCircle = nullptr;
    m_measured.reset();
}

std::string InteractiveTools::measuredText(float distance)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(distance));
    return text;
}

void InteractiveTools::paint(Canvas& canvas) const
{
    if (!m_first)
        return;
    double x = m_first->floatX;
    double y = m_first->floatY;
    canvas.setPen(kBlack);
    canvas.line(x - 3, y - 3, x + 3, y + 3);
    canvas.line(x - 3, y + 3, x + 3, y - 3);
}

} // namespace kestrane
