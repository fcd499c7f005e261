// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_key_table.h"

namespace kestrane {

namespace {

using enum StandardKey;

// One line a key. F5, F6, Shift+F8 and Ctrl+F10 are kept free for the
// debugging commands.
constexpr KeyBinding kKeys[] = {
    menuKey("Ctrl+O", "open", "open a script", Open),
    menuKey("Ctrl+S", "save", "save the script", Save),
    menuKey("Ctrl+Shift+S", "saveAs", "save the script under another name", SaveAs),
    menuKey("Ctrl+W", "exit", "close the editor (asks about unsaved changes)", Close),
    menuKey("Ctrl+Q", "quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("Ctrl+Z", "undo", "undo the last edit (typing is undone a word at a time)", Undo),
    menuKey("Ctrl+Shift+Z", "redo", "redo what was undone", Redo),
    menuKey("Ctrl+Y", "redo", "redo what was undone"),
    menuKey("Ctrl+F", "find", "find a text from the start", Find),
    menuKey("F3", "findNext", "find the text again", FindNext),
    menuKey("Shift+Del", "cut", "cut the selection"),
    menuKey("Ctrl+X", "cut", "cut the selection"),
    menuKey("Ctrl+Ins", "copy", "copy the selection"),
    menuKey("Ctrl+C", "copy", "copy the selection"),
    menuKey("Shift+Ins", "paste", "paste"),
    menuKey("Ctrl+V", "paste", "paste"),
    menuKey("F9", "run", "compile and run the program"),
    menuKey("F8", "stepOver", "compile and step over procedure calls"),
    menuKey("F7", "stepByStep", "compile and run statement by statement"),
    menuKey("F5", "toggleBreakpoint", "set or clear a breakpoint on the caret's line"),
    menuKey("Ctrl+F10", "runToCursor", "run the program to the caret's line"),
    menuKey("F1", "helpOnWord", "reference page of the word under the caret", HelpContents),
    windowKey("Ctrl+Left", "previousWord", "caret to the start of the previous word"),
    windowKey("Ctrl+Right", "nextWord", "caret to the start of the next word"),
    windowKey("Shift+Enter", "takeCompletion", "take the highlighted completion word"),
};

} // namespace

std::span<const KeyBinding> scriptEditorKeys()
{
    return kKeys;
}

} // namespace kestrane
