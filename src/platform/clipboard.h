// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestrane {

// The desktop clipboard as plain text (UTF-8).
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

// A clipboard private to the process: the command-line program and tests.
class MemoryClipboard final : public Clipboard {
public:
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override { m_text = text; }

private:
    std::string m_text;
};

} // namespace kestrane
