// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/key_table.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrane {

namespace {

struct NamedKey {
    std::string_view name;
    std::uint16_t code;
};

constexpr std::uint16_t code(Key key)
{
    return static_cast<std::uint16_t>(key);
}

constexpr NamedKey kNamedKeys[] = {
    {"Esc", code(Key::Escape)},
    {"Escape", code(Key::Escape)},
    {"Space", code(Key::Space)},
    {"Enter", code(Key::Enter)},
    {"Return", code(Key::Enter)},
    {"Tab", code(Key::Tab)},
    {"Backspace", code(Key::Backspace)},
    {"Del", code(Key::Delete)},
    {"Delete", code(Key::Delete)},
    {"Ins", code(Key::Insert)},
    {"Insert", code(Key::Insert)},
    {"Home", code(Key::Home)},
    {"End", code(Key::End)},
    {"PgUp", code(Key::PageUp)},
    {"PgDown", code(Key::PageDown)},
    {"Left", code(Key::Left)},
    {"Right", code(Key::Right)},
    {"Up", code(Key::Up)},
    {"Down", code(Key::Down)},
    {"=", code(Key::Equals)},
    {"-", code(Key::Minus)},
};

// F1 to F12 follow one another from F1's code.
std::optional<std::uint16_t> functionKey(std::string_view name)
{
    if (name.size() < 2 || name.size() > 3 || name[0] != 'F')
        return std::nullopt;
    int number = 0;
    for (char digit : name.substr(1)) {
        if (!std::isdigit(static_cast<unsigned char>(digit)))
            return std::nullopt;
        number = number * 10 + (digit - '0');
    }
    if (number < 1 || number > 12)
        return std::nullopt;
    return static_cast<std::uint16_t>(code(Key::F1) + number - 1);
}

std::optional<std::uint16_t> keyCode(std::string_view name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
    for (const NamedKey& named : kNamedKeys) {
        if (named.name == name)
            return named.code;
    }
    return functionKey(name);
}

} // namespace

std::optional<KeyChord> parseKeyChord(std::string_view text)
{
    constexpr std::array<std::pair<std::string_view, Modifier>, 3> kPrefixes = {
        {{"Ctrl+", Modifier::Control}, {"Shift+", Modifier::Shift}, {"Alt+", Modifier::Alt}}};
    KeyChord chord;
    bool found = true;
    while (found) {
        found = false;
        for (const auto& [prefix, modifier] : kPrefixes) {
            // "Ctrl++" would be Ctrl with the plus key: the prefix needs a key after it.
            if (text.size() > prefix.size() && text.starts_with(prefix)) {
                chord.modifiers = chord.modifiers | modifier;
                text.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    std::optional<std::uint16_t> key = keyCode(text);
    if (!key)
        return std::nullopt;
    chord.key = *key;
    return chord;
}

const KeyBinding* findKeyBinding(std::span<const KeyBinding> bindings, KeyChord chord)
{
    for (const KeyBinding& binding : bindings) {
        if (parseKeyChord(binding.keys) == chord)
            return &binding;
    }
    return nullptr;
}

std::vector<std::string_view> keysOfAction(std::span<const KeyBinding> bindings,
                                           std::string_view action)
{
    std::vector<std::string_view> keys;
    for (const KeyBinding& binding : bindings) {
        if (binding.action == action)
            keys.push_back(binding.keys);
    }
    return keys;
}

std::vector<std::string> keyTableFaults(std::span<const KeyBinding> bindings)
{
    std::vector<std::string> faults;
    for (std::size_t index = 0; index < bindings.size(); ++index) {
        std::optional<KeyChord> chord = parseKeyChord(bindings[index].keys);
        if (!chord) {
            faults.push_back("unknown key " + std::string(bindings[index].keys));
            continue;
        }
        for (std::size_t earlier = 0; earlier < index; ++earlier) {
            if (parseKeyChord(bindings[earlier].keys) == chord) {
                faults.push_back(std::string(bindings[index].keys) + " is both " +
                                 std::string(bindings[earlier].action) + " and " +
                                 std::string(bindings[index].action));
            }
        }
    }
    return faults;
}

} // namespace kestrane
