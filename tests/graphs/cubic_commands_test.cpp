// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "graphs/algebra_executor.h"
#include "graphs/cubic_executor.h"
#include "graphs/graph_scene.h"
#include "graphs/graphs_executor.h"
#include "graphs/quadratic_executor.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

// A construction window running Quadratic and Cubic functions programs
// given as lines, each module with its executors in the program's order.
class PolynomialCommands : public ::testing::Test {
protected:
    PolynomialCommands()
    {
        auto quadratic = std::make_unique<GraphScene>();
        quadraticScene = quadratic.get();
        window.executors().add(506, std::make_shared<QuadraticExecutor>(*quadratic));
        window.executors().add(506, std::make_shared<GraphsExecutor>(*quadratic));
        window.executors().add(506, std::make_shared<AlgebraExecutor>(*quadratic));
        window.executors().setScene(506, std::move(quadratic));
        auto cubic = std::make_unique<GraphScene>();
        cubicScene = cubic.get();
        window.executors().add(507, std::make_shared<CubicExecutor>(*cubic));
        window.executors().add(507, std::make_shared<GraphsExecutor>(*cubic));
        window.executors().add(507, std::make_shared<AlgebraExecutor>(*cubic));
        window.executors().setScene(507, std::move(cubic));
    }

    void run(int module, std::initializer_list<std::string_view> lines)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, module, "NoName", "", "");
        ModuleState modules;
        modules.set(module);
        Compiler compiler(modules, host);
        CompileResult result = compiler.compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message;
        window.startProgram(*main, module, RunMode::Run);
    }

    GraphScene& scene(int module) const { return module == 506 ? *quadraticScene : *cubicScene; }

    // The formula object's expression, its message text, or "(none)".
    std::string formula(int module, std::string_view name) const
    {
        AlgExprRec* record = scene(module).findAlgExpr(name, "start");
        if (!record)
            return "(none)";
        return record->expression ? printExpressionText(*record->expression) : record->text;
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& message : host.messages())
            texts.push_back(message.caption + ": " + message.text);
        return texts;
    }
    std::vector<std::string> labels() const
    {
        std::vector<std::string> texts;
        for (const TextLabel& label : window.store().texts(TextArray::Labels))
            texts.push_back(label.text + " @" + std::to_string(label.x) + "," +
                            std::to_string(label.y));
        return texts;
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    GraphScene* quadraticScene = nullptr;
    GraphScene* cubicScene = nullptr;
    std::unique_ptr<ScriptFile> main;
};

using Texts = std::vector<std::string>;

