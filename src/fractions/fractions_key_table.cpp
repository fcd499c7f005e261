// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/fractions_key_table.h"

namespace kestrane {

namespace {

using enum StandardKey;

// One line a key. Ctrl+O, Ctrl+S and Ctrl+W have meanings of the expression
// editor here, so Open, Save and Close keep no keys; printing takes
// Ctrl+Shift+P because Ctrl+P inserts a power.
constexpr KeyBinding kFractionsKeys[] = {
    menuKey("Ctrl+Shift+P", "Print", "print the window"),
    menuKey("Ctrl+Q", "Quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("F1", "Index", "open the help page of the window", HelpContents),
    windowKey("Ctrl+N", "Fraction", "insert a fraction"),
    windowKey("Ctrl+R", "Root", "insert a root"),
    windowKey("Ctrl+P", "Power", "insert a power"),
    windowKey("Ctrl+M", "Main", "back to the main expression"),
    windowKey("Ctrl+V", "New variable", "define a new variable"),
    windowKey("Ctrl+L", "List of variables", "show the list of variables"),
    windowKey("Ctrl+S", "substitute", "substitute the variables into the expression"),
    windowKey("Ctrl+H", "listHelp", "in the list: how to edit it"),
    windowKey("Ctrl+W", "newExpression", "new expression"),
    windowKey("Ctrl+C", "copy", "copy the expression as text"),
    windowKey("Shift+Ins", "paste", "paste an expression"),
    windowKey("=", "Simplify", "simplify"),
};

constexpr KeyBinding kCalculatorKeys[] = {
    menuKey("Ctrl+Shift+P", "Print", "print the window"),
    menuKey("Ctrl+Q", "Quit", "quit the program (asks about unsaved changes)", Quit),
    menuKey("F1", "Index", "open the help page of the window", HelpContents),
    windowKey("=", "compute", "compute the expression (or start a variable's definition)"),
    windowKey("Esc", "newExpression", "erase the result, new expression"),
    windowKey("Ctrl+N", "Fraction", "insert a fraction"),
    windowKey("Ctrl+R", "Root", "insert a root"),
    windowKey("Ctrl+P", "Power", "insert a power"),
    windowKey("Ctrl+M", "Main", "back to the main expression"),
    windowKey("Ctrl+V", "New variable", "define a new variable"),
    windowKey("Ctrl+L", "List of variables", "show the list of variables"),
    windowKey("Ctrl+S", "substitute", "substitute the variables into the expression"),
    windowKey("Ctrl+C", "copy", "copy the result"),
    windowKey("I", "imaginary", "the imaginary unit i (with complex numbers on)"),
};

} // namespace

std::span<const KeyBinding> fractionsWindowKeys()
{
    return kFractionsKeys;
}

std::span<const KeyBinding> calculatorKeys()
{
    return kCalculatorKeys;
}

} // namespace kestrane
