// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/plane_executor.h"

#include "geometry/intersection_points.h"
#include "runtime/construction_state.h"
#include "runtime/float_text.h"
#include "runtime/general_statements.h"
#include "runtime/object_lookup.h"
#include "runtime/statement.h"
#include "script/lexical.h"

#include <array>
#include <optional>
#include <string_view>

namespace kestrane {

namespace {

using Arguments = std::vector<std::string>;
using Command = void (*)(const Statement&, const Arguments&, CommandContext&);

ObjectStore& storeOf(CommandContext& context)
{
    return context.state.store();
}

void makePointCommand(const Statement& statement, const Arguments& arguments,
                      CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PointRec& point =
        storeOf(context).makePoint(numberArgument(arguments[0]), numberArgument(arguments[1]));
    bindTarget(point, statement.target, context);
}

// segment, line and HalfLine: two points give the record and its points.
template<class Make>
void makeStraightCommand(const Statement& statement, const Arguments& arguments,
                         CommandContext& context, Make make)
{
    if (arguments.size() < 2)
        return;
    PointRec* first = findPoint(context, arguments[0]);
    PointRec* second = findPoint(context, arguments[1]);
    if (!first || !second)
        return;
    bindTarget(make(storeOf(context), *first, *second), statement.target, context);
}

void makeSegmentCommand(const Statement& statement, const Arguments& arguments,
                        CommandContext& context)
{
    makeStraightCommand(statement, arguments, context,
                        [](ObjectStore& store, const PointRec& p, const PointRec& q) -> GeoObject& {
                            return store.makeSegment(p.x, p.y, q.x, q.y);
                        });
}

void makeLineCommand(const Statement& statement, const Arguments& arguments,
                     CommandContext& context)
{
    makeStraightCommand(statement, arguments, context,
                        [](ObjectStore& store, const PointRec& p, const PointRec& q) -> GeoObject& {
                            return store.makeLine(p.x, p.y, q.x, q.y);
                        });
}

void makeHalfLineCommand(const Statement& statement, const Arguments& arguments,
                         CommandContext& context)
{
    makeStraightCommand(statement, arguments, context,
                        [](ObjectStore& store, const PointRec& p, const PointRec& q) -> GeoObject& {
                            return store.makeHalfLine(p.x, p.y, q.x, q.y);
                        });
}

// circle(C, P) through a point, or circle(C, d) with a distance as radius.
void makeCircleCommand(const Statement& statement, const Arguments& arguments,
                       CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PointRec* centre = findPoint(context, arguments[0]);
    if (!centre)
        return;
    if (PointRec* onCircle = findPoint(context, arguments[1])) {
        bindTarget(storeOf(context).makeCircle(*centre, *onCircle), statement.target, context);
        return;
    }
    if (DistanceRec* radius = findDistance(context, arguments[1])) {
        CircleRec& circle = storeOf(context).makeCircleWithRadius(centre->x, centre->y, centre->z,
                                                                  radius->value, CentrePoint::Make);
        bindTarget(circle, statement.target, context);
    }
}

void makeDistanceCommand(const Statement& statement, const Arguments& arguments,
                         CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PointRec* first = findPoint(context, arguments[0]);
    PointRec* second = findPoint(context, arguments[1]);
    if (first && second)
        bindTarget(storeOf(context).makeDistance(*first, *second), statement.target, context);
}

void intersectLinesCommand(const Statement& statement, const Arguments& arguments,
                           CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    StraightRec* first = findStraight(context, arguments[0]);
    StraightRec* second = findStraight(context, arguments[1]);
    if (!first || !second)
        return;
    if (PointRec* point = makeStraightIntersection(storeOf(context), *first, StraightKind::Line,
                                                   *second, StraightKind::Line))
        bindTarget(*point, statement.target, context);
}

void intersectCircleLineCommand(const Statement& statement, const Arguments& arguments,
                                CommandContext& context)
{
    if (arguments.size() < 3)
        return;
    CircleRec* circle = findCircle(context, arguments[0]);
    StraightRec* line = findStraight(context, arguments[1]);
    if (!circle || !line)
        return;
    auto points = makeCircleLineIntersections(storeOf(context), *circle, *line,
                                              selectorFromText(arguments[2]));
    if (!points.empty())
        bindTarget(*points.front(), statement.target, context);
}

void intersectCirclesCommand(const Statement& statement, const Arguments& arguments,
                             CommandContext& context)
{
    if (arguments.size() < 3)
        return;
    CircleRec* first = findCircle(context, arguments[0]);
    CircleRec* second = findCircle(context, arguments[1]);
    if (!first || !second)
        return;
    auto points =
        makeCircleIntersections(storeOf(context), *first, *second, selectorFromText(arguments[2]));
    if (!points.empty())
        bindTarget(*points.front(), statement.target, context);
}

// Destroys the line whatever names it carries.
void removeLineCommand(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.empty())
        return;
    if (LineRec* line = storeOf(context).find<LineRec>(arguments[0], context.scope))
        storeOf(context).remove(*line);
}

// DrawDist(x, y, $text, d): the text without its first character, then the
// value of d with two decimals.
void drawDistanceCommand(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.size() < 4)
        return;
    DistanceRec* distance = findDistance(context, arguments[3]);
    if (!distance)
        return;
    std::string text = textArgument(arguments[2], context)
                           .value_or(arguments[2].empty() ? std::string() : arguments[2].substr(1));
    text += trimmedFloatText(LongToDouble(distance->value));
    storeOf(context).addText(TextArray::Labels,
                             TextLabel{text, static_cast<int>(integerArgument(arguments[0])),
                                       static_cast<int>(integerArgument(arguments[1]))});
}

struct CommandEntry {
    std::string_view word;
    Command command;
};

constexpr std::array<CommandEntry, 11> kPlaneCommands{{
    {"point", makePointCommand},
    {"segment", makeSegmentCommand},
    {"line", makeLineCommand},
    {"HalfLine", makeHalfLineCommand},
    {"circle", makeCircleCommand},
    {"distance", makeDistanceCommand},
    {"Inters2Lin", intersectLinesCommand},
    {"IntersCircLin", intersectCircleLineCommand},
    {"Inters2Circ", intersectCirclesCommand},
    {"RemoveLine", removeLineCommand},
    {"DrawDist", drawDistanceCommand},
}};

} // namespace

bool PlaneExecutor::execute(const Statement& statement, CommandContext& context)
{
    for (const CommandEntry& entry : kPlaneCommands) {
        if (entry.word == statement.word) {
            entry.command(statement, statement.arguments(), context);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