TEST_F(PolynomialCommands, CubEqRootGivesTheExactRoot)
{
    run(507, {"a=Constant(-6)", "f=CubicFunct(1,a,11,-6)", "x1=CubEqRoot(f,1)", "x3=CubEqRoot(f,3)",
              "DrawAlgExpr(20,40,x3)"});
    EXPECT_EQ(formula(507, "x1"), "1");
    EXPECT_EQ(formula(507, "x3"), "3");
    EXPECT_TRUE(scene(507).findAlgExpr("x3", "start")->drawn);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(PolynomialCommands, CasusIrreducibilisRootsCarryTheUnitRoot)
{
    run(507, {"f=CubicFunct(1,0,-3,1)", "x1=CubEqRoot(f,1)"});
    AlgExprRec* root = scene(507).findAlgExpr("x1", "start");
    ASSERT_TRUE(root);
    int epsilon = root->variables.find("ε");
    ASSERT_GE(epsilon, 0);
    EXPECT_EQ(printExpressionText(*root->variables.record(epsilon).value), "(-1+i*sqrt(3))/2");
}

TEST_F(PolynomialCommands, CubicRootFailures)
{
    run(507,
        {"z=CubicFunct(0,1,2,3)", "w=CubEqRoot(z,1)", "v=ValCubFunct(1,0,0,-8)", "u=CubEqRoot(v,1)",
         "f=CubicFunct(1,0,0,-8)", "t=CubEqRoot(f,4)", "s=CubEqRoot(f,0)"});
    EXPECT_EQ(formula(507, "w"), "Cubic eq. not found");
    EXPECT_EQ(formula(507, "u"), "Cubic eq. not found");
    EXPECT_EQ(formula(507, "t"), "(none)");
    EXPECT_EQ(formula(507, "s"), "(none)");
    EXPECT_EQ(messageTexts(), (Texts{"Runtime error.: Cubic equation not found.",
                                     "Runtime error.: Cubic equation not found.",
                                     "Runtime error.: Runtime error. Root not created",
                                     "Runtime error.: Runtime error. Root not created"}));
    // a = 0 makes the function silently, without roots.
    ASSERT_TRUE(scene(507).findCubic("z", "start"));
    EXPECT_TRUE(scene(507).findCubic("z", "start")->polynomial.roots.empty());
}

TEST_F(PolynomialCommands, ExactRootsPastTheIntegersSayWhyOnce)
{
    run(507, {"f=CubicFunct(1000003,1,1,1)", "r=CubEqRoot(f,1)", "s=CubEqRoot(f,2)"});
    EXPECT_EQ(formula(507, "r"), "Cubic eq. not found");
    EXPECT_EQ(messageTexts(), (Texts{"Error.: Too large numbers. Major error may occur.",
                                     "Runtime error.: Cubic equation not found.",
                                     "Runtime error.: Cubic equation not found."}));
    ASSERT_TRUE(scene(507).findCubic("f", "start"));
    EXPECT_EQ(scene(507).findCubic("f", "start")->polynomial.roots.size(), 3u);
}

TEST_F(PolynomialCommands, DrawRootValueWritesTheRootText)
{
    run(507, {"f=ValCubFunct(1,0,1,1)", "DrawRootValue(f,1,10,20)", "DrawRootValue(f,3,10,100)",
              "DrawRootValue(f,4,10,200)", "z=ValCubFunct(0,0,1,1)", "DrawRootValue(z,1,10,300)"});
    EXPECT_EQ(labels(),
              (Texts{"-     0.682327803828019327369483739711048256891188582 @10,20",
                     "0.341163901914009663684741869855524128445594291 @10,100",
                     "-  i *    1.161541399997251936087917687247174074843147258 @10,120"}));
    Texts refused(2,
                  "Runtime error.: Variable out of range.\nCommand\nDrawRootValue\nis disregarded");
    EXPECT_EQ(messageTexts(), refused);
}

TEST_F(PolynomialCommands, UnitRootNeedsACubic)
{
    run(507, {"Rt3DegUnit", "f=CubicFunct(1,0,0,1)", "Rt3DegUnit"});
    EXPECT_EQ(messageTexts(), Texts{"Runtime error.: Variable out of range.\nRoot not created."});
    const auto& formulas = scene(507).algExprs();
    ASSERT_EQ(formulas.size(), 1u);
    EXPECT_EQ(printExpressionText(*formulas[0]->expression), "ε=(-1+i*sqrt(3))/2");
    EXPECT_TRUE(formulas[0]->drawn);
    EXPECT_EQ(formulas[0]->x, 200);
    EXPECT_EQ(formulas[0]->y, 300);
}

TEST_F(PolynomialCommands, CubicFormulasAndGraph)
{
    run(507, {"f=CubicFunct(1,0,-1,0)", "r=Rectangle(20,20,420,220)", "CubGraph(f,r)",
              "DrawCubic(450,40,f)", "DrawSimplCubFunct(450,80,f)", "q=Rectangle(1,2,3)"});
    PolynomialRec* cubic = scene(507).findCubic("f", "start");
    ASSERT_TRUE(cubic);
    EXPECT_EQ(printExpressionText(*cubic->polynomial.built), "1*x^3+0*x^2+(-1)*x+0");
    EXPECT_EQ(printExpressionText(*cubic->polynomial.simplified), "x^3-x");
    EXPECT_EQ(cubic->formulaAt, (std::pair{450, 40}));
    EXPECT_EQ(cubic->simplifiedAt, (std::pair{450, 80}));
    // Roots -1, 0, 1: from -1 - 1 to 1 + 1.
    ASSERT_EQ(scene(507).graphs().size(), 1u);
    EXPECT_DOUBLE_EQ(scene(507).graphs()[0]->xMin, -2);
    EXPECT_DOUBLE_EQ(scene(507).graphs()[0]->xMax, 2);
    // The compiler leaves Rectangle's arguments to the cubic module.
    EXPECT_EQ(scene(507).rectangles().size(), 1u);
    EXPECT_EQ(messageTexts(),
              Texts{"Runtime error.: Rectangle needs four integers.\nRectangle not created."});
}

TEST_F(PolynomialCommands, QuadraticRoots)
{
    run(506, {"f=QuadraticFunct(1,0,-8)", "x1=Root(f,1)", "x2=Root(f,2)", "x3=Root(f,3)",
              "g=QuadraticFunct(1,2,5)", "y1=Root(g,1)", "z=QuadraticFunct(0,2,5)", "w=Root(z,1)",
              "DrawQuadratic(10,10,g)"});
    EXPECT_EQ(formula(506, "x1"), "-2*sqrt(2)");
    EXPECT_EQ(formula(506, "x2"), "2*sqrt(2)");
    EXPECT_EQ(formula(506, "x3"), "(none)");
    EXPECT_EQ(formula(506, "y1"), "2*i-1");
    EXPECT_EQ(formula(506, "w"), "Quadratic eq. not found");
    EXPECT_EQ(messageTexts(), (Texts{"Runtime error.: Variable out of range.\nRoot not created.",
                                     "Runtime error.: Quadratic equation not found."}));
    // DrawQuadratic writes the simplified polynomial.
    EXPECT_EQ(scene(506).findQuadratic("g", "start")->simplifiedAt, (std::pair{10, 10}));
}

TEST_F(PolynomialCommands, QuadraticGraphShowsTheRootsAndTheVertex)
{
    run(506, {"f=QuadraticFunct(1,-4,-5)", "r=Rectangle(0,0,400,300)", "QuadraticGraph(f,r)",
              "g=QuadraticFunct(1,0,1)", "QuadraticGraph(g,r)"});
    const auto& graphs = scene(506).graphs();
    ASSERT_EQ(graphs.size(), 2u);
    // Roots -1 and 5: widened by 3 each way.
    EXPECT_DOUBLE_EQ(graphs[0]->xMin, -4);
    EXPECT_DOUBLE_EQ(graphs[0]->xMax, 8);
    // Only the vertex at 0: widened by 1.
    EXPECT_DOUBLE_EQ(graphs[1]->xMin, -1);
    EXPECT_DOUBLE_EQ(graphs[1]->xMax, 1);
}

TEST_F(PolynomialCommands, AGraphWithoutKnownRootsSpansMinusOneToOne)
{
    run(507, {"a=DefVariable($a)", "f=CubicFunct(a,0,0,1)", "r=Rectangle(0,0,400,300)",
              "CubGraph(f,r)", "x1=CubEqRoot(f,1)"});
    ASSERT_EQ(scene(507).graphs().size(), 1u);
    EXPECT_DOUBLE_EQ(scene(507).graphs()[0]->xMin, -1);
    EXPECT_DOUBLE_EQ(scene(507).graphs()[0]->xMax, 1);
    // Unvalued coefficients still give the exact roots, in the unit root's form.
    EXPECT_NE(formula(507, "x1").find("root(3,"), std::string::npos);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(PolynomialCommands, CoefficientsTakeTheValuesOfTheirVariables)
{
    run(507, {"a=DefVariable($a)", "two=Constant(2)", "AddVariable(a,$a,two)",
              "f=CubicFunct(1,0,0,a)", "x1=CubEqRoot(f,1)"});
    PolynomialRec* cubic = scene(507).findCubic("f", "start");
    ASSERT_TRUE(cubic);
    EXPECT_EQ(printExpressionText(*cubic->polynomial.simplified), "x^3+2");
    ASSERT_EQ(cubic->polynomial.roots.size(), 3u);
    EXPECT_EQ(cubic->polynomial.roots[0].text.substr(0, 12), "-     1.2599");
}

} // namespace
} // namespace kestrane
