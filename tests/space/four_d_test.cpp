// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "space/four_d_executor.h"
#include "space/frame_file.h"
#include "space/four_d_scene.h"
#include "space/polytope_algorithms.h"
#include "space/space_executor.h"
#include "space/vertex_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <initializer_list>

namespace kestrane::testing {
namespace {

Long4 at(std::int64_t x, std::int64_t y, std::int64_t z, std::int64_t w)
{
    return Long4::ofIntegers(x, y, z, w);
}

LinearRow4 row(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, std::int64_t e)
{
    return {{longOf(a), longOf(b), longOf(c), longOf(d)}, longOf(e)};
}

TEST(FourDSolver, SolvesRegularSystemsAndRefusesSingularOnes)
{
    std::optional<Long4> solution =
        solveLinear4({row(0, 2, 0, 0, 4), row(1, 0, 0, 0, 3), row(0, 0, 0, 5, 10),
                      row(1, 1, 1, 0, 6)});
    ASSERT_TRUE(solution);
    EXPECT_EQ(solution->doubles(), (std::array<double, 4>{3, 2, 1, 2}));

    // Two hyperplanes with equal normals.
    EXPECT_FALSE(solveLinear4({row(1, 0, 0, 0, 1), row(1, 0, 0, 0, 2), row(0, 0, 1, 0, 0),
                               row(0, 0, 0, 1, 0)}));
}

TEST(FourDSolver, AcceptsAPivotOfExactlyOneThousandth)
{
    LinearRow4 small{{LongFromText("0.001"), longOf(0), longOf(0), longOf(0)}, longOf(1)};
    std::optional<Long4> solution =
        solveLinear4({small, row(0, 1, 0, 0, 0), row(0, 0, 1, 0, 0), row(0, 0, 0, 1, 0)});
    ASSERT_TRUE(solution);
    EXPECT_NEAR(toDouble(solution->x), 1000, 1e-9);

    LinearRow4 smaller{{LongFromText("0.0009"), longOf(0), longOf(0), longOf(0)}, longOf(1)};
    EXPECT_FALSE(
        solveLinear4({smaller, row(0, 1, 0, 0, 0), row(0, 0, 1, 0, 0), row(0, 0, 0, 1, 0)}));
}

TEST(FourDGeometry, CrossProductIsPerpendicularAndLargeVectorsStayInRange)
{
    Long4 a = at(400, 0, 0, 400);
    Long4 b = at(0, 400, 0, -400);
    Long4 c = at(400, 400, 400, 0);
    Long4 n = cross(a, b, c);
    for (const Long4& factor : {a, b, c})
        EXPECT_NEAR(toDouble(dot(n, factor)), 0, 1e-9);
    EXPECT_FALSE(isZero(n));
    EXPECT_TRUE(isZero(cross(a, a, c)));
}

TEST(FourDGeometry, HyperplaneCoordinatesKeepXyzForConstantW)
{
    Hyperplane level{at(0, 0, 0, 1), longOf(30)};
    HyperplaneCoordinates coordinates(level, at(100, 100, 100, 100));
    LongTriple mapped = coordinates.map(at(7, -8, 9, 30));
    EXPECT_EQ(toDoubles(mapped).x, 7);
    EXPECT_EQ(toDoubles(mapped).y, -8);
    EXPECT_EQ(toDoubles(mapped).z, 9);
}

// A construction window running Dimension 4 scripts given as lines.
class FourDRun : public ::testing::Test {
protected:
    FourDRun()
    {
        auto owned = std::make_unique<FourDScene>();
        scene = owned.get();
        window.executors().add(604, std::make_shared<FourDExecutor>(*owned));
        window.executors().add(604, std::make_shared<SpaceExecutor>(owned->space()));
        window.executors().setScene(604, std::move(owned));
    }

    std::string compileError(const std::string& text)
    {
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 604, "NoName", "", scriptDirectory);
        ModuleState modules;
        modules.set(604);
        CompileResult result = Compiler(modules, host).compile(*main);
        return result.ok() ? std::string() : result.error->message;
    }

    void runText(const std::string& text)
    {
        ASSERT_EQ(compileError(text), "");
        window.startProgram(*main, 604, RunMode::Run);
        window.showDeferredMessage();
    }

    void run(std::initializer_list<std::string_view> body, bool withTesseract = true)
    {
        std::string text = "void start()\r\n";
        if (withTesseract) {
            for (std::string_view line : kTesseract)
                text += std::string(line) + "\r\n";
        }
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        runText(text + "END\r\n");
    }

    PolytopeCounts counts(std::string_view name) const
    {
        PolytopeRec* polytope = scene->findPolytope(name, "start");
        if (!polytope)
            return {};
        return countPolytope({polytope->cells.begin(), polytope->cells.end()});
    }

    SolidCounts solid(std::string_view name) const
    {
        PolyhedronRec* polyhedron = scene->space().findPolyhedron(name);
        return polyhedron ? countSolid(polyhedron->faces) : SolidCounts{};
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& message : host.messages())
            texts.push_back(message.caption + ": " + message.text);
        return texts;
    }

