#pragma once

#include "fractions/fractions_window.h"

#include <QDialog>
#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>

class QAction;
class QScrollBar;
class QTimer;

namespace kestrane {

class ExpressionArea;

class Host;
class QtCanvas;
class QtClipboard;

// The Fractions and Roots window: the model paints the expression and the
// labels; buttons and menus call the model. The caret blinks every 250 ms
// while no modal dialog of the window is open.
class FractionsWindowWidget final : public QDialog {
    Q_OBJECT
public:
    FractionsWindowWidget(Host& host, const std::filesystem::path& imagesDirectory,
                          QWidget* parent = nullptr);
    ~FractionsWindowWidget() override;

    FractionsWindow& model() { return *m_model; }
    // The program's slot of font and colours: read now, written back after
    // Font and Colors.
    void useOptions(WindowOptions& slot);
    QScrollBar* scrollBar() const { return m_scrollBar; }
    QAction* action(const QString& name) const;
    QTimer* blinkTimer() const { return m_timer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:

    void buildMenus(QWidget* menuHolder);
    void buildButtons(const std::filesystem::path& imagesDirectory);
    void afterCommand();
    // "Short description" with its text, "OK" and "Clear"; hidden until the
    // comment button is pressed.
    void buildDescriptionBox();
    QString descriptionText() const;
    void runMenu(const QString& caption);
    // Shows the variable editor while the model has it open.
    void runVariableEditor();

    Host& m_host;
    QImage m_metricsImage;
    QPainter m_metricsPainter;
    std::unique_ptr<QtCanvas> m_metrics;
    std::unique_ptr<QtClipboard> m_clipboard;
    std::unique_ptr<FractionsWindow> m_model;
    ExpressionArea* m_area = nullptr;
    QTimer* m_timer = nullptr;
    QAction* m_complexItem = nullptr;
    QWidget* m_descriptionBox = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    WindowOptions* m_optionsSlot = nullptr;
    std::filesystem::path m_imagesDirectory;
    bool m_inVariableEditor = false;
};

} // namespace kestrane
