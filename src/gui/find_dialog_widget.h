// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/find_dialog.h"

#include <QDialog>

class QLineEdit;

namespace kestrane {

// The "Find" dialog: a field of at most forty characters, OK and Cancel.
// Enter in the field acts as OK.
class FindDialogWidget final : public QDialog {
    Q_OBJECT
public:
    FindDialogWidget(FindDialog& model, QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }

private:
    FindDialog& m_model;
    QLineEdit* m_field;
};

} // namespace kestrane
