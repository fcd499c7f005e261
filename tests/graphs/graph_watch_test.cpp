// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/algebra_executor.h"
#include "graphs/graph_scene.h"
#include "graphs/graphs_executor.h"
#include "graphs/quadratic_executor.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "runtime/watch_values.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

// A construction window running Quadratic functions programs, whose scene
// holds the rectangles, expressions and polynomials the panel describes.
class GraphWatch : public ::testing::Test {
protected:
    GraphWatch()
    {
        auto scene = std::make_unique<GraphScene>();
        window.executors().add(506, std::make_shared<QuadraticExecutor>(*scene));
        window.executors().add(506, std::make_shared<GraphsExecutor>(*scene));
        window.executors().add(506, std::make_shared<AlgebraExecutor>(*scene));
        window.executors().setScene(506, std::move(scene));
    }

    void run(std::initializer_list<std::string_view> lines)
    {
        std::string text;
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 506, "NoName", "", "");
        ModuleState modules;
        modules.set(506);
        CompileResult result = Compiler(modules, host).compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message;
        window.startProgram(*main, 506, RunMode::Run);
    }

    std::string shown(std::string_view scope, std::string_view name) const
    {
        for (const WatchValue& value : watchScope(window.state(), scope)) {
            if (value.name == name)
                return std::string(value.kindName) + " " + value.text;
        }
        return "missing";
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    std::unique_ptr<ScriptFile> main;
};

TEST_F(GraphWatch, PolynomialsShowTheirRootsBesideTheirOtherNames)
{
    run({"void start()", "f=QuadraticFunct(1,-2,-7)", "r=Rectangle(20,20,380,300)", "x1=Root(f,1)",
         "d=2.5", "END"});
    EXPECT_EQ(shown("start", "f"), "QuadraticFunct x^2-2*x-7, roots 1-2*sqrt(2); 1+2*sqrt(2)");
    EXPECT_EQ(shown("start", "r"), "Rectangle from (20, 20) to (380, 300)");
    EXPECT_EQ(shown("start", "x1"), "AlgExpr 1-2*sqrt(2)");
    // Plane objects and the scene's are listed together, by name.
    std::vector<std::string> names;
    for (const WatchValue& value : watchScope(window.state(), "start"))
        names.push_back(value.name);
    EXPECT_EQ(names, (std::vector<std::string>{"d", "f", "r", "x1"}));
}

TEST_F(GraphWatch, TheNamesOfACalledProcedureStayInItsScope)
{
    run({"void g()", "q=QuadraticFunct(1,0,-4)", "Break(1)", "END", "void start()", "g()", "END"});
    ASSERT_TRUE(window.paused());
    EXPECT_EQ(shown("g", "q"), "QuadraticFunct x^2-4, roots -2; 2");
    EXPECT_EQ(shown("start", "q"), "missing");
}

} // namespace
} // namespace kestrane
