// SPDX-License-Identifier: GPL-3.0-or-later
#include "depth_pictures.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "space/convex_hull.h"
#include "space/depth_order.h"
#include "space/four_d_executor.h"
#include "space/four_d_scene.h"
#include "space/space_executor.h"
#include "space/space_view.h"
#include "space_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace kestrane::testing {
namespace {

using Shape = RecordingCanvas::Shape;

LongTriple decimal(double x, double y, double z)
{
    auto text = [](double value) { return LongFromText(std::to_string(value)); };
    return {text(x), text(y), text(z)};
}

Face colouredFace(std::vector<LongTriple> corners, ColorRef colour)
{
    Face face = faceOf(std::move(corners));
    face.colour = colour;
    face.coloured = true;
    return face;
}

// A solid of loose faces, seen from far in front of all of them: every face
// is a front face.
PolyhedronRec looseFaces(std::vector<Face> faces)
{
    PolyhedronRec solid;
    for (Face& face : faces)
        solid.addFace(std::move(face));
    solid.centre = at(400, 275, -5000);
    updateView(solid);
    return solid;
}

// Two squares, the second tilted through the first: each is in front over
// part of their common area.
PolyhedronRec crossingSquares()
{
    return looseFaces({
        colouredFace({at(100, 100, 0), at(400, 100, 0), at(400, 400, 0), at(100, 400, 0)},
                     rgb(255, 0, 0)),
        colouredFace({at(200, 150, -60), at(500, 150, -60), at(500, 450, 60), at(200, 450, 60)},
                     rgb(0, 0, 255)),
    });
}

// Three sticks round a triangle, each rising along its length, so that
// each lies over the next where they overlap: no order of the three is
// right.
PolyhedronRec cyclicSticks()
{
    const double corners[3][2] = {{200, 150}, {560, 150}, {380, 462}};
    const ColorRef colours[3] = {rgb(255, 0, 0), rgb(0, 160, 0), rgb(0, 0, 255)};
    std::vector<Face> sticks;
    for (int stick = 0; stick < 3; ++stick) {
        const double* from = corners[stick];
        const double* to = corners[(stick + 1) % 3];
        double dx = to[0] - from[0];
        double dy = to[1] - from[1];
        double length = std::hypot(dx, dy);
        double ux = dx / length;
        double uy = dy / length;
        // From 60 before the corner to 60 past the next, 40 wide, rising 60.
        double startX = from[0] - 60 * ux;
        double startY = from[1] - 60 * uy;
        double endX = to[0] + 60 * ux;
        double endY = to[1] + 60 * uy;
        double sideX = -uy * 20;
        double sideY = ux * 20;
        sticks.push_back(colouredFace(
            {decimal(startX + sideX, startY + sideY, 0), decimal(endX + sideX, endY + sideY, 60),
             decimal(endX - sideX, endY - sideY, 60), decimal(startX - sideX, startY - sideY, 0)},
            colours[stick]));
    }
    return looseFaces(std::move(sticks));
}

bool onSegment(const CanvasPoint& point, const CanvasPoint& a, const CanvasPoint& b)
{
    double cross = (b.x - a.x) * (point.y - a.y) - (b.y - a.y) * (point.x - a.x);
    double length = std::hypot(b.x - a.x, b.y - a.y);
    double along = (point.x - a.x) * (b.x - a.x) + (point.y - a.y) * (b.y - a.y);
    return std::fabs(cross) <= 1.5 * length && along >= -1 && along <= length * length + length;
}

// Every outline stroke lies on the outline of some face: cuts are not drawn.
bool strokesOnFaceOutlines(const RecordingCanvas& canvas, const PolyhedronRec& solid)
{
    for (const RecordingCanvas::Call& call : canvas.callsOf(Shape::Line)) {
        bool found = false;
        for (const Face& view : solid.viewFaces) {
            for (std::size_t corner = 0; corner < view.cornerCount() && !found; ++corner) {
                CanvasPoint a{std::trunc(view.points[corner].x), std::trunc(view.points[corner].y)};
                CanvasPoint b{std::trunc(view.points[corner + 1].x),
                              std::trunc(view.points[corner + 1].y)};
                found = onSegment(call.points.front(), a, b) && onSegment(call.points.back(), a, b);
            }
        }
        if (!found)
            return false;
    }
    return true;
}

TEST(DepthOrder, FacesThatNeedCuttingArePaintedNearestLast)
{
    struct Case {
        const char* name;
        PolyhedronRec solid;
    };
    Case cases[] = {{"crossing squares", crossingSquares()}, {"cyclic sticks", cyclicSticks()}};
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        paintPolyhedron(canvas, c.solid);
        std::size_t compared = 0;
        EXPECT_EQ(DepthPictures::differences(c.solid, canvas, &compared), 0u);
        EXPECT_GT(compared, 20000u);
        // Neither case has an order of whole faces: some face was cut.
        EXPECT_GT(canvas.callsOf(Shape::Polygon).size(), c.solid.faces.size());
        EXPECT_TRUE(strokesOnFaceOutlines(canvas, c.solid));
    }
}

