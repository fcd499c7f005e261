// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "script/words.h"
#include "space/control_panel.h"
#include "space/space_view.h"
#include "space_test_support.h"

#include <gtest/gtest.h>

namespace kestrane::testing {
namespace {

using Shape = RecordingCanvas::Shape;

std::vector<CanvasPoint> cornersOf(const Face& view)
{
    std::vector<CanvasPoint> corners;
    for (std::size_t corner = 0; corner < view.cornerCount(); ++corner)
        corners.push_back({std::trunc(view.points[corner].x), std::trunc(view.points[corner].y)});
    return corners;
}

bool samePoints(const std::vector<CanvasPoint>& first, const std::vector<CanvasPoint>& second)
{
    if (first.size() != second.size())
        return false;
    for (std::size_t index = 0; index < first.size(); ++index) {
        if (first[index].x != second[index].x || first[index].y != second[index].y)
            return false;
    }
    return true;
}

// A face of the given corners and colour, viewed unturned.
Face viewedFace(std::vector<LongTriple> corners, ColorRef colour, bool coloured)
{
    PolyhedronRec holder;
    Face face = faceOf(std::move(corners));
    face.colour = colour;
    face.coloured = coloured;
    return viewOfFace(holder, face);
}

TEST(SpaceViewRotation, TurnsAboutTheCentreAxisByAxis)
{
    struct Case {
        const char* name;
        std::array<int, 3> angles;
        FloatPoint expected;
    };
    // The point (1, 0, 0) from the centre: about z by 90 it goes to
    // x = cos·1, y = −sin·1; about y by 90 the x offset goes into −z.
    const Case cases[] = {
        {"no turn", {0, 0, 0}, {11, 20, 30}},     {"z by 90", {0, 0, 90}, {10, 19, 30}},
        {"y by 90", {0, 90, 0}, {10, 20, 29}},    {"x by 90 leaves x", {90, 0, 0}, {11, 20, 30}},
        {"full turn", {0, 0, 360}, {11, 20, 30}},
    };
    const FloatPoint centre{10, 20, 30};
    for (const Case& c : cases) {
        FloatPoint turned = rotatedPoint({11, 20, 30}, centre, c.angles);
        EXPECT_NEAR(turned.x, c.expected.x, 1e-4) << c.name;
        EXPECT_NEAR(turned.y, c.expected.y, 1e-4) << c.name;
        EXPECT_NEAR(turned.z, c.expected.z, 1e-4) << c.name;
    }
}

TEST(SpaceViewRotation, TheAxesTurnInOrderXThenYThenZ)
{
    // x by 90 takes the y offset into −z; y by 90 then takes −z into −x
    // (x′ = cos·dx + sin·dz).
    FloatPoint turned = rotatedPoint({0, 1, 0}, {0, 0, 0}, {90, 90, 0});
    EXPECT_NEAR(turned.x, -1, 1e-5);
    EXPECT_NEAR(turned.y, 0, 1e-5);
    EXPECT_NEAR(turned.z, 0, 1e-5);
}

TEST(SpaceViewShading, KeepsTheColourFacingTheViewerAndAQuarterEdgeOn)
{
    struct Case {
        ColorRef base;
        float nz;
        ColorRef expected;
    };
    const Case cases[] = {
        {rgb(200, 200, 200), 1.0f, rgb(200, 200, 200)},
        {rgb(200, 200, 200), -1.0f, rgb(200, 200, 200)},
        {rgb(200, 100, 0), 0.0f, rgb(50, 25, 0)},
        // s = sqrt(0.25) = 0.5: (k + 1.5 k) / 4, truncated.
        {rgb(255, 4, 1), 0.25f, rgb(159, 2, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shadedColour(c.base, c.nz), c.expected) << c.nz;
}

TEST(SpaceViewFaces, PlaneCentroidAndVisibility)
{
    // Corners counter-clockwise on the window: the normal points to −z.
    Face view = viewedFace({at(0, 0, 5), at(10, 0, 5), at(10, 20, 5)}, kWhite, false);
    EXPECT_FLOAT_EQ(view.normal.z, 1);
    EXPECT_FLOAT_EQ(view.offset, 5);
    EXPECT_FLOAT_EQ(view.centroidX, 20.0f / 3);
    EXPECT_FLOAT_EQ(view.centroidY, 20.0f / 3);
    EXPECT_EQ(visibility(view, {0, 0, 0}), 1);
    EXPECT_EQ(visibility(view, {0, 0, 10}), -1);
    Face edgeOn = viewedFace({at(0, 0, 0), at(10, 0, 0), at(10, 0, 10)}, kWhite, false);
    EXPECT_EQ(visibility(edgeOn, {5, 5, 5}), 0);
}

TEST(SpaceViewFaces, WhiteFacesAreOutlinedEvenWhenColoured)
{
    struct Case {
        const char* name;
        ColorRef colour;
        bool coloured;
        std::size_t polygons;
        std::size_t lines;
        bool brushClear;
    };
    const Case cases[] = {
        {"white coloured", kWhite, true, 0, 3, true},
        {"white plain", kWhite, false, 0, 3, true},
        {"red coloured", rgb(255, 0, 0), true, 1, 0, false},
        {"red plain", rgb(255, 0, 0), false, 1, 0, true},
    };
    for (const Case& c : cases) {
        Face view = viewedFace({at(0, 0, 5), at(10, 0, 5), at(10, 20, 5)}, c.colour, c.coloured);
        RecordingCanvas canvas;
        paintViewFace(canvas, view);
        EXPECT_EQ(canvas.callsOf(Shape::Polygon).size(), c.polygons) << c.name;
        EXPECT_EQ(canvas.callsOf(Shape::LineTo).size(), c.lines) << c.name;
        if (c.polygons == 1) {
            const RecordingCanvas::Call polygon = canvas.callsOf(Shape::Polygon).front();
            EXPECT_EQ(polygon.brushClear, c.brushClear) << c.name;
            if (!c.brushClear) {
                EXPECT_EQ(polygon.brush, view.shadedColour) << c.name;
            }
        }
    }
}

class SpaceView : public SpaceRunFixture {
protected:
    const PolyhedronRec& cube() const { return *scene->findPolyhedron("cube"); }
    std::vector<CanvasPoint> paintedPolygon(const RecordingCanvas& canvas, std::size_t index)
    {
        return canvas.callsOf(Shape::Polygon)[index].points;
    }
};

TEST_F(SpaceView, ATurnOfNothingLeavesTheViewFacesEqualToTheModelFaces)
{
    run(cubeThen({"rotate(cube,30,40,50)", "rotate(cube,0,0,0)"}));
    ASSERT_EQ(cube().viewFaces.size(), 6u);
    for (std::size_t index = 0; index < 6; ++index)
        EXPECT_EQ(cube().viewFaces[index].vertices, cube().faces[index].vertices) << index;
}

TEST_F(SpaceView, RotateTurnsTheViewAndNotTheModel)
{
    run(cubeThen({"rotate(cube,0,0,90)"}));
    // The bottom face turned a quarter about the centre (400, 300): its
    // corner A (300, 200) goes to (300, 400).
    const Face& bottom = cube().viewFaces[0];
    EXPECT_NEAR(toDouble(bottom.vertices[0].x), 300, 1e-3);
    EXPECT_NEAR(toDouble(bottom.vertices[0].y), 400, 1e-3);
    EXPECT_EQ(doubles(cube().faces[0].vertices[0]), (std::vector<double>{300, 200, 0}));
}

TEST_F(SpaceView, TheFrontFacesAreDrawnAgainOverBothSides)
{
    run(cubeThen({"Coloring(cube)", "rotate(cube,20,30,0)"}));
    RecordingCanvas canvas;
    scene->paint(canvas);
    FloatPoint centre = viewCentre(cube());
    std::vector<std::size_t> front;
    std::size_t sided = 0;
    for (std::size_t index = 0; index < 6; ++index) {
        int seen = visibility(cube().viewFaces[index], centre);
        sided += seen != 0 ? 1 : 0;
        if (seen == 1)
            front.push_back(index);
    }
    ASSERT_EQ(sided, 6u);
    ASSERT_EQ(front.size(), 3u);
    ASSERT_EQ(canvas.callsOf(Shape::Polygon).size(), 9u);
    // First pass: all six in order; second: the front ones in order.
    for (std::size_t index = 0; index < 6; ++index)
        EXPECT_TRUE(samePoints(paintedPolygon(canvas, index), cornersOf(cube().viewFaces[index])));
    for (std::size_t pass = 0; pass < 3; ++pass)
        EXPECT_TRUE(
            samePoints(paintedPolygon(canvas, 6 + pass), cornersOf(cube().viewFaces[front[pass]])));
}

TEST_F(SpaceView, EdgeOnFacesAreNeverDrawn)
{
    run(cubeThen({"Coloring(cube)"}));
    RecordingCanvas canvas;
    scene->paint(canvas);
    // Unturned, the four sides stand edge-on: top and bottom, then the
    // front one again.
    EXPECT_EQ(canvas.callsOf(Shape::Polygon).size(), 3u);
}

TEST_F(SpaceView, AnimationStepsWrapTheAnglesAndCountTheFaces)
{
    struct Case {
        const char* play;
        int ticks;
        std::array<int, 3> angles;
    };
    const Case cases[] = {
        {"Play(cube,370,0,0)", 1, {10, 0, 0}},
        {"Play(cube,-10,5,0)", 2, {340, 10, 0}},
        {"Play(cube,3,5,0)", 120, {0, 240, 0}},
    };
    for (const Case& c : cases) {
        run(cubeThen({c.play}));
        for (int tick = 0; tick < c.ticks; ++tick)
            EXPECT_TRUE(window.tick());
        EXPECT_EQ(cube().angles, c.angles) << c.play;
    }
    RecordingCanvas canvas;
    scene->paint(canvas);
    EXPECT_EQ(canvas.texts(), std::vector<std::string>{"Ilosc scian: 006"});
}

TEST_F(SpaceView, QStopsAndRestartsTheAnimation)
{
    run(cubeThen({"Play(cube,10,0,0)"}));
    EXPECT_TRUE(window.pressKey(static_cast<int>(Key::Q)));
    EXPECT_FALSE(window.tick());
    EXPECT_EQ(cube().angles[0], 0);
    EXPECT_TRUE(window.pressKey(static_cast<int>(Key::Q)));
    window.tick();
    EXPECT_EQ(cube().angles[0], 10);
    EXPECT_FALSE(window.pressKey(static_cast<int>(Key::X)));
}

TEST(ControlPanel, RowsTakeClicksInsideTheirBounds)
{
    struct Case {
        double x;
        double y;
        std::optional<ControlButton> button;
    };
    const Case cases[] = {
        {51, 50, ControlButton::Animate},
        {119, 74.9, ControlButton::Animate},
        {60, 75, ControlButton::Rotation},
        {60, 100, ControlButton::NextFace},
        {60, 125, ControlButton::NextCell},
        {60, 150, ControlButton::InsertCell},
        {60, 199, ControlButton::Picture},
        {50, 60, std::nullopt},
        {120, 60, std::nullopt},
        {60, 49, std::nullopt},
        {60, 200, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(controlButtonAt(c.x, c.y), c.button) << c.x << ", " << c.y;
}

TEST_F(SpaceView, TheControlPanelComesWithAStellation)
{
    run(cubeThen({}));
    EXPECT_FALSE(scene->show().controlPanel());
    EXPECT_FALSE(window.click(60, 60));
    run(cubeThen({"star=Stellated(cube)"}));
    ASSERT_TRUE(scene->show().controlPanel());
    const PolyhedronRec& star = *scene->findPolyhedron("star");

    // Next face cycles and names the face.
    EXPECT_TRUE(window.click(60, 110));
    EXPECT_EQ(scene->show().highlightedFace(), 0u);
    EXPECT_EQ(window.messagePanelText(), "face 1 of 24");
    for (int press = 0; press < 24; ++press)
        window.click(60, 110);
    EXPECT_EQ(scene->show().highlightedFace(), 0u);

    // Rotation steps by hand with the default steps; Animate toggles.
    EXPECT_TRUE(window.click(60, 80));
    EXPECT_EQ(star.angles, (std::array<int, 3>{3, 5, 0}));
    EXPECT_FALSE(star.animated);
    window.click(60, 60);
    EXPECT_TRUE(star.animated);
    window.click(60, 60);
    EXPECT_FALSE(star.animated);

    RecordingCanvas canvas;
    window.paint(canvas);
    std::vector<std::string> texts = canvas.texts();
    for (std::string_view label : control_panel::kLabels)
        EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
    std::size_t red = 0;
    for (const RecordingCanvas::Call& call : canvas.callsOf(Shape::LineTo))
        red += call.pen == rgb(255, 0, 0) ? 1 : 0;
    EXPECT_EQ(red, star.viewFaces[0].cornerCount());
}

TEST_F(SpaceView, DraggingTurnsByADegreeAPixel)
{
    run(cubeThen({}));
    EXPECT_TRUE(window.drag(10.5, -3));
    EXPECT_FALSE(window.drag(0.4, 0));
    EXPECT_TRUE(window.drag(0.2, 0));
    EXPECT_EQ(cube().angles, (std::array<int, 3>{357, 11, 0}));
}

TEST_F(SpaceView, ASphereParameterIsChosenByItsOutline)
{
    run({"O=point(400,300,0)", "R=point(500,300,0)", "ball=sphere(O,R)"});
    runText("void start(sphere S)\r\nT=point(0,0,0)\r\nEND\r\n");
    ASSERT_EQ(window.pendingChoice(), type::kSphere);
    // Inside the outline: the wrong-figure box, and the choice still waits.
    EXPECT_FALSE(window.click(420, 300));
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages().front().text, "Niewlasciwa figura wybrana.");
    EXPECT_TRUE(window.click(400, 401.5));
    EXPECT_EQ(window.pendingChoice(), 0);
    EXPECT_TRUE(window.programCompleted());
    EXPECT_EQ(scene->findSphere("S", "start"), scene->spheres().front().get());
}

TEST_F(SpaceView, OtherSpaceObjectsAreDrawnUnturnedAndPlanesNot)
{
    run({"A=point(100,100,0)", "B=point(500,100,0)", "C=point(100,400,0)", "floor=plane(A,B,C)",
         "O=point(300,250,0)", "R=point(400,250,0)", "ball=sphere(O,R)",
         "ring=IntersSpherePlane(ball,floor)", "P=point(0,100,0)", "Q=point(100,150,50)",
         "slope=line3D(P,Q)", "U=point(300,250,-100)", "V=point(300,250,200)",
         "upright=line3D(U,V)"});
    RecordingCanvas canvas;
    scene->paint(canvas);
    // The sphere's outline circle.
    ASSERT_EQ(canvas.callsOf(Shape::Ellipse).size(), 1u);
    std::vector<CanvasPoint> box = canvas.callsOf(Shape::Ellipse).front().points;
    EXPECT_EQ(box.front().x, 200);
    EXPECT_EQ(box.front().y, 150);
    EXPECT_EQ(box.back().x, 400);
    EXPECT_EQ(box.back().y, 350);
    // The circle in the floor: four quarters of one point per pixel, all on
    // the circle of radius 100 about (300, 250).
    std::vector<RecordingCanvas::Call> quarters = canvas.callsOf(Shape::Polyline);
    ASSERT_EQ(quarters.size(), 4u);
    for (const RecordingCanvas::Call& quarter : quarters) {
        EXPECT_EQ(quarter.points.size(), 100u);
        for (const CanvasPoint& point : quarter.points)
            EXPECT_NEAR(std::hypot(point.x - 300, point.y - 250), 100, 1e-6);
    }
    // The slanted line crosses the whole drawing, from x = 0 to its right
    // edge; the line along z is a single point on the window and is not
    // drawn; the plane is not drawn.
    ASSERT_EQ(canvas.callsOf(Shape::Line).size(), 1u);
    std::vector<CanvasPoint> ends = canvas.callsOf(Shape::Line).front().points;
    EXPECT_EQ(ends.front().x, 0);
    EXPECT_EQ(ends.front().y, 100);
    EXPECT_EQ(ends.back().x, 800);
    EXPECT_EQ(ends.back().y, 500);
    EXPECT_TRUE(canvas.callsOf(Shape::Polygon).empty());
}

} // namespace
} // namespace kestrane::testing
