// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/intersection_points.h"
#include "geometry/plane_algorithms.h"

#include "geo_test_support.h"

namespace kestrane {
namespace {

using testing::GeometryTest;
using testing::number;
using testing::shortText;

void expectAt(const std::optional<LongPlanePoint>& point, const char* x, const char* y)
{
    ASSERT_TRUE(point.has_value()) << "expected (" << x << ", " << y << ")";
    EXPECT_EQ(shortText(point->x), x);
    EXPECT_EQ(shortText(point->y), y);
}

class CircleLineTest : public GeometryTest {};

TEST_F(CircleLineTest, SolutionOneLiesInTheLineDirection)
{
    CircleRec& ring = circle("0", "0", "5");
    LineRec& rightward = line("0", "3", "1", "3");
    expectAt(intersectCircleLine(ring, rightward, Solution::First), "4", "3");
    expectAt(intersectCircleLine(ring, rightward, Solution::Second), "-4", "3");
    LineRec& leftward = line("1", "-3", "0", "-3");
    expectAt(intersectCircleLine(ring, leftward, Solution::First), "-4", "-3");
    expectAt(intersectCircleLine(ring, leftward, Solution::Second), "4", "-3");
}

TEST_F(CircleLineTest, SegmentsAndHalfLinesCountAsFullLines)
{
    CircleRec& ring = circle("0", "0", "5");
    SegmentRec& shortPiece = segment("0", "3", "1", "3");
    expectAt(intersectCircleLine(ring, shortPiece, Solution::First), "4", "3");
    HalfLineRec& ray = halfLine("0", "3", "1", "3");
    expectAt(intersectCircleLine(ring, ray, Solution::Second), "-4", "3");
}

TEST_F(CircleLineTest, TangentWithAWholeRadiusGivesOnePointForBoth)
{
    CircleRec& ring = circle("0", "0", "5");
    LineRec& horizontal = line("0", "5", "1", "5");
    expectAt(intersectCircleLine(ring, horizontal, Solution::First), "0", "5");
    expectAt(intersectCircleLine(ring, horizontal, Solution::Second), "0", "5");

    // Tangent at (103, 104) to the circle of radius 5 around (100, 100).
    CircleRec& other = circle("100", "100", "5");
    LineRec& slanted = line("103", "104", "99", "107");
    const auto points = makeCircleLineIntersections(m_store, other, slanted, Selector::Both);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], points[1]);
    EXPECT_EQ(shortText(points[0]->x), "103");
    EXPECT_EQ(shortText(points[0]->y), "104");
}

TEST_F(CircleLineTest, MissingLineMakesNothing)
{
    CircleRec& ring = circle("0", "0", "5");
    LineRec& far = line("0", "6", "1", "6");
    const std::size_t before = m_store.points().size();
    EXPECT_TRUE(makeCircleLineIntersections(m_store, ring, far, Selector::Both).empty());
    EXPECT_EQ(m_store.points().size(), before);
    EXPECT_TRUE(messages().empty());
}

TEST(SelectorText, OnlyALeadingOneSelectsTheFirstSolution)
{
    EXPECT_EQ(selectorFromText("1"), Selector::First);
    EXPECT_EQ(selectorFromText("12"), Selector::First);
    EXPECT_EQ(selectorFromText("2"), Selector::Second);
    EXPECT_EQ(selectorFromText("x"), Selector::Second);
    EXPECT_EQ(selectorFromText(""), Selector::Second);
}

class CircleCircleTest : public GeometryTest {};

TEST_F(CircleCircleTest, EqualHeightsTakeTheRightCircleAsA)
{
    CircleRec& left = circle("0", "0", "5");
    CircleRec& right = circle("6", "0", "5");
    for (const auto& [first, second] : {std::pair{&left, &right}, std::pair{&right, &left}}) {
        expectAt(intersectCircles(*first, *second, Solution::First), "3", "-4");
        expectAt(intersectCircles(*first, *second, Solution::Second), "3", "4");
    }
}

TEST_F(CircleCircleTest, TheUpperCircleIsA)
{
    CircleRec& upper = circle("0", "0", "5");
    CircleRec& lower = circle("0", "6", "5");
    expectAt(intersectCircles(lower, upper, Solution::First), "-4", "3");
    expectAt(intersectCircles(lower, upper, Solution::Second), "4", "3");
}