    // A cube of edge 200 at w = 0 and the polytope T about (100, 100, 100, 100).
    static constexpr std::string_view kTesseract[] = {
        "A=point(0,0,0,0)",       "B=point(200,0,0,0)",     "C=point(200,200,0,0)",
        "D=point(0,200,0,0)",     "E=point(0,0,200,0)",     "F=point(200,0,200,0)",
        "G=point(200,200,200,0)", "H=point(0,200,200,0)",   "p1=polygon(A,B,C,D)",
        "p2=polygon(E,F,G,H)",    "p3=polygon(A,B,F,E)",    "p4=polygon(D,C,G,H)",
        "p5=polygon(A,D,H,E)",    "p6=polygon(B,C,G,F)",    "cube=polyhedron()",
        "AddFaces(cube,p1,p2,p3,p4,p5,p6)", "M=point(100,100,100,100)", "T=polytope(M)",
        "AddCell(T,cube)",
    };

    ScriptedHost host;
    ConstructionWindow window{host};
    FourDScene* scene = nullptr;
    // The main script's directory: relative file names start there.
    std::string scriptDirectory;
    std::unique_ptr<ScriptFile> main;
};

TEST_F(FourDRun, Build4DCompletesTheTesseractFromOneCube)
{
    run({"Build4D(T)", "Information(T)"});
    PolytopeCounts tesseract = counts("T");
    EXPECT_EQ(tesseract.cells, 8u);
    EXPECT_EQ(tesseract.faces, 24u);
    EXPECT_EQ(tesseract.edges, 32u);
    EXPECT_EQ(tesseract.vertices, 16u);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Information: Cells: 8\nFaces: 24\nEdges: 32\nVertices: 16\n"
                              "Euler characteristic: 0"}));
    // Running Build4D again adds nothing.
    EXPECT_TRUE(scene->findPolytope("T", "start")->cells.front()->completed);
}

// A centre whose mirrors meet at angles that do not divide a full turn:
// the cells never close, and the growth stops at the cap.
TEST_F(FourDRun, Build4DStopsAtTheCellCap)
{
    run({"O=point(100,100,100,37)", "U=polytope(O)", "AddCell(U,cube)", "Build4D(U)"});
    EXPECT_EQ(scene->findPolytope("U", "start")->cells.size(), kMostCells);
}

struct SectionCase {
    std::string_view plane;
    std::size_t faces;
    std::size_t edges;
    std::size_t vertices;
    double edge; // every edge of the section, 0 when not checked
};

class TesseractSection : public FourDRun, public ::testing::WithParamInterface<SectionCase> {};

