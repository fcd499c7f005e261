// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about_dialog.h"

#include "gui/assistive_texts.h"
#include "gui/qt_canvas.h"
#include "platform/translation.h"

#include <QPainter>
#include <QPushButton>

namespace kestrane {

AboutDialog::AboutDialog(const AboutBox& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(QString::fromUtf8(AboutBox::kCaption.data(), AboutBox::kCaption.size()));
    setFixedSize(360, 230);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    ok->setGeometry(140, 182, 80, 30);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    describeForAssistiveTools(*this, N_("the program's name and version"));
}

void AboutDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QtCanvas canvas(painter);
    m_model.paint(canvas, width(), 175);
}

} // namespace kestrane
