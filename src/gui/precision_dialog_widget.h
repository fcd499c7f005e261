// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/precision_dialog.h"

#include <QDialog>

class QScrollBar;

namespace kestrane {

class Host;

// "Calculator - Precision": the scroll bar, the painted number of digits and
// OK, Cancel and Help. The opener applies the model's word counts after OK.
class PrecisionDialogWidget final : public QDialog {
    Q_OBJECT
public:
    PrecisionDialogWidget(Host& host, QWidget* parent = nullptr);

    PrecisionDialog& model() { return m_model; }
    QScrollBar* scrollBar() const { return m_scrollBar; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Host& m_host;
    PrecisionDialog m_model;
    QScrollBar* m_scrollBar;
};

} // namespace kestrane
