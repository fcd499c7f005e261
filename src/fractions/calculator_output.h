// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/error_bound.h"
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

// The shown text of a value at the current word count rounded to
// `fractionDigits` places: up when the digits after them exceed one half
// (an exact half stays), leading integer zeros dropped (the units digit
// stays), trailing fraction zeros dropped, the point with the last fraction
// digit. The places must lie within the value's fraction words.
CalculatorPart roundedCalculatorPart(const LongNum& value, int fractionDigits);

// How sure that rounding is when the true value lies within `error` of the
// value: log2 of the distance from the value to the nearest place where the
// rounding changes, over the error. Positive means certain (+infinity for an
// exact value); -3.3 means the error would have to shrink ten times.
double roundingMargin(const LongNum& value, ErrorBound error, int fractionDigits);

// Lines of at most `areaWidth` pixels as the canvas measures them; every
// digit is kept however many lines that takes.
std::vector<std::string> splitCalculatorLines(const std::string& text, Canvas& metrics,
                                              int areaWidth);

// The clipboard text: the real part with its '-', then for a complex result
// " +i*" or " -i*" and the imaginary digits.
std::string calculatorClipboard(const CalculatorPart& real,
                                const std::optional<CalculatorPart>& imaginary);

// Splits both parts into lines and makes the clipboard text.
CalculatorOutput makeCalculatorOutput(CalculatorPart real, std::optional<CalculatorPart> imaginary,
                                      Canvas& metrics, int areaWidth);

} // namespace kestrane
