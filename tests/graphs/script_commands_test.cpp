// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "expressions/fract_bytes.h"
#include "graphs/algebra_executor.h"
#include "graphs/function_file.h"
#include "graphs/graph_scene.h"
#include "graphs/graphs_executor.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

// A construction window with the graph and algebra executors, running
// scripts given as lines, with a directory of its own for data files.
class ScriptCommands : public ::testing::Test {
protected:
    ScriptCommands()
    {
        auto graphs = std::make_unique<GraphScene>();
        graphScene = graphs.get();
        window.executors().add(504, std::make_shared<GraphsExecutor>(*graphs));
        window.executors().setScene(504, std::move(graphs));
        auto algebra = std::make_unique<GraphScene>();
        algebraScene = algebra.get();
        window.executors().add(505, std::make_shared<AlgebraExecutor>(*algebra));
        window.executors().setScene(505, std::move(algebra));
        std::random_device random;
        directory = fs::temp_directory_path() /
                    ("kestrane-graphs-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(directory / "Examples");
        window.state().dataFiles().directories.working = directory.string();
    }
    ~ScriptCommands() override
    {
        std::error_code error;
        fs::remove_all(directory, error);
    }

    // between runs after the compile, before the program starts.
    void run(int module, std::initializer_list<std::string_view> lines,
             const std::function<void()>& between = {}, bool scriptDirectory = true)
    {
        std::string text = procedures + "void start()\r\n";
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, module, "NoName", "",
                            scriptDirectory ? directory.string() : std::string());
        ModuleState modules;
        modules.set(module);
        Compiler compiler(modules, host);
        compiler.setDataFiles(window.state().dataFiles());
        CompileResult result = compiler.compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message;
        if (between)
            between();
        window.startProgram(*main, module, RunMode::Run);
        window.state().dataFiles().directories.working = directory.string();
    }

    void write(const fs::path& path, std::string_view bytes)
    {
        ASSERT_TRUE(replaceFile(path, bytes));
    }

    std::string expression(std::string_view name) const
    {
        AlgExprRec* record = algebraScene->findAlgExpr(name, "start");
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
            texts.push_back(label.text);
        return texts;
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    GraphScene* graphScene = nullptr;
    GraphScene* algebraScene = nullptr;
    std::unique_ptr<ScriptFile> main;
    fs::path directory;
    // Procedures put before start.
    std::string procedures;
};

TEST_F(ScriptCommands, SumOfAnExpressionWithItselfIsTwiceItAndLeavesItAlone)
{
    write(directory / "p.txt", "x^2+3*y\r\nignored");
    run(505, {"p=AlgExpr($p.txt)", "s=Sum(p,p)", "d=Difference(p,p)", "q=Product(p,p)"});
    EXPECT_EQ(expression("p"), "x^2+3*y");
    EXPECT_EQ(expression("s"), "2*x^2+6*y");
    EXPECT_EQ(expression("d"), "0");
    EXPECT_TRUE(messageTexts().empty());
    AlgExprRec* p = algebraScene->findAlgExpr("p", "start");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->variables.count(), 2);
}

TEST_F(ScriptCommands, ExpressionFilesAreFoundInTheExamplesSubdirectory)
{
    write(directory / "Examples" / "e.txt", "(x+1)*(x-1)");
    run(505, {"e=AlgExpr($e.txt)", "f=AlgExpr($missing.txt)"});
    EXPECT_EQ(expression("e"), "x^2-1");
    EXPECT_EQ(expression("f"), "(none)");
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Runtime error.: File not found."});
}

// Files whose names hold digits and '_' are read by every word that reads
// one, named by a '$' text or by a String variable holding the name.
TEST_F(ScriptCommands, FileNamesWithDigitsAndUnderscores)
{
    std::optional<std::string> sinc =
        readWholeFile(fs::path(KESTRANE_SOURCE_DIR) / "examples" / "sinc.fct");
    ASSERT_TRUE(sinc);
    write(directory / "sinc2.fct", *sinc);
    write(directory / "f_2.fct", *sinc);
    run(504,
        {"f=Function($sinc2.fct)", "g=Function($f_2.fct)", "s=String($f_2.fct)", "h=Function(s)"});
    for (const char* name : {"f", "g", "h"})
        EXPECT_NE(graphScene->findFunction(name, "start"), nullptr) << name;
    EXPECT_TRUE(messageTexts().empty());

    write(directory / "e_1.txt", "x^2+1");
    write(directory / "map4.txt", "z*z-1");
    run(505,
        {"e=AlgExpr($e_1.txt)", "m=AnalyticF($map4.txt)", "n=String($map4.txt)", "k=AnalyticF(n)"});
    EXPECT_EQ(expression("e"), "x^2+1");
    EXPECT_EQ(expression("m"), "z^2-1");
    EXPECT_EQ(expression("k"), "z^2-1");
    EXPECT_TRUE(messageTexts().empty());
}

