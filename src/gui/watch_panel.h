// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>

class QListWidget;
class QTableWidget;

namespace kestrane {

class ConstructionWindow;

// The watch panel beside the drawing (Program > Watch): the call stack of a
// paused program, the innermost procedure first, and every name of the
// selected procedure with its value, shortened with an ellipsis and whole in
// its tooltip. Empty while no program is paused.
class WatchPanel final : public QDockWidget {
    Q_OBJECT
public:
    // Values longer than this many characters are shortened.
    static constexpr int kValueWidth = 48;

    WatchPanel(const ConstructionWindow& model, QWidget* parent);

    // Reads the paused program again; the selected procedure stays selected
    // while it is still on the stack.
    void refresh();

    QListWidget* stack() const { return m_stack; }
    QTableWidget* values() const { return m_values; }

protected:
    // The panel was hidden while the program stepped: it reads it again.
    void showEvent(QShowEvent* event) override;

private:
    void showValues();

    const ConstructionWindow& m_model;
    QListWidget* m_stack;
    QTableWidget* m_values;
};

} // namespace kestrane
