// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "gui/watch_panel.h"
#include "platform/translation.h"
#include "program_paths.h"
#include "runtime/construction_window.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QListWidget>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>
#include <optional>

namespace kestrane {
namespace {

class WatchPanelTest : public ::testing::Test {
protected:
    WatchPanelTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        m_application.emplace(m_host, m_paths);
        m_application->start();
        m_application->directories().main = m_dir.path().string();
        m_window.emplace(*m_application);
        m_window->show();
    }

    ScriptEditorWidget& editorWith(std::initializer_list<std::string_view> lines)
    {
        m_window->openScriptEditor();
        ScriptEditorWidget& editor = *m_window->scriptEditor();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        std::string text;
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        editor.model().setText(text);
        editor.model().setModified(false);
        return editor;
    }

    // The construction window takes the keys after the editor handed the
    // program over.
    void activateConstructionWindow()
    {
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&*m_window));
    }

    // Name and value of each row of the panel.
    QStringList rows() const
    {
        QTableWidget* values = m_window->watchPanel()->values();
        QStringList texts;
        for (int row = 0; row < values->rowCount(); ++row)
            texts << values->item(row, 0)->text() + " " + values->item(row, 2)->text();
        return texts;
    }
    QStringList stack() const
    {
        QListWidget* list = m_window->watchPanel()->stack();
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    int highlightedLine() const
    {
        const auto& line = m_window->scriptEditor()->model().executionLine();
        return line ? line->line : -1;
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
    std::optional<Application> m_application;
    std::optional<ConstructionWindowWidget> m_window;
};

TEST_F(WatchPanelTest, ProgramMenuCarriesTheSteppingCommandsAndTheirKeys)
{
    struct Item {
        const char* name;
        QKeySequence keys;
    };
    const Item items[] = {
        {"stepInto", QKeySequence(Qt::Key_F7)},
        {"stepOver", QKeySequence(Qt::Key_F8)},
        {"stepOut", QKeySequence(Qt::SHIFT | Qt::Key_F8)},
        {"continue", QKeySequence(Qt::Key_F9)},
        {"watch", QKeySequence(Qt::Key_F6)},
    };
    for (const Item& item : items) {
        QAction* action = m_window->programAction(item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->shortcut(), item.keys) << item.name;
    }
    ScriptEditorWidget& editor = editorWith({"void start()", "END"});
    EXPECT_EQ(editor.action("toggleBreakpoint")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(editor.action("runToCursor")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F10));
    // The editor's own keys keep their meaning.
    EXPECT_EQ(editor.action("run")->shortcut(), QKeySequence(Qt::Key_F9));
}

TEST_F(WatchPanelTest, ThreeStepsMoveTheHighlightedLineAndFillThePanel)
{
    ScriptEditorWidget& editor =
        editorWith({"void start()", "A=point(10,20)", "B=point(30,20)", "d=distance(A,B)", "END"});
    QTest::keyClick(editor.textArea(), Qt::Key_F7);
    ASSERT_FALSE(editor.isVisible());
    activateConstructionWindow();
    QTest::keyClick(m_window->canvas(), Qt::Key_F6);
    ASSERT_TRUE(m_window->watchPanel()->isVisible());
    EXPECT_EQ(highlightedLine(), 1);
    EXPECT_EQ(stack(), QStringList({"start  (line 2)"}));
    EXPECT_EQ(rows(), QStringList());

    for (int step = 0; step < 3; ++step)
        QTest::keyClick(m_window->canvas(), Qt::Key_F7);
    EXPECT_EQ(highlightedLine(), 4);
    EXPECT_EQ(stack(), QStringList({"start  (line 5)"}));
    EXPECT_EQ(rows(), QStringList({"A (10, 20)", "B (30, 20)", "d 20"}));

    // The last step ends the program: the panel empties.
    QTest::keyClick(m_window->canvas(), Qt::Key_F7);
    EXPECT_FALSE(m_application->constructionWindow().running());
    EXPECT_EQ(highlightedLine(), -1);
    EXPECT_EQ(stack(), QStringList());
    EXPECT_EQ(rows(), QStringList());
}

TEST_F(WatchPanelTest, TheLastConditionLeadsThePanelWithYesOrNo)
{
    ScriptEditorWidget& editor =
        editorWith({"void start()", "A=point(10,20)", "if A == A then", "B=point(30,20)", "END"});
    QTest::keyClick(editor.textArea(), Qt::Key_F7);
    activateConstructionWindow();
    QTest::keyClick(m_window->canvas(), Qt::Key_F6);
    for (int step = 0; step < 2; ++step)
        QTest::keyClick(m_window->canvas(), Qt::Key_F7);
    EXPECT_EQ(rows(), QStringList({"A==A yes", "A (10, 20)"}));
    QTest::keyClick(m_window->canvas(), Qt::Key_F7);
    EXPECT_EQ(rows(), QStringList({"A==A yes", "A (10, 20)", "B (30, 20)"}));
    EXPECT_EQ(m_window->watchPanel()->values()->item(0, 1)->text(), "condition");
}

// Chooses Polish before the windows are made, and the program's own texts
// again afterwards.
class InPolish {
public:
    InPolish()
    {
        unsetenv("LC_ALL");
        setenv("LANGUAGE", "pl", 1);
        setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    }
    ~InPolish()
    {
        unsetenv("LANGUAGE");
        setUpTranslations(KESTRANE_BINARY_DIR "/share/locale");
    }
    InPolish(const InPolish&) = delete;
    InPolish& operator=(const InPolish&) = delete;
};

class PolishWatchPanelTest : private InPolish, public WatchPanelTest {};

TEST_F(PolishWatchPanelTest, HeadersKindsAndPlacesAreTranslatedButNotTheValues)
{
    ScriptEditorWidget& editor =
        editorWith({"void start()", "A=point(10,20)", "if A == A then", "B=point(30,20)", "END"});
    QTest::keyClick(editor.textArea(), Qt::Key_F7);
    activateConstructionWindow();
    QTest::keyClick(m_window->canvas(), Qt::Key_F6);
    for (int step = 0; step < 2; ++step)
        QTest::keyClick(m_window->canvas(), Qt::Key_F7);
    WatchPanel& panel = *m_window->watchPanel();
    EXPECT_EQ(panel.windowTitle(), "Podgląd");
    QTableWidget* values = panel.values();
    QStringList headers;
    for (int column = 0; column < values->columnCount(); ++column)
        headers << values->horizontalHeaderItem(column)->text();
    EXPECT_EQ(headers, QStringList({"Nazwa", "Rodzaj", "Wartość"}));
    EXPECT_EQ(stack(), QStringList({"start  (wiersz 4)"}));
    // The language's yes and no, and the names, stay as the program wrote them.
    EXPECT_EQ(rows(), QStringList({"A==A yes", "A (10, 20)"}));
    EXPECT_EQ(values->item(0, 1)->text(), "warunek");
    EXPECT_EQ(values->item(1, 1)->text(), "punkt");
    EXPECT_TRUE(values->toolTip().contains("…"));
}

TEST_F(WatchPanelTest, ABreakpointSetWithF5StopsTheRunAndContinueEndsIt)
{
    ScriptEditorWidget& editor =
        editorWith({"void start()", "A=point(10,20)", "B=point(30,20)", "END"});
    editor.model().select({2, 0}, {2, 0});
    QTest::keyClick(editor.textArea(), Qt::Key_F5);
    EXPECT_TRUE(editor.model().hasBreakpoint(2));
    QTest::keyClick(editor.textArea(), Qt::Key_F9);
    const ConstructionWindow& model = m_application->constructionWindow();
    ASSERT_TRUE(model.paused());
    EXPECT_EQ(highlightedLine(), 2);
    EXPECT_EQ(model.store().points().size(), 1u);
    activateConstructionWindow();
    QTest::keyClick(m_window->canvas(), Qt::Key_F9);
    EXPECT_FALSE(model.running());
    EXPECT_EQ(model.store().points().size(), 2u);
}

} // namespace
} // namespace kestrane
