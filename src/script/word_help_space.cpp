// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/word_help_data.h"

namespace kestrane::word_help_data {

namespace {

// The examples are kept as whole strings so that they read as programs.
#define KESTRANE_TRIANGLE "A=point(0,0,0)\nB=point(200,0,0)\nC=point(0,200,0)\n"
#define KESTRANE_TETRAHEDRON                                                                        \
    "A=point(0,0,0)\nB=point(200,0,0)\nC=point(0,200,0)\nD=point(0,0,200)\nM=point(50,50,50)\n"  \
    "f1=polygon(A,B,C)\nf2=polygon(A,B,D)\nf3=polygon(A,C,D)\nf4=polygon(B,C,D)\n"              \
    "T=polyhedron(M)\nAddFaces(T,f1,f2,f3,f4)\n"
#define KESTRANE_TESSERACT_CELL                                                                     \
    "A=point(0,0,0,0)\nB=point(100,0,0,0)\nC=point(0,100,0,0)\nM=point(30,30,0,0)\n"
// A polytope with one cell read from a file, and its section P by a hyperplane.
#define KESTRANE_POLYTOPE                                                                           \
    "M=point(0,0,0,0)\nN=point(50,0,0,0)\ncell=Read4DPolyhedron($cube.ph4)\nT=polytope(M)\n"      \
    "AddCell(T,cell)\nBuild4D(T)\nacross=Perp3Dplane(M,N)\nP=CrossSect3D(T,across)\n"

std::vector<WordHelp> dimension3Help()
{
    constexpr WordGroup group = WordGroup::Dimension3;
    return {
        {group, "Coloring", "Colours the faces of a polyhedron so that neighbouring faces differ.",
         KESTRANE_TETRAHEDRON "Coloring(T)"},
        {group, "NoNames", "Objects made afterwards do not show their labels.", "NoNames\nA=point(0,0,0)"},
        {group, "RemoveTexts", "Removes the texts made by `Text`.", "Text(20,20,$draft)\nRemoveTexts"},
        {group, "AddEdge", "Adds the edge between two points to the set of edges drawn.",
         KESTRANE_TRIANGLE "AddEdge(A,B)"},
        {group, "line3D", "The line in space through two points.", KESTRANE_TRIANGLE "l=line3D(A,B)"},
        {group, "sphere", "The sphere with the first point as centre, through the second point or with a distance as radius.",
         KESTRANE_TRIANGLE "s=sphere(A,B)\nd=150.5\nt=sphere(B,d)"},
        {group, "Stellated", "A new polyhedron with a pyramid on every face.", KESTRANE_TETRAHEDRON "S=Stellated(T)"},
        {group, "AddTo3DimSet", "Adds a point or a polygon to the set that `BuildFromSet` closes into a polyhedron.",
         KESTRANE_TRIANGLE "AddTo3DimSet(A)\nt=polygon(A,B,C)\nAddTo3DimSet(t)"},
        {group, "BuildFromSet", "The convex polyhedron around the points and polygons added with `AddTo3DimSet`.",
         KESTRANE_TRIANGLE "D=point(0,0,200)\nAddTo3DimSet(A)\nAddTo3DimSet(B)\nAddTo3DimSet(C)\nAddTo3DimSet(D)\nhull=BuildFromSet()"},
        {group, "TruncateVert", "Cuts off the vertices of a polyhedron.", KESTRANE_TETRAHEDRON "TruncateVert(T)"},
        {group, "Read3DPolyhedron", "A polyhedron read from a polyhedron file.", "name=String($cube.ph3)\ncube=Read3DPolyhedron(name)"},
        {group, "WritePolyhedron", "Writes a polyhedron to a file, inside the program's folder or the working directory.", KESTRANE_TETRAHEDRON "WritePolyhedron(T,$tetra.ph3)"},
        {group, "EndOfAllFaces", "Ends the body of a `ForAllFaces` loop.",
         KESTRANE_TETRAHEDRON "side=ForAllFaces(T) StartAllFaces\nfill(side)=green\nEndOfAllFaces"},
        {group, "Expand", "Scales a polyhedron about its centre by the value of a distance.",
         KESTRANE_TETRAHEDRON "d=1.5\nExpand(T,d)"},
        {group, "ForAllFaces", "`f=ForAllFaces(P) StartAllFaces` runs the lines up to `EndOfAllFaces` once for every face f of P.",
         KESTRANE_TETRAHEDRON "side=ForAllFaces(T) StartAllFaces\nc=Center(side)\nEndOfAllFaces"},
        {group, "CrossSection", "The polygon in which a plane cuts a polyhedron.",
         KESTRANE_TETRAHEDRON "P=point(20,0,0)\nQ=point(20,200,0)\nR=point(20,0,200)\ncut=plane(P,Q,R)\nS=CrossSection(T,cut)"},
        {group, "SavePolyhedron", "Writes the turning polyhedron as a frame file: file name, x angle step, z angle, y angle step, number of frames.",
         KESTRANE_TETRAHEDRON "SavePolyhedron(T,$turn.frm,5,5,0,36)"},
        {group, "Pictures", "Sets the rectangle (x1, y1, x2, y2) and the number of pictures of the construction window's picture show.",
         "Pictures(100,100,300,250,12)"},
        {group, "PointSymPolygon", "The polygon symmetric to a polygon about a point.",
         KESTRANE_TRIANGLE "t=polygon(A,B,C)\nO=point(300,300,0)\nu=PointSymPolygon(O,t)"},
        {group, "PtSymOfLine", "The point symmetric to the first point about the line through the other two.",
         KESTRANE_TRIANGLE "P=PtSymOfLine(C,A,B)"},
        {group, "Perpendicular1Point", "The plane through the first point perpendicular to the line through the other two.",
         KESTRANE_TRIANGLE "p=Perpendicular1Point(C,A,B)"},
        {group, "Perpendicular2Points", "The plane through the first and third points perpendicular to the plane of all three.",
         KESTRANE_TRIANGLE "p=Perpendicular2Points(A,B,C)"},
        {group, "SymPolygon", "The polygon symmetric to a polygon about a plane.",
         KESTRANE_TRIANGLE "t=polygon(A,B,C)\nD=point(0,0,200)\np=plane(A,B,D)\nu=SymPolygon(p,t)"},
        {group, "EquiPolygon", "A regular polygon: on a circle from a point with n vertices, or in a plane from two points.",
         KESTRANE_TRIANGLE "p=plane(A,B,C)\nh=EquiPolygon(p,A,B,6,1)"},
        {group, "Template", "Starts a new template of faces for `Build`, with room for the given number of polygons.",
         "Template(2)"},
        {group, "AddToTemplate", "Adds a polygon to the current template.",
         KESTRANE_TRIANGLE "t=polygon(A,B,C)\nTemplate(1)\nAddToTemplate(t)"},
        {group, "Build", "Grows a polyhedron from the template, in at most the given number of steps.",
         KESTRANE_TETRAHEDRON "Template(1)\nAddToTemplate(f1)\nBuild(T,20)"},
        {group, "Face", "Reserved in space: a face of a four-dimensional polyhedron, which this module cannot make.",
         "// Face takes a polyhedron4 of the four-dimensional module"},
        {group, "AddFaces", "Adds one to six polygons to a polyhedron as faces.", KESTRANE_TETRAHEDRON},
        {group, "polyhedron", "A new empty polyhedron with the point as its centre; `AddFaces` gives it faces.",
         "M=point(100,100,100)\nP=polyhedron(M)"},
        {group, "Inters3Spheres", "A common point of three spheres; the integer 1 or 2 chooses which one.",
         KESTRANE_TRIANGLE "D=point(200,200,0)\ns1=sphere(A,D)\ns2=sphere(B,C)\ns3=sphere(C,B)\nS=Inters3Spheres(s1,s2,s3,1)"},
        {group, "Inters2Spheres", "The circle in which two spheres meet.",
         KESTRANE_TRIANGLE "s1=sphere(A,B)\ns2=sphere(B,A)\nk=Inters2Spheres(s1,s2)"},
        {group, "IntersSpherePlane", "The circle in which a plane cuts a sphere.",
         KESTRANE_TRIANGLE "s=sphere(A,B)\np=plane(A,B,C)\nk=IntersSpherePlane(s,p)"},
        {group, "Inters2Planes", "The line in which two planes (or the planes of circles) meet.",
         KESTRANE_TRIANGLE "D=point(0,0,200)\np=plane(A,B,C)\nq=plane(A,B,D)\nl=Inters2Planes(p,q)"},
        {group, "Inters3Planes", "The common point of three planes (or the planes of circles).",
         KESTRANE_TRIANGLE "D=point(0,0,200)\np=plane(A,B,C)\nq=plane(A,B,D)\nr=plane(A,C,D)\nS=Inters3Planes(p,q,r)"},
        {group, "IntersPlaneCircle", "An intersection point of a plane and a circle; the integer 1 or 2 chooses which one.",
         KESTRANE_TRIANGLE "D=point(0,0,200)\ns1=sphere(A,B)\ns2=sphere(B,A)\nk=Inters2Spheres(s1,s2)\np=plane(A,B,D)\nS=IntersPlaneCircle(p,k,1)"},
        {group, "IntersSphereCircle", "An intersection point of a sphere and a circle; the integer 1 or 2 chooses which one.",
         KESTRANE_TRIANGLE "s1=sphere(A,B)\ns2=sphere(B,A)\nk=Inters2Spheres(s1,s2)\ns3=sphere(C,A)\nS=IntersSphereCircle(s3,k,1)"},
        {group, "IntersSphereLine", "An intersection point of a sphere and a line in space; the optional integer 1 or 2 chooses which one.",
         KESTRANE_TRIANGLE "s=sphere(A,B)\nl=line3D(A,C)\nS=IntersSphereLine(s,l,2)"},
        {group, "rotate", "Sets the three turning angles of the space view, in degrees.", KESTRANE_TETRAHEDRON "rotate(T,30,20,0)"},
        {group, "polygon", "The polygon with the given points as vertices, in order.", KESTRANE_TRIANGLE "t=polygon(A,B,C)"},
        {group, "IntersPlaneLine", "The point in which a line meets a plane.",
         KESTRANE_TRIANGLE "D=point(50,50,200)\np=plane(A,B,C)\nl=line3D(D,A)\nS=IntersPlaneLine(p,l)"},
        {group, "RemovePolyhedron", "Removes a polyhedron.", KESTRANE_TETRAHEDRON "RemovePolyhedron(T)"},
        {group, "plane", "The plane through three points.", KESTRANE_TRIANGLE "p=plane(A,B,C)"},
        {group, "PtOfPolyh", "Reserved in space: a vertex of a four-dimensional polyhedron, which this module cannot make.",
         "// PtOfPolyh takes a polyhedron4 of the four-dimensional module"},
        {group, "Symmetric", "Marks a polygon as symmetric, so that `Build` treats it so.",
         KESTRANE_TRIANGLE "t=polygon(A,B,C)\nSymmetric(t)"},
        {group, "PntSymm", "The point symmetric to the first point about the second.", KESTRANE_TRIANGLE "P=PntSymm(B,A)"},
        {group, "ColorDist", "Colours congruent faces of a polyhedron alike.", KESTRANE_TETRAHEDRON "ColorDist(T)"},
        {group, "ShowCrossSect", "Shows the polyhedron's cross-section in true shape and removes the polyhedron.",
         KESTRANE_TETRAHEDRON "S=ShowCrossSect(T)"},
        {group, "Information", "Shows the numbers of vertices, edges and faces of a polyhedron or polygon.",
         KESTRANE_TETRAHEDRON "Information(T)"},
        {group, "Net", "The net of a polyhedron, unfolded into a plane.", KESTRANE_TETRAHEDRON "N=Net(T)"},
    };
}

std::vector<WordHelp> dimension4Help()
{
    constexpr WordGroup group = WordGroup::Dimension4;
    return {
        {group, "ShowCrossSect", "Shows a polyhedron's cross-section in true shape.", KESTRANE_POLYTOPE "S=ShowCrossSect(P)"},
        {group, "Net", "The net of a polytope: its cells unfolded into space.", KESTRANE_POLYTOPE "K=Net(T)"},
        {group, "Pyramid", "The polytope that is the pyramid over a cell.", KESTRANE_POLYTOPE "Q=Pyramid(cell)"},
        {group, "BuildNet", "Builds the net of a polytope cell by cell.", KESTRANE_POLYTOPE "K=BuildNet(T)"},
        {group, "Antiprism", "The polytope that is the antiprism over a polyhedron.", KESTRANE_POLYTOPE "Q=Antiprism(P)"},
        {group, "AddTo4DimSet", "Adds a point4, a polyhedron4 or a polyhedron to the set that `BuildFromSet` closes.",
         KESTRANE_TESSERACT_CELL "AddTo4DimSet(A)"},
        {group, "BuildFromSet", "The polytope around the objects added with `AddTo4DimSet`.",
         KESTRANE_TESSERACT_CELL "AddTo4DimSet(A)\nAddTo4DimSet(B)\nT=BuildFromSet()"},
        {group, "Read4DPolyhedron", "A cell (polyhedron4) read from a cell file.", "cell=Read4DPolyhedron($cube.ph4)"},
        {group, "ReadPolytope", "A polytope read from a polytope file.", "T=ReadPolytope($tesseract.pt4)"},
        {group, "WritePolytope", "Writes a polytope to a file.", KESTRANE_POLYTOPE "WritePolytope(T,$out.pt4)"},
        {group, "CrossSect3D", "The polyhedron in which a hyperplane cuts a polytope, shown in the space view.",
         KESTRANE_POLYTOPE "S=CrossSect3D(T,across)"},
        {group, "Build4D", "Completes a polytope from its cells.", "M=point(0,0,0,0)\ncell=Read4DPolyhedron($cube.ph4)\nT=polytope(M)\nAddCell(T,cell)\nBuild4D(T)"},
        {group, "polytope", "A new polytope around a centre point4, or from a first cell.",
         KESTRANE_TESSERACT_CELL "T=polytope(M)"},
        {group, "AddCell", "Appends a cell to a polytope.", "M=point(0,0,0,0)\ncell=Read4DPolyhedron($cube.ph4)\nT=polytope(M)\nAddCell(T,cell)"},
        {group, "Center5Pts", "The point4 at the centre determined by five points.",
         KESTRANE_TESSERACT_CELL "D=point(0,0,100,0)\nE=point(0,0,0,100)\nK=Center5Pts(A,B,C,D,E)"},
        {group, "Inters4Planes", "The common point of four hyperplanes.", KESTRANE_TESSERACT_CELL "D=point(0,0,100,0)\np=Perp3Dplane(M,A)\nq=Perp3Dplane(M,B)\nr=Perp3Dplane(M,C)\ns=Perp3Dplane(M,D)\nS=Inters4Planes(p,q,r,s)"},
        {group, "Polyh5Pts", "The polytope built on the five points of a cell.", KESTRANE_POLYTOPE "Q=Polyh5Pts(cell)"},
        {group, "Cell", "The cell of a polytope with the given number.", KESTRANE_POLYTOPE "c=Cell(T,1)"},
        {group, "PathOfCross", "Sets the path along which `PlayCross` moves the cutting hyperplane.", "PathOfCross(1,1,1,1,12)"},
        {group, "PlayCross", "Plays the cross-sections of a polytope along the path.", KESTRANE_POLYTOPE "PathOfCross(1,1,1,1,12)\nS=PlayCross(T)"},
        {group, "IntersOf4Spheres", "A common point of four hyperspheres; the integer 1 or 2 chooses which one.",
         "S=IntersOf4Spheres(s1,s2,s3,s4,1)"},
        {group, "OpenPolyhedron", "Reads a polyhedron file into memory.", "P=OpenPolyhedron($cube.ph3)"},
        {group, "SavePolyhedron", "Writes the turning polyhedron as a frame file: file name, x angle step, z angle, y angle step, number of frames.", KESTRANE_POLYTOPE "SavePolyhedron(P,$turn.frm,5,5,0,36)"},
        {group, "Perp3Dplane", "The hyperplane through the second point perpendicular to the direction from the first.",
         KESTRANE_TESSERACT_CELL "across=Perp3Dplane(A,B)"},
        {group, "SaveParCross", "Writes parallel cross-sections as a frame file.", "SaveParCross($layers.frm,10)"},
        {group, "SaveCross", "Writes the moving cross-sections of a polytope as a frame file.", KESTRANE_POLYTOPE "SaveCross(T,$cross.frm,1,1,1,12)"},
        {group, "Information", "Shows the numbers of cells, faces, edges and vertices of an object.", KESTRANE_POLYTOPE "Information(T)"},
        {group, "Face", "The face of a cell with the given number.", KESTRANE_POLYTOPE "f=Face(cell,1)"},
        {group, "PtOfPolyh", "The vertex of a cell with the given number.", KESTRANE_POLYTOPE "V=PtOfPolyh(cell,1)"},
        {group, "PntSymm", "The point4 symmetric to the first point about the second.", KESTRANE_TESSERACT_CELL "P=PntSymm(A,B)"},
        {group, "AddFaces", "Adds polygon4 faces to a cell.", "cell=polyhedron()\nA=point(0,0,0,0)\nB=point(100,0,0,0)\nC=point(0,100,0,0)\nD=point(0,0,100,0)\nf1=polygon(A,B,C)\nf2=polygon(A,B,D)\nAddFaces(cell,f1,f2)"},
        {group, "rotate", "Sets the turning angles of the view of a polyhedron, in degrees.", KESTRANE_POLYTOPE "rotate(P,30,20,0)"},
        {group, "RemovePolyhedron", "Removes a polyhedron.", KESTRANE_POLYTOPE "RemovePolyhedron(P)"},
        {group, "point", "The four-dimensional point at (x, y, z, w); the coordinates are whole or decimal numbers, every digit kept.", "A=point(10,20,30,40)\nB=point(1.9,2.5,-3.75,0.5)"},
        {group, "polyhedron", "A new empty cell (polyhedron4); also the type word of cells.", "cell=polyhedron()"},
        {group, "plane", "The type word of hyperplanes (plane4); `Perp3Dplane` makes them.",
         KESTRANE_TESSERACT_CELL "across=Perp3Dplane(A,B)"},
        {group, "polygon", "The polygon4 with the given points as vertices, in order.", KESTRANE_TESSERACT_CELL "t=polygon(A,B,C)"},
        {group, "sphere", "The type word of hyperspheres (sphere4).", "s=sphere(A,B)"},
    };
}

#undef KESTRANE_TRIANGLE
#undef KESTRANE_TETRAHEDRON
#undef KESTRANE_TESSERACT_CELL
#undef KESTRANE_POLYTOPE

} // namespace

std::vector<WordHelp> spaceHelp()
{
    std::vector<WordHelp> help = dimension3Help();
    for (const WordHelp& item : dimension4Help())
        help.push_back(item);
    return help;
}

} // namespace kestrane::word_help_data
