// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/variable_editor_widget.h"

#include "fractions/fractions_window.h"
#include "fractions/variable_editor.h"
#include "gui/assistive_texts.h"
#include "gui/button_pictures.h"
#include "gui/expression_area.h"
#include "gui/expression_keys.h"
#include "gui/qt_canvas.h"
#include "platform/translation.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

namespace kestrane {

namespace {

constexpr int kMenuHeight = 24;

struct EditorButton {
    const char* name;
    const char* picture;
    const char* text;
};

constexpr EditorButton kEditorButtons[] = {
    {N_("Fraction"), "fraction", "a/b"},
    {N_("Power"), "power", "x^n"},
    {N_("Root"), "root", "sqrt"},
    {N_("Help"), "editor_help", "?"},
    {N_("Variables"), "editor_variables", "x"},
};

} // namespace

VariableEditorWidget::VariableEditorWidget(FractionsWindow& window,
                                           const std::filesystem::path& imagesDirectory,
                                           QWidget* parent)
    : QDialog(parent)
    , m_window(window)
{
    setObjectName("variableEditor");
    setWindowTitle(VariableEditor::kCaption);
    setFixedSize(VariableEditor::kWidth, VariableEditor::kHeight);
    auto* menuBar = new QMenuBar(this);
    menuBar->setGeometry(0, 0, VariableEditor::kWidth, kMenuHeight);
    QMenu* file = menuBar->addMenu("&File");
    for (const char* caption : {"New", "Open"}) {
        QAction* item = file->addAction(QString("&") + caption);
        item->setObjectName(caption);
        connect(item, &QAction::triggered, this, [this, caption] {
            m_window.menu(caption);
            afterCommand();
        });
    }
    auto area = [this](VariableEditor::Field field, int top, int height) {
        auto editor = [this, field]() -> ExpressionEditor& {
            VariableEditor& model = *m_window.variableEditor();
            return field == VariableEditor::Field::Name ? model.nameEditor() : model.valueEditor();
        };
        auto* widget =
            new ExpressionArea(this, {[this, field](Canvas& canvas) {
                                          if (VariableEditor* model = m_window.variableEditor())
                                              field == VariableEditor::Field::Name
                                                  ? model->paintName(canvas)
                                                  : model->paintValue(canvas);
                                      },
                                      editor, [this] { afterCommand(); },
                                      [this, field](int, int) {
                                          // A click chooses the expression; the editor still gets
                                          // it.
                                          if (VariableEditor* model = m_window.variableEditor())
                                              model->chooseField(field);
                                          return false;
                                      }});
        widget->setGeometry(VariableEditor::kAreaLeft, kMenuHeight + top,
                            VariableEditor::kAreaWidth, height);
        return widget;
    };
    m_name =
        area(VariableEditor::Field::Name, VariableEditor::kNameTop, VariableEditor::kNameHeight);
    m_value =
        area(VariableEditor::Field::Value, VariableEditor::kValueTop, VariableEditor::kValueHeight);
    nameForAssistiveTools(*m_name, N_("Name of the variable"), N_("the name being edited"));
    nameForAssistiveTools(*m_value, N_("Value of the variable"), N_("the value being edited"));
    int x = VariableEditor::kAreaLeft;
    for (const EditorButton& entry : kEditorButtons) {
        auto* button = new QPushButton(this);
        button->setObjectName(entry.name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(QString::fromUtf8(translate(entry.name)));
        QPixmap picture = loadButtonPicture(imagesDirectory, entry.picture);
        if (picture.isNull()) {
            button->setText(entry.text);
        } else {
            button->setIcon(picture);
            button->setIconSize(picture.size());
        }
        button->setGeometry(x, VariableEditor::kHeight - 60, 56, 34);
        x += 70;
        connect(button, &QPushButton::clicked, this, [this, name = std::string(entry.name)] {
            m_window.pressButton(name);
            afterCommand();
        });
    }
    describeForAssistiveTools(*this, N_("define a variable: its name above, its value below"));
}

void VariableEditorWidget::afterCommand()
{
    if (!m_window.variableEditor()) {
        done(QDialog::Accepted);
        return;
    }
    update();
    m_name->update();
    m_value->update();
}

void VariableEditorWidget::keyPressEvent(QKeyEvent* event)
{
    Modifiers modifiers = toEditorModifiers(event->modifiers());
    std::uint16_t key = toEditorKey(*event, modifiers);
    if (key == 0)
        return;
    m_window.keyDown(key, modifiers);
    afterCommand();
}

void VariableEditorWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(0, kMenuHeight);
    QtCanvas canvas(painter);
    if (const VariableEditor* model = m_window.variableEditor())
        model->paintLabels(canvas);
}

void VariableEditorWidget::closeEvent(QCloseEvent* event)
{
    // Closing accepts the variable; a refused one keeps the editor open.
    if (m_window.variableEditor() && !m_window.acceptVariable()) {
        event->ignore();
        return;
    }
    event->accept();
}

void VariableEditorWidget::reject()
{
    // Escape: the editor closes without a new variable.
    m_window.closeVariableEditor();
    QDialog::reject();
}

} // namespace kestrane
