#include "runtime/float_text.h"

#include <cmath>

namespace kestrane {

namespace {

constexpr int kDigits = 10;

} // namespace

std::string floatText(double value)
{
    // The value is taken as a float, as the writer has always rounded it.
    double magnitude = std::fabs(static_cast<float>(value));
    double scaled = magnitude * 100;
    double whole = std::trunc(scaled);
    if (scaled - whole > 0.5)
        whole += 1;
    // Ten digits hold the value; larger ones keep their lowest digits.
    whole = std::fmod(whole, 1e10);
    std::string digits(kDigits, '0');
    long long number = static_cast<long long>(whole);
    for (int index = kDigits - 1; index >= 0; --index) {
        digits[static_cast<std::size_t>(index)] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    // "dddddddd.dd", then leading zeros of the integer part become blanks
    // (the units digit always stays).
    std::string text = digits.substr(0, kDigits - 2) + "." + digits.substr(kDigits - 2);
    std::size_t first = 0;
    while (first < kDigits - 3 && text[first] == '0')
        text[first++] = ' ';
    if (value < 0)
        text[first > 0 ? first - 1 : 0] = '-';
    return text;
}

std::string trimmedFloatText(double value)
{
    std::string text = floatText(value);
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace kestrane
