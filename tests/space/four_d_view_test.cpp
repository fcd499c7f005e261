// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_host.h"
#include "runtime/construction_window.h"
#include "script/compiler.h"
#include "script/script_loader.h"
#include "space/four_d_executor.h"
#include "space/four_d_scene.h"
#include "space/frame_file.h"
#include "space/space_executor.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>

namespace kestrane::testing {
namespace {

// A Dimension 4 window as the desktop program sets it up: the
// four-dimensional commands first, then the space commands on the scene's
// polyhedra.
class FourDView : public ::testing::Test {
protected:
    FourDView()
    {
        auto owned = std::make_unique<FourDScene>();
        scene = owned.get();
        window.executors().add(604, std::make_shared<FourDExecutor>(*owned));
        window.executors().add(604, std::make_shared<SpaceExecutor>(owned->space()));
        window.executors().setScene(604, std::move(owned));
    }

    // Runs the body of start() after a cube of edge 200 at w = 0 completed
    // to the tesseract T.
    void run(std::initializer_list<std::string_view> body)
    {
        std::string text = "void start()\r\n";
        for (std::string_view line :
             {"A=point(0,0,0,0)", "B=point(200,0,0,0)", "C=point(200,200,0,0)",
              "D=point(0,200,0,0)", "E=point(0,0,200,0)", "F=point(200,0,200,0)",
              "G=point(200,200,200,0)", "H=point(0,200,200,0)", "p1=polygon(A,B,C,D)",
              "p2=polygon(E,F,G,H)", "p3=polygon(A,B,F,E)", "p4=polygon(D,C,G,H)",
              "p5=polygon(A,D,H,E)", "p6=polygon(B,C,G,F)", "cube=polyhedron()",
              "AddFaces(cube,p1,p2,p3,p4,p5,p6)", "M=point(100,100,100,100)", "T=polytope(M)",
              "AddCell(T,cube)", "Build4D(T)"})
            text += std::string(line) + "\r\n";
        for (std::string_view line : body)
            text += std::string(line) + "\r\n";
        text += "END\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        scripts.push_back(loader.build(text, 604, "NoName", "", ""));
        ModuleState modules;
        modules.set(604);
        CompileResult result = Compiler(modules, host).compile(*scripts.back());
        ASSERT_TRUE(result.ok()) << result.error->message;
        window.startProgram(*scripts.back(), 604, RunMode::Run);
        window.showDeferredMessage();
    }

    std::string sceneJson() const
    {
        std::string json = scene->json();
        return json;
    }

    PolyhedronRec& shown() const { return *scene->space().polyhedra().front(); }

