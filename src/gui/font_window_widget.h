// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/font_window.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kestrane {

class Host;

// The "Font" window: the chosen font's name with "Browse", its height in
// pixels, and the example expression drawn in it; OK and Cancel.
class FontWindowWidget final : public QDialog {
    Q_OBJECT
public:
    FontWindowWidget(FontWindow& model, Host& host, QWidget* parent = nullptr);

private:
    class Example;

    // The name and height fields follow the model.
    void showChoice();

    FontWindow& m_model;
    Host& m_host;
    QLineEdit* m_name;
    QComboBox* m_height;
    QWidget* m_example;
};

} // namespace kestrane
