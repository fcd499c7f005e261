// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fractions_window_widget.h"

#include "algebra/fraction_file.h"
#include "app/about_box.h"
#include "fractions/fractions_key_table.h"
#include "fractions/precision_dialog.h"
#include "gui/assistive_texts.h"
#include "gui/button_pictures.h"
#include "gui/expression_area.h"
#include "gui/expression_keys.h"
#include "gui/key_shortcuts.h"
#include "gui/picture_print.h"
#include "gui/precision_dialog_widget.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "gui/recent_menu.h"
#include "gui/variable_editor_widget.h"
#include "platform/host.h"
#include "platform/translation.h"

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

constexpr int kWidth = FractionsWindow::kWidth;
constexpr int kBottom = FractionsWindow::kHeight - 60;
// Root, Fraction and Power stand under their painted labels.
constexpr ButtonLayout kButtons[] = {
    {"Imge5", "root", "sqrt", kWidth - FractionsWindow::kRootLabelOffset, kBottom},
    {"Imge3", "fraction", "a/b", kWidth - FractionsWindow::kFractionLabelOffset, kBottom},
    {"Imge4", "power", "x^n", kWidth - FractionsWindow::kPowerLabelOffset, kBottom},
    {"NImage1", "new_variable", N_("New"), 20, kBottom - 44},
    {"NImage2", "variables", N_("List"), 20, kBottom},
    {"NImage3", "substitute", "x=?", 80, kBottom - 44},
    {"NImage4", "simplify", N_("Simplify"), 80, kBottom},
    {"NImage5", "restore", N_("Restore"), 80, kBottom},
    // The list view's own buttons stand at x 60 to 440 on this row.
    {"HImage1", "list_help", "?", 480, kBottom},
    {"HImage2", "main_expression", N_("Main"), 540, kBottom},
    {"M1In", "memory1_in", N_("M1 in"), 160, kBottom},
    {"M1InRed", "memory1_in_red", N_("M1 in"), 160, kBottom},
    {"M1Out", "memory1_out", N_("M1 out"), 220, kBottom},
    {"M2In", "memory2_in", N_("M2 in"), 280, kBottom},
    {"M2InRed", "memory2_in_red", N_("M2 in"), 280, kBottom},
    {"M2Out", "memory2_out", N_("M2 out"), 340, kBottom},
    {"koment", "comment", N_("Note"), 420, kBottom},
};

struct ButtonSpeech {
    std::string_view picture;
    const char* name;
    const char* description;
};

// What assistive tools say for a picture button: its name and what it does.
constexpr ButtonSpeech kSpeech[] = {
    {"root", N_("Root"), N_("insert a root at the cursor")},
    {"fraction", N_("Fraction"), N_("insert a fraction at the cursor")},
    {"power", N_("Power"), N_("insert a power at the cursor")},
    {"new_variable", N_("New variable"), N_("define a new variable")},
    {"variables", N_("List of variables"), N_("show the list of variables")},
    {"substitute", N_("Substitute"), N_("substitute the variables into the expression")},
    {"simplify", N_("Simplify"), N_("simplify the expression")},
    {"restore", N_("Restore"), N_("bring back the expression before Simplify")},
    {"list_help", N_("Help on the list"), N_("how to edit the list of variables")},
    {"main_expression", N_("Main expression"), N_("back to the main expression")},
    {"memory1_in", N_("Store in memory 1"), N_("store the selected part in memory 1")},
    {"memory1_in_red", N_("Store in memory 1"),
     N_("memory 1 is full: store the selected part anew")},
    {"memory1_out", N_("Recall memory 1"), N_("insert memory 1 at the cursor")},
    {"memory2_in", N_("Store in memory 2"), N_("store the selected part in memory 2")},
    {"memory2_in_red", N_("Store in memory 2"),
     N_("memory 2 is full: store the selected part anew")},
    {"memory2_out", N_("Recall memory 2"), N_("insert memory 2 at the cursor")},
    {"comment", N_("Short description"), N_("show the short description of the file")},
    {"key_point", N_("Decimal point"), N_("enter a decimal point")},
    {"key_sign", N_("Change sign"), N_("change the sign")},
    {"key_equals", N_("Compute"), N_("compute the expression")},
    {"key_plus", N_("Plus"), N_("enter +")},
    {"key_minus", N_("Minus"), N_("enter -")},
    {"key_times", N_("Times"), N_("enter *")},
    {"function_pi", N_("Pi"), N_("enter the constant pi")},
    {"greek_alpha", N_("Alpha"), N_("enter the symbol alpha")},
    {"greek_beta", N_("Beta"), N_("enter the symbol beta")},
    {"greek_gamma", N_("Gamma"), N_("enter the symbol gamma")},
    {"greek_epsilon", N_("Epsilon"), N_("enter the symbol epsilon")},
    {"compute", N_("Compute"), N_("compute the expression")},
    {"new_expression", N_("New expression"), N_("erase the result and start a new expression")},
};

