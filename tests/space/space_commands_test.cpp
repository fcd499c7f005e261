// SPDX-License-Identifier: GPL-3.0-or-later
#include "space_test_support.h"

#include "platform/recording_canvas.h"
#include "script/words.h"
#include "space/face_palette.h"
#include "space/polyhedron_operations.h"
#include "space/vertex_index.h"

#include <cmath>

namespace kestrane::testing {
namespace {

constexpr std::string_view kDivisionMessage = "Error.: Division by zero. Major error may occur.";

using SpaceCommands = SpaceRunFixture;

TEST_F(SpaceCommands, PointsOfSpaceAreKeptApartAndInViewUpToTheEdge)
{
    run({"A=point(100,100,0)", "B=point(100,100,0)", "C=point(800,550,5)", "D=point(801,10,0)"});
    ASSERT_EQ(window.store().points().size(), 4u);
    EXPECT_FALSE(point("C")->outOfView);
    EXPECT_TRUE(point("D")->outOfView);
}

TEST_F(SpaceCommands, DegenerateInputReportsOnceAndLeavesTheNameUnbound)
{
    struct Case {
        const char* name;
        std::vector<std::string_view> lines;
        std::string_view unbound;
    };
    const Case cases[] = {
        {"parallel planes",
         {"A=point(0,0,0)", "B=point(100,0,0)", "C=point(0,100,0)", "D=point(0,0,50)",
          "E=point(100,0,50)", "F=point(0,100,50)", "e1=plane(A,B,C)", "e2=plane(D,E,F)",
          "l=Inters2Planes(e1,e2)"},
         "l"},
        {"line parallel to the plane",
         {"A=point(0,0,0)", "B=point(100,0,0)", "C=point(0,100,0)", "D=point(0,0,50)",
          "E=point(100,0,50)", "e=plane(A,B,C)", "l=line3D(D,E)", "X=IntersPlaneLine(e,l)"},
         "X"},
        {"concentric spheres",
         {"A=point(0,0,0)", "B=point(100,0,0)", "C=point(50,0,0)", "s1=sphere(A,B)",
          "s2=sphere(A,C)", "k=Inters2Spheres(s1,s2)"},
         "k"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        host.clearMessages();
        run(test.lines);
        EXPECT_EQ(messageTexts(), std::vector<std::string>{std::string(kDivisionMessage)});
        EXPECT_EQ(scene->find(type::kLine3D, test.unbound, "start"), nullptr);
        EXPECT_EQ(scene->find(type::kCircle, test.unbound, "start"), nullptr);
        EXPECT_EQ(point(test.unbound), nullptr);
    }
}

TEST_F(SpaceCommands, ObjectsThatMissMakeNothingAndSayNothing)
{
    run({"A=point(0,0,0)", "B=point(100,0,0)", "C=point(500,0,0)", "D=point(550,0,0)",
         "s1=sphere(A,B)", "s2=sphere(C,D)", "k=Inters2Spheres(s1,s2)", "E=point(0,0,300)",
         "F=point(100,0,300)", "G=point(0,100,300)", "e=plane(E,F,G)", "c=IntersSpherePlane(s1,e)",
         "P=point(0,500,0)", "Q=point(100,500,0)", "l=line3D(P,Q)", "X=IntersSphereLine(s1,l)"});
    EXPECT_TRUE(host.messages().empty());
    EXPECT_TRUE(scene->circles().empty());
    EXPECT_EQ(point("X"), nullptr);
}

TEST_F(SpaceCommands, SphereAndLineSolutionsFollowTheDirection)
{
    run({"O=point(300,250,0)", "R=point(400,250,0)", "s=sphere(O,R)", "P=point(300,250,-50)",
         "Q=point(300,250,50)", "l=line3D(P,Q)", "X1=IntersSphereLine(s,l,1)",
         "X2=IntersSphereLine(l,s,2)", "X0=IntersSphereLine(s,l)", "X7=IntersSphereLine(s,l,7)"});
    EXPECT_EQ(LongToDecimal(point("X1")->z), "100.000000000000000");
    EXPECT_EQ(LongToDecimal(point("X2")->z), "-100.000000000000000");
    EXPECT_EQ(LongToDecimal(point("X0")->z), "100.000000000000000");
    EXPECT_EQ(LongToDecimal(point("X7")->z), "-100.000000000000000");
}

TEST_F(SpaceCommands, ALaterNameShadowsAnEarlierOne)
{
    run({"A=point(0,0,0)", "B=point(100,0,0)", "C=point(0,100,0)", "D=point(0,0,100)",
         "e=plane(A,B,C)", "e=plane(A,B,D)", "P=point(10,20,30)", "Q=point(10,-20,30)",
         "l=line3D(P,Q)", "X=IntersPlaneLine(e,l)"});
    ASSERT_NE(point("X"), nullptr);
    EXPECT_EQ(LongToDecimal(point("X")->y), "0.000000000000000");
}

TEST_F(SpaceCommands, StellatedCubeReplacesEveryEarlierPolyhedron)
{
    run(cubeThen({"N=point(0,0,0)", "other=polyhedron(N)", "star=Stellated(cube)"}));
    ASSERT_EQ(scene->polyhedra().size(), 1u);
    const PolyhedronRec& star = *scene->polyhedra().front();
    EXPECT_TRUE(star.isNamed("star", "start"));
    ASSERT_EQ(star.faces.size(), 24u);
    for (const Face& face : star.faces) {
        ASSERT_EQ(face.vertices.size(), 4u);
        EXPECT_NEAR(toDouble(distance(face.vertices[0], face.vertices[1])), 400, 1e-9);
        EXPECT_NEAR(toDouble(distance(face.vertices[0], face.vertices[2])), 400, 1e-9);
        EXPECT_NEAR(toDouble(distance(face.vertices[1], face.vertices[2])), 200, 1e-9);
        EXPECT_TRUE(face.coloured);
    }
}

TEST_F(SpaceCommands, RemovingAPolyhedronKeepsTheOthers)
{
    run(cubeThen({"N=point(0,0,0)", "second=polyhedron(N)", "third=polyhedron(N)",
                  "RemovePolyhedron(second)"}));
    ASSERT_EQ(scene->polyhedra().size(), 2u);
    EXPECT_NE(scene->findPolyhedron("cube"), nullptr);
    EXPECT_NE(scene->findPolyhedron("third"), nullptr);
}

TEST_F(SpaceCommands, ShowCrossSectCentresTheTrueShapeAndRemovesThePolyhedron)
{
    run(cubeThen({"level=plane(B,D,E)", "s=CrossSection(cube,level)", "t=ShowCrossSect(cube)"}));
    EXPECT_TRUE(scene->polyhedra().empty());
    ASSERT_NE(polygon("s"), nullptr);
    EXPECT_EQ(polygon("s")->vertices.size(), 4u);
    const PolygonRec* shape = polygon("t");
    ASSERT_NE(shape, nullptr);
    double low[2] = {1e9, 1e9};
    double high[2] = {-1e9, -1e9};
    for (const PolygonVertex& vertex : shape->vertices) {
        double xy[2] = {toDouble(vertex.x), toDouble(vertex.y)};
        for (int axis = 0; axis < 2; ++axis) {
            low[axis] = std::min(low[axis], xy[axis]);
            high[axis] = std::max(high[axis], xy[axis]);
        }
        EXPECT_EQ(LongToDecimal(vertex.z), "0.000000000000000");
    }
    EXPECT_NEAR((low[0] + high[0]) / 2, 400, 1e-9);
    EXPECT_NEAR((low[1] + high[1]) / 2, 300, 1e-9);
    EXPECT_NEAR(high[0] - low[0], 200 * std::sqrt(2.0), 1e-9);
}

TEST_F(SpaceCommands, ShowCrossSectWithoutASectionDoesNothing)
{
    run(cubeThen({"t=ShowCrossSect(cube)"}));
    EXPECT_EQ(scene->polyhedra().size(), 1u);
    EXPECT_EQ(polygon("t"), nullptr);
}

TEST_F(SpaceCommands, TheFaceLoopVisitsEachFaceOnce)
{
    run(cubeThen({"k=ForAllFaces(cube) StartAllFaces", "fill(k)=red", "c=Center(k)",
                  "EndOfAllFaces", "after=point(1,2,3)"}));
    std::vector<std::string> centres;
    for (const auto& record : window.store().points()) {
        if (record->isNamed("c", "start"))
            centres.push_back(LongToDecimal(record->x) + " " + LongToDecimal(record->y) + " " +
                              LongToDecimal(record->z));
    }
    ASSERT_EQ(centres.size(), 6u);
    EXPECT_EQ(centres.front(), "400.000000000000000 300.000000000000000 0.000000000000000");
    EXPECT_EQ(centres.back(), "500.000000000000000 300.000000000000000 100.000000000000000");
    for (const Face& face : scene->findPolyhedron("cube")->faces)
        EXPECT_TRUE(face.coloured);
    for (const Face& face : scene->findPolyhedron("cube")->viewFaces)
        EXPECT_EQ(face.colour, 0x0000FFu);
    EXPECT_NE(point("after"), nullptr);
}

TEST_F(SpaceCommands, TheFaceLoopOfAnEmptyPolyhedronSkipsItsBody)
{
    run({"N=point(0,0,0)", "empty=polyhedron(N)", "k=ForAllFaces(empty) StartAllFaces",
         "inside=point(1,1,1)", "EndOfAllFaces", "after=point(2,2,2)"});
    EXPECT_EQ(point("inside"), nullptr);
    EXPECT_NE(point("after"), nullptr);
}

TEST_F(SpaceCommands, BuilderRefusalsAreDeferredRunTimeErrors)
{
    struct Case {
        const char* name;
        std::vector<std::string_view> lines;
        std::string expected;
    };
    const Case cases[] = {
        {"no template", cubeThen({"Build(cube,3)"}),
         "Run-time error.: There is no template. Use 'Template' first."},
        {"adding without a template", cubeThen({"AddToTemplate(p1)"}),
         "Run-time error.: There is no template. Use 'Template' first."},
        {"template full", cubeThen({"Template(1)", "AddToTemplate(p1)", "AddToTemplate(p2)"}),
         "Run-time error.: Template is full. The polygon is not added."},
        {"a face of two different vertices",
         cubeThen({"q=polygon(A,B,A)", "S=polyhedron(M)", "AddFaces(S,q,p1)"}),
         "Run-time error.: Polygon q has fewer than three different vertices and cannot be a "
         "face. Command 'AddFaces' leaves it out."},
        {"a template face of one vertex",
         cubeThen({"Template(2)", "q=polygon(A,A,A)", "AddToTemplate(q)"}),
         "Run-time error.: Polygon q has fewer than three different vertices and cannot be a "
         "face. Command 'AddToTemplate' leaves it out."},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        host.clearMessages();
        run(test.lines);
        EXPECT_EQ(messageTexts(), std::vector<std::string>{test.expected});
    }
}

TEST_F(SpaceCommands, BuildStopsBeforeTheEdgeSetOverflows)
{
    std::vector<std::string> lines;
    for (int k = 0; k < 501; ++k)
        lines.push_back("AddEdge(P" + std::to_string(k) + ",Q" + std::to_string(k) + ")");
    std::string text = "void start()\r\n";
    for (int k = 0; k < 501; ++k)
        text += "P" + std::to_string(k) + "=point(" + std::to_string(k) + ",0,0)\r\nQ" +
                std::to_string(k) + "=point(" + std::to_string(k) + ",5,0)\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    text += "END\r\n";
    runText(text);
    EXPECT_EQ(
        messageTexts(),
        std::vector<std::string>{"Run-time error.: Too many edges. Command 'AddEdge' is stopped."});
    EXPECT_EQ(scene->builder().edges().size(), EdgeSet::kCapacity);
}

TEST_F(SpaceCommands, InformationCountsThePolyhedronAndThePolygon)
{
    run(cubeThen({"Information(cube)", "Information(p1)"}));
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{
                  "Information: Faces: 6\nEdges: 12\nVertices: 8\nEuler characteristic: 2",
                  "Information: Vertices: 4"}));
}

TEST_F(SpaceCommands, RotateAndPlayStoreAnglesAndSteps)
{
    run(cubeThen({"rotate(cube,30,370,-5)", "Play(cube,1,2,3)"}));
    const PolyhedronRec& cube = *scene->findPolyhedron("cube");
    EXPECT_TRUE(cube.animated);
    EXPECT_EQ(cube.steps, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(cube.angles, (std::array<int, 3>{0, 0, 0}));
    ASSERT_EQ(cube.viewFaces.size(), cube.faces.size());
    EXPECT_EQ(cube.viewFaces[3].vertices[2].z, cube.faces[3].vertices[2].z);
}

TEST_F(SpaceCommands, StartParametersOfSpaceKindsStopTheProgram)
{
    runText("void start(plane e)\r\nA=point(0,0,0)\r\nEND\r\n");
    EXPECT_EQ(
        messageTexts(),
        std::vector<std::string>{
            "Run-time error.: A plane may not be chosen on the screen. The program is stopped."});
    EXPECT_FALSE(window.running());
    EXPECT_EQ(point("A"), nullptr);
}

TEST_F(SpaceCommands, ProceduresTakeSpaceObjectsAsParameters)
{
    runText("polygon grow(polyhedron q, plane e)\r\ns=CrossSection(q,e)\r\nreturn s\r\nEND\r\n"
            "void start()\r\n" +
            [] {
                std::string lines;
                for (std::string_view line : kCubeLines)
                    lines += std::string(line) + "\r\n";
                return lines;
            }() +
            "level=plane(B,D,E)\r\nt=grow(cube,level)\r\nEND\r\n");
    ASSERT_NE(polygon("t"), nullptr);
    EXPECT_EQ(polygon("t")->vertices.size(), 4u);
}

std::vector<std::string> corners(const PolygonRec& polygon)
{
    std::vector<std::string> texts;
    for (const PolygonVertex& vertex : polygon.vertices) {
        auto whole = [](const LongNum& value) {
            return std::to_string(static_cast<long>(std::lround(toDouble(value))));
        };
        texts.push_back(whole(vertex.x) + " " + whole(vertex.y) + " " + whole(vertex.z));
    }
    return texts;
}

TEST_F(SpaceCommands, RegularPolygonsStartWhereTheyAreToldAndTurnAsAsked)
{
    run({"O=point(300,250,0)", "R=point(400,250,0)", "s=sphere(O,R)", "A=point(0,0,0)",
         "B=point(100,0,0)", "C=point(0,100,0)", "floor=plane(A,B,C)",
         "c=IntersSpherePlane(s,floor)", "P=point(500,250,7)", "inCircle=EquiPolygon(c,P,4)",
         "left=EquiPolygon(floor,A,B,4,1)", "right=EquiPolygon(floor,A,B,4,2)"});
    ASSERT_NE(polygon("inCircle"), nullptr);
    EXPECT_EQ(corners(*polygon("inCircle")),
              (std::vector<std::string>{"400 250 0", "300 350 0", "200 250 0", "300 150 0",
                                        "400 250 0"}));
    EXPECT_EQ(corners(*polygon("left")),
              (std::vector<std::string>{"0 0 0", "100 0 0", "100 100 0", "0 100 0", "0 0 0"}));
    EXPECT_EQ(corners(*polygon("right")),
              (std::vector<std::string>{"0 0 0", "100 0 0", "100 -100 0", "0 -100 0", "0 0 0"}));
}

TEST_F(SpaceCommands, MirrorImagesOfPointsAndPolygons)
{
    run({"A=point(10,20,30)", "B=point(0,0,0)", "C=point(100,0,0)", "D=point(0,100,0)",
         "X=PtSymOfLine(A,B,C)", "e=plane(B,C,D)", "p=polygon(A,C,D)", "q=SymPolygon(e,p)",
         "r=PointSymPolygon(B,p)"});
    ASSERT_NE(point("X"), nullptr);
    EXPECT_EQ(LongToDecimal(point("X")->y), "-20.000000000000000");
    EXPECT_EQ(LongToDecimal(point("X")->z), "-30.000000000000000");
    EXPECT_EQ(corners(*polygon("q")).front(), "10 20 -30");
    EXPECT_EQ(corners(*polygon("r"))[1], "-100 0 0");
}

TEST_F(SpaceCommands, AddedFacesKeepThePolygonsColourAndSymmetry)
{
    run(cubeThen({"fill(p3)=purple", "Symmetric(p3)", "N=point(0,0,0)", "solid=polyhedron(N)",
                  "AddFaces(solid,p3)"}));
    const Face& face = scene->findPolyhedron("solid")->faces.front();
    EXPECT_TRUE(face.coloured);
    EXPECT_TRUE(face.built);
    EXPECT_EQ(face.colour, polygon("p3")->baseColour);
    EXPECT_EQ(face.colourCode, polygon("p3")->colourCode);
    EXPECT_EQ(face.templateIndex, -1);
}

TEST(FacePalette, NamesEveryCodeAndRepeatsPastTheLast)
{
    const std::pair<int, ColorRef> cases[] = {
        {303, 0x00FFFF}, {306, 0x0000FF}, {310, 0x008080}, {311, 0xFFFFFF}, {312, 0x800080},
        {313, 0x800000}, {314, 0x808000}, {315, 0x000080}, {316, 0x00FF00}, {317, 0xFF00FF},
        {318, 0xFFFF00}, {319, 0x00FFFF}, {335, 0x00FFFF}, {336, 0xFF0000}, {12, kWhite},
    };
    for (const auto& [code, colour] : cases)
        EXPECT_EQ(faceColour(code), colour) << code;
}

TEST_F(SpaceCommands, OnlyTheFirstPolyhedronIsPainted)
{
    run(cubeThen({"Coloring(cube)", "fill(p1)=red", "N=point(0,0,0)", "other=polyhedron(N)",
                  "AddFaces(other,p1)"}));
    RecordingCanvas canvas;
    window.paint(canvas);
    // The filled polygon p1 and, of the unturned cube, the top and bottom
    // faces with the front one again (the four sides are seen edge-on); the
    // other polyhedron's red face is not drawn.
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Shape::Polygon).size(), 4u);
}

TEST_F(SpaceCommands, TheMendedWordsCompile)
{
    const std::vector<std::string_view> lines = cubeThen({
        "X=PntSymm(A,B)",
        "ColorDist(cube)",
        "Information(cube)",
        "Information(p1)",
        "e1=plane(A,B,C)",
        "e2=plane(A,B,E)",
        "l=Inters2Planes(e1,e2)",
        "Y=IntersPlaneLine(e2,l)",
        "s=sphere(M,A)",
        "Z1=IntersSphereLine(s,l)",
        "Z2=IntersSphereLine(l,s,2)",
        "k=ForAllFaces(cube) StartAllFaces",
        "fill(k)=red",
        "c=Center(k)",
        "EndOfAllFaces",
        "sec=CrossSection(cube,e1)",
        "shape=ShowCrossSect(cube)",
    });
    EXPECT_EQ(compileError(lines), "");
}

} // namespace
} // namespace kestrane::testing
