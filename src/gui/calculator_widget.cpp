// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/calculator_widget.h"

#include "fractions/calculator_results.h"
#include "fractions/fractions_key_table.h"
#include "gui/assistive_texts.h"
#include "gui/expression_area.h"
#include "gui/expression_keys.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "platform/keys.h"
#include "platform/translation.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <optional>
#include <string_view>

namespace kestrane {

namespace {

using C = Calculator;

constexpr int kRow1 = C::kPanelTop;
constexpr int kRow2 = C::kPanelTop + C::kRowStep;
constexpr int kRow3 = C::kPanelTop + 2 * C::kRowStep;
constexpr int kRow4 = C::kPanelTop + 3 * C::kRowStep;
constexpr int kKey = 44; // the keypad's pitch
constexpr int kFunction = 54;
constexpr int kBottom = C::kHeight - FractionsWindow::kListButtonsBottomOffset;
constexpr int kVariableTop = C::kHintTop - 6;

// The keypad at the left, the functions in the middle, π and the Greek
// letters under their titles; BImage1 and BImage3 show while a result does.
// The buttons of the Fractions and Roots window: Root, Fraction and Power
// under their labels at the bottom right, the variable buttons at the top
// right beside their hints, Simplify, the memories and the description at
// the top left, the list's help and main buttons at the bottom.
constexpr ButtonLayout kButtons[] = {
    {"KImage8", "key_7", "7", C::kKeyboardX, kRow1, 40},
    {"KImage9", "key_8", "8", C::kKeyboardX + kKey, kRow1, 40},
    {"KImage10", "key_9", "9", C::kKeyboardX + 2 * kKey, kRow1, 40},
    {"KImage13", "key_plus", "+", C::kKeyboardX + 3 * kKey, kRow1, 40},
    {"KImage5", "key_4", "4", C::kKeyboardX, kRow2, 40},
    {"KImage6", "key_5", "5", C::kKeyboardX + kKey, kRow2, 40},
    {"KImage7", "key_6", "6", C::kKeyboardX + 2 * kKey, kRow2, 40},
    {"KImage12", "key_minus", "-", C::kKeyboardX + 3 * kKey, kRow2, 40},
    {"KImage2", "key_1", "1", C::kKeyboardX, kRow3, 40},
    {"KImage3", "key_2", "2", C::kKeyboardX + kKey, kRow3, 40},
    {"KImage4", "key_3", "3", C::kKeyboardX + 2 * kKey, kRow3, 40},
    {"KImage16", "key_times", "*", C::kKeyboardX + 3 * kKey, kRow3, 40},
    {"KImage1", "key_0", "0", C::kKeyboardX, kRow4, 40},
    {"KImage11", "key_point", ".", C::kKeyboardX + kKey, kRow4, 40},
    {"KImage14", "key_sign", "+/-", C::kKeyboardX + 2 * kKey, kRow4, 40},
    {"KImage15", "key_equals", "=", C::kKeyboardX + 3 * kKey, kRow4, 40},
    {"GImage5", "function_sin", "sin", C::kTrigonometricX, kRow1, 50},
    {"GImage4", "function_cos", "cos", C::kTrigonometricX + kFunction, kRow1, 50},
    {"GImage6", "function_tan", "tan", C::kTrigonometricX, kRow2, 50},
    {"GImage7", "function_cot", "cot", C::kTrigonometricX + kFunction, kRow2, 50},
    {"GImage10", "function_asin", "asin", C::kInverseX, kRow1, 50},
    {"GImage9", "function_acos", "acos", C::kInverseX + kFunction, kRow1, 50},
    {"GImage11", "function_atan", "atan", C::kInverseX, kRow2, 50},
    {"GImage8", "function_acot", "acot", C::kInverseX + kFunction, kRow2, 50},
    {"GImage2", "function_exp", "exp", C::kOtherX, kRow1, 50},
    {"GImage1", "function_log", "log", C::kOtherX + kFunction, kRow1, 50},
    {"GImage3", "function_pi", "\u03C0", C::kOtherX + 2 * kFunction, kRow1, 50},
    {"GImage12", "greek_alpha", "\u03B1", C::kTrigonometricX, C::kGreekTop, 40},
    {"GImage13", "greek_beta", "\u03B2", C::kTrigonometricX + kKey, C::kGreekTop, 40},
    {"GImage14", "greek_gamma", "\u03B3", C::kTrigonometricX + 2 * kKey, C::kGreekTop, 40},
    {"GImage15", "greek_epsilon", "\u03B5", C::kTrigonometricX + 3 * kKey, C::kGreekTop, 40},
    {"BImage1", "compute", N_("Compute"), C::kInverseX, C::kGreekTop, 90},
    {"BImage3", "new_expression", N_("New"), C::kInverseX + 100, C::kGreekTop, 90},
    {"Imge5", "root", "sqrt", C::kWidth - FractionsWindow::kRootLabelOffset, kBottom},
    {"Imge3", "fraction", "a/b", C::kWidth - FractionsWindow::kFractionLabelOffset, kBottom},
    {"Imge4", "power", "x^n", C::kWidth - FractionsWindow::kPowerLabelOffset, kBottom},
    {"NImage1", "new_variable", N_("New"), C::kVariableButtonsX, kVariableTop, 56, 28},
    {"NImage3", "substitute", "x=?", C::kVariableButtonsX, kVariableTop + C::kHintStep, 56, 28},
    {"NImage2", "variables", N_("List"), C::kVariableButtonsX, kVariableTop + 2 * C::kHintStep, 56,
     28},
    {"NImage4", "simplify", N_("Simplify"), 20, 20},
    {"NImage5", "restore", N_("Restore"), 20, 20},
    {"M1In", "memory1_in", N_("M1 in"), 80, 20},
    {"M1InRed", "memory1_in_red", N_("M1 in"), 80, 20},
    {"M1Out", "memory1_out", N_("M1 out"), 140, 20},
    {"M2In", "memory2_in", N_("M2 in"), 200, 20},
    {"M2InRed", "memory2_in_red", N_("M2 in"), 200, 20},
    {"M2Out", "memory2_out", N_("M2 out"), 260, 20},
    {"koment", "comment", N_("Note"), 320, 20},
    // The list view's own buttons stand at x 60 to 440 on this row.
    {"HImage1", "list_help", "?", 480, kBottom},
    {"HImage2", "main_expression", N_("Main"), 540, kBottom},
};

// The results window: paints the model, scrolls, and closes on any key or
// click, keeping the key that closed it.
class ResultsDialog final : public QDialog {
public:
    ResultsDialog(CalculatorResults model, QWidget* parent)
        : QDialog(parent)
        , m_model(std::move(model))
        , m_scrollBar(new QScrollBar(this))
    {
        setObjectName("calculatorResults");
        setWindowTitle(CalculatorResults::kCaption);
        setFixedSize(CalculatorResults::kWidth, CalculatorResults::kHeight);
        int overflow = m_model.contentHeight() - CalculatorResults::kHeight;
        m_scrollBar->setGeometry(CalculatorResults::kWidth - CalculatorResults::kScrollBarWidth, 0,
                                 CalculatorResults::kScrollBarWidth, CalculatorResults::kHeight);
        m_scrollBar->setRange(0, std::max(0, overflow));
        m_scrollBar->setPageStep(CalculatorResults::kHeight);
        m_scrollBar->setVisible(overflow > 0);
        m_scrollBar->setFocusPolicy(Qt::NoFocus);
        nameForAssistiveTools(*m_scrollBar, N_("Scroll the result"),
                              N_("moves the lines of the result"));
        describeForAssistiveTools(*this, N_("the result of the calculator; any key closes it"));
        // What the window shows, read out in full after the window's purpose.
        QString described =
            accessibleDescription() + ": " + QString::fromStdString(m_model.spokenText());
        setAccessibleDescription(described);
        connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
            m_model.setScroll(value);
            update();
        });
    }

