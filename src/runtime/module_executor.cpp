// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/module_executor.h"

#include "runtime/module_scene.h"

namespace kestrane {

ExecutorTable::ExecutorTable() = default;
ExecutorTable::~ExecutorTable() = default;

void ExecutorTable::add(int executorCode, std::shared_ptr<ModuleExecutor> executor)
{
    m_chains[executorCode].push_back(std::move(executor));
}

bool ExecutorTable::has(int executorCode) const
{
    return m_chains.contains(executorCode);
}

bool ExecutorTable::execute(int executorCode, const Statement& statement,
                            CommandContext& context) const
{
    auto chain = m_chains.find(executorCode);
    if (chain == m_chains.end())
        return false;
    for (const auto& executor : chain->second) {
        if (executor->execute(statement, context))
            return true;
    }
    return false;
}

void ExecutorTable::setScene(int executorCode, std::unique_ptr<ModuleScene> scene)
{
    m_scenes[executorCode] = std::move(scene);
}

ModuleScene* ExecutorTable::scene(int executorCode) const
{
    auto found = m_scenes.find(executorCode);
    return found == m_scenes.end() ? nullptr : found->second.get();
}

} // namespace kestrane
