// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_text.h"
#include "graphs/algebra_executor.h"
#include "graphs/curves_executor.h"
#include "graphs/graph_scene.h"
#include "graphs/graphs_executor.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

// A construction window running Curves programs as the program does: the
// curve commands, then rectangles and colours, then the expression commands,
// with expression files in a directory of its own.
class CurveCommands : public ::testing::Test {
protected:
    CurveCommands()
    {
        auto curves = std::make_unique<GraphScene>();
        scene = curves.get();
        window.executors().add(508, std::make_shared<CurvesExecutor>(*curves));
        window.executors().add(508, std::make_shared<GraphsExecutor>(*curves));
        window.executors().add(508, std::make_shared<AlgebraExecutor>(*curves));
        window.executors().setScene(508, std::move(curves));
        auto algebra = std::make_unique<GraphScene>();
        algebraScene = algebra.get();
        window.executors().add(505, std::make_shared<AlgebraExecutor>(*algebra));
        window.executors().setScene(505, std::move(algebra));
        std::random_device random;
        directory = fs::temp_directory_path() /
                    ("kestrane-curves-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(directory);
        window.state().dataFiles().directories.working = directory.string();
        write("cos.txt", "cos(t)");
        write("sin.txt", "sin(t)");
        write("square.txt", "t^2");
    }
    ~CurveCommands() override
    {
        std::error_code error;
        fs::remove_all(directory, error);
    }

    void write(const std::string& name, std::string_view bytes)
    {
        ASSERT_TRUE(replaceFile(directory / name, bytes));
    }

    void run(const std::vector<std::string>& lines, int module = 508)
    {
        std::string text = "void start()\r\n";
        for (const std::string& line : lines)
            text += line + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, module, "NoName", "", directory.string());
        ModuleState modules;
        modules.set(module);
        Compiler compiler(modules, host);
        compiler.setDataFiles(window.state().dataFiles());
        CompileResult result = compiler.compile(*main);
        ASSERT_TRUE(result.ok()) << result.error->message;
        window.startProgram(*main, module, RunMode::Run);
    }

    // A circle x = cos t, y = sin t in a rectangle 400 x 200, named c.
    void runCircle(std::initializer_list<std::string> more)
    {
        std::vector<std::string> lines{"x=AlgExpr($cos.txt)", "y=AlgExpr($sin.txt)",
                                       "r=Rectangle(0,0,400,200)", "c=Curve(x,y,r)"};
        lines.insert(lines.end(), more.begin(), more.end());
        run(lines);
    }

    CurveRec& curve(std::string_view name)
    {
        CurveRec* record = scene->findCurve(name, "start");
        EXPECT_TRUE(record) << name;
        static CurveRec none;
        return record ? *record : none;
    }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& message : host.messages())
            texts.push_back(message.caption + ": " + message.text);
        return texts;
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    GraphScene* scene = nullptr;
    GraphScene* algebraScene = nullptr;
    std::unique_ptr<ScriptFile> main;
    fs::path directory;
};

TEST_F(CurveCommands, TheDefaultIntervalIsZeroToOneAndTheCurveStartsUndrawn)
{
    runCircle({});
    CurveRec& c = curve("c");
    EXPECT_EQ(c.tMin, 0);
    EXPECT_EQ(c.tMax, 1);
    EXPECT_FALSE(c.drawn);
    EXPECT_EQ(c.aspect, AspectRatio::Stretch);
    EXPECT_EQ(c.line, 0xFFFFFFu);
    EXPECT_FALSE(c.isImage());
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(CurveCommands, TIsTheParameter)
{
    run({"x=AlgExpr($square.txt)", "y=DefVariable($t)", "r=Rectangle(0,0,400,400)",
         "c=Curve(x,y,r)", "s=Segment(-2,3)", "ParamSet(c)=s"});
    CurveRec& c = curve("c");
    ASSERT_TRUE(c.x && c.y);
    EXPECT_EQ(printExpressionText(*c.x), "x^2");
    EXPECT_EQ(printExpressionText(*c.y), "x");
    std::optional<CurveBox> box = c.plot().box;
    ASSERT_TRUE(box);
    EXPECT_DOUBLE_EQ(box->yMin, -2);
    EXPECT_DOUBLE_EQ(box->yMax, 3);
    EXPECT_DOUBLE_EQ(box->xMax, 9);
    // The expressions the curve was made of keep their t.
    AlgExprRec* x = scene->findAlgExpr("x", "start");
    ASSERT_TRUE(x && x->expression);
    EXPECT_EQ(printExpressionText(*x->expression), "t^2");
}

// Values of the expressions' variables may use t as well.
TEST_F(CurveCommands, TIsTheParameterInsideVariableValuesToo)
{
    write("at.txt", "a*t");
    run({"x=AlgExpr($at.txt)", "y=DefVariable($t)", "AddVariable(x,$a,y)",
         "r=Rectangle(0,0,400,400)", "c=Curve(x,y,r)", "s=Segment(-1,2)", "ParamSet(c)=s"});
    std::optional<CurveBox> box = curve("c").plot().box;
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->xMin, 0, 1e-5);
    EXPECT_NEAR(box->xMax, 4, 1e-5);
}

