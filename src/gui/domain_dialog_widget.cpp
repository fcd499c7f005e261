// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/domain_dialog_widget.h"

#include "graphs/domain_dialog.h"
#include "gui/assistive_texts.h"
#include "platform/translation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane {

DomainDialogWidget::DomainDialogWidget(DomainDialog& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
{
    setObjectName("domainDialog");
    setWindowTitle(DomainDialog::kCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(DomainDialog::kLabel, this));
    auto* fields = new QFormLayout;
    auto field = [this](const std::string& text, const char* name) {
        auto* edit = new QLineEdit(QString::fromStdString(text), this);
        edit->setObjectName(name);
        edit->setMaxLength(DomainDialog::kFieldLength);
        return edit;
    };
    m_left = field(model.leftField(), "leftEnd");
    m_right = field(model.rightField(), "rightEnd");
    fields->addRow(DomainDialog::kLeftLabel, m_left);
    fields->addRow(DomainDialog::kRightLabel, m_right);
    layout->addLayout(fields);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    describeForAssistiveTools(*this, N_("the interval of x over which the graph is drawn"));
}

void DomainDialogWidget::accept()
{
    m_model.setLeftField(m_left->text().toStdString());
    m_model.setRightField(m_right->text().toStdString());
    QDialog::accept();
}

} // namespace kestrane
