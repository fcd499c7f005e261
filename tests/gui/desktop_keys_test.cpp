// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's habits in every window: the key tables become the menus'
// shortcuts, every interactive control has an accessible name, the painted
// buttons take the keyboard, Open Recent, and drawing at 2x and in a dark
// palette.
#include "app/about_box.h"
#include "app/application.h"
#include "app/directories_dialog.h"
#include "app/key_tables.h"
#include "app/module_dialog.h"
#include "editor/editor_key_table.h"
#include "editor/find_dialog.h"
#include "expressions/expression_text.h"
#include "fractions/colors_dialog.h"
#include "fractions/font_window.h"
#include "fractions/fractions_key_table.h"
#include "fractions/precision_dialog.h"
#include "graphs/domain_dialog.h"
#include "gui/about_dialog.h"
#include "gui/calculator_widget.h"
#include "gui/colors_dialog_widget.h"
#include "gui/construction_window_widget.h"
#include "gui/directories_dialog_widget.h"
#include "gui/domain_dialog_widget.h"
#include "gui/find_dialog_widget.h"
#include "gui/font_window_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/key_shortcuts.h"
#include "gui/module_dialog_widget.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_host.h"
#include "gui/script_editor_widget.h"
#include "gui/variable_editor_widget.h"
#include "modal_helper.h"
#include "platform/files.h"
#include "platform/recent_files.h"
#include "program_paths.h"
#include "runtime/construction_window.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace kestrane {
namespace {

using testing::onNextModal;

class DesktopTest : public ::testing::Test {
protected:
    DesktopTest() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        // Each test keeps its own recent files.
        setenv("XDG_CONFIG_HOME", (m_dir.path() / "config").c_str(), 1);
        m_paths = testing::programPathsIn(m_dir.path());
        m_application.emplace(m_host, m_paths);
        m_application->start();
        m_application->directories().main = m_dir.path().string();
    }

    std::filesystem::path images() const
    {
        return std::filesystem::path(KESTRANE_SOURCE_DIR) / "images";
    }

    // Every window with its key table, shown and active in turn by `visit`.
    void forEachWindow(const std::function<void(QWidget&, const WindowKeyTable&)>& visit)
    {
        ConstructionWindowWidget construction(*m_application);
        visit(construction, *findWindowKeyTable("construction"));
        construction.openScriptEditor();
        visit(*construction.scriptEditor(), *findWindowKeyTable("editor"));
        construction.scriptEditor()->hide();
        GraphWindowWidget graph(m_host, GraphWindowWidget::Options{});
        visit(graph, *findWindowKeyTable("graph"));
        FractionsWindowWidget fractions(m_host, images());
        visit(fractions, *findWindowKeyTable("fractions"));
        CalculatorWidget calculator(m_host, images());
        visit(calculator, *findWindowKeyTable("calculator"));
    }

    testing::CurrentDirectoryGuard m_currentDirectory;
    kestrane::testing::TempDir m_dir;
    QtHost m_host;
    ProgramPaths m_paths;
    std::optional<Application> m_application;
};

void activate(QWidget& window)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::vector<QAction*> menuActions(QWidget& window)
{
    std::vector<QAction*> actions;
    for (auto* bar : window.findChildren<QMenuBar*>()) {
        if (bar->window() != &window)
            continue;
        for (QAction* action : bar->findChildren<QAction*>())
            if (!action->menu() && !action->isSeparator())
                actions.push_back(action);
        // Items owned elsewhere that a menu shows (the watch dock's toggle).
        for (auto* menu : bar->findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (!action->menu() && !action->isSeparator() &&
                    std::find(actions.begin(), actions.end(), action) == actions.end())
                    actions.push_back(action);
            }
        }
    }
    return actions;
}

