// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/construction_window_widget.h"

#include "app/about_box.h"
#include "app/application.h"
#include "gui/accessible_button.h"
#include "gui/assistive_texts.h"
#include "gui/key_shortcuts.h"
#include "gui/picture_export.h"
#include "gui/picture_print.h"
#include "gui/qt_canvas.h"
#include "gui/recent_menu.h"
#include "gui/script_editor_widget.h"
#include "gui/watch_panel.h"
#include "platform/files.h"
#include "platform/translation.h"
#include "runtime/construction_key_table.h"
#include "runtime/construction_window.h"
#include "runtime/figure_program.h"
#include "runtime/module_scene.h"
#include "runtime/source_places.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// The status panels of the drawing tools, in panel order, and the one that
// opens the script editor.
constexpr Tool kPanelTools[] = {Tool::Point,  Tool::Segment,  Tool::Line,
                                Tool::Circle, Tool::HalfLine, Tool::Distance};
constexpr size_t kFirstToolPanel = 1;
constexpr size_t kDistancePanel = 6;
constexpr size_t kTextPanel = 7;
constexpr int kTimerInterval = 130;
constexpr std::string_view kRemoveDistance = "Remove dist.";

} // namespace

// The drawing area: the model paints everything on it; the mouse goes to the
// model at model coordinates (the view scrolled by the scroll bar).
class ConstructionWindowWidget::Canvas final : public QWidget {
public:
    Canvas(ConstructionWindowWidget& window, ConstructionWindow& model)
        : QWidget(&window)
        , m_window(window)
        , m_model(model)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setAccessibleName("Drawing");
        setAccessibleDescription("the construction; Space runs the next statement of a stepped "
                                 "program");
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.translate(0, -m_window.modelY(0));
        QtCanvas canvas(painter);
        m_model.paintScene(canvas, width(), height() + static_cast<int>(m_window.modelY(0)));
        // Messages and the listing stand still while the drawing scrolls.
        painter.resetTransform();
        m_model.paintOverlay(canvas);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        QPointF at = event->position();
        // Dragging with the left button turns a space view.
        if (event->buttons() & Qt::LeftButton) {
            QPointF moved = at - m_lastDrag;
            m_lastDrag = at;
            if (m_model.drag(moved.x(), moved.y())) {
                m_window.refresh();
                return;
            }
        }
        bool changed = m_model.mouseMove(at.x(), m_window.modelY(at.y()));
        m_window.showHover();
        if (changed)
            m_window.refresh();
    }
    void leaveEvent(QEvent*) override
    {
        if (m_model.mouseMove(-1, -1))
            m_window.refresh();
        m_window.showHover();
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        QPointF at = event->position();
        m_lastDrag = at;
        m_model.click(at.x(), m_window.modelY(at.y()));
        m_window.refresh();
    }

private:
    QPointF m_lastDrag;
    ConstructionWindowWidget& m_window;
    ConstructionWindow& m_model;
};

// The owner-drawn last panel: its text in red, centred on one line.
class ConstructionWindowWidget::MessagePanel final : public QWidget {
public:
    MessagePanel(const ConstructionWindow& model, QWidget* parent) : QWidget(parent), m_model(model)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(Qt::red);
        QString text = QString::fromStdString(translate(m_model.messagePanelText()));
        // A text wider than the panel shows its beginning (the command word
        // of a step line), not a cut middle.
        bool fits = painter.fontMetrics().horizontalAdvance(text) <= width();
        painter.drawText(
            rect(),
            (fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextSingleLine, text);
    }

private:
    const ConstructionWindow& m_model;
};

ConstructionWindowWidget::ConstructionWindowWidget(Application& application)
    : m_application(application)
    , m_model(application.constructionWindow())
    , m_canvas(new Canvas(*this, m_model))
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
    , m_timer(new QTimer(this))
    , m_editor(new ScriptEditorWidget(application, this))
    , m_watch(new WatchPanel(m_model, this))
{
    setObjectName("constructionWindow");
    setWindowTitle(text(ConstructionWindow::kCaption));
    setGeometry(0, 0, ConstructionWindow::kWidth, ConstructionWindow::kHeight);

    m_scrollBar->setAccessibleName("Scroll the drawing");
    m_scrollBar->setSingleStep(ConstructionWindow::kScrollSmallStep);
    m_scrollBar->setPageStep(ConstructionWindow::kScrollLargeStep);
    m_scrollBar->setRange(0, ConstructionWindow::kDrawingHeight);
    // The scroll bar's keys are the window's keys (the space bar steps).
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        // While a listing shows, the scroll bar scrolls its lines.
        if (m_model.listingShown())
            m_model.scrollListing(value);
        else
            m_model.state().store().settings().viewY = value;
        m_canvas->update();
    });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_scrollBar);
    setCentralWidget(central);

    m_model.state().setPictureWriter(&m_pictures);
    m_model.state().progress().setListener([this] { showProgress(); });
    buildMenus();
    buildStatusBar();
    connect(m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer->start(kTimerInterval);
    m_canvas->setFocus();

    addDockWidget(Qt::RightDockWidgetArea, m_watch);
    m_watch->hide();
    m_editor->setContinueTo([this](const LineMark& line) { return continueTo(line); });
    connect(m_editor, &ScriptEditorWidget::closed, this, [this] { editorClosed(); });
    connect(m_editor, &ScriptEditorWidget::handedOver, this,
            [this](const HandOver& handOver) { takeOver(handOver); });
    describeForAssistiveTools(*this, N_("the construction: the drawing, the menus, and the "
                                        "drawing tools in the status bar"));
}

