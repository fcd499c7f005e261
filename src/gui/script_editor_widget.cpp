// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/script_editor_widget.h"

#include "app/about_box.h"
#include "app/application.h"
#include "editor/editor_key_table.h"
#include "gui/accessible_button.h"
#include "gui/assistive_texts.h"
#include "gui/calculator_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/key_shortcuts.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "gui/recent_menu.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "script/module.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <filesystem>

namespace kestrane {

namespace {

constexpr int kBlinkInterval = 250; // ms
constexpr int kWidth = 900;
constexpr int kHeight = 600;
constexpr int kWheelNotch = 120;

Key toKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_Shift:
        return Key::Shift;
    case Qt::Key_Control:
        return Key::Control;
    case Qt::Key_Alt:
        return Key::Alt;
    case Qt::Key_Tab:
        return Key::Tab;
    case Qt::Key_Escape:
        return Key::Escape;
    default:
        // Other keys are known by the text they type.
        return Key::None;
    }
}

Modifiers toModifiers(Qt::KeyboardModifiers modifiers)
{
    Modifiers result;
    if (modifiers & Qt::ShiftModifier)
        result = result | Modifier::Shift;
    if (modifiers & Qt::ControlModifier)
        result = result | Modifier::Control;
    if (modifiers & Qt::AltModifier)
        result = result | Modifier::Alt;
    return result;
}

} // namespace

// The area the model paints on; it passes keys, mouse and wheel to the model.
class ScriptEditorWidget::TextArea final : public QWidget {
public:
    TextArea(ScriptEditorWidget& window, ScriptEditor& model)
        : QWidget(&window)
        , m_window(window)
        , m_model(model)
    {
        setObjectName("textArea");
        setAccessibleName("Script text");
        setAccessibleDescription("the program being edited; F1 opens the reference of the word "
                                 "under the caret");
        // The painted module box, offered as a button that Tab reaches and
        // Space or Enter presses.
        m_moduleButton = new AccessibleButton(
            QString(), QString::fromUtf8(translate(N_("choose the module of the program"))),
            AccessibleButton::Look::Overlay, this);
        m_moduleButton->setObjectName("moduleButton");
        // The mouse still reaches the model, which knows the box as well.
        m_moduleButton->setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(m_moduleButton, &QAbstractButton::clicked, this, [this] {
            m_window.chooseModule();
            m_window.refresh();
        });
        updateModuleButton();
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        QFontMetrics metrics(toQFont(ScriptEditor::font()));
        m_model.setTextMeasure([metrics](std::string_view bytes) {
            return metrics.horizontalAdvance(QString::fromStdString(displayText(bytes)));
        });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paint(canvas);
    }

public:
    // Names the module box after the module shown in it.
    void updateModuleButton()
    {
        const ModuleInfo* module = findModule(m_model.moduleState().module());
        std::string_view shown = module ? module->statusName : std::string_view("?");
        QString name = QString::fromUtf8(translate(editor_message::kModuleLabel)) + ' ' +
                       QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
        m_moduleButton->setText(name);
        m_moduleButton->setAccessibleName(name);
        m_moduleButton->setToolTip(QString::fromUtf8(translate(editor_message::kClickToChange)));
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        m_model.setViewSize(width(), height());
        int middle = height() / 2;
        m_moduleButton->setGeometry(m_model.statusLeft(), middle + ScriptEditor::kModuleDisplayTop,
                                    width() - m_model.statusLeft(),
                                    ScriptEditor::kModuleDisplayBottom -
                                        ScriptEditor::kModuleDisplayTop);
        m_window.refresh();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        // Tab belongs to the text; Ctrl+Tab leaves it, as in the desktop's
        // own text fields, so that the module box is reached from the keys.
        bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        if (tab && (event->modifiers() & Qt::ControlModifier)) {
            QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                        !(event->modifiers() & Qt::ShiftModifier));
            return;
        }
        m_model.keyDown(toKey(event->key()), toModifiers(event->modifiers()),
                        event->text().toStdString());
        m_window.refresh();
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        if (event->isAutoRepeat())
            return;
        m_window.withTimerStopped([this] { m_model.keyUp(); });
        m_window.refresh();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        QPoint point = event->position().toPoint();
        if (m_model.mouseDown(point.x(), point.y()) == MouseAction::ChooseModule)
            m_window.chooseModule();
        m_window.refresh();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        QPoint point = event->position().toPoint();
        setCursor(m_model.overText(point.x(), point.y()) ? Qt::IBeamCursor : Qt::ArrowCursor);
        if (event->buttons() & Qt::LeftButton) {
            m_model.mouseMove(point.x(), point.y());
            m_window.refresh();
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        QPoint point = event->position().toPoint();
        m_window.withTimerStopped([&] { m_model.mouseUp(point.x(), point.y()); });
        m_window.refresh();
    }
    void wheelEvent(QWheelEvent* event) override
    {
        int notches = -event->angleDelta().y() / kWheelNotch;
        if (notches == 0)
            notches = event->angleDelta().y() > 0 ? -1 : 1;
        m_model.wheel(notches);
        m_window.refresh();
    }
    // Tab stays in the editor instead of moving the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    ScriptEditorWidget& m_window;
    ScriptEditor& m_model;
    AccessibleButton* m_moduleButton;
};

