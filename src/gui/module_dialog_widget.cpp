// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/module_dialog_widget.h"

#include "gui/assistive_texts.h"
#include "platform/translation.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrane {

namespace {

QString text(std::string_view view)
{
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

} // namespace

ModuleDialogWidget::ModuleDialogWidget(ModuleDialog& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_buttons(new QButtonGroup(this))
{
    setWindowTitle(text(ModuleDialog::kCaption));
    auto* group = new QGroupBox(text(ModuleDialog::kGroupCaption), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int index = 0; index < ModuleDialog::kItemCount; ++index) {
        auto* radio = new QRadioButton(text(ModuleDialog::itemText(index)), group);
        m_buttons->addButton(radio, index);
        groupLayout->addWidget(radio);
    }
    if (auto selected = m_model.selectedIndex())
        m_buttons->button(*selected)->setChecked(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this](int id) { m_model.select(id); });

    auto* box = new QDialogButtonBox(this);
    auto* ok = box->addButton("&OK", QDialogButtonBox::AcceptRole);
    box->addButton("&Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text(ModuleDialog::kLabel), this));
    layout->addWidget(group);
    layout->addWidget(box);
    describeForAssistiveTools(*this, N_("choose the module the program is written for"));
}

} // namespace kestrane
