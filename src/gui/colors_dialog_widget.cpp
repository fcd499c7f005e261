// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/colors_dialog_widget.h"

#include "gui/assistive_texts.h"
#include "gui/qt_canvas.h"
#include "platform/translation.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane {

class ColorsDialogWidget::Example final : public QWidget {
public:
    Example(const ColorsDialog& model, QWidget* parent) : QWidget(parent), m_model(model)
    {
        setMinimumSize(300, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QtCanvas canvas(painter);
        m_model.paintExample(canvas, width(), height());
    }

private:
    const ColorsDialog& m_model;
};

ColorsDialogWidget::ColorsDialogWidget(ColorsDialog& model, Host& host, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_host(host)
    , m_example(new Example(model, this))
{
    setObjectName("colorsDialog");
    setWindowTitle(QString::fromUtf8(ColorsDialog::kCaption.data(),
                                     static_cast<qsizetype>(ColorsDialog::kCaption.size())));
    auto text = [](std::string_view label) {
        return QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    };
    auto* grid = new QGridLayout;
    auto* expression = new QPushButton("Browse", this);
    expression->setObjectName("browseExpression");
    auto* window = new QPushButton("Browse", this);
    window->setObjectName("browseWindow");
    // Two buttons read "Browse": their names say which colour each chooses.
    nameForAssistiveTools(*expression, N_("Expression colour"),
                          N_("choose the colour of the expression"));
    nameForAssistiveTools(*window, N_("Window colour"), N_("choose the colour of the window"));
    grid->addWidget(new QLabel(text(ColorsDialog::kExpressionLabel), this), 0, 0);
    grid->addWidget(expression, 0, 1);
    grid->addWidget(new QLabel(text(ColorsDialog::kWindowLabel), this), 1, 0);
    grid->addWidget(window, 1, 1);
    connect(expression, &QPushButton::clicked, this, [this] {
        if (m_model.browseExpression(m_host))
            m_example->update();
    });
    connect(window, &QPushButton::clicked, this, [this] {
        if (m_model.browseWindow(m_host))
            m_example->update();
    });
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(text(ColorsDialog::kExampleLabel), this));
    layout->addWidget(m_example, 1);
    layout->addWidget(box);
    resize(ColorsDialog::kWidth, ColorsDialog::kHeight);
    describeForAssistiveTools(*this,
                              N_("choose the colours of the expression and of the window; the "
                                 "example shows the choice"));
}

} // namespace kestrane