// Digits and functions say their own text.
std::pair<QString, QString> speechOf(const ButtonLayout& entry)
{
    for (const ButtonSpeech& speech : kSpeech) {
        if (speech.picture == entry.picture)
            return {QString::fromUtf8(translate(speech.name)),
                    QString::fromUtf8(translate(speech.description))};
    }
    QString text = QString::fromUtf8(translate(entry.text));
    if (std::string_view(entry.picture).starts_with("function_"))
        return {text,
                QString::fromUtf8(translate(N_("insert the function %1 at the cursor"))).arg(text)};
    return {text, QString::fromUtf8(translate(N_("enter %1"))).arg(text)};
}

} // namespace

FractionsWindowWidget::FractionsWindowWidget(Host& host,
                                             const std::filesystem::path& imagesDirectory,
                                             QWidget* parent)
    : FractionsWindowWidget(host, imagesDirectory, parent, Extended{})
{
    m_ownWindow = std::make_unique<FractionsWindow>(host, *m_metrics);
    m_ownWindow->setClipboard(m_clipboard.get());
    setObjectName("fractionsWindow");
    build(*m_ownWindow, QSize(FractionsWindow::kWidth, FractionsWindow::kHeight), kButtons);
    describeForAssistiveTools(
        *this, N_("edit expressions with fractions, roots and powers, and simplify them"));
}

FractionsWindowWidget::FractionsWindowWidget(Host& host,
                                             const std::filesystem::path& imagesDirectory,
                                             QWidget* parent, Extended)
    : QDialog(parent)
    , m_host(host)
    , m_imagesDirectory(imagesDirectory)
    , m_metricsImage(1, 1, QImage::Format_RGB32)
    , m_metricsPainter(&m_metricsImage)
    , m_metrics(std::make_unique<QtCanvas>(m_metricsPainter, &m_metricsImage))
    , m_clipboard(std::make_unique<QtClipboard>())
{
}

FractionsWindowWidget::~FractionsWindowWidget()
{
    // The model gives back the word count before its measuring canvas goes.
    m_ownWindow.reset();
}

void FractionsWindowWidget::build(FractionsWindow& window, QSize size,
                                  std::span<const ButtonLayout> buttons)
{
    m_window = &window;
    setFixedSize(size.width(), size.height() + kMenuHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    buildMenus(menuBar);
    m_area = new ExpressionArea(this, {[this](Canvas& canvas) { paintWindow(canvas); },
                                       [this]() -> ExpressionEditor& { return m_window->editor(); },
                                       [this] { afterCommand(); },
                                       [this](int x, int y) { return clickWindow(x, y); }});
    m_area->setFixedSize(size);
    m_area->setAccessibleName("Expression");
    m_area->setAccessibleDescription("the expression being edited");
    // Keys go to the area first and on to this window, whatever else the
    // window shows.
    m_area->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_area);
    layout->addWidget(m_area);
    buildButtons(buttons);
    // FractBar: 100 pixels of the list a step.
    m_scrollBar = new QScrollBar(Qt::Vertical, m_area);
    m_scrollBar->setObjectName("FractBar");
    m_scrollBar->setAccessibleName("Scroll the list of variables");
    m_scrollBar->setGeometry(size.width() - 20, 0, 20, size.height() - 80);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int position) {
        if (m_window->scrollPosition() != position) {
            m_window->scrollTo(position);
            m_area->update();
        }
    });
    m_timer = new QTimer(this);
    m_timer->setInterval(kBlinkInterval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        tick();
        m_area->update();
    });
    m_timer->start();
    afterCommand();
}

