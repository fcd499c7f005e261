// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class GraphScene;

// The commands of Quadratic functions programs: QuadraticFunct,
// QuadraticGraph, DrawQuadratic (the simplified polynomial) and Root. Rectangles, colours and the
// algebraic expression commands are left to the executors after it.
class QuadraticExecutor final : public ModuleExecutor {
public:
    explicit QuadraticExecutor(GraphScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    GraphScene& m_scene;
};

} // namespace kestrane
