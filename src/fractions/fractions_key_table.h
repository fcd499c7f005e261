// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/key_table.h"

#include <span>

namespace kestrane {

// Every key of the Fractions and Roots window and of the Calculator. Their
// Ctrl keys belong to the expression editor and reach the model as keys
// (route Window); where a menu item does the same, the action is the item's
// caption and the menu shows the key beside it.
std::span<const KeyBinding> fractionsWindowKeys();
std::span<const KeyBinding> calculatorKeys();

} // namespace kestrane
