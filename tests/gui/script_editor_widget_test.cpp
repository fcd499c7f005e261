// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "expressions/expression_text.h"
#include "gui/construction_window_widget.h"
#include "gui/find_dialog_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "modal_helper.h"
#include "support/temp_dir.h"

#include "numbers/long_num.h"
#include "program_paths.h"
#include "runtime/construction_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <optional>

namespace kestrane {
namespace {

using testing::onNextModal;
using testing::typeFileName;

class ScriptEditorWidgetTest : public ::testing::Test {
protected:
    ScriptEditorWidgetTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        m_application.emplace(m_host, m_paths);
        m_application->start();
        m_application->directories().main = m_dir.path().string();
        m_window.emplace(*m_application);
        m_window->show();
    }

    ScriptEditorWidget& openEditor()
    {
        m_window->openScriptEditor();
        ScriptEditorWidget& editor = *m_window->scriptEditor();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&editor));
        editor.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        return editor;
    }

    std::string lineText(int line)
    {
        return m_window->scriptEditor()->model().lines()[static_cast<std::size_t>(line)].text();
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
    std::optional<Application> m_application;
    std::optional<ConstructionWindowWidget> m_window;
};

// Types the lines into the editor's text area, Enter between them.
void typeLines(QWidget* text, std::initializer_list<const char*> lines)
{
    bool first = true;
    for (const char* line : lines) {
        if (!first)
            QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, line);
        first = false;
    }
}

QStringList titlesOf(QMenuBar* bar)
{
    QStringList titles;
    for (QAction* action : bar->actions())
        titles << action->text();
    return titles;
}

// The desktop starts the program with a script to open: it shows in the
// editor, ready to run.
TEST_F(ScriptEditorWidgetTest, AFileGivenByPathOpensInTheEditor)
{
    ScriptEditorWidget& editor = openEditor();
    std::string path =
        (std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples" / "triangle.kst").string();
    ASSERT_TRUE(editor.openFile(path));
    EXPECT_EQ(editor.model().fileName(), path);
    EXPECT_EQ(lineText(1), "start()");
}

// Fraction and function files given on the command line open in the
// windows that edit them.
TEST_F(ScriptEditorWidgetTest, FractionAndFunctionFilesOpenInTheirWindows)
{
    ScriptEditorWidget& editor = openEditor();
    const std::filesystem::path examples = std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples";
    std::string shown;
    testing::onNextModal([&shown](QDialog& dialog) {
        if (auto* fractions = qobject_cast<FractionsWindowWidget*>(&dialog))
            shown = printExpressionText(fractions->model().mainExpression());
        dialog.reject();
    });
    editor.openFractionsWindow((examples / "textbook.fra").string());
    EXPECT_EQ(shown, "1/(1+a)+sqrt(12)");

    shown.clear();
    testing::onNextModal([&shown](QDialog& dialog) {
        if (auto* graph = qobject_cast<GraphWindowWidget*>(&dialog))
            shown = printExpressionText(graph->model().editor().expression());
        dialog.reject();
    });
    editor.openGraphWindow((examples / "bell.fct").string());
    EXPECT_FALSE(shown.empty());
    EXPECT_NE(shown, "?");
}

TEST_F(ScriptEditorWidgetTest, HasTheMenusWithTheirShortcuts)
{
    ScriptEditorWidget& editor = openEditor();
    EXPECT_EQ(editor.windowTitle(), "NoName");
    EXPECT_EQ(titlesOf(editor.menuBar()), QStringList({"&File", "&Edit", "P&rogram", "&Module",
                                                       "&Windows", "&Options", "&Help"}));
    struct Shortcut {
        const char* name;
        const char* text;
        QKeySequence keys;
    };
    const Shortcut shortcuts[] = {
        {"run", "&Run", QKeySequence(Qt::Key_F9)},
        {"stepOver", "Step &Over", QKeySequence(Qt::Key_F8)},
        {"stepByStep", "&Step-by-step", QKeySequence(Qt::Key_F7)},
        {"find", "&Find", QKeySequence("Ctrl+F")},
        {"findNext", "Fi&nd next", QKeySequence(Qt::Key_F3)},
        {"copy", "Co&py", QKeySequence("Ctrl+Ins")},
        {"paste", "P&aste", QKeySequence("Shift+Ins")},
    };
    for (const Shortcut& shortcut : shortcuts) {
        QAction* action = editor.action(shortcut.name);
        ASSERT_NE(action, nullptr) << shortcut.name;
        EXPECT_EQ(action->text(), shortcut.text);
        EXPECT_EQ(action->shortcut(), shortcut.keys) << shortcut.name;
    }
    EXPECT_FALSE(editor.action("compile")->isVisible());
    EXPECT_FALSE(editor.action("compileToDisk")->isVisible());
    EXPECT_TRUE(editor.action("onScreen")->isVisible());
    EXPECT_TRUE(editor.action("hints")->isChecked());
    editor.action("hints")->trigger();
    EXPECT_EQ(editor.model().hints(), HintsState::Off);
    EXPECT_FALSE(editor.action("hints")->isChecked());

    QMenu* windows = editor.menuBar()->actions()[4]->menu();
    for (QAction* item : windows->actions())
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
    QMenu* modules = editor.menuBar()->actions()[3]->menu();
    ASSERT_EQ(modules->actions().size(), 8);
    modules->actions()[3]->trigger();
    EXPECT_EQ(m_application->moduleState().module(), 504);
    EXPECT_FALSE(editor.model().modified());
}

TEST_F(ScriptEditorWidgetTest, TypingReachesTheModel)
{
    ScriptEditorWidget& editor = openEditor();
    QWidget* text = editor.textArea();
    QTest::keyClicks(text, "start()");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "END");
    QTest::keyClick(text, Qt::Key_Left);
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(lineText(0), "start()");
    EXPECT_EQ(lineText(1), "ED");
    EXPECT_TRUE(editor.model().modified());
    EXPECT_EQ(editor.model().cursor(), (TextPosition{1, 1}));
    EXPECT_FALSE(editor.scrollBar()->isVisible());
    for (int line = 0; line < 40; ++line)
        QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(editor.scrollBar()->isVisible());
    EXPECT_EQ(editor.scrollBar()->value(), editor.model().topLine());
}