TEST_P(TesseractSection, CutsTheExpectedSolid)
{
    const SectionCase& expected = GetParam();
    std::string planeLine = "E0=plane(" + std::string(expected.plane) + ")";
    run({"Build4D(T)", planeLine, "S=CrossSect3D(T,E0)"});
    SolidCounts section = solid("S");
    EXPECT_EQ(section.faces, expected.faces);
    EXPECT_EQ(section.edges, expected.edges);
    EXPECT_EQ(section.vertices, expected.vertices);
    PolyhedronRec* shown = scene->space().polyhedra().front().get();
    EXPECT_TRUE(shown->isNamed("S", "start")) << "the section is the polyhedron drawn";
    if (expected.edge > 0) {
        for (const Face& face : shown->faces) {
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
                EXPECT_NEAR(toDouble(distance(face.vertices[corner], face.vertices[corner + 1])),
                            expected.edge, 1e-6);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hyperplanes, TesseractSection,
    ::testing::Values(SectionCase{"0,0,0,1,100", 6, 12, 8, 200},
                      // Through the face w = 0: the cell lying in it.
                      SectionCase{"0,0,0,1,0", 6, 12, 8, 200},
                      // Through the centre across the long diagonal: a regular octahedron.
                      SectionCase{"1,1,1,1,400", 8, 12, 6, std::sqrt(80000.0)},
                      SectionCase{"1,0,0,0,500", 0, 0, 0, 0}));

TEST_F(FourDRun, SectionFacesFaceOutward)
{
    run({"Build4D(T)", "E0=plane(1,1,1,1,400)", "S=CrossSect3D(T,E0)"});
    PolyhedronRec& section = *scene->space().findPolyhedron("S");
    DoubleTriple centre = toDoubles(section.makeCentre());
    for (const Face& face : section.faces) {
        DoubleTriple a = toDoubles(face.vertices[0]);
        DoubleTriple b = toDoubles(face.vertices[1]);
        DoubleTriple c = toDoubles(face.vertices[2]);
        DoubleTriple u{b.x - a.x, b.y - a.y, b.z - a.z};
        DoubleTriple v{c.x - a.x, c.y - a.y, c.z - a.z};
        DoubleTriple n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        double outward = n.x * (a.x - centre.x) + n.y * (a.y - centre.y) + n.z * (a.z - centre.z);
        EXPECT_GT(outward, 0);
    }
}

TEST_F(FourDRun, PyramidOverACubeIsClosed)
{
    run({"P=Pyramid(cube)", "K=Center(P)"});
    PolytopeCounts pyramid = counts("P");
    EXPECT_EQ(pyramid.cells, 7u);
    EXPECT_EQ(pyramid.faces, 18u);
    EXPECT_EQ(pyramid.edges, 20u);
    EXPECT_EQ(pyramid.vertices, 9u);
    // The centre lies 2e from the cube's centre along the normal.
    std::array<double, 4> centre = scene->findPoint("K", "start")->position.doubles();
    EXPECT_NEAR(std::fabs(centre[3]), 400, 1e-9);
}

TEST_F(FourDRun, SixteenCellFromOneTetrahedronHasTwentyFourEqualEdges)
{
    run({"A=point(100,0,0,0)", "B=point(0,100,0,0)", "C=point(0,0,100,0)", "D=point(0,0,0,100)",
         "f1=polygon(A,B,C)", "f2=polygon(A,B,D)", "f3=polygon(A,C,D)", "f4=polygon(B,C,D)",
         "t=polyhedron()", "AddFaces(t,f1,f2,f3,f4)", "O=point(0,0,0,0)", "T=polytope(O)",
         "AddCell(T,t)", "Build4D(T)"},
        false);
    PolytopeRec& polytope = *scene->findPolytope("T", "start");
    PolytopeCounts sixteen = counts("T");
    EXPECT_EQ(sixteen.cells, 16u);
    EXPECT_EQ(sixteen.faces, 32u);
    EXPECT_EQ(sixteen.edges, 24u);
    EXPECT_EQ(sixteen.vertices, 8u);
    for (const CellRec* cell : polytope.cells) {
        for (const Face4& face : cell->faces) {
            for (std::size_t corner = 0; corner < face.cornerCount(); ++corner)
                EXPECT_NEAR(toDouble(length(minus(face.vertices[corner + 1],
                                                  face.vertices[corner]))),
                            std::sqrt(20000.0), 1e-9);
        }
    }
}

TEST_F(FourDRun, NetOfTheTesseractUnfoldsIntoThirtySixVertices)
{
    run({"Build4D(T)", "N=Net(T)"});
    SolidCounts net = solid("N");
    EXPECT_EQ(net.vertices, 36u);
    EXPECT_EQ(net.faces, 48u); // every cube keeps its six squares
    // Every vertex of the net lies in the hyperplane of the cube: w = 0
    // keeps x, y and z, and the cube itself stays where it is.
    const PolyhedronRec& shown = *scene->space().polyhedra().front();
    EXPECT_TRUE(shown.isNamed("N", "start"));
    EXPECT_EQ(toDoubles(shown.faces.front().vertices[1]).x, 200);
}

TEST_F(FourDRun, BuildNetGrowsCellByCellFromTheControlPanel)
{
    run({"Build4D(T)", "N=BuildNet(T)"});
    ASSERT_TRUE(scene->net());
    EXPECT_EQ(scene->net()->inserted, 1u);
    EXPECT_EQ(scene->net()->polytopeCells, 8u);
    EXPECT_EQ(solid("N").faces, 6u);
    EXPECT_EQ(scene->outlinedCell(), nullptr);
    EXPECT_TRUE(scene->outlineNextCell());
    ASSERT_NE(scene->outlinedCell(), nullptr);
    EXPECT_EQ(scene->outlinedCell()->size(), 6u);
    int inserted = 0;
    while (scene->insertNextCell())
        ++inserted;
    EXPECT_EQ(inserted, 7);
    EXPECT_FALSE(scene->outlineNextCell());
    EXPECT_EQ(solid("N").vertices, 36u);
}

TEST_F(FourDRun, CellFaceAndVertexNumbersCountFromZero)
{
    run({"Build4D(T)", "c=Cell(T,7)", "f=Face(cube,5)", "v=PtOfPolyh(cube,7)",
         "x=Cell(T,8)"});
    EXPECT_NE(scene->findCell("c", "start"), nullptr);
    EXPECT_EQ(scene->findPolygon("f", "start")->face.cornerCount(), 4u);
    EXPECT_EQ(scene->findPoint("v", "start")->position.doubles(),
              (std::array<double, 4>{0, 200, 200, 0}));
    EXPECT_EQ(scene->findCell("x", "start"), nullptr);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Run-time error.: Number 8 is out of range in command 'Cell'."}));
}

TEST_F(FourDRun, PointsKeepEveryDecimal)
{
    run({"P=point(1.9,2.5,-3.75,0.5)", "Q=point(-0.000000000000001,123456789012345.125,0,-7)"},
        false);
    auto decimals = [&](std::string_view name) {
        const Long4& position = scene->findPoint(name, "start")->position;
        std::vector<std::string> texts;
        for (int axis = 0; axis < 4; ++axis)
            texts.push_back(LongToDecimal(position[axis]));
        return texts;
    };
    EXPECT_EQ(decimals("P"), (std::vector<std::string>{"1.900000000000000", "2.500000000000000",
                                                       "-3.750000000000000", "0.500000000000000"}));
    EXPECT_EQ(decimals("Q"),
              (std::vector<std::string>{"-0.000000000000001", "123456789012345.125000000000000",
                                        "0.000000000000000", "-7.000000000000000"}));
}

// The shipped examples grow the regular polytopes from one cell; every edge
// of each has one length.
TEST_F(FourDRun, ExamplesGrowTheRegularPolytopesFromOneCell)
{
    struct Case {
        const char* file;
        PolytopeCounts counts;
    };
    const Case cases[] = {{"twenty_four_cell.kst", {24, 96, 96, 24}},
                          {"six_hundred_cell.kst", {600, 1200, 720, 120}},
                          {"hundred_twenty_cell.kst", {120, 720, 1200, 600}}};
    for (const Case& item : cases) {
        SCOPED_TRACE(item.file);
        std::optional<std::string> bytes =
            readWholeFile(std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples" / item.file);
        ASSERT_TRUE(bytes);
        // The first byte names the module.
        runText(bytes->substr(1));
        PolytopeCounts made = counts("T");
        EXPECT_EQ(made.cells, item.counts.cells);
        EXPECT_EQ(made.faces, item.counts.faces);
        EXPECT_EQ(made.edges, item.counts.edges);
        EXPECT_EQ(made.vertices, item.counts.vertices);
        double shortest = 1e300;
        double longest = 0;
        for (const CellRec* cell : scene->findPolytope("T", "start")->cells) {
            for (const Face4& face : cell->faces) {
                for (std::size_t k = 0; k + 1 < face.vertices.size(); ++k) {
                    double edge = toDouble(length(minus(face.vertices[k + 1], face.vertices[k])));
                    shortest = std::min(shortest, edge);
                    longest = std::max(longest, edge);
                }
            }
        }
        EXPECT_NEAR(longest, shortest, 1e-9 * longest);
        EXPECT_EQ(messages(), std::vector<std::string>{});
    }
}

// The 5-cell is worked out on the offsets from the first corner, so a
// large cell is made right; one too large to hold says so and makes nothing.
TEST_F(FourDRun, FiveCellOfALargeCellOrTheSizeAsTheCause)
{
    for (const char* size : {"500000000", "200000000000000"}) {
        SCOPED_TRACE(size);
        host.clearMessages();
        std::string s(size);
        std::string text = "void start()\r\nA=point(0,0,0,0)\r\nB=point(" + s + "," + s +
                           ",0,0)\r\nC=point(" + s + ",0," + s + ",0)\r\nD=point(0," + s + "," + s +
                           ",0)\r\nf1=polygon(A,B,C)\r\nf2=polygon(A,B,D)\r\nf3=polygon(A,C,D)"
                           "\r\nf4=polygon(B,C,D)\r\ncell=polyhedron()\r\n"
                           "AddFaces(cell,f1,f2,f3,f4)\r\nT=Polyh5Pts(cell)\r\nEND\r\n";
        runText(text);
        PolytopeRec* polytope = scene->findPolytope("T", "start");
        if (s == "500000000") {
            ASSERT_NE(polytope, nullptr);
            PolytopeCounts made = counts("T");
            EXPECT_EQ(made.cells, 5u);
            EXPECT_EQ(made.faces, 10u);
            EXPECT_EQ(made.edges, 10u);
            EXPECT_EQ(made.vertices, 5u);
            // The apex is an edge away from each corner (in doubles: the
            // squares would not fit the long numbers).
            std::array<double, 4> apex = polytope->cells.back()->faces.back().vertices[2].doubles();
            double edge = 500000000 * std::sqrt(2.0);
            for (const Long4& corner : polytope->cells.front()->vertices()) {
                std::array<double, 4> at = corner.doubles();
                double squared = 0;
                for (std::size_t axis = 0; axis < 4; ++axis)
                    squared += (apex[axis] - at[axis]) * (apex[axis] - at[axis]);
                EXPECT_NEAR(std::sqrt(squared), edge, 1e-5);
            }
            EXPECT_EQ(messages(), std::vector<std::string>{});
        } else {
            EXPECT_EQ(polytope, nullptr);
            EXPECT_EQ(messages(), (std::vector<std::string>{
                                      "Run-time error.: Number too large. Major error may occur. "
                                      "Command 'Polyh5Pts' is omitted."}));
        }
    }
}

// A polygon of fewer than three different vertices (points within 0.1 are
// one) is no face: AddFaces leaves it out and says so.
TEST_F(FourDRun, FacesNeedThreeDifferentVertices)
{
    run({"A=point(0,0,0,0)", "A2=point(0.05,0,0,-0.05)", "B=point(100,0,0,0)", "C=point(0,100,0,0)",
         "thin=polygon(A,A2,B)", "good=polygon(A,B,C)", "cell=polyhedron()",
         "AddFaces(cell,thin,good)"},
        false);
    EXPECT_EQ(scene->findCell("cell", "start")->faces.size(), 1u);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Run-time error.: Polygon thin has fewer than three different "
                              "vertices and cannot be a face. Command 'AddFaces' leaves it out."}));
}

