// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/about_box.h"

#include <QDialog>

namespace kestrane {

// The "About" box: painted by its model, one OK button.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const AboutBox& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AboutBox& m_model;
};

} // namespace kestrane
