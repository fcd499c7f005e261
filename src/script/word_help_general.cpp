// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_help_data.h"

namespace kestrane::word_help_data {

namespace {

constexpr ModuleSet kPlaneAndSpace = kPlaneModules | kSpaceModules;
constexpr ModuleSet kNotPlane = static_cast<ModuleSet>(~kPlaneModules);
constexpr ModuleSet kGraphModules =
    static_cast<ModuleSet>(~(kPlaneModules | kSpaceModules | kFourDimensionModules));

constexpr std::string_view kRefused = "// reserved here; every call is refused";

void addVertexHelp(std::vector<WordHelp>& help)
{
    constexpr WordGroup group = WordGroup::General;
    help.push_back({group, "vertex", "The point at the n-th vertex of a polygon, counted from 0.",
                    "A=point(100,100)\nB=point(300,100)\nC=point(200,250)\nT=polygon(A,B,C)\nV=vertex(T,2)",
                    kPlaneAndSpace});
    help.push_back({group, "vertex", "The four-dimensional point at the n-th vertex of a polygon4, counted from 0.",
                    "A=point(0,0,0,0)\nB=point(100,0,0,0)\nC=point(0,100,0,0)\nT=polygon(A,B,C)\nV=vertex(T,1)",
                    kFourDimensionModules});
    help.push_back({group, "vertex", "Reserved; this module has no polygons, so every call is refused.",
                    kRefused, kOtherModules});
    for (std::string_view word : {"StartIf", "then"}) {
        std::string_view description = word == "then"
                                           ? "Ends the condition of `if`; it must stand on the `if` line."
                                           : "Opens the block of an `if`, after `then`; `EndOfIf` closes it.";
        help.push_back({group, word, description,
                        "A=point(100,100)\nB=point(100,100)\nif A==B then StartIf\nText(20,20,$equal)\nEndOfIf",
                        kPlaneAndSpace});
        help.push_back({group, word, description,
                        "A=point(0,0,0,0)\nB=point(0,0,0,0)\nif A==B then StartIf\nText(20,20,$equal)\nEndOfIf",
                        kFourDimensionModules});
        help.push_back({group, word, description, "r=Rectangle(0,0,100,100)\ns=Rectangle(0,0,100,100)\nif r==s then StartIf\nText(20,20,$equal)\nEndOfIf",
                        kOtherModules});
    }
}

} // namespace

std::vector<WordHelp> generalHelp()
{
    constexpr WordGroup group = WordGroup::General;
    std::vector<WordHelp> help{
        {group, "Color", "`Color(X)=c` draws a line, segment, circle, half-line or rectangle in the colour c (a colour word or RGB(r,g,b)).",
         "A=point(100,100)\nB=point(300,200)\nl=line(A,B)\nColor(l)=red"},
        {group, "Remove", "Drops the name of a point, line, half-line, circle, segment or polygon; the object goes when it has no other name.",
         "A=point(100,100)\nB=point(300,200)\nk=circle(A,B)\nRemove(k)"},
        {group, "String", "A string variable holding the text after `$`, for `Text` and `Title`, or the name of a file for the words that read one (digits and `_` allowed).",
         "s=String($Pythagoras)\nText(20,20,s)"},
        {group, "sqrt", "Accepted and read, but changes nothing; kept for old programs.",
         "A=point(100,100)\nB=point(300,200)\nd=distance(A,B)\nsqrt(d)"},
        {group, "fill", "`fill(p)=c` fills a polygon with the colour c.",
         "A=point(100,100)\nB=point(300,100)\nC=point(200,250)\nT=polygon(A,B,C)\nfill(T)=yellow"},
        {group, "Inters", "The intersection of two lines, or of a circle and a line or two circles (then the integer 1 or 2 chooses the point).",
         "A=point(200,200)\nB=point(300,200)\nk=circle(A,B)\nl=line(A,B)\nS=Inters(k,l,1)",
         kPlaneModules},
        {group, "Inters", "Reserved outside the plane modules; every call is refused.", kRefused, kNotPlane},
        {group, "RemoveCircle", "Drops the name of a circle; the circle goes when it has no other name.",
         "A=point(100,100)\nB=point(300,200)\nk=circle(A,B)\nRemoveCircle(k)"},
        {group, "RemovePolygon", "Removes a polygon from the drawing.",
         "A=point(100,100)\nB=point(300,100)\nC=point(200,250)\nT=polygon(A,B,C)\nRemovePolygon(T)"},
        {group, "RemovePoint", "Drops the name of a point; the point goes when it has no other name.",
         "A=point(100,100)\nRemovePoint(A)"},
        {group, "if", "`if CONDITION then StartIf` runs the lines up to `EndOfIf` only when the condition holds: `a==b` of two variables, or a test such as `TwoSides`.",
         "A=point(100,100)\nB=point(100,100)\nif A==B then StartIf\nText(20,20,$the same point)\nEndOfIf"},
        {group, "EndOfIf", "Closes the block that `if ... then StartIf` opened.",
         "A=point(100,100)\nB=point(200,100)\nif A==B then StartIf\nText(20,20,$equal)\nEndOfIf"},
        {group, "return", "Ends a procedure and hands the object back as the procedure's result.",
         "point middle(point P, point Q)\nk1=circle(P,Q)\nk2=circle(Q,P)\nS=Inters2Circ(k1,k2,1)\nT=Inters2Circ(k1,k2,2)\nl=line(S,T)\nm=line(P,Q)\nM=Inters2Lin(l,m)\nreturn(M)\nEND\nvoid start()\nA=point(100,100)\nB=point(300,100)\nM=middle(A,B)\nEND",
         kPlaneModules | kSpaceModules},
        {group, "return", "Reserved: it would hand a point back, and this module has no points, so every call is refused.",
         kRefused,
         kGraphModules},
        {group, "return", "Ends a procedure and hands the object back as its result.",
         "point origin()\nP=point(0,0,0,0)\nreturn(P)\nEND\nvoid start()\nO=origin()\nEND",
         kFourDimensionModules},
        {group, "Center", "Accepted in the plane modules, but it makes nothing there: centres are made in space and four dimensions.",
         "A=point(100,100)\nB=point(300,100)\nC=point(200,250)\nT=polygon(A,B,C)\nCenter(T)", kPlaneModules},
        {group, "Center", "The centre of a polyhedron or a polygon.",
         "A=point(0,0,0)\nB=point(200,0,0)\nC=point(0,200,0)\nT=polygon(A,B,C)\nM=Center(T)",
         kSpaceModules},
        {group, "Center", "The centre of a polyhedron4, polygon4 or polytope.",
         "A=point(0,0,0,0)\nB=point(100,0,0,0)\nC=point(0,100,0,0)\nT=polygon(A,B,C)\nM=Center(T)",
         kFourDimensionModules},
        {group, "Center", "Reserved; this module has no solids, so every call is refused.", kRefused, kOtherModules},
        {group, "RGB", "The colour with the given red, green and blue parts (0 to 255), as the value of `Color` or `fill`.",
         "A=point(100,100)\nB=point(300,200)\nl=line(A,B)\nColor(l)=RGB(0,128,255)"},
        {group, "Play", "Turns a polyhedron in the space view: start angles and the degrees added on each tick.",
         "M=point(200,200,100)\nP=polyhedron(M)\nPlay(P,4,6,0)", kEveryModule, 503},
        {group, "point", "The point at (x, y); the coordinates are whole or decimal numbers, every digit kept.", "A=point(100,200)\nB=point(150.25,-20.5)", kPlaneModules},
        {group, "point", "The point at (x, y, z).", "A=point(100,200,50)", kSpaceModules},
        {group, "point", "The four-dimensional point at (x, y, z, w); the coordinates are whole or decimal numbers, every digit kept.", "A=point(100,200,50,10)\nB=point(1.9,2.5,-3.75,0.5)", kFourDimensionModules},
        {group, "point", "Reserved; this module has no points, so every call is refused.", kRefused, kOtherModules},
        {group, "END", "Ends a procedure.", "A=point(100,100)"},
        {group, "#include", "At the top of a file: `#include <file.ksu>` makes the procedures of an include file available.",
         "// #include <geometry.ksu> stands above the procedures"},
        {group, "Dimension2", "The value of `Module=` that switches to the plane module with vectors and tilings.",
         "// Module=Dimension2 stands on the first line"},
        {group, "Dimension3", "The value of `Module=` that switches to the space module.",
         "// Module=Dimension3 stands on the first line"},
        {group, "Dimension4", "The value of `Module=` that switches to the four-dimensional module.",
         "// Module=Dimension4 stands on the first line"},
        {group, "Kestrane", "The value of `Module=` that switches to the basic plane module.",
         "// Module=Kestrane stands on the first line"},
        {group, "Text", "Writes a text (after `$`, or a string variable) at (x, y).", "Text(20,20,$Hello)"},
        {group, "Title", "Writes a title (after `$`, or a string variable) at (x, y).", "Title(200,20,$Triangles)"},
        {group, "Module", "`Module=NAME` on the first line sets the module the program is checked and run in.",
         "// Module=Dimension3 stands on the first line"},
        {group, "void", "The result type of a procedure that returns nothing.",
         "void mark(point P)\nText(20,20,$marked)\nEND\nvoid start()\nA=point(100,100)\nmark(A)\nEND"},
        {group, "Break", "Pauses the run until the space bar is pressed.", "A=point(100,100)\nBreak(1)\nB=point(200,100)"},
    };
    addVertexHelp(help);
    return help;
}

} // namespace kestrane::word_help_data
