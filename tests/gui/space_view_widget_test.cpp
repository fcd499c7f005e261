// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"
#include "program_paths.h"
#include "script/compiler.h"
#include "script/module.h"
#include "script/script_loader.h"
#include "space/space_scene.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>
#include <QTimer>

namespace kestrane {
namespace {

class SpaceViewWidgetTest : public ::testing::Test {
protected:
    SpaceViewWidgetTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
};

constexpr std::string_view kPlayingCube = "void start()\r\n"
                                          "A=point(300,200,0)\r\nB=point(500,200,0)\r\n"
                                          "C=point(500,400,0)\r\nD=point(300,400,0)\r\n"
                                          "E=point(300,200,200)\r\nF=point(500,200,200)\r\n"
                                          "G=point(500,400,200)\r\nH=point(300,400,200)\r\n"
                                          "M=point(400,300,100)\r\n"
                                          "p1=polygon(A,B,C,D)\r\np2=polygon(E,F,G,H)\r\n"
                                          "p3=polygon(A,B,F,E)\r\np4=polygon(D,C,G,H)\r\n"
                                          "p5=polygon(A,D,H,E)\r\np6=polygon(B,C,G,F)\r\n"
                                          "cube=polyhedron(M)\r\n"
                                          "AddFaces(cube,p1,p2,p3,p4,p5,p6)\r\n"
                                          "Coloring(cube)\r\n"
                                          "Play(cube,3,5,0)\r\n"
                                          "END\r\n";

TEST_F(SpaceViewWidgetTest, PlayTurnsTheCubeOnTheWindowsTimer)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();

    Directories directories;
    ScriptLoader loader(m_host, directories);
    std::unique_ptr<ScriptFile> main = loader.build(kPlayingCube, 503, "NoName", "", "");
    ModuleState modules;
    modules.set(503);
    CompileResult compiled = Compiler(modules, m_host).compile(*main);
    ASSERT_TRUE(compiled.ok()) << compiled.error->message << " at line "
                               << compiled.error->sourceLine + 1;
    ConstructionWindow& model = application.constructionWindow();
    ASSERT_TRUE(model.startProgram(*main, 503, RunMode::Run));
    auto* scene = dynamic_cast<SpaceScene*>(model.state().scene());
    ASSERT_NE(scene, nullptr);
    const PolyhedronRec& cube = *scene->findPolyhedron("cube");
    EXPECT_EQ(cube.angles, (std::array<int, 3>{0, 0, 0}));

    // The timer ticks every 130 ms; no statement runs on it, only the view.
    QTest::qWait(700);
    EXPECT_GE(cube.angles[0], 9);
    EXPECT_EQ(cube.angles[0] % 3, 0);
    EXPECT_EQ(cube.angles[1], cube.angles[0] / 3 * 5);
    EXPECT_EQ(cube.angles[2], 0);

    // Q on the window stops the turning.
    QTest::keyClick(window.canvas(), Qt::Key_Q);
    int stopped = cube.angles[0];
    QTest::qWait(400);
    EXPECT_EQ(cube.angles[0], stopped);
}

// Counts the paints of a widget that come while a command draws its progress.
class PaintsDuringProgress : public QObject {
public:
    explicit PaintsDuringProgress(const ConstructionWindow& model) : m_model(model) {}
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_model.state().progress().running())
            ++count;
        return false;
    }

private:
    const ConstructionWindow& m_model;
};

// Build4D runs inside one statement; its progress box and ticks reach the
// screen because the drawing area repaints at once while it runs.
TEST_F(SpaceViewWidgetTest, Build4DRepaintsItsProgressWhileItRuns)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ConstructionWindow& model = application.constructionWindow();
    PaintsDuringProgress paints(model);
    window.canvas()->installEventFilter(&paints);

    std::string text = "void start()\r\n";
    for (std::string_view line :
         {"A=point(0,0,0,0)", "B=point(200,0,0,0)", "C=point(200,200,0,0)", "D=point(0,200,0,0)",
          "E=point(0,0,200,0)", "F=point(200,0,200,0)", "G=point(200,200,200,0)",
          "H=point(0,200,200,0)", "p1=polygon(A,B,C,D)", "p2=polygon(E,F,G,H)",
          "p3=polygon(A,B,F,E)", "p4=polygon(D,C,G,H)", "p5=polygon(A,D,H,E)",
          "p6=polygon(B,C,G,F)", "cube=polyhedron()", "AddFaces(cube,p1,p2,p3,p4,p5,p6)",
          "M=point(100,100,100,100)", "T=polytope(M)", "AddCell(T,cube)", "Build4D(T)"})
        text += std::string(line) + "\r\n";
    text += "END\r\n";
    Directories directories;
    ScriptLoader loader(m_host, directories);
    std::unique_ptr<ScriptFile> main = loader.build(text, 604, "NoName", "", "");
    ModuleState modules;
    modules.set(604);
    ASSERT_TRUE(Compiler(modules, m_host).compile(*main).ok());
    ASSERT_TRUE(model.startProgram(*main, 604, RunMode::Run));
    EXPECT_GE(paints.count, 1);
    EXPECT_FALSE(model.state().progress().running());
    window.canvas()->removeEventFilter(&paints);
}

} // namespace
} // namespace kestrane
