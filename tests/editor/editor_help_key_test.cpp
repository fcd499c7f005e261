// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

class HelpKey : public testing::EditorFixture {};

TEST_F(HelpKey, OpensTheEntryOfTheWordUnderTheCaret)
{
    editor.setModule(503);
    load({"void start()", "A=point(0,0,0)", "s=sphere(A,A)", "#include", "  ", "x=foo(A)"});
    struct Place {
        int line;
        int column;
        std::string page;
    };
    const Place places[] = {
        {2, 2, "reference/dimension_3.html#sphere"}, // at the first letter
        {2, 5, "reference/dimension_3.html#sphere"}, // inside
        {2, 8, "reference/dimension_3.html#sphere"}, // just after the word
        {1, 2, "reference/dimension_3.html#point"},
        {3, 3, "reference/dimension_3.html#include"},
        {4, 1, "reference/index.html"}, // on blanks
        {5, 3, "reference/index.html"}, // not a reserved word
        {0, 0, "reference/dimension_3.html#void"},
    };
    for (const Place& place : places) {
        placeCursor(place.line, place.column);
        EXPECT_EQ(editor.helpPageAtCursor(), place.page) << place.line << ":" << place.column;
    }
    placeCursor(2, 3);
    editor.helpOnWord();
    ASSERT_FALSE(host.helpPages().empty());
    EXPECT_EQ(host.helpPages().back(), "reference/dimension_3.html#sphere");

    editor.setModule(501);
    placeCursor(1, 2);
    EXPECT_EQ(editor.helpPageAtCursor(), "reference/kestrane.html#point");
}

} // namespace
} // namespace kestrane
