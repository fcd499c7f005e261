// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/accessible_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>

namespace kestrane {

AccessibleButton::AccessibleButton(const QString& name, const QString& description, Look look,
                                   QWidget* parent)
    : QAbstractButton(parent)
    , m_look(look)
{
    setText(name);
    setAccessibleName(QString(name).remove('&'));
    setAccessibleDescription(description);
    setToolTip(description);
    setFocusPolicy(Qt::TabFocus);
    if (look == Look::Overlay)
        setAttribute(Qt::WA_NoSystemBackground);
}

QSize AccessibleButton::sizeHint() const
{
    QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    return text + QSize(16, 6);
}

void AccessibleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_look == Look::Panel) {
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.frameShape = QFrame::Panel;
        frame.state |= QStyle::State_Sunken;
        frame.lineWidth = 1;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void AccessibleButton::keyPressEvent(QKeyEvent* event)
{
    // Space is the button's own key; Enter presses it too, as on a dialog's
    // buttons.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace kestrane