TEST_F(FourDRun, IntersectionsAndCentres)
{
    run({"e1=plane(1,0,0,0,3)", "e2=plane(0,1,0,0,4)", "e3=plane(0,0,1,0,5)",
         "e4=plane(0,0,0,2,12)", "X=Inters4Planes(e1,e2,e3,e4)", "Z=Center5Pts(A,B,D,E,M)",
         "s1=sphere(A,100)", "s2=sphere(B,100)", "s3=sphere(D,100)", "s4=sphere(E,100)",
         "Y=IntersOf4Spheres(s1,s2,s3,s4,1)", "W=IntersOf4Spheres(s1,s2,s3,s4,2)",
         "h=Perp3Dplane(A,M)"});
    EXPECT_EQ(scene->findPoint("X", "start")->position.doubles(),
              (std::array<double, 4>{3, 4, 5, 6}));
    std::array<double, 4> centre = scene->findPoint("Z", "start")->position.doubles();
    EXPECT_NEAR(centre[0], 100, 1e-9);
    EXPECT_NEAR(centre[1], 100, 1e-9);
    EXPECT_NEAR(centre[2], 100, 1e-9);
    EXPECT_NEAR(centre[3], -100, 1e-9);
    // Spheres of radius 100 about four corners of a square face's cube
    // meet only where the radicand is 100² − 3·100² < 0: no point.
    EXPECT_EQ(scene->findPoint("Y", "start"), nullptr);
    EXPECT_EQ(scene->findPoint("W", "start"), nullptr);
    const Hyperplane& h = scene->findPlane("h", "start")->plane;
    EXPECT_NEAR(toDouble(h.normal.w), 0.5, 1e-12);
    EXPECT_NEAR(toDouble(h.e), 200, 1e-9);
}

