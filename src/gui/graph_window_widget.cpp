// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/graph_window_widget.h"

#include "app/about_box.h"
#include "graphs/graph_key_table.h"
#include "gui/accessible_button.h"
#include "gui/assistive_texts.h"
#include "gui/expression_keys.h"
#include "gui/key_shortcuts.h"
#include "gui/picture_print.h"
#include "gui/qt_canvas.h"
#include "gui/recent_menu.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrane {

// The client area: W x H of the model, painted by it.
class GraphWindowWidget::Area final : public QWidget {
public:
    Area(GraphWindowWidget& window) : QWidget(&window), m_window(window)
    {
        setObjectName("graphArea");
        setAccessibleName("Function");
        setAccessibleDescription("the function of x being built, its domain and its graph");
        // The area holds the focus; its keys go on to the window.
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_window.model().paint(canvas);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        QPoint point = event->position().toPoint();
        m_window.m_timer->stop();
        m_window.model().click(point.x(), point.y());
        m_window.m_timer->start();
        m_window.afterCommand();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        QPoint point = event->position().toPoint();
        std::string before = m_window.model().hoverText();
        m_window.model().mouseMove(point.x(), point.y());
        if (m_window.model().hoverText() != before)
            update();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        m_window.model().resize(width(), height());
        m_window.placeButtons();
    }

private:
    GraphWindowWidget& m_window;
};

