// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/module_dialog.h"

#include <QDialog>

class QButtonGroup;

namespace kestrane {

// The "Module" dialog: the radio group "Modules" and OK/Cancel.
class ModuleDialogWidget final : public QDialog {
    Q_OBJECT
public:
    ModuleDialogWidget(ModuleDialog& model, QWidget* parent = nullptr);

    QButtonGroup* buttons() const { return m_buttons; }

private:
    ModuleDialog& m_model;
    QButtonGroup* m_buttons;
};

} // namespace kestrane
