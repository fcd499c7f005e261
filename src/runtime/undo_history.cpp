// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/undo_history.h"

#include "runtime/construction_state.h"

namespace kestrane {

namespace {

std::size_t numberBytes(const LongNum& number)
{
    return sizeof(LongNum) + number.words().size_bytes();
}

std::size_t objectBytes(const GeoObject& object)
{
    std::size_t bytes = object.label.capacity();
    for (const NameBinding& binding : object.names)
        bytes += sizeof(NameBinding) + binding.name.capacity() + binding.scope.capacity();
    return bytes;
}

// Every long number of a record has the same word count, so one sample and
// the number of long numbers in the record give its digits.
template<class Record>
std::size_t listBytes(const RecordList<Record>& list, std::size_t numbersPerRecord)
{
    std::size_t bytes = list.capacity() * sizeof(void*);
    for (const auto& record : list)
        bytes += sizeof(Record) + objectBytes(*record);
    if (!list.empty())
        bytes += list.size() * numbersPerRecord * LongNum().words().size_bytes();
    return bytes;
}

std::size_t storeBytes(const ObjectStore& store)
{
    constexpr std::size_t kPointNumbers = 3;
    constexpr std::size_t kStraightNumbers = 8;
    constexpr std::size_t kCircleNumbers = 20;
    std::size_t bytes =
        listBytes(store.points(), kPointNumbers) + listBytes(store.lines(), kStraightNumbers) +
        listBytes(store.segments(), kStraightNumbers) +
        listBytes(store.halfLines(), kStraightNumbers) +
        listBytes(store.circles(), kCircleNumbers) + listBytes(store.distances(), 1);
    for (TextArray array : {TextArray::Labels, TextArray::Titles}) {
        for (const TextLabel& text : store.texts(array))
            bytes += sizeof(TextLabel) + text.text.capacity();
    }
    return bytes;
}

std::size_t figuresBytes(const PlaneFigures& figures)
{
    std::size_t bytes = 0;
    for (const auto& polygon : figures.polygons()) {
        bytes += sizeof(PolygonRec) + objectBytes(*polygon);
        for (const PolygonVertex& vertex : polygon->vertices)
            bytes += sizeof(PolygonVertex) + 3 * numberBytes(vertex.x);
    }
    for (const auto& vector : figures.vectors())
        bytes += sizeof(VectorRec) + objectBytes(*vector) + 3 * numberBytes(vector->dx);
    for (const auto& text : figures.strings())
        bytes += sizeof(StringRec) + objectBytes(*text) + text->text.capacity();
    return bytes;
}

void copyFigures(const PlaneFigures& source, PlaneFigures& destination)
{
    destination.clear();
    for (const auto& polygon : source.polygons())
        destination.addPolygon(std::make_unique<PolygonRec>(*polygon));
    for (const auto& vector : source.vectors())
        destination.addVector(std::make_unique<VectorRec>(*vector));
    for (const auto& text : source.strings())
        destination.addString(std::make_unique<StringRec>(*text));
    if (source.region())
        destination.setRegion(*source.region());
}

std::size_t sceneBytes(const ConstructionSnapshot& snapshot)
{
    return snapshot.sceneContents ? snapshot.sceneContents->heapBytes() : 0;
}

} // namespace

std::unique_ptr<ConstructionSnapshot> captureConstruction(const ConstructionState& state,
                                                          std::optional<float> measured)
{
    auto snapshot = std::make_unique<ConstructionSnapshot>();
    snapshot->store.copyFrom(state.store());
    copyFigures(state.figures(), snapshot->figures);
    snapshot->colour = state.currentColour();
    snapshot->measured = measured;
    snapshot->shownScene = state.scene();
    snapshot->owner = state.scene();
    if (snapshot->owner)
        snapshot->sceneContents = snapshot->owner->copy();
    snapshot->bytes = sizeof(ConstructionSnapshot) + storeBytes(snapshot->store) +
                      figuresBytes(snapshot->figures) + sceneBytes(*snapshot);
    return snapshot;
}

void UndoHistory::record(std::unique_ptr<ConstructionSnapshot> before)
{
    for (const auto& step : m_redo)
        m_bytes -= step->bytes;
    m_redo.clear();
    m_bytes += before->bytes;
    m_undo.push_back(std::move(before));
    dropOldest();
}

bool UndoHistory::undo(ConstructionState& state, std::optional<float>& measured)
{
    return move(m_undo, m_redo, state, measured);
}

bool UndoHistory::redo(ConstructionState& state, std::optional<float>& measured)
{
    return move(m_redo, m_undo, state, measured);
}

bool UndoHistory::move(Steps& from, Steps& to, ConstructionState& state,
                       std::optional<float>& measured)
{
    if (from.empty())
        return false;
    std::unique_ptr<ConstructionSnapshot> step = std::move(from.back());
    from.pop_back();
    // The view offsets and the module belong to the window, not to the step.
    CreationSettings current = state.store().settings();
    state.store().swap(step->store);
    state.store().settings().viewX = current.viewX;
    state.store().settings().viewY = current.viewY;
    state.store().settings().moduleCode = current.moduleCode;
    std::swap(state.figures(), step->figures);
    ColorRef colour = state.currentColour();
    state.setCurrentColour(step->colour);
    step->colour = colour;
    std::swap(measured, step->measured);
    // The contents always go back to the scene they were copied from;
    // which scene the window shows travels with the step.
    if (step->owner && step->sceneContents)
        step->owner->swapContents(*step->sceneContents);
    ModuleScene* shown = state.scene();
    state.setScene(step->shownScene);
    step->shownScene = shown;
    // The sizes of the two constructions differ; the estimate follows them.
    m_bytes -= step->bytes;
    step->bytes = sizeof(ConstructionSnapshot) + storeBytes(step->store) +
                  figuresBytes(step->figures) + sceneBytes(*step);
    m_bytes += step->bytes;
    to.push_back(std::move(step));
    dropOldest();
    return true;
}

void UndoHistory::dropOldest()
{
    // The newest step always stays, however large, so one undo works.
    while (m_bytes > m_byteLimit && m_undo.size() + m_redo.size() > 1) {
        Steps& oldest = m_undo.size() > 1 || m_redo.empty() ? m_undo : m_redo;
        if (oldest.empty())
            break;
        // Undo steps age from the front; redo steps from the front too (the
        // furthest redo).
        m_bytes -= oldest.front()->bytes;
        oldest.pop_front();
    }
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_bytes = 0;
}

} // namespace kestrane
