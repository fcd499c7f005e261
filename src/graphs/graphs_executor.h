// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class GraphScene;

// The commands of Graphs programs: Rectangle, Function, Graph,
// DrawFunction, and Color on rectangles. New objects go to the scene.
class GraphsExecutor final : public ModuleExecutor {
public:
    explicit GraphsExecutor(GraphScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    GraphScene& m_scene;
};

} // namespace kestrane
