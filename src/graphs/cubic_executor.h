// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class GraphScene;

// The commands of Cubic functions programs: CubicFunct, ValCubFunct,
// CubGraph, DrawCubic, DrawSimplCubFunct, CubEqRoot, DrawRootValue,
// Rt3DegUnit and Rectangle (whose arguments the compiler leaves unchecked
// here). Colours and the algebraic expression commands are left to the
// executors after it.
class CubicExecutor final : public ModuleExecutor {
public:
    explicit CubicExecutor(GraphScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    GraphScene& m_scene;
};

} // namespace kestrane
