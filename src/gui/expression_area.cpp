// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/expression_area.h"

#include "expressions/expression_editor.h"
#include "gui/qt_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrane {

ExpressionArea::ExpressionArea(QWidget* window, Hooks hooks)
    : QWidget(window)
    , m_hooks(std::move(hooks))
{
    setObjectName("expressionArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ExpressionArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QtCanvas canvas(painter);
    m_hooks.paint(canvas);
}

void ExpressionArea::mousePressEvent(QMouseEvent* event)
{
    m_start = event->position().toPoint();
}

void ExpressionArea::mouseReleaseEvent(QMouseEvent* event)
{
    QPoint end = event->position().toPoint();
    bool moved = (end - m_start).manhattanLength() > 3;
    if (!moved && m_hooks.click && m_hooks.click(end.x(), end.y())) {
        m_hooks.afterCommand();
        return;
    }
    ExpressionEditor& editor = m_hooks.editor();
    // A click chooses a root's degree or puts the caret; a drag selects.
    if (!moved) {
        if (!editor.clickDegreeControl(end.x(), end.y()))
            editor.clickCaret(end.x(), end.y());
    } else {
        editor.drag(m_start.x(), m_start.y(), end.x(), end.y());
    }
    m_hooks.afterCommand();
}

bool ExpressionArea::focusNextPrevChild(bool next)
{
    // Tab moves to the window's buttons, which take no other keys: a key
    // typed there comes back to the expression.
    return QWidget::focusNextPrevChild(next);
}

} // namespace kestrane
