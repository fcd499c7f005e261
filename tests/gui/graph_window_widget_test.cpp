// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window opened from the script editor's Windows menu: a key and
// Ctrl+G reach the model and the graph is painted; the menus carry their
// shortcuts; the domain dialog edits the domain.
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/domain_dialog_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "modal_helper.h"
#include "support/temp_dir.h"

#include "expressions/expression_text.h"
#include "program_paths.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <optional>

namespace kestrane {
namespace {

using testing::onNextModal;

class GraphWindowWidgetTest : public ::testing::Test {
protected:
    GraphWindowWidgetTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
        m_application.emplace(m_host, m_paths);
        m_application->start();
        m_application->directories().main = m_dir.path().string();
    }

    kestrane::testing::TempDir m_dir;
    QtHost m_host;
    ProgramPaths m_paths;
    std::optional<Application> m_application;
};

// Blue pixels (the curve's dark blue, smoothed) inside the graph's rectangle.
int graphPixels(QWidget& area)
{
    QImage image = area.grab().toImage();
    int count = 0;
    const PixelRect& rect = GraphWindow::kGraphRect;
    for (int y = rect.y1; y < rect.y2; ++y)
        for (int x = rect.x1; x < rect.x2; ++x)
            if (QColor colour = image.pixelColor(x, y);
                colour.blue() > colour.red() + 60 && colour.blue() > colour.green() + 60)
                ++count;
    return count;
}

TEST_F(GraphWindowWidgetTest, OpensFromTheEditorAndDrawsTheGraph)
{
    ConstructionWindowWidget window(*m_application);
    window.show();
    window.openScriptEditor();
    ScriptEditorWidget& editor = *window.scriptEditor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QAction* item = editor.action("functions");
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());

    std::string caption;
    std::string expression;
    bool plotted = false;
    int blue = 0;
    onNextModal([&](QDialog& dialog) {
        auto* graph = qobject_cast<GraphWindowWidget*>(&dialog);
        ASSERT_NE(graph, nullptr);
        caption = graph->windowTitle().toStdString();
        EXPECT_EQ(graph->clientArea()->width(), 1000);
        EXPECT_EQ(graph->clientArea()->height(), 700);
        QTest::keyClick(graph, Qt::Key_X);
        QTest::keyClick(graph, Qt::Key_G, Qt::ControlModifier);
        expression = printExpressionText(graph->model().editor().expression());
        plotted = graph->model().plot() != nullptr;
        blue = graphPixels(*graph->clientArea());
        // The changed expression: the question is answered No.
        onNextModal([](QDialog& question) {
            auto* box = qobject_cast<QMessageBox*>(&question);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Files");
            box->button(QMessageBox::No)->click();
        });
        dialog.close();
    });
    item->trigger();
    EXPECT_EQ(caption, "NoName");
    EXPECT_EQ(expression, "x");
    EXPECT_TRUE(plotted);
    EXPECT_GT(blue, 100);
}

TEST_F(GraphWindowWidgetTest, MenusCarryTheirShortcuts)
{
    GraphWindowWidget window(m_host, {});
    const std::pair<const char*, const char*> items[] = {
        {"New", "Ctrl+W"},           {"Open", "Ctrl+O"},      {"Root", "Ctrl+R"},
        {"Ratio", "Ctrl+N"},         {"Power", "Ctrl+P"},     {"Graph", "Ctrl+G"},
        {"Domain", "Ctrl+D"},        {"Cot", "Ctrl+Shift+O"}, {"Log", "Ctrl+Alt+E"},
        {"Save as", "Ctrl+Shift+S"}, {"New expression", ""},  {"Index", "F1"},
        {"Quit", "Ctrl+Q"},
    };
    for (const auto& [caption, shortcut] : items) {
        QAction* action = window.action(caption);
        ASSERT_NE(action, nullptr) << caption;
        EXPECT_EQ(action->shortcut(), QKeySequence(shortcut)) << caption;
    }
}

TEST_F(GraphWindowWidgetTest, DomainDialogShowsAndReplacesTheEnds)
{
    GraphWindowWidget window(m_host, {});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    std::string shownLeft;
    onNextModal([&](QDialog& dialog) {
        ASSERT_NE(qobject_cast<DomainDialogWidget*>(&dialog), nullptr);
        EXPECT_EQ(dialog.windowTitle(), "Domain");
        auto* left = dialog.findChild<QLineEdit*>("leftEnd");
        auto* right = dialog.findChild<QLineEdit*>("rightEnd");
        ASSERT_TRUE(left && right);
        shownLeft = left->text().toStdString();
        EXPECT_EQ(left->maxLength(), 5);
        left->setText("-1.5");
        right->setText("2");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window.action("Domain")->trigger();
    EXPECT_EQ(shownLeft, "0");
    EXPECT_EQ(window.model().domain().leftText, "-1.5");
    EXPECT_EQ(window.model().domain().rightText, "2");
    // A changed domain is an unsaved change too.
    onNextModal([](QDialog& question) {
        auto* box = qobject_cast<QMessageBox*>(&question);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    window.close();
}

} // namespace
} // namespace kestrane
