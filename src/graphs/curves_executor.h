// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class GraphScene;

// The commands of Curves programs: Curve, Segment, ParamSet, DrawCurve,
// KeepAspRatio and Image. Rectangles and colours are left to the graphs
// executor and AnalyticF with the expression commands to the algebra
// executor, which run after this one.
class CurvesExecutor final : public ModuleExecutor {
public:
    explicit CurvesExecutor(GraphScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    GraphScene& m_scene;
};

} // namespace kestrane
