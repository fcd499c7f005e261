// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/graph_window.h"

#include <QDialog>
#include <QImage>
#include <QPainter>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QTimer;

namespace kestrane {

class AccessibleButton;
class Host;
class QtCanvas;

// The graph window: the model paints the expression, the buttons, the
// click areas and the graph on the client area; menus, keys, clicks and
// mouse moves call the model. The caret blinks every 350 ms.
class GraphWindowWidget final : public QDialog {
    Q_OBJECT
public:
    struct Options {
        int fontHeight = 20;
        ColorRef expressionBackground = rgb(128, 255, 255);
        ColorRef window = rgb(208, 208, 208);
    };

    GraphWindowWidget(Host& host, const Options& options, QWidget* parent = nullptr);
    ~GraphWindowWidget() override;

    GraphWindow& model() { return *m_model; }
    // A menu item by its caption without '&' ("Graph", "Sa&ve as" is "Save as").
    QAction* action(const QString& caption) const;
    QWidget* clientArea() const { return m_area; }
    QTimer* blinkTimer() const { return m_timer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class Area;
    void buildMenus(QWidget* menuHolder);
    void addPrintItem(QMenu* file);
    void afterCommand();
    void placeButtons();

    Host& m_host;
    QImage m_metricsImage;
    QPainter m_metricsPainter;
    std::unique_ptr<QtCanvas> m_metrics;
    std::unique_ptr<GraphWindow> m_model;
    QWidget* m_area = nullptr;
    QTimer* m_timer = nullptr;
    std::string m_rememberedFile;
    std::vector<AccessibleButton*> m_buttons;
};

} // namespace kestrane
