// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/host.h"
#include "platform/translation.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrane {

// The "Find" dialog: one field for the text to be found, OK and Cancel.
// Enter in the field acts as OK. The text holds at most kMaxLength bytes.
class FindDialog final : public ModalDialog {
public:
    static constexpr std::string_view kCaption = N_("Find");
    static constexpr std::string_view kLabel = N_("Write a text to be found");
    static constexpr std::size_t kMaxLength = 40;

    explicit FindDialog(std::string text = {}) { setText(std::move(text)); }

    const std::string& text() const { return m_text; }
    // Keeps the first kMaxLength bytes.
    void setText(std::string text);

private:
    std::string m_text;
};

} // namespace kestrane
