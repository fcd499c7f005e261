// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/four_d_executor.h"

#include "platform/host.h"
#include "platform/translation.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/plane_figures.h"
#include "space/four_d_command.h"

#include <cctype>

namespace kestrane {

namespace {

const std::string kNoArgument;

} // namespace

const std::string& FourDCommand::argument(std::size_t index) const
{
    return index < arguments.size() ? arguments[index] : kNoArgument;
}

long long FourDCommand::integer(std::size_t index) const
{
    return integerArgument(argument(index));
}

bool FourDCommand::isInteger(std::size_t index) const
{
    const std::string& text = argument(index);
    std::size_t start = !text.empty() && text.front() == '-' ? 1 : 0;
    if (start >= text.size())
        return false;
    for (std::size_t at = start; at < text.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(text[at])))
            return false;
    }
    return true;
}

Point4Rec* FourDCommand::point(std::size_t index) const
{
    return scene.findPoint(argument(index), context.scope);
}

std::optional<Long4> FourDCommand::position(std::size_t index) const
{
    if (const Point4Rec* found = point(index))
        return found->position;
    return {};
}

Polygon4Rec* FourDCommand::polygon(std::size_t index) const
{
    return scene.findPolygon(argument(index), context.scope);
}

CellRec* FourDCommand::cell(std::size_t index) const
{
    return scene.findCell(argument(index), context.scope);
}

PolytopeRec* FourDCommand::polytope(std::size_t index) const
{
    return scene.findPolytope(argument(index), context.scope);
}

Plane4Rec* FourDCommand::plane(std::size_t index) const
{
    return scene.findPlane(argument(index), context.scope);
}

Sphere4Rec* FourDCommand::sphere(std::size_t index) const
{
    return scene.findSphere(argument(index), context.scope);
}

PolyhedronRec* FourDCommand::polyhedron(std::size_t index) const
{
    return scene.space().findPolyhedron(argument(index));
}

std::optional<FileArgument> FourDCommand::file(std::size_t index) const
{
    return fileArgument(argument(index), context);
}

std::optional<FileArgument> FourDCommand::writableFile(std::size_t index) const
{
    return writableFileArgument(argument(index), context);
}

Point4Rec& FourDCommand::makePoint(const Long4& position) const
{
    auto point = std::make_unique<Point4Rec>();
    point->position = position;
    context.state.store().stampAsPoint(*point);
    return named(std::move(point));
}

PolyhedronRec& FourDCommand::showPolyhedron(std::unique_ptr<PolyhedronRec> polyhedron) const
{
    PolyhedronRec& shown = scene.addShown(std::move(polyhedron));
    if (!statement.target.empty())
        shown.bind(statement.target, std::string(context.scope));
    return shown;
}

void FourDCommand::runTimeError(std::string text) const
{
    std::string line1 = translate("Error of '") + statement.word + "'";
    std::string line2 = text.substr(0, text.find('\n'));
    context.state.deferError(std::move(text), std::move(line1), std::move(line2));
}

void FourDCommand::cannotSolve() const
{
    context.state.host().message(N_("Error"), kCannotSolve, MessageButtons::Ok, MessageIcon::Error);
}

bool FourDExecutor::execute(const Statement& statement, CommandContext& context)
{
    FourDCommand command{statement, statement.arguments(), context, m_scene};
    return executeFourDObjectCommand(command) || executePolytopeCommand(command);
}

} // namespace kestrane
