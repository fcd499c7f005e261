#include "gui/fractions_window_widget.h"

#include "app/about_box.h"
#include "fractions/fraction_file.h"
#include "gui/button_pictures.h"
#include "gui/expression_area.h"
#include "gui/expression_keys.h"
#include "gui/picture_print.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "gui/variable_editor_widget.h"
#include "platform/host.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
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

constexpr int kBottom = FractionsWindow::kHeight - 60;
constexpr ButtonLayout kButtons[] = {
    {"Imge3", "fraction", "a/b", FractionsWindow::kWidth - 200, kBottom},
    {"Imge4", "power", "x^n", FractionsWindow::kWidth - 80, kBottom},
    {"Imge5", "root", "sqrt", FractionsWindow::kWidth - 142, kBottom},
    {"NImage1", "new_variable", "New", 20, kBottom - 44},
    {"NImage2", "variables", "List", 20, kBottom},
    {"NImage3", "substitute", "x=?", 80, kBottom - 44},
    {"NImage4", "simplify", "Simplify", 80, kBottom},
    {"NImage5", "restore", "Restore", 80, kBottom},
    // The list view's own buttons stand at x 60 to 440 on this row.
    {"HImage1", "list_help", "?", 480, kBottom},
    {"HImage2", "main_expression", "Main", 540, kBottom},
    {"M1In", "memory1_in", "M1 in", 160, kBottom},
    {"M1InRed", "memory1_in_red", "M1 in", 160, kBottom},
    {"M1Out", "memory1_out", "M1 out", 220, kBottom},
    {"M2In", "memory2_in", "M2 in", 280, kBottom},
    {"M2InRed", "memory2_in_red", "M2 in", 280, kBottom},
    {"M2Out", "memory2_out", "M2 out", 340, kBottom},
    {"koment", "comment", "Note", 420, kBottom},
};

} // namespace

FractionsWindowWidget::FractionsWindowWidget(Host& host,
                                             const std::filesystem::path& imagesDirectory,
                                             QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_metricsImage(1, 1, QImage::Format_RGB32)
    , m_metricsPainter(&m_metricsImage)
    , m_metrics(std::make_unique<QtCanvas>(m_metricsPainter, &m_metricsImage))
    , m_clipboard(std::make_unique<QtClipboard>())
    , m_model(std::make_unique<FractionsWindow>(host, *m_metrics))
    , m_imagesDirectory(imagesDirectory)
{
    m_model->setClipboard(m_clipboard.get());
    setObjectName("fractionsWindow");
    setFixedSize(FractionsWindow::kWidth, FractionsWindow::kHeight + kMenuHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    buildMenus(menuBar);
    m_area = new ExpressionArea(this, {[this](Canvas& canvas) { m_model->paint(canvas); },
                                       [this]() -> ExpressionEditor& { return m_model->editor(); },
                                       [this] { afterCommand(); },
                                       [this](int x, int y) { return m_model->click(x, y); }});
    m_area->setFixedSize(FractionsWindow::kWidth, FractionsWindow::kHeight);
    layout->addWidget(m_area);
    buildButtons(imagesDirectory);
    // FractBar: 100 pixels of the list a step.
    m_scrollBar = new QScrollBar(Qt::Vertical, m_area);
    m_scrollBar->setObjectName("FractBar");
    m_scrollBar->setGeometry(FractionsWindow::kWidth - 20, 0, 20, FractionsWindow::kHeight - 80);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (m_model->scrollPosition() != position) {
            m_model->scrollTo(position);
            m_area->update();
        }
    });
    m_timer = new QTimer(this);
    m_timer->setInterval(kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_model->editor().tick();
        m_area->update();
    });
    m_timer->start();
    afterCommand();
}

FractionsWindowWidget::~FractionsWindowWidget()
{
    m_model.reset();
}

void FractionsWindowWidget::useOptions(WindowOptions& slot)
{
    m_optionsSlot = &slot;
    m_model->setOptions(slot);
    afterCommand();
}

void FractionsWindowWidget::runMenu(const QString& caption)
{
    m_timer->stop();
    // Both saves write the description as the box shows it.
    if (caption == "Save" || caption == "Save as")
        m_model->setDescription(descriptionText().toStdString());
    if (caption == "Precision") {
        PrecisionDialogWidget dialog(m_host, this);
        if (dialog.exec() == QDialog::Accepted)
            m_model->applyPrecision(dialog.model());
    } else if (caption == "About") {
        AboutBox about;
        m_host.runModal(about);
    } else {
        m_model->menu(caption.toStdString());
    }
    if (m_optionsSlot && (caption == "Font" || caption == "Colors"))
        *m_optionsSlot = m_model->options();
    m_timer->start();
    afterCommand();
}

