#pragma once

#include "fractions/calculator_output.h"

namespace kestrane {

class Canvas;

// The results window of a long calculator result (olive, 931 x 640): the
// real lines under "Real part:" and the imaginary ones under "Imaginary
// part:", each part's '-' before its first line. It scrolls, so that a
// result of any length keeps every digit; any key or click closes it.
class CalculatorResults {
public:
    static constexpr int kWidth = 931;
    static constexpr int kHeight = 640;
    static constexpr const char* kCaption = "Calculator Results";
    static constexpr int kLineStep = 30;

    explicit CalculatorResults(CalculatorOutput output) : m_output(std::move(output)) {}

    // The height the lines need; more than the window means a scroll bar.
    int contentHeight() const;
    void setScroll(int offset) { m_scroll = offset; }
    int scroll() const { return m_scroll; }

    void paint(Canvas& canvas) const;

private:
    CalculatorOutput m_output;
    int m_scroll = 0;
};

} // namespace kestrane
