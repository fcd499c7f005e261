// SPDX-License-Identifier: GPL-3.0-or-later
#include "expressions/expression_cursor.h"

#include "expressions/fract_node.h"

#include <algorithm>

namespace kestrane {

namespace {

int textPlaces(const FractNode& node)
{
    return node.hasText() && !node.isSlot() ? node.textLength() : 0;
}

void collect(FractNode& node, std::vector<CaretPlace>& places)
{
    int opening = node.openRow ? node.openRow->count() : 0;
    for (int k = 0; k < opening; ++k)
        places.push_back({&node, CursorArea::Opening, k});
    if (node.isOperation()) {
        collect(*node.left, places);
        collect(*node.right, places);
    } else if (node.isFraction()) {
        // A fraction has a place before its numerator and one after its
        // denominator, where operations go before or after it.
        places.push_back({&node, CursorArea::Opening, opening});
        collect(*node.numerator, places);
        collect(*node.denominator, places);
        places.push_back({&node, CursorArea::Closing, 0});
    } else {
        for (int k = 0; k <= textPlaces(node); ++k)
            places.push_back({&node, CursorArea::Text, k});
    }
    if (node.exponent)
        collect(*node.exponent, places);
    int closing = node.closeRow ? node.closeRow->count() : 0;
    for (int k = 1; k <= closing; ++k) {
        places.push_back({&node, CursorArea::Closing, k});
        const MarkItem& item = *node.closeRow->items[static_cast<std::size_t>(k - 1)];
        if (item.paren && item.paren->exponent)
            collect(*item.paren->exponent, places);
    }
}

} // namespace

std::vector<CaretPlace> caretPlaces(FractNode& root)
{
    std::vector<CaretPlace> places;
    collect(root, places);
    return places;
}

CaretPlace normalized(CaretPlace place)
{
    FractNode& node = *place.node;
    bool ownsText = !node.isOperation() && !node.isFraction();
    if (place.area == CursorArea::Opening && node.openRow &&
        place.position >= node.openRow->count() && ownsText)
        return {&node, CursorArea::Text, 0};
    if (place.area == CursorArea::Closing && place.position <= 0 && ownsText)
        return {&node, CursorArea::Text, textPlaces(node)};
    if (place.area == CursorArea::Text)
        place.position = std::min(std::max(place.position, 0), textPlaces(node));
    return place;
}

CaretPlace homePlace(FractNode& root)
{
    FractNode* node = &root;
    while (true) {
        if (node->hasOpenMarks())
            return {node, CursorArea::Opening, 0};
        if (node->isOperation())
            node = node->left.get();
        else if (node->isFraction())
            return {node, CursorArea::Opening, 0};
        else
            return {node, CursorArea::Text, 0};
    }
}

CaretPlace endPlace(FractNode& root)
{
    FractNode* node = &root;
    while (true) {
        if (node->hasCloseMarks())
            return {node, CursorArea::Closing, node->closeRow->count()};
        if (node->isOperation())
            node = node->right.get();
        else if (node->isFraction())
            return {node, CursorArea::Closing, 0};
        else
            return {node, CursorArea::Text, textPlaces(*node)};
    }
}

} // namespace kestrane
