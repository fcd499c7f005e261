// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The value of an expression written in the linear notation, in double
// precision, for checking simplification against its input (the tests and
// the simplification fuzz target share it).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane::test {

// The value of a notation text without names, in double precision; nothing
// when it has names, functions or cannot be computed.
class Approximation {
public:
    explicit Approximation(std::string_view text) : m_text(text) {}

    std::optional<std::complex<double>> value()
    {
        std::optional<std::complex<double>> result = sum();
        return result && m_position == m_text.size() ? result : std::nullopt;
    }

private:
    using Value = std::optional<std::complex<double>>;

    bool take(char c)
    {
        if (m_position < m_text.size() && m_text[m_position] == c) {
            ++m_position;
            return true;
        }
        return false;
    }

    Value sum()
    {
        Value a = product();
        while (a) {
            if (take('+')) {
                Value b = product();
                a = b ? Value(*a + *b) : std::nullopt;
            } else if (take('-')) {
                Value b = product();
                a = b ? Value(*a - *b) : std::nullopt;
            } else {
                break;
            }
        }
        return a;
    }

    Value product()
    {
        Value a = quotient();
        while (a && take('*')) {
            Value b = quotient();
            a = b ? Value(*a * *b) : std::nullopt;
        }
        return a;
    }

    Value quotient()
    {
        Value a = power();
        while (a && take('/')) {
            Value b = power();
            a = b && std::abs(*b) > 0 ? Value(*a / *b) : std::nullopt;
        }
        return a;
    }

    Value power()
    {
        if (take('-')) {
            Value a = power();
            return a ? Value(-*a) : std::nullopt;
        }
        Value base = atom();
        if (base && take('^')) {
            Value exponent = power();
            if (!exponent || exponent->imag() != 0 || std::abs(exponent->real()) > 64)
                return std::nullopt;
            const double e = exponent->real();
            if (e == std::round(e))
                return std::pow(*base, static_cast<int>(e));
            if (base->imag() != 0 || base->real() < 0)
                return std::nullopt;
            return std::complex<double>(std::pow(base->real(), e), 0);
        }
        return base;
    }

    Value atom()
    {
        if (take('(')) {
            Value a = sum();
            return a && take(')') ? a : std::nullopt;
        }
        const std::size_t start = m_position;
        while (m_position < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_position])) ||
                m_text[m_position] == '.'))
            ++m_position;
        std::string word(m_text.substr(start, m_position - start));
        if (word.empty())
            return std::nullopt;
        if (word == "i")
            return std::complex<double>(0, 1);
        if (word == "sqrt" || word == "root") {
            if (!take('('))
                return std::nullopt;
            int degree = 2;
            if (word == "root") {
                if (m_position >= m_text.size())
                    return std::nullopt;
                degree = m_text[m_position++] - '0';
                if (!take(','))
                    return std::nullopt;
            }
            Value a = sum();
            if (!a || !take(')') || a->imag() != 0)
                return std::nullopt;
            // The square root of a negative number is imaginary; an odd root
            // keeps the sign, as the exact forms take it.
            if (a->real() < 0 && degree % 2 == 1)
                return std::complex<double>(-std::pow(-a->real(), 1.0 / degree), 0);
            if (a->real() < 0)
                return degree == 2 ? Value(std::complex<double>(0, std::sqrt(-a->real())))
                                   : std::nullopt;
            return std::complex<double>(std::pow(a->real(), 1.0 / degree), 0);
        }
        if (!std::isdigit(static_cast<unsigned char>(word[0])) && word[0] != '.')
            return std::nullopt;
        if (word.find_first_not_of("0123456789.") != std::string::npos)
            return std::nullopt;
        return std::complex<double>(std::strtod(word.c_str(), nullptr), 0);
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

} // namespace kestrane::test