void FractionsWindowWidget::runVariableEditor()
{
    if (m_inVariableEditor || !m_model->variableEditor())
        return;
    m_inVariableEditor = true;
    m_timer->stop();
    VariableEditorWidget editor(*m_model, m_imagesDirectory, this);
    editor.exec();
    // However the dialog ended, the editor is closed.
    m_model->closeVariableEditor();
    m_timer->start();
    m_inVariableEditor = false;
}

QAction* FractionsWindowWidget::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void FractionsWindowWidget::buildMenus(QWidget* menuHolder)
{
    auto* menuBar = static_cast<QMenuBar*>(menuHolder);
    auto addItem = [this](QMenu* menu, const QString& text, const QString& caption,
                          const QKeySequence& shortcut = {}) {
        QAction* item = menu->addAction(text);
        item->setObjectName(caption);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, [this, caption] { runMenu(caption); });
        return item;
    };
    QMenu* file = menuBar->addMenu("&File");
    addItem(file, "&New", "New");
    addItem(file, "&Open", "Open");
    addItem(file, "&Save", "Save");
    addItem(file, "Sa&ve as", "Save as");
    // Ctrl+P inserts a power here, so printing takes Ctrl+Shift+P.
    QAction* print = file->addAction("&Print…");
    print->setObjectName("Print");
    print->setShortcut(QKeySequence("Ctrl+Shift+P"));
    connect(print, &QAction::triggered, this, [this] {
        m_timer->stop();
        printWithDialog(this, FractionsWindow::kWidth, FractionsWindow::kHeight,
                        [this](Canvas& canvas) { m_model->paint(canvas); });
        m_timer->start();
    });
    QAction* exit = file->addAction("E&xit");
    exit->setObjectName("Exit");
    connect(exit, &QAction::triggered, this, &QDialog::close);
    QMenu* expression = menuBar->addMenu("&Expression");
    addItem(expression, "&Main", "Main", QKeySequence("Ctrl+M"));
    addItem(expression, "&New variable", "New variable");
    addItem(expression, "&Simplify", "Simplify");
    QMenu* view = menuBar->addMenu("&View");
    addItem(view, "&Main fraction", "Main fraction", QKeySequence("Ctrl+H"));
    addItem(view, "&List of variables", "List of variables");
    addItem(view, "&Value", "Value");
    QMenu* settings = menuBar->addMenu("&Settings");
    addItem(settings, "&Precision", "Precision");
    m_complexItem = addItem(settings, "&Complex Numbers", "Complex Numbers");
    m_complexItem->setCheckable(true);
    QMenu* arithmetics = menuBar->addMenu("&Arithmetics");
    addItem(arithmetics, "&Power", "Power", QKeySequence("Ctrl+P"));
    addItem(arithmetics, "&Root", "Root", QKeySequence("Ctrl+R"));
    addItem(arithmetics, "&Fraction", "Fraction", QKeySequence("Ctrl+N"));
    QMenu* options = menuBar->addMenu("&Options");
    addItem(options, "&Font", "Font");
    addItem(options, "&Colors", "Colors");
    addItem(options, "&Save options", "Save options");
    QMenu* help = menuBar->addMenu("&Help");
    addItem(help, "&Index", "Index");
    addItem(help, "&About", "About");
}

void FractionsWindowWidget::buildButtons(const std::filesystem::path& imagesDirectory)
{
    for (const ButtonLayout& entry : kButtons) {
        auto* button = new QPushButton(m_area);
        button->setObjectName(entry.name);
        button->setFocusPolicy(Qt::NoFocus);
        QPixmap picture = loadButtonPicture(imagesDirectory, entry.picture);
        if (picture.isNull()) {
            button->setText(entry.text);
        } else {
            button->setIcon(picture);
            button->setIconSize(picture.size());
        }
        button->setGeometry(entry.x, entry.y, 56, 34);
        connect(button, &QPushButton::clicked, this, [this, name = std::string(entry.name)] {
            if (name == "koment")
                m_descriptionBox->show();
            else
                m_model->pressButton(name);
            afterCommand();
        });
    }
    buildDescriptionBox();
}

