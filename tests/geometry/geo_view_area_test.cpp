// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/view_area.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

void expectPiece(const std::optional<DrawnPiece>& piece, DrawnPiece expected)
{
    ASSERT_TRUE(piece.has_value());
    EXPECT_NEAR(piece->xa, expected.xa, 1e-3);
    EXPECT_NEAR(piece->ya, expected.ya, 1e-3);
    EXPECT_NEAR(piece->xb, expected.xb, 1e-3);
    EXPECT_NEAR(piece->yb, expected.yb, 1e-3);
}

TEST(PointOutOfView, RightAndBottomEdgesAreOutside)
{
    EXPECT_FALSE(pointOutOfView({799.5f, 100}, 0, 0));
    EXPECT_TRUE(pointOutOfView({800, 100}, 0, 0));
    EXPECT_FALSE(pointOutOfView({799, 549}, 0, 0));
    EXPECT_TRUE(pointOutOfView({100, 550}, 0, 0));
    EXPECT_FALSE(pointOutOfView({0, 0}, 0, 0));
    EXPECT_TRUE(pointOutOfView({-0.5f, 10}, 0, 0));
    EXPECT_TRUE(pointOutOfView({10, -0.5f}, 0, 0));
}

TEST(PointOutOfView, FollowsTheViewOffsets)
{
    EXPECT_TRUE(pointOutOfView({100, 100}, 0, 200));
    EXPECT_FALSE(pointOutOfView({100, 700}, 0, 200));
    EXPECT_TRUE(pointOutOfView({100, 750}, 0, 200));
}

TEST(CircleOutOfView, ARingReachingIntoTheAreaIsInView)
{
    EXPECT_FALSE(circleOutOfView({-50, 100}, 60, 0, 0));
    EXPECT_TRUE(circleOutOfView({-50, 100}, 40, 0, 0));
    EXPECT_TRUE(circleOutOfView({100, 1000}, 100, 0, 0));
    EXPECT_FALSE(circleOutOfView({100, 1000}, 100, 0, 500));
}

TEST(DrawnPiece, AxisParallelLinesSpanTheArea)
{
    expectPiece(drawnPiece(StraightKind::Line, {100, 10}, {100, 20}, 0, 0), {100, 0, 100, 550});
    expectPiece(drawnPiece(StraightKind::Line, {10, 30}, {20, 30}, 0, 0), {1, 30, 800, 30});
    expectPiece(drawnPiece(StraightKind::Line, {100, 10}, {100, 20}, 0, 300), {100, 300, 100, 850});
    EXPECT_FALSE(drawnPiece(StraightKind::Line, {900, 10}, {900, 20}, 0, 0).has_value());
}

TEST(DrawnPiece, SlantedLineIsCutAtTheEdges)
{
    expectPiece(drawnPiece(StraightKind::Line, {100, 100}, {200, 200}, 0, 0), {0, 0, 550, 550});
    expectPiece(drawnPiece(StraightKind::Line, {0, 500}, {100, 400}, 0, 0), {0, 500, 500, 0});
    EXPECT_FALSE(drawnPiece(StraightKind::Line, {900, 0}, {1000, 100}, 0, 0).has_value());
}

TEST(DrawnPiece, HalfLineRunsFromItsFirstPointThroughTheSecond)
{
    expectPiece(drawnPiece(StraightKind::HalfLine, {100, 100}, {200, 100}, 0, 0),
                {100, 100, 800, 100});
    expectPiece(drawnPiece(StraightKind::HalfLine, {100, 100}, {50, 150}, 0, 0),
                {100, 100, 0, 200});
    // Starting outside and pointing away from the area: nothing to draw.
    EXPECT_FALSE(drawnPiece(StraightKind::HalfLine, {-10, 100}, {-20, 100}, 0, 0).has_value());
    expectPiece(drawnPiece(StraightKind::HalfLine, {-10, 100}, {0, 100}, 0, 0), {0, 100, 800, 100});
}

TEST(DrawnPiece, SegmentIsItselfInsideAndCutOutside)
{
    expectPiece(drawnPiece(StraightKind::Segment, {10, 20}, {30, 40}, 0, 0), {10, 20, 30, 40});
    expectPiece(drawnPiece(StraightKind::Segment, {700, 100}, {900, 100}, 0, 0),
                {700, 100, 800, 100});
    EXPECT_FALSE(drawnPiece(StraightKind::Segment, {810, 100}, {900, 100}, 0, 0).has_value());
}

TEST(DrawnPiece, LinesWithoutDirectionAreNotDrawn)
{
    EXPECT_FALSE(drawnPiece(StraightKind::Line, {10, 10}, {10, 10}, 0, 0).has_value());
    EXPECT_FALSE(drawnPiece(StraightKind::HalfLine, {10, 10}, {10, 10}, 0, 0).has_value());
    expectPiece(drawnPiece(StraightKind::Segment, {10, 10}, {10, 10}, 0, 0), {10, 10, 10, 10});
}

} // namespace
} // namespace kestrane
