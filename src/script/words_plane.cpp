// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/words_data.h"

namespace kestrane::words_data {

using namespace type;
using enum WordKind;

std::vector<WordEntry> planeWords()
{
    constexpr WordGroup kestrane = WordGroup::Kestrane;
    constexpr WordGroup dimension2 = WordGroup::Dimension2;
    return {
        {kestrane, "line", 13, Call, {{kPoint, kPoint}}, kLine},
        {kestrane, "distance", 19, Call, {{kPoint, kPoint}}, kDistance},
        {kestrane, "segment", 14, Call, {{kPoint, kPoint}}, kSegment},
        {kestrane, "HalfLine", 20, Call, {{kPoint, kPoint}}, kHalfLine},
        {kestrane, "circle", 15, Call, {{kPoint, kPoint}, {kPoint, kDistance}}, kCircle},
        {kestrane, "Between", 22, Control, {{kPoint, kPoint, kPoint}}, kNone},
        {kestrane, "NotBetween", 142, Control, {{kPoint, kPoint, kPoint}}, kNone},
        {kestrane, "TwoSides", 29, Control, {{kLine, kPoint, kPoint}}, kNone},
        {kestrane, "OneSide", 30, Control, {{kLine, kPoint, kPoint}}, kNone},
        {kestrane,
         "IntersCircLin",
         50,
         Call,
         {{kCircle, kLine, kInteger},
          {kCircle, kSegment, kInteger},
          {kCircle, kHalfLine, kInteger}},
         kPoint},
        {kestrane, "Inters2Circ", 60, Call, {{kCircle, kCircle, kInteger}}, kPoint},
        {kestrane,
         "Inters2Lin",
         70,
         Call,
         everyCombination(2, {kLine, kSegment, kHalfLine}),
         kPoint},
        {kestrane, "RemoveLine", 80, Call, {{kLine}}, kNone},
        {kestrane, "NoNames", 33, Plain, {}, kNone},
        {kestrane, "RemoveTexts", 177, Plain, {}, kNone},
        {kestrane,
         "name",
         35,
         Attribute,
         {{kPoint}, {kSegment}, {kLine}, {kHalfLine}, {kCircle}},
         kNone},
        {kestrane, "PntSymm", 153, Call, {}, kNone},
        {kestrane, "ColorDist", 159, Call, {{kPolyhedron}}, kNone},
        {kestrane,
         "SetName",
         173,
         Call,
         {{kPoint, kString},
          {kPoint, kText},
          {kSegment, kString},
          {kSegment, kText},
          {kLine, kString},
          {kLine, kText},
          {kHalfLine, kString},
          {kHalfLine, kText},
          {kCircle, kString},
          {kCircle, kText}},
         kNone},
        {kestrane,
         "DrawDist",
         174,
         Call,
         {{kInteger, kInteger, kString, kDistance}, {kInteger, kInteger, kText, kDistance}},
         kNone},
        {kestrane, "polygon", 27, List, {}, kPolygon},

        {dimension2, "Move", 32, Call, {{kPolygon, kVector}}, kPolygon},
        {dimension2, "vector", 31, Call, {{kPoint, kPoint}}, kVector},
        {dimension2, "Region", 82, Call, {{kInteger, kInteger, kInteger, kInteger}}, kNone},
        {dimension2, "Collection", 81, Call, repeatedTail(kPolygon, kVector, 4), kNone},
    };
}

std::vector<ArgumentList> everyCombination(int length, const std::vector<int>& choices)
{
    std::vector<ArgumentList> lists{{}};
    for (int position = 0; position < length; ++position) {
        std::vector<ArgumentList> longer;
        for (const ArgumentList& list : lists) {
            for (int choice : choices) {
                ArgumentList extended = list;
                extended.push_back(choice);
                longer.push_back(std::move(extended));
            }
        }
        lists = std::move(longer);
    }
    return lists;
}

std::vector<ArgumentList> repeatedTail(int first, int repeated, int most)
{
    std::vector<ArgumentList> lists;
    ArgumentList list{first};
    for (int count = 1; count <= most; ++count) {
        list.push_back(repeated);
        lists.push_back(list);
    }
    return lists;
}

} // namespace kestrane::words_data
