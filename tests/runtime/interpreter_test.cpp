// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "runtime/construction_state.h"

namespace kestrane::testing {
namespace {

// --- Decimal distances and distance arithmetic ---------------------------------

class DistanceStatements : public RunFixture {};

TEST_F(DistanceStatements, DecimalLiteralKeepsEveryDigitThatFits)
{
    start({"void start()", "d=12.5", "e=1234.5678", "f=0.000000000000001234", "END"});
    EXPECT_EQ(decimal(distance("d")->value), "12.500000000000000");
    EXPECT_EQ(decimal(distance("e")->value), "1234.567800000000000");
    // Digits past the last fraction word do not fit and are dropped.
    EXPECT_EQ(decimal(distance("f")->value), "0.000000000000001");
    EXPECT_EQ(distance("d")->label, "1");
    EXPECT_EQ(distance("e")->label, "2");
}

// The compiler refuses such a number; a program compiled while the numbers
// were longer still meets the run-time message rather than a wrapped value.
TEST_F(DistanceStatements, DecimalTooLargeForTheNumberIsReportedNotWrapped)
{
    Directories directories;
    ScriptLoader loader(host, directories);
    main = loader.build("void start()\r\nd=1234567890123456.5\r\nEND\r\n", 502, "NoName", "", "");
    ModuleState modules;
    modules.set(502);
    {
        LongWordsScope longer(12);
        ASSERT_TRUE(Compiler(modules, host).compile(*main).ok());
    }
    window.startProgram(*main, 502, RunMode::Run);
    EXPECT_EQ(distance("d"), nullptr);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Run-time error.");
}

TEST_F(DistanceStatements, ArithmeticOfTwoDistances)
{
    start({"void start()", "a=3.5", "b=1.25", "s=a+b", "t=a-b", "u=b-a", "END"});
    EXPECT_EQ(decimal(distance("s")->value), "4.750000000000000");
    EXPECT_EQ(decimal(distance("t")->value), "2.250000000000000");
    EXPECT_EQ(decimal(distance("u")->value), "-2.250000000000000");
}

// Inside a recursive procedure the inner END drops the names of the shared
// scope, so the outer activation no longer finds `a` as a distance: the line
// is then taken as a call of a procedure "a+b", which does not exist.
TEST_F(DistanceStatements, ArithmeticFallsBackToACallWhenTheFirstIsNoDistance)
{
    start({"void g(distance a, distance b, point P, point Q)", "if P==Q then StartIf",
           "X=point(5,5)", "g(a,b,P,X)", "EndOfIf", "e=a+b", "END", "void start()", "a=1.5",
           "b=2.0", "A=point(1,1)", "g(a,b,A,A)", "END"});
    ASSERT_EQ(store().distances().size(), 3u);
    EXPECT_EQ(decimal(store().distances()[2]->value), "3.500000000000000");
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Run-time error.: There is no procedure 'a+b'."});
}

// --- Conditions -------------------------------------------------------------------

class Conditions : public RunFixture {
protected:
    // B lies `offset` to the right of A, made through an intersection.
    void runEqualityWithOffset(std::string_view offset)
    {
        std::string radius = "d=" + std::string(offset);
        start({"void start()", "A=point(100,100)", "C=point(200,100)", radius, "c=circle(A,d)",
               "l=line(A,C)", "B=IntersCircLin(c,l,1)", "if A==B then StartIf", "Inside=point(1,1)",
               "EndOfIf", "After=point(2,2)", "END"});
    }
};

TEST_F(Conditions, EqualPointsWithinOneHundredthRunTheBlock)
{
    runEqualityWithOffset("0.005");
    EXPECT_NE(point("Inside"), nullptr);
    EXPECT_NE(point("After"), nullptr);
}

TEST_F(Conditions, PointsFartherApartSkipPastEndOfIf)
{
    runEqualityWithOffset("0.02");
    EXPECT_EQ(point("Inside"), nullptr);
    EXPECT_NE(point("After"), nullptr);
}

TEST_F(Conditions, SideAndBetweenTests)
{
    start({"void start()",
           "A=point(0,100)",
           "B=point(200,100)",
           "l=line(A,B)",
           "P=point(50,50)",
           "Q=point(50,150)",
           "R=point(60,40)",
           "if TwoSides(l,P,Q) then StartIf",
           "Two=point(1,1)",
           "EndOfIf",
           "if OneSide(l,P,Q) then StartIf",
           "NotOne=point(2,2)",
           "EndOfIf",
           "if OneSide(l,P,R) then StartIf",
           "One=point(3,3)",
           "EndOfIf",
           "if Between(A,B,P) then StartIf",
           "Inside=point(4,4)",
           "EndOfIf",
           "if NotBetween(A,B,R) then StartIf",
           "Outside=point(5,5)",
           "EndOfIf",
           "END"});
    EXPECT_NE(point("Two"), nullptr);
    EXPECT_EQ(point("NotOne"), nullptr);
    EXPECT_NE(point("One"), nullptr);
    EXPECT_EQ(point("Inside"), nullptr); // P lies above the box of A and B
    EXPECT_NE(point("Outside"), nullptr);
}

// --- Procedures -------------------------------------------------------------------

class Procedures : public RunFixture {};

TEST_F(Procedures, ReturnInTheMiddleBindsAndTheBodyGoesOn)
{
    start({"point corner(point P)", "M=point(40,30)", "return M", "N=point(7,7)", "END",
           "void start()", "A=point(1,1)", "R=corner(A)", "END"});
    ASSERT_NE(point("R"), nullptr);
    EXPECT_EQ(position(*point("R")), "40,30");
    // The statement after return ran, and the callee's names are gone.
    EXPECT_EQ(store().points().size(), 3u);
    EXPECT_EQ(store().find<PointRec>("N", "corner"), nullptr);
    EXPECT_FALSE(window.running());
}

TEST_F(Procedures, ParametersBindByNameInTheCallerScope)
{
    start({"void join(point P, point Q)", "s=segment(P,Q)", "END", "void start()", "A=point(10,10)",
           "B=point(50,10)", "join(B,A)", "END"});
    ASSERT_EQ(store().segments().size(), 1u);
    EXPECT_EQ(decimal(store().segments()[0]->x1), "10.000000000000000");
    // The formal names were dropped when join ended; A and B stay.
    EXPECT_EQ(point("A")->names.size(), 1u);
}

TEST_F(Procedures, EndlessRecursionStopsAtTheDepthLimit)
{
    start({"void f(point P)", "f(P)", "END", "void start()", "A=point(1,1)", "f(A)", "B=point(2,2)",
           "END"});
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "Run-time error.: Too many nested procedure calls. The program is stopped."});
    EXPECT_FALSE(window.running());
    EXPECT_EQ(point("B"), nullptr);
}

