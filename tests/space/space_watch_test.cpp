// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/statement_trace.h"
#include "runtime/watch_values.h"
#include "space_test_support.h"

namespace kestrane::testing {
namespace {

// The lines of a cube of side 200 round M = (400, 300, 100).
const std::vector<std::string_view> kCube = {
    "A=point(300,200,0)",
    "B=point(500,200,0)",
    "C=point(500,400,0)",
    "D=point(300,400,0)",
    "E=point(300,200,200)",
    "F=point(500,200,200)",
    "G=point(500,400,200)",
    "H=point(300,400,200)",
    "M=point(400,300,100)",
    "bottom=polygon(A,B,C,D)",
    "top=polygon(E,F,G,H)",
    "front=polygon(A,B,F,E)",
    "back=polygon(D,C,G,H)",
    "left=polygon(A,D,H,E)",
    "right=polygon(B,C,G,F)",
    "cube=polyhedron(M)",
    "AddFaces(cube,bottom,top,front,back,left,right)",
};

class SpaceWatch : public SpaceRunFixture {
protected:
    // "kind text" of a name of start, as the watch panel shows it.
    std::string shown(std::string_view name) const
    {
        for (const WatchValue& value : watchScope(window.state(), "start")) {
            if (value.name == name)
                return std::string(value.kindName) + " " + value.text;
        }
        return "missing";
    }
    std::string field(std::string_view name, std::string_view key) const
    {
        for (const WatchValue& value : watchScope(window.state(), "start")) {
            for (const WatchField& entry : value.fields) {
                if (value.name == name && entry.key == key)
                    return entry.value;
            }
        }
        return "missing";
    }
};

TEST_F(SpaceWatch, PointsPlanesLinesAndSpheresShowTheirThreeCoordinates)
{
    run({"A=point(0,0,0)", "B=point(100,0,0)", "C=point(0,100,0)", "D=point(0,0,50)",
         "e=plane(A,B,C)", "l=line3D(A,D)", "s=sphere(A,B)"});
    EXPECT_EQ(shown("D"), "point (0, 0, 50)");
    EXPECT_EQ(field("D", "z"), "50.000000000000000");
    EXPECT_EQ(shown("l"), "line3D through (0, 0, 0) and (0, 0, 50)");
    EXPECT_EQ(shown("s"), "sphere centre (0, 0, 0), radius 100");
    EXPECT_EQ(field("s", "r"), "100.000000000000000");
    // Its unit normal: zero terms and the unit coefficient left out.
    EXPECT_EQ(shown("e"), "plane z = 0");
    EXPECT_EQ(field("e", "C"), "1.000000000000000");
}

TEST_F(SpaceWatch, APolyhedronShowsItsCountsAndItsSection)
{
    std::vector<std::string_view> lines = kCube;
    lines.push_back("level=plane(B,D,E)");
    lines.push_back("s=CrossSection(cube,level)");
    run(lines);
    EXPECT_EQ(shown("cube"), "polyhedron 6 faces, 12 edges, 8 vertices, section of 3 vertices");
    EXPECT_EQ(field("cube", "vertices"), "8");
    EXPECT_EQ(shown("bottom"), "polygon 4 vertices");
}

TEST_F(SpaceWatch, ATraceNamesTheSceneObjectAStatementMade)
{
    std::vector<std::string> lines;
    StatementTrace trace(
        window.state(), [](const ScriptFile*) { return std::string("cube.kst"); },
        [&](const std::string& line) { lines.push_back(line); });
    window.setObserver(&trace);
    run({"A=point(0,0,0)", "B=point(100,0,0)", "s=sphere(A,B)"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("\"shown\":\"(0, 0, 0)\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[2].find("{\"name\":\"s\",\"kind\":\"sphere\",\"shown\":\"centre (0, 0, 0), "
                            "radius 100\",\"cx\":\"0.000000000000000\""),
              std::string::npos)
        << lines[2];
}

TEST_F(SpaceWatch, ATraceShowsTheSceneObjectAStatementChangedWithoutNamingIt)
{
    std::vector<std::string> lines;
    StatementTrace trace(
        window.state(), [](const ScriptFile*) { return std::string("cube.kst"); },
        [&](const std::string& line) { lines.push_back(line); });
    window.setObserver(&trace);
    std::vector<std::string_view> body = kCube;
    body.push_back("Coloring(cube)");
    run(body);
    ASSERT_EQ(lines.size(), kCube.size() + 1);
    const std::string& added = lines[kCube.size() - 1];
    EXPECT_NE(added.find("\"names\":[{\"name\":\"cube\",\"kind\":\"polyhedron\","
                         "\"shown\":\"6 faces, 12 edges, 8 vertices\""),
              std::string::npos)
        << added;
    // Colours are no value: a statement that only colours names nothing.
    EXPECT_NE(lines.back().find("\"names\":[]"), std::string::npos) << lines.back();
}

} // namespace
} // namespace kestrane::testing
