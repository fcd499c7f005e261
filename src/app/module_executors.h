// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrane {

class ExecutorTable;

// Fills the executor table of a construction window with the executors of
// every module that can run: 501 the plane commands, 502 the plane
// commands and then the further Dimension 2 commands, 503 the space
// commands with the scene of space objects. The desktop program
// and kestrane-cli both call it, so a script runs the same in both.
void registerModuleExecutors(ExecutorTable& table);

} // namespace kestrane
