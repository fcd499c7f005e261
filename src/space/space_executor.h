// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class SpaceScene;

// The commands of Dimension 3 programs: space points, planes, lines,
// spheres and circles and their intersections, polyhedra and their
// builders, cross-sections and the face loop. New objects go to the shared
// points and polygons or to the scene.
class SpaceExecutor final : public ModuleExecutor {
public:
    explicit SpaceExecutor(SpaceScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    SpaceScene& m_scene;
};

} // namespace kestrane
