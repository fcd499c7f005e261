// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/script_run.h"
#include "platform/files.h"
#include "platform/scripted_host.h"
#include "runtime/figure_program.h"
#include "runtime/store_json.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>

namespace kestrane::cli {
namespace {

// The construction without what a saved program cannot share with a mouse
// figure: the variable names and the module of the run.
std::string comparable(std::string json)
{
    static const std::regex names(R"("names":\[(\[[^\]]*\],?)*\])");
    static const std::regex module(R"("module":[0-9]+,)");
    json = std::regex_replace(json, names, "\"names\":[]");
    return std::regex_replace(json, module, "");
}

class FigureProgram : public ::testing::Test {
protected:
    FigureProgram() : window(host) {}

    void draw(Tool tool, double x1, double y1, double x2 = 0, double y2 = 0)
    {
        window.chooseTool(tool);
        window.click(x1, y1);
        if (tool != Tool::Point)
            window.click(x2, y2);
    }

    // Saves the figure, runs the saved program and compares the two.
    void expectRebuilt()
    {
        std::string program = figureProgram(window.store(), window.figures());
        std::filesystem::path path = directory.path() / "figure.kst";
        ASSERT_TRUE(replaceFile(path, program));
        std::ostringstream errors;
        ScriptRun run(errors, ScriptSetup{});
        ASSERT_EQ(run.run(path.string(), {}, {}), ScriptRunStatus::Finished)
            << run.compileError().text() << program;
        EXPECT_EQ(comparable(storeJson(run.window(), {})), comparable(storeJson(window, {})))
            << program;
        EXPECT_EQ(program.find("not saved"), std::string::npos) << program;
    }

    // Hovers over a random point, line, segment or circle and deletes
    // whatever the window highlights there.
    void deleteSomething(std::mt19937& random)
    {
        const ObjectStore& store = window.store();
        std::vector<std::pair<double, double>> places;
        for (const auto& point : store.points())
            places.emplace_back(point->floats.x, point->floats.y);
        for (const auto& circle : store.circles())
            places.emplace_back(circle->floats.centre.x + circle->floats.radius,
                                circle->floats.centre.y);
        for (const auto& straight : store.lines())
            places.emplace_back((straight->floats.first.x + straight->floats.second.x) / 2,
                                (straight->floats.first.y + straight->floats.second.y) / 2);
        for (const auto& straight : store.segments())
            places.emplace_back((straight->floats.first.x + straight->floats.second.x) / 2,
                                (straight->floats.first.y + straight->floats.second.y) / 2);
        if (places.empty())
            return;
        auto [x, y] = places[random() % places.size()];
        window.mouseMove(x, y);
        window.deleteHighlighted();
    }

