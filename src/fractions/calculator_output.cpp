// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator_output.h"

#include "platform/canvas.h"

namespace kestrane {

namespace {

constexpr LongWord kRoundingThreshold = 500;

// Adds one unit of the last shown word to the magnitude.
void roundLastShownWord(LongNum& value, int lastShownIndex)
{
    LongNum unit;
    unit[lastShownIndex] = 1;
    unit.setSign(value.sign());
    LongAdd(value, unit, value);
}

} // namespace

CalculatorPart formatCalculatorPart(const LongNum& value, int shownWords)
{
    int integerWords = longIntegerWords();
    int fractionShown = std::min(shownWords / 2, value.wordCount() - integerWords);
    LongNum corrected = value;
    int guardIndex = integerWords + fractionShown;
    if (guardIndex < value.wordCount() && value[guardIndex] > kRoundingThreshold)
        roundLastShownWord(corrected, guardIndex - 1);

    std::string digits = LongToText(corrected, fractionShown);
    std::string integer = digits.substr(0, static_cast<std::size_t>(3 * integerWords));
    std::string fraction = digits.substr(static_cast<std::size_t>(3 * integerWords));
    std::size_t firstDigit = integer.find_first_not_of('0');
    integer = firstDigit == std::string::npos ? "0" : integer.substr(firstDigit);
    std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction = lastDigit == std::string::npos ? "" : fraction.substr(0, lastDigit + 1);

    CalculatorPart part;
    part.text = fraction.empty() ? integer : integer + "." + fraction;
    bool shownZero = integer == "0" && fraction.empty();
    part.sign = corrected.isNegative() && !shownZero ? '-' : '+';
    return part;
}

std::vector<std::string> splitCalculatorLines(const std::string& text, Canvas& metrics,
                                              int areaWidth)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        // The longest prefix that fits, found by halving; one character at
        // least, so that a narrow area cannot stop the split.
        std::size_t low = 1;
        std::size_t high = text.size() - start;
        while (low < high) {
            std::size_t middle = (low + high + 1) / 2;
            if (metrics.textWidth(std::string_view(text).substr(start, middle)) <= areaWidth)
                low = middle;
            else
                high = middle - 1;
        }
        lines.push_back(text.substr(start, low));
        start += low;
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

std::string calculatorClipboard(const CalculatorPart& real,
                                const std::optional<CalculatorPart>& imaginary)
{
    std::string text = (real.sign == '-' ? "-" : "") + real.text;
    if (imaginary)
        text += std::string(imaginary->sign == '-' ? " -i*" : " +i*") + imaginary->text;
    return text;
}

CalculatorOutput makeCalculatorOutput(const LongComplex& value, bool complex, int shownWords,
                                      Canvas& metrics, int areaWidth)
{
    CalculatorOutput output;
    output.real = formatCalculatorPart(value.re, shownWords);
    output.real.lines = splitCalculatorLines(output.real.text, metrics, areaWidth);
    std::size_t lineCount = output.real.lines.size();
    if (complex) {
        output.imaginary = formatCalculatorPart(value.im, shownWords);
        output.imaginary->lines = splitCalculatorLines(output.imaginary->text, metrics, areaWidth);
        lineCount += output.imaginary->lines.size();
    }
    output.clipboard = calculatorClipboard(output.real, output.imaginary);
    output.inResultsWindow = lineCount > kMaxWindowResultLines;
    return output;
}

} // namespace kestrane
