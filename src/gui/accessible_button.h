// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace kestrane {

// A button for a control the program draws itself (a status bar panel, a
// button painted by a window's model): assistive tools see a button with a
// name and a description, Tab reaches it and Space or Enter presses it,
// as a click does.
//
// Overlay: laid over the model's drawing, it paints only the focus frame.
// Panel: a sunken status bar panel with its text centred, in the palette's
// colours.
class AccessibleButton final : public QAbstractButton {
    Q_OBJECT
public:
    enum class Look { Overlay, Panel };

    AccessibleButton(const QString& name, const QString& description, Look look, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Look m_look;
};

} // namespace kestrane