TEST_F(FourDRun, SpheresMeetingInTwoPoints)
{
    run({"O=point(0,0,0,0)", "P=point(200,0,0,0)", "Q=point(0,200,0,0)", "R=point(0,0,200,0)",
         "s1=sphere(O,300)", "s2=sphere(P,300)", "s3=sphere(Q,300)", "s4=sphere(R,300)",
         "Y=IntersOf4Spheres(s1,s2,s3,s4,1)", "W=IntersOf4Spheres(s1,s2,s3,s4,2)"},
        false);
    std::array<double, 4> first = scene->findPoint("Y", "start")->position.doubles();
    std::array<double, 4> second = scene->findPoint("W", "start")->position.doubles();
    EXPECT_NEAR(first[0], 100, 1e-9);
    EXPECT_NEAR(std::fabs(first[3]), std::sqrt(90000.0 - 30000.0), 1e-9);
    EXPECT_NEAR(first[3], -second[3], 1e-9);
}

TEST_F(FourDRun, EqualNormalsAreReportedOnceAndMakeNoPoint)
{
    run({"e1=plane(1,0,0,0,3)", "e2=plane(1,0,0,0,4)", "e3=plane(0,0,1,0,5)",
         "e4=plane(0,0,0,1,6)", "X=Inters4Planes(e1,e2,e3,e4)"},
        false);
    EXPECT_EQ(scene->findPoint("X", "start"), nullptr);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error: Cannot solve equations."}));
}

// A scratch directory for a test's files, removed afterwards.
struct ScratchDirectory {
    explicit ScratchDirectory(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path);
    }
    ~ScratchDirectory() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// Relative file names are taken from the main script's directory, not from
// the working directory.
TEST_F(FourDRun, PolytopeAndCellFilesRoundTrip)
{
    ScratchDirectory directory("four_d_test_");
    scriptDirectory = directory.path.string();
    run({"Build4D(T)", "name=String($tesseract.txt)", "WritePolytope(T,name)",
         "R=ReadPolytope(name)", "missing=String($missing.txt)", "Q=ReadPolytope(missing)"});
    EXPECT_TRUE(std::filesystem::exists(directory.path / "tesseract.txt"));
    EXPECT_FALSE(std::filesystem::exists("tesseract.txt"));
    EXPECT_EQ(counts("R").cells, 8u);
    EXPECT_EQ(counts("R").faces, 24u);
    EXPECT_EQ(counts("R").vertices, 16u);
    EXPECT_EQ(scene->findPolytope("Q", "start"), nullptr);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error.: Could not open file 'missing.txt'."}));
}

// The writing words of four dimensions refuse a file outside the
// program's folders and write nothing.
TEST_F(FourDRun, WritesOutsideTheProgramsFoldersAreRefused)
{
    ScratchDirectory directory("four_d_writes_");
    scriptDirectory = (directory.path / "program").string();
    std::filesystem::create_directories(scriptDirectory);
    window.state().setWorkingDirectory(scriptDirectory);
    run({"Build4D(T)", "WritePolytope(T,$../polytope.txt)", "PathOfCross(0,0,0,1,4)",
         "SaveCross(T,$../moving.frm,0,0,0,4)", "level=plane(0,0,0,1,100)",
         "S=CrossSect3D(T,level)", "SaveParCross($../parallel.frm,4)",
         "WritePolytope(T,$kept.txt)"});
    for (const char* name : {"polytope.txt", "moving.frm", "parallel.frm"})
        EXPECT_FALSE(std::filesystem::exists(directory.path / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(directory.path / "program" / "kept.txt"));
    EXPECT_EQ(window.state().refusedWrites(), 3);
    // The box shows the first; the others are counted with it.
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Run-time error.: File '../polytope.txt' is outside the folders a "
                              "program may write to: its own folder and the working directory. "
                              "Nothing is written."}));
}

TEST_F(FourDRun, ReadsTheShippedCellAndPolytopeFiles)
{
    // Names with '_' are written as they are, in a '$' text or a String.
    scriptDirectory = (std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples/solids").string();
    run({"t=String($tesseract.txt)", "C=Read4DPolyhedron($tesseract_cell.txt)", "T=ReadPolytope(t)",
         "K=OpenPolyhedron($cube.txt)", "AddTo4DimSet(K)"},
        false);
    ASSERT_NE(scene->findCell("C", "start"), nullptr);
    EXPECT_EQ(scene->findCell("C", "start")->faces.size(), 6u);
    EXPECT_EQ(counts("T").cells, 8u);
    EXPECT_EQ(solid("K").faces, 6u);
    EXPECT_EQ(scene->pointSet().size(), 8u);
}

TEST_F(FourDRun, BuildFromSetMakesTheHullWithPolygonFaces)
{
    run({"Build4D(T)", "c0=Cell(T,0)", "c7=Cell(T,7)", "c3=Cell(T,3)", "AddTo4DimSet(c0)",
         "AddTo4DimSet(c7)", "AddTo4DimSet(c3)", "AddTo4DimSet(M)", "hull=BuildFromSet()"});
    EXPECT_EQ(scene->pointSet().size(), 17u);
    PolytopeCounts hull = counts("hull");
    EXPECT_EQ(hull.cells, 8u);
    EXPECT_EQ(hull.faces, 24u);
    EXPECT_EQ(hull.edges, 32u);
    EXPECT_EQ(hull.vertices, 16u);
    for (const CellRec* cell : scene->findPolytope("hull", "start")->cells) {
        EXPECT_EQ(cell->faces.size(), 6u);
        for (const Face4& face : cell->faces)
            EXPECT_EQ(face.cornerCount(), 4u);
    }
}

TEST_F(FourDRun, BuildFromSetRefusesAFlatSet)
{
    run({"AddTo4DimSet(cube)", "hull=BuildFromSet()"});
    EXPECT_EQ(scene->findPolytope("hull", "start"), nullptr);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Run-time error.: The points of the set do not span four "
                                        "dimensions. No polytope is made."}));
}

