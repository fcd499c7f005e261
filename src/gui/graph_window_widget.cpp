// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/graph_window_widget.h"

#include "app/about_box.h"
#include "gui/expression_keys.h"
#include "gui/picture_print.h"
#include "gui/qt_canvas.h"
#include "platform/host.h"

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
    resize(GraphWindow::kInitialWidth, GraphWindow::kInitialHeight + menuBar->sizeHint().height());
    m_timer = new QTimer(this);
    m_timer->setInterval(GraphWindow::kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_model->tick();
        m_area->update();
    });
    m_timer->start();
    afterCommand();
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
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(QString(item.caption).remove('&'));
        action->setShortcut(QKeySequence(item.shortcut));
        // The window's shortcuts win over its children's.
        action->setShortcutContext(Qt::WindowShortcut);
        if (item.command == GraphCommand::Exit)
            addPrintItem(menu);
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
    }
}

// File > Print…, before Exit. Ctrl+P inserts a power here, so printing takes
// Ctrl+Shift+P.
void GraphWindowWidget::addPrintItem(QMenu* file)
{
    QAction* print = file->addAction("&Print…");
    print->setObjectName("Print…");
    print->setShortcut(QKeySequence("Ctrl+Shift+P"));
    print->setShortcutContext(Qt::WindowShortcut);
    connect(print, &QAction::triggered, this, [this] {
        m_timer->stop();
        printWithDialog(this, m_model->width(), m_model->height(),
                        [this](Canvas& canvas) { m_model->paint(canvas); });
        m_timer->start();
        afterCommand();
    });
}

void GraphWindowWidget::afterCommand()
{
    setWindowTitle(QString::fromStdString(m_model->caption()));
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
