// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/colors_dialog.h"

#include <QDialog>

namespace kestrane {

class Host;

// "Colors": the two background colours with their "Browse" panels, the
// example painted by the model, OK and Cancel.
class ColorsDialogWidget final : public QDialog {
    Q_OBJECT
public:
    ColorsDialogWidget(ColorsDialog& model, Host& host, QWidget* parent = nullptr);

private:
    class Example;

    ColorsDialog& m_model;
    Host& m_host;
    Example* m_example;
};

} // namespace kestrane
