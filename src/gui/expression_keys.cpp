// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/expression_keys.h"

#include "expressions/expression_editor.h"

#include <QKeyEvent>

namespace kestrane {

// The editor's key codes: letters and digits are their upper-case codes,
// the rest the codes of the keys that type them on a US keyboard.
std::uint16_t toEditorKey(const QKeyEvent& event, Modifiers& modifiers)
{
    int key = event.key();
    bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::uint16_t>(key);
    switch (key) {
    case Qt::Key_Equal:
        return editor_keys::kEquals;
    case Qt::Key_Plus:
        if (keypad)
            return editor_keys::kNumpadAdd;
        modifiers = modifiers | Modifier::Shift;
        return editor_keys::kEquals;
    case Qt::Key_Minus:
        return keypad ? editor_keys::kNumpadSubtract : editor_keys::kMinus;
    case Qt::Key_Underscore:
        return editor_keys::kMinus;
    case Qt::Key_Period:
        return keypad ? editor_keys::kNumpadDecimal : editor_keys::kPeriod;
    case Qt::Key_Comma:
        return editor_keys::kComma;
    case Qt::Key_Slash:
        return editor_keys::kSlash;
    case Qt::Key_Asterisk:
        if (keypad)
            return editor_keys::kNumpadMultiply;
        modifiers = modifiers | Modifier::Shift;
        return '8';
    case Qt::Key_ParenLeft:
        modifiers = modifiers | Modifier::Shift;
        return '9';
    case Qt::Key_ParenRight:
        modifiers = modifiers | Modifier::Shift;
        return '0';
    case Qt::Key_Left:
        return static_cast<std::uint16_t>(Key::Left);
    case Qt::Key_Right:
        return static_cast<std::uint16_t>(Key::Right);
    case Qt::Key_Up:
        return static_cast<std::uint16_t>(Key::Up);
    case Qt::Key_Down:
        return static_cast<std::uint16_t>(Key::Down);
    case Qt::Key_Home:
        return static_cast<std::uint16_t>(Key::Home);
    case Qt::Key_End:
        return static_cast<std::uint16_t>(Key::End);
    case Qt::Key_PageUp:
        return static_cast<std::uint16_t>(Key::PageUp);
    case Qt::Key_PageDown:
        return static_cast<std::uint16_t>(Key::PageDown);
    case Qt::Key_Backspace:
        return static_cast<std::uint16_t>(Key::Backspace);
    case Qt::Key_Delete:
        return static_cast<std::uint16_t>(Key::Delete);
    case Qt::Key_Insert:
        return static_cast<std::uint16_t>(Key::Insert);
    case Qt::Key_Escape:
        return static_cast<std::uint16_t>(Key::Escape);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return static_cast<std::uint16_t>(Key::Enter);
    case Qt::Key_F2:
        return static_cast<std::uint16_t>(Key::F2);
    case Qt::Key_F5:
        return static_cast<std::uint16_t>(Key::F5);
    default:
        return 0;
    }
}

Modifiers toEditorModifiers(Qt::KeyboardModifiers modifiers)
{
    Modifiers result;
    if (modifiers & Qt::ShiftModifier)
        result = result | Modifier::Shift;
    if (modifiers & Qt::ControlModifier)
        result = result | Modifier::Control;
    if (modifiers & Qt::AltModifier)
        result = result | Modifier::Alt;
    return result;
}

} // namespace kestrane
