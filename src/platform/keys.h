// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kestrane {

// Key codes of the keys the windows react to. The values are the virtual-key
// codes the models were designed around, so letters and digits are their
// upper-case ASCII codes.
enum class Key : std::uint16_t {
    None = 0,
    Backspace = 0x08,
    Tab = 0x09,
    Enter = 0x0D,
    Shift = 0x10,
    Control = 0x11,
    Alt = 0x12,
    Escape = 0x1B,
    Space = 0x20,
    PageUp = 0x21,
    PageDown = 0x22,
    End = 0x23,
    Home = 0x24,
    Left = 0x25,
    Up = 0x26,
    Right = 0x27,
    Down = 0x28,
    Insert = 0x2D,
    Delete = 0x2E,
    Digit0 = 0x30,
    Digit9 = 0x39,
    A = 0x41,
    C = 0x43,
    Q = 0x51,
    V = 0x56,
    X = 0x58,
    Z = 0x5A,
    F1 = 0x70,
    F2 = 0x71,
    F3 = 0x72,
    F5 = 0x74,
    F7 = 0x76,
    F8 = 0x77,
    F9 = 0x78,
    Minus = 0xBD,
    Equals = 0xBB,
};

enum class Modifier : std::uint8_t { None = 0, Shift = 1, Control = 2, Alt = 4 };

class Modifiers {
public:
    constexpr Modifiers() = default;
    constexpr Modifiers(Modifier modifier) : m_bits(static_cast<std::uint8_t>(modifier)) {}

    constexpr bool has(Modifier modifier) const
    {
        return (m_bits & static_cast<std::uint8_t>(modifier)) != 0;
    }
    constexpr bool shift() const { return has(Modifier::Shift); }
    constexpr bool control() const { return has(Modifier::Control); }
    constexpr bool alt() const { return has(Modifier::Alt); }
    constexpr bool none() const { return m_bits == 0; }

    friend constexpr Modifiers operator|(Modifiers a, Modifiers b)
    {
        Modifiers result;
        result.m_bits = static_cast<std::uint8_t>(a.m_bits | b.m_bits);
        return result;
    }
    friend constexpr bool operator==(Modifiers, Modifiers) = default;

private:
    std::uint8_t m_bits = 0;
};

constexpr Modifiers operator|(Modifier a, Modifier b)
{
    return Modifiers(a) | Modifiers(b);
}

// A letter or digit key from its character ('a' and 'A' give Key::A).
constexpr Key keyForCharacter(char character)
{
    if (character >= 'a' && character <= 'z')
        character = static_cast<char>(character - 'a' + 'A');
    return static_cast<Key>(static_cast<unsigned char>(character));
}

} // namespace kestrane
