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

JsonWriter::JsonWriter(JsonStyle style) : m_style(style) {}

void JsonWriter::element()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_started.empty()) {
        if (m_started.back())
            m_text += m_style == JsonStyle::Compact ? "," : ", ";
        m_started.back() = true;
    }
    if (!m_pendingBreak.empty()) {
        // The break replaces the blank after the comma.
        if (m_style == JsonStyle::Spaced && m_text.ends_with(", "))
            m_text.pop_back();
        m_text += m_pendingBreak;
        m_pendingBreak.clear();
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
    m_text += m_pendingBreak;
    m_pendingBreak.clear();
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
    m_text += m_pendingBreak;
    m_pendingBreak.clear();
    m_text += ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    element();
    m_text += jsonString(name);
    m_text += m_style == JsonStyle::Compact ? ":" : ": ";
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

JsonWriter& JsonWriter::breakBefore(std::string_view text)
{
    m_pendingBreak = text;
    return *this;
}

JsonWriter& JsonWriter::verbatim(std::string_view text)
{
    m_text += text;
    return *this;
}

} // namespace kestrane