TEST_F(DesktopTest, EveryMenuKeyTriggersItsItemAndNoKeyIsShared)
{
    forEachWindow([](QWidget& window, const WindowKeyTable& table) {
        SCOPED_TRACE(std::string(table.name));
        activate(window);
        // The editor greys Undo and Redo at every key, Ctrl too, while there
        // is nothing to undo: give it a step of each.
        if (auto* editor = qobject_cast<ScriptEditorWidget*>(&window)) {
            editor->model().keyDown(Key::None, {}, "a");
            editor->model().keyDown(Key::None, {}, " ");
            editor->model().keyDown(Key::None, {}, "b");
            editor->model().undo();
            editor->model().setModified(false);
        }
        std::vector<QAction*> actions = menuActions(window);
        // Two items with one key would trigger neither.
        std::map<QString, QString> owners;
        for (QAction* action : actions) {
            for (const QKeySequence& keys : action->shortcuts()) {
                auto [at, fresh] = owners.emplace(keys.toString(), action->objectName());
                EXPECT_TRUE(fresh)
                    << keys.toString().toStdString() << " is " << at->second.toStdString()
                    << " and " << action->objectName().toStdString();
            }
        }
        // The items do nothing here: the test only counts what the keys reach.
        std::map<QAction*, std::unique_ptr<QSignalSpy>> spies;
        for (QAction* action : actions) {
            action->setEnabled(true);
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            spies[action] = std::make_unique<QSignalSpy>(action, &QAction::triggered);
        }
        for (const KeyBinding& binding : table.bindings) {
            if (binding.route != KeyRoute::Menu)
                continue;
            QAction* item =
                menuItem(window, QString::fromUtf8(binding.action.data(), binding.action.size()));
            ASSERT_NE(item, nullptr) << binding.action;
            QKeySequence keys(QString::fromUtf8(binding.keys.data(), binding.keys.size()));
            EXPECT_TRUE(item->shortcuts().contains(keys)) << binding.keys;
            // The timers grey Undo and Redo when there is nothing to undo.
            item->setEnabled(true);
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
            QTest::keyClick(target, keys[0].key(), keys[0].keyboardModifiers());
            EXPECT_EQ(spies[item]->count(), 1)
                << binding.keys << " did not reach " << binding.action;
            for (auto& [action, spy] : spies) {
                if (action != item) {
                    EXPECT_EQ(spy->count(), 0)
                        << binding.keys << " reached " << action->objectName().toStdString();
                }
                spy->clear();
            }
        }
        window.hide();
    });
}

