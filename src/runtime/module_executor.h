#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace kestrane {

class ConstructionState;
struct Statement;

// What a command sees of the run: the construction it changes and the scope
// (procedure name) its names are bound in and looked up in.
struct CommandContext {
    ConstructionState& state;
    std::string_view scope;
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
    void add(int executorCode, std::shared_ptr<ModuleExecutor> executor);
    bool has(int executorCode) const;
    // Asks the chain of the code; false when no executor handled it.
    bool execute(int executorCode, const Statement& statement, CommandContext& context) const;

private:
    std::map<int, std::vector<std::shared_ptr<ModuleExecutor>>> m_chains;
};

} // namespace kestrane
