// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/graph_key_table.h"

namespace kestrane {

namespace {

using enum StandardKey;

// One line a key. Ctrl+S inserts the sine here, so Save as takes
// Ctrl+Shift+S; Ctrl+P inserts a power, so printing takes Ctrl+Shift+P.
constexpr KeyBinding kKeys[] = {
    menuKey("Ctrl+W", "New", "new function, caption \"NoName\""),
    menuKey("Ctrl+O", "Open", "open a function file", Open),
    menuKey("Ctrl+Shift+S", "Save as", "save the function file", SaveAs),
    menuKey("Ctrl+Shift+P", "Print…", "print the window"),
    menuKey("Ctrl+Q", "Quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("Ctrl+R", "Root", "insert a root"),
    menuKey("Ctrl+N", "Ratio", "insert a fraction"),
    menuKey("Ctrl+P", "Power", "insert a power"),
    menuKey("Ctrl+G", "Graph", "show the graph"),
    menuKey("Ctrl+D", "Domain", "change the domain"),
    menuKey("Ctrl+E", "Exp", "insert exp"),
    menuKey("Ctrl+Alt+E", "Log", "insert log"),
    menuKey("Ctrl+S", "Sin", "insert sin"),
    menuKey("Ctrl+C", "Cos", "insert cos"),
    menuKey("Ctrl+T", "Tan", "insert tan"),
    menuKey("Ctrl+Shift+O", "Cot", "insert cot"),
    menuKey("Ctrl+Alt+S", "ASin", "insert asin"),
    menuKey("Ctrl+Alt+C", "ACos", "insert acos"),
    menuKey("Ctrl+Alt+T", "ATan", "insert atan"),
    menuKey("Ctrl+Alt+O", "ACot", "insert acot"),
    menuKey("F1", "Index", "open the help page of the window", HelpContents),
    windowKey("Esc", "newFile", "new function"),
};

} // namespace

std::span<const KeyBinding> graphWindowKeys()
{
    return kKeys;
}

} // namespace kestrane