TEST_F(DesktopTest, TheExpressionWindowsShowTheirOwnKeysBesideTheItems)
{
    FractionsWindowWidget fractions(m_host, images());
    EXPECT_EQ(fractions.action("Main")->text(), "&Main\tCtrl+M");
    EXPECT_EQ(fractions.action("Fraction")->text(), "&Fraction\tCtrl+N");
    EXPECT_TRUE(fractions.action("Main")->shortcuts().isEmpty());
    EXPECT_EQ(fractions.action("Quit")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_TRUE(fractions.action("Save")->shortcuts().isEmpty()) << "Ctrl+S substitutes here";
}

// Walks an accessibility tree and names every control a user can act on
// that has no name.
void collectUnnamed(QAccessibleInterface* node, const QString& path, QStringList& unnamed,
                    int depth = 0)
{
    if (!node || depth > 30 || node->state().invisible)
        return;
    static const QList<QAccessible::Role> kInteractive = {
        QAccessible::Button,       QAccessible::PushButton, QAccessible::CheckBox,
        QAccessible::RadioButton,  QAccessible::MenuItem,   QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::ScrollBar,  QAccessible::Slider,
        QAccessible::SpinBox,      QAccessible::PageTab,    QAccessible::ButtonMenu,
    };
    bool interactive = kInteractive.contains(node->role()) || node->state().focusable;
    QString name = node->text(QAccessible::Name);
    QString here =
        path + "/" +
        (name.isEmpty() && node->object() ? node->object()->metaObject()->className() : name);
    bool separator = node->role() == QAccessible::Separator;
    if (interactive && !separator && name.trimmed().isEmpty())
        unnamed << here;
    for (int index = 0; index < node->childCount(); ++index)
        collectUnnamed(node->child(index), here, unnamed, depth + 1);
}

TEST_F(DesktopTest, NoWindowHasAnUnnamedControl)
{
    forEachWindow([](QWidget& window, const WindowKeyTable& table) {
        activate(window);
        QStringList unnamed;
        collectUnnamed(QAccessible::queryAccessibleInterface(&window), QString(), unnamed);
        // The menus' items are named by their texts.
        for (auto* menu : window.findChildren<QMenu*>())
            if (menu->window() == menu)
                collectUnnamed(QAccessible::queryAccessibleInterface(menu), menu->title(), unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << table.name << ": " << unnamed.join(", ").toStdString();
        window.hide();
    });
}

// What an assistive tool finds wrong in a window: controls without a name,
// and the window or one of its menus without a description.
QStringList accessibilityProblems(QWidget& window)
{
    QStringList problems;
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&window);
    collectUnnamed(node, window.objectName(), problems);
    if (node->text(QAccessible::Name).trimmed().isEmpty())
        problems << "the window has no name";
    if (node->text(QAccessible::Description).trimmed().isEmpty())
        problems << "the window has no description";
    for (auto* menu : window.findChildren<QMenu*>()) {
        emit menu->aboutToShow();
        if (QAccessible::queryAccessibleInterface(menu)->text(QAccessible::Description).isEmpty())
            problems << "menu " + menu->title() + " has no description";
    }
    return problems;
}

TEST_F(DesktopTest, EveryMainWindowAndItsMenusAreDescribed)
{
    forEachWindow([](QWidget& window, const WindowKeyTable& table) {
        activate(window);
        EXPECT_TRUE(accessibilityProblems(window).isEmpty())
            << table.name << ": " << accessibilityProblems(window).join(", ").toStdString();
        window.hide();
    });
}

TEST_F(DesktopTest, EverySmallerDialogIsDescribedAndNamesItsControls)
{
    // Each dialog shown as the program shows it; the walk runs while it is
    // up.
    auto check = [](QDialog& dialog, const char* which) {
        SCOPED_TRACE(which);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QStringList problems = accessibilityProblems(dialog);
        EXPECT_TRUE(problems.isEmpty()) << which << ": " << problems.join(", ").toStdString();
        dialog.hide();
    };
    AboutBox about;
    AboutDialog aboutDialog(about);
    check(aboutDialog, "about");
    FindDialog find("circle");
    FindDialogWidget findDialog(find);
    check(findDialog, "find");
    FontWindow font("Arial", 20);
    FontWindowWidget fontDialog(font, m_host);
    check(fontDialog, "font");
    PrecisionDialogWidget precision(m_host);
    check(precision, "precision");
    ColorsDialog colours(kWhite, kBlack);
    ColorsDialogWidget coloursDialog(colours, m_host);
    check(coloursDialog, "colours");
    DirectoriesDialog directories(m_application->directories());
    DirectoriesDialogWidget directoriesDialog(directories, m_host);
    check(directoriesDialog, "directories");
    ModuleDialog module(501);
    ModuleDialogWidget moduleDialog(module);
    check(moduleDialog, "module");
    DomainDialog domain(GraphDomain{});
    DomainDialogWidget domainDialog(domain);
    check(domainDialog, "domain");

    // The two names of the colours dialog's Browse buttons tell them apart.
    QStringList browse;
    for (auto* button : coloursDialog.findChildren<QPushButton*>())
        if (button->text() == "Browse")
            browse << button->accessibleName();
    EXPECT_EQ(browse.size(), 2);
    EXPECT_EQ(QSet<QString>(browse.begin(), browse.end()).size(), 2)
        << browse.join(", ").toStdString();

    // The variable editor opens from the Fractions window's New variable.
    FractionsWindowWidget fractions(m_host, images());
    activate(fractions);
    bool walked = false;
    onNextModal([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<VariableEditorWidget*>(&dialog), nullptr);
        QStringList problems = accessibilityProblems(dialog);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
        walked = true;
        dialog.reject();
    });
    fractions.action("New variable")->trigger();
    EXPECT_TRUE(walked);
}

