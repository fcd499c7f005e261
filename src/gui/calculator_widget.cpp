#include "gui/calculator_widget.h"

#include "app/about_box.h"
#include "fractions/calculator_results.h"
#include "gui/button_pictures.h"
#include "gui/expression_area.h"
#include "gui/expression_keys.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "platform/keys.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrane {

namespace {

constexpr int kBlinkInterval = 250; // ms
constexpr int kMenuHeight = 24;

struct ButtonLayout {
    const char* name;
    const char* picture;
    const char* text;
    int x;
    int y;
};

// The keypad at the left, the functions in the middle, π and the Greek
// letters at the right; BImage1 and BImage3 show while a result does.
constexpr int kTop = Calculator::kButtonsTop;
constexpr ButtonLayout kButtons[] = {
    {"KImage8", "key_7", "7", 20, kTop},
    {"KImage9", "key_8", "8", 60, kTop},
    {"KImage10", "key_9", "9", 100, kTop},
    {"KImage13", "key_plus", "+", 140, kTop},
    {"KImage5", "key_4", "4", 20, kTop + 40},
    {"KImage6", "key_5", "5", 60, kTop + 40},
    {"KImage7", "key_6", "6", 100, kTop + 40},
    {"KImage12", "key_minus", "-", 140, kTop + 40},
    {"KImage2", "key_1", "1", 20, kTop + 80},
    {"KImage3", "key_2", "2", 60, kTop + 80},
    {"KImage4", "key_3", "3", 100, kTop + 80},
    {"KImage16", "key_times", "*", 140, kTop + 80},
    {"KImage1", "key_0", "0", 20, kTop + 120},
    {"KImage11", "key_point", ".", 60, kTop + 120},
    {"KImage14", "key_sign", "+/-", 100, kTop + 120},
    {"KImage15", "key_equals", "=", 140, kTop + 120},
    {"GImage5", "function_sin", "sin", 330, kTop},
    {"GImage4", "function_cos", "cos", 390, kTop},
    {"GImage6", "function_tan", "tan", 330, kTop + 40},
    {"GImage7", "function_cot", "cot", 390, kTop + 40},
    {"GImage10", "function_asin", "asin", 560, kTop},
    {"GImage9", "function_acos", "acos", 620, kTop},
    {"GImage11", "function_atan", "atan", 560, kTop + 40},
    {"GImage8", "function_acot", "acot", 620, kTop + 40},
    {"GImage2", "function_exp", "exp", 790, kTop},
    {"GImage1", "function_log", "log", 850, kTop},
    {"GImage3", "function_pi", "\u03C0", 910, kTop},
    {"GImage12", "greek_alpha", "\u03B1", 790, kTop + 70},
    {"GImage13", "greek_beta", "\u03B2", 840, kTop + 70},
    {"GImage14", "greek_gamma", "\u03B3", 890, kTop + 70},
    {"GImage15", "greek_epsilon", "\u03B5", 940, kTop + 70},
    {"BImage1", "compute", "Compute", 330, kTop + 100},
    {"BImage3", "new_expression", "New", 430, kTop + 100},
};

// The results window: paints the model, scrolls, and closes on any key or
// click.
class ResultsDialog final : public QDialog {
public:
    ResultsDialog(CalculatorOutput output, QWidget* parent)
        : QDialog(parent)
        , m_model(std::move(output))
        , m_scrollBar(new QScrollBar(this))
    {
        setObjectName("calculatorResults");
        setWindowTitle(CalculatorResults::kCaption);
        setFixedSize(CalculatorResults::kWidth, CalculatorResults::kHeight);
        int overflow = m_model.contentHeight() - CalculatorResults::kHeight;
        m_scrollBar->setGeometry(CalculatorResults::kWidth - 18, 0, 18, CalculatorResults::kHeight);
        m_scrollBar->setRange(0, std::max(0, overflow));
        m_scrollBar->setPageStep(CalculatorResults::kHeight);
        m_scrollBar->setVisible(overflow > 0);
        m_scrollBar->setFocusPolicy(Qt::NoFocus);
        connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
            m_model.setScroll(value);
            update();
        });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paint(canvas);
    }
    void keyPressEvent(QKeyEvent*) override { accept(); }
    void mousePressEvent(QMouseEvent*) override { accept(); }
    void wheelEvent(QWheelEvent* event) override
    {
        m_scrollBar->setValue(m_scrollBar->value() - event->angleDelta().y() / 4);
    }

private:
    CalculatorResults m_model;
    QScrollBar* m_scrollBar;
};

} // namespace