QWidget* FractionsWindowWidget::expressionArea() const
{
    return m_area;
}

void FractionsWindowWidget::useOptions(WindowOptions& slot)
{
    m_optionsSlot = &slot;
    applyOptions(slot);
    afterCommand();
}

void FractionsWindowWidget::takeFocus()
{
    if (m_area && isVisible())
        m_area->setFocus(Qt::OtherFocusReason);
}

void FractionsWindowWidget::runMenu(const QString& caption)
{
    m_timer->stop();
    // Both saves write the description as the box shows it.
    if (caption == "Save" || caption == "Save as")
        m_window->setDescription(descriptionText().toStdString());
    if (caption == "Precision") {
        // The dialog opens at the current precision.
        PrecisionDialogWidget dialog(m_host, this);
        if (dialog.exec() == QDialog::Accepted)
            applyPrecision(dialog.model());
    } else if (caption == "About") {
        AboutBox about;
        m_host.runModal(about);
    } else if (caption == "Print") {
        printWithDialog(this, m_area->width(), m_area->height(),
                        [this](Canvas& canvas) { paintWindow(canvas); });
    } else if (caption == "Exit") {
        close();
    } else if (caption == "Quit") {
        quitFrom(*this);
    } else {
        command(caption.toStdString());
    }
    if (m_optionsSlot && (caption == "Font" || caption == "Colors"))
        *m_optionsSlot = currentOptions();
    m_timer->start();
    afterCommand();
}

void FractionsWindowWidget::runVariableEditor()
{
    if (m_inVariableEditor || !m_window->variableEditor())
        return;
    m_inVariableEditor = true;
    m_timer->stop();
    VariableEditorWidget editor(*m_window, m_imagesDirectory, this);
    editor.exec();
    // However the dialog ended, the editor is closed.
    m_window->closeVariableEditor();
    m_timer->start();
    m_inVariableEditor = false;
    afterCommand();
}

QAction* FractionsWindowWidget::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

void FractionsWindowWidget::buildMenus(QWidget* menuHolder)
{
    auto* menuBar = static_cast<QMenuBar*>(menuHolder);
    // The keys shown beside an item reach the model as keys: a menu shortcut
    // would take them from it (Ctrl+H in the list shows its help).
    auto addItem = [this](QMenu* menu, const QString& text, const QString& caption) {
        QString keys = keysHint(keyTable(), caption.toStdString());
        QAction* item = menu->addAction(keys.isEmpty() ? text : text + '\t' + keys);
        item->setObjectName(caption);
        connect(item, &QAction::triggered, this, [this, caption] { runMenu(caption); });
        return item;
    };
    QMenu* file = menuBar->addMenu("&File");
    addItem(file, "&New", "New");
    addItem(file, "&Open", "Open");
    addRecentMenu(file, RecentKind::Fraction, [this](const std::string& path) {
        m_timer->stop();
        bool opened = openRecent(path);
        m_timer->start();
        afterCommand();
        return opened;
    });
    addItem(file, "&Save", "Save");
    addItem(file, "Sa&ve as", "Save as");
    addItem(file, "&Print…", "Print");
    file->addSeparator();
    addItem(file, "E&xit", "Exit");
    addItem(file, "&Quit", "Quit");
    QMenu* expression = menuBar->addMenu("&Expression");
    addItem(expression, "&Main", "Main");
    addItem(expression, "&New variable", "New variable");
    addItem(expression, "&Simplify", "Simplify");
    QMenu* view = menuBar->addMenu("&View");
    addItem(view, "&Main fraction", "Main fraction");
    addItem(view, "&List of variables", "List of variables");
    addItem(view, "&Value", "Value");
    QMenu* settings = menuBar->addMenu("&Settings");
    addItem(settings, "&Precision", "Precision");
    m_complexItem = addItem(settings, "&Complex Numbers", "Complex Numbers");
    m_complexItem->setCheckable(true);
    QMenu* arithmetics = menuBar->addMenu("&Arithmetics");
    addItem(arithmetics, "&Power", "Power");
    addItem(arithmetics, "&Root", "Root");
    addItem(arithmetics, "&Fraction", "Fraction");
    QMenu* options = menuBar->addMenu("&Options");
    addItem(options, "&Font", "Font");
    addItem(options, "&Colors", "Colors");
    addItem(options, "&Save options", "Save options");
    QMenu* help = menuBar->addMenu("&Help");
    addItem(help, "&Index", "Index");
    addItem(help, "&About", "About");
    // A menu used from the keyboard leaves the focus in the menu bar; the
    // keys come back to the expression once it closes.
    for (QMenu* menu : {file, expression, view, settings, arithmetics, options, help})
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { takeFocus(); }); });
    applyKeyTable(*this, keyTable());
}