TEST(DepthOrder, OverlapOnTheWindowIgnoresSharedEdges)
{
    PolyhedronRec squares = crossingSquares();
    std::vector<std::size_t> both{0, 1};
    EXPECT_TRUE(facesOverlapOnWindow(squares.viewFaces, both));
    // Two halves of a square meet along an edge and do not overlap; a face
    // does not overlap itself.
    PolyhedronRec halves = looseFaces({
        colouredFace({at(100, 100, 0), at(250, 100, 0), at(250, 300, 0), at(100, 300, 0)}, kRed),
        colouredFace({at(250, 100, 0), at(400, 100, 30), at(400, 300, 30), at(250, 300, 0)}, kRed),
    });
    EXPECT_FALSE(facesOverlapOnWindow(halves.viewFaces, both));
    EXPECT_FALSE(facesOverlapOnWindow(halves.viewFaces, std::vector<std::size_t>{0}));
}

TEST(DepthOrder, AFaceThatIsNotConvexKeepsItsOutline)
{
    // An L over a square that lies behind its corner and comes later in face
    // order: the L is drawn in triangles, outlined only along its own edges.
    PolyhedronRec solid = looseFaces({
        colouredFace({at(100, 100, 0), at(300, 100, 0), at(300, 200, 0), at(200, 200, 0),
                      at(200, 400, 0), at(100, 400, 0)},
                     rgb(255, 0, 0)),
        colouredFace({at(150, 150, -20), at(350, 150, -20), at(350, 350, -20), at(150, 350, -20)},
                     rgb(0, 0, 255)),
    });
    RecordingCanvas canvas;
    paintPolyhedron(canvas, solid);
    EXPECT_EQ(DepthPictures::differences(solid, canvas), 0u);
    EXPECT_GT(canvas.callsOf(Shape::Polygon).size(), 2u);
    EXPECT_TRUE(strokesOnFaceOutlines(canvas, solid));
}

// Runs an example program with a turn appended, in a window with both
// space executors, and gives the polyhedron shown.
class ExampleSolids : public ::testing::Test {
protected:
    ExampleSolids()
    {
        auto space = std::make_unique<SpaceScene>();
        m_space = space.get();
        m_window.executors().add(503, std::make_shared<SpaceExecutor>(*space));
        m_window.executors().setScene(503, std::move(space));
        auto fourD = std::make_unique<FourDScene>();
        m_fourD = fourD.get();
        m_window.executors().add(604, std::make_shared<FourDExecutor>(*fourD));
        m_window.executors().add(604, std::make_shared<SpaceExecutor>(fourD->space()));
        m_window.executors().setScene(604, std::move(fourD));
    }

    const PolyhedronRec& run(const char* example, int module, const std::string& turn)
    {
        std::filesystem::path path =
            std::filesystem::path(KESTRANE_SOURCE_DIR) / "examples" / example;
        std::optional<std::string> bytes = readWholeFile(path);
        EXPECT_TRUE(bytes.has_value()) << path;
        std::string text = bytes->substr(1);
        std::size_t end = text.rfind("END");
        text.insert(end, turn + "\r\n");
        Directories directories;
        ScriptLoader loader(m_host, directories);
        m_script = loader.build(text, module, "NoName", "", "");
        ModuleState modules;
        modules.set(module);
        CompileResult result = Compiler(modules, m_host).compile(*m_script);
        EXPECT_TRUE(result.ok()) << result.error->message;
        m_window.startProgram(*m_script, module, RunMode::Run);
        const SpaceScene& scene = module == 503 ? *m_space : m_fourD->space();
        return *scene.polyhedra().front();
    }

