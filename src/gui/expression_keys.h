// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keys.h"

#include <QKeyEvent>

#include <cstdint>

namespace kestrane {

// The expression editor's key code of a Qt key event: letters and digits are
// their upper-case codes, the rest the codes of the keys that type them on a
// US keyboard (Shift is added for '+', '*' and the brackets); 0 for a key
// the editor does not read.
std::uint16_t toEditorKey(const QKeyEvent& event, Modifiers& modifiers);
Modifiers toEditorModifiers(Qt::KeyboardModifiers modifiers);

} // namespace kestrane
