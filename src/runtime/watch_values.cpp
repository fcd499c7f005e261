// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/watch_values.h"

#include "platform/translation.h"

#include "runtime/construction_state.h"
#include "runtime/interpreter.h"
#include "runtime/module_scene.h"
#include "runtime/plane_figures.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

namespace kestrane {

namespace {

// The panel shows these in the user's language.
constexpr std::string_view kKindNames[] = {
    N_("point"),   N_("line"),   N_("segment"), N_("halfLine"),  N_("circle"), N_("distance"),
    N_("polygon"), N_("vector"), N_("string"),  N_("condition"), N_("object"),
};

std::string number(const LongNum& value)
{
    return trimmedDecimal(LongToDecimal(value));
}

std::string pair(const LongNum& x, const LongNum& y)
{
    return '(' + number(x) + ", " + number(y) + ')';
}

void addFields(WatchValue& value,
               std::initializer_list<std::pair<std::string_view, const LongNum*>> numbers)
{
    for (const auto& [key, number] : numbers)
        value.fields.push_back({key, LongToDecimal(*number)});
}

// y = m·x + q through the two defining points, or x = c for an upright line.
std::string equation(const StraightRec& line)
{
    LongNum dx;
    LongNum dy;
    LongSub(line.x2, line.x1, dx);
    LongSub(line.y2, line.y1, dy);
    if (LongIsZero(dx))
        return "x = " + number(line.x1);
    LongNum slope;
    LongNum product;
    LongNum intercept;
    LongDiv(dy, dx, slope);
    LongMul(slope, line.x1, product);
    LongSub(line.y1, product, intercept);
    std::string text = "y = " + number(slope) + "·x";
    std::string constant = number(intercept);
    if (constant == "0")
        return text;
    if (constant.front() == '-')
        return text + " - " + constant.substr(1);
    return text + " + " + constant;
}

void describeStraight(WatchValue& value, const StraightRec& straight)
{
    addFields(value, {{"x1", &straight.x1},
                      {"y1", &straight.y1},
                      {"x2", &straight.x2},
                      {"y2", &straight.y2},
                      {"ux", &straight.ux},
                      {"uy", &straight.uy}});
    LongNum zero;
    switch (value.kind) {
    case WatchKind::Segment:
        value.text =
            translateFilled("length %1", {number(distanceBetween(straight.x1, straight.y1, zero,
                                                                 straight.x2, straight.y2, zero))});
        break;
    case WatchKind::HalfLine:
        value.text = translateFilled(
            "from %1 through %2", {pair(straight.x1, straight.y1), pair(straight.x2, straight.y2)});
        break;
    default:
        value.text = equation(straight);
        break;
    }
}

// Adds the names the object carries in the scope; a later object given the
// same name of the same kind replaces the earlier one.
template<class List>
void collect(const List& list, WatchKind kind, std::string_view scope,
             std::map<std::pair<std::string, WatchKind>, const GeoObject*>& named)
{
    for (const auto& record : list) {
        for (const NameBinding& binding : record->names) {
            if (binding.scope == scope)
                named[{binding.name, kind}] = record.get();
        }
    }
}

} // namespace

std::string_view watchKindName(WatchKind kind)
{
    return kKindNames[static_cast<std::size_t>(kind)];
}

WatchValue describeObject(const GeoObject& object, WatchKind kind, std::string name, bool inSpace)
{
    WatchValue value;
    value.name = std::move(name);
    value.kind = kind;
    value.kindName = watchKindName(kind);
    value.object = &object;
    switch (kind) {
    case WatchKind::Point: {
        const auto& point = static_cast<const PointRec&>(object);
        if (inSpace) {
            addFields(value, {{"x", &point.x}, {"y", &point.y}, {"z", &point.z}});
            value.text =
                '(' + number(point.x) + ", " + number(point.y) + ", " + number(point.z) + ')';
        } else {
            addFields(value, {{"x", &point.x}, {"y", &point.y}});
            value.text = pair(point.x, point.y);
        }
        break;
    }
    case WatchKind::Line:
    case WatchKind::Segment:
    case WatchKind::HalfLine:
        describeStraight(value, static_cast<const StraightRec&>(object));
        break;
    case WatchKind::Circle: {
        const auto& circle = static_cast<const CircleRec&>(object);
        addFields(value, {{"cx", &circle.centreX}, {"cy", &circle.centreY}, {"r", &circle.radius}});
        value.text = translateFilled("centre %1, radius %2",
                                     {pair(circle.centreX, circle.centreY), number(circle.radius)});
        break;
    }
    case WatchKind::Distance: {
        const auto& distance = static_cast<const DistanceRec&>(object);
        addFields(value, {{"value", &distance.value}});
        value.text = number(distance.value);
        break;
    }
    case WatchKind::Polygon: {
        const auto& polygon = static_cast<const PolygonRec&>(object);
        // The closing vertex repeats the first one.
        std::size_t count = polygon.vertices.size() > 1 ? polygon.vertices.size() - 1 : 0;
        value.fields.push_back({"count", std::to_string(count)});
        value.text = std::to_string(count) + (count == 1 ? " vertex" : " vertices");
        break;
    }
    case WatchKind::Vector: {
        const auto& vector = static_cast<const VectorRec&>(object);
        addFields(value, {{"dx", &vector.dx}, {"dy", &vector.dy}});
        value.text = pair(vector.dx, vector.dy);
        break;
    }
    case WatchKind::String: {
        const auto& text = static_cast<const StringRec&>(object);
        value.fields.push_back({"text", text.text});
        value.text = '"' + text.text + '"';
        break;
    }
    case WatchKind::Condition:
    case WatchKind::Scene:
        break;
    }
    return value;
}

WatchValue describeCondition(const ConditionOutcome& condition)
{
    WatchValue value;
    value.name = condition.text;
    value.kind = WatchKind::Condition;
    value.kindName = watchKindName(WatchKind::Condition);
    // The language's own words for true and false.
    value.text = condition.holds ? "yes" : "no";
    value.fields.push_back({"holds", value.text});
    value.fields.push_back({"line", std::to_string(condition.line + 1)});
    return value;
}

WatchValue sceneValue(std::string_view kindName, std::string name, const GeoObject& object)
{
    WatchValue value;
    value.name = std::move(name);
    value.kind = WatchKind::Scene;
    value.kindName = kindName;
    value.object = &object;
    return value;
}

void addWatchField(WatchValue& value, std::string_view key, const LongNum& number)
{
    value.fields.push_back({key, LongToDecimal(number)});
}

std::string watchNumber(const LongNum& value)
{
    return number(value);
}

std::string watchTuple(std::initializer_list<const LongNum*> coordinates)
{
    std::string text = "(";
    for (const LongNum* coordinate : coordinates) {
        if (text.size() > 1)
            text += ", ";
        text += number(*coordinate);
    }
    return text + ')';
}

std::string watchEquation(std::initializer_list<std::pair<const LongNum*, std::string_view>> terms,
                          const LongNum& constant)
{
    std::string text;
    for (const auto& [coefficient, variable] : terms) {
        std::string digits = number(*coefficient);
        if (digits == "0")
            continue;
        bool negative = digits.front() == '-';
        if (negative)
            digits.erase(0, 1);
        if (text.empty())
            text = negative ? "-" : "";
        else
            text += negative ? " - " : " + ";
        if (digits != "1")
            text += digits + "·";
        text += variable;
    }
    return (text.empty() ? "0" : text) + " = " + number(constant);
}

std::string watchCount(std::size_t count, const char* one, const char* many)
{
    return translateCount(count, one, many);
}

std::vector<WatchValue> watchScope(const ConstructionState& state, std::string_view scope)
{
    std::map<std::pair<std::string, WatchKind>, const GeoObject*> named;
    const ObjectStore& store = state.store();
    const PlaneFigures& figures = state.figures();
    collect(store.points(), WatchKind::Point, scope, named);
    collect(store.lines(), WatchKind::Line, scope, named);
    collect(store.segments(), WatchKind::Segment, scope, named);
    collect(store.halfLines(), WatchKind::HalfLine, scope, named);
    collect(store.circles(), WatchKind::Circle, scope, named);
    collect(store.distances(), WatchKind::Distance, scope, named);
    collect(figures.polygons(), WatchKind::Polygon, scope, named);
    collect(figures.vectors(), WatchKind::Vector, scope, named);
    collect(figures.strings(), WatchKind::String, scope, named);
    const ModuleScene* scene = state.scene();
    bool inSpace = scene && scene->pointsInSpace();
    std::vector<WatchValue> values;
    values.reserve(named.size());
    for (const auto& [key, object] : named)
        values.push_back(describeObject(*object, key.second, key.first, inSpace));
    if (scene) {
        std::size_t planeCount = values.size();
        scene->watchValues(scope, values);
        if (values.size() > planeCount) {
            std::stable_sort(values.begin(), values.end(),
                             [](const WatchValue& a, const WatchValue& b) {
                                 return std::tie(a.name, a.kind, a.kindName) <
                                        std::tie(b.name, b.kind, b.kindName);
                             });
        }
    }
    return values;
}

std::vector<WatchValue> watchFrame(const ConstructionState& state, const StackEntry& entry)
{
    std::vector<WatchValue> names = watchScope(state, entry.procedure);
    if (!entry.condition)
        return names;
    std::vector<WatchValue> values;
    values.reserve(names.size() + 1);
    values.push_back(describeCondition(*entry.condition));
    std::move(names.begin(), names.end(), std::back_inserter(values));
    return values;
}

std::string shortenedText(std::string_view text, std::size_t width)
{
    // Counts characters, not bytes: a continuation byte starts none.
    std::size_t characters = 0;
    std::size_t cut = text.size();
    for (std::size_t index = 0; index < text.size(); ++index) {
        if ((static_cast<unsigned char>(text[index]) & 0xC0) == 0x80)
            continue;
        if (characters + 1 == width && cut == text.size())
            cut = index;
        ++characters;
    }
    if (characters <= width || width == 0)
        return std::string(width == 0 ? std::string_view() : text);
    return std::string(text.substr(0, cut)) + "…";
}

std::string trimmedDecimal(std::string_view decimal)
{
    std::string text(decimal);
    if (std::size_t point = text.find('.'); point != std::string::npos) {
        std::size_t last = text.find_last_not_of('0');
        text.erase(last == point ? point : last + 1);
    }
    if (text == "-0")
        return "0";
    return text;
}

} // namespace kestrane
