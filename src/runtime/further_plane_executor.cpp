// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/collection.h"
#include "runtime/construction_state.h"
#include "runtime/object_lookup.h"
#include "runtime/plane_executor.h"
#include "runtime/statement.h"

#include "platform/host.h"

#include <cmath>
#include <unordered_map>

namespace kestrane {

namespace {

using Arguments = std::vector<std::string>;

std::unique_ptr<PolygonRec> polygonLike(const PolygonRec& source, const CommandContext& context)
{
    auto polygon = std::make_unique<PolygonRec>();
    const CreationSettings& settings = context.state.store().settings();
    polygon->showLabel = settings.labels == LabelDisplay::Shown;
    polygon->viewX = settings.viewX;
    polygon->viewY = settings.viewY;
    polygon->moduleCode = source.moduleCode;
    return polygon;
}

void makeVectorCommand(const Statement& statement, const Arguments& arguments,
                       CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PointRec* from = findPoint(context, arguments[0]);
    PointRec* to = findPoint(context, arguments[1]);
    if (!from || !to)
        return;
    auto vector = std::make_unique<VectorRec>();
    LongSub(to->x, from->x, vector->dx);
    LongSub(to->y, from->y, vector->dy);
    LongSub(to->z, from->z, vector->dz);
    vector->integerX = truncatedInteger(vector->dx);
    vector->integerY = truncatedInteger(vector->dy);
    vector->integerZ = truncatedInteger(vector->dz);
    bindTarget(context.state.figures().addVector(std::move(vector)), statement.target, context);
}

// Move(p, v): a new polygon at p's vertices plus v; each moved corner is also
// made as a point, so it is labelled and may merge.
void movePolygonCommand(const Statement& statement, const Arguments& arguments,
                        CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PolygonRec* source = findPolygon(context, arguments[0]);
    VectorRec* vector = findVector(context, arguments[1]);
    if (!source || !vector)
        return;
    auto moved = polygonLike(*source, context);
    for (const PolygonVertex& vertex : source->vertices) {
        LongNum x;
        LongNum y;
        LongNum z;
        LongAdd(vertex.x, vector->dx, x);
        LongAdd(vertex.y, vector->dy, y);
        LongAdd(vertex.z, vector->dz, z);
        moved->vertices.push_back(makeVertex(x, y, z));
    }
    for (std::size_t index = 0; index + 1 < moved->vertices.size(); ++index) {
        const PolygonVertex& vertex = moved->vertices[index];
        context.state.store().makePoint(vertex.x, vertex.y, vertex.z);
    }
    bindTarget(context.state.figures().addPolygon(std::move(moved)), statement.target, context);
}

void setRegionCommand(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.size() < 4)
        return;
    auto coordinate = [&](std::size_t index) {
        return static_cast<int>(integerArgument(arguments[index]));
    };
    context.state.figures().setRegion(
        Region{coordinate(0), coordinate(1), coordinate(2), coordinate(3)});
}

// Polygons of the list by the whole pixel of their first vertex, so that a
// copy meets only the few polygons that can equal it.
class PolygonIndex {
public:
    explicit PolygonIndex(const std::vector<std::unique_ptr<PolygonRec>>& polygons)
    {
        for (const auto& polygon : polygons)
            add(*polygon);
    }

    void add(PolygonRec& polygon) { m_cells[keyOf(polygon, 0, 0)].push_back(&polygon); }

    // The first polygon of the list equal to the given one (truncated
    // differences within one pixel may cross a pixel edge, hence the
    // neighbouring cells).
    PolygonRec* findEqual(const PolygonRec& polygon) const
    {
        PolygonRec* found = nullptr;
        for (int dx = -kReach; dx <= kReach; ++dx) {
            for (int dy = -kReach; dy <= kReach; ++dy) {
                auto cell = m_cells.find(keyOf(polygon, dx, dy));
                if (cell == m_cells.end())
                    continue;
                for (PolygonRec* candidate : cell->second) {
                    if (collectionEqual(*candidate, polygon) &&
                        (!found || isBefore(candidate, found)))
                        found = candidate;
                }
            }
        }
        return found;
    }

    void setOrder(const std::vector<std::unique_ptr<PolygonRec>>& polygons)
    {
        for (std::size_t index = 0; index < polygons.size(); ++index)
            m_order[polygons[index].get()] = index;
    }

private:
    static constexpr int kReach = 2;

