// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/help_viewer.h"
#include "gui/module_dialog_widget.h"
#include "gui/qt_host.h"
#include "modal_helper.h"
#include "program_paths.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

namespace kestrane {
namespace {

using testing::onNextModal;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
};

QStringList itemsOf(QMenu* menu)
{
    QStringList items;
    for (QAction* action : menu->actions())
        items << action->text();
    return items;
}

QMenu* menuNamed(QMainWindow& window, const QString& title)
{
    for (QAction* action : window.menuBar()->actions()) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

TEST_F(MainWindowTest, ShowsCaptionMenusAndStatusPanels)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();

    EXPECT_EQ(window.windowTitle(), "Kestrane v. 1.8");
    EXPECT_EQ(window.size(), QSize(1102, 776));
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&New", "&Edit", "P&rogram", "&Options", "&Help"}));
    EXPECT_EQ(itemsOf(menuNamed(window, "&File")),
              QStringList({"&Open…", "Open &Recent", "&Print…", "", "&Quit"}));
    EXPECT_EQ(itemsOf(menuNamed(window, "&New")),
              QStringList({"point", "segment", "line", "circle", "half-line", "distance"}));
    EXPECT_EQ(itemsOf(menuNamed(window, "&Edit")),
              QStringList({"&Undo", "&Redo", "&Export picture…", "Save figure as &program…",
                           "&Remove all", "&Text"}));
    EXPECT_EQ(itemsOf(menuNamed(window, "&Options")),
              QStringList({"Show &messages", "&Save options"}));
    EXPECT_EQ(itemsOf(menuNamed(window, "&Help")),
              QStringList({"&index", "&This window", "&about"}));
    EXPECT_TRUE(window.showMessagesAction()->isChecked());

    ASSERT_EQ(window.statusPanels().size(), 9u);
    auto* first = qobject_cast<QLabel*>(window.statusPanels()[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "Choose element");
    EXPECT_EQ(qobject_cast<QAbstractButton*>(window.statusPanels()[7])->text(), "Text");

    window.showMessagesAction()->trigger();
    EXPECT_FALSE(application.constructionWindow().showMessages());

    // Closing the main window ends the program.
    EXPECT_TRUE(QApplication::quitOnLastWindowClosed());
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, UndoAndRedoAreGreyedUntilThereIsAStep)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    EXPECT_FALSE(window.undoAction()->isEnabled());
    EXPECT_FALSE(window.redoAction()->isEnabled());
    EXPECT_EQ(window.undoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(window.redoAction()->shortcuts().contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(window.redoAction()->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));

    ConstructionWindow& model = application.constructionWindow();
    model.chooseTool(Tool::Point);
    model.click(100, 100);
    QTest::qWait(300); // the timer brings the items up to date
    ASSERT_TRUE(window.undoAction()->isEnabled());
    window.undoAction()->trigger();
    EXPECT_TRUE(model.store().points().empty());
    EXPECT_FALSE(window.undoAction()->isEnabled());
    EXPECT_TRUE(window.redoAction()->isEnabled());
    window.redoAction()->trigger();
    EXPECT_EQ(model.store().points().size(), 1u);
}

TEST_F(MainWindowTest, PanelsKeepTheirTextAndTheMessagePanelShrinksFirst)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    auto readable = [&window] {
        for (std::size_t index = 0; index + 1 < window.statusPanels().size(); ++index) {
            QWidget* panel = window.statusPanels()[index];
            auto* label = qobject_cast<QLabel*>(panel);
            auto* button = qobject_cast<QAbstractButton*>(panel);
            QString text = label ? label->text() : button->text();
            QString longest = index == 6 ? QString("Remove dist.") : text;
            EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(longest))
                << longest.toStdString() << " at window width " << window.width();
        }
    };
    readable();
    int wide = window.statusPanels()[8]->width();
    window.resize(700, 500);
    QApplication::processEvents();
    readable();
    EXPECT_LT(window.statusPanels()[8]->width(), wide);
}

TEST_F(MainWindowTest, OpensAndClosesTheAboutBox)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    QString caption;
    onNextModal([&caption](QDialog& dialog) {
        caption = dialog.windowTitle();
        dialog.findChild<QAbstractButton*>("ok")->click();
    });
    for (QAction* item : menuNamed(window, "&Help")->actions())
        if (item->text() == "&about")
            item->trigger();
    EXPECT_EQ(caption, "About");
}

TEST_F(MainWindowTest, TheModuleDialogSetsTheModuleOnOk)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    onNextModal([](QDialog& dialog) {
        auto* widget = dynamic_cast<ModuleDialogWidget*>(&dialog);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Module");
        EXPECT_EQ(widget->buttons()->checkedId(), 0);
        widget->buttons()->button(3)->click();
        dialog.accept();
    });
    EXPECT_TRUE(application.chooseModule());
    EXPECT_EQ(application.moduleState().module(), 504);

    onNextModal([](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(application.chooseModule());
    EXPECT_EQ(application.moduleState().module(), 504);
}

TEST_F(MainWindowTest, HelpOpensTheIndexPage)
{
    Application application(m_host, m_paths);
    application.start();
    application.showHelp();
    ASSERT_NE(m_host.helpViewer(), nullptr);
    EXPECT_TRUE(m_host.helpViewer()->isVisible());
}

} // namespace
} // namespace kestrane