    ScriptedHost m_host;
    ConstructionWindow m_window{m_host};
    SpaceScene* m_space = nullptr;
    FourDScene* m_fourD = nullptr;
    std::unique_ptr<ScriptFile> m_script;
};

TEST_F(ExampleSolids, StellationsAndNetsShowWhatIsInFront)
{
    struct Case {
        const char* example;
        int module;
        const char* turn;
    };
    const Case cases[] = {
        {"stellation.kst", 503, "rotate(star,90,120,0)"},
        {"stellation.kst", 503, "rotate(star,30,20,0)"},
        {"tesseract.kst", 604, "rotate(N,30,30,0)"},
        {"tesseract.kst", 604, "rotate(N,70,200,10)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.example) + " " + c.turn);
        const PolyhedronRec& solid = run(c.example, c.module, c.turn);
        RecordingCanvas canvas;
        paintPolyhedron(canvas, solid);
        std::size_t compared = 0;
        EXPECT_EQ(DepthPictures::differences(solid, canvas, &compared), 0u);
        EXPECT_GT(compared, 10000u);
    }
}

// Paints the solid the way a convex one is painted: every face that is not
// edge-on in face order, then the front faces again.
RecordingCanvas inFaceOrder(const PolyhedronRec& solid)
{
    RecordingCanvas canvas;
    FloatPoint centre = viewCentre(solid);
    for (const Face& view : solid.viewFaces) {
        if (visibility(view, centre) != 0)
            paintViewFace(canvas, view);
    }
    for (const Face& view : solid.viewFaces) {
        if (visibility(view, centre) == 1)
            paintViewFace(canvas, view);
    }
    return canvas;
}

bool sameCalls(const RecordingCanvas& first, const RecordingCanvas& second)
{
    if (first.calls().size() != second.calls().size())
        return false;
    for (std::size_t index = 0; index < first.calls().size(); ++index) {
        const RecordingCanvas::Call& a = first.calls()[index];
        const RecordingCanvas::Call& b = second.calls()[index];
        if (a.shape != b.shape || a.pen != b.pen || a.brushClear != b.brushClear ||
            a.brush != b.brush || a.points.size() != b.points.size())
            return false;
        for (std::size_t point = 0; point < a.points.size(); ++point) {
            if (a.points[point].x != b.points[point].x || a.points[point].y != b.points[point].y)
                return false;
        }
    }
    return true;
}

class ConvexSolids : public SpaceRunFixture {};

TEST_F(ConvexSolids, ArePaintedInFaceOrderAsBefore)
{
    for (const char* turn : {"rotate(cube,0,0,0)", "rotate(cube,20,30,0)", "rotate(cube,45,45,45)",
                             "rotate(cube,300,10,170)"}) {
        SCOPED_TRACE(turn);
        run(cubeThen({"Coloring(cube)", turn}));
        const PolyhedronRec& cube = *scene->findPolyhedron("cube");
        RecordingCanvas canvas;
        paintPolyhedron(canvas, cube);
        EXPECT_TRUE(sameCalls(canvas, inFaceOrder(cube)));
    }
}

TEST(DepthOrderConvex, AManyFacedHullIsPaintedInFaceOrder)
{
    // An icosahedron's vertices pushed out onto a sphere, hulled: convex,
    // with many small faces meeting along their edges.
    std::vector<LongTriple> points;
    const double golden = std::numbers::pi * (3 - std::sqrt(5.0));
    for (int index = 0; index < 120; ++index) {
        double y = 1 - 2 * (index + 0.5) / 120;
        double radius = std::sqrt(1 - y * y);
        points.push_back(decimal(400 + 200 * radius * std::cos(golden * index), 275 + 200 * y,
                                 200 * radius * std::sin(golden * index)));
    }
    PolyhedronRec solid;
    std::optional<std::vector<Face>> faces = convexHull(points);
    ASSERT_TRUE(faces.has_value());
    for (Face& face : *faces) {
        face.colour = rgb(200, 120, 40);
        face.coloured = true;
        solid.addFace(std::move(face));
    }
    solid.makeCentre();
    for (std::array<int, 3> angles : {std::array{0, 0, 0}, std::array{33, 71, 5}}) {
        solid.angles = angles;
        updateView(solid);
        RecordingCanvas canvas;
        paintPolyhedron(canvas, solid);
        EXPECT_TRUE(sameCalls(canvas, inFaceOrder(solid)));
    }
}

} // namespace
} // namespace kestrane::testing
