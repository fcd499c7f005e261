// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/object_store.h"
#include "runtime/module_scene.h"
#include "runtime/plane_figures.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

namespace kestrane {

class ConstructionState;
class ModuleScene;

// Everything a step of the construction window can change: the store (with
// its label pools, distance counter and text arrays), the figures, the
// current colour and the measurement the distance tool shows.
struct ConstructionSnapshot {
    ObjectStore store;
    PlaneFigures figures;
    ColorRef colour = 0;
    std::optional<float> measured;
    // The scene the window showed; a copy of the contents of `owner` (the
    // scene shown when the step was taken) when that scene keeps them.
    ModuleScene* shownScene = nullptr;
    ModuleScene* owner = nullptr;
    std::unique_ptr<ModuleScene> sceneContents;
    // The estimate of the heap this snapshot holds, for the memory bound.
    std::size_t bytes = 0;
};

// Copies the construction into a new snapshot.
std::unique_ptr<ConstructionSnapshot> captureConstruction(const ConstructionState& state,
                                                          std::optional<float> measured);

// Undo and redo of whole steps. Each undo step keeps the construction as it
// was before the step; undoing swaps it with the current construction, which
// becomes the redo step, so undo and redo cost no copying. The steps are
// unlimited in number but bounded in memory: past the byte limit the oldest
// steps are dropped.
class UndoHistory {
public:
    static constexpr std::size_t kDefaultByteLimit = 64u * 1024u * 1024u;

    explicit UndoHistory(std::size_t byteLimit = kDefaultByteLimit) : m_byteLimit(byteLimit) {}

    // Adds a step whose "before" is the snapshot; the redo steps go.
    void record(std::unique_ptr<ConstructionSnapshot> before);
    // Swaps the construction with the last undo (redo) step; the measured
    // distance travels with it. False when there is no step.
    bool undo(ConstructionState& state, std::optional<float>& measured);
    bool redo(ConstructionState& state, std::optional<float>& measured);
    void clear();

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoSteps() const { return m_undo.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    using Steps = std::deque<std::unique_ptr<ConstructionSnapshot>>;

    bool move(Steps& from, Steps& to, ConstructionState& state, std::optional<float>& measured);
    void dropOldest();

    std::size_t m_byteLimit;
    std::size_t m_bytes = 0;
    Steps m_undo;
    Steps m_redo;
};

} // namespace kestrane