TEST_F(FourDRun, SectionFramesAreWrittenAlongThePath)
{
    ScratchDirectory directory("four_d_frames_");
    scriptDirectory = directory.path.string();
    run({"Build4D(T)", "moving=String($moving.frm)", "parallel=String($parallel.frm)",
         "SaveParCross(parallel,3)", "PathOfCross(0,0,0,1,4)", "SaveCross(T,moving,10,0,20,6)",
         "e=plane(0,0,0,1,50)", "S=CrossSect3D(T,e)", "SaveParCross(parallel,3)"});
    std::optional<std::string> moving = readWholeFile(directory.path / "moving.frm");
    std::optional<std::string> parallel = readWholeFile(directory.path / "parallel.frm");
    EXPECT_FALSE(std::filesystem::exists("moving.frm"));
    ASSERT_TRUE(moving && parallel);
    DecodedFrames frames = decodeFrameFile(*moving);
    ASSERT_FALSE(frames.malformed);
    ASSERT_EQ(frames.frames.size(), 6u);
    for (const Frame& frame : frames.frames) {
        EXPECT_EQ(frame.faceCount, 6); // every step of w cuts a cube
        EXPECT_GE(frame.frontFaces.size(), 1u);
        EXPECT_LE(frame.frontFaces.size(), 3u);
    }
    // Unturned, a cube seen along z shows one face.
    EXPECT_EQ(decodeFrameFile(*parallel).frames.size(), 3u);
    EXPECT_EQ(decodeFrameFile(*parallel).frames.front().frontFaces.size(), 1u);
    EXPECT_EQ(messages(),
              (std::vector<std::string>{"Run-time error.: There is no polytope to cut."}));
}

struct RefusalCase {
    std::string_view name;
    std::vector<std::string_view> lines;
    std::string_view target; // the name that must stay unmade
    std::string_view message;
};

class FourDRefusal : public FourDRun, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FourDRefusal, ShowsItsMessageAndMakesNothing)
{
    const RefusalCase& given = GetParam();
    std::string text = "void start()\r\n";
    for (std::string_view line : kTesseract)
        text += std::string(line) + "\r\n";
    for (std::string_view line : given.lines)
        text += std::string(line) + "\r\n";
    runText(text + "END\r\n");
    std::string target(given.target);
    EXPECT_EQ(scene->findPoint(target, "start"), nullptr);
    EXPECT_EQ(scene->findPolygon(target, "start"), nullptr);
    EXPECT_EQ(scene->findCell(target, "start"), nullptr);
    EXPECT_EQ(scene->findPolytope(target, "start"), nullptr);
    EXPECT_EQ(scene->findPlane(target, "start"), nullptr);
    EXPECT_EQ(messages(), (std::vector<std::string>{std::string(given.message)}));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FourDRefusal,
    ::testing::Values(
        RefusalCase{"FaceOutOfRange", {"x=Face(cube,6)"}, "x",
                    "Run-time error.: Number 6 is out of range in command 'Face'."},
        RefusalCase{"VertexOutOfRange", {"x=PtOfPolyh(cube,-1)"}, "x",
                    "Run-time error.: Number -1 is out of range in command 'PtOfPolyh'."},
        RefusalCase{"FiveCellOnACube", {"x=Polyh5Pts(cube)"}, "x",
                    "Run-time error.: The cell must have four vertices. Command 'Polyh5Pts' is "
                    "omitted."},
        RefusalCase{"CoplanarPoints", {"x=plane(A,B,C,D)"}, "x",
                    "Run-time error.: The points do not determine a hyperplane. No plane is made."},
        RefusalCase{"ZeroNormal", {"x=plane(0,0,0,0,5)"}, "x",
                    "Run-time error.: The normal of a hyperplane may not be zero."},
        RefusalCase{"EqualPoints", {"x=Perp3Dplane(A,A)"}, "x",
                    "Run-time error.: The points are equal. No plane is made."},
        RefusalCase{"PyramidOverNothing", {"empty=polyhedron()", "x=Pyramid(empty)"}, "x",
                    "Run-time error.: The cell does not span a hyperplane. No pyramid is made."},
        RefusalCase{"CentresOnAPlane",
                    {"x=Center5Pts(A,B,C,D,E)"},
                    "x",
                    "Error: Cannot solve equations."}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(FourDRun, InformationOfCellsAndFaces)
{
    run({"Information(cube)", "Information(p1)"});
    EXPECT_EQ(messages(),
              (std::vector<std::string>{
                  "Information: Faces: 6\nEdges: 12\nVertices: 8\nEuler characteristic: 2",
                  "Information: Vertices: 4"}));
}

TEST_F(FourDRun, HyperplaneThroughFourPointsAndFromItsEquation)
{
    run({"e=plane(B,C,E,D)", "f=plane(0,3,0,4,10)"});
    const Hyperplane& through = scene->findPlane("e", "start")->plane;
    EXPECT_NEAR(std::fabs(toDouble(through.normal.w)), 1, 1e-12);
    EXPECT_NEAR(toDouble(through.e), 0, 1e-12);
    const Hyperplane& given = scene->findPlane("f", "start")->plane;
    EXPECT_NEAR(toDouble(given.normal.y), 0.6, 1e-12);
    EXPECT_NEAR(toDouble(given.normal.w), 0.8, 1e-12);
    EXPECT_NEAR(toDouble(given.e), 2, 1e-12);
}

TEST_F(FourDRun, NetShowsItsCountersAndOutlinesTheNextCell)
{
    run({"Build4D(T)", "N=BuildNet(T)"});
    RecordingCanvas canvas;
    scene->paint(canvas);
    std::vector<std::string> texts = canvas.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "cells of net: 001"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "cells of polytope: 008"), texts.end());
    // Both counters stand on a white box painted after the net.
    std::vector<RecordingCanvas::Call> boxes = canvas.callsOf(RecordingCanvas::Shape::FillRect);
    ASSERT_FALSE(boxes.empty());
    const RecordingCanvas::Call& box = boxes.back();
    EXPECT_EQ(box.brush, kWhite);
    for (const RecordingCanvas::Call& text : canvas.callsOf(RecordingCanvas::Shape::Text)) {
        if (!text.text.starts_with("cells of"))
            continue;
        RecordingCanvas measure;
        measure.setFont(text.font);
        EXPECT_LE(box.points.front().x, text.points.front().x);
        EXPECT_LE(box.points.front().y, text.points.front().y);
        EXPECT_GE(box.points.back().x, text.points.front().x + measure.textWidth(text.text));
        EXPECT_GE(box.points.back().y, text.points.front().y + measure.textHeight());
    }
    std::size_t linesBefore = canvas.callsOf(RecordingCanvas::Shape::Line).size();
    scene->outlineNextCell();
    canvas.clear();
    scene->paint(canvas);
    // A cube's six squares drawn edge by edge.
    EXPECT_EQ(canvas.callsOf(RecordingCanvas::Shape::Line).size(), linesBefore + 24);
}

