#include "gui/construction_window_widget.h"

#include "app/about_box.h"
#include "app/application.h"
#include "gui/qt_canvas.h"
#include "gui/script_editor_widget.h"
#include "runtime/construction_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// The status panel that opens the script editor.
constexpr size_t kTextPanel = 7;

} // namespace

// The drawing area: the model paints everything on it.
class ConstructionWindowWidget::Canvas final : public QWidget {
public:
    Canvas(const ConstructionWindow& model, QWidget* parent) : QWidget(parent), m_model(model)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paint(canvas, width(), height());
    }

private:
    const ConstructionWindow& m_model;
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
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(m_model.messagePanelText()));
    }

private:
    const ConstructionWindow& m_model;
};

ConstructionWindowWidget::ConstructionWindowWidget(Application& application)
    : m_application(application)
    , m_model(application.constructionWindow())
    , m_canvas(new Canvas(m_model, this))
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
    , m_editor(new ScriptEditorWidget(application, this))
{
    setWindowTitle(text(ConstructionWindow::kCaption));
    setGeometry(0, 0, ConstructionWindow::kWidth, ConstructionWindow::kHeight);

    m_scrollBar->setSingleStep(ConstructionWindow::kScrollSmallStep);
    m_scrollBar->setPageStep(ConstructionWindow::kScrollLargeStep);
    // Scrolling moves the construction once it can hold objects.
    m_scrollBar->setEnabled(false);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_scrollBar);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
    connect(m_editor, &ScriptEditorWidget::closed, this, [this] { editorClosed(); });
    connect(m_editor, &ScriptEditorWidget::handedOver, this,
            [this](const HandOver& handOver) { takeOver(handOver); });
}

void ConstructionWindowWidget::buildMenus()
{
    QMenu* newMenu = menuBar()->addMenu("&New");
    for (const char* tool : {"point", "segment", "line", "circle", "half-line", "distance"})
        newMenu->addAction(tool)->setEnabled(false);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction("&Remove all")->setEnabled(false);
    edit->addAction("&Text", this, [this] { openScriptEditor(); });

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
    help->addAction("&about", this, [this] { showAbout(); });
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
        } else {
            auto* label = new QLabel(text(panel.text), bar);
            label->setAlignment(Qt::AlignCenter);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            // The tools open from their panels once they exist; the
            // "Text" panel opens the editor.
            label->setEnabled(index == kTextPanel);
            if (index == kTextPanel)
                label->installEventFilter(this);
            widget = label;
        }
        widget->setObjectName(QString("panel%1").arg(index));
        widget->setFixedWidth(panel.width + 16);
        widget->setMinimumHeight(20);
        bar->addWidget(widget);
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
void ConstructionWindowWidget::takeOver(const HandOver&)
{
    raise();
    activateWindow();
    m_canvas->setFocus();
    m_canvas->update();
}

// Ending the program closes an open editor first, which asks about
// unsaved changes; Cancel there keeps the program running.
void ConstructionWindowWidget::closeEvent(QCloseEvent* event)
{
    if (m_editor->isVisible() && !m_editor->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void ConstructionWindowWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        openScriptEditor();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool ConstructionWindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && kTextPanel < m_panels.size() &&
        watched == m_panels[kTextPanel]) {
        openScriptEditor();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ConstructionWindowWidget::showAbout()
{
    AboutBox about;
    m_application.host().runModal(about);
}

} // namespace kestrane
