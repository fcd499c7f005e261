#pragma once

#include <QMainWindow>

#include <vector>

class QAction;
class QLabel;
class QScrollBar;

namespace kestrane {

class Application;
class ConstructionWindow;
class ScriptEditorWidget;
struct HandOver;

// The main window: the construction canvas with its scroll bar, the menus and
// the nine status-bar panels. Closing it ends the program.
class ConstructionWindowWidget final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConstructionWindowWidget(Application& application);

    QAction* showMessagesAction() const { return m_showMessages; }
    const std::vector<QWidget*>& statusPanels() const { return m_panels; }
    ScriptEditorWidget* scriptEditor() const { return m_editor; }

    // Edit > Text, the "Text" panel and Esc: shows the script editor with
    // the directories of this window.
    void openScriptEditor();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Canvas;
    class MessagePanel;

    void buildMenus();
    void buildStatusBar();
    void showAbout();
    void editorClosed();
    void takeOver(const HandOver& handOver);

    Application& m_application;
    ConstructionWindow& m_model;
    Canvas* m_canvas;
    QScrollBar* m_scrollBar;
    QAction* m_showMessages = nullptr;
    ScriptEditorWidget* m_editor;
    std::vector<QWidget*> m_panels;
};

} // namespace kestrane
