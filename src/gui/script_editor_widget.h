// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/script_editor.h"

#include <QMainWindow>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QScrollBar;
class QTimer;

namespace kestrane {

class Application;
class QtClipboard;

// The script editor window: the model draws the text and the status area on
// a text area beside the vertical scroll bar; the menus call the model. A
// program that compiles closes the window and is handed over through the
// handedOver signal. The blink timer runs while the window is active and
// stops while any modal dialog of the editor is open.
class ScriptEditorWidget final : public QMainWindow {
    Q_OBJECT
public:
    explicit ScriptEditorWidget(Application& application, QWidget* parent = nullptr);
    ~ScriptEditorWidget() override;

    ScriptEditor& model() { return m_model; }
    QWidget* textArea() const;
    QScrollBar* scrollBar() const { return m_scrollBar; }
    QTimer* blinkTimer() const { return m_timer; }
    // The menu item with the object name (e.g. "run", "find", "hints").
    QAction* action(const QString& name) const;
    // Opens a main file by path and shows it (a file given on the command
    // line); false, after the model's message, when it cannot be opened.
    bool openFile(const std::string& path);
    // Windows > Fractions and Roots and Windows > Functions, with a fraction
    // or function file opened first when a path is given (a file given on
    // the command line).
    void openFractionsWindow(const std::string& file = {});
    // The construction window's File > Open… and Open Recent: opens a
    // program (in the open dialog when no path is given) and runs it as
    // Program > Run does; a compile error shows in this window. False when
    // nothing was opened.
    bool openAndRun(const std::string& path = {});
    void openGraphWindow(const std::string& file = {});
    // Run to cursor continues a paused program when this answers true;
    // otherwise it compiles and runs the program to the caret's line.
    void setContinueTo(std::function<bool(const LineMark&)> continueTo)
    {
        m_continueTo = std::move(continueTo);
    }
    // Highlights the statement a paused program runs next (none: no
    // highlight) and shows its line.
    void showExecutionLine(const std::optional<LineMark>& line);

signals:
    // A compiled program (or OnScreen's text) for the construction window.
    void handedOver(const kestrane::HandOver& handOver);
    // The window was closed (after the unsaved-changes question).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class TextArea;

    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildProgramMenu();
    void buildModuleMenu();
    void buildOptionsMenu();
    void buildHelpMenu();
    QAction* addItem(QMenu* menu, const QString& text, const QString& name,
                     std::function<void()> command);
    // Runs a command that may open modal dialogs with the timer stopped.
    void withTimerStopped(const std::function<void()>& command);
    void runProgram(const std::function<void()>& command);
    void chooseModule();
    void openCalculator();
    void inMainDirectory(const std::function<void()>& open);
    void editDirectories();
    void refresh();

    Application& m_application;
    ScriptEditor& m_model;
    std::unique_ptr<QtClipboard> m_clipboard;
    TextArea* m_textArea;
    QScrollBar* m_scrollBar;
    QTimer* m_timer;
    bool m_modalOpen = false;
    std::function<bool(const LineMark&)> m_continueTo;
    std::string m_rememberedFile;
};

} // namespace kestrane
