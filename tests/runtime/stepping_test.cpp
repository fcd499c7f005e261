// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "platform/recording_canvas.h"
#include "runtime/watch_values.h"

#include <set>

namespace kestrane::testing {
namespace {

// start calls outer, which calls inner; the comments give the lines, from 0.
const std::initializer_list<std::string_view> kNested = {
    "void inner(point P)", // 0
    "M=point(10,10)",      // 1
    "N=point(20,20)",      // 2
    "END",                 // 3
    "void outer(point P)", // 4
    "inner(P)",            // 5
    "Q=point(30,30)",      // 6
    "END",                 // 7
    "void start()",        // 8
    "A=point(1,1)",        // 9
    "outer(A)",            // 10
    "B=point(2,2)",        // 11
    "END",                 // 12
};

class Stepping : public RunFixture {
protected:
    // Compiles the program and starts it with breakpoints on the lines.
    void run(std::initializer_list<std::string_view> lines, std::initializer_list<int> breakpoints,
             RunMode mode = RunMode::Run)
    {
        std::string text;
        for (std::string_view line : lines)
            text += std::string(line) + "\r\n";
        Directories directories;
        ScriptLoader loader(host, directories);
        main = loader.build(text, 502, "NoName", "", "");
        ModuleState modules;
        modules.set(502);
        ASSERT_TRUE(Compiler(modules, host).compile(*main).ok());
        std::set<SourcePlace> places;
        for (int line : breakpoints)
            places.insert(SourcePlace{main.get(), line});
        window.setBreakpoints(places);
        window.startProgram(*main, 502, mode);
    }
    int currentLine() const
    {
        std::optional<SourcePlace> place = window.currentPlace();
        return place ? place->line : -1;
    }
    std::vector<std::string> stack() const
    {
        std::vector<std::string> entries;
        for (const StackEntry& entry : window.interpreter().callStack())
            entries.push_back(entry.procedure + ":" + std::to_string(entry.place.line));
        return entries;
    }
    std::vector<std::string> namesOf(std::string_view scope) const
    {
        std::vector<std::string> names;
        for (const WatchValue& value : watchScope(window.state(), scope))
            names.push_back(value.name);
        return names;
    }
    std::vector<std::string> steppedLabels() const
    {
        std::vector<std::string> labels;
        for (const GeoObject* object : window.steppedObjects())
            labels.push_back(object->label);
        return labels;
    }
};

using Strings = std::vector<std::string>;

TEST_F(Stepping, RunWithoutBreakpointsRunsToTheEnd)
{
    run(kNested, {});
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(window.programCompleted());
    EXPECT_EQ(window.currentPlace(), std::nullopt);
}

TEST_F(Stepping, BreakpointInACalledProcedureStopsBeforeItsStatement)
{
    run(kNested, {2});
    ASSERT_TRUE(window.paused());
    EXPECT_TRUE(window.interpreter().atBreakpointPause());
    EXPECT_EQ(currentLine(), 2);
    // The statement on the line has not run; the one before it has.
    EXPECT_EQ(namesOf("inner"), (Strings{"M", "P"}));
    EXPECT_EQ(stack(), (Strings{"inner:2", "outer:5", "start:10"}));
    EXPECT_EQ(window.canvasMessage(), "Break of program. Press space bar to continue.");
}

TEST_F(Stepping, ContinueRunsToTheNextBreakpointThenToTheEnd)
{
    run(kNested, {1, 11});
    EXPECT_EQ(currentLine(), 1);
    window.resume();
    EXPECT_EQ(currentLine(), 11);
    EXPECT_EQ(stack(), (Strings{"start:11"}));
    // The space bar goes on as after Break.
    window.pressSpace();
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(window.programCompleted());
    EXPECT_EQ(store().points().size(), 5u);
}

TEST_F(Stepping, StepOutOfNestedCallsStopsAfterEachCall)
{
    run(kNested, {1});
    window.stepOut();
    EXPECT_EQ(stack(), (Strings{"outer:6", "start:10"}));
    window.stepOut();
    EXPECT_EQ(stack(), (Strings{"start:11"}));
    // Stepping out of start runs to the end.
    window.stepOut();
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(window.programCompleted());
}

TEST_F(Stepping, StepOverRunsACallThroughAndStepIntoEntersIt)
{
    run(kNested, {10});
    window.stepOver();
    EXPECT_EQ(currentLine(), 11);
    EXPECT_EQ(namesOf("start"), (Strings{"A"}));
    EXPECT_EQ(store().points().size(), 4u);

    run(kNested, {10});
    window.stepInto();
    EXPECT_EQ(stack(), (Strings{"outer:5", "start:10"}));
    window.stepInto();
    EXPECT_EQ(stack(), (Strings{"inner:1", "outer:5", "start:10"}));
    // Inside a procedure, Step Over stays in it and stops at its END.
    window.stepOver();
    window.stepOver();
    EXPECT_EQ(currentLine(), 3);
    window.stepOver();
    EXPECT_EQ(stack(), (Strings{"outer:6", "start:10"}));
}

TEST_F(Stepping, BreakpointInsideASteppedOverCallStillStops)
{
    run(kNested, {10, 6});
    window.stepOver();
    EXPECT_EQ(stack(), (Strings{"outer:6", "start:10"}));
    EXPECT_TRUE(window.interpreter().atBreakpointPause());
}

TEST_F(Stepping, RunToPlaceStopsOnceThere)
{
    run(kNested, {9});
    window.runTo(SourcePlace{main.get(), 6});
    EXPECT_EQ(stack(), (Strings{"outer:6", "start:10"}));
    // The place is used once: going on runs to the end.
    window.resume();
    EXPECT_FALSE(window.running());
}

TEST_F(Stepping, BreakStatementAndBreakpointsPauseAlike)
{
    run({"void start()", "A=point(1,1)", "Break(1)", "B=point(2,2)", "C=point(3,3)", "END"}, {4});
    EXPECT_EQ(currentLine(), 3);
    EXPECT_FALSE(window.interpreter().atBreakpointPause());
    window.resume();
    EXPECT_EQ(currentLine(), 4);
    window.resume();
    EXPECT_TRUE(window.programCompleted());
}

TEST_F(Stepping, SteppedObjectsAreHighlightedUntilTheNextStep)
{
    run({"void start()", "A=point(1,1)", "B=point(5,1)", "l=line(A,B)", "C=point(1,1)", "END"}, {},
        RunMode::StepByStep);
    window.pressSpace();
    EXPECT_EQ(steppedLabels(), (Strings{"A"}));
    EXPECT_TRUE(point("A")->highlighted);
    window.stepInto();
    EXPECT_EQ(steppedLabels(), (Strings{"B"}));
    EXPECT_FALSE(point("A")->highlighted);
    window.stepInto();
    ASSERT_EQ(window.steppedObjects().size(), 1u);
    EXPECT_EQ(window.steppedObjects()[0], store().lines()[0].get());
    // A point made where one stands merges with it: the older point is
    // what the statement named.
    window.stepInto();
    EXPECT_EQ(steppedLabels(), (Strings{"A"}));
    // The end of the program ends the highlight.
    window.stepInto();
    EXPECT_FALSE(window.running());
    EXPECT_TRUE(window.steppedObjects().empty());
    EXPECT_FALSE(point("A")->highlighted);
}

TEST_F(Stepping, CommandsDoNothingUnlessPaused)
{
    run(kNested, {});
    std::size_t points = store().points().size();
    window.stepInto();
    window.stepOver();
    window.stepOut();
    window.resume();
    EXPECT_EQ(store().points().size(), points);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(Stepping, ListingHighlightsAndScrollsToTheCurrentStatement)
{
    std::vector<std::string> lines = {"void start()"};
    for (int index = 0; index < 60; ++index)
        lines.push_back("P" + std::to_string(index) + "=point(" + std::to_string(index) + ",1)");
    lines.push_back("END");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    Directories directories;
    ScriptLoader loader(host, directories);
    main = loader.build(text, 502, "NoName", "", "");
    ModuleState modules;
    modules.set(502);
    ASSERT_TRUE(Compiler(modules, host).compile(*main).ok());
    window.setBreakpoints({SourcePlace{main.get(), 50}});
    window.startProgram(*main, 502, RunMode::Run);
    window.showListing(text);
    // Line 50 lies below the first page of the listing: it is scrolled into
    // view with a band behind it.
    EXPECT_LE(window.listingTop(), 50);
    EXPECT_GT(window.listingTop() + ConstructionWindow::kListingLines, 50);
    RecordingCanvas canvas;
    window.paintOverlay(canvas);
    int bandTop = 5 + (50 - window.listingTop()) * ConstructionWindow::kListingLineHeight;
    bool band = false;
    for (const RecordingCanvas::Call& call : canvas.callsOf(RecordingCanvas::Shape::FillRect))
        band = band || (call.points.size() == 2 && call.points[0].y == bandTop &&
                        call.points[1].y == bandTop + ConstructionWindow::kListingLineHeight);
    EXPECT_TRUE(band);
}

} // namespace
} // namespace kestrane::testing
