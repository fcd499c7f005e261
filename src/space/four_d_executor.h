// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

class FourDScene;

// The commands of Dimension 4 programs: points, faces, cells, polytopes,
// hyperplanes and spheres of four-space, their intersections and centres,
// completion, pyramids, sections, nets and the polytope files. New objects
// go to the scene; sections and nets to its polyhedra.
class FourDExecutor final : public ModuleExecutor {
public:
    explicit FourDExecutor(FourDScene& scene) : m_scene(scene) {}

    bool execute(const Statement& statement, CommandContext& context) override;

private:
    FourDScene& m_scene;
};

} // namespace kestrane
