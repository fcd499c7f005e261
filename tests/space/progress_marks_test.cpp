// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recording_canvas.h"
#include "space/four_d_executor.h"
#include "space/four_d_scene.h"
#include "space_test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrane::testing {
namespace {

using Mark = ProgressMarks::Mark;

// What the window showed each time a command asked for a repaint: the
// drawing painted then, as a desktop would paint it.
struct Repaints {
    std::vector<std::vector<RecordingCanvas::Call>> drawings;
    std::vector<std::vector<Mark>> marks;

    void watch(ConstructionWindow& window)
    {
        window.state().progress().setListener([this, &window] {
            RecordingCanvas canvas;
            window.paint(canvas);
            drawings.push_back(canvas.calls());
            marks.push_back(window.state().progress().marks());
        });
    }
};

bool drawsLine(const std::vector<RecordingCanvas::Call>& calls, int x1, int y1, int x2, int y2)
{
    for (const RecordingCanvas::Call& call : calls) {
        if (call.shape == RecordingCanvas::Shape::Line && call.points[0].x == x1 &&
            call.points[0].y == y1 && call.points[1].x == x2 && call.points[1].y == y2)
            return true;
    }
    return false;
}

Mark line(int x1, int y1, int x2, int y2)
{
    return {Mark::Shape::Line, x1, y1, x2, y2, {}};
}

class BuildProgress : public SpaceRunFixture {};

// Build draws a tick of 10 pixels per placed face, counting on through the
// run, and the window shows each at once; a later paint shows none.
TEST_F(BuildProgress, EachPlacedFaceShowsItsTickWhileTheCommandRuns)
{
    Repaints repaints;
    repaints.watch(window);
    run({"A=point(300,200,0)", "B=point(500,200,0)", "C=point(500,400,0)", "D=point(300,400,0)",
         "E=point(300,200,200)", "F=point(500,200,200)", "M=point(400,300,100)",
         "bottom=polygon(A,B,C,D)", "front=polygon(A,B,F,E)", "cube=polyhedron(M)",
         "AddFaces(cube,bottom,front)", "Template(1)", "AddToTemplate(bottom)", "Build(cube,1)",
         "Build(cube,20)"});
    ASSERT_EQ(scene->polyhedra().front()->faces.size(), 6u);
    // Four faces placed: ticks k = 0 to 3, each seen in the drawing of its
    // repaint, the first Build's tick gone when the second Build draws.
    ASSERT_EQ(repaints.drawings.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(drawsLine(repaints.drawings[k], 200 + 10 * k, 20, 200 + 10 * k, 30));
    }
    EXPECT_EQ(repaints.marks[0], (std::vector<Mark>{line(200, 20, 200, 30)}));
    EXPECT_EQ(repaints.marks[1], (std::vector<Mark>{line(210, 20, 210, 30)}));
    EXPECT_EQ(window.state().progress().marks().size(), 3u);
    EXPECT_FALSE(window.state().progress().running());
    RecordingCanvas after;
    window.paint(after);
    EXPECT_FALSE(drawsLine(after.calls(), 230, 20, 230, 30));
}

class Build4DProgress : public ::testing::Test {
protected:
    Build4DProgress()
    {
        auto owned = std::make_unique<FourDScene>();
        window.executors().add(604, std::make_shared<FourDExecutor>(*owned));
        window.executors().add(604, std::make_shared<SpaceExecutor>(owned->space()));
        window.executors().setScene(604, std::move(owned));
    }

    void run(const std::vector<std::string_view>& body)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 604, "NoName", "", "");
        ModuleState modules;
        modules.set(604);
        ASSERT_TRUE(Compiler(modules, host).compile(*main).ok());
        window.startProgram(*main, 604, RunMode::Run);
    }

    ScriptedHost host;
    ConstructionWindow window{host};
    std::unique_ptr<ScriptFile> main;
};

// Each pass of Build4D paints its box with the cell count at its start, then
// a tick per cell of the pass: the tesseract from one cube takes passes of
// 1, 7 and 8 cells.
TEST_F(Build4DProgress, EveryPassShowsItsCountAndATickPerCell)
{
    Repaints repaints;
    repaints.watch(window);
    run({"A=point(0,0,0,0)", "B=point(200,0,0,0)", "C=point(200,200,0,0)", "D=point(0,200,0,0)",
         "E=point(0,0,200,0)", "F=point(200,0,200,0)", "G=point(200,200,200,0)",
         "H=point(0,200,200,0)", "p1=polygon(A,B,C,D)", "p2=polygon(E,F,G,H)",
         "p3=polygon(A,B,F,E)", "p4=polygon(D,C,G,H)", "p5=polygon(A,D,H,E)",
         "p6=polygon(B,C,G,F)", "cube=polyhedron()", "AddFaces(cube,p1,p2,p3,p4,p5,p6)",
         "M=point(100,100,100,100)", "T=polytope(M)", "AddCell(T,cube)", "Build4D(T)"});
    // Three passes (a box each) and 1 + 7 + 8 ticks.
    ASSERT_EQ(repaints.drawings.size(), 3u + 16u);
    std::vector<std::string> counts;
    for (const auto& drawing : repaints.drawings) {
        for (const RecordingCanvas::Call& call : drawing) {
            if (call.shape == RecordingCanvas::Shape::Text && call.text.size() == 4 &&
                call.points[0].x == 20 && call.points[0].y == 425 &&
                (counts.empty() || counts.back() != call.text))
                counts.push_back(call.text);
        }
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"0001", "0007", "0008"}));
    // The last repaint: the box, the count and the eight ticks of the last
    // pass over the drawing.
    const std::vector<Mark>& last = repaints.marks.back();
    ASSERT_EQ(last.size(), 10u);
    EXPECT_EQ(last[0], (Mark{Mark::Shape::Box, 10, 400, 400, 460, {}}));
    EXPECT_EQ(last[1], (Mark{Mark::Shape::Text, 20, 425, 20, 425, "0008"}));
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(last[2 + static_cast<std::size_t>(k)], line(12 + k, 410, 12 + k, 420));
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(drawsLine(repaints.drawings.back(), 12 + k, 410, 12 + k, 420));
    std::size_t boxes = 0;
    for (const RecordingCanvas::Call& call : repaints.drawings.back())
        boxes += call.shape == RecordingCanvas::Shape::Rectangle ? 1 : 0;
    EXPECT_GE(boxes, 1u);
    // The marks stay readable after the command, but are painted no more.
    EXPECT_EQ(window.state().progress().marks(), last);
    RecordingCanvas after;
    window.paint(after);
    EXPECT_FALSE(drawsLine(after.calls(), 12, 410, 12, 420));
}

} // namespace
} // namespace kestrane::testing
