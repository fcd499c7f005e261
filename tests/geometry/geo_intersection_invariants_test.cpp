// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/intersection_points.h"
#include "geometry/plane_algorithms.h"

#include "geo_test_support.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace kestrane {
namespace {

using testing::GeometryTest;
using testing::number;

struct Spot {
    double x;
    double y;
};

// Random positions with two decimals, so that the long numbers hold them
// exactly and the doubles of the expectations are as close as can be.
class RandomSpots {
public:
    explicit RandomSpots(unsigned seed) : m_random(seed) {}

    Spot next(double width = 800, double height = 550)
    {
        std::uniform_int_distribution<int> column(0, static_cast<int>(width * 100));
        std::uniform_int_distribution<int> row(0, static_cast<int>(height * 100));
        return Spot{column(m_random) / 100.0, row(m_random) / 100.0};
    }
    double radius() { return std::uniform_int_distribution<int>(500, 30000)(m_random) / 100.0; }

private:
    std::mt19937 m_random;
};

LongNum longOf(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return number(text);
}

double magnitude(const LongNum& value)
{
    return std::fabs(static_cast<double>(LongToFloat(value)));
}

// (x − cx)² + (y − cy)² − r² in long arithmetic.
double ringResidual(const CircleRec& circle, const LongPlanePoint& point)
{
    LongNum dx;
    LongNum dy;
    LongSub(point.x, circle.centreX, dx);
    LongSub(point.y, circle.centreY, dy);
    LongNum squares;
    LongSumSquares(dx, dy, LongNum(), squares);
    LongNum radiusSquared;
    LongMul(circle.radius, circle.radius, radiusSquared);
    LongNum residual;
    LongSub(squares, radiusSquared, residual);
    return magnitude(residual);
}

double cross(Spot origin, Spot first, Spot second)
{
    return (first.x - origin.x) * (second.y - origin.y) -
           (first.y - origin.y) * (second.x - origin.x);
}

// Parameters t, u of the crossing of a + t(b − a) and c + u(d − c), and how
// far (in model units) each lies outside its unit range.
struct Crossing {
    double beyondFirst;
    double beyondSecond;
};

std::optional<Crossing> crossingOf(Spot a, Spot b, Spot c, Spot d, bool firstIsRay)
{
    const double denominator = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
    const double lengthFirst = std::hypot(b.x - a.x, b.y - a.y);
    const double lengthSecond = std::hypot(d.x - c.x, d.y - c.y);
    if (std::fabs(denominator) < 1e-3 * lengthFirst * lengthSecond)
        return std::nullopt;
    // With r = b − a, s = d − c: t = (c − a) × s / (r × s), u = (c − a) × r / (r × s).
    const Spot offset{c.x - a.x, c.y - a.y};
    const double t = (offset.x * (d.y - c.y) - offset.y * (d.x - c.x)) / denominator;
    const double u = (offset.x * (b.y - a.y) - offset.y * (b.x - a.x)) / denominator;
    auto beyond = [](double parameter, double length, bool open) {
        if (parameter < 0)
            return -parameter * length;
        return !open && parameter > 1 ? (parameter - 1) * length : 0.0;
    };
    return Crossing{beyond(t, lengthFirst, firstIsRay), beyond(u, lengthSecond, false)};
}

class IntersectionInvariantTest : public GeometryTest {};

TEST_F(IntersectionInvariantTest, LineCrossingsLieOnBothLines)
{
    RandomSpots spots(11);
    int found = 0;
    for (int round = 0; round < 300; ++round) {
        const Spot a = spots.next(), b = spots.next(), c = spots.next(), d = spots.next();
        LineRec& first = m_store.makeLine(longOf(a.x), longOf(a.y), longOf(b.x), longOf(b.y));
        LineRec& second = m_store.makeLine(longOf(c.x), longOf(c.y), longOf(d.x), longOf(d.y));
        const auto point = intersectStraight(first, second);
        if (!point)
            continue;
        ++found;
        EXPECT_LT(magnitude(sideValue(first, point->x, point->y)), 1e-6) << round;
        EXPECT_LT(magnitude(sideValue(second, point->x, point->y)), 1e-6) << round;
    }
    EXPECT_GT(found, 290);
}

TEST_F(IntersectionInvariantTest, SegmentsAndHalfLinesFindEveryCrossingOnThemAndNoneOff)
{
    RandomSpots spots(12);
    int found = 0;
    int refused = 0;
    for (int round = 0; round < 600; ++round) {
        const bool firstIsRay = round % 2 == 1;
        const Spot a = spots.next(), b = spots.next(), c = spots.next(), d = spots.next();
        const StraightRec& first =
            firstIsRay ? static_cast<StraightRec&>(m_store.makeHalfLine(longOf(a.x), longOf(a.y),
                                                                        longOf(b.x), longOf(b.y)))
                       : m_store.makeSegment(longOf(a.x), longOf(a.y), longOf(b.x), longOf(b.y));
        const SegmentRec& second =
            m_store.makeSegment(longOf(c.x), longOf(c.y), longOf(d.x), longOf(d.y));
        const auto expected = crossingOf(a, b, c, d, firstIsRay);
        if (!expected)
            continue;
        const auto point = intersectStraight(first, second);
        const double beyond = std::max(expected->beyondFirst, expected->beyondSecond);
        if (beyond == 0) {
            ++found;
            ASSERT_TRUE(point.has_value()) << "round " << round;
            EXPECT_LT(magnitude(sideValue(first, point->x, point->y)), 1e-6);
            EXPECT_LT(magnitude(sideValue(second, point->x, point->y)), 1e-6);
        } else if (beyond > 0.05) {
            ++refused;
            EXPECT_FALSE(point.has_value()) << "round " << round;
        }
    }
    EXPECT_GT(found, 50);
    EXPECT_GT(refused, 200);
}

TEST_F(IntersectionInvariantTest, CircleLinePointsLieOnBoth)
{
    RandomSpots spots(13);
    int crossing = 0;
    for (int round = 0; round < 300; ++round) {
        const Spot centre = spots.next(), a = spots.next(), b = spots.next();
        const double radius = spots.radius();
        CircleRec& circle = m_store.makeCircleWithRadius(
            longOf(centre.x), longOf(centre.y), LongNum(), longOf(radius), CentrePoint::Skip);
        LineRec& line = m_store.makeLine(longOf(a.x), longOf(a.y), longOf(b.x), longOf(b.y));
        const double distance = std::fabs(cross(a, b, centre)) / std::hypot(b.x - a.x, b.y - a.y);
        for (const Solution solution : {Solution::First, Solution::Second}) {
            const auto point = intersectCircleLine(circle, line, solution);
            if (distance < radius - 0.01) {
                ASSERT_TRUE(point.has_value()) << round;
            }
            if (distance > radius + 0.01) {
                ASSERT_FALSE(point.has_value()) << round;
            }
            if (!point)
                continue;
            ++crossing;
            EXPECT_LT(ringResidual(circle, *point), 1e-6) << round;
            EXPECT_LT(magnitude(sideValue(line, point->x, point->y)), 1e-6) << round;
        }
    }
    EXPECT_GT(crossing, 100);
}

TEST_F(IntersectionInvariantTest, CircleCirclePointsLieOnBoth)
{
    RandomSpots spots(14);
    int crossing = 0;
    for (int round = 0; round < 300; ++round) {
        const Spot one = spots.next(), two = spots.next();
        const double radiusOne = spots.radius(), radiusTwo = spots.radius();
        CircleRec& first = m_store.makeCircleWithRadius(longOf(one.x), longOf(one.y), LongNum(),
                                                        longOf(radiusOne), CentrePoint::Skip);
        CircleRec& second = m_store.makeCircleWithRadius(longOf(two.x), longOf(two.y), LongNum(),
                                                         longOf(radiusTwo), CentrePoint::Skip);
        const double apart = std::hypot(two.x - one.x, two.y - one.y);
        const bool crosses =
            apart < radiusOne + radiusTwo - 0.01 && apart > std::fabs(radiusOne - radiusTwo) + 0.01;
        const bool misses =
            apart > radiusOne + radiusTwo + 0.01 || apart < std::fabs(radiusOne - radiusTwo) - 0.01;
        for (const Solution solution : {Solution::First, Solution::Second}) {
            const auto point = intersectCircles(first, second, solution);
            if (crosses) {
                ASSERT_TRUE(point.has_value()) << round;
            }
            if (misses) {
                ASSERT_FALSE(point.has_value()) << round;
            }
            if (!point)
                continue;
            ++crossing;
            EXPECT_LT(ringResidual(first, *point), 1e-6) << round;
            EXPECT_LT(ringResidual(second, *point), 1e-6) << round;
        }
    }
    EXPECT_GT(crossing, 100);
}

TEST_F(IntersectionInvariantTest, MakingAnIntersectionAgainMergesWithIt)
{
    RandomSpots spots(15);
    for (int round = 0; round < 100; ++round) {
        const Spot centre = spots.next(), a = spots.next(), b = spots.next();
        CircleRec& circle =
            m_store.makeCircleWithRadius(longOf(centre.x), longOf(centre.y), LongNum(),
                                         longOf(spots.radius()), CentrePoint::Skip);
        LineRec& line = m_store.makeLine(longOf(a.x), longOf(a.y), longOf(b.x), longOf(b.y));
        const auto first = makeCircleLineIntersections(m_store, circle, line, Selector::Both);
        const std::size_t count = m_store.points().size();
        const auto again = makeCircleLineIntersections(m_store, circle, line, Selector::Both);
        EXPECT_EQ(first, again) << round;
        EXPECT_EQ(m_store.points().size(), count) << round;
    }
}

} // namespace
} // namespace kestrane
