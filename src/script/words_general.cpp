// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/words_data.h"

namespace kestrane::words_data {

using namespace type;
using enum WordKind;

namespace {

const std::vector<ArgumentList> kReturnLists{{kPoint},  {kSegment}, {kLine},   {kHalfLine},
                                             {kCircle}, {kPolygon}, {kSphere}, {kDistance}};
const std::vector<ArgumentList> kCenterLists{
    {kPolyhedron}, {kPolyhedron4}, {kPolyhedron4, kInteger}, {kPolygon4}, {kPolytope}, {kPolygon}};
const std::vector<ArgumentList> kTextLists{{kInteger, kInteger, kString},
                                           {kInteger, kInteger, kText}};

// `vertex`, and `StartIf` and `then`, which carry its code.
void addVertexWords(std::vector<WordEntry>& words)
{
    constexpr WordGroup group = WordGroup::General;
    for (std::string_view word : {"vertex", "StartIf", "then"}) {
        words.push_back(
            {group, word, 34, Call, {{kPolygon, kInteger}}, kPoint, kPlaneModules | kSpaceModules});
        words.push_back(
            {group, word, 34, Call, {{kPolygon4, kInteger}}, kPoint4, kFourDimensionModules});
        words.push_back({group, word, 34, Call, {}, kNone, kOtherModules});
    }
}

} // namespace

// In lookup order: a module's own tables come first, so a general word is
// found only when the module does not define it.
std::vector<WordEntry> generalWords()
{
    constexpr WordGroup group = WordGroup::General;
    std::vector<WordEntry> words{
        {group,
         "Color",
         18,
         Attribute,
         {{kLine}, {kSegment}, {kCircle}, {kHalfLine}, {kRectangle}},
         kNone},
        {group,
         "Remove",
         26,
         Call,
         {{kPoint}, {kLine}, {kHalfLine}, {kCircle}, {kSegment}, {kPolygon}},
         kNone},
        {group, "String", 123, Call, {{kString}, {kText}}, kString},
        {group, "sqrt", 160, Unchecked, {{kDistance}}, kNone},
        {group, "fill", 28, Attribute, {{kPolygon}}, kNone},
        {group,
         "Inters",
         71,
         Call,
         {{kLine, kLine}, {kCircle, kLine, kInteger}, {kCircle, kCircle, kInteger}},
         kPoint,
         kPlaneModules},
        {group, "Inters", 71, Call, {}, kPoint, static_cast<ModuleSet>(~kPlaneModules)},
        {group, "RemoveCircle", 100, Call, {{kCircle}}, kNone},
        {group, "RemovePolygon", 61, Call, {{kPolygon}}, kNone},
        {group, "RemovePoint", 90, Call, {{kPoint}}, kNone},
        {group, "if", 21, Control, {}, kNone},
        {group, "EndOfIf", 23, Control, {}, kNone},
        {group, "return", 25, Call, kReturnLists, kNone, kPlaneModules | kSpaceModules},
        {group,
         "return",
         25,
         Call,
         {{kPoint}},
         kNone,
         static_cast<ModuleSet>(~(kPlaneModules | kSpaceModules | kFourDimensionModules))},
        {group,
         "return",
         25,
         Call,
         {{kPoint4}, {kPolygon4}, {kPolyhedron4}, {kPolytope}, {kPlane4}, {kSphere4},
          {kPolyhedron}, {kDistance}},
         kNone,
         kFourDimensionModules},
        {group, "Center", 115, Call, kCenterLists, kNone, kPlaneModules},
        {group, "Center", 115, Call, kCenterLists, kPoint, kSpaceModules},
        {group, "Center", 115, Call, kCenterLists, kPoint4, kFourDimensionModules},
        {group, "Center", 115, Call, kCenterLists, kNone, kOtherModules},
        {group, "RGB", 317, Unchecked, {{kInteger, kInteger, kInteger}}, kColour},
        {group, "Play", 105, Call, {{kPolyhedron, kInteger, kInteger, kInteger}}, kNone},
        {group,
         "point",
         16,
         Call,
         {{kInteger, kInteger}, {kDecimal, kDecimal}, {kDecimal, kInteger}, {kInteger, kDecimal}},
         kPoint,
         kPlaneModules},
        {group, "point", 16, Call, {{kInteger, kInteger, kInteger}}, kPoint, kSpaceModules},
        {group,
         "point",
         16,
         Call,
         {{kInteger, kInteger, kInteger, kInteger}},
         kPoint4,
         kFourDimensionModules},
        {group, "point", 16, Call, {}, kNone, kOtherModules},
        {group, "END", 141, Control, {}, kNone},
        {group, "#include", 143, Directive, {}, kNone},
        {group, "Dimension2", 502, Directive, {}, kNone},
        {group, "Dimension3", 503, Directive, {}, kNone},
        {group, "Dimension4", 604, Directive, {}, kNone},
        {group, "Kestrane", 501, Directive, {}, kNone},
        {group, "Text", 176, Call, kTextLists, kNone},
        {group, "Title", 179, Call, kTextLists, kNone},
        {group, "Module", 92, Directive, {}, kNone},
        {group, "void", 24, Control, {}, kNone},
        {group, "Break", 178, Call, {{kInteger}}, kNone},
    };
    addVertexWords(words);
    return words;
}

} // namespace kestrane::words_data
