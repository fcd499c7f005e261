// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"

#include <array>
#include <cmath>

namespace kestrane {

namespace {

int digitValue(char character)
{
    return character >= '0' && character <= '9' ? character - '0' : 0;
}

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

void appendWord(std::string& text, LongWord word)
{
    text.push_back(static_cast<char>('0' + word / 100));
    text.push_back(static_cast<char>('0' + word / 10 % 10));
    text.push_back(static_cast<char>('0' + word % 10));
}

} // namespace

float LongToFloat(const LongNum& a)
{
    long_detail::checkWordCount(a);
    constexpr std::array<float, 4> kFractionScale = {1e-3f, 1e-6f, 1e-9f, 1e-12f};
    int half = longIntegerWords();
    float value = 0.0f;
    double scale = 1;
    // Every integer word counts, each at its own scale, so that large values
    // never wrap to other (or negative) numbers.
    for (int k = 0; k < half; ++k) {
        // Zero words are skipped: at high precisions the scale of the top
        // words overflows, and zero times infinity is no number.
        if (a[half - 1 - k] != 0)
            value += static_cast<float>(static_cast<double>(a[half - 1 - k]) * scale);
        scale *= 1000;
        if (k < 4 && half + k < a.wordCount())
            value += static_cast<float>(a[half + k]) * kFractionScale[static_cast<size_t>(k)];
    }
    return a.isNegative() ? -value : value;
}

double LongToDouble(const LongNum& a)
{
    long_detail::checkWordCount(a);
    int half = longIntegerWords();
    double value = 0;
    for (int index = 0; index < half; ++index)
        value = value * 1000 + static_cast<double>(a[index]);
    double scale = 1;
    for (int index = half; index < a.wordCount(); ++index) {
        scale /= 1000;
        value += static_cast<double>(a[index]) * scale;
    }
    return a.isNegative() ? -value : value;
}

void FloatToLong(float x, LongNum& out)
{
    long_detail::checkWordCount(out);
    long_detail::clearDigits(out, x < 0 ? kLongMinus : kLongPlus);
    if (!std::isfinite(x))
        return;
    float magnitude = std::fabs(x);
    float whole = std::trunc(magnitude);
    float fraction = std::trunc((magnitude - whole) * 1000000.0f);
    int half = longIntegerWords();
    double integerPart = whole;
    for (int i = half - 1; i >= 0 && integerPart > 0; --i) {
        out[i] = static_cast<LongWord>(std::fmod(integerPart, 1000.0));
        integerPart = std::floor(integerPart / 1000.0);
    }
    auto sixDecimals = static_cast<LongWord>(fraction);
    out[half] = sixDecimals / 1000;
    out[half + 1] = sixDecimals % 1000;
}

LongNum LongFromText(std::string_view text)
{
    LongNum result;
    if (!text.empty() && text.front() == '-') {
        result.setSign(kLongMinus);
        text.remove_prefix(1);
    }
    int half = longIntegerWords();
    int count = result.wordCount();
    size_t point = text.rfind('.');
    if (point == std::string_view::npos)
        point = text.size();
    // Integer digits end at the units digit; the leftmost beyond 3H are dropped.
    int position = 3 * half - 1;
    for (size_t i = point; i-- > 0 && position >= 0; --position)
        result[position / 3] += digitValue(text[i]) * (position % 3 == 2   ? 1
                                                       : position % 3 == 1 ? 10
                                                                           : 100);
    position = 3 * half;
    for (size_t i = point + 1; i < text.size() && position < 3 * count; ++i, ++position)
        result[position / 3] += digitValue(text[i]) * (position % 3 == 2   ? 1
                                                       : position % 3 == 1 ? 10
                                                                           : 100);
    return result;
}

std::optional<LongNum> LongParse(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    size_t point = digits.find('.');
    std::string_view integerDigits = digits.substr(0, point);
    std::string_view fractionDigits =
        point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    auto allDigits = [](std::string_view part) {
        for (char character : part) {
            if (!isDigit(character))
                return false;
        }
        return true;
    };
    if (integerDigits.empty() && fractionDigits.empty())
        return std::nullopt;
    if (!allDigits(integerDigits) || !allDigits(fractionDigits))
        return std::nullopt;
    return LongFromText(text);
}

std::string LongToText(const LongNum& a, int fractionWords)
{
    int half = longIntegerWords();
    int end = fractionWords < 0 ? a.wordCount() : std::min(a.wordCount(), half + fractionWords);
    std::string text;
    text.reserve(static_cast<size_t>(3 * end));
    for (int i = 0; i < end; ++i)
        appendWord(text, a[i]);
    return text;
}

std::string LongToDecimal(const LongNum& a)
{
    int half = longIntegerWords();
    std::string text = LongToText(a);
    std::string integerDigits = text.substr(0, static_cast<size_t>(3 * half));
    size_t firstDigit = integerDigits.find_first_not_of('0');
    integerDigits = firstDigit == std::string::npos ? "0" : integerDigits.substr(firstDigit);
    std::string result = a.isNegative() ? "-" : "";
    return result + integerDigits + "." + text.substr(static_cast<size_t>(3 * half));
}

} // namespace kestrane
