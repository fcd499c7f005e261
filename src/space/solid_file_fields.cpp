// SPDX-License-Identifier: GPL-3.0-or-later
#include "space/solid_file_fields.h"

namespace kestrane {

namespace {

constexpr int kFieldDigits = 4;

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

bool isGap(char character)
{
    return character == ' ' || character == '\r' || character == '\n';
}

} // namespace

void appendIntegerField(std::string& bytes, int value)
{
    char field[] = {static_cast<char>('0' + value / 1000 % 10),
                    static_cast<char>('0' + value / 100 % 10),
                    static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10),
                    ' ', ' '};
    bytes.append(field, sizeof field);
}

void appendLongNumField(std::string& bytes, const LongNum& number)
{
    for (LongWord word : number.words())
        appendIntegerField(bytes, word);
}

void appendZeroField(std::string& bytes, int words)
{
    for (int index = 0; index < words; ++index)
        bytes.append("0000  ");
    appendIntegerField(bytes, kLongPlus);
}

SolidFieldReader::SolidFieldReader(std::string_view bytes) : m_bytes(bytes) {}

std::optional<int> SolidFieldReader::field()
{
    std::size_t end = m_position + kFieldDigits;
    if (end > m_bytes.size())
        return {};
    int value = 0;
    for (std::size_t index = m_position; index < end; ++index) {
        if (!isDigit(m_bytes[index]))
            return {};
        value = value * 10 + (m_bytes[index] - '0');
    }
    if (end < m_bytes.size() && !isGap(m_bytes[end]))
        return {};
    while (end < m_bytes.size() && isGap(m_bytes[end]))
        ++end;
    m_position = end;
    return value;
}

std::optional<int> SolidFieldReader::integer()
{
    return field();
}

std::optional<int> SolidFieldReader::count(int minimum)
{
    std::size_t start = m_position;
    std::optional<int> value = field();
    if (value && *value < minimum) {
        m_position = start;
        return {};
    }
    return value;
}

std::optional<LongNum> SolidFieldReader::longNum(int fileWords)
{
    LongNum number;
    const int words = number.wordCount();
    const int shift = words / 2 - fileWords / 2;
    for (int index = 0; index < fileWords; ++index) {
        std::size_t start = m_position;
        std::optional<int> word = field();
        if (!word)
            return {};
        int target = index + shift;
        // An integer word above our highest one must be zero: the number would not fit.
        if (*word >= kLongBase || (target < 0 && *word != 0)) {
            m_position = start;
            return {};
        }
        if (target >= 0 && target < words)
            number[target] = *word;
    }
    std::size_t start = m_position;
    std::optional<int> sign = field();
    if (!sign)
        return {};
    if (*sign != kLongPlus && *sign != kLongMinus) {
        m_position = start;
        return {};
    }
    number.setSign(*sign);
    return number;
}

int SolidFieldReader::fieldsOnLine() const
{
    int fields = 0;
    bool inField = false;
    for (std::size_t index = m_position; index < m_bytes.size() && m_bytes[index] != '\n';
         ++index) {
        bool gap = isGap(m_bytes[index]);
        if (!gap && !inField)
            ++fields;
        inField = !gap;
    }
    return fields;
}

} // namespace kestrane