ScriptEditorWidget::ScriptEditorWidget(Application& application, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_application(application)
    , m_model(application.scriptEditor())
    , m_clipboard(std::make_unique<QtClipboard>())
    , m_textArea(new TextArea(*this, m_model))
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
    , m_timer(new QTimer(this))
{
    setObjectName("scriptEditor");
    resize(kWidth, kHeight);
    QPalette palette = m_textArea->palette();
    palette.setColor(QPalette::Window, toQColor(ScriptEditor::kBackground));
    m_textArea->setPalette(palette);

    m_scrollBar->setObjectName("Vert");
    m_scrollBar->setAccessibleName("Scroll the text");
    // Keys always reach the text, whatever was clicked last.
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setPageStep(ScriptEditor::kPageStep);
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_model.scrollTo(value);
        m_textArea->update();
    });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_textArea, 1);
    layout->addWidget(m_scrollBar);
    setCentralWidget(central);

    m_timer->setInterval(kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_model.tick();
        m_textArea->update();
    });

    buildMenus();
    refresh();
    describeForAssistiveTools(*this, N_("the script editor: the program's text, the messages of "
                                        "the compiler and the module"));
}

ScriptEditorWidget::~ScriptEditorWidget() = default;

QWidget* ScriptEditorWidget::textArea() const
{
    return m_textArea;
}

QAction* ScriptEditorWidget::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QAction* ScriptEditorWidget::addItem(QMenu* menu, const QString& text, const QString& name,
                                     std::function<void()> command)
{
    QAction* item = menu->addAction(text);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [this, command = std::move(command)] {
        withTimerStopped(command);
        refresh();
    });
    return item;
}

bool ScriptEditorWidget::openFile(const std::string& path)
{
    bool opened = m_model.openFile(path);
    refresh();
    return opened;
}

bool ScriptEditorWidget::openAndRun(const std::string& path)
{
    bool opened = false;
    withTimerStopped([&] { opened = path.empty() ? m_model.open() : m_model.openRecent(path); });
    refresh();
    if (!opened)
        return false;
    runProgram([this] { m_model.run(); });
    if (m_model.errorShown()) {
        show();
        raise();
        activateWindow();
    }
    return true;
}

void ScriptEditorWidget::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildProgramMenu();
    buildModuleMenu();
    QMenu* windows = menuBar()->addMenu("&Windows");
    addItem(windows, "&Functions", "functions", [this] { openGraphWindow(); });
    addItem(windows, "&Algebra", "algebra", [this] { openFractionsWindow(); });
    addItem(windows, "&Calculator", "calculator", [this] { openCalculator(); });
    buildOptionsMenu();
    buildHelpMenu();
    applyKeyTable(*this, scriptEditorKeys());
}

void ScriptEditorWidget::inMainDirectory(const std::function<void()>& open)
{
    // The windows work in the main directory; the editor's own current
    // directory comes back when they close.
    std::error_code error;
    std::filesystem::path previous = std::filesystem::current_path(error);
    const std::string& main = m_application.directories().main;
    if (!main.empty())
        std::filesystem::current_path(main, error);
    open();
    if (!previous.empty())
        std::filesystem::current_path(previous, error);
}

