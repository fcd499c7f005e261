// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/polynomial_json.h"

#include "expressions/expression_text.h"
#include "platform/json_writer.h"

#include <algorithm>

namespace kestrane {

namespace {

std::string optionalText(const std::optional<std::string>& text)
{
    return text ? jsonString(*text) : "null";
}

} // namespace

std::string rootsJson(const Polynomial& polynomial)
{
    std::size_t count = std::max(polynomial.roots.size(), polynomial.exact.size());
    std::string json = "[";
    for (std::size_t index = 0; index < count; ++index) {
        const NumericRoot* numeric =
            index < polynomial.roots.size() ? &polynomial.roots[index] : nullptr;
        const ExactRoot* exact =
            index < polynomial.exact.size() ? &polynomial.exact[index] : nullptr;
        json += index ? ", {" : "{";
        json += "\"value\": " + (numeric ? jsonString(numeric->text) : "null");
        json += ", \"re\": " + (numeric ? jsonString(numeric->real) : "null");
        json += ", \"im\": " + (numeric ? jsonString(numeric->imaginary) : "null");
        json += ", \"exact\": " +
                (exact ? jsonString(printExpressionText(*exact->expression)) : "null");
        json += ", \"exactValue\": " + (exact ? optionalText(exact->value) : "null") + '}';
    }
    return json + ']';
}

} // namespace kestrane
