// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translation.h"

#include <string>

namespace kestrane {

// The number of digit words the calculator shows (40 at start). Evaluation
// runs at longWords(), ten words more: the five fraction words past the shown
// ones are guard words that decide the rounding of the last shown word.
int calcWords();
void setCalcWords(int words);
inline constexpr int kCalcWordsAtStart = 40;
inline constexpr int kCalcGuardWords = 10;

// The precision dialog of the calculator: a scroll bar whose position times
// six is the number of significant digits. Made anew at each opening, at the
// current precision (calcWords() / 2), so that OK without a move keeps it.
class PrecisionDialog {
public:
    static constexpr int kMinimum = 9;
    static constexpr int kMaximum = 150;
    // The position of the precision the calculator starts with.
    static constexpr int kStart = 18;
    static constexpr int kLargeChange = 10;
    static constexpr int kWidth = 368;
    static constexpr int kHeight = 349;
    static constexpr int kTextX = 50;
    static constexpr int kTextY = 60;
    static constexpr int kFontHeight = 17;

    static constexpr const char* kCaption = N_("Calculator - Precision");
    static constexpr const char* kHelpCaption = N_("Help.");
    static constexpr const char* kHelpText = N_(
        "Choose a number using ScrollBar.\n Large number of digits may significantly increase "
        "time needed for computer to show results.\n Length of result may be smaller than chosen "
        "number. It depends, among other factors,\n on value of integer part of result.");

    // At the current precision.
    PrecisionDialog();
    explicit PrecisionDialog(int position) { setPosition(position); }

    int position() const { return m_position; }
    // Clamped to the scroll bar's range.
    void setPosition(int position);
    void pageLeft() { setPosition(m_position - kLargeChange); }
    void pageRight() { setPosition(m_position + kLargeChange); }

    int digits() const { return 6 * m_position; }
    // "Number of significant digits:  " and the digits: two and a blank below
    // 101, so that the text keeps its width as the bar moves.
    std::string text() const;

    // OK: the calculator shows 2 x position words and computes at ten more;
    // the constants are rebuilt at the new word count.
    void accept() const;

private:
    int m_position = kStart;
};

} // namespace kestrane
