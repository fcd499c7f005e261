// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>

class QAction;
class QWidget;

namespace kestrane {

// The key sequences of one action of a key table: the table's keys, then the
// desktop's own bindings of its standard key.
QList<QKeySequence> shortcutsOf(std::span<const KeyBinding> table, std::string_view action);

// The item of `window`'s own menu bar with the object name, or nullptr.
QAction* menuItem(QWidget& window, const QString& name);

// Gives every menu item of `window` (found by object name) the keys the
// table binds to it, active in the whole window. Items the table names but
// the window lacks are a programming error (asserted).
void applyKeyTable(QWidget& window, std::span<const KeyBinding> table);

// "Ctrl+M": the keys the window reads itself for an action, shown beside a
// menu item; empty when none.
QString keysHint(std::span<const KeyBinding> table, std::string_view action);

} // namespace kestrane
