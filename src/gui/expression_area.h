// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>

namespace kestrane {

class Canvas;
class ExpressionEditor;

// The white area where the Fractions and Roots window and the Calculator
// draw their expression: a click in the root-degree control chooses a
// degree, another click puts the caret, a drag selects, and the window is
// told after each. The keys it is given go on to its window.
class ExpressionArea final : public QWidget {
public:
    struct Hooks {
        std::function<void(Canvas&)> paint;
        std::function<ExpressionEditor&()> editor;
        std::function<void()> afterCommand;
        // A click (not a drag) first goes here; true when it was taken.
        std::function<bool(int x, int y)> click = {};
    };

    ExpressionArea(QWidget* window, Hooks hooks);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Hooks m_hooks;
    QPoint m_start;
};

} // namespace kestrane
