// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/key_table.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

constexpr Modifiers kCtrl = Modifier::Control;
constexpr Modifiers kShift = Modifier::Shift;

TEST(KeyChords, ReadTheWayTheMenusWriteThem)
{
    struct Case {
        const char* text;
        std::uint16_t key;
        Modifiers modifiers;
    };
    const Case cases[] = {
        {"Ctrl+O", 'O', kCtrl},
        {"Ctrl+Shift+S", 'S', kCtrl | kShift},
        {"Shift+Ctrl+S", 'S', kCtrl | kShift},
        {"Ctrl+Alt+E", 'E', kCtrl | Modifier::Alt},
        {"F1", static_cast<std::uint16_t>(Key::F1), {}},
        {"F10", static_cast<std::uint16_t>(Key::F1) + 9, {}},
        {"Shift+F8", static_cast<std::uint16_t>(Key::F8), kShift},
        {"Shift+Ins", static_cast<std::uint16_t>(Key::Insert), kShift},
        {"Ctrl+Insert", static_cast<std::uint16_t>(Key::Insert), kCtrl},
        {"Del", static_cast<std::uint16_t>(Key::Delete), {}},
        {"Esc", static_cast<std::uint16_t>(Key::Escape), {}},
        {"Space", static_cast<std::uint16_t>(Key::Space), {}},
        {"=", static_cast<std::uint16_t>(Key::Equals), {}},
        {"q", 'Q', {}},
    };
    for (const Case& test : cases) {
        std::optional<KeyChord> chord = parseKeyChord(test.text);
        ASSERT_TRUE(chord) << test.text;
        EXPECT_EQ(chord->key, test.key) << test.text;
        EXPECT_EQ(chord->modifiers, test.modifiers) << test.text;
    }
}

TEST(KeyChords, RefuseWhatIsNoKey)
{
    for (const char* text : {"", "Ctrl+", "Ctrl+Foo", "F0", "F13", "Hyper+A", "AB"})
        EXPECT_FALSE(parseKeyChord(text)) << text;
}

TEST(KeyTables, FindTheBindingOfAChordAndAllKeysOfAnAction)
{
    constexpr KeyBinding table[] = {
        menuKey("Ctrl+Shift+Z", "redo", ""),
        menuKey("Ctrl+Y", "redo", ""),
        menuKey("Ctrl+Z", "undo", ""),
    };
    const KeyBinding* found = findKeyBinding(table, {'Z', kCtrl});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->action, "undo");
    EXPECT_EQ(findKeyBinding(table, {'Z', kShift}), nullptr);
    EXPECT_EQ(keysOfAction(table, "redo"),
              (std::vector<std::string_view>{"Ctrl+Shift+Z", "Ctrl+Y"}));
}

TEST(KeyTables, ReportKeysWrittenTwiceOrUnknown)
{
    constexpr KeyBinding sound[] = {menuKey("Ctrl+C", "copy", ""), menuKey("Ctrl+Ins", "copy", "")};
    EXPECT_TRUE(keyTableFaults(sound).empty());
    // The same chord under two spellings is still one key.
    constexpr KeyBinding twice[] = {menuKey("Ctrl+Ins", "copy", ""),
                                    windowKey("Ctrl+Insert", "paste", "")};
    ASSERT_EQ(keyTableFaults(twice).size(), 1u);
    EXPECT_NE(keyTableFaults(twice)[0].find("copy and paste"), std::string::npos);
    constexpr KeyBinding unknown[] = {menuKey("Ctrl+Foo", "foo", "")};
    EXPECT_EQ(keyTableFaults(unknown).size(), 1u);
}

} // namespace
} // namespace kestrane
