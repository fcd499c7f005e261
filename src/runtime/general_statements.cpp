// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/general_statements.h"

#include "geometry/intersection_points.h"
#include "runtime/colour_value.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"
#include "script/lexical.h"

#include <string_view>

namespace kestrane {

namespace {

using Arguments = std::vector<std::string>;

ObjectStore& storeOf(CommandContext& context)
{
    return context.state.store();
}

// Color(X) = c: any named object of the scope takes the colour.
void colourStatement(const Statement& statement, const Arguments& arguments,
                     CommandContext& context)
{
    if (arguments.empty())
        return;
    GeoObject* object = findAny(context, arguments[0]);
    std::optional<ColorRef> colour = colourValue(statement.value);
    if (object && colour)
        object->colour = *colour;
}

// Remove(X) drops the name X of the scope; the object goes when it was its
// only name.
void removeStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.empty())
        return;
    const std::string& name = arguments[0];
    for (ObjectKind kind : {ObjectKind::Point, ObjectKind::Line, ObjectKind::Segment,
                            ObjectKind::HalfLine, ObjectKind::Circle}) {
        if (storeOf(context).removeByName(kind, name, context.scope) != RemoveOutcome::NotFound)
            return;
    }
    context.state.figures().removePolygonName(name, context.scope);
}

void removePointStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (!arguments.empty())
        storeOf(context).removeByName(ObjectKind::Point, arguments[0], context.scope);
}

void removeCircleStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (!arguments.empty())
        storeOf(context).removeByName(ObjectKind::Circle, arguments[0], context.scope);
}

// RemovePolygon destroys the polygon whatever its names.
void removePolygonStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.empty())
        return;
    if (PolygonRec* polygon = findPolygon(context, arguments[0]))
        context.state.figures().removePolygon(*polygon);
}

std::string withoutFirstCharacter(std::string_view text)
{
    return text.empty() ? std::string() : std::string(text.substr(1));
}

void stringStatement(const Statement& statement, const Arguments&, CommandContext& context)
{
    auto text = std::make_unique<StringRec>();
    std::string literal(trimBlanks(statement.argumentText));
    // String(s) with a string variable copies its text.
    text->text = textArgument(literal, context).value_or(literal);
    text->showLabel = context.state.namesShown();
    bindTarget(context.state.figures().addString(std::move(text)), statement.target, context);
}

// sqrt(d) is accepted and changes nothing.
void sqrtStatement(const Statement&, const Arguments&, CommandContext&) {}

// polygon(P1, ..., Pn): copies of the points with the first repeated last.
void polygonStatement(const Statement& statement, const Arguments& arguments,
                      CommandContext& context)
{
    if (arguments.empty())
        return;
    auto polygon = std::make_unique<PolygonRec>();
    for (const std::string& name : arguments) {
        PointRec* point = findPoint(context, name);
        if (!point)
            return;
        polygon->vertices.push_back(makeVertex(point->x, point->y, point->z));
    }
    polygon->vertices.push_back(polygon->vertices.front());
    const CreationSettings& settings = storeOf(context).settings();
    polygon->moduleCode = settings.moduleCode;
    polygon->showLabel = settings.labels == LabelDisplay::Shown;
    polygon->viewX = settings.viewX;
    polygon->viewY = settings.viewY;
    bindTarget(context.state.figures().addPolygon(std::move(polygon)), statement.target, context);
}

// fill(p) = c. Plane polygons have no normal, so the shaded colour is c.
void fillStatement(const Statement& statement, const Arguments& arguments, CommandContext& context)
{
    if (arguments.empty())
        return;
    PolygonRec* polygon = findPolygon(context, arguments[0]);
    std::optional<ColorRef> colour = colourValue(statement.value);
    if (!polygon || !colour)
        return;
    polygon->coloured = true;
    polygon->baseColour = *colour;
    polygon->shadedColour = *colour;
    polygon->colourCode = colourCode(statement.value);
}

// Inters(a, b[, k]) by the kinds of a and b.
void intersectStatement(const Statement& statement, const Arguments& arguments,
                        CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    ObjectStore& store = storeOf(context);
    Selector selector = selectorFromText(arguments.size() > 2 ? arguments[2] : std::string());
    PointRec* made = nullptr;
    if (CircleRec* circle = findCircle(context, arguments[0])) {
        std::vector<PointRec*> points;
        if (StraightRec* line = findStraight(context, arguments[1]))
            points = makeCircleLineIntersections(store, *circle, *line, selector);
        else if (CircleRec* other = findCircle(context, arguments[1]))
            points = makeCircleIntersections(store, *circle, *other, selector);
        made = points.empty() ? nullptr : points.front();
    } else {
        StraightRec* first = findStraight(context, arguments[0]);
        StraightRec* second = findStraight(context, arguments[1]);
        if (first && second)
            made = makeStraightIntersection(store, *first, StraightKind::Line, *second,
                                            StraightKind::Line);
    }
    if (made)
        bindTarget(*made, statement.target, context);
}

