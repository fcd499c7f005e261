// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/key_shortcuts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <cassert>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QKeySequence::StandardKey toQt(StandardKey key)
{
    switch (key) {
    case StandardKey::None:
        break;
    case StandardKey::Open:
        return QKeySequence::Open;
    case StandardKey::Save:
        return QKeySequence::Save;
    case StandardKey::SaveAs:
        return QKeySequence::SaveAs;
    case StandardKey::Close:
        return QKeySequence::Close;
    case StandardKey::Quit:
        return QKeySequence::Quit;
    case StandardKey::Undo:
        return QKeySequence::Undo;
    case StandardKey::Redo:
        return QKeySequence::Redo;
    case StandardKey::HelpContents:
        return QKeySequence::HelpContents;
    case StandardKey::Find:
        return QKeySequence::Find;
    case StandardKey::FindNext:
        return QKeySequence::FindNext;
    case StandardKey::Cut:
        return QKeySequence::Cut;
    case StandardKey::Copy:
        return QKeySequence::Copy;
    case StandardKey::Paste:
        return QKeySequence::Paste;
    }
    return QKeySequence::UnknownKey;
}

} // namespace

QList<QKeySequence> shortcutsOf(std::span<const KeyBinding> table, std::string_view action)
{
    QList<QKeySequence> sequences;
    auto add = [&sequences](const QKeySequence& sequence) {
        if (!sequence.isEmpty() && !sequences.contains(sequence))
            sequences << sequence;
    };
    for (const KeyBinding& binding : table) {
        if (binding.action == action && binding.route == KeyRoute::Menu)
            add(QKeySequence(text(binding.keys)));
    }
    // The desktop's binding may differ from the usual one; a desktop binding
    // that another item of the window owns is left to that item.
    for (const KeyBinding& binding : table) {
        if (binding.action != action || binding.standard == StandardKey::None)
            continue;
        for (const QKeySequence& sequence : QKeySequence::keyBindings(toQt(binding.standard))) {
            bool taken = false;
            for (const KeyBinding& other : table)
                taken =
                    taken || (other.action != action && QKeySequence(text(other.keys)) == sequence);
            if (!taken)
                add(sequence);
        }
    }
    return sequences;
}

QAction* menuItem(QWidget& window, const QString& name)
{
    // Only this window's own menus: a child window (the editor inside the
    // construction window) has items of the same names.
    for (auto* bar : window.findChildren<QMenuBar*>()) {
        if (bar->window() != &window)
            continue;
        if (auto* action = bar->findChild<QAction*>(name))
            return action;
        // Items owned elsewhere and only shown in a menu (a dock's own
        // show/hide action).
        for (auto* menu : bar->findChildren<QMenu*>()) {
            for (QAction* action : menu->actions()) {
                if (action->objectName() == name)
                    return action;
            }
        }
    }
    return nullptr;
}

void applyKeyTable(QWidget& window, std::span<const KeyBinding> table)
{
    for (const KeyBinding& binding : table) {
        if (binding.route != KeyRoute::Menu)
            continue;
        QAction* action = menuItem(window, text(binding.action));
        assert(action && "a key table names a menu item the window lacks");
        if (!action)
            continue;
        action->setShortcuts(shortcutsOf(table, binding.action));
        // The window's shortcuts win over its children's.
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

QString keysHint(std::span<const KeyBinding> table, std::string_view action)
{
    QStringList keys;
    for (const KeyBinding& binding : table) {
        if (binding.action == action && binding.route == KeyRoute::Window)
            keys << text(binding.keys);
    }
    return keys.join(", ");
}

} // namespace kestrane
