// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/calculator.h"
#include "gui/fractions_window_widget.h"

#include <filesystem>
#include <memory>

namespace kestrane {

class Host;

// The Calculator window: the Fractions and Roots window with the keypad,
// the functions and π and the Greek letters; '=' computes, and a long result
// opens the results window. The key that closes the results window also
// does what it does in the Calculator.
class CalculatorWidget final : public FractionsWindowWidget {
    Q_OBJECT
public:
    CalculatorWidget(Host& host, const std::filesystem::path& imagesDirectory,
                     QWidget* parent = nullptr);
    ~CalculatorWidget() override;

    Calculator& model() { return *m_model; }

protected:
    void keyDown(std::uint16_t key, Modifiers modifiers) override;
    void paintWindow(Canvas& canvas) override;
    bool clickWindow(int x, int y) override;
    void pressButton(const std::string& name) override;
    void command(const std::string& caption) override;
    void applyPrecision(const PrecisionDialog& dialog) override;
    void applyOptions(const WindowOptions& options) override;
    bool closeModel() override;
    std::string caption() const override { return m_model->caption(); }
    void tick() override;
    void afterCommand() override;
    std::span<const KeyBinding> keyTable() const override;

private:
    // Shows a long result; a key that closed it is handled afterwards.
    void showResults();

    std::unique_ptr<Calculator> m_model;
    bool m_inResults = false;
    // The result whose results window was shown last.
    int m_resultsShown = 0;
};

} // namespace kestrane
