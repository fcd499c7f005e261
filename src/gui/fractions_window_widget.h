// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/fractions_window.h"
#include "platform/key_table.h"
#include "platform/keys.h"

#include <QDialog>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>

class QAction;
class QScrollBar;
class QTimer;

namespace kestrane {

class ExpressionArea;
class Host;
class PrecisionDialog;
class QtCanvas;
class QtClipboard;

// An image button of a window: its name in the model, its picture under
// images/ (the text when there is none) and its place.
struct ButtonLayout {
    const char* name;
    const char* picture;
    const char* text;
    int x;
    int y;
    int width = 56;
    int height = 34;
};

// The Fractions and Roots window: the model paints the expression and the
// labels; buttons and menus call the model. The caret blinks every 250 ms
// while no modal dialog of the window is open. The expression area holds the
// keyboard focus: whatever had it, the area gets the keys back when a menu,
// a dialog or a message box closes. The Calculator extends this window.
class FractionsWindowWidget : public QDialog {
    Q_OBJECT
public:
    FractionsWindowWidget(Host& host, const std::filesystem::path& imagesDirectory,
                          QWidget* parent = nullptr);
    ~FractionsWindowWidget() override;

    FractionsWindow& model() { return *m_window; }
    // The program's slot of font and colours: read now, written back after
    // Font and Colors.
    void useOptions(WindowOptions& slot);
    QScrollBar* scrollBar() const { return m_scrollBar; }
    // A menu item by its caption without '&' ("Complex Numbers").
    QAction* action(const QString& name) const;
    QTimer* blinkTimer() const { return m_timer; }
    QWidget* expressionArea() const;

protected:
    // A window that extends this one makes its models first and then calls
    // build() with them.
    struct Extended {};
    FractionsWindowWidget(Host& host, const std::filesystem::path& imagesDirectory, QWidget* parent,
                          Extended);
    void build(FractionsWindow& window, QSize size, std::span<const ButtonLayout> buttons);

    Host& host() { return m_host; }
    QtCanvas& metrics() { return *m_metrics; }
    QtClipboard& clipboard() { return *m_clipboard; }
    ExpressionArea* area() const { return m_area; }
    void showButton(const char* name, bool shown);

    // What the extending window replaces.
    virtual void keyDown(std::uint16_t key, Modifiers modifiers);
    virtual void paintWindow(Canvas& canvas);
    virtual bool clickWindow(int x, int y);
    virtual void pressButton(const std::string& name);
    // A menu item of the model (all but Precision and About).
    virtual void command(const std::string& caption);
    virtual void applyPrecision(const PrecisionDialog& dialog);
    virtual void applyOptions(const WindowOptions& options);
    virtual const WindowOptions& currentOptions() const;
    // Closing: the question about unsaved changes; false keeps the window.
    virtual bool closeModel();
    virtual std::string caption() const;
    virtual void tick();
    // After each command: the buttons of the mode, the caption, a repaint.
    virtual void afterCommand();
    // The window's keys: the menu shortcuts and the keys shown beside items.
    virtual std::span<const KeyBinding> keyTable() const;
    // File > Open Recent.
    virtual bool openRecent(const std::string& path);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildMenus(QWidget* menuHolder);
    void buildButtons(std::span<const ButtonLayout> buttons);
    // "Short description" with its text, "OK" and "Clear"; hidden until the
    // comment button is pressed.
    void buildDescriptionBox();
    QString descriptionText() const;
    void runMenu(const QString& caption);
    // Shows the variable editor while the model has it open.
    void runVariableEditor();
    // The keys go back to the expression area.
    void takeFocus();

    Host& m_host;
    std::filesystem::path m_imagesDirectory;
    // The models measure text with this canvas for the whole life of the window.
    QImage m_metricsImage;
    QPainter m_metricsPainter;
    std::unique_ptr<QtCanvas> m_metrics;
    std::unique_ptr<QtClipboard> m_clipboard;
    // The Fractions and Roots window's own model; an extending window keeps
    // its model itself.
    std::unique_ptr<FractionsWindow> m_ownWindow;
    FractionsWindow* m_window = nullptr;
    ExpressionArea* m_area = nullptr;
    QTimer* m_timer = nullptr;
    QAction* m_complexItem = nullptr;
    QWidget* m_descriptionBox = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    WindowOptions* m_optionsSlot = nullptr;
    bool m_inVariableEditor = false;
    std::string m_rememberedFile;
};

} // namespace kestrane
