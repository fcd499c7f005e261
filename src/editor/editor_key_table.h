// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <span>

namespace kestrane {

// Every key of the script editor: its menu shortcuts (actions named as the
// menu items) and the keys its text area reads itself.
std::span<const KeyBinding> scriptEditorKeys();

} // namespace kestrane
