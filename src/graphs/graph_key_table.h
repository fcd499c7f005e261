// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <span>

namespace kestrane {

// Every key of the graph window. Actions are the menu items' captions
// without '&' ("Save as", "Sin"); the window's key handler runs them too, so
// that the keys work where the host has no menu.
std::span<const KeyBinding> graphWindowKeys();

} // namespace kestrane