TEST_F(ScriptEditorWidgetTest, F9ClosesTheEditorAndHandsTheProgramOver)
{
    ScriptEditorWidget& editor = openEditor();
    std::optional<HandOver> received;
    QObject::connect(&editor, &ScriptEditorWidget::handedOver,
                     [&received](const HandOver& handOver) { received = handOver; });
    QWidget* text = editor.textArea();
    QTest::keyClicks(text, "start()");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "A = point(10, 20)");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "END");
    editor.model().directories().working = "/tmp/working";
    QTest::keyClick(text, Qt::Key_F9);

    ASSERT_TRUE(received.has_value());
    EXPECT_EQ(received->runState, RunState::Run);
    EXPECT_EQ(received->programText, "start()\r\nA=point(10,20)\r\nEND");
    EXPECT_EQ(received->mainFile, &editor.model().mainFile());
    EXPECT_FALSE(editor.isVisible());
    // The editor's directories went back to the construction window.
    EXPECT_EQ(m_application->directories().working, "/tmp/working");
    // Nothing is pending any more: a later close asks about the changes.
    EXPECT_EQ(editor.model().handOver().runState, RunState::Nothing);
}

TEST_F(ScriptEditorWidgetTest, ACompileErrorKeepsTheEditorOpen)
{
    ScriptEditorWidget& editor = openEditor();
    QWidget* text = editor.textArea();
    QTest::keyClicks(text, "start()");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "l = line(A, B)");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "END");
    editor.action("run")->trigger();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.model().errorShown());
    EXPECT_EQ(editor.model().cursorLine(), 1);
}

TEST_F(ScriptEditorWidgetTest, TheTimerStopsWhileTheFindDialogIsOpen)
{
    ScriptEditorWidget& editor = openEditor();
    QTest::keyClicks(editor.textArea(), "find the word here");
    ASSERT_TRUE(editor.blinkTimer()->isActive());
    bool timerRan = true;
    QString caption;
    onNextModal([&](QDialog& dialog) {
        caption = dialog.windowTitle();
        timerRan = editor.blinkTimer()->isActive();
        auto* find = dynamic_cast<FindDialogWidget*>(&dialog);
        ASSERT_NE(find, nullptr);
        EXPECT_EQ(find->field()->maxLength(), 40);
        find->field()->setText("word");
        QTest::keyClick(find->field(), Qt::Key_Return);
    });
    editor.action("find")->trigger();
    EXPECT_EQ(caption, "Find");
    EXPECT_FALSE(timerRan);
    EXPECT_EQ(editor.model().selection().start, (TextPosition{0, 9}));
    EXPECT_EQ(editor.model().cursor(), (TextPosition{0, 13}));
    EXPECT_TRUE(editor.blinkTimer()->isActive());
}

