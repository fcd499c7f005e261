// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "editor/find_dialog.h"
#include "gui/construction_window_widget.h"
#include "gui/find_dialog_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/qt_host.h"
#include "gui/widget_translator.h"
#include "modal_helper.h"
#include "platform/translation.h"
#include "program_paths.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

namespace kestrane {
namespace {

QStringList titlesOf(const QList<QAction*>& actions)
{
    QStringList titles;
    for (QAction* action : actions)
        titles << action->text();
    return titles;
}

// The windows in the language of the environment, through the translator
// the program installs; each case ends in the program's own texts.
class WindowLanguage : public ::testing::Test {
protected:
    WindowLanguage() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        QApplication::instance()->installEventFilter(&m_translator);
    }
    ~WindowLanguage() override
    {
        unsetenv("LANGUAGE");
        setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    }

    static void choose(const char* language)
    {
        unsetenv("LC_ALL");
        setenv("LANGUAGE", language, 1);
        setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
    WidgetTranslator m_translator;
};

TEST_F(WindowLanguage, MenusAndPanelsArePolishWhenShown)
{
    choose("pl");
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    EXPECT_EQ(titlesOf(window.menuBar()->actions()),
              QStringList({"&Plik", "&Nowy", "&Edycja", "P&rogram", "&Opcje", "Pomo&c"}));
    EXPECT_EQ(qobject_cast<QLabel*>(window.statusPanels()[0])->text(), "Wybierz element");
    auto* tool = qobject_cast<QAbstractButton*>(window.statusPanels()[1]);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->text(), "punkt");
    // The caption names the program: it is the same in every language.
    EXPECT_EQ(window.windowTitle(), "Kestrane v. 1.8");

    // A menu is translated as it opens, so items changed meanwhile are too.
    QMenu* edit = window.menuBar()->actions()[2]->menu();
    edit->popup(window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->isVisible(); }));
    EXPECT_EQ(edit->actions()[0]->text(), "&Cofnij");
    edit->close();
}

TEST_F(WindowLanguage, TheProgramsOwnTextsWithoutALanguage)
{
    unsetenv("LANGUAGE");
    setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    window.show();
    EXPECT_EQ(titlesOf(window.menuBar()->actions()),
              QStringList({"&File", "&New", "&Edit", "P&rogram", "&Options", "&Help"}));
    auto* tool = qobject_cast<QAbstractButton*>(window.statusPanels()[1]);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->text(), "point");
}

TEST_F(WindowLanguage, KeysShownBesideAnItemStayAsTheyAre)
{
    choose("pl");
    QMenu menu;
    menu.addAction("&Save\tCtrl+S");
    menu.addAction("A12");
    WidgetTranslator::translateTree(&menu);
    EXPECT_EQ(titlesOf(menu.actions()), QStringList({"&Zapisz\tCtrl+S", "A12"}));
}

TEST_F(WindowLanguage, MessageBoxesShowTheTranslatedCaptionAndText)
{
    choose("pl");
    QString caption;
    QString text;
    testing::onNextModal([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(&dialog))
            text = box->text();
        dialog.accept();
    });
    m_host.message("Error", "Division by zero.");
    EXPECT_EQ(caption, "Błąd");
    EXPECT_EQ(text, "Dzielenie przez zero.");
}

TEST_F(WindowLanguage, CaptionsAndAssistiveTextsOfTheSmallerWindowsArePolish)
{
    choose("pl");
    // The program's own caption stays translated after each command that
    // sets it anew.
    FractionsWindowWidget fractions(m_host, std::filesystem::path(KESTRANE_SOURCE_DIR) / "images");
    fractions.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fractions));
    QTest::keyClick(fractions.windowHandle(), Qt::Key_2);
    EXPECT_EQ(fractions.windowTitle(), "Bez nazwy");
    GraphWindowWidget graph(m_host, GraphWindowWidget::Options{});
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    QTest::keyClick(graph.windowHandle(), Qt::Key_2);
    EXPECT_EQ(graph.windowTitle(), "Bez nazwy");

    // What a screen reader hears of a dialog is in the user's language too.
    FindDialog find("circle");
    FindDialogWidget dialog(find);
    dialog.show();
    EXPECT_EQ(dialog.accessibleDescription(), "tekst do znalezienia w programie");
    dialog.hide();
}

} // namespace
} // namespace kestrane
