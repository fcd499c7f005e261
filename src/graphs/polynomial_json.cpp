// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/polynomial_json.h"

#include "expressions/expression_text.h"
#include "platform/json_writer.h"

#include <algorithm>

namespace kestrane {

namespace {

void stringOrNull(JsonWriter& json, const std::optional<std::string>& text)
{
    json.stringOrNull(text ? &*text : nullptr);
}

} // namespace

void writeRootsJson(JsonWriter& json, const Polynomial& polynomial)
{
    std::size_t count = std::max(polynomial.roots.size(), polynomial.exact.size());
    json.beginArray();
    for (std::size_t index = 0; index < count; ++index) {
        const NumericRoot* numeric =
            index < polynomial.roots.size() ? &polynomial.roots[index] : nullptr;
        const ExactRoot* exact =
            index < polynomial.exact.size() ? &polynomial.exact[index] : nullptr;
        json.beginObject();
        json.key("value").stringOrNull(numeric ? &numeric->text : nullptr);
        json.key("re").stringOrNull(numeric ? &numeric->real : nullptr);
        json.key("im").stringOrNull(numeric ? &numeric->imaginary : nullptr);
        json.key("exact");
        if (exact)
            json.string(printExpressionText(*exact->expression));
        else
            json.null();
        json.key("exactValue");
        if (exact)
            stringOrNull(json, exact->value);
        else
            json.null();
        json.endObject();
    }
    json.endArray();
}

} // namespace kestrane
