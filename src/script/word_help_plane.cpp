// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_help_data.h"

namespace kestrane::word_help_data {

std::vector<WordHelp> planeHelp()
{
    constexpr WordGroup kestrane = WordGroup::Kestrane;
    constexpr WordGroup dimension2 = WordGroup::Dimension2;
    return {
        {kestrane, "line", "The line through two points.",
         "A=point(100,100)\nB=point(300,200)\nl=line(A,B)"},
        {kestrane, "distance", "The distance between two points, as a value to draw or to use as a radius.",
         "A=point(100,100)\nB=point(300,200)\nd=distance(A,B)"},
        {kestrane, "segment", "The segment between two points.",
         "A=point(100,100)\nB=point(300,200)\ns=segment(A,B)"},
        {kestrane, "HalfLine", "The half-line that starts at the first point and passes through the second.",
         "A=point(100,100)\nB=point(300,200)\nh=HalfLine(A,B)"},
        {kestrane, "circle",
         "The circle with the first point as centre, through the second point or with a distance as radius.",
         "M=point(200,200)\nP=point(260,200)\nk=circle(M,P)\nd=distance(M,P)\nc=circle(P,d)"},
        {kestrane, "Between", "Condition of `if`: the first point lies in the box spanned by the other two.",
         "A=point(100,100)\nB=point(200,150)\nC=point(300,200)\nif Between(B,A,C) then StartIf\nText(20,20,$B lies between)\nEndOfIf"},
        {kestrane, "NotBetween", "Condition of `if`: the first point lies outside the box spanned by the other two.",
         "A=point(100,100)\nB=point(400,150)\nC=point(300,200)\nif NotBetween(B,A,C) then StartIf\nText(20,20,$B lies outside)\nEndOfIf"},
        {kestrane, "TwoSides", "Condition of `if`: the two points lie on different sides of the line.",
         "A=point(100,300)\nB=point(500,300)\nl=line(A,B)\nP=point(200,100)\nQ=point(200,400)\nif TwoSides(l,P,Q) then StartIf\nText(20,20,$two sides)\nEndOfIf"},
        {kestrane, "OneSide", "Condition of `if`: the two points lie on the same side of the line.",
         "A=point(100,300)\nB=point(500,300)\nl=line(A,B)\nP=point(200,100)\nQ=point(300,100)\nif OneSide(l,P,Q) then StartIf\nText(20,20,$one side)\nEndOfIf"},
        {kestrane, "IntersCircLin", "An intersection point of a circle and the line through a line, segment or half-line; the integer 1 or 2 chooses which one.",
         "M=point(200,200)\nP=point(300,200)\nk=circle(M,P)\nA=point(0,220)\nB=point(400,220)\nl=line(A,B)\nS=IntersCircLin(k,l,1)"},
        {kestrane, "Inters2Circ", "An intersection point of two circles; the integer 1 or 2 chooses which one.",
         "A=point(200,200)\nB=point(300,200)\nk1=circle(A,B)\nk2=circle(B,A)\nS=Inters2Circ(k1,k2,2)"},
        {kestrane, "Inters2Lin", "The intersection point of the lines through two lines, segments or half-lines.",
         "A=point(100,100)\nB=point(300,300)\nC=point(100,300)\nD=point(300,100)\nl=line(A,B)\ns=segment(C,D)\nS=Inters2Lin(l,s)"},
        {kestrane, "RemoveLine", "Removes a line from the drawing, whatever names it has.",
         "A=point(100,100)\nB=point(300,200)\nl=line(A,B)\nRemoveLine(l)"},
        {kestrane, "NoNames", "Objects made afterwards do not show their labels.",
         "NoNames\nA=point(100,100)"},
        {kestrane, "RemoveTexts", "Removes the texts made by `Text` and `DrawDist`.",
         "Text(20,20,$draft)\nRemoveTexts"},
        {kestrane, "name", "`name(X)=yes` shows the label of a point, segment, line, half-line or circle; `=no` hides it.",
         "NoNames\nA=point(100,100)\nname(A)=yes"},
        {kestrane, "PntSymm",
         "Reserved in the plane modules: the point reflection exists only in space and four dimensions, so every call is refused here.",
         "// PntSymm is refused in this module"},
        {kestrane, "ColorDist", "Reserved in the plane modules; it takes a polyhedron, which a plane program cannot make.",
         "// ColorDist needs a polyhedron of the space modules"},
        {kestrane, "SetName", "Replaces the automatic label of a point, segment, line, half-line or circle by the text after `$` (letters, digits and spaces).",
         "A=point(100,100)\nSetName(A,$Start)\nB=point(300,200)\nl=line(A,B)\nSetName(l,$L12)"},
        {kestrane, "DrawDist", "Writes a text followed by the value of a distance at (x, y).",
         "A=point(100,100)\nB=point(400,500)\nd=distance(A,B)\nDrawDist(20,40,$AB=,d)"},
        {kestrane, "polygon", "The polygon with the given points as vertices, in order.",
         "A=point(100,100)\nB=point(300,100)\nC=point(200,250)\nT=polygon(A,B,C)"},

        {dimension2, "Move", "A copy of the polygon moved by the vector.",
         "A=point(100,100)\nB=point(200,100)\nC=point(150,180)\nT=polygon(A,B,C)\nv=vector(A,B)\nT2=Move(T,v)"},
        {dimension2, "vector", "The vector from the first point to the second.",
         "A=point(100,100)\nB=point(200,150)\nv=vector(A,B)"},
        {dimension2, "Region", "Sets the rectangle (x1, y1, x2, y2) that `Collection` fills.",
         "Region(0,0,600,400)"},
        {dimension2, "Collection",
         "Fills the region with copies of the polygon moved by one to four vectors (a tiling).",
         "Region(0,0,400,300)\nA=point(100,100)\nB=point(150,100)\nC=point(150,150)\nD=point(100,150)\nq=polygon(A,B,C,D)\nu=vector(A,B)\nv=vector(A,D)\nCollection(q,u,v)"},
    };
}

} // namespace kestrane::word_help_data