// The model outlives the window; its pictures go with the window.
ConstructionWindowWidget::~ConstructionWindowWidget()
{
    m_model.state().setPictureWriter(nullptr);
    m_model.state().progress().setListener({});
}

// Painted synchronously, with no return to the event loop (no input is taken
// in the middle of a command); a repaint costs milliseconds, so at most one
// every 40 ms.
void ConstructionWindowWidget::showProgress()
{
    constexpr qint64 kProgressInterval = 40;
    if (m_progressClock.isValid() && m_progressClock.elapsed() < kProgressInterval)
        return;
    m_progressClock.start();
    m_canvas->repaint();
}

void ConstructionWindowWidget::buildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open…", this, [this] { openProgram({}); })->setObjectName("open");
    addRecentMenu(file, RecentKind::Script,
                  [this](const std::string& path) { return openProgram(path); });
    file->addAction("&Print…", this, [this] { printDrawing(); })->setObjectName("print");
    file->addSeparator();
    file->addAction("&Quit", this, [this] { quitFrom(*this); })->setObjectName("quit");

    QMenu* newMenu = menuBar()->addMenu("&New");
    for (size_t index = 0; index < std::size(kPanelTools); ++index) {
        newMenu->addAction(text(ConstructionWindow::kStatusPanels[kFirstToolPanel + index].text),
                           this, [this, index] { chooseTool(kFirstToolPanel + index); });
    }

    QMenu* edit = menuBar()->addMenu("&Edit");
    m_undo = edit->addAction("&Undo", this, [this] {
        if (m_model.undo())
            refresh();
    });
    m_undo->setObjectName("undo");
    m_redo = edit->addAction("&Redo", this, [this] {
        if (m_model.redo())
            refresh();
    });
    m_redo->setObjectName("redo");
    updateUndoActions();
    edit->addAction("&Export picture…", this, [this] { exportPicture(); });
    edit->addAction("Save figure as &program…", this, [this] { saveFigureProgram(); });
    m_removeAll = edit->addAction("&Remove all", this, [this] {
        m_model.removeAll();
        refresh();
    });
    edit->addAction("&Text", this, [this] { openScriptEditor(); });

    buildProgramMenu();

    QMenu* options = menuBar()->addMenu("&Options");
    m_showMessages = options->addAction("Show &messages");
    m_showMessages->setCheckable(true);
    m_showMessages->setChecked(m_model.showMessages());
    connect(m_showMessages, &QAction::toggled, this, [this](bool checked) {
        m_model.setShowMessages(checked);
        m_canvas->update();
    });
    options->addAction("&Save options", this, [this] { m_application.saveMainOptions(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&index", this, [this] { m_application.showHelp(); });
    // F1: the page of this window.
    help->addAction("&This window", this,
                    [this] { m_application.host().showHelp("construction.html"); })
        ->setObjectName("helpWindow");
    help->addAction("&about", this, [this] { showAbout(); });
    applyKeyTable(*this, constructionWindowKeys());
}

bool ConstructionWindowWidget::openProgram(const std::string& path)
{
    m_editor->model().directories() = m_application.directories();
    bool opened = m_editor->openAndRun(path);
    m_application.directories() = m_editor->model().directories();
    return opened;
}

// The stepping commands of a paused program. F9 continues here: in this
// window no other command has it.
void ConstructionWindowWidget::buildProgramMenu()
{
    QMenu* program = menuBar()->addMenu("P&rogram");
    m_programMenu = program;
    struct Command {
        const char* text;
        const char* name;
        QKeySequence key;
        void (ConstructionWindow::*command)();
    };
    const Command commands[] = {
        {"Step &Into", "stepInto", QKeySequence(Qt::Key_F7), &ConstructionWindow::stepInto},
        {"Step &Over", "stepOver", QKeySequence(Qt::Key_F8), &ConstructionWindow::stepOver},
        {"Step O&ut", "stepOut", QKeySequence(Qt::SHIFT | Qt::Key_F8),
         &ConstructionWindow::stepOut},
        {"&Continue", "continue", QKeySequence(Qt::Key_F9), &ConstructionWindow::resume},
    };
    for (const Command& command : commands) {
        QAction* item = program->addAction(command.text);
        item->setObjectName(command.name);
        item->setShortcut(command.key);
        connect(item, &QAction::triggered, this,
                [this, step = command.command] { stepping(step); });
    }
    program->addSeparator();
    QAction* watch = m_watch->toggleViewAction();
    watch->setText("&Watch");
    watch->setObjectName("watch");
    watch->setShortcut(QKeySequence(Qt::Key_F6));
    program->addAction(watch);
}

QAction* ConstructionWindowWidget::programAction(const QString& name) const
{
    for (QAction* action : m_programMenu->actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

void ConstructionWindowWidget::stepping(void (ConstructionWindow::*command)())
{
    takeBreakpoints();
    (m_model.*command)();
    refresh();
}

bool ConstructionWindowWidget::continueTo(const LineMark& line)
{
    const ScriptFile* main = m_model.programFile();
    if (!m_model.paused() || !main)
        return false;
    std::optional<SourcePlace> place = findSourcePlace(*main, line.file, line.line);
    if (!place)
        return false;
    takeBreakpoints();
    m_model.runTo(*place);
    refresh();
    raise();
    activateWindow();
    m_canvas->setFocus();
    return true;
}

void ConstructionWindowWidget::takeBreakpoints()
{
    const ScriptFile* main = m_model.programFile();
    if (!main)
        return;
    std::set<SourcePlace> places;
    for (const LineMark& line : m_editor->model().breakpoints()) {
        if (std::optional<SourcePlace> place = findSourcePlace(*main, line.file, line.line))
            places.insert(*place);
    }
    m_model.setBreakpoints(std::move(places));
}

void ConstructionWindowWidget::showPause()
{
    std::optional<LineMark> line;
    if (std::optional<SourcePlace> place = m_model.currentPlace()) {
        const ScriptFile* file = place->file;
        line = LineMark{file == m_model.programFile() || !file ? std::string() : file->name,
                        place->line};
    }
    m_editor->showExecutionLine(line);
    if (m_watch->isVisible())
        m_watch->refresh();
}

void ConstructionWindowWidget::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    for (size_t index = 0; index < ConstructionWindow::kStatusPanels.size(); ++index) {
        const StatusPanel& panel = ConstructionWindow::kStatusPanels[index];
        QWidget* widget = nullptr;
        if (index == ConstructionWindow::kMessagePanel) {
            widget = new MessagePanel(m_model, bar);
            widget->setAccessibleName("Messages");
        } else if (index >= kFirstToolPanel && index <= kTextPanel) {
            // The tool panels choose their tool; "Text" opens the editor.
            QString description = index == kTextPanel
                                      ? QString::fromUtf8(translate(N_("open the script editor")))
                                      : QString::fromUtf8(translate(N_("draw a %1 with the mouse")))
                                            .arg(QString::fromStdString(translate(panel.text)));
            auto* button = new AccessibleButton(text(panel.text), description,
                                                AccessibleButton::Look::Panel, bar);
            button->setCursor(Qt::PointingHandCursor);
            connect(button, &QAbstractButton::clicked, this, [this, index] {
                if (index == kTextPanel)
                    openScriptEditor();
                else
                    chooseTool(index);
            });
            widget = button;
        } else {
            auto* label = new QLabel(text(panel.text), bar);
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            widget = label;
        }
        widget->setObjectName(QString("panel%1").arg(index));
        widget->setMinimumHeight(20);
        // The message panel takes the rest of the bar, so that the prompts
        // and messages can be read whole; in a narrow window it is the one
        // that shrinks, and the other panels keep their text readable.
        if (index == ConstructionWindow::kMessagePanel) {
            widget->setMinimumWidth(0);
            widget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(widget, 1);
        } else {
            QFontMetrics metrics(widget->font());
            int textWidth = metrics.horizontalAdvance(text(panel.text));
            if (index == kDistancePanel)
                textWidth = std::max(textWidth, metrics.horizontalAdvance(text(kRemoveDistance)));
            widget->setFixedWidth(std::max(panel.width, textWidth) + 16);
            bar->addWidget(widget);
        }
        m_panels.push_back(widget);
    }
}

void ConstructionWindowWidget::openScriptEditor()
{
    m_editor->model().directories() = m_application.directories();
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

void ConstructionWindowWidget::editorClosed()
{
    m_application.directories() = m_editor->model().directories();
}

// The editor has closed with a compiled program (or a text to show): this
// window comes to the front to run it.
void ConstructionWindowWidget::takeOver(const HandOver& handOver)
{
    if (handOver.runState == RunState::ShowText)
        m_model.showListing(handOver.rawText);
    if (handOver.runState == RunState::Run && handOver.mainFile) {
        RunMode mode = handOver.start == StartMode::StepOver     ? RunMode::StepOver
                       : handOver.start == StartMode::StepByStep ? RunMode::StepByStep
                                                                 : RunMode::Run;
        // Data files are looked for where the editor checked them.
        m_model.state().dataFiles().directories = m_editor->model().directories();
        std::set<SourcePlace> breakpoints;
        for (const LineMark& line : handOver.breakpoints) {
            if (auto place = findSourcePlace(*handOver.mainFile, line.file, line.line))
                breakpoints.insert(*place);
        }
        m_model.setBreakpoints(std::move(breakpoints));
        m_model.setRunToPlace(
            handOver.runTo
                ? findSourcePlace(*handOver.mainFile, handOver.runTo->file, handOver.runTo->line)
                : std::nullopt);
        m_model.startProgram(*handOver.mainFile, handOver.moduleCode, mode);
    }
    refresh();
    raise();
    activateWindow();
    m_canvas->setFocus();
    m_canvas->update();
}

// Ending the program closes an open editor first, which asks about
// unsaved changes; Cancel there keeps the program running.
void ConstructionWindowWidget::closeEvent(QCloseEvent* event)
{
    // A hidden editor (closed by a run it handed over) may still hold
    // unsaved text: it is asked about as well.
    bool editorClosed =
        m_editor->isVisible() ? m_editor->close() : m_editor->model().requestClose();
    if (!editorClosed) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void ConstructionWindowWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // Esc ends a listing first; it opens the editor only when there
        // is a program text to go back to.
        if (m_model.listingShown()) {
            m_model.endListing();
            refresh();
        } else if (m_model.hasProgramText()) {
            openScriptEditor();
        }
        return;
    case Qt::Key_Space:
        takeBreakpoints();
        m_model.pressSpace();
        refresh();
        return;
    case Qt::Key_Delete:
        if (m_model.deleteHighlighted())
            refresh();
        return;
    default:
        // Q belongs to the space view's animation.
        if (m_model.pressKey(event->key())) {
            refresh();
            return;
        }
        QMainWindow::keyPressEvent(event);
    }
}

QWidget* ConstructionWindowWidget::canvas() const
{
    return m_canvas;
}

double ConstructionWindowWidget::modelY(double canvasY) const
{
    return canvasY + m_model.state().store().settings().viewY;
}

void ConstructionWindowWidget::chooseTool(size_t panel)
{
    m_model.chooseTool(kPanelTools[panel - kFirstToolPanel]);
    refresh();
    m_canvas->setFocus();
}

// The timer alternates the message lines, may show a deferred box and moves
// the space animation (the widget paints through a back buffer, so a
// repaint does not flicker).
void ConstructionWindowWidget::tick()
{
    m_model.state().setWorkingDirectory(m_application.directories().working);
    if (m_model.tick())
        m_canvas->update();
    m_panels[ConstructionWindow::kMessagePanel]->update();
    updateUndoActions();
}

// A typed name with a picture extension (.png, .svg, .pdf, .tex) decides the
// format, whatever filter is shown; any other name takes the filter's format
// and extension.
void ConstructionWindowWidget::exportPicture()
{
    struct Filter {
        const char* text;
        const char* extension;
        PictureFormat format;
    };
    static constexpr Filter kFilters[] = {
        {"PNG image (*.png)", ".png", PictureFormat::Png},
        {"SVG drawing (*.svg)", ".svg", PictureFormat::Svg},
        {"PDF document (*.pdf)", ".pdf", PictureFormat::Pdf},
        {"TikZ picture for LaTeX (*.tex)", ".tex", PictureFormat::Tikz},
    };
    QStringList filters;
    for (const Filter& filter : kFilters)
        filters << filter.text;
    QString selected = filters.front();
    QString chosen = QFileDialog::getSaveFileName(this, "Export picture", QString(),
                                                  filters.join(";;"), &selected);
    if (chosen.isEmpty())
        return;
    const Filter* filter = &kFilters[0];
    for (const Filter& candidate : kFilters) {
        if (selected == candidate.text)
            filter = &candidate;
    }
    std::string path = chosen.toStdString();
    std::optional<PictureFormat> typed = pictureFormatOf(path);
    if (!typed)
        path += filter->extension;
    std::string error =
        writePicture(typed.value_or(filter->format), path, ConstructionWindow::kDrawingWidth,
                     ConstructionWindow::kDrawingHeight,
                     [this](kestrane::Canvas& canvas) { m_model.paint(canvas); });
    if (!error.empty())
        QMessageBox::warning(this, "Export picture", QString::fromStdString(error));
}

void ConstructionWindowWidget::printDrawing()
{
    printWithDialog(this, ConstructionWindow::kDrawingWidth, m_model.drawingHeight(),
                    [this](kestrane::Canvas& canvas) { m_model.paint(canvas); });
}

void ConstructionWindowWidget::saveFigureProgram()
{
    QString chosen = QFileDialog::getSaveFileName(this, "Save figure as program", QString(),
                                                  "Kestrane scripts (*.kst)");
    if (chosen.isEmpty())
        return;
    std::string path = chosen.toStdString();
    if (!chosen.endsWith(".kst", Qt::CaseInsensitive))
        path += ".kst";
    if (!replaceFile(path, figureProgram(m_model.store(), m_model.figures())))
        QMessageBox::warning(this, "Save figure as program",
                             QString::fromStdString(translateFilled("cannot write %1", {path})));
}

// Greyed while a program runs or a choice waits; the timer keeps them current.
void ConstructionWindowWidget::updateUndoActions()
{
    m_undo->setEnabled(m_model.canUndo());
    m_redo->setEnabled(m_model.canRedo());
}

void ConstructionWindowWidget::showHover()
{
    if (auto* first = qobject_cast<QLabel*>(m_panels[0]))
        first->setText(text(m_model.hoverPanelText()));
}

void ConstructionWindowWidget::refresh()
{
    if (auto* distance = qobject_cast<QAbstractButton*>(m_panels[kDistancePanel]))
        distance->setText(text(m_model.distancePanelText()));
    showHover();
    {
        QSignalBlocker blocker(m_scrollBar);
        if (m_model.listingShown()) {
            m_scrollBar->setRange(0, m_model.lastListingTop());
            m_scrollBar->setPageStep(ConstructionWindow::kListingLines);
            m_scrollBar->setSingleStep(1);
            m_scrollBar->setValue(m_model.listingTop());
        } else {
            m_scrollBar->setRange(0, m_model.drawingHeight());
            m_scrollBar->setPageStep(ConstructionWindow::kScrollLargeStep);
            m_scrollBar->setSingleStep(ConstructionWindow::kScrollSmallStep);
            m_scrollBar->setValue(m_model.state().store().settings().viewY);
        }
    }
    m_panels[ConstructionWindow::kMessagePanel]->update();
    updateSceneButtons();
    m_canvas->update();
    updateUndoActions();
    showPause();
}

// The buttons a scene paints get keyboard and assistive access through
// buttons laid over them; the mouse still reaches the drawing below.
void ConstructionWindowWidget::updateSceneButtons()
{
    std::vector<PaintedButton> painted;
    if (ModuleScene* scene = m_model.state().scene())
        painted = scene->paintedButtons();
    std::size_t index = 0;
    for (const PaintedButton& entry : painted) {
        if (index == m_sceneButtons.size()) {
            auto* button = new AccessibleButton(text(entry.name), QString(),
                                                AccessibleButton::Look::Overlay, m_canvas);
            button->setAttribute(Qt::WA_TransparentForMouseEvents);
            m_sceneButtons.push_back(button);
        }
        AccessibleButton* button = m_sceneButtons[index++];
        button->setText(text(entry.name));
        button->setAccessibleName(text(entry.name));
        button->setAccessibleDescription(
            QString("the %1 button of the space view").arg(text(entry.name)));
        int top = entry.y - static_cast<int>(modelY(0));
        button->setGeometry(entry.x, top, entry.width, entry.height);
        button->disconnect(this);
        double x = entry.x + entry.width / 2.0;
        double y = entry.y + entry.height / 2.0;
        connect(button, &QAbstractButton::clicked, this, [this, x, y] {
            m_model.click(x, y);
            refresh();
        });
        button->show();
    }
    for (; index < m_sceneButtons.size(); ++index)
        m_sceneButtons[index]->hide();
}

void ConstructionWindowWidget::showAbout()
{
    AboutBox about;
    m_application.host().runModal(about);
}

} // namespace kestrane
