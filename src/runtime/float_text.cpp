// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/float_text.h"

#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr std::size_t kDigits = 10;
// Below this a float still tells hundredths apart.
constexpr double kFloatExact = 1e5;
constexpr double kLargestWhole = 1e19;

} // namespace

std::string floatText(double value)
{
    // Values a float holds to the hundredth are rounded as a float, as the
    // writer has always done; larger ones keep every digit of the double.
    double magnitude = std::fabs(value);
    if (magnitude < kFloatExact)
        magnitude = std::fabs(static_cast<float>(value));
    double scaled = magnitude * 100;
    double whole = std::trunc(scaled);
    if (scaled - whole > 0.5)
        whole += 1;
    // Ten digits at least; a larger value is shown whole, never cut.
    std::string digits;
    if (std::isfinite(whole) && whole < kLargestWhole) {
        auto number = static_cast<unsigned long long>(whole);
        digits = std::to_string(number);
    } else {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", std::isfinite(whole) ? whole : 0.0);
        digits = buffer;
    }
    if (digits.size() < kDigits)
        digits.insert(0, kDigits - digits.size(), '0');
    std::size_t integerDigits = digits.size() - 2;
    // "dddddddd.dd", then leading zeros of the integer part become blanks
    // (the units digit always stays).
    std::string text = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    std::size_t first = 0;
    while (first + 1 < integerDigits && text[first] == '0')
        text[first++] = ' ';
    // A value that rounds to zero is written without a sign.
    if (value < 0 && whole > 0) {
        if (first > 0)
            text[first - 1] = '-';
        else
            text.insert(0, 1, '-');
    }
    return text;
}

double readFloatText(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t");
    bool negative = first != std::string_view::npos && text[first] == '-';
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    bool decimals = false;
    for (char c : text) {
        if ((c == '.' || c == ',') && !decimals) {
            decimals = true;
        } else if (c >= '0' && c <= '9') {
            if (decimals) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        }
    }
    double value = whole + fraction;
    return negative ? -value : value;
}

std::string trimmedFloatText(double value)
{
    std::string text = floatText(value);
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace kestrane