    ScriptedHost host;
    ConstructionWindow window;
    testing::TempDir directory;
};

// Random mouse figures of every kind with the intersections the mouse made,
// measurements and Deletes of points, lines, segments and circles; long
// enough that the labels run into the numbered ones (A1, L12, d3).
TEST_F(FigureProgram, RandomMouseFiguresAreRebuiltExactly)
{
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(seed);
        window.removeAll();
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> x(30, 770);
        std::uniform_int_distribution<int> y(30, 520);
        int actions = std::uniform_int_distribution<int>(3, 14)(random);
        for (int action = 0; action < actions; ++action) {
            switch (std::uniform_int_distribution<int>(0, 7)(random)) {
            case 0:
                draw(Tool::Point, x(random), y(random));
                break;
            case 1:
                draw(Tool::Line, x(random), y(random), x(random), y(random));
                break;
            case 2:
                draw(Tool::Circle, x(random), y(random), x(random), y(random));
                break;
            case 3:
                draw(Tool::Segment, x(random), y(random), x(random), y(random));
                break;
            case 4:
                draw(Tool::HalfLine, x(random), y(random), x(random), y(random));
                break;
            case 5:
                draw(Tool::Distance, x(random), y(random), x(random), y(random));
                break;
            case 6:
                // Through an existing point: the tools snap to it.
                if (!window.store().points().empty()) {
                    const auto& points = window.store().points();
                    const PointRec& point = *points[random() % points.size()];
                    draw(random() % 2 ? Tool::Line : Tool::Segment, point.floats.x, point.floats.y,
                         x(random), y(random));
                }
                break;
            default:
                deleteSomething(random);
            }
        }
        expectRebuilt();
    }
}

TEST_F(FigureProgram, SegmentsHalfLinesAndLinesKeepTheirLabelsAndOrder)
{
    draw(Tool::HalfLine, 100, 100, 200, 100);
    draw(Tool::Segment, 300, 400, 300, 300);
    draw(Tool::Line, 50, 500, 60, 400);
    draw(Tool::Segment, 700, 50, 600, 60);
    draw(Tool::Point, 400, 200);
    // A segment through an existing point snaps to it.
    draw(Tool::Segment, 400, 200, 450, 250);
    expectRebuilt();
}

TEST_F(FigureProgram, ProgramFiguresKeepColoursHiddenLabelsAndTexts)
{
    std::filesystem::path source = directory.path() / "source.kst";
    ASSERT_TRUE(replaceFile(source, "1void start()\r\n"
                                    "A=point(100,100)\r\nB=point(300,120)\r\n"
                                    "k=circle(A,B)\r\nColor(k)=RGB(10,20,30)\r\n"
                                    "l=line(A,B)\r\nname(l)=no\r\n"
                                    "Title(10,10,$Worksheet 1)\r\nEND\r\n"));
    std::ostringstream errors, out;
    ScriptRun run(errors, ScriptSetup{});
    ASSERT_EQ(run.run(source.string(), {}, {}), ScriptRunStatus::Finished)
        << run.compileError().text();
    std::string program = figureProgram(run.window().store(), run.window().figures());
    EXPECT_NE(program.find("Color(C1)=RGB(10,20,30)"), std::string::npos) << program;
    EXPECT_NE(program.find("name(L1)=no"), std::string::npos) << program;
    EXPECT_NE(program.find("Title(10,10,$Worksheet 1)"), std::string::npos) << program;
}

TEST_F(FigureProgram, CrossingsOfSegmentsAndHalfLinesAreSavedByTheirCommands)
{
    draw(Tool::Line, 100, 300, 700, 310);
    draw(Tool::Segment, 400, 100, 410, 500);
    draw(Tool::HalfLine, 50, 50, 600, 450);
    draw(Tool::Circle, 400, 300, 500, 330);
    std::string program = figureProgram(window.store(), window.figures());
    EXPECT_NE(program.find("=Inters2Lin(L1,d1)"), std::string::npos) << program;
    EXPECT_NE(program.find("=IntersCircLin("), std::string::npos) << program;
    EXPECT_TRUE(program.starts_with("1//"));
    EXPECT_TRUE(program.ends_with("END\r\n"));
    expectRebuilt();
}

// Labels past Z carry digits; a deleted line leaves a gap in the numbers
// that the saved program keeps.
TEST_F(FigureProgram, NumberedLabelsAndGapsAreKept)
{
    for (int column = 0; column < 30; ++column)
        draw(Tool::Point, 40 + column * 20, 40 + (column % 7) * 50);
    draw(Tool::Line, 35, 500, 700, 505);
    draw(Tool::Line, 35, 520, 700, 400);
    draw(Tool::Line, 35, 400, 700, 520);
    window.mouseMove(367, 502);
    ASSERT_TRUE(window.deleteHighlighted());
    std::string program = figureProgram(window.store(), window.figures());
    EXPECT_NE(program.find("SetName(A1,$A1)"), std::string::npos) << program;
    expectRebuilt();
}

// A program's figure (Dimension 2): free points with decimal coordinates,
// distances, the text DrawDist wrote, polygons and a vector come back as
// they were.
TEST_F(FigureProgram, ProgramFiguresComeBackAsFreeObjects)
{
    std::filesystem::path source = directory.path() / "source.kst";
    ASSERT_TRUE(replaceFile(source, "2void start()\r\n"
                                    "A=point(100,100)\r\nB=point(300,120)\r\n"
                                    "d=distance(A,B)\r\nk=circle(A,d)\r\n"
                                    "M=point(150.125,-3.5)\r\nh=HalfLine(M,B)\r\n"
                                    "DrawDist(20,40,$AB=,d)\r\n"
                                    "e=d+d\r\nC=point(200,300)\r\n"
                                    "p=polygon(A,B,C)\r\nfill(p)=red\r\n"
                                    "q=polygon(M,A,C)\r\nfill(q)=RGB(1,2,3)\r\n"
                                    "v=vector(A,M)\r\nEND\r\n"));
    std::ostringstream errors, out;
    ScriptRun run(errors, ScriptSetup{});
    ASSERT_EQ(run.run(source.string(), {}, {}), ScriptRunStatus::Finished)
        << run.compileError().text();
    std::string program = figureProgram(run.window().store(), run.window().figures());
    EXPECT_NE(program.find("=point(150.125,-3.5)"), std::string::npos) << program;
    EXPECT_NE(program.find("Text(20,40,$AB=201.00)"), std::string::npos) << program;
    std::filesystem::path saved = directory.path() / "saved.kst";
    ASSERT_TRUE(replaceFile(saved, program));
    ScriptRun again(errors, ScriptSetup{});
    ASSERT_EQ(again.run(saved.string(), {}, {}), ScriptRunStatus::Finished)
        << again.compileError().text();
    EXPECT_EQ(comparable(storeJson(again.window(), {})), comparable(storeJson(run.window(), {})))
        << program;
    EXPECT_EQ(program.find("not saved"), std::string::npos) << program;
}

} // namespace
} // namespace kestrane::cli
