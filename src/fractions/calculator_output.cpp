// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator_output.h"

#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrane {

namespace {

// The decimal digits of a value's fraction, read from its words.
class FractionDigits {
public:
    explicit FractionDigits(const LongNum& value)
        : m_value(value)
        , m_first(longIntegerWords())
        , m_count(3 * (value.wordCount() - longIntegerWords()))
    {
    }

    int count() const { return m_count; }

    // Fraction digit `place` (0 for tenths); 0 past the last word.
    int operator[](int place) const
    {
        if (place >= m_count)
            return 0;
        LongWord word = m_value[m_first + place / 3];
        switch (place % 3) {
        case 0:
            return word / 100;
        case 1:
            return word / 10 % 10;
        default:
            return word % 10;
        }
    }

    // Whether a digit from `place` on is not zero.
    bool anyFrom(int place) const
    {
        for (; place < m_count && place % 3 != 0; ++place)
            if ((*this)[place] != 0)
                return true;
        for (int index = m_first + place / 3; index < m_value.wordCount(); ++index)
            if (m_value[index] != 0)
                return true;
        return false;
    }

private:
    const LongNum& m_value;
    int m_first;
    int m_count;
};

void appendWord(std::string& text, LongWord word)
{
    text.push_back(static_cast<char>('0' + word / 100));
    text.push_back(static_cast<char>('0' + word / 10 % 10));
    text.push_back(static_cast<char>('0' + word % 10));
}

// The integer part without leading zeros ("0" for none).
std::string integerText(const LongNum& value)
{
    std::string text;
    for (int index = 0; index < longIntegerWords(); ++index) {
        LongWord word = value[index];
        if (text.empty() && word == 0)
            continue;
        if (text.empty())
            text = std::to_string(word);
        else
            appendWord(text, word);
    }
    return text.empty() ? "0" : text;
}

// Adds one unit of the last digit; a carry out of the first digit adds a
// digit in front.
void addUnit(std::string& digits)
{
    for (std::size_t index = digits.size(); index-- > 0;) {
        if (digits[index] != '9') {
            ++digits[index];
            return;
        }
        digits[index] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// log2 of the distance, in units of the last kept digit, from the digits
// after `kept` places to one half: below one half the distance is the
// nines' complement of the tail plus one unit of its last digit.
double log2DistanceToHalf(const FractionDigits& digits, int kept)
{
    int first = digits[kept];
    bool above = first >= 5;
    auto distanceDigit = [&](int place) {
        int digit = digits[place];
        if (place == kept)
            return above ? digit - 5 : 4 - digit;
        return above ? digit : 9 - digit;
    };
    int place = kept;
    while (place < digits.count() && distanceDigit(place) == 0)
        ++place;
    if (place >= digits.count()) {
        // 0.5 exactly, or 0.4999...9 just one unit below it.
        return above ? -std::numeric_limits<double>::infinity()
                     : -(digits.count() - kept) * std::log2(10.0);
    }
    double leading = 0;
    int end = std::min(digits.count(), place + 17);
    for (int next = place; next < end; ++next)
        leading = leading * 10 + distanceDigit(next);
    return std::log2(leading) - (end - kept) * std::log2(10.0);
}

} // namespace

CalculatorPart roundedCalculatorPart(const LongNum& value, int fractionDigits)
{
    FractionDigits digits(value);
    std::string shown = integerText(value);
    shown.reserve(shown.size() + static_cast<std::size_t>(fractionDigits) + 1);
    int wholeWords = fractionDigits / 3;
    for (int word = 0; word < wholeWords; ++word)
        appendWord(shown, value[longIntegerWords() + word]);
    for (int place = 3 * wholeWords; place < fractionDigits; ++place)
        shown.push_back(static_cast<char>('0' + digits[place]));
    int next = digits[fractionDigits];
    if (next > 5 || (next == 5 && digits.anyFrom(fractionDigits + 1)))
        addUnit(shown);
    // A carry may have added a digit in front.
    std::size_t point = shown.size() - static_cast<std::size_t>(fractionDigits);
    std::string fraction = shown.substr(point);
    shown.resize(point);
    std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction.resize(lastDigit == std::string::npos ? 0 : lastDigit + 1);

    CalculatorPart part;
    part.text = fraction.empty() ? shown : shown + "." + fraction;
    bool shownZero = shown == "0" && fraction.empty();
    part.sign = value.isNegative() && !shownZero ? '-' : '+';
    return part;
}

double roundingMargin(const LongNum& value, ErrorBound error, int fractionDigits)
{
    if (error.isZero())
        return std::numeric_limits<double>::infinity();
    FractionDigits digits(value);
    // Within half a unit the rounding changes at the half; beyond, at the
    // next one.
    double toBoundary = std::min(log2DistanceToHalf(digits, fractionDigits), -1.0);
    return toBoundary - fractionDigits * std::log2(10.0) - error.log2();
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

CalculatorOutput makeCalculatorOutput(CalculatorPart real, std::optional<CalculatorPart> imaginary,
                                      Canvas& metrics, int areaWidth)
{
    CalculatorOutput output;
    output.real = std::move(real);
    output.real.lines = splitCalculatorLines(output.real.text, metrics, areaWidth);
    std::size_t lineCount = output.real.lines.size();
    if (imaginary) {
        output.imaginary = std::move(imaginary);
        output.imaginary->lines = splitCalculatorLines(output.imaginary->text, metrics, areaWidth);
        lineCount += output.imaginary->lines.size();
    }
    output.clipboard = calculatorClipboard(output.real, output.imaginary);
    output.inResultsWindow = lineCount > kMaxWindowResultLines;
    return output;
}

} // namespace kestrane
