#pragma once

#include "app/font_window.h"

#include <QDialog>

class QLineEdit;

namespace kestrane {

class Host;

// The "Font" window: the chosen font's name, an example in it, and "Browse".
class FontWindowWidget final : public QDialog {
    Q_OBJECT
public:
    FontWindowWidget(FontWindow& model, Host& host, QWidget* parent = nullptr);

private:
    class Example;

    FontWindow& m_model;
    Host& m_host;
    QLineEdit* m_name;
    QWidget* m_example;
};

} // namespace kestrane
