// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace kestrane {

class DomainDialog;

// The domain dialog: two fields of five characters; OK (also Enter) copies
// them into the model, Cancel (also Escape) leaves it alone.
class DomainDialogWidget final : public QDialog {
    Q_OBJECT
public:
    DomainDialogWidget(DomainDialog& model, QWidget* parent = nullptr);

    void accept() override;

private:
    DomainDialog& m_model;
    QLineEdit* m_left = nullptr;
    QLineEdit* m_right = nullptr;
};

} // namespace kestrane