// --- Modes --------------------------------------------------------------------------

class Modes : public RunFixture {
protected:
    void startCallingProgram(RunMode mode)
    {
        start({"void three(point P)", "X=point(10,10)", "Y=point(20,20)", "Z=point(30,30)", "END",
               "void start()", "A=point(1,1)", "three(A)", "B=point(2,2)", "END"},
              mode);
    }
};

TEST_F(Modes, StepByStepExecutesOneStatementPerSpaceAndEntersCalls)
{
    startCallingProgram(RunMode::StepByStep);
    EXPECT_TRUE(store().points().empty());
    EXPECT_EQ(window.canvasMessage(), "Press space bar to continue.");
    window.pressSpace();
    EXPECT_EQ(store().points().size(), 1u);
    EXPECT_EQ(window.messages().line1, "A=point(1,1)");
    EXPECT_EQ(window.messages().code, message_code::kStep);
    window.pressSpace(); // the call
    EXPECT_EQ(window.interpreter().depth(), 2u);
    window.pressSpace();
    EXPECT_EQ(window.messages().line1, "X=point(10,10)");
    EXPECT_EQ(window.messages().line2, "Press space bar to continue.");
    EXPECT_EQ(store().points().size(), 2u);
}

TEST_F(Modes, StepOverRunsAWholeCalleeOnOneSpace)
{
    startCallingProgram(RunMode::StepOver);
    // Step over executes the first statement at once.
    EXPECT_EQ(store().points().size(), 1u);
    window.pressSpace();
    EXPECT_EQ(store().points().size(), 4u);
    EXPECT_EQ(window.interpreter().depth(), 1u);
    window.pressSpace();
    EXPECT_EQ(store().points().size(), 5u);
    window.pressSpace(); // END of start
    EXPECT_FALSE(window.running());
    window.pressSpace();
    EXPECT_EQ(window.messages().line1, "end of file");
}