TEST_F(FourDRun, JsonListsTheFourDimensionalObjects)
{
    run({"Build4D(T)", "e=plane(0,0,0,1,100)", "s=sphere(M,50)", "c=Cell(T,1)",
         "N=BuildNet(T)"});
    std::string json = scene->json();
    for (std::string_view key : {"\"points4\":[", "\"polygons4\":[", "\"cells\":[",
                                 "\"polytopes\":[", "\"planes4\":[", "\"spheres4\":[",
                                 "\"crossPath\":null", "\"polyhedra\":["})
        EXPECT_NE(json.find(key), std::string::npos) << key;
    EXPECT_NE(json.find("\"cells\":[0,1,2,3,4,5,6,7],\"counts\":{\"cells\":8,"
                        "\"faces\":24,\"edges\":32,\"vertices\":16}"),
              std::string::npos);
    EXPECT_NE(json.find("\"net\":{\"cellsOfNet\":1,\"cellsOfPolytope\":8,\"nextCell\":1}"),
              std::string::npos);
    EXPECT_NE(json.find("\"names\":[[\"c\",\"start\"]],\"centre\":["), std::string::npos);
}

// Points of four-space are labelled from the pool of the plane's points, so
// the tesseract's corners read A, B, E, F, ... and its centre K.
TEST_F(FourDRun, PointsCarryLabelsFromThePointPool)
{
    run({"Information(M)"});
    const char* expected[][2] = {{"A", "A"}, {"B", "B"}, {"C", "E"}, {"H", "J"}, {"M", "K"}};
    for (auto [name, label] : expected) {
        ASSERT_NE(scene->findPoint(name, "start"), nullptr) << name;
        EXPECT_EQ(scene->findPoint(name, "start")->label, label) << name;
    }
    std::string json = scene->json();
    EXPECT_NE(json.find("{\"label\":\"K\",\"names\":[[\"M\",\"start\"]],\"x\":"),
              std::string::npos);
    ASSERT_EQ(host.messages().size(), 1u);
    std::string hundred = LongToDecimal(LongFromText("100"));
    EXPECT_EQ(host.messages()[0].text,
              "Point K\nx: " + hundred + "\ny: " + hundred + "\nz: " + hundred + "\nw: " + hundred);
}

TEST_F(FourDRun, ProceduresTakeAndReturnHyperplanesAndSpheres)
{
    std::string text = "plane across(point P, point Q)\r\n"
                       "h=Perp3Dplane(P,Q)\r\n"
                       "return h\r\n"
                       "END\r\n"
                       "sphere around(point P, plane e)\r\n"
                       "s=sphere(P,100)\r\n"
                       "return s\r\n"
                       "END\r\n"
                       "void start()\r\n"
                       "A=point(0,0,0,0)\r\n"
                       "B=point(0,0,0,10)\r\n"
                       "E=across(A,B)\r\n"
                       "S=around(B,E)\r\n"
                       "END\r\n";
    runText(text);
    ASSERT_NE(scene->findPlane("E", "start"), nullptr);
    EXPECT_NEAR(toDouble(scene->findPlane("E", "start")->plane.e), 10, 1e-12);
    ASSERT_NE(scene->findSphere("S", "start"), nullptr);
    EXPECT_EQ(toDouble(scene->findSphere("S", "start")->radius), 100);
}

