// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module_executors.h"

#include "graphs/algebra_executor.h"
#include "graphs/curves_executor.h"
#include "graphs/cubic_executor.h"
#include "graphs/graph_scene.h"
#include "graphs/graphs_executor.h"
#include "graphs/quadratic_executor.h"
#include "runtime/module_executor.h"
#include "runtime/plane_executor.h"
#include "script/module.h"
#include "space/four_d_executor.h"
#include "space/four_d_scene.h"
#include "space/space_executor.h"
#include "space/space_scene.h"

#include <memory>

namespace kestrane {

void registerModuleExecutors(ExecutorTable& table)
{
    auto plane = std::make_shared<PlaneExecutor>();
    table.add(code(Module::Kestrane), plane);
    table.add(code(Module::Dimension2), plane);
    table.add(code(Module::Dimension2), std::make_shared<FurtherPlaneExecutor>());

    // The space executor works on the scene the table keeps for its window.
    auto scene = std::make_unique<SpaceScene>();
    table.add(code(Module::Dimension3), std::make_shared<SpaceExecutor>(*scene));
    table.setScene(code(Module::Dimension3), std::move(scene));

    // Dimension 4 keeps its sections and nets as polyhedra of a space scene
    // inside its own, so the space commands that turn, colour and save
    // polyhedra serve it after its own commands.
    auto fourD = std::make_unique<FourDScene>();
    table.add(code(Module::Dimension4), std::make_shared<FourDExecutor>(*fourD));
    table.add(code(Module::Dimension4), std::make_shared<SpaceExecutor>(fourD->space()));
    table.setScene(code(Module::Dimension4), std::move(fourD));

    auto graphs = std::make_unique<GraphScene>();
    table.add(code(Module::Graphs), std::make_shared<GraphsExecutor>(*graphs));
    table.setScene(code(Module::Graphs), std::move(graphs));

    auto algebra = std::make_unique<GraphScene>();
    table.add(code(Module::Algebra), std::make_shared<AlgebraExecutor>(*algebra));
    table.setScene(code(Module::Algebra), std::move(algebra));

    // Curves: rectangles and colours as in Graphs, expressions as in the
    // algebra module.
    auto curves = std::make_unique<GraphScene>();
    curves->writeCurveArrays();
    table.add(code(Module::Curves), std::make_shared<CurvesExecutor>(*curves));
    table.add(code(Module::Curves), std::make_shared<GraphsExecutor>(*curves));
    table.add(code(Module::Curves), std::make_shared<AlgebraExecutor>(*curves));
    table.setScene(code(Module::Curves), std::move(curves));
    // Quadratic and cubic programs make their rectangles and colours with the
    // graphs commands and take the algebra commands last.
    auto quadratic = std::make_unique<GraphScene>();
    table.add(code(Module::Quadratic), std::make_shared<QuadraticExecutor>(*quadratic));
    table.add(code(Module::Quadratic), std::make_shared<GraphsExecutor>(*quadratic));
    table.add(code(Module::Quadratic), std::make_shared<AlgebraExecutor>(*quadratic));
    table.setScene(code(Module::Quadratic), std::move(quadratic));

    auto cubic = std::make_unique<GraphScene>();
    table.add(code(Module::Cubic), std::make_shared<CubicExecutor>(*cubic));
    table.add(code(Module::Cubic), std::make_shared<GraphsExecutor>(*cubic));
    table.add(code(Module::Cubic), std::make_shared<AlgebraExecutor>(*cubic));
    table.setScene(code(Module::Cubic), std::move(cubic));
}

} // namespace kestrane
