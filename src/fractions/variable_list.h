// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/fract_layout.h"
#include "platform/colour.h"

#include <string>

namespace kestrane {

class Canvas;
class VariableTable;

// The list view of the user variables: a title, then one row per record with
// its name in a box, a box with a cross that enables or disables it, and its
// value drawn centred. Rows taller than the window scroll in steps of 100
// pixels.
namespace variable_list {

inline constexpr int kTitleX = 40;
inline constexpr int kTitleY = 10;
inline constexpr int kTitleHeight = 22;
inline constexpr int kRecordHeight = 20;
inline constexpr int kValueCentre = 450;
// Below this the list no longer fits and the scroll bar shows.
inline constexpr int kVisibleBottom = 450;
inline constexpr int kScrollStep = 100;
// The name's box, the cross box and the value's box of a row.
inline constexpr int kNameLeft = 40;
inline constexpr int kNameRight = 140;
inline constexpr int kCrossLeft = 160;
inline constexpr int kCrossSize = 20;
inline constexpr int kValueLeft = 200;
inline constexpr int kValueRight = 900;

} // namespace variable_list

enum class ListTarget { None, Name, Value, Enable };

struct ListHit {
    ListTarget target = ListTarget::None;
    int index = -1;
};

// The layout pass: every row gets its top and bottom, every value its place,
// at the table's scroll offset. Sets the table's listY to the final y and its
// needsScrolling flag when that lies below the visible part. Values are
// measured and drawn in the font family fontName.
void layoutVariableList(VariableTable& table, Canvas& metrics,
                        const std::string& fontName = kExpressionFont);

// The scroll bar's maximum, (y - 450) div 100 + 2, or 0 when the list fits.
int variableListScrollMaximum(const VariableTable& table);

// Moves the list to a scroll-bar position (100 pixels a step) and lays it out.
void scrollVariableList(VariableTable& table, int position, Canvas& metrics,
                        const std::string& fontName = kExpressionFont);

// What a click at (x, y) falls on; the rows must be laid out.
ListHit hitVariableList(const VariableTable& table, int x, int y);

// The title and the rows; disabled records are drawn in grey.
void paintVariableList(const VariableTable& table, Canvas& canvas, ColorRef background,
                       const std::string& fontName = kExpressionFont);

} // namespace kestrane