// A '$' text may hold brackets wherever a word takes a text: it is the
// function itself when no file has its name.
TEST_F(ScriptCommands, InlineTextsWithBrackets)
{
    run(505, {"a=AnalyticF($z*z+1)", "w=String($exp(z)*(z+1))", "b=AnalyticF(w)",
              "Text(10,20,$f(x,y))"});
    EXPECT_EQ(expression("a"), "z^2+1");
    // The String holds the text; the function made of it is simplified.
    EXPECT_EQ(expression("b"), "exp(z)*z+exp(z)");
    EXPECT_EQ(labels(), std::vector<std::string>{"f(x,y)"});
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(ScriptCommands, ExpressionFilesInTheByteFormAndBroken)
{
    TextParseResult parsed = parseExpressionText("a/b+a/b");
    ASSERT_TRUE(parsed.tree);
    std::string bytes;
    ASSERT_TRUE(serializeExpression(*parsed.tree, bytes));
    write(directory / "bytes.txt", bytes + "\r\ntrailing");
    write(directory / "broken.txt", "x+*2");
    run(505, {"b=AlgExpr($bytes.txt)", "c=AlgExpr($broken.txt)"});
    EXPECT_EQ(expression("b"), "(2*a)/b");
    EXPECT_EQ(expression("c"), "(none)");
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Runtime error.");
}

TEST_F(ScriptCommands, FailuresShowTheirMessageAndMakeNothing)
{
    run(505, {"z=Constant(0)", "one=Constant(1)", "x=DefVariable($x)", "q=Divide(one,z)",
              "bad=DefVariable($ai)", "long=DefVariable($abcde)", "p=Power(x,101)",
              "n=Power(x,100)", "v=Variable(x,2)", "w=Variable(x,1)"});
    EXPECT_EQ(expression("q"), "(none)");
    EXPECT_EQ(expression("bad"), "(none)");
    EXPECT_EQ(expression("long"), "(none)");
    EXPECT_EQ(expression("p"), "(none)");
    EXPECT_EQ(expression("n"), "x^100");
    EXPECT_EQ(expression("v"), "(none)");
    EXPECT_EQ(expression("w"), "x");
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Runtime error.: Division by zero.",
                                                        "Runtime error.: Wrong name of variable.",
                                                        "Runtime error.: Wrong name of variable.",
                                                        "Runtime error.: Exponent out of range.",
                                                        "Runtime error.: Variable out of range."}));
}

TEST_F(ScriptCommands, SubstituteAndValueUseTheVariableSet)
{
    write(directory / "p.txt", "x^2+a");
    run(505, {"p=AlgExpr($p.txt)", "two=Constant(2)", "x=DefVariable($x)", "a=Sum(x,two)",
              "AddVariable(p,$a,a)", "AddVariable(p,$x,two)", "s=Substitute(p)", "Value(10,10,p)",
              "r=DefVariable($x)", "m=Constant(-4)", "AddVariable(r,$x,m)", "t=SquareRoot(r)",
              "Value(10,30,t)", "u=Variable(p,1)"});
    EXPECT_EQ(expression("s"), "8");
    EXPECT_EQ(expression("p"), "x^2+a");
    EXPECT_EQ(labels(), (std::vector<std::string>{"8.00", "undefined"}));
    EXPECT_EQ(expression("u"), "a");
}

TEST_F(ScriptCommands, GraphsOfFunctionFiles)
{
    TextParseResult parsed = parseExpressionText("x*x-x*x+sin(x)");
    ASSERT_TRUE(parsed.tree);
    fs::path file = directory / "f.fct";
    write(file, writeFunctionFile(*parsed.tree, 3, -3));
    std::string functionLine = "f=Function($f.fct)";
    run(504, {functionLine, "R=Rectangle(300,250,100,50)", "Color(R)=blue", "G=Graph(f,R)",
              "DrawFunction(f,20,600)", "Text(10,700,$tall)"});
    ASSERT_EQ(graphScene->functions().size(), 1u);
    const FunctionRec& function = *graphScene->functions()[0];
    EXPECT_EQ(printExpressionText(*function.expression), "sin(x)");
    EXPECT_DOUBLE_EQ(function.lower, -3);
    ASSERT_EQ(graphScene->graphs().size(), 1u);
    const GraphRec& graph = *graphScene->graphs()[0];
    EXPECT_EQ(graph.rect.x1, 100);
    EXPECT_EQ(graph.rect.y2, 250);
    EXPECT_DOUBLE_EQ(graph.xMax, 3);
    EXPECT_EQ(graphScene->rectangles()[0]->fill, 0xFF0000u);
    EXPECT_EQ(graphScene->drawingHeight(), 730);
    // The file vanished between compile and run.
    run(504, {functionLine}, [&] { fs::remove(file); });
    EXPECT_TRUE(graphScene->functions().empty());
    EXPECT_EQ(messageTexts().back(), "Runtime error.: File not found.");
}

