// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"
#include "program_paths.h"
#include "script/compiler.h"
#include "script/module.h"
#include "script/script_loader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

namespace kestrane {
namespace {

class ConstructionScrollTest : public ::testing::Test {
protected:
    ConstructionScrollTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
    }

    void runProgram(ConstructionWindow& model, int module, std::string_view body)
    {
        std::string text = "void start()\r\n" + std::string(body) + "END\r\n";
        Directories directories;
        ScriptLoader loader(m_host, directories);
        m_main = loader.build(text, module, "NoName", "", "");
        ModuleState modules;
        modules.set(module);
        CompileResult compiled = Compiler(modules, m_host).compile(*m_main);
        ASSERT_TRUE(compiled.ok()) << compiled.error->message;
        ASSERT_TRUE(model.startProgram(*m_main, module, RunMode::Run));
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
    std::unique_ptr<ScriptFile> m_main;
};

// A graph program that places a rectangle and a text below the usual
// drawing makes the drawing taller; the scroll bar reaches its foot, and
// comes back when the run is undone.
TEST_F(ConstructionScrollTest, TheScrollBarFollowsTheTallerDrawingOfAGraphProgram)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    ConstructionWindow& model = application.constructionWindow();
    const int usual = ConstructionWindow::kDrawingHeight;
    EXPECT_EQ(window.scrollBar()->maximum(), usual);

    runProgram(model, 504, "R=Rectangle(10,700,200,900)\r\nText(10,1200,$tall)\r\n");
    ASSERT_EQ(model.drawingHeight(), 1230);
    // Any click on the drawing brings the window up to date.
    QTest::mouseClick(window.canvas(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window.scrollBar()->maximum(), 1230);
    window.scrollBar()->setValue(1000);
    EXPECT_EQ(model.state().store().settings().viewY, 1000);

    QTest::qWait(300); // the timer brings the Edit items up to date
    ASSERT_TRUE(window.undoAction()->isEnabled());
    window.undoAction()->trigger();
    EXPECT_EQ(model.drawingHeight(), usual);
    EXPECT_EQ(window.scrollBar()->maximum(), usual);
}

} // namespace
} // namespace kestrane
