// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/json_writer.h"

#include <cassert>
#include <cstdio>

namespace kestrane {

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (char character : text) {
        auto byte = static_cast<unsigned char>(character);
        if (character == '"' || character == '\\') {
            quoted += '\\';
            quoted += character;
        } else if (character == '\n') {
            quoted += "\\n";
        } else if (character == '\r') {
            quoted += "\\r";
        } else if (character == '\t') {
            quoted += "\\t";
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += character;
        }
    }
    return quoted + "\"";
}

void JsonWriter::element()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_started.empty()) {
        if (m_started.back())
            m_text += ',';
        m_started.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    element();
    m_text += '{';
    m_started.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    assert(!m_started.empty() && !m_afterKey);
    m_started.pop_back();
    m_text += '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    element();
    m_text += '[';
    m_started.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    assert(!m_started.empty() && !m_afterKey);
    m_started.pop_back();
    m_text += ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    element();
    m_text += jsonString(name);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text)
{
    element();
    m_text += jsonString(text);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value)
{
    return raw(value ? "true" : "false");
}

JsonWriter& JsonWriter::null()
{
    return raw("null");
}

JsonWriter& JsonWriter::raw(std::string_view json)
{
    element();
    m_text += json;
    return *this;
}

JsonWriter& JsonWriter::stringOrNull(const std::string* text)
{
    return text ? string(*text) : null();
}

} // namespace kestrane
