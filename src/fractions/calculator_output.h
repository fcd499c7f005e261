// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

class Canvas;

// One part (real or imaginary) of a calculator result, ready to show.
struct CalculatorPart {
    char sign = '+';  // '-' only when the shown digits are not all zero
    std::string text; // digits and point, no sign
    std::vector<std::string> lines;
};

struct CalculatorOutput {
    CalculatorPart real;
    std::optional<CalculatorPart> imaginary; // set in complex arithmetic
    std::string clipboard;
    // Fewer than 6 lines in all are drawn in the window; more open the
    // results window.
    bool inResultsWindow = false;
};

inline constexpr int kMaxWindowResultLines = 5;

// A text of a shown result as it is drawn: a label ("Real part:"), a part's
// sign, or a line of digits, with its top-left corner and its width in the
// font it is drawn in.
struct PlacedText {
    enum class Kind { Label, Sign, Line };
    Kind kind = Kind::Line;
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
};

// The shown text of a value evaluated at longWords() that shows
// `shownWords` words (half of them fraction words): the last shown word is
// raised by one unit when the first guard word exceeds 500, leading integer
// zeros go (the units digit stays), trailing fraction zeros go, and the
// point goes with the last fraction digit.
CalculatorPart formatCalculatorPart(const LongNum& value, int shownWords);

// Lines of at most `areaWidth` pixels as the canvas measures them; every
// digit is kept however many lines that takes.
std::vector<std::string> splitCalculatorLines(const std::string& text, Canvas& metrics,
                                              int areaWidth);

// The clipboard text: the real part with its '-', then for a complex result
// " +i*" or " -i*" and the imaginary digits.
std::string calculatorClipboard(const CalculatorPart& real,
                                const std::optional<CalculatorPart>& imaginary);

// Steps after evaluation: format both parts, split them into lines and make
// the clipboard text.
CalculatorOutput makeCalculatorOutput(const LongComplex& value, bool complex, int shownWords,
                                      Canvas& metrics, int areaWidth);

} // namespace kestrane
