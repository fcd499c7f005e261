// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionState;
class ModuleScene;
struct Statement;

// What a command sees of the run: the construction it changes and the scope
// (procedure name) its names are bound in and looked up in. A command that
// loops sets the position of the next statement in `text`, the program
// text of the current procedure, through `cursor` (none outside a run).
struct CommandContext {
    ConstructionState& state;
    std::string_view scope;
    std::size_t* cursor = nullptr;
    std::string_view text = {};
};

// The commands of one module. The interpreter asks the executor of the
// program's module first; what no executor handles it executes itself
// (general statements, conditions, distance arithmetic, procedure calls).
class ModuleExecutor {
public:
    virtual ~ModuleExecutor() = default;

    // Executes the statement when its word is one of the module's commands
    // and returns true; false leaves the statement to the next executor.
    virtual bool execute(const Statement& statement, CommandContext& context) = 0;
};

// The executors by executor code (the module code of the program: 501 and
// 502 plane, 503 space, 604 four dimensions, 504-508 graphs and algebra).
// One code may have a chain, asked in the order added: 502 asks the plane
// commands and then its further commands.
class ExecutorTable {
public:
    ExecutorTable();
    ~ExecutorTable();
    ExecutorTable(const ExecutorTable&) = delete;
    ExecutorTable& operator=(const ExecutorTable&) = delete;

    void add(int executorCode, std::shared_ptr<ModuleExecutor> executor);
    bool has(int executorCode) const;
    // Asks the chain of the code; false when no executor handled it.
    bool execute(int executorCode, const Statement& statement, CommandContext& context) const;

    // The scene of the objects a module keeps beside the plane objects; the
    // table owns it for its window. nullptr when the code has none.
    void setScene(int executorCode, std::unique_ptr<ModuleScene> scene);
    ModuleScene* scene(int executorCode) const;

private:
    std::map<int, std::vector<std::shared_ptr<ModuleExecutor>>> m_chains;
    std::map<int, std::unique_ptr<ModuleScene>> m_scenes;
};

} // namespace kestrane
