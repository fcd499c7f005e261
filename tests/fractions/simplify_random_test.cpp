// Simplification of random numeric trees keeps their value: the result read
// back in double precision equals the input's, and the denominator of the
// result holds no roots.
#include "expression_test_support.h"
#include "fractions/simplify.h"
#include "numbers/long_int.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace kestrane {
namespace {

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

// Random expressions of whole numbers and roots, written in the notation.
class RandomNumeric {
public:
    explicit RandomNumeric(unsigned seed) : m_random(seed) {}

    std::string expression(int depth)
    {
        if (depth == 0 || pick(4) == 0)
            return atom();
        std::string a = expression(depth - 1);
        std::string b = expression(depth - 1);
        switch (pick(6)) {
        case 0: return a + "+" + b;
        case 1: return a + "-(" + b + ")";
        case 2: return "(" + a + ")*(" + b + ")";
        case 3: return "(" + a + ")/(" + b + ")";
        case 4: return "(" + a + ")^" + std::to_string(static_cast<int>(pick(3)) + 1);
        default: return "(-(" + a + "))";
        }
    }

private:
    unsigned pick(unsigned count) { return m_random() % count; }
    std::string number() { return std::to_string(pick(12) + 1); }

    std::string atom()
    {
        switch (pick(5)) {
        case 0: return "sqrt(" + number() + ")";
        case 1: return "root(" + std::to_string(pick(4) + 3) + "," + number() + ")";
        case 2: return "sqrt(" + number() + "+" + number() + "*sqrt(" + number() + "))";
        default: return number();
        }
    }

    std::mt19937 m_random;
};

TEST(SimplifyRandomTest, KeepsTheValueOfRandomTrees)
{
    RandomNumeric random(2026);
    ScriptedHost host;
    int checked = 0;
    for (int round = 0; round < 300; ++round) {
        const std::string text = random.expression(3);
        std::optional<std::complex<double>> before = Approximation(text).value();
        if (!before || std::abs(*before) > 1e8)
            continue;
        std::unique_ptr<FractNode> tree = testing::parsed(text);
        SimplifyRequest request;
        request.tree = tree.get();
        SimplifyResult result = simplifyExpression(request, host);
        clearLongIntOverflow();
        if (!result.tree)
            continue;
        ++checked;
        const std::string simplified = printExpressionText(*result.tree);
        std::optional<std::complex<double>> after = Approximation(simplified).value();
        ASSERT_TRUE(after) << text << " gave " << simplified;
        EXPECT_LE(std::abs(*after - *before), 1e-9 * std::max(1.0, std::abs(*before)))
            << text << " gave " << simplified;
        // Only a numerator may hold roots.
        const FractNode& top = *result.tree;
        if (top.isFraction()) {
            const std::string below = printExpressionText(*top.denominator);
            EXPECT_EQ(below.find("root"), std::string::npos) << simplified;
            EXPECT_EQ(below.find("sqrt"), std::string::npos) << simplified;
        }
    }
    EXPECT_GT(checked, 150);
}

} // namespace
} // namespace kestrane