TEST_F(ScriptEditorWidgetTest, CancelOnClosingKeepsTheEditorOpen)
{
    ScriptEditorWidget& editor = openEditor();
    QTest::keyClicks(editor.textArea(), "unsaved");
    QString question;
    onNextModal([&question](QDialog& dialog) {
        question = dialog.windowTitle();
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(question, "Files");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(lineText(0), "unsaved");

    onNextModal([](QDialog& dialog) {
        qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::No)->click();
    });
    EXPECT_TRUE(editor.close());
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(ScriptEditorWidgetTest, EndingTheProgramAsksAboutTheEditorsChanges)
{
    ScriptEditorWidget& editor = openEditor();
    QTest::keyClicks(editor.textArea(), "unsaved");
    onNextModal([](QDialog& dialog) {
        qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(editor.isVisible());
}

TEST_F(ScriptEditorWidgetTest, TheMainWindowOpensTheEditorFromTextPanelMenuAndEsc)
{
    ScriptEditorWidget* editor = m_window->scriptEditor();
    m_application->directories().library = "/tmp/library";
    QTest::mouseClick(m_window->statusPanels()[7], Qt::LeftButton);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->model().directories().library, "/tmp/library");
    EXPECT_EQ(editor->model().directories().main, m_dir.path().string());
    editor->close();
    ASSERT_FALSE(editor->isVisible());

    // Esc goes back to the editor only when there is a program text; a
    // listing of the text is ended by Esc first.
    m_window->activateWindow();
    QTest::keyClick(m_window->centralWidget(), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    m_application->constructionWindow().showListing("start()\r\nEND");
    QTest::keyClick(m_window->centralWidget(), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(m_application->constructionWindow().listingShown());
    QTest::keyClick(m_window->centralWidget(), Qt::Key_Escape);
    EXPECT_TRUE(editor->isVisible());
    editor->close();

    QMenu* edit = nullptr;
    for (QAction* menu : m_window->menuBar()->actions())
        if (menu->text() == "&Edit")
            edit = menu->menu();
    ASSERT_NE(edit, nullptr);
    QAction* textItem = edit->actions().back();
    EXPECT_EQ(textItem->text(), "&Text");
    EXPECT_TRUE(textItem->isEnabled());
    textItem->trigger();
    EXPECT_TRUE(editor->isVisible());
    editor->close();
}

TEST_F(ScriptEditorWidgetTest, CtrlCAndCtrlInsertCopyAndCtrlXCutsTheSelection)
{
    ScriptEditorWidget& editor = openEditor();
    QWidget* text = editor.textArea();
    QTest::keyClicks(text, "one two");
    QTest::keyClick(text, Qt::Key_Home);
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(text, Qt::Key_Right, Qt::ShiftModifier);
    QApplication::clipboard()->clear();
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "one");
    QApplication::clipboard()->clear();
    QTest::keyClick(text, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "one");
    QTest::keyClick(text, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(lineText(0), " two");
}

TEST_F(ScriptEditorWidgetTest, SaveAsAddsTheExtensionToATypedName)
{
    ScriptEditorWidget& editor = openEditor();
    typeLines(editor.textArea(), {"start()", "END"});
    std::string typed = (m_dir / "lesson").string();
    onNextModal([typed](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(files, nullptr);
        typeFileName(*files, QString::fromStdString(typed));
        QMetaObject::invokeMethod(files, "accept");
    });
    editor.action("saveAs")->trigger();
    EXPECT_TRUE(std::filesystem::exists(m_dir / "lesson.kst"));
    EXPECT_EQ(editor.windowTitle().toStdString(), (m_dir / "lesson.kst").string());
}

TEST_F(ScriptEditorWidgetTest, OnScreenShowsTheListingOverTheDrawing)
{
    ScriptEditorWidget& editor = openEditor();
    typeLines(editor.textArea(), {"start()", "A = point(10, 20)", "END"});
    editor.action("onScreen")->trigger();
    EXPECT_FALSE(editor.isVisible());
    const ConstructionWindow& model = m_application->constructionWindow();
    ASSERT_TRUE(model.listingShown());
    EXPECT_EQ(model.listing()[1], "A = point(10, 20)");
    QTest::keyClick(m_window->canvas(), Qt::Key_Escape);
    EXPECT_FALSE(model.listingShown());
}

TEST_F(ScriptEditorWidgetTest, AScriptTypedAndRunWithF9BuildsItsConstruction)
{
    ScriptEditorWidget& editor = openEditor();
    typeLines(editor.textArea(), {"start()", "A = point(10, 20)", "END"});
    QTest::keyClick(editor.textArea(), Qt::Key_F9);

    EXPECT_FALSE(editor.isVisible());
    const ObjectStore& store = m_application->constructionWindow().store();
    const PointRec* point = store.find<PointRec>("A", "start");
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(LongToDecimal(point->x), "10.000000000000000");
    EXPECT_EQ(LongToDecimal(point->y), "20.000000000000000");
    EXPECT_FALSE(m_application->constructionWindow().running());
}

TEST_F(ScriptEditorWidgetTest, F7StepsTheProgramWithTheSpaceBar)
{
    ScriptEditorWidget& editor = openEditor();
    typeLines(editor.textArea(), {"start()", "A = point(10, 20)", "B = point(30, 40)", "END"});
    QTest::keyClick(editor.textArea(), Qt::Key_F7);

    const ConstructionWindow& model = m_application->constructionWindow();
    ASSERT_TRUE(model.running());
    EXPECT_EQ(model.store().points().size(), 0u);
    QTest::keyClick(m_window->canvas(), Qt::Key_Space);
    EXPECT_EQ(model.store().points().size(), 1u);
    QTest::keyClick(m_window->canvas(), Qt::Key_Space);
    QTest::keyClick(m_window->canvas(), Qt::Key_Space);
    EXPECT_EQ(model.store().points().size(), 2u);
}

TEST_F(ScriptEditorWidgetTest, ACircleDrawnAcrossALineWithTheMouseMakesTheTwoCrossings)
{
    QWidget* canvas = m_window->canvas();
    auto clickAt = [canvas](int x, int y) {
        QTest::mouseMove(canvas, QPoint(x, y));
        QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    };
    QTest::mouseClick(m_window->statusPanels()[3], Qt::LeftButton); // "line"
    clickAt(100, 300);
    clickAt(500, 300);
    QTest::mouseClick(m_window->statusPanels()[4], Qt::LeftButton); // "circle"
    EXPECT_EQ(m_application->constructionWindow().messagePanelText(), "find center");
    clickAt(300, 250);
    clickAt(300, 350);

    const ObjectStore& store = m_application->constructionWindow().store();
    ASSERT_EQ(store.lines().size(), 1u);
    ASSERT_EQ(store.circles().size(), 1u);
    ASSERT_EQ(store.points().size(), 6u);
    for (size_t crossing : {4u, 5u}) {
        EXPECT_EQ(LongToDecimal(store.points()[crossing]->y), "300.000000000000000");
        EXPECT_NEAR(std::abs(store.points()[crossing]->floats.x - 300), 86.6, 0.01);
    }
}

// The left part of the message panel as drawn.
QImage leftOfPanel(ConstructionWindow& model, QWidget* panel, const std::string& text)
{
    model.state().showMessage(text, text);
    return panel->grab().toImage().copy(0, 0, 80, panel->height());
}

// Two long step lines with the same command word look the same at the left
// edge of the panel: each shows its beginning, whatever its length.
TEST_F(ScriptEditorWidgetTest, ALongStepLineShowsItsBeginning)
{
    ConstructionWindow& model = m_application->constructionWindow();
    QWidget* panel = m_window->statusPanels()[ConstructionWindow::kMessagePanel];
    QImage shorter = leftOfPanel(model, panel, "RemovePoint(" + std::string(70, 'A') + ")");
    QImage longer = leftOfPanel(model, panel, "RemovePoint(" + std::string(90, 'B') + ")");
    EXPECT_EQ(shorter, longer);
    EXPECT_NE(shorter, leftOfPanel(model, panel, "short"));
}

TEST_F(ScriptEditorWidgetTest, TheTimerAlternatesTheMessagePanel)
{
    ConstructionWindow& model = m_application->constructionWindow();
    model.state().showMessage("first line", "second line");
    EXPECT_EQ(m_window->timer()->interval(), 130);
    // Line 2 comes up on the seventh tick, a little under a second later.
    for (int wait = 0; wait < 60 && model.messagePanelText() != "second line"; ++wait)
        QTest::qWait(50);
    EXPECT_EQ(model.messagePanelText(), "second line");
}

} // namespace
} // namespace kestrane
