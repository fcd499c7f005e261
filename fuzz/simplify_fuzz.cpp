// Simplification of any expression the notation reads: it ends, never
// crashes, and a numeric result keeps the value of the input.
#include "fractions/expression_text.h"
#include "fractions/simplify.h"
#include "numbers/long_int.h"
#include "platform/scripted_host.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestrane;
    if (size > 200)
        return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    TextParseResult parsed = parseExpressionText(text);
    if (!parsed.tree)
        return 0;
    ScriptedHost host;
    SimplifyRequest request;
    request.tree = parsed.tree.get();
    SimplifyResult result = simplifyExpression(request, host);
    clearLongIntOverflow();
    if (!result.tree)
        return 0;
    const std::string input = printExpressionText(*parsed.tree);
    const std::string output = printExpressionText(*result.tree);
    std::optional<std::complex<double>> before = Approximation(input).value();
    std::optional<std::complex<double>> after = Approximation(output).value();
    if (!before || !after || !std::isfinite(std::abs(*before)) || std::abs(*before) > 1e6)
        return 0;
    if (std::abs(*before - *after) > 1e-9 * std::max(1.0, std::abs(*before)))
        __builtin_trap();
    return 0;
}