TEST_F(ScriptCommands, ProceduresTakeGraphObjectsAsParameters)
{
    procedures = "void twice(AlgExpr a)\r\nd=Sum(a,a)\r\nDrawAlgExpr(5,5,d)\r\nEND\r\n";
    run(505, {"c=Constant(3)", "twice(c)"});
    ASSERT_EQ(algebraScene->algExprs().size(), 2u);
    const AlgExprRec& made = *algebraScene->algExprs()[1];
    EXPECT_EQ(printExpressionText(*made.expression), "6");
    EXPECT_TRUE(made.drawn);
    // The procedure's names end with it.
    EXPECT_TRUE(made.names.empty());
    EXPECT_EQ(expression("c"), "3");

    procedures = "void paint(Rectangle r)\r\nColor(r)=green\r\nEND\r\n";
    run(504, {"R=Rectangle(1,2,30,40)", "paint(R)"});
    ASSERT_EQ(graphScene->rectangles().size(), 1u);
    EXPECT_EQ(graphScene->rectangles()[0]->fill, 0x8000u);
    EXPECT_EQ(graphScene->rectangles()[0]->names.size(), 1u);
}

TEST_F(ScriptCommands, FunctionFilesCompileWhereverTheRunFindsThem)
{
    TextParseResult parsed = parseExpressionText("x^2");
    ASSERT_TRUE(parsed.tree);
    write(directory / "Examples" / "square.fct", writeFunctionFile(*parsed.tree, -1, 1));
    run(504, {"f=Function($square.fct)"}, {}, false);
    ASSERT_EQ(graphScene->functions().size(), 1u);
    EXPECT_TRUE(messageTexts().empty());
}

// A run in the graph and algebra modules is one undo step: undo brings the
// rectangles, functions, graphs and expressions (with their variable sets)
// back as they were, redo the run undone.
TEST_F(ScriptCommands, UndoAndRedoRestoreGraphAndAlgebraScenes)
{
    auto sceneJson = [](const GraphScene& scene) {
        std::string json = scene.json();
        return json;
    };
    TextParseResult parsed = parseExpressionText("x^2-1");
    ASSERT_TRUE(parsed.tree);
    write(directory / "f.fct", writeFunctionFile(*parsed.tree, -2, 2));
    run(504, {"f=Function($f.fct)", "R=Rectangle(10,10,300,200)", "G=Graph(f,R)",
              "DrawFunction(f,20,300)"});
    std::string graphs = sceneJson(*graphScene);
    run(504, {"R=Rectangle(50,50,100,100)", "Color(R)=blue"});
    std::string rectangle = sceneJson(*graphScene);
    ASSERT_NE(rectangle, graphs);
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(sceneJson(*graphScene), graphs);
    ASSERT_TRUE(window.redo());
    EXPECT_EQ(sceneJson(*graphScene), rectangle);

    write(directory / "p.txt", "x^2+3*y");
    run(505, {"p=AlgExpr($p.txt)", "two=Constant(2)", "AddVariable(p,$x,two)",
              "AddVariable(p,$w,two)", "s=Sum(p,p)", "DrawAlgExpr(20,40,s)", "Value(10,10,p)"});
    std::string algebra = sceneJson(*algebraScene);
    run(505, {"c=Constant(7)"});
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(sceneJson(*algebraScene), algebra);
    EXPECT_EQ(expression("s"), "2*x^2+6*y");
    AlgExprRec* p = algebraScene->findAlgExpr("p", "start");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->variables.count(), 3);
    ASSERT_TRUE(window.redo());
    EXPECT_EQ(expression("c"), "7");
    EXPECT_EQ(expression("s"), "(none)");
}

// A copy owns its records: changing the scene afterwards leaves the copy
// as it was, and the copy's trees and variables are whole.
TEST_F(ScriptCommands, SceneCopiesAreIndependentValues)
{
    write(directory / "p.txt", "(x+1)/(y-2)");
    run(505, {"p=AlgExpr($p.txt)", "m=Constant(-4)", "AddVariable(p,$y,m)"});
    std::unique_ptr<ModuleScene> copy = algebraScene->copy();
    ASSERT_TRUE(copy);
    std::string before = copy->json();
    std::string original = algebraScene->json();
    EXPECT_EQ(before, original);
    EXPECT_GT(copy->heapBytes(), 0u);
    algebraScene->clear();
    std::string after = copy->json();
    EXPECT_EQ(after, before);
    const auto& copied = static_cast<GraphScene&>(*copy).algExprs();
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_EQ(printExpressionText(*copied[0]->expression), "(x+1)/(y-2)");
    EXPECT_EQ(copied[0]->variables.count(), 2);
    algebraScene->swapContents(*copy);
    EXPECT_EQ(expression("p"), "(x+1)/(y-2)");
}

} // namespace
} // namespace kestrane