TEST_F(CurveCommands, ACircleWithTheFlagIsRoundInAWideRectangle)
{
    runCircle({"s=Segment(-3.14,3.14)", "ParamSet(c)=s", "KeepAspRatio(c)=yes", "DrawCurve(c)"});
    CurveRec& c = curve("c");
    EXPECT_DOUBLE_EQ(c.tMin, -3.14);
    EXPECT_DOUBLE_EQ(c.tMax, 3.14);
    EXPECT_TRUE(c.drawn);
    std::optional<PixelRect> drawn = c.plot().drawnBox;
    ASSERT_TRUE(drawn);
    EXPECT_EQ(drawn->width(), drawn->height());
    EXPECT_EQ(drawn->height(), 120);
}

struct FlagCase {
    const char* word;
    AspectRatio expected;
};

class KeepAspectWords : public CurveCommands, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(KeepAspectWords, AWordBeginningWithYKeepsTheAspect)
{
    runCircle({"KeepAspRatio(c)=yes", std::string("KeepAspRatio(c)=") + GetParam().word});
    EXPECT_EQ(curve("c").aspect, GetParam().expected) << GetParam().word;
}

INSTANTIATE_TEST_SUITE_P(Words, KeepAspectWords,
                         ::testing::Values(FlagCase{"yes", AspectRatio::Keep},
                                           FlagCase{"no", AspectRatio::Stretch}));

TEST_F(CurveCommands, AnImageTakesTheCurveAsItIsNow)
{
    runCircle({"s=Segment(0,2)", "ParamSet(c)=s", "KeepAspRatio(c)=yes", "g=String($z*z+1)",
               "f=AnalyticF(g)", "q=Rectangle(400,0,800,400)", "w=Image(c,f,q)", "u=Segment(1,3)",
               "ParamSet(c)=u", "KeepAspRatio(c)=no"});
    CurveRec& w = curve("w");
    EXPECT_TRUE(w.isImage());
    EXPECT_FALSE(w.drawn);
    EXPECT_EQ(w.tMin, 0);
    EXPECT_EQ(w.tMax, 2);
    EXPECT_EQ(w.aspect, AspectRatio::Keep);
    EXPECT_EQ(w.rect.x1, 400);
    EXPECT_EQ(curve("c").tMin, 1);
    EXPECT_TRUE(messageTexts().empty());
}

TEST_F(CurveCommands, TheRunJsonListsCurvesAndIntervals)
{
    runCircle({"s=Segment(-1.5,2)", "DrawCurve(c)"});
    std::string json = scene->json();
    EXPECT_NE(json.find("\"curves\":[{\"names\":[[\"c\",\"start\"]],\"x\":\"cos(x)\","
                        "\"y\":\"sin(x)\",\"rectangle\":[0,0,400,200],\"parameter\":[0,"
                        "1],\"keepAspect\":false,\"drawn\":true,\"colour\":16777215,"
                        "\"analytic\":false,\"function\":null,\"plot\":{\"samples\":1001,"
                        "\"failed\":0,\"box\":"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"parameterIntervals\":[{\"names\":[[\"s\",\"start\"]],"
                        "\"lo\":-1.5,\"hi\":2}]"),
              std::string::npos)
        << json;
    // Graphs and algebra programs have no curve arrays.
    std::string algebra = algebraScene->json();
    EXPECT_EQ(algebra.find("\"curves\""), std::string::npos);
}

struct AnalyticCase {
    const char* name;
    int module;
    const char* source;
    bool warned;
    const char* expression;
};

class AnalyticFunctions : public CurveCommands,
                          public ::testing::WithParamInterface<AnalyticCase> {};

