// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/module_executor.h"

namespace kestrane {

// The plane construction commands of Kestrane programs (executor 501):
// point, segment, line, HalfLine, circle, distance, the intersections,
// RemoveLine and DrawDist. Each reads its arguments, finds the named
// objects in the current scope, makes its records in the store and names
// the result by the statement's target; a command whose objects are not
// found, or whose intersection does not exist, makes nothing.
class PlaneExecutor final : public ModuleExecutor {
public:
    bool execute(const Statement& statement, CommandContext& context) override;
};

// The further commands of Dimension 2 programs (executor 502 asks them
// after the plane commands): vector, Move, Region and Collection.
class FurtherPlaneExecutor final : public ModuleExecutor {
public:
    bool execute(const Statement& statement, CommandContext& context) override;
};

} // namespace kestrane