TEST_F(CircleCircleTest, CirclesThatDoNotCrossGiveNoPoint)
{
    const struct {
        const char* name;
        const char* secondX;
        const char* secondRadius;
    } cases[] = {
        {"touching outside", "10", "5"}, {"apart", "11", "5"},
        {"touching inside", "2", "3"},   {"nested", "1", "2"},
        {"same centre", "0", "3"},
    };
    for (const auto& entry : cases) {
        CircleRec& first = circle("0", "0", "5");
        CircleRec& second = circle(entry.secondX, "0", entry.secondRadius);
        EXPECT_FALSE(intersectCircles(first, second, Solution::First)) << entry.name;
        EXPECT_FALSE(intersectCircles(first, second, Solution::Second)) << entry.name;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(CircleCircleTest, ACircleWithItselfMakesNoPoint)
{
    CircleRec& ring = circle("100", "100", "5");
    EXPECT_TRUE(makeCircleIntersections(m_store, ring, ring, Selector::Both).empty());
    EXPECT_TRUE(messages().empty());
}

class StraightIntersectionTest : public GeometryTest {};

TEST_F(StraightIntersectionTest, CrossingLinesMeet)
{
    LineRec& rising = line("0", "0", "10", "10");
    LineRec& falling = line("0", "10", "10", "0");
    expectAt(intersectStraight(rising, falling), "5", "5");
    PointRec* made = makeStraightIntersection(m_store, rising, falling);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->label, "G") << "after the defining points A, B, E and F";
}

TEST_F(StraightIntersectionTest, ParallelLinesReportTheDivisionOnceAndMakeNoPoint)
{
    LineRec& first = line("0", "0", "10", "0");
    LineRec& second = line("0", "5", "10", "5");
    const std::size_t before = m_store.points().size();
    EXPECT_EQ(makeStraightIntersection(m_store, first, second), nullptr);
    EXPECT_EQ(m_store.points().size(), before);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Error.");
    EXPECT_EQ(messages()[0].text, "Division by zero. Major error may occur.");
}

TEST_F(StraightIntersectionTest, ParallelDirectionsTruncatedDifferentlyStillCountAsParallel)
{
    LineRec& first = line("0", "0", "1", "3");
    LineRec& second = line("0", "1", "2", "7");
    EXPECT_FALSE(intersectStraight(first, second));
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(StraightIntersectionTest, ALineWithItselfMakesNoPointAndNoMessage)
{
    LineRec& only = line("0", "0", "10", "3");
    EXPECT_EQ(makeStraightIntersection(m_store, only, only), nullptr);
    EXPECT_TRUE(messages().empty());
}

TEST_F(StraightIntersectionTest, ALineWithoutDirectionMeetsNothing)
{
    LineRec& degenerate = line("5", "5", "5", "5");
    LineRec& crossing = line("0", "0", "10", "10");
    CircleRec& ring = circle("5", "5", "3");
    m_host.clearMessages();
    EXPECT_FALSE(intersectStraight(degenerate, crossing));
    EXPECT_FALSE(intersectStraight(crossing, degenerate));
    EXPECT_FALSE(circleLineSolutions(ring, degenerate));
    EXPECT_TRUE(messages().empty()) << "the zero length was reported when the line was made";
}

TEST_F(StraightIntersectionTest, SegmentsCrossingOnlyInTheirExtensionsGiveNoPoint)
{
    SegmentRec& first = segment("0", "0", "1", "1");
    SegmentRec& second = segment("3", "0", "4", "-1");
    EXPECT_FALSE(intersectStraight(first, second));
    // Taken as full lines they meet.
    expectAt(intersectStraight(first, StraightKind::Line, second, StraightKind::Line), "1.5",
             "1.5");
}

TEST_F(StraightIntersectionTest, SegmentAcceptsByItsExtentInXAndY)
{
    LineRec& horizontal = line("0", "5", "10", "5");
    // Upright segments: x alone cannot decide.
    SegmentRec& atHalf = segment("2.5", "0", "2.5", "10");
    expectAt(intersectStraight(atHalf, horizontal), "2.5", "5");
    SegmentRec& shortUpright = segment("3", "0", "3", "4");
    EXPECT_FALSE(intersectStraight(shortUpright, horizontal));
    LineRec& farLine = line("0", "50", "10", "50");
    SegmentRec& atWhole = segment("3", "0", "3", "10");
    EXPECT_FALSE(intersectStraight(atWhole, farLine));
    // An end point lying on the other object is accepted.
    SegmentRec& endingThere = segment("0", "0", "5", "5");
    LineRec& upright = line("5", "0", "5", "10");
    expectAt(intersectStraight(endingThere, upright), "5", "5");
}

TEST_F(StraightIntersectionTest, HalfLineAcceptsOnlyAheadOfItsStart)
{
    HalfLineRec& east = halfLine("5", "5", "10", "5");
    LineRec& behind = line("2", "0", "2", "10");
    LineRec& ahead = line("8", "0", "8", "10");
    EXPECT_FALSE(intersectStraight(east, behind));
    expectAt(intersectStraight(east, ahead), "8", "5");

    HalfLineRec& up = halfLine("5", "5", "5", "0");
    LineRec& below = line("0", "10", "10", "10");
    LineRec& above = line("0", "2", "10", "2");
    EXPECT_FALSE(intersectStraight(up, below));
    expectAt(intersectStraight(up, above), "5", "2");
}

class SideTest : public GeometryTest {};

TEST_F(SideTest, PointsOnOppositeSidesAndOnTheSameSide)
{
    LineRec& axis = line("0", "0", "10", "0");
    PointRec& below = point("5", "-3");
    PointRec& above = point("5", "4");
    PointRec& alsoAbove = point("6", "3");
    EXPECT_TRUE(twoSides(axis, below, above));
    EXPECT_FALSE(oneSide(axis, below, above));
    EXPECT_FALSE(twoSides(axis, above, alsoAbove));
    EXPECT_TRUE(oneSide(axis, above, alsoAbove));
    EXPECT_EQ(shortText(sideValue(axis, above.x, above.y)), "-4");
}

TEST_F(SideTest, APlusZeroSideValueCountsAsEitherSide)
{
    LineRec& axis = line("0", "0", "10", "0");
    PointRec& onLine = point("5", "0");
    const LongNum side = sideValue(axis, onLine.x, onLine.y);
    ASSERT_TRUE(LongIsZero(side));
    ASSERT_FALSE(side.isNegative());
    EXPECT_TRUE(twoSides(axis, onLine, point("1", "3")));
    EXPECT_TRUE(twoSides(axis, onLine, point("1", "-3")));
    EXPECT_TRUE(twoSides(axis, point("2", "-3"), onLine));
}

TEST_F(SideTest, AMinusZeroSideValueCountsAsNegative)
{
    LineRec& westward = line("10", "0", "0", "0");
    PointRec& onLine = point("5", "0");
    const LongNum side = sideValue(westward, onLine.x, onLine.y);
    ASSERT_TRUE(LongIsZero(side));
    ASSERT_TRUE(side.isNegative());
    PointRec& positive = point("5", "3");
    PointRec& negative = point("5", "-3");
    ASSERT_FALSE(sideValue(westward, positive.x, positive.y).isNegative());
    EXPECT_TRUE(twoSides(westward, onLine, positive));
    EXPECT_FALSE(twoSides(westward, onLine, negative));
    EXPECT_TRUE(oneSide(westward, onLine, negative));
}

class BetweenTest : public GeometryTest {};

TEST_F(BetweenTest, BoundsAreTruncatedWhileTheTestedValueIsNot)
{
    PointRec& a = point("0.5", "0");
    PointRec& b = point("10", "0");
    EXPECT_TRUE(between(a, b, point("0.2", "0")));
    EXPECT_FALSE(notBetween(a, b, point("0.2", "0")));
    EXPECT_FALSE(between(a, b, point("-0.5", "0")));
    EXPECT_TRUE(between(b, a, point("10", "0")));
    EXPECT_FALSE(between(a, b, point("10.2", "0")));
    // The upper bound 0.9 truncates to 0 as well.
    EXPECT_FALSE(between(point("0", "0"), point("10", "0.9"), point("5", "0.5")));
}

TEST(InRange, TruncatesTowardZeroOnBothSides)
{
    EXPECT_TRUE(inRange(0.5f, 10, 0.2f));
    EXPECT_TRUE(inRange(10, 0.5f, 0));
    EXPECT_FALSE(inRange(-0.7f, 3, -0.5f));
    EXPECT_TRUE(inRange(-1.7f, 3, -1));
    EXPECT_FALSE(inRange(-1.7f, 3, -1.5f));
    EXPECT_TRUE(inRange(-5.5f, -2.5f, -2));
}

TEST_F(BetweenTest, PointEqualityIsWithinAHundredth)
{
    m_store.settings().moduleCode = 503;
    PointRec& a = point("1", "1");
    EXPECT_TRUE(pointsEqual(a, point("1.009", "0.991")));
    EXPECT_FALSE(pointsEqual(a, point("1.011", "1")));
    EXPECT_FALSE(pointsEqual(a, point("1", "1.02")));
}

} // namespace
} // namespace kestrane