std::span<const KeyBinding> FractionsWindowWidget::keyTable() const
{
    return fractionsWindowKeys();
}

bool FractionsWindowWidget::openRecent(const std::string& path)
{
    return m_window->openFile(path);
}

void FractionsWindowWidget::buildButtons(std::span<const ButtonLayout> buttons)
{
    for (const ButtonLayout& entry : buttons) {
        auto* button = new QPushButton(m_area);
        button->setObjectName(entry.name);
        // Tab reaches the buttons; the keys go back to the expression after
        // a press.
        button->setFocusPolicy(Qt::TabFocus);
        auto [name, description] = speechOf(entry);
        button->setAccessibleName(name);
        button->setAccessibleDescription(description);
        button->setToolTip(description);
        QPixmap picture =
            entry.picture[0] ? loadButtonPicture(m_imagesDirectory, entry.picture) : QPixmap();
        if (picture.isNull()) {
            button->setText(QString::fromUtf8(translate(entry.text)));
        } else {
            button->setIcon(picture);
            button->setIconSize(picture.size());
        }
        button->setGeometry(entry.x, entry.y, entry.width, entry.height);
        connect(button, &QPushButton::clicked, this, [this, name = std::string(entry.name)] {
            if (name == "koment")
                m_descriptionBox->show();
            else
                pressButton(name);
            afterCommand();
        });
    }
    buildDescriptionBox();
}

void FractionsWindowWidget::buildDescriptionBox()
{
    m_descriptionBox = new QWidget(m_area);
    m_descriptionBox->setObjectName("descriptionBox");
    m_descriptionBox->setGeometry(560, m_window->height() - 250, 400, 170);
    m_descriptionBox->setAutoFillBackground(true);
    auto* label = new QLabel("Short description", m_descriptionBox);
    label->setGeometry(10, 5, 380, 20);
    auto* text = new QPlainTextEdit(m_descriptionBox);
    text->setObjectName("description");
    label->setBuddy(text);
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
        m_window->setDescription(text->toPlainText().toStdString());
        m_descriptionBox->hide();
        takeFocus();
    });
    auto* clear = new QPushButton("Clear", m_descriptionBox);
    clear->setGeometry(100, 134, 80, 28);
    connect(clear, &QPushButton::clicked, text, &QPlainTextEdit::clear);
    m_descriptionBox->hide();
}

void FractionsWindowWidget::showButton(const char* name, bool shown)
{
    if (auto* button = m_area->findChild<QPushButton*>(name))
        button->setVisible(shown);
}

