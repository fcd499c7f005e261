// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/find_dialog_widget.h"

#include "gui/assistive_texts.h"
#include "platform/translation.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

FindDialogWidget::FindDialogWidget(FindDialog& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_field(new QLineEdit(text(model.text()), this))
{
    setWindowTitle(text(FindDialog::kCaption));
    m_field->setObjectName("text");
    m_field->setMaxLength(static_cast<int>(FindDialog::kMaxLength));
    m_field->selectAll();

    auto* box = new QDialogButtonBox(this);
    auto* ok = box->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok");
    ok->setDefault(true);
    box->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("cancel");
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this,
            [this] { m_model.setText(m_field->text().toStdString()); });

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(text(FindDialog::kLabel), this);
    label->setBuddy(m_field);
    layout->addWidget(label);
    layout->addWidget(m_field);
    layout->addWidget(box);
    describeForAssistiveTools(*this, N_("the text to look for in the program"));
}

} // namespace kestrane
