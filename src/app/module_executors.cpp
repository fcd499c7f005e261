#include "app/module_executors.h"

#include "runtime/module_executor.h"
#include "runtime/plane_executor.h"
#include "script/module.h"

#include <memory>

namespace kestrane {

void registerModuleExecutors(ExecutorTable& table)
{
    auto plane = std::make_shared<PlaneExecutor>();
    table.add(code(Module::Kestrane), plane);
    table.add(code(Module::Dimension2), plane);
    table.add(code(Module::Dimension2), std::make_shared<FurtherPlaneExecutor>());
}

} // namespace kestrane