TEST_F(FourDRun, PathOfCrossStepsThroughThePolytope)
{
    run({"Build4D(T)", "PathOfCross(0,0,0,1,4)", "S=PlayCross(T)"});
    ASSERT_TRUE(scene->crossPath());
    EXPECT_NEAR(toDouble(*scene->crossPath()->e), 25, 1e-6);
    EXPECT_TRUE(scene->advanceCrossPlay());
    EXPECT_NEAR(toDouble(*scene->crossPath()->e), 75, 1e-6);
    EXPECT_EQ(solid("S").vertices, 8u);
}

TEST_F(FourDRun, ZeroPathDirectionIsRefused)
{
    run({"PathOfCross(0,0,0,0,4)"}, false);
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "Run-time error.: The path of cross-sections needs a direction."}));
}

TEST_F(FourDRun, FourDimensionalKindsFlowThroughVariablesAndProcedures)
{
    std::string text = "polytope grow(polyhedron c, point m)\r\n"
                       "T=polytope(m)\r\n"
                       "AddCell(T,c)\r\n"
                       "Build4D(T)\r\n"
                       "return T\r\n"
                       "END\r\n"
                       "void start()\r\n";
    for (std::string_view line : kTesseract)
        text += std::string(line) + "\r\n";
    text += "U=grow(cube,M)\r\nK=Center(U)\r\nQ=PntSymm(A,K)\r\nf=Face(cube,1)\r\n"
            "V=vertex(f,2)\r\nEND\r\n";
    runText(text);
    EXPECT_EQ(counts("U").cells, 8u);
    EXPECT_EQ(scene->findPoint("Q", "start")->position.doubles(),
              (std::array<double, 4>{200, 200, 200, 200}));
    EXPECT_EQ(scene->findPoint("V", "start")->position.doubles(),
              (std::array<double, 4>{200, 200, 200, 0}));
}

} // namespace
} // namespace kestrane::testing

namespace kestrane::testing {
namespace {

struct AntiprismCase {
    std::string_view name;
    std::vector<std::vector<std::array<int, 3>>> faces;
    PolytopeCounts expected;
    double edge; // every edge, 0 when not all equal
};

class Antiprism : public ::testing::TestWithParam<AntiprismCase> {};

TEST_P(Antiprism, BuildsAClosedPolytope)
{
    const AntiprismCase& given = GetParam();
    std::vector<Face> faces;
    for (const auto& corners : given.faces) {
        std::vector<LongTriple> points;
        for (const auto& corner : corners)
            points.push_back(LongTriple::ofIntegers(corner[0], corner[1], corner[2]));
        faces.push_back(faceOf(std::move(points)));
    }
    auto cells = antiprismCells(faces);
    ASSERT_TRUE(cells);
    std::vector<const CellRec*> view;
    for (const auto& cell : *cells)
        view.push_back(cell.get());
    PolytopeCounts counts = countPolytope(view);
    EXPECT_EQ(counts.cells, given.expected.cells);
    EXPECT_EQ(counts.faces, given.expected.faces);
    EXPECT_EQ(counts.edges, given.expected.edges);
    EXPECT_EQ(counts.vertices, given.expected.vertices);
    EXPECT_EQ(static_cast<long long>(counts.vertices) - static_cast<long long>(counts.edges) +
                  static_cast<long long>(counts.faces) - static_cast<long long>(counts.cells),
              0);
    if (given.edge > 0) {
        for (const CellRec* cell : view)
            for (const Face4& face : cell->faces)
                for (std::size_t k = 0; k < face.cornerCount(); ++k)
                    EXPECT_NEAR(
                        toDouble(length(minus(face.vertices[k + 1], face.vertices[k]))),
                        given.edge, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Solids, Antiprism,
    ::testing::Values(
        // A regular tetrahedron gives the regular 16-cell.
        AntiprismCase{"tetrahedron",
                      {{{0, 0, 0}, {200, 200, 0}, {200, 0, 200}},
                       {{0, 0, 0}, {200, 200, 0}, {0, 200, 200}},
                       {{0, 0, 0}, {200, 0, 200}, {0, 200, 200}},
                       {{200, 200, 0}, {200, 0, 200}, {0, 200, 200}}},
                      {16, 32, 24, 8},
                      std::sqrt(80000.0)},
        AntiprismCase{"cube",
                      {{{0, 0, 0}, {200, 0, 0}, {200, 200, 0}, {0, 200, 0}},
                       {{0, 0, 200}, {200, 0, 200}, {200, 200, 200}, {0, 200, 200}},
                       {{0, 0, 0}, {200, 0, 0}, {200, 0, 200}, {0, 0, 200}},
                       {{0, 200, 0}, {200, 200, 0}, {200, 200, 200}, {0, 200, 200}},
                       {{0, 0, 0}, {0, 200, 0}, {0, 200, 200}, {0, 0, 200}},
                       {{200, 0, 0}, {200, 200, 0}, {200, 200, 200}, {200, 0, 200}}},
                      {28, 62, 48, 14},
                      200}),
    [](const ::testing::TestParamInfo<AntiprismCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
} // namespace kestrane::testing
