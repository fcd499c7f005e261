// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fractions/calculator_output.h"
#include "platform/canvas.h"
#include "platform/translation.h"

#include <vector>

namespace kestrane {

// The results window of a long calculator result (olive, 931 x 640): the
// real lines under "Real part:" and the imaginary ones under "Imaginary
// part:", each part's '-' before its first line. The lines are drawn in the
// Calculator's font and split to the width left right of them, so that every
// digit lies inside the window; the window scrolls, so that a result of any
// length keeps every digit. Any key or click closes it.
class CalculatorResults {
public:
    static constexpr int kWidth = 931;
    static constexpr int kHeight = 640;
    static constexpr const char* kCaption = N_("Calculator Results");
    static constexpr int kTextX = 150;
    static constexpr int kScrollBarWidth = 18;
    // The width the lines are split to: from the text's left to the scroll
    // bar, less a margin.
    static constexpr int kTextWidth = kWidth - kTextX - kScrollBarWidth - 12;

    // The output's lines must be split to kTextWidth in the font given.
    CalculatorResults(CalculatorOutput output, CanvasFont font);

    // The distance of two lines: 30 pixels, more for a large font.
    static int lineStep(int fontHeight);

    // The height the texts need; more than the window means a scroll bar.
    int contentHeight() const;
    void setScroll(int offset) { m_scroll = offset; }
    int scroll() const { return m_scroll; }

    // The labels, signs and lines where paint() draws them.
    std::vector<PlacedText> texts(Canvas& metrics) const;
    void paint(Canvas& canvas) const;
    // The result as assistive tools read it: each part after its label, its
    // digits in one piece ("Real part: -1.5"), in the user's language.
    std::string spokenText() const;

private:
    CalculatorOutput m_output;
    CanvasFont m_font;
    int m_scroll = 0;
};

} // namespace kestrane