    // The key that closed the window, if a key did.
    const std::optional<std::pair<std::uint16_t, Modifiers>>& closingKey() const
    {
        return m_closingKey;
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paint(canvas);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        Modifiers modifiers = toEditorModifiers(event->modifiers());
        std::uint16_t key = toEditorKey(*event, modifiers);
        if (key != 0)
            m_closingKey.emplace(key, modifiers);
        accept();
    }
    void mousePressEvent(QMouseEvent*) override { accept(); }
    void wheelEvent(QWheelEvent* event) override
    {
        m_scrollBar->setValue(m_scrollBar->value() - event->angleDelta().y() / 4);
    }

private:
    CalculatorResults m_model;
    QScrollBar* m_scrollBar;
    std::optional<std::pair<std::uint16_t, Modifiers>> m_closingKey;
};

bool isPanelButton(std::string_view name)
{
    return name.starts_with("KImage") || name.starts_with("GImage");
}

} // namespace

CalculatorWidget::CalculatorWidget(Host& host, const std::filesystem::path& imagesDirectory,
                                   QWidget* parent)
    : FractionsWindowWidget(host, imagesDirectory, parent, Extended{})
    , m_model(std::make_unique<Calculator>(host, clipboard(), metrics()))
{
    setObjectName("calculator");
    build(m_model->window(), QSize(Calculator::kWidth, Calculator::kHeight), kButtons);
    describeForAssistiveTools(*this, N_("compute an expression to many digits"));
}