void ScriptEditorWidget::openCalculator()
{
    inMainDirectory([this] {
        CalculatorWidget calculator(m_application.host(), m_application.imagesDirectory(), this);
        calculator.useOptions(m_application.windowOptions(WindowOptionsKind::Calculator));
        calculator.exec();
    });
}

void ScriptEditorWidget::openGraphWindow(const std::string& file)
{
    inMainDirectory([this, &file] {
        const WindowOptions& saved = m_application.windowOptions(WindowOptionsKind::Graph);
        GraphWindowWidget::Options options{saved.fontHeight, saved.expressionBackground,
                                           saved.window};
        GraphWindowWidget window(m_application.host(), options, this);
        if (!file.empty())
            window.model().openFile(file);
        window.exec();
    });
}

void ScriptEditorWidget::openFractionsWindow(const std::string& file)
{
    inMainDirectory([this, &file] {
        FractionsWindowWidget window(m_application.host(), m_application.imagesDirectory(), this);
        window.useOptions(m_application.windowOptions(WindowOptionsKind::Fractions));
        if (!file.empty())
            window.model().openFile(file);
        window.exec();
    });
}

void ScriptEditorWidget::buildFileMenu()
{
    QMenu* file = menuBar()->addMenu("&File");
    addItem(file, "&New", "new", [this] { m_model.newText(); });
    addItem(file, "&Open", "open", [this] { m_model.open(); });
    addRecentMenu(file, RecentKind::Script, [this](const std::string& path) {
        bool opened = false;
        withTimerStopped([&] { opened = m_model.openRecent(path); });
        refresh();
        return opened;
    });
    addItem(file, "&Save", "save", [this] { m_model.save(); });
    addItem(file, "S&ave as", "saveAs", [this] { m_model.saveAs(); });
    addItem(file, "E&xit", "exit", [this] { close(); });
    file->addSeparator();
    addItem(file, "&Quit", "quit", [this] { quitFrom(*this); });
}

void ScriptEditorWidget::buildEditMenu()
{
    QMenu* edit = menuBar()->addMenu("&Edit");
    addItem(edit, "&Undo", "undo", [this] { m_model.undo(); });
    addItem(edit, "&Redo", "redo", [this] { m_model.redo(); });
    edit->addSeparator();
    addItem(edit, "&Find", "find", [this] { m_model.find(); });
    addItem(edit, "Fi&nd next", "findNext", [this] { m_model.findNext(); });
    // The usual keys of this desktop work as well as the listed ones.
    addItem(edit, "&Cut", "cut", [this] { m_model.cut(*m_clipboard); });
    addItem(edit, "Co&py", "copy", [this] { m_model.copy(*m_clipboard); });
    addItem(edit, "P&aste", "paste", [this] { m_model.paste(*m_clipboard); });
}

void ScriptEditorWidget::buildProgramMenu()
{
    QMenu* program = menuBar()->addMenu("P&rogram");
    auto addCommand = [this, program](const QString& text, const QString& name,
                                      std::function<void()> command) {
        QAction* item = program->addAction(text);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this,
                [this, command = std::move(command)] { runProgram(command); });
        return item;
    };
    addCommand("&Run", "run", [this] { m_model.run(); });
    addCommand("Step &Over", "stepOver", [this] { m_model.stepOver(); });
    addCommand("&Compile", "compile", [this] { m_model.compile(); })->setVisible(false);
    addCommand("Compile to &disk", "compileToDisk", [this] {
        m_model.compileToDisk();
    })->setVisible(false);
    addCommand("&Step-by-step", "stepByStep", [this] { m_model.stepByStep(); });
    addCommand("&OnScreen", "onScreen", [this] { m_model.onScreen(); });
    program->addSeparator();
    // F5 and Ctrl+F10 mean nothing else in this window.
    addItem(program, "Toggle &breakpoint", "toggleBreakpoint", [this] {
        m_model.toggleBreakpoint();
    })->setShortcut(QKeySequence(Qt::Key_F5));
    QAction* runTo = program->addAction("Run to c&ursor");
    runTo->setObjectName("runToCursor");
    runTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F10));
    connect(runTo, &QAction::triggered, this, [this] {
        if (m_continueTo && m_continueTo(m_model.caretMark()))
            return;
        runProgram([this] { m_model.runToCursor(); });
    });
}

