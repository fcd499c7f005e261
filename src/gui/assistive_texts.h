// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kestrane {

// Gives a window the texts assistive tools read beyond its title: its
// description (a text of the program, shown in the user's language), and for
// each control that has none a name from the label that stands for it (its
// buddy) and a description from its tool tip or name. Each menu is described
// by the items it offers. Call once the window's controls are built.
void describeForAssistiveTools(QWidget& window, const char* description);

// Names a control that has no label of its own (a scroll bar, a second
// Browse button); both texts are the program's own, translated here.
void nameForAssistiveTools(QWidget& control, const char* name, const char* description);

} // namespace kestrane