TEST_F(DesktopTest, TheResultsWindowReadsOutTheWholeResult)
{
    int words = calcWords();
    // Enough digits that the result needs its own window.
    setCalcWords(300);
    CalculatorWidget calculator(m_host, images());
    activate(calculator);
    calculator.model().editor().setExpression(parseExpressionText("1/7").tree);
    QString description;
    QStringList problems;
    onNextModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "calculatorResults");
        problems = accessibilityProblems(dialog);
        description =
            QAccessible::queryAccessibleInterface(&dialog)->text(QAccessible::Description);
        dialog.reject();
    });
    QTest::keyClick(calculator.windowHandle(), Qt::Key_Equal);
    setCalcWords(words);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
    // The digits in one piece after the label, all of them, not the
    // window's lines one by one.
    ASSERT_TRUE(calculator.model().result());
    const std::string& digits = calculator.model().result()->real.text;
    EXPECT_GT(calculator.model().result()->real.lines.size(), 5u);
    EXPECT_TRUE(description.endsWith("Real part: " + QString::fromStdString(digits)))
        << description.toStdString();
    EXPECT_TRUE(digits.starts_with("0.142857142857142857")) << digits;
}

TEST_F(DesktopTest, TheEditorsModuleBoxIsAButtonThatKeysPress)
{
    ConstructionWindowWidget window(*m_application);
    window.openScriptEditor();
    ScriptEditorWidget& editor = *window.scriptEditor();
    activate(editor);
    auto* box = editor.findChild<QAbstractButton*>("moduleButton");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->accessibleName().startsWith("Module: "))
        << box->accessibleName().toStdString();
    EXPECT_EQ(box->toolTip(), "Click here to change");
    EXPECT_TRUE(box->focusPolicy() & Qt::TabFocus);
    // Tab stays in the text; Ctrl+Tab leaves it for the box, and back.
    QWidget* text = editor.textArea();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(box->hasFocus()) << QApplication::focusWidget()->objectName().toStdString();
    QTest::keyClick(box, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(text->hasFocus());
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_TRUE(text->hasFocus());
    // It lies over the painted box, in the status area right of the text.
    EXPECT_GT(box->geometry().left(), editor.textArea()->width() / 2);
    EXPECT_GT(box->height(), 20);
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        box->setFocus();
        QString shown;
        onNextModal([&shown](QDialog& dialog) {
            shown = dialog.windowTitle();
            dialog.reject();
        });
        QTest::keyClick(box, key);
        EXPECT_EQ(shown, "Module") << "key " << key;
    }
    // The name follows the module the editor is set to.
    QString before = box->accessibleName();
    editor.action(editor.model().moduleState().module() == 503 ? "module504" : "module503")
        ->trigger();
    EXPECT_NE(box->accessibleName(), before);
    editor.model().setModified(false);
    editor.hide();
}

TEST_F(DesktopTest, TheToolPanelsAreButtonsThatTabReachesAndKeysPress)
{
    ConstructionWindowWidget window(*m_application);
    activate(window);
    auto* line = qobject_cast<QAbstractButton*>(window.statusPanels()[3]);
    ASSERT_NE(line, nullptr);
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(line);
    EXPECT_EQ(node->role(), QAccessible::Button);
    EXPECT_EQ(node->text(QAccessible::Name), "line");
    EXPECT_FALSE(node->text(QAccessible::Description).isEmpty());
    // Tab goes from the drawing through the panels.
    window.canvas()->setFocus();
    bool reached = false;
    for (int step = 0; step < 12 && !reached; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = QApplication::focusWidget() == line;
    }
    ASSERT_TRUE(reached);
    QTest::keyClick(line, Qt::Key_Space);
    EXPECT_EQ(m_application->constructionWindow().tools().tool(), Tool::Line);
    auto* text = qobject_cast<QAbstractButton*>(window.statusPanels()[7]);
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_TRUE(window.scriptEditor()->isVisible());
    window.scriptEditor()->hide();
}

