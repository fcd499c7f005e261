// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace kestrane {

struct FractNode;

// Where a caret stands on a node: in its text, among its opening marks or
// among its closing marks.
enum class CursorArea : int { Text = 0, Opening = 1, Closing = 2 };

// A caret place. In a text the position k stands before character k
// (0 ... length); in a row it stands before mark k, so a caret "on" a mark
// stands before it. Opening position count and closing position 0 are the
// text's start and end and are always written as text places.
struct CaretPlace {
    FractNode* node = nullptr;
    CursorArea area = CursorArea::Text;
    int position = 0;

    friend bool operator==(const CaretPlace&, const CaretPlace&) = default;
};

// The cursor of the expression editor: its place, the caret's pixel position
// and height (the node's heightNoTop), and the blink phase.
struct Cursor {
    CaretPlace place;
    int x = 0;
    int y = 0;
    int height = 0;
    int spare = 2;
    int blinkPhase = 0;
};

// Every caret place in reading order: opening marks, text, the exponent's
// places, closing marks; operands left before right, numerator before
// denominator; an empty slot and a node without text have one text place; a
// fraction has a place just before its numerator (opening position count)
// and just after its denominator (closing position 0).
std::vector<CaretPlace> caretPlaces(FractNode& root);

// The same place written the canonical way (opening position count and
// closing position 0 become text places).
CaretPlace normalized(CaretPlace place);

// The place before the first opening mark (else at the text start) of the
// leftmost leaf, and after the last closing mark (else at the text end) of
// the rightmost leaf.
CaretPlace homePlace(FractNode& root);
CaretPlace endPlace(FractNode& root);

} // namespace kestrane