void noNamesStatement(const Statement&, const Arguments&, CommandContext& context)
{
    context.state.setNamesShown(false);
}

// name(X) = y or n shows or hides the label of a point, segment, line or
// circle.
void nameStatement(const Statement& statement, const Arguments& arguments, CommandContext& context)
{
    if (arguments.empty() || statement.value.empty())
        return;
    const std::string& name = arguments[0];
    GeoObject* object = findPoint(context, name);
    if (!object)
        object = storeOf(context).find<SegmentRec>(name, context.scope);
    if (!object)
        object = findStraight(context, name);
    if (!object)
        object = findCircle(context, name);
    if (!object)
        return;
    if (statement.value.front() == 'y')
        object->showLabel = true;
    else if (statement.value.front() == 'n')
        object->showLabel = false;
}

void addText(TextArray array, const Arguments& arguments, CommandContext& context)
{
    if (arguments.size() < 3)
        return;
    std::optional<std::string> text = textArgument(arguments[2], context);
    if (!text)
        return;
    storeOf(context).addText(array,
                             TextLabel{*text, static_cast<int>(integerArgument(arguments[0])),
                                       static_cast<int>(integerArgument(arguments[1]))});
}

void textStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    addText(TextArray::Labels, arguments, context);
}

void titleStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    addText(TextArray::Titles, arguments, context);
}

void removeTextsStatement(const Statement&, const Arguments&, CommandContext& context)
{
    storeOf(context).clearTexts(TextArray::Labels);
}

// SetName(X, $s): the label of point X, else of the segment, line,
// half-line or circle X, becomes s.
void setNameStatement(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    GeoObject* object = findPoint(context, arguments[0]);
    if (!object)
        object = storeOf(context).find<SegmentRec>(arguments[0], context.scope);
    if (!object)
        object = findStraight(context, arguments[0]);
    if (!object)
        object = findCircle(context, arguments[0]);
    if (!object)
        return;
    StringRec* variable =
        arguments[1].starts_with('$') ? nullptr : findString(context, arguments[1]);
    object->label = variable ? variable->text : withoutFirstCharacter(arguments[1]);
}

// vertex(p, n): a point at corner n of p, counted from 0.
void vertexStatement(const Statement& statement, const Arguments& arguments,
                     CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PolygonRec* polygon = findPolygon(context, arguments[0]);
    long long index = integerArgument(arguments[1]);
    if (!polygon || index < 0 || static_cast<std::size_t>(index) >= polygon->vertices.size())
        return;
    const PolygonVertex& vertex = polygon->vertices[static_cast<std::size_t>(index)];
    bindTarget(storeOf(context).makePoint(vertex.x, vertex.y, vertex.z), statement.target, context);
}

struct GeneralEntry {
    std::string_view word;
    void (*statement)(const Statement&, const Arguments&, CommandContext&);
};

constexpr GeneralEntry kGeneralStatements[] = {
    {"Color", colourStatement},
    {"Remove", removeStatement},
    {"String", stringStatement},
    {"sqrt", sqrtStatement},
    {"polygon", polygonStatement},
    {"fill", fillStatement},
    {"Inters", intersectStatement},
    {"RemoveCircle", removeCircleStatement},
    {"RemovePolygon", removePolygonStatement},
    {"RemovePoint", removePointStatement},
    {"NoNames", noNamesStatement},
    {"name", nameStatement},
    {"Text", textStatement},
    {"Title", titleStatement},
    {"RemoveTexts", removeTextsStatement},
    {"SetName", setNameStatement},
    {"vertex", vertexStatement},
};

} // namespace

std::optional<std::string> textArgument(const std::string& argument, CommandContext& context)
{
    if (argument.starts_with('$'))
        return withoutFirstCharacter(argument);
    if (StringRec* text = findString(context, argument))
        return text->text;
    return {};
}

bool executeGeneralStatement(const Statement& statement, CommandContext& context)
{
    for (const GeneralEntry& entry : kGeneralStatements) {
        if (entry.word == statement.word) {
            entry.statement(statement, statement.arguments(), context);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
