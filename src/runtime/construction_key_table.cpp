// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/construction_key_table.h"

namespace kestrane {

namespace {

using enum StandardKey;

// One line a key. F5, F6, F9, Shift+F8 and Ctrl+F10 are kept free for the
// debugging commands.
constexpr KeyBinding kKeys[] = {
    menuKey("Ctrl+O", "open", "open a program and run it", Open),
    menuKey("Ctrl+P", "print", "print the drawing"),
    menuKey("Ctrl+Q", "quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("Ctrl+Z", "undo", "undo the last construction step", Undo),
    menuKey("Ctrl+Shift+Z", "redo", "redo the construction step", Redo),
    menuKey("Ctrl+Y", "redo", "redo the construction step"),
    menuKey("F1", "helpWindow", "open the help page of the window", HelpContents),
    windowKey("Space", "step", "run the next statement of a stepped or paused program"),
    windowKey("Esc", "text", "back to the script editor (ends a listing first)"),
    windowKey("Del", "removeHighlighted", "remove the object under the mouse"),
    windowKey("Q", "animation", "stop or restart the rotation of a solid"),
};

} // namespace

std::span<const KeyBinding> constructionWindowKeys()
{
    return kKeys;
}

} // namespace kestrane
