// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/precision_dialog_widget.h"

#include "gui/assistive_texts.h"
#include "gui/qt_canvas.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace kestrane {

PrecisionDialogWidget::PrecisionDialogWidget(Host& host, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_scrollBar(new QScrollBar(Qt::Horizontal, this))
{
    setWindowTitle(PrecisionDialog::kCaption);
    setFixedSize(PrecisionDialog::kWidth, PrecisionDialog::kHeight);
    m_scrollBar->setObjectName("precision");
    m_scrollBar->setRange(PrecisionDialog::kMinimum, PrecisionDialog::kMaximum);
    m_scrollBar->setPageStep(PrecisionDialog::kLargeChange);
    // At the current precision, so that OK without a move keeps it.
    m_scrollBar->setValue(m_model.position());
    m_scrollBar->setGeometry(40, 120, 280, 20);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_model.setPosition(value);
        m_scrollBar->setAccessibleDescription(QString::fromStdString(m_model.text()));
        update();
    });
    nameForAssistiveTools(*m_scrollBar, N_("Precision"), N_("the number of digits"));
    m_scrollBar->setAccessibleDescription(QString::fromStdString(m_model.text()));
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* help = new QPushButton("Help", this);
    ok->setGeometry(30, 260, 90, 30);
    cancel->setGeometry(140, 260, 90, 30);
    help->setGeometry(250, 260, 90, 30);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        m_host.message(PrecisionDialog::kHelpCaption, PrecisionDialog::kHelpText,
                       MessageButtons::Ok, MessageIcon::Information);
    });
    describeForAssistiveTools(*this, N_("choose how many digits the calculator computes"));
}

void PrecisionDialogWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtCanvas canvas(painter);
    canvas.setFont(
        CanvasFont{.name = "Arial", .size = 10, .pixelHeight = PrecisionDialog::kFontHeight});
    // The dialog's own ground is the desktop's: its text takes the desktop's
    // text colour, so that a dark style keeps it readable.
    canvas.setTextColour(fromQColor(palette().color(QPalette::WindowText)));
    canvas.text(PrecisionDialog::kTextX, PrecisionDialog::kTextY, m_model.text());
}

} // namespace kestrane
