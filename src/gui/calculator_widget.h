#pragma once

#include "fractions/calculator.h"

#include <QDialog>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>

class QAction;
class QTimer;

namespace kestrane {

class ExpressionArea;

class Host;
class QtCanvas;
class QtClipboard;

// The Calculator window: the model paints the expression and a short result;
// the image buttons and menus call the model; a long result opens the
// results window. The caret blinks every 250 ms.
class CalculatorWidget final : public QDialog {
    Q_OBJECT
public:
    CalculatorWidget(Host& host, const std::filesystem::path& imagesDirectory,
                     QWidget* parent = nullptr);
    ~CalculatorWidget() override;

    Calculator& model() { return *m_model; }
    // The program's slot of font and colours: read now, written back after
    // Font and Colors.
    void useOptions(WindowOptions& slot);
    QWidget* expressionArea() const;
    QTimer* blinkTimer() const { return m_timer; }
    QAction* action(const QString& name) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:

    void buildMenus(QWidget* menuHolder);
    void buildButtons(const std::filesystem::path& imagesDirectory);
    // Runs a command of the model and shows what it left: a repaint, and the
    // results window for a long result.
    void afterCommand();
    void choosePrecision();

    Host& m_host;
    // The editor measures text with this canvas for the whole life of the window.
    QImage m_metricsImage;
    QPainter m_metricsPainter;
    std::unique_ptr<QtCanvas> m_metrics;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<Calculator> m_model;
    ExpressionArea* m_area = nullptr;
    QTimer* m_timer = nullptr;
    QAction* m_complexItem = nullptr;
    WindowOptions* m_optionsSlot = nullptr;
};

} // namespace kestrane
