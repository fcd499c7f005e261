// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/words_data.h"

namespace kestrane::words_data {

using namespace type;
using enum WordKind;

namespace {

std::vector<WordEntry> dimension3Words()
{
    constexpr WordGroup group = WordGroup::Dimension3;
    return {
        {group, "Coloring", 158, Unchecked, {{kPolyhedron}}, kNone},
        {group, "NoNames", 33, Plain, {}, kNone},
        {group, "RemoveTexts", 177, Plain, {}, kNone},
        {group, "AddEdge", 113, Call, {{kPoint, kPoint}}, kNone},
        {group, "line3D", 116, Call, {{kPoint, kPoint}}, kLine3D},
        {group, "sphere", 84, Call, {{kPoint, kPoint}, {kPoint, kDistance}}, kSphere},
        {group, "Stellated", 139, Call, {{kPolyhedron}}, kPolyhedron},
        {group, "AddTo3DimSet", 164, Call, {{kPoint}, {kPolygon}}, kNone},
        {group, "BuildFromSet", 165, Call, {{}}, kPolyhedron},
        {group, "TruncateVert", 144, Call, {{kPolyhedron}}, kNone},
        {group, "Read3DPolyhedron", 166, Call, {{kString}}, kPolyhedron},
        {group, "WritePolyhedron", 121, Unchecked, {{kPolyhedron, kString}}, kNone},
        {group, "EndOfAllFaces", 97, Control, {}, kNone},
        {group, "Expand", 161, Call, {{kPolyhedron, kDistance}}, kNone},
        {group, "ForAllFaces", 96, Unchecked, {{kPolyhedron}}, kPolygon},
        {group, "CrossSection", 316, Call, {{kPolyhedron, kPlane}}, kPolygon},
        {group,
         "SavePolyhedron",
         147,
         Call,
         {{kPolyhedron, kString, kInteger, kInteger, kInteger, kInteger}},
         kNone},
        {group, "Pictures", 106, Call, {{kInteger, kInteger, kInteger, kInteger, kInteger}}, kNone},
        {group, "PointSymPolygon", 104, Call, {{kPoint, kPolygon}}, kPolygon},
        {group, "PtSymOfLine", 107, Call, {{kPoint, kPoint, kPoint}}, kPoint},
        {group, "Perpendicular1Point", 109, Call, {{kPoint, kPoint, kPoint}}, kPlane},
        {group, "Perpendicular2Points", 108, Call, {{kPoint, kPoint, kPoint}}, kPlane},
        {group, "SymPolygon", 98, Call, {{kPlane, kPolygon}}, kPolygon},
        {group,
         "EquiPolygon",
         95,
         Call,
         {{kCircle, kPoint, kInteger}, {kPlane, kPoint, kPoint, kInteger, kInteger}},
         kPolygon},
        {group, "Template", 110, Call, {{kInteger}}, kNone},
        {group, "AddToTemplate", 111, Call, {{kPolygon}}, kNone},
        {group, "Build", 112, Call, {{kPolyhedron, kInteger}}, kNone},
        {group, "Face", 154, Call, {{kPolyhedron4, kInteger}}, kPolygon4},
        {group, "AddFaces", 94, Call, repeatedTail(kPolyhedron, kPolygon, 6), kNone},
        {group, "polyhedron", 93, Call, {{kPoint}}, kPolyhedron},
        {group, "Inters3Spheres", 86, Call, {{kSphere, kSphere, kSphere, kInteger}}, kPoint},
        {group, "Inters2Spheres", 85, Call, {{kSphere, kSphere}}, kCircle},
        {group, "IntersSpherePlane", 87, Call, {{kSphere, kPlane}, {kPlane, kSphere}}, kCircle},
        {group,
         "Inters2Planes",
         88,
         Call,
         {{kPlane, kPlane}, {kPlane, kCircle}, {kCircle, kPlane}, {kCircle, kCircle}},
         kLine3D},
        {group,
         "Inters3Planes",
         102,
         Call,
         {{kPlane, kPlane, kPlane},
          {kPlane, kPlane, kCircle},
          {kPlane, kCircle, kCircle},
          {kCircle, kCircle, kCircle},
          {kCircle, kPlane, kPlane},
          {kCircle, kCircle, kPlane},
          {kPlane, kCircle, kPlane},
          {kCircle, kPlane, kCircle}},
         kPoint},
        {group,
         "IntersPlaneCircle",
         99,
         Call,
         {{kPlane, kCircle, kInteger}, {kCircle, kPlane, kInteger}},
         kPoint},
        {group,
         "IntersSphereCircle",
         101,
         Call,
         {{kSphere, kCircle, kInteger}, {kCircle, kSphere, kInteger}},
         kPoint},
        // A line in space is the only line of this module; the selector is
        // optional (solution 1 without it).
        {group,
         "IntersSphereLine",
         91,
         Call,
         {{kSphere, kLine3D},
          {kLine3D, kSphere},
          {kSphere, kLine3D, kInteger},
          {kLine3D, kSphere, kInteger}},
         kPoint},
        {group, "rotate", 103, Call, {{kPolyhedron, kInteger, kInteger, kInteger}}, kPoint},
        // Validated as a list of points whatever the kind, like every polygon.
        {group, "polygon", 27, Call, {}, kPolygon},
        {group, "IntersPlaneLine", 89, Call, {{kPlane, kLine3D}, {kLine3D, kPlane}}, kPoint},
        {group, "RemovePolyhedron", 117, Call, {{kPolyhedron}}, kNone},
        {group, "plane", 83, Call, {{kPoint, kPoint, kPoint}}, kPlane},
        {group, "PtOfPolyh", 130, Call, {{kPolyhedron4, kInteger}}, kPoint4},
        {group, "Symmetric", 114, Call, {{kPolygon}}, kNone},
        {group, "PntSymm", 153, Call, {{kPoint, kPoint}}, kPoint},
        {group, "ColorDist", 159, Call, {{kPolyhedron}}, kNone},
        {group, "ShowCrossSect", 118, Call, {{kPolyhedron}}, kPolygon},
        {group, "Information", 156, Call, {{kPolyhedron}, {kPolygon}}, kNone},
        {group, "Net", 136, Call, {{kPolyhedron}}, kPolyhedron},
    };
}

// None of these words is validated; a variable assigned from one of them
// takes the word's result type (its own code when it has none).
std::vector<WordEntry> dimension4Words()
{
    constexpr WordGroup group = WordGroup::Dimension4;
    return {
        {group, "ShowCrossSect", 118, Unchecked, {{kPolyhedron}}, kPolygon},
        {group, "Net", 136, Unchecked, {{kPolytope}}, kPolyhedron},
        {group, "Pyramid", 157, Unchecked, {{kPolyhedron4}}, kPolytope},
        {group, "BuildNet", 140, Unchecked, {{kPolytope}}, kPolyhedron},
        {group, "Antiprism", 162, Unchecked, {{kPolyhedron}}, kPolytope},
        {group, "AddTo4DimSet", 163, Unchecked, {{kPoint4}, {kPolyhedron4}, {kPolyhedron}}, kNone},
        {group, "BuildFromSet", 165, Unchecked, {{}}, kPolytope},
        {group, "Read4DPolyhedron", 122, Unchecked, {{kString}}, kPolyhedron4},
        {group, "ReadPolytope", 138, Unchecked, {{kString}}, kPolytope},
        {group, "WritePolytope", 137, Unchecked, {{kPolytope, kString}}, kNone},
        {group, "CrossSect3D", 126, Unchecked, {{kPolytope, kPlane4}}, kPolyhedron},
        {group, "Build4D", 125, Unchecked, {{kPolytope}}, kNone},
        {group, "polytope", 134, Unchecked, {{kPoint4}, {kPolyhedron4}}, kPolytope},
        {group, "AddCell", 135, Unchecked, {{kPolytope, kPolyhedron4}}, kNone},
        {group,
         "Center5Pts",
         119,
         Unchecked,
         {{kPoint4, kPoint4, kPoint4, kPoint4, kPoint4}},
         kPoint4},
        {group, "Inters4Planes", 152, Unchecked, {{kPlane4, kPlane4, kPlane4, kPlane4}}, kPoint4},
        {group, "Polyh5Pts", 129, Unchecked, {{kPolyhedron4}}, kPolytope},
        {group, "Cell", 155, Unchecked, {{kPolytope, kInteger}}, kPolyhedron4},
        {group,
         "PathOfCross",
         149,
         Unchecked,
         {{kInteger, kInteger, kInteger, kInteger, kInteger}},
         kNone},
        {group, "PlayCross", 145, Unchecked, {{kPolytope}}, kPolyhedron},
        {group,
         "IntersOf4Spheres",
         128,
         Unchecked,
         {{kSphere4, kSphere4, kSphere4, kSphere4, kInteger}},
         kPoint4},
        {group, "OpenPolyhedron", 146, Unchecked, {{kString}}, kPolyhedron},
        {group,
         "SavePolyhedron",
         147,
         Unchecked,
         {{kPolyhedron, kString, kInteger, kInteger, kInteger, kInteger}},
         kNone},
        {group, "Perp3Dplane", 151, Unchecked, {{kPoint4, kPoint4}}, kPlane4},
        {group, "SaveParCross", 150, Unchecked, {{kString, kInteger}}, kNone},
        {group,
         "SaveCross",
         148,
         Unchecked,
         {{kPolytope, kString, kInteger, kInteger, kInteger, kInteger}},
         kNone},
        {group, "Information", 156, Unchecked, {{kPolytope}, {kPolyhedron}, {kPolygon}}, kNone},
        {group, "Face", 154, Unchecked, {{kPolyhedron4, kInteger}}, kPolygon4},
        {group, "PtOfPolyh", 130, Unchecked, {{kPolyhedron4, kInteger}}, kPoint4},
        {group, "PntSymm", 153, Unchecked, {{kPoint4, kPoint4}}, kPoint4},
        {group, "AddFaces", 94, Unchecked, {}, kNone},
        {group, "rotate", 103, Unchecked, {{kPolyhedron, kInteger, kInteger, kInteger}}, kNone},
        {group, "RemovePolyhedron", 117, Unchecked, {{kPolyhedron}}, kNone},
        // The type words of this module: declaring a parameter `point`,
        // `polyhedron`, `plane`, `polygon` or `sphere` here gives the
        // four-dimensional type.
        {group, "point", kPoint4, Unchecked, {{kInteger, kInteger, kInteger, kInteger}}, kPoint4},
        {group, "polyhedron", kPolyhedron4, Unchecked, {}, kPolyhedron4},
        {group, "plane", kPlane4, Unchecked, {}, kPlane4},
        {group, "polygon", kPolygon4, List, {}, kPolygon4},
        {group, "sphere", kSphere4, Unchecked, {}, kSphere4},
    };
}

} // namespace

std::vector<WordEntry> spaceWords()
{
    std::vector<WordEntry> words = dimension3Words();
    for (WordEntry& entry : dimension4Words())
        words.push_back(std::move(entry));
    return words;
}

} // namespace kestrane::words_data
