// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <span>

namespace kestrane {

// Every key of the construction window: its menu shortcuts and the keys the
// window reads while a program runs.
std::span<const KeyBinding> constructionWindowKeys();

} // namespace kestrane
