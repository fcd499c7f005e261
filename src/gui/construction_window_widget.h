// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/qt_picture_writer.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScrollBar;
class QTimer;

namespace kestrane {

class AccessibleButton;
class Application;
class ConstructionWindow;
class ScriptEditorWidget;
class WatchPanel;
struct HandOver;
struct LineMark;

// The main window: the construction canvas with its scroll bar, the menus and
// the nine status-bar panels. Closing it ends the program.
class ConstructionWindowWidget final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConstructionWindowWidget(Application& application);
    ~ConstructionWindowWidget() override;

    QAction* showMessagesAction() const { return m_showMessages; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    const std::vector<QWidget*>& statusPanels() const { return m_panels; }
    ScriptEditorWidget* scriptEditor() const { return m_editor; }
    QWidget* canvas() const;
    QScrollBar* scrollBar() const { return m_scrollBar; }
    QTimer* timer() const { return m_timer; }
    WatchPanel* watchPanel() const { return m_watch; }
    // The Program menu's item with the object name ("stepInto", "watch").
    QAction* programAction(const QString& name) const;

    // Edit > Text, the "Text" panel and Esc: shows the script editor with
    // the directories of this window.
    void openScriptEditor();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Canvas;
    class MessagePanel;

    void buildMenus();
    void buildProgramMenu();
    // Runs a stepping command of the paused program with the editor's
    // breakpoints, then shows where it stopped.
    void stepping(void (ConstructionWindow::*command)());
    // Continues a paused program to a line of the editor; false when no
    // program is paused there.
    bool continueTo(const LineMark& line);
    // The editor's breakpoints, as lines of the program last started.
    void takeBreakpoints();
    // The watch panel and the editor's highlighted statement.
    void showPause();
    // File > Open… (path empty: the open dialog) and Open Recent.
    bool openProgram(const std::string& path);
    void buildStatusBar();
    void showAbout();
    void editorClosed();
    void takeOver(const HandOver& handOver);
    void chooseTool(size_t panel);
    void tick();
    void refresh();
    // A long command drew progress marks: repaint the drawing area now.
    void showProgress();
    void updateUndoActions();
    void updateSceneButtons();
    // Edit > Export picture…: PNG, SVG, PDF or TikZ, written atomically.
    void exportPicture();
    // Edit > Print…: the drawing area on one page through the print dialog.
    void printDrawing();
    // Edit > Save figure as program…: a script that rebuilds the figure.
    void saveFigureProgram();
    // The first panel names what is under the mouse.
    void showHover();
    // Model coordinates of a point of the canvas: the view scrolls the
    // drawing up by the scroll bar's value.
    double modelY(double canvasY) const;

    Application& m_application;
    ConstructionWindow& m_model;
    Canvas* m_canvas;
    QScrollBar* m_scrollBar;
    QAction* m_showMessages = nullptr;
    QAction* m_removeAll = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QTimer* m_timer;
    QtPictureWriter m_pictures;
    ScriptEditorWidget* m_editor;
    WatchPanel* m_watch;
    QMenu* m_programMenu = nullptr;
    QElapsedTimer m_progressClock;
    std::vector<QWidget*> m_panels;
    std::vector<AccessibleButton*> m_sceneButtons;
};

} // namespace kestrane