void FractionsWindowWidget::buildDescriptionBox()
{
    m_descriptionBox = new QWidget(m_area);
    m_descriptionBox->setObjectName("descriptionBox");
    m_descriptionBox->setGeometry(560, FractionsWindow::kHeight - 250, 400, 170);
    m_descriptionBox->setAutoFillBackground(true);
    auto* label = new QLabel("Short description", m_descriptionBox);
    label->setGeometry(10, 5, 380, 20);
    auto* text = new QPlainTextEdit(m_descriptionBox);
    text->setObjectName("description");
    text->setGeometry(10, 28, 380, 100);
    // At most 250 characters, as the file keeps them.
    connect(text, &QPlainTextEdit::textChanged, this, [text] {
        QString value = text->toPlainText();
        if (value.toUtf8().size() > static_cast<qsizetype>(kMaxDescriptionLength)) {
            text->setPlainText(QString::fromUtf8(value.toUtf8().left(kMaxDescriptionLength)));
            text->moveCursor(QTextCursor::End);
        }
    });
    auto* ok = new QPushButton("OK", m_descriptionBox);
    ok->setGeometry(10, 134, 80, 28);
    connect(ok, &QPushButton::clicked, this, [this, text] {
        m_model->setDescription(text->toPlainText().toStdString());
        m_descriptionBox->hide();
        setFocus();
    });
    auto* clear = new QPushButton("Clear", m_descriptionBox);
    clear->setGeometry(100, 134, 80, 28);
    connect(clear, &QPushButton::clicked, text, &QPlainTextEdit::clear);
    m_descriptionBox->hide();
}

void FractionsWindowWidget::afterCommand()
{
    setWindowTitle(QString::fromStdString(m_model->caption()));
    bool list = m_model->mode() == FractionsWindow::Mode::List;
    bool simplified = m_model->unsimplified() != nullptr;
    auto show = [this](const char* name, bool shown) {
        if (auto* button = m_area->findChild<QPushButton*>(name))
            button->setVisible(shown);
    };
    bool main = m_model->mode() == FractionsWindow::Mode::Main;
    show("NImage2", main);
    show("NImage4", main && !simplified);
    show("NImage5", main && simplified);
    show("HImage1", list);
    show("HImage2", list);
    show("NImage1", main);
    show("NImage3", main);
    // A filled memory shows its red "in" picture and its "out" button.
    for (int index = 0; index < 2; ++index) {
        std::string memory = "M" + std::to_string(index + 1);
        bool filled = m_model->memory(index) != nullptr;
        show((memory + "In").c_str(), main && !filled);
        show((memory + "InRed").c_str(), main && filled);
        show((memory + "Out").c_str(), main && filled);
    }
    show("koment", main);
    int maximum = list ? m_model->scrollMaximum() : 0;
    m_scrollBar->setRange(0, maximum);
    m_scrollBar->setValue(m_model->scrollPosition());
    m_scrollBar->setVisible(maximum > 0);
    m_complexItem->setChecked(m_model->complexNumbers());
    // After Open or New the box shows the window's description.
    QString description = QString::fromStdString(m_model->description());
    auto* text = m_descriptionBox->findChild<QPlainTextEdit*>("description");
    if (text && !m_descriptionBox->isVisible() && text->toPlainText() != description)
        text->setPlainText(description);
    m_area->update();
    runVariableEditor();
}

QString FractionsWindowWidget::descriptionText() const
{
    auto* text = m_descriptionBox->findChild<QPlainTextEdit*>("description");
    return text ? text->toPlainText() : QString();
}

void FractionsWindowWidget::keyPressEvent(QKeyEvent* event)
{
    Modifiers modifiers = toEditorModifiers(event->modifiers());
    std::uint16_t key = toEditorKey(*event, modifiers);
    if (key == 0)
        return;
    m_model->keyDown(key, modifiers);
    afterCommand();
}

void FractionsWindowWidget::closeEvent(QCloseEvent* event)
{
    m_timer->stop();
    if (!m_model->close()) {
        m_timer->start();
        event->ignore();
        return;
    }
    event->accept();
}

void FractionsWindowWidget::reject()
{
    // Escape belongs to the editor; the window closes through close().
    if (isVisible() && !m_model->close())
        return;
    QDialog::reject();
}

} // namespace kestrane
