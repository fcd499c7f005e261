// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// A JSON string literal of UTF-8 text: the one escaping of every JSON the
// programs write (quote, backslash and control characters; other bytes as
// they are).
std::string jsonString(std::string_view text);

// Writes one JSON document: values, arrays and objects in order, the commas
// and colons put in by the writer. Every document is compact, on one line
// with no blank after ':' or ',', so that line-oriented tools can take the
// output of any command.
//
//   JsonWriter json;
//   json.beginObject().key("x").number(1).key("ok").boolean(true).endObject();
//   json.text() == R"({"x":1,"ok":true})"
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of an object.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view text);
    template<std::integral Integer>
    requires(!std::same_as<Integer, bool>) JsonWriter& number(Integer value)
    {
        return raw(std::to_string(value));
    }
    JsonWriter& boolean(bool value);
    JsonWriter& null();
    // A value written elsewhere (a number's own text, a nested document).
    JsonWriter& raw(std::string_view json);
    // A text that is null when empty-handed.
    JsonWriter& stringOrNull(const std::string* text);

    const std::string& text() const { return m_text; }
    std::string take() { return std::move(m_text); }

private:
    // Starts an element: the comma after the previous one, unless it follows
    // a key.
    void element();

    std::string m_text;
    // Per open array or object: whether an element was written in it.
    std::vector<bool> m_started;
    bool m_afterKey = false;
};

} // namespace kestrane