void ScriptEditorWidget::showExecutionLine(const std::optional<LineMark>& line)
{
    if (line == m_model.executionLine())
        return;
    m_model.setExecutionLine(line);
    if (isVisible())
        refresh();
}

void ScriptEditorWidget::buildModuleMenu()
{
    QMenu* modules = menuBar()->addMenu("&Module");
    for (const ModuleInfo& info : moduleTable()) {
        if (info.menuItem.empty())
            continue;
        int moduleCode = code(info.module);
        addItem(modules, QString::fromUtf8(info.menuItem.data(), info.menuItem.size()),
                QString("module%1").arg(moduleCode),
                [this, moduleCode] { m_model.setModule(moduleCode); });
    }
}

void ScriptEditorWidget::buildOptionsMenu()
{
    QMenu* options = menuBar()->addMenu("&Options");
    addItem(options, "&Module", "chooseModule", [this] { chooseModule(); });
    addItem(options, "&Directory", "directory", [this] { editDirectories(); });
    QAction* hints = addItem(options, "&Hints", "hints", [this] { m_model.toggleHints(); });
    hints->setCheckable(true);
    hints->setChecked(m_model.hints() == HintsState::On);
}

void ScriptEditorWidget::buildHelpMenu()
{
    QMenu* help = menuBar()->addMenu("&Help");
    addItem(help, "&Index", "helpIndex", [this] { m_application.showHelp(); });
    addItem(help, "&Word under the caret", "helpOnWord", [this] { m_model.helpOnWord(); });
    addItem(help, "&About", "about", [this] {
        AboutBox about;
        m_application.host().runModal(about);
    });
}

void ScriptEditorWidget::withTimerStopped(const std::function<void()>& command)
{
    bool running = m_timer->isActive();
    bool wasOpen = m_modalOpen;
    m_timer->stop();
    m_modalOpen = true;
    command();
    m_modalOpen = wasOpen;
    if (running && isVisible())
        m_timer->start();
}

void ScriptEditorWidget::runProgram(const std::function<void()>& command)
{
    withTimerStopped(command);
    if (!m_model.closeRequested()) {
        refresh();
        return;
    }
    m_model.clearCloseRequest();
    HandOver handOver = m_model.handOver();
    close();
    emit handedOver(handOver);
    // The construction window has taken the program: closing the editor
    // later asks about unsaved changes again.
    m_model.clearRunState();
}

void ScriptEditorWidget::chooseModule()
{
    withTimerStopped([this] { m_application.chooseModule(); });
    refresh();
}

// The dialog edits the directories the editor holds while it is open.
void ScriptEditorWidget::editDirectories()
{
    m_application.directories() = m_model.directories();
    if (m_application.editDirectories())
        m_model.directories() = m_application.directories();
}

void ScriptEditorWidget::refresh()
{
    setWindowTitle(QString::fromStdString(displayText(m_model.caption())));
    QSignalBlocker blocker(m_scrollBar);
    m_scrollBar->setRange(0, m_model.lastTopLine());
    m_scrollBar->setValue(m_model.topLine());
    m_scrollBar->setVisible(m_model.needsScrollBar());
    if (QAction* hints = action("hints"))
        hints->setChecked(m_model.hints() == HintsState::On);
    action("undo")->setEnabled(m_model.canUndo());
    action("redo")->setEnabled(m_model.canRedo());
    // A file opened or saved under a new name joins Open Recent.
    if (m_model.fileName() != m_rememberedFile) {
        m_rememberedFile = m_model.fileName();
        rememberRecent(RecentKind::Script, m_rememberedFile);
    }
    m_textArea->updateModuleButton();
    m_textArea->update();
}

void ScriptEditorWidget::closeEvent(QCloseEvent* event)
{
    bool accepted = false;
    withTimerStopped([this, &accepted] { accepted = m_model.requestClose(); });
    if (!accepted) {
        event->ignore();
        refresh();
        return;
    }
    m_timer->stop();
    event->accept();
    emit closed();
}

void ScriptEditorWidget::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_textArea->setFocus();
    m_timer->start();
    refresh();
}

void ScriptEditorWidget::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow() && !m_modalOpen)
        m_timer->start();
    else
        m_timer->stop();
}

} // namespace kestrane
