// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <filesystem>

namespace kestrane {

class ExpressionArea;
class FractionsWindow;

// The "New Variable Editor" of the Fractions and Roots window: the labels,
// the name and value areas, five image buttons and a File menu whose New and
// Open act on the editor. Keys, clicks and closing go through the window's
// model, which accepts the variable; the dialog ends when the model has
// closed the editor.
class VariableEditorWidget final : public QDialog {
    Q_OBJECT
public:
    VariableEditorWidget(FractionsWindow& window, const std::filesystem::path& imagesDirectory,
                         QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void afterCommand();

    FractionsWindow& m_window;
    ExpressionArea* m_name = nullptr;
    ExpressionArea* m_value = nullptr;
};

} // namespace kestrane
