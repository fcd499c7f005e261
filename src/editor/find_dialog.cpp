// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/find_dialog.h"

namespace kestrane {

void FindDialog::setText(std::string text)
{
    if (text.size() > kMaxLength)
        text.resize(kMaxLength);
    m_text = std::move(text);
}

} // namespace kestrane