void FractionsWindowWidget::afterCommand()
{
    // A file's name stays as it is; the program's own caption is translated.
    std::string title = caption();
    setWindowTitle(QString::fromUtf8(title == m_window->fileName() ? title : translate(title)));
    // A file opened or saved under a new name joins Open Recent.
    if (m_window->fileName() != m_rememberedFile) {
        m_rememberedFile = m_window->fileName();
        rememberRecent(RecentKind::Fraction, m_rememberedFile);
    }
    bool list = m_window->mode() == FractionsWindow::Mode::List;
    bool simplified = m_window->unsimplified() != nullptr;
    bool main = m_window->mode() == FractionsWindow::Mode::Main;
    showButton("NImage2", main);
    showButton("NImage4", main && !simplified);
    showButton("NImage5", main && simplified);
    showButton("HImage1", list);
    showButton("HImage2", list);
    showButton("NImage1", main);
    showButton("NImage3", main);
    // A filled memory shows its red "in" picture and its "out" button.
    for (int index = 0; index < 2; ++index) {
        std::string memory = "M" + std::to_string(index + 1);
        bool filled = m_window->memory(index) != nullptr;
        showButton((memory + "In").c_str(), main && !filled);
        showButton((memory + "InRed").c_str(), main && filled);
        showButton((memory + "Out").c_str(), main && filled);
    }
    showButton("koment", main);
    int maximum = list ? m_window->scrollMaximum() : 0;
    m_scrollBar->setRange(0, maximum);
    m_scrollBar->setValue(m_window->scrollPosition());
    m_scrollBar->setVisible(maximum > 0);
    m_complexItem->setChecked(m_window->complexNumbers());
    // After Open or New the box shows the window's description.
    QString description = QString::fromStdString(m_window->description());
    auto* text = m_descriptionBox->findChild<QPlainTextEdit*>("description");
    if (text && !m_descriptionBox->isVisible() && text->toPlainText() != description)
        text->setPlainText(description);
    m_area->update();
    takeFocus();
    runVariableEditor();
}

QString FractionsWindowWidget::descriptionText() const
{
    auto* text = m_descriptionBox->findChild<QPlainTextEdit*>("description");
    return text ? text->toPlainText() : QString();
}

void FractionsWindowWidget::keyDown(std::uint16_t key, Modifiers modifiers)
{
    m_window->keyDown(key, modifiers);
}

void FractionsWindowWidget::paintWindow(Canvas& canvas)
{
    m_window->paint(canvas);
}

bool FractionsWindowWidget::clickWindow(int x, int y)
{
    return m_window->click(x, y);
}

void FractionsWindowWidget::pressButton(const std::string& name)
{
    m_window->pressButton(name);
}

void FractionsWindowWidget::command(const std::string& caption)
{
    m_window->menu(caption);
}

void FractionsWindowWidget::applyPrecision(const PrecisionDialog& dialog)
{
    m_window->applyPrecision(dialog);
}

void FractionsWindowWidget::applyOptions(const WindowOptions& options)
{
    m_window->setOptions(options);
}

const WindowOptions& FractionsWindowWidget::currentOptions() const
{
    return m_window->options();
}

std::string FractionsWindowWidget::caption() const
{
    return m_window->caption();
}

bool FractionsWindowWidget::closeModel()
{
    return m_window->close();
}

void FractionsWindowWidget::tick()
{
    m_window->editor().tick();
}

void FractionsWindowWidget::keyPressEvent(QKeyEvent* event)
{
    Modifiers modifiers = toEditorModifiers(event->modifiers());
    std::uint16_t key = toEditorKey(*event, modifiers);
    if (key == 0)
        return;
    keyDown(key, modifiers);
    afterCommand();
}

void FractionsWindowWidget::closeEvent(QCloseEvent* event)
{
    m_timer->stop();
    if (!closeModel()) {
        m_timer->start();
        event->ignore();
        return;
    }
    event->accept();
}

void FractionsWindowWidget::reject()
{
    // Escape belongs to the editor; the window closes through close().
    if (isVisible() && !closeModel())
        return;
    QDialog::reject();
}

} // namespace kestrane
