// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/script_editor.h"
#include "platform/scripted_host.h"
#include "script/script_test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::testing {

// An editor on a scripted host, with a text set up line by line and keys
// sent the way the window sends them.
class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() : editor(host, Directories{})
    {
        editor.setViewSize(900, kTextTop + 10 * ScriptEditor::kLineHeight);
    }

    static constexpr int kTextTop = ScriptEditor::kTextTop;

    void load(std::initializer_list<std::string_view> lines)
    {
        editor.setText(scriptText(lines));
        editor.setModified(false);
    }

    void press(Key key, Modifiers modifiers = {})
    {
        editor.keyDown(key, modifiers);
        editor.keyUp();
    }

    // Each character as a key that types it.
    void type(std::string_view text)
    {
        for (char character : text) {
            editor.keyDown(Key::None, {}, std::string_view(&character, 1));
            editor.keyUp();
        }
    }

    void placeCursor(int line, int column) { editor.select({line, column}, {line, column}); }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const SourceLine& line : editor.lines())
            result.push_back(line.text());
        return result;
    }

    TextPosition at(int line, int column) const { return {line, column}; }

    ScriptedHost host;
    ScriptEditor editor;
};

} // namespace kestrane::testing
