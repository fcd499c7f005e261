// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/keys.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// One key with its modifiers, as a window receives it: `key` is the key code
// of keys.h (letters and digits their upper-case ASCII codes).
struct KeyChord {
    std::uint16_t key = 0;
    Modifiers modifiers;
    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// Reads a chord written as the menus show it: "Ctrl+Shift+S", "F1",
// "Shift+Ins", "Ctrl+Alt+E". Nothing for an unknown key name.
std::optional<KeyChord> parseKeyChord(std::string_view text);

// The desktop's own binding for a command. Where one is set the Qt host asks
// the desktop for the keys, so a desktop that binds Quit elsewhere is
// followed; the table's keys are what the desktops usually bind.
enum class StandardKey : std::uint8_t {
    None,
    Open,
    Save,
    SaveAs,
    Close,
    Quit,
    Undo,
    Redo,
    HelpContents,
    Find,
    FindNext,
    Cut,
    Copy,
    Paste,
};

// Who reads the key: a menu item whose shortcut the host installs, or the
// window's own key handler (the keys of the expression editors, the space
// bar of a stepped run), listed so that every key of a window is in one
// place.
enum class KeyRoute : std::uint8_t { Menu, Window };

// One key of a window and the action it triggers. `action` is the menu
// item's object name in the Qt host (Menu) or the name of the key handler's
// command (Window).
struct KeyBinding {
    std::string_view keys;
    std::string_view action;
    std::string_view description;
    StandardKey standard = StandardKey::None;
    KeyRoute route = KeyRoute::Menu;
};

// Shorthands that keep each table entry to one line.
constexpr KeyBinding menuKey(std::string_view keys, std::string_view action,
                             std::string_view description, StandardKey standard = StandardKey::None)
{
    return {keys, action, description, standard, KeyRoute::Menu};
}
constexpr KeyBinding windowKey(std::string_view keys, std::string_view action,
                               std::string_view description)
{
    return {keys, action, description, StandardKey::None, KeyRoute::Window};
}

// The keys of one window.
struct WindowKeyTable {
    std::string_view name;  // as kestrane-cli keys takes it: "editor"
    std::string_view title; // as the help page heads it: "Script editor"
    std::span<const KeyBinding> bindings;
};

// The binding a chord triggers in a table, or none.
const KeyBinding* findKeyBinding(std::span<const KeyBinding> bindings, KeyChord chord);
// The keys of every binding of `action`, in table order.
std::vector<std::string_view> keysOfAction(std::span<const KeyBinding> bindings,
                                           std::string_view action);
// Keys that are written twice in a table (as chords: "Ctrl+Ins" and
// "Ctrl+Insert" are one), and keys that do not parse; empty when sound.
std::vector<std::string> keyTableFaults(std::span<const KeyBinding> bindings);

} // namespace kestrane