// A function of names other than z is made after its warning, in the
// Curves module and in the expression modules alike.
TEST_P(AnalyticFunctions, AreMadeAndWarnedAboutOtherVariables)
{
    const AnalyticCase& test = GetParam();
    write("f.txt", "1/z+z");
    run({std::string("s=String(") + test.source + ")", "f=AnalyticF(s)"}, test.module);
    GraphScene* where = test.module == 508 ? scene : algebraScene;
    AlgExprRec* f = where->findAlgExpr("f", "start");
    ASSERT_TRUE(f && f->expression) << test.name;
    EXPECT_TRUE(f->analytic);
    EXPECT_EQ(printExpressionText(*f->expression), test.expression) << test.name;
    std::vector<std::string> expected;
    if (test.warned)
        expected.push_back(
            "Runtime error.: Function is not analytic. Use only a variable 'z'.\nResults may "
            "not be valid.");
    EXPECT_EQ(messageTexts(), expected) << test.name;
}

INSTANTIATE_TEST_SUITE_P(Sources, AnalyticFunctions,
                         ::testing::Values(AnalyticCase{"text", 508, "$z*z+1", false, "z^2+1"},
                                           AnalyticCase{"file", 508, "$f.txt", false, "(z^2+1)/z"},
                                           AnalyticCase{"x", 508, "$x*x", true, "x^2"},
                                           AnalyticCase{"two names", 508, "$z+w", true, "w+z"},
                                           AnalyticCase{"algebra module", 505, "$z+a", true,
                                                        "a+z"}));

TEST_F(CurveCommands, AFunctionThatCannotBeReadIsRefused)
{
    run({"s=String($z+*1)", "f=AnalyticF(s)"});
    EXPECT_EQ(scene->findAlgExpr("f", "start"), nullptr);
    ASSERT_EQ(host.messages().size(), 1U);
    EXPECT_EQ(host.messages()[0].caption, "Runtime error.");
}

TEST_F(CurveCommands, ACurveOfAVerticalLineInASmallRectangleIsDrawn)
{
    write("one.txt", "1");
    run({"x=AlgExpr($one.txt)", "y=DefVariable($t)", "r=Rectangle(10,10,10,100)", "c=Curve(x,y,r)",
         "KeepAspRatio(c)=yes", "DrawCurve(c)"});
    CurvePlot plot = curve("c").plot();
    ASSERT_TRUE(plot.drawnBox);
    EXPECT_EQ(plot.drawnBox->x1, 10);
    EXPECT_EQ(plot.drawnBox->x2, 10);
    ASSERT_TRUE(plot.box);
    EXPECT_EQ(plot.box->xMin, 0);
    EXPECT_EQ(plot.box->xMax, 2);
}

// Undo keeps copies of the scene's records: a copied curve is a whole curve
// that the original's later changes leave alone.
TEST_F(CurveCommands, ACopiedCurveStandsOnItsOwn)
{
    static_assert(std::is_copy_constructible_v<CurveRec>);
    static_assert(std::is_copy_constructible_v<ParameterIntervalRec>);
    runCircle({"g=String($z*z)", "f=AnalyticF(g)", "w=Image(c,f,r)"});
    CurveRec copy = curve("w");
    curve("w").tMax = 5;
    curve("w").functionPrograms.clear();
    EXPECT_EQ(copy.tMax, 1);
    ASSERT_EQ(copy.functionPrograms.size(), 1U);
    std::optional<CurveBox> box = copy.plot().box;
    ASSERT_TRUE(box);
    // cos(1)^2 - sin(1)^2 = cos(2) is the least real part.
    EXPECT_NEAR(box->xMin, -0.416147, 1e-4);
}

// A Curves run is one undo step: the curves, their images and parameter
// intervals come back with the whole scene.
TEST_F(CurveCommands, UndoAndRedoRestoreTheCurves)
{
    auto sceneJson = [this] {
        std::string json = scene->json();
        return json;
    };
    runCircle({"g=String($z*z)", "f=AnalyticF(g)", "w=Image(c,f,r)", "DrawCurve(w)"});
    std::string images = sceneJson();
    run({"q=AlgExpr($square.txt)", "p=AlgExpr($cos.txt)"});
    std::string other = sceneJson();
    ASSERT_NE(other, images);
    ASSERT_TRUE(window.undo());
    EXPECT_EQ(sceneJson(), images);
    EXPECT_EQ(curve("w").functionPrograms.size(), 1U);
    ASSERT_TRUE(window.redo());
    EXPECT_EQ(sceneJson(), other);
}

} // namespace
} // namespace kestrane