    static std::int64_t keyOf(const PolygonRec& polygon, int dx, int dy)
    {
        if (polygon.vertices.empty())
            return 0;
        auto x = static_cast<std::int64_t>(std::floor(polygon.vertices[0].floats.x)) + dx;
        auto y = static_cast<std::int64_t>(std::floor(polygon.vertices[0].floats.y)) + dy;
        return (x * 2000003 + y) * 31 + static_cast<std::int64_t>(polygon.vertices.size());
    }

    bool isBefore(PolygonRec* first, PolygonRec* second) const
    {
        auto a = m_order.find(first);
        auto b = m_order.find(second);
        return a != m_order.end() && (b == m_order.end() || a->second < b->second);
    }

    std::unordered_map<std::int64_t, std::vector<PolygonRec*>> m_cells;
    std::unordered_map<PolygonRec*, std::size_t> m_order;
};

std::unique_ptr<PolygonRec> shiftedCopy(const PolygonRec& source, const IntegerShift& shift,
                                        const CommandContext& context)
{
    auto copy = polygonLike(source, context);
    copy->coloured = source.coloured;
    copy->colourCode = source.colourCode;
    copy->baseColour = source.baseColour;
    copy->shadedColour = source.shadedColour;
    copy->colour = source.colour;
    LongNum x;
    LongNum y;
    LongNum z;
    for (const PolygonVertex& vertex : source.vertices) {
        LongAdd(vertex.x, LongNum::fromInteger(shift.x), x);
        LongAdd(vertex.y, LongNum::fromInteger(shift.y), y);
        LongAdd(vertex.z, LongNum::fromInteger(shift.z), z);
        copy->vertices.push_back(makeVertex(x, y, z));
    }
    return copy;
}

void moveNames(GeoObject& from, GeoObject& to)
{
    if (&from == &to)
        return;
    for (NameBinding& binding : from.names)
        to.names.push_back(std::move(binding));
    from.names.clear();
}

// The chain joins the polygon list; a copy equal to a polygon already there
// is not added, and the names of the source go where the walks moved them.
void joinChain(PolygonRec& source, const CollectionChain& chain, CommandContext& context)
{
    PlaneFigures& figures = context.state.figures();
    PolygonIndex index(figures.polygons());
    index.setOrder(figures.polygons());
    GeoObject* namesHolder = &source;
    for (std::size_t entry = 1; entry < chain.shifts.size(); ++entry) {
        auto copy = shiftedCopy(source, chain.shifts[entry], context);
        PolygonRec* joined = index.findEqual(*copy);
        if (!joined) {
            joined = &figures.addPolygon(std::move(copy));
            index.add(*joined);
        }
        if (entry == chain.namesAt)
            namesHolder = joined;
    }
    moveNames(source, *namesHolder);
}

void collectionCommand(const Statement&, const Arguments& arguments, CommandContext& context)
{
    if (arguments.size() < 2)
        return;
    PolygonRec* source = findPolygon(context, arguments[0]);
    std::vector<IntegerShift> vectors;
    for (std::size_t index = 1; index < arguments.size() && index <= 4; ++index) {
        if (VectorRec* vector = findVector(context, arguments[index]))
            vectors.push_back(IntegerShift{vector->integerX, vector->integerY, vector->integerZ});
    }
    if (!source || vectors.empty())
        return;
    const std::optional<Region>& region = context.state.figures().region();
    if (!region) {
        context.state.deferRegionError();
        return;
    }
    CollectionResult result = buildCollection(
        *source, vectors, *region, [&context] { context.state.advanceCollectionProgress(); });
    if (result.failure == CollectionFailure::OutsideRegion) {
        context.state.deferRegionError();
        return;
    }
    if (result.failure == CollectionFailure::TooManyCopies) {
        context.state.host().message(std::string(runtime_message::kRunTimeCaption),
                                     std::string(runtime_message::kTooManyCopies),
                                     MessageButtons::OkCancel, MessageIcon::Error);
        return;
    }
    joinChain(*source, *result.chain, context);
}

struct CommandEntry {
    std::string_view word;
    void (*command)(const Statement&, const Arguments&, CommandContext&);
};

constexpr CommandEntry kFurtherCommands[] = {
    {"vector", makeVectorCommand},
    {"Move", movePolygonCommand},
    {"Region", setRegionCommand},
    {"Collection", collectionCommand},
};

} // namespace

bool FurtherPlaneExecutor::execute(const Statement& statement, CommandContext& context)
{
    for (const CommandEntry& entry : kFurtherCommands) {
        if (entry.word == statement.word) {
            entry.command(statement, statement.arguments(), context);
            return true;
        }
    }
    return false;
}

} // namespace kestrane