CalculatorWidget::CalculatorWidget(Host& host, const std::filesystem::path& imagesDirectory,
                                   QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_metricsImage(1, 1, QImage::Format_RGB32)
    , m_metricsPainter(&m_metricsImage)
    , m_metrics(std::make_unique<QtCanvas>(m_metricsPainter, &m_metricsImage))
    , m_clipboard(std::make_unique<QtClipboard>())
    , m_model(std::make_unique<Calculator>(host, *m_clipboard, *m_metrics))
{
    setObjectName("calculator");
    setWindowTitle("Calculator");
    setFixedSize(Calculator::kWidth, Calculator::kHeight + kMenuHeight);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    buildMenus(menuBar);
    m_area = new ExpressionArea(this, {[this](Canvas& canvas) { m_model->paint(canvas); },
                                       [this]() -> ExpressionEditor& { return m_model->editor(); },
                                       [this] { afterCommand(); }});
    m_area->setFixedSize(Calculator::kWidth, Calculator::kHeight);
    layout->addWidget(m_area);
    buildButtons(imagesDirectory);
    m_timer = new QTimer(this);
    m_timer->setInterval(kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_model->tick();
        m_area->update();
    });
    m_timer->start();
    afterCommand();
}

CalculatorWidget::~CalculatorWidget()
{
    // The model gives back the word count before its measuring canvas goes.
    m_model.reset();
}

QWidget* CalculatorWidget::expressionArea() const
{
    return m_area;
}

QAction* CalculatorWidget::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void CalculatorWidget::buildMenus(QWidget* menuHolder)
{
    auto* menuBar = static_cast<QMenuBar*>(menuHolder);
    auto addItem = [this](QMenu* menu, const QString& text, const QString& name,
                          std::function<void()> command) {
        QAction* item = menu->addAction(text);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, [this, command = std::move(command)] {
            m_timer->stop();
            command();
            m_timer->start();
            afterCommand();
        });
        return item;
    };
    QMenu* file = menuBar->addMenu("&File");
    addItem(file, "&New", "new", [this] {
        m_model->clearVariables();
        m_model->newExpression();
    });
    addItem(file, "E&xit", "exit", [this] { close(); });
    QMenu* settings = menuBar->addMenu("&Settings");
    addItem(settings, "&Precision", "precision", [this] { choosePrecision(); });
    m_complexItem = addItem(settings, "&Complex Numbers", "complexNumbers",
                            [this] { m_model->setComplexNumbers(!m_model->complexNumbers()); });
    m_complexItem->setCheckable(true);
    QMenu* options = menuBar->addMenu("&Options");
    auto optionItem = [this, options, addItem](const QString& text, const QString& name,
                                               const std::string& caption) {
        addItem(options, text, name, [this, caption] {
            m_model->menu(caption);
            if (m_optionsSlot && caption != "Save options")
                *m_optionsSlot = m_model->options();
        });
    };
    optionItem("&Font", "font", "Font");
    optionItem("&Colors", "colors", "Colors");
    optionItem("&Save options", "saveOptions", "Save options");
    QMenu* help = menuBar->addMenu("&Help");
    addItem(help, "&Index", "index", [this] { m_model->menu("Index"); });
    addItem(help, "&About", "about", [this] {
        AboutBox about;
        m_host.runModal(about);
    });
}

void CalculatorWidget::useOptions(WindowOptions& slot)
{
    m_optionsSlot = &slot;
    m_model->setOptions(slot);
    afterCommand();
}

void CalculatorWidget::buildButtons(const std::filesystem::path& imagesDirectory)
{
    for (const ButtonLayout& entry : kButtons) {
        auto* button = new QPushButton(m_area);
        button->setObjectName(entry.name);
        button->setFocusPolicy(Qt::NoFocus);
        QPixmap picture =
            entry.picture[0] ? loadButtonPicture(imagesDirectory, entry.picture) : QPixmap();
        if (picture.isNull()) {
            button->setText(QString::fromUtf8(entry.text));
        } else {
            button->setIcon(picture);
            button->setIconSize(picture.size());
        }
        button->setGeometry(entry.x, entry.y,
                            std::string_view(entry.name).starts_with("B") ? 90 : 50, 34);
        connect(button, &QPushButton::clicked, this, [this, name = std::string(entry.name)] {
            m_model->pressButton(name);
            afterCommand();
        });
    }
}

void CalculatorWidget::afterCommand()
{
    bool shown = m_model->result().has_value();
    for (const char* name : {"BImage1", "BImage3"})
        if (auto* button = m_area->findChild<QPushButton*>(name))
            button->setVisible(shown);
    if (m_complexItem)
        m_complexItem->setChecked(m_model->complexNumbers());
    m_area->update();
    if (shown && m_model->result()->inResultsWindow) {
        m_timer->stop();
        ResultsDialog results(*m_model->result(), this);
        results.exec();
        m_timer->start();
    }
}

void CalculatorWidget::choosePrecision()
{
    PrecisionDialogWidget dialog(m_host, this);
    if (dialog.exec() == QDialog::Accepted)
        m_model->applyPrecision(dialog.model());
}

void CalculatorWidget::keyPressEvent(QKeyEvent* event)
{
    Modifiers modifiers = toEditorModifiers(event->modifiers());
    std::uint16_t key = toEditorKey(*event, modifiers);
    if (key == 0)
        return;
    m_model->keyDown(key, modifiers);
    afterCommand();
}

} // namespace kestrane