CalculatorWidget::~CalculatorWidget()
{
    // The model gives back the word count before its measuring canvas goes.
    m_model.reset();
}

void CalculatorWidget::keyDown(std::uint16_t key, Modifiers modifiers)
{
    m_model->keyDown(key, modifiers);
}

void CalculatorWidget::paintWindow(Canvas& canvas)
{
    m_model->paint(canvas);
}

bool CalculatorWidget::clickWindow(int x, int y)
{
    return m_model->click(x, y);
}

void CalculatorWidget::pressButton(const std::string& name)
{
    m_model->pressButton(name);
}

void CalculatorWidget::command(const std::string& caption)
{
    m_model->menu(caption);
}

void CalculatorWidget::applyPrecision(const PrecisionDialog& dialog)
{
    m_model->applyPrecision(dialog);
}

void CalculatorWidget::applyOptions(const WindowOptions& options)
{
    m_model->setOptions(options);
}

bool CalculatorWidget::closeModel()
{
    return m_model->close();
}

void CalculatorWidget::tick()
{
    m_model->tick();
}

void CalculatorWidget::afterCommand()
{
    bool main = m_model->window().mode() == FractionsWindow::Mode::Main;
    bool shown = main && m_model->result().has_value();
    for (const ButtonLayout& entry : kButtons)
        if (isPanelButton(entry.name))
            showButton(entry.name, main);
    for (const char* name : {"BImage1", "BImage3"})
        showButton(name, shown);
    FractionsWindowWidget::afterCommand();
    if (shown && m_model->result()->inResultsWindow)
        showResults();
}

void CalculatorWidget::showResults()
{
    std::optional<CalculatorResults> results = m_model->resultsWindow();
    if (!results || m_inResults || m_resultsShown == m_model->resultCount())
        return;
    m_resultsShown = m_model->resultCount();
    m_inResults = true;
    blinkTimer()->stop();
    ResultsDialog dialog(std::move(*results), this);
    dialog.exec();
    blinkTimer()->start();
    m_inResults = false;
    // The key that closed the results window is the Calculator's too:
    // Escape starts a new expression, a digit is typed.
    if (const auto& key = dialog.closingKey()) {
        keyDown(key->first, key->second);
        afterCommand();
    } else {
        area()->update();
    }
}

std::span<const KeyBinding> CalculatorWidget::keyTable() const
{
    return calculatorKeys();
}

} // namespace kestrane
