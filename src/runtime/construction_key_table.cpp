// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/construction_key_table.h"

namespace kestrane {

namespace {

using enum StandardKey;

// One line a key. The Program menu's stepping keys act on a paused program;
// F9 continues here, where no other command has it.
constexpr KeyBinding kKeys[] = {
    menuKey("Ctrl+O", "open", "open a program and run it", Open),
    menuKey("Ctrl+P", "print", "print the drawing"),
    menuKey("Ctrl+Q", "quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("Ctrl+Z", "undo", "undo the last construction step", Undo),
    menuKey("Ctrl+Shift+Z", "redo", "redo the construction step", Redo),
    menuKey("Ctrl+Y", "redo", "redo the construction step"),
    menuKey("F1", "helpWindow", "open the help page of the window", HelpContents),
    menuKey("F7", "stepInto", "run the next statement of a paused program, into procedures"),
    menuKey("F8", "stepOver", "run the next statement of a paused program, over procedure calls"),
    menuKey("Shift+F8", "stepOut", "run a paused program to the end of the current procedure"),
    menuKey("F9", "continue", "run a paused program to the next breakpoint or the end"),
    menuKey("F6", "watch", "show or hide the watch panel"),
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
