// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/assistive_texts.h"

#include "platform/translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace kestrane {

namespace {

QString shown(const char* text)
{
    return QString::fromUtf8(translate(text));
}

// "&Name:" read as "Name", in the user's language.
QString spoken(const QString& text)
{
    QString label = text;
    QByteArray bytes = label.toUtf8();
    label = QString::fromUtf8(translate(bytes.constData()));
    label.remove('&');
    label = label.trimmed();
    if (label.endsWith(':'))
        label.chop(1);
    return label;
}

void describeMenu(QMenu& menu)
{
    QStringList items;
    for (QAction* action : menu.actions())
        if (!action->isSeparator() && !action->text().isEmpty())
            items << spoken(action->text().section('\t', 0, 0));
    menu.setAccessibleDescription(items.join(", "));
}

// Menus whose items change (Open Recent) are described anew as they open.
void keepMenuDescribed(QMenu& menu)
{
    describeMenu(menu);
    if (menu.property("kestraneDescribed").toBool())
        return;
    menu.setProperty("kestraneDescribed", true);
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] { describeMenu(menu); });
}

// Qt makes the menu bar's overflow menu only once the bar runs out of room,
// after the window is built; it is described when it appears.
class LateMenus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The child is not yet a menu while it is being made: look once it is.
        if (event->type() == QEvent::ChildAdded)
            QMetaObject::invokeMethod(
                this,
                [bar = QPointer<QObject>(watched)] {
                    if (!bar)
                        return;
                    for (auto* menu : bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
                        keepMenuDescribed(*menu);
                },
                Qt::QueuedConnection);
        return false;
    }
};

void watchForLateMenus(QMenuBar& bar)
{
    if (bar.property("kestraneWatched").toBool())
        return;
    bar.setProperty("kestraneWatched", true);
    bar.installEventFilter(new LateMenus(&bar));
}

} // namespace

void describeForAssistiveTools(QWidget& window, const char* description)
{
    window.setAccessibleDescription(shown(description));
    for (auto* label : window.findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(spoken(label->text()));
    }
    for (auto* control : window.findChildren<QWidget*>()) {
        if (auto* bar = qobject_cast<QMenuBar*>(control))
            watchForLateMenus(*bar);
        if (auto* menu = qobject_cast<QMenu*>(control)) {
            keepMenuDescribed(*menu);
            continue;
        }
        if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(control))
            continue;
        if (!control->accessibleDescription().isEmpty())
            continue;
        if (!control->toolTip().isEmpty())
            control->setAccessibleDescription(control->toolTip());
        else if (!control->accessibleName().isEmpty())
            control->setAccessibleDescription(control->accessibleName());
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            control->setAccessibleDescription(spoken(button->text()));
    }
}

void nameForAssistiveTools(QWidget& control, const char* name, const char* description)
{
    control.setAccessibleName(shown(name));
    control.setAccessibleDescription(shown(description));
}

} // namespace kestrane