TEST_F(DesktopTest, TheGraphWindowsPaintedButtonsArePressedFromTheKeyboard)
{
    GraphWindowWidget window(m_host, GraphWindowWidget::Options{});
    activate(window);
    auto* sin = window.findChild<QAbstractButton*>("button_sin");
    ASSERT_NE(sin, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(sin)->role(), QAccessible::Button);
    // The overlay lies exactly on the painted button.
    for (const GraphButton& button : window.model().buttons()) {
        if (std::string_view(button.name) == "sin") {
            EXPECT_EQ(sin->geometry(),
                      QRect(button.x1, button.y1, button.x2 - button.x1, button.y2 - button.y1));
        }
    }
    sin->setFocus();
    QTest::keyClick(sin, Qt::Key_Enter);
    EXPECT_EQ(printExpressionText(window.model().editor().expression()), "sin(?)");
    // A click still goes to the drawing underneath.
    EXPECT_TRUE(sin->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(DesktopTest, TheSpaceViewsControlPanelIsOfferedAsButtons)
{
    ConstructionWindowWidget window(*m_application);
    activate(window);
    std::filesystem::path script =
        std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples" / "stellation.kst";
    auto buttons = [&window] {
        QStringList names;
        for (auto* button : window.canvas()->findChildren<QAbstractButton*>())
            if (button->isVisible())
                names << button->accessibleName();
        return names;
    };
    EXPECT_TRUE(buttons().isEmpty());
    ASSERT_TRUE(window.scriptEditor()->openAndRun(script.string()));
    QApplication::processEvents();
    ASSERT_FALSE(window.scriptEditor()->model().errorShown());
    EXPECT_EQ(buttons(), QStringList({"Animate", "Rotation", "Next face", "Next cell",
                                      "Insert cell", "Picture"}));
}

TEST_F(DesktopTest, OpenRecentListsOpenedScriptsAndDropsOnesThatAreGone)
{
    ConstructionWindowWidget window(*m_application);
    ScriptEditorWidget& editor = *window.scriptEditor();
    std::filesystem::path kept = m_dir.path() / "kept.kst";
    std::filesystem::path gone = m_dir.path() / "gone.kst";
    ASSERT_TRUE(replaceFile(kept, "1start()\r\n"));
    ASSERT_TRUE(replaceFile(gone, "1start()\r\n"));
    ASSERT_TRUE(editor.openFile(gone.string()));
    ASSERT_TRUE(editor.openFile(kept.string()));
    RecentFiles recent;
    EXPECT_EQ(recent.list(RecentKind::Script),
              (std::vector<std::string>{kept.string(), gone.string()}));
    std::filesystem::remove(gone);

    auto* menu = editor.findChild<QMenu*>("recent");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QAction* second = menu->findChild<QAction*>("recent1");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->statusTip().toStdString(), gone.string());
    QString shown;
    onNextModal([&shown](QDialog& box) {
        shown = static_cast<QMessageBox&>(box).text();
        box.accept();
    });
    second->trigger();
    EXPECT_FALSE(shown.isEmpty()) << "the window's message for a file that cannot be read";
    EXPECT_EQ(recent.list(RecentKind::Script), std::vector<std::string>{kept.string()});
    EXPECT_EQ(editor.model().fileName(), kept.string());
}

TEST_F(DesktopTest, UndoAndRedoOfTheEditorAreMenuItemsGreyedWhenEmpty)
{
    ConstructionWindowWidget window(*m_application);
    window.openScriptEditor();
    ScriptEditorWidget& editor = *window.scriptEditor();
    activate(editor);
    EXPECT_FALSE(editor.action("undo")->isEnabled());
    QTest::keyClicks(editor.textArea(), "start");
    EXPECT_TRUE(editor.action("undo")->isEnabled());
    QTest::keyClick(editor.textArea(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.model().lines().front().text(), "");
    EXPECT_TRUE(editor.action("redo")->isEnabled());
    QTest::keyClick(editor.textArea(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.model().lines().front().text(), "start");
    editor.model().setModified(false);
    editor.hide();
}

// A picture of a widget at a device pixel ratio.
QImage renderAt(QWidget& widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

TEST_F(DesktopTest, WindowsDrawAtTwiceThePixelsOnA2xScreen)
{
    FractionsWindowWidget fractions(m_host, images());
    activate(fractions);
    QTest::keyClick(&fractions, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClicks(&fractions, "12");
    QWidget& area = *fractions.expressionArea();
    QImage single = renderAt(area, 1);
    QImage doubled = renderAt(area, 2);
    ASSERT_EQ(doubled.size(), single.size() * 2);
    // Drawn anew at 2x, not the 1x picture blown up: some 2x2 block of the
    // doubled picture is not one colour.
    QImage blownUp =
        single.scaled(single.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < doubled.height(); ++y)
        for (int x = 0; x < doubled.width(); ++x)
            if (doubled.pixel(x, y) != blownUp.pixel(x, y))
                ++differing;
    EXPECT_GT(differing, 50);
    // And the same drawing: the dark pixels lie where the 1x ones do.
    auto darkShare = [](const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 80)
                    ++dark;
        return double(dark) / (image.width() * image.height());
    };
    EXPECT_NEAR(darkShare(doubled), darkShare(single), darkShare(single) * 0.6);
}

// A dark desktop style: light texts on dark grounds.
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(45, 45, 45));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return dark;
}

TEST_F(DesktopTest, PanelsStayReadableUnderADarkPalette)
{
    QPalette saved = QApplication::palette();
    QApplication::setPalette(darkPalette());
    {
        ConstructionWindowWidget window(*m_application);
        activate(window);
        for (std::size_t index = 0; index < ConstructionWindow::kMessagePanel; ++index) {
            QImage image = window.statusPanels()[index]->grab().toImage();
            int light = 0;
            int darkPixels = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    (qGray(image.pixel(x, y)) > 150 ? light : darkPixels)++;
            EXPECT_GT(darkPixels, light) << "panel " << index << " keeps the dark ground";
            EXPECT_GT(light, 10) << "panel " << index << " shows its text in a light colour";
        }
    }
    QApplication::setPalette(saved);
}

// The lightness a reader sees (0 black to 1 white), as contrast rules count
// it.
double luminance(QRgb colour)
{
    auto channel = [](int value) {
        double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

// The contrast (1 to 21) of the text in a part of a picture with its
// ground: the ground is the commonest colour there, the text the colour
// farthest from it in lightness (the middle of a stroke, not its smoothed
// edge).
double textContrast(const QImage& picture, const QRect& part)
{
    std::map<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            ++counts[picture.pixel(x, y) | 0xff000000u];
    QRgb ground = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first;
    double groundLight = luminance(ground);
    double best = 1;
    for (const auto& [colour, count] : counts) {
        double light = luminance(colour);
        best = std::max(best, (std::max(light, groundLight) + 0.05) /
                                  (std::min(light, groundLight) + 0.05));
    }
    return best;
}

// Readable: the contrast large text and controls need at least.
constexpr double kReadable = 3.0;

TEST_F(DesktopTest, TextsThePaletteDoesNotFixStayReadableUnderADarkPalette)
{
    QPalette saved = QApplication::palette();
    QApplication::setPalette(darkPalette());
    {
        // The precision dialog writes its count on the desktop's ground.
        PrecisionDialogWidget precision(m_host);
        activate(precision);
        QImage picture = precision.grab().toImage();
        EXPECT_GE(textContrast(picture, QRect(0, 0, picture.width(), 100)), kReadable)
            << "precision dialog";
        precision.hide();

        // The script editor's messages and module box.
        ConstructionWindowWidget window(*m_application);
        window.openScriptEditor();
        ScriptEditorWidget& editor = *window.scriptEditor();
        activate(editor);
        QImage text = editor.textArea()->grab().toImage();
        int statusLeft = editor.model().statusLeft();
        EXPECT_GE(textContrast(text, QRect(statusLeft, text.height() / 2, text.width() - statusLeft,
                                           text.height() / 2 - 10)),
                  kReadable)
            << "editor's status area";
        editor.hide();

        // The graph window's captions and domain beside the expression.
        GraphWindowWidget graph(m_host, GraphWindowWidget::Options{});
        activate(graph);
        auto* sin = graph.findChild<QAbstractButton*>("button_sin");
        ASSERT_NE(sin, nullptr);
        QImage area = sin->parentWidget()->grab().toImage();
        EXPECT_GE(textContrast(area, QRect(area.width() - 150, 40, 140, 30)), kReadable)
            << "graph window's captions";
        graph.hide();

        // The Fractions window's short description box.
        FractionsWindowWidget fractions(m_host, images());
        activate(fractions);
        auto* note = fractions.findChild<QPushButton*>("koment");
        ASSERT_NE(note, nullptr);
        note->click();
        auto* box = fractions.findChild<QWidget*>("descriptionBox");
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isVisible());
        QImage boxPicture = box->grab().toImage();
        EXPECT_GE(textContrast(boxPicture, QRect(0, 0, boxPicture.width(), 26)), kReadable)
            << "short description's title";
        fractions.hide();
    }
    QApplication::setPalette(saved);
}

} // namespace
} // namespace kestrane