TEST_F(Modes, BreakPausesARunUntilSpace)
{
    start({"void start()", "A=point(1,1)", "Break(1)", "B=point(2,2)", "END"});
    EXPECT_EQ(window.runMode(), RunMode::Paused);
    EXPECT_EQ(point("B"), nullptr);
    EXPECT_EQ(window.canvasMessage(), "Break of program. Press space bar to continue.");
    window.setShowMessages(false);
    EXPECT_EQ(window.canvasMessage(), "");
    window.pressSpace();
    EXPECT_NE(point("B"), nullptr);
    EXPECT_FALSE(window.running());
    EXPECT_EQ(window.messages().line1, "Click on one of elements of status bar");
}

TEST_F(Modes, BreakDoesNothingWhileStepping)
{
    start({"void start()", "Break(1)", "B=point(2,2)", "END"}, RunMode::StepByStep);
    window.pressSpace();
    window.pressSpace();
    EXPECT_EQ(window.runMode(), RunMode::StepByStep);
    EXPECT_NE(point("B"), nullptr);
}

// --- Choices for the parameters of start ------------------------------------------

class StartChoices : public RunFixture {};

TEST_F(StartChoices, PointAndLineWaitForTwoChoicesBeforeTheBody)
{
    start({"void start(point A, line l)", "B=point(300,200)", "END"});
    EXPECT_EQ(window.pendingChoice(), 16);
    EXPECT_EQ(window.messages().line1, "choose point");
    EXPECT_EQ(window.canvasMessage(), "Choose a point. Click mouse on this point.");
    window.pressSpace();
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"Run-time error.: Choose a point first. Look for "
                                       "variables of procedure start(...)."});
    EXPECT_TRUE(window.click(100, 120));
    EXPECT_EQ(window.pendingChoice(), 13);
    EXPECT_EQ(window.messages().line1, "choose line");
    EXPECT_EQ(point("B"), nullptr);

    // Nothing but the point is under the mouse: the wrong figure.
    EXPECT_FALSE(window.click(100, 120));
    EXPECT_EQ(host.messages().back().text, "Niewlasciwa figura wybrana.");
    EXPECT_EQ(host.messages().back().caption, "");

    window.state().store().makeLine(LongNum::fromInteger(0), LongNum::fromInteger(400),
                                    LongNum::fromInteger(400), LongNum::fromInteger(400));
    EXPECT_TRUE(window.click(250, 401));
    EXPECT_EQ(window.pendingChoice(), 0);
    ASSERT_NE(point("A"), nullptr);
    EXPECT_EQ(position(*point("A")), "100,120");
    EXPECT_NE(store().find<LineRec>("l", "start"), nullptr);
    EXPECT_NE(point("B"), nullptr);
    EXPECT_FALSE(window.running());
}

TEST_F(StartChoices, ClickOnAPointTakesThatPoint)
{
    start({"void start(point A, point B)", "s=segment(A,B)", "END"});
    window.click(50, 60);
    window.click(50.5, 60.5);
    EXPECT_EQ(store().points().size(), 1u);
    EXPECT_EQ(point("A"), point("B"));
}

TEST_F(StartChoices, ADistanceParameterStopsTheProgram)
{
    start({"void start(distance d)", "B=point(3,3)", "END"});
    EXPECT_FALSE(window.running());
    EXPECT_EQ(point("B"), nullptr);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Run-time error.");
}

} // namespace
} // namespace kestrane::testing