GraphWindowWidget::GraphWindowWidget(Host& host, const Options& options, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_metricsImage(1, 1, QImage::Format_RGB32)
    , m_metricsPainter(&m_metricsImage)
    , m_metrics(std::make_unique<QtCanvas>(m_metricsPainter, &m_metricsImage))
    , m_model(std::make_unique<GraphWindow>(host, *m_metrics, options.fontHeight))
{
    setObjectName("graphWindow");
    m_model->setColours(options.expressionBackground, options.window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    buildMenus(menuBar);
    m_area = new Area(*this);
    m_area->setMinimumSize(400, 300);
    layout->addWidget(m_area);
    setFocusProxy(m_area);
    placeButtons();
    resize(GraphWindow::kInitialWidth, GraphWindow::kInitialHeight + menuBar->sizeHint().height());
    m_timer = new QTimer(this);
    m_timer->setInterval(GraphWindow::kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_model->tick();
        m_area->update();
    });
    m_timer->start();
    afterCommand();
    describeForAssistiveTools(*this, N_("build a function of x and draw its graph"));
}

GraphWindowWidget::~GraphWindowWidget()
{
    m_model.reset();
}

QAction* GraphWindowWidget::action(const QString& caption) const
{
    return findChild<QAction*>(caption);
}

void GraphWindowWidget::buildMenus(QWidget* menuHolder)
{
    auto* menuBar = static_cast<QMenuBar*>(menuHolder);
    QMenu* menu = nullptr;
    QString menuTitle;
    for (const GraphMenuItem& item : GraphWindow::menuItems()) {
        if (!menu || menuTitle != item.menu) {
            menuTitle = item.menu;
            menu = menuBar->addMenu(menuTitle);
        }
        if (item.command == GraphCommand::Exit)
            addPrintItem(menu);
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(QString(item.caption).remove('&'));
        if (item.command == GraphCommand::Open) {
            addRecentMenu(menu, RecentKind::Function, [this](const std::string& path) {
                m_timer->stop();
                bool opened = m_model->openAsking(path);
                m_timer->start();
                afterCommand();
                return opened;
            });
        }
        GraphCommand command = item.command;
        int code = item.code;
        connect(action, &QAction::triggered, this, [this, command, code] {
            if (command == GraphCommand::Exit) {
                close();
                return;
            }
            m_timer->stop();
            if (command == GraphCommand::About) {
                AboutBox about;
                m_host.runModal(about);
            } else {
                m_model->run(command, code);
            }
            m_timer->start();
            afterCommand();
        });
        if (item.command == GraphCommand::Exit) {
            QAction* quit = menu->addAction("&Quit");
            quit->setObjectName("Quit");
            connect(quit, &QAction::triggered, this, [this] { quitFrom(*this); });
        }
    }
    applyKeyTable(*this, graphWindowKeys());
}

// File > Print…, before Exit.
void GraphWindowWidget::addPrintItem(QMenu* file)
{
    QAction* print = file->addAction("&Print…");
    print->setObjectName("Print…");
    connect(print, &QAction::triggered, this, [this] {
        m_timer->stop();
        printWithDialog(this, m_model->width(), m_model->height(),
                        [this](Canvas& canvas) { m_model->paint(canvas); });
        m_timer->start();
        afterCommand();
    });
}

namespace {

QString shown(const char* text)
{
    return QString::fromUtf8(translate(text));
}

// What assistive tools say for each painted control of the window: its name
// and what it does, in the user's language. Functions keep their own names.
std::pair<QString, QString> speechOf(const GraphButton& button)
{
    switch (button.command) {
    case GraphCommand::ShowGraph:
        return {shown(N_("Show graph")), shown(N_("show the graph (Ctrl+G)"))};
    case GraphCommand::ChangeDomain:
        return {shown(N_("Change domain")), shown(N_("change the domain (Ctrl+D)"))};
    case GraphCommand::Pi:
        return {shown(N_("Pi")), shown(N_("enter the constant pi"))};
    case GraphCommand::Root:
        return {shown(N_("Root")), shown(N_("insert a root at the cursor"))};
    case GraphCommand::Ratio:
        return {shown(N_("Fraction")), shown(N_("insert a fraction at the cursor"))};
    case GraphCommand::Power:
        return {shown(N_("Power")), shown(N_("insert a power at the cursor"))};
    default:
        return {QString(button.name),
                shown(N_("insert the function %1 at the cursor")).arg(button.name)};
    }
}

} // namespace

// The buttons the model paints get keyboard and assistive access through
// buttons laid over them; the mouse still reaches the area below.
void GraphWindowWidget::placeButtons()
{
    std::vector<GraphButton> painted = m_model->buttons();
    for (std::size_t index = 0; index < painted.size(); ++index) {
        const GraphButton& entry = painted[index];
        if (index == m_buttons.size()) {
            auto [name, description] = speechOf(entry);
            auto* button =
                new AccessibleButton(name, description, AccessibleButton::Look::Overlay, m_area);
            button->setObjectName(QString("button_%1").arg(entry.name));
            button->setAttribute(Qt::WA_TransparentForMouseEvents);
            GraphCommand command = entry.command;
            int code = entry.code;
            connect(button, &QAbstractButton::clicked, this, [this, command, code] {
                m_timer->stop();
                m_model->run(command, code);
                m_timer->start();
                afterCommand();
            });
            m_buttons.push_back(button);
        }
        m_buttons[index]->setGeometry(entry.x1, entry.y1, entry.x2 - entry.x1, entry.y2 - entry.y1);
        m_buttons[index]->show();
    }
}

void GraphWindowWidget::afterCommand()
{
    // A file's name stays as it is; "NoName" is translated.
    std::string title = m_model->caption();
    setWindowTitle(QString::fromUtf8(title == m_model->fileName() ? title : translate(title)));
    // A file opened or saved under a new name joins Open Recent.
    if (m_model->fileName() != m_rememberedFile) {
        m_rememberedFile = m_model->fileName();
        rememberRecent(RecentKind::Function, m_rememberedFile);
    }
    m_area->update();
}

void GraphWindowWidget::keyPressEvent(QKeyEvent* event)
{
    Modifiers modifiers = toEditorModifiers(event->modifiers());
    std::uint16_t key = toEditorKey(*event, modifiers);
    if (key == 0)
        return;
    m_timer->stop();
    m_model->keyDown(key, modifiers);
    m_timer->start();
    afterCommand();
}

void GraphWindowWidget::closeEvent(QCloseEvent* event)
{
    m_timer->stop();
    if (!m_model->close()) {
        m_timer->start();
        afterCommand();
        event->ignore();
        return;
    }
    event->accept();
}

void GraphWindowWidget::reject()
{
    // Escape belongs to the window's keys; closing goes through close().
    if (isVisible() && !m_model->close())
        return;
    QDialog::reject();
}

} // namespace kestrane