    ScriptedHost host;
    ConstructionWindow window{host};
    FourDScene* scene = nullptr;
    std::vector<std::unique_ptr<ScriptFile>> scripts;
};

// The control panel's rows as the window receives clicks.
constexpr double kPanelX = 60;
double rowY(int row)
{
    return 55 + 25 * row;
}

TEST_F(FourDView, BuildNetShowsThePanelWhoseCellButtonsGrowTheNet)
{
    run({"N=BuildNet(T)"});
    ASSERT_TRUE(scene->space().show().controlPanel());
    EXPECT_TRUE(window.click(kPanelX, rowY(3))); // Next cell
    ASSERT_NE(scene->outlinedCell(), nullptr);
    EXPECT_TRUE(window.click(kPanelX, rowY(4))); // Insert cell
    EXPECT_EQ(scene->outlinedCell(), nullptr);
    EXPECT_EQ(scene->net()->inserted, 2u);
    // Inserting needs no outline first; the rest of the cells go in, then
    // the buttons have nothing left to do.
    for (int cell = 2; cell < 8; ++cell)
        EXPECT_TRUE(window.click(kPanelX, rowY(4)));
    EXPECT_FALSE(window.click(kPanelX, rowY(4)));
    EXPECT_FALSE(window.click(kPanelX, rowY(3)));
    EXPECT_EQ(shown().faces.size(), 48u);
    EXPECT_EQ(shown().viewFaces.size(), 48u);

    // The other rows act on the net as on any solid: Rotation turns it.
    EXPECT_TRUE(window.click(kPanelX, rowY(1)));
    EXPECT_EQ(shown().angles, (std::array<int, 3>{3, 5, 0}));
}

TEST_F(FourDView, NetMadeAtOnceShowsNoPanelAndIgnoresCellClicks)
{
    run({"N=Net(T)"});
    EXPECT_FALSE(scene->space().show().controlPanel());
    EXPECT_FALSE(window.click(kPanelX, rowY(4)));
}

// Removing the net or the played section leaves the buttons and the timer
// nothing to work on.
TEST_F(FourDView, RemovedNetAndSectionAreLeftAlone)
{
    run({"N=BuildNet(T)", "RemovePolyhedron(N)", "S=PlayCross(T)", "RemovePolyhedron(S)"});
    EXPECT_TRUE(scene->space().polyhedra().empty());
    EXPECT_FALSE(window.click(kPanelX, rowY(4)));
    EXPECT_FALSE(window.tick());
    RecordingCanvas canvas;
    window.click(kPanelX, rowY(3));
    scene->paint(canvas);
    EXPECT_EQ(scene->net()->inserted, 1u);
}

TEST_F(FourDView, OutlinedCellTurnsWithTheNet)
{
    run({"N=BuildNet(T)"});
    window.click(kPanelX, rowY(3));
    RecordingCanvas still;
    scene->paint(still);
    ASSERT_TRUE(window.drag(40, 0));
    EXPECT_EQ(shown().angles, (std::array<int, 3>{0, 40, 0}));
    RecordingCanvas turned;
    scene->paint(turned);
    auto redLines = [](const RecordingCanvas& canvas) {
        std::vector<RecordingCanvas::Call> lines;
        for (const RecordingCanvas::Call& call : canvas.callsOf(RecordingCanvas::Shape::Line)) {
            if (call.pen == rgb(255, 0, 0))
                lines.push_back(call);
        }
        return lines;
    };
    ASSERT_EQ(redLines(still).size(), 24u);
    ASSERT_EQ(redLines(turned).size(), 24u);
    CanvasPoint from = redLines(still).front().points.front();
    CanvasPoint to = redLines(turned).front().points.front();
    EXPECT_TRUE(from.x != to.x || from.y != to.y);
}

TEST_F(FourDView, PlayedSectionMovesOnTicksUntilQ)
{
    run({"PathOfCross(1,1,1,1,8)", "S=PlayCross(T)"});
    ASSERT_TRUE(scene->crossPath());
    EXPECT_EQ(scene->crossPath()->step, 0);
    std::size_t firstFaces = shown().faces.size();
    EXPECT_TRUE(window.tick());
    EXPECT_TRUE(window.tick());
    EXPECT_EQ(scene->crossPath()->step, 2);
    // Near a corner the diagonal cut is a triangle, further in a hexagon
    // or more: the faces change with the step.
    EXPECT_NE(shown().faces.size(), firstFaces);
    EXPECT_EQ(shown().viewFaces.size(), shown().faces.size());

    EXPECT_TRUE(window.pressKey(static_cast<int>(Key::Q)));
    window.tick();
    EXPECT_EQ(scene->crossPath()->step, 2);
    window.pressKey(static_cast<int>(Key::Q));
    window.tick();
    EXPECT_EQ(scene->crossPath()->step, 3);
}

TEST_F(FourDView, PlayAndRotateTurnASection)
{
    run({"e=plane(0,0,0,1,100)", "S=CrossSect3D(T,e)", "rotate(S,10,20,30)"});
    EXPECT_EQ(shown().angles, (std::array<int, 3>{10, 20, 30}));
    run({"e=plane(0,0,0,1,100)", "S=CrossSect3D(T,e)", "Play(S,2,4,6)"});
    window.tick();
    window.tick();
    EXPECT_EQ(shown().angles, (std::array<int, 3>{4, 8, 12}));
}

// A section of the tesseract by w = 100 is the cube [0, 200]³: unturned,
// its face towards the viewer fills the frame's one front face; turned a
// quarter about y, another face is in front, and in single precision the
// side face turned edge-on stays a hair in front, a segment in its quarter
// shade, as the view itself draws it.
TEST_F(FourDView, SectionFramesAreTheViewsBytes)
{
    TempDir directory;
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(directory.path());
    run({"PathOfCross(0,0,0,1,1)", "f=String($cut.frm)", "SaveCross(T,f,0,0,90,2)"});
    std::filesystem::current_path(previous);
    std::optional<std::string> bytes = readWholeFile(directory / "cut.frm");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "AG" "AB" "AE" "AAAA" "IAAA" "IAIA" "AAIA"
                      "AE" "AAPPPP" "AAABACAD"
                      "AG" "AC" "AE" "AAIA" "AAAA" "IAAA" "IAIA"
                      "AE" "AADPDP" "AAABABAA"
                      "AE" "AAIAPP" "AAABACAD");
    EXPECT_TRUE(host.messages().empty());
}

// Undo puts the four-dimensional scene back as it was before a run, and
// redo brings the run back; the restored polytope's cells are its own.
TEST_F(FourDView, UndoAndRedoRestoreTheScene)
{
    run({"N=BuildNet(T)"});
    window.click(kPanelX, rowY(4));
    std::string before = sceneJson();
    run({"e=plane(0,0,0,1,50)", "S=CrossSect3D(T,e)", "PathOfCross(1,0,0,0,5)"});
    std::string after = sceneJson();
    ASSERT_NE(before, after);

    ASSERT_TRUE(window.undo());
    EXPECT_EQ(sceneJson(), before);
    PolytopeRec* polytope = scene->findPolytope("T", "start");
    ASSERT_NE(polytope, nullptr);
    for (CellRec* cell : polytope->cells) {
        EXPECT_TRUE(std::any_of(scene->cells().begin(), scene->cells().end(),
                                [&](const auto& owned) { return owned.get() == cell; }));
    }
    ASSERT_TRUE(scene->net());
    EXPECT_EQ(scene->net()->polyhedron, &shown());
    // The net still grows from the panel after the undo.
    EXPECT_TRUE(window.click(kPanelX, rowY(4)));
    EXPECT_EQ(scene->net()->inserted, 3u);
    window.click(kPanelX, rowY(1)); // a change to drop on redo

    ASSERT_TRUE(window.redo());
    EXPECT_EQ(sceneJson(), after);
    ASSERT_TRUE(window.undo());
    EXPECT_NE(sceneJson(), after);
}

} // namespace
} // namespace kestrane::testing
