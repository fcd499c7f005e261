// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class GraphScene;

// The commands on algebraic expressions: AlgExpr, AnalyticF, Constant, DefVariable,
// Sum, Difference, Product, Divide, SquareRoot, Power, Simplify,
// Substitute, AddVariable, Variable, Value and DrawAlgExpr. The Algebraic
// expressions module runs them, and so do the modules of quadratic and
// cubic functions and of curves. Every operation works on copies: its
// operands never change; a failure shows its box and makes no object.
class AlgebraExecutor final : public ModuleExecutor {
public:
    explicit AlgebraExecutor(GraphScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    GraphScene& m_scene;
};

} // namespace kestrane
