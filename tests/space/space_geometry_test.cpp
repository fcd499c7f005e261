// SPDX-License-Identifier: GPL-3.0-or-later
#include "space_test_support.h"

#include "space/space_intersections.h"

#include <random>

namespace kestrane::testing {
namespace {

LongTriple decimal(std::string_view x, std::string_view y, std::string_view z)
{
    return {LongFromText(x), LongFromText(y), LongFromText(z)};
}

TEST(SpaceEquality, ComparesEachCoordinateWithinATenthInclusive)
{
    struct Case {
        const char* name;
        LongTriple first;
        LongTriple second;
        bool equal;
    };
    const Case cases[] = {
        {"same", decimal("1", "2", "3"), decimal("1", "2", "3"), true},
        {"exactly 0.1 in x", decimal("100", "2", "3"), decimal("100.1", "2", "3"), true},
        {"exactly 0.1 below in z", decimal("5", "5", "-7.3"), decimal("5", "5", "-7.4"), true},
        {"0.11 in y", decimal("1", "2", "3"), decimal("1", "2.11", "3"), false},
        {"0.11 in z", decimal("1", "2", "3"), decimal("1", "2", "2.89"), false},
        {"far apart", decimal("1", "2", "3"), decimal("900", "2", "3"), false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(spaceEqual(test.first, test.second), test.equal);
        EXPECT_EQ(spaceEqual(test.second, test.first), test.equal);
    }
}

TEST(PlaneFrames, AreNormalisedWithTheirInPlaneAxes)
{
    PlaneFrame horizontal = planeThrough(at(0, 0, 50), at(100, 0, 50), at(0, 100, 50));
    EXPECT_EQ(doubles(horizontal.u), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(doubles(horizontal.v), (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(LongToDecimal(horizontal.d), "50.000000000000000");

    PlaneFrame slanted = planeThrough(at(10, 0, 0), at(0, 10, 0), at(0, 0, 10));
    LongTriple point = at(3, 4, 3);
    LongTriple flat = slanted.inPlane(point);
    LongTriple back = slanted.fromPlane(flat.x, flat.y);
    for (double delta : {toDouble(minus(back.x, point.x)), toDouble(minus(back.y, point.y)),
                         toDouble(minus(back.z, point.z))})
        EXPECT_NEAR(delta, 0, 1e-9);
    EXPECT_NEAR(toDouble(dot(slanted.u, slanted.v)), 0, 1e-12);
    EXPECT_NEAR(toDouble(length(slanted.normal())), 1, 1e-10);
}

TEST(TwoPlanes, EqualLargestMinorsUseTheLaterMinor)
{
    // The normals (1, 0, 0) and (0, 1, 1)/√2 give |m1| = |m2| (m3 = 0): y is
    // free, so both points of the line have y = 0 and y = 100.
    PlaneFrame first = planeWithNormal(at(10, 0, 0), at(1, 0, 0));
    PlaneFrame second = planeWithNormal(at(0, 0, 20), at(0, 1, 1));
    auto line = intersectTwoPlanes(first, second);
    ASSERT_TRUE(line);
    EXPECT_NEAR(toDouble(line->first.y), 0, 1e-12);
    EXPECT_NEAR(toDouble(line->second.y), 100, 1e-12);
    // All three equal: x is free.
    PlaneFrame third = planeWithNormal(at(0, 0, 0), at(1, 1, 1));
    auto other = intersectTwoPlanes(third, planeWithNormal(at(0, 0, 0), at(0, 1, 0)));
    ASSERT_TRUE(other);
    EXPECT_NEAR(toDouble(other->second.x), 100, 1e-12);
}

TEST(FacesAndPolyhedra, StoreTheClosingVertexAndTheirCentres)
{
    Face triangle = faceOf({at(0, 0, 0), at(30, 0, 0), at(0, 30, 3)});
    EXPECT_EQ(triangle.vertices.size(), 4u);
    EXPECT_EQ(triangle.cornerCount(), 3u);
    EXPECT_EQ(doubles(triangle.makeCentre()), (std::vector<double>{10, 10, 1}));
}

// Random objects: each intersection point lies on every object it comes
// from.
class IntersectionInvariants : public ::testing::Test {
protected:
    LongTriple randomPoint()
    {
        std::uniform_int_distribution<int> coordinate(-300, 300);
        return at(coordinate(m_random), coordinate(m_random), coordinate(m_random));
    }
    PlaneFrame randomPlane()
    {
        for (;;) {
            LongTriple a = randomPoint();
            LongTriple b = randomPoint();
            LongTriple c = randomPoint();
            if (toDouble(length(cross(minus(b, a), minus(c, a)))) > 100)
                return planeThrough(a, b, c);
        }
    }

    std::mt19937 m_random{20261206};
};

constexpr double kOnObject = 1e-9;

TEST_F(IntersectionInvariants, PointsLieOnBothObjects)
{
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        PlaneFrame first = randomPlane();
        PlaneFrame second = randomPlane();
        PlaneFrame third = randomPlane();
        if (auto point = intersectThreePlanes(first, second, third)) {
            for (const PlaneFrame* plane : {&first, &second, &third})
                EXPECT_NEAR(toDouble(plane->signedValue(*point)), 0, kOnObject * 1000);
        }
        LongTriple base = randomPoint();
        LongTriple direction = minus(randomPoint(), base);
        if (auto point = intersectPlaneLine(first, base, direction)) {
            EXPECT_NEAR(toDouble(first.signedValue(*point)), 0, kOnObject * 1000);
            LongTriple offset = cross(minus(*point, base), normalised(direction));
            EXPECT_NEAR(toDouble(length(offset)), 0, kOnObject * 1000);
        }
        LongTriple centre = randomPoint();
        LongNum radius = longOf(200);
        for (SpaceSolution solution : {SpaceSolution::First, SpaceSolution::Second}) {
            auto point = intersectSphereLine(centre, radius, base, direction, solution);
            if (point) {
                EXPECT_NEAR(toDouble(distance(*point, centre)), 200, kOnObject * 1000);
            }
        }
        if (auto circle = intersectSpherePlane(centre, radius, first)) {
            EXPECT_NEAR(toDouble(first.signedValue(circle->centre)), 0, kOnObject * 1000);
            for (SpaceSolution solution : {SpaceSolution::First, SpaceSolution::Second}) {
                auto point = intersectPlaneCircle(second, *circle, solution);
                if (!point)
                    continue;
                EXPECT_NEAR(toDouble(second.signedValue(*point)), 0, 1e-6);
                EXPECT_NEAR(toDouble(first.signedValue(*point)), 0, 1e-6);
                EXPECT_NEAR(toDouble(distance(*point, centre)), 200, 1e-6);
            }
        }
    }
}

TEST(SphereIntersections, ThreeSpheresMeetInTheirCommonPoints)
{
    LongTriple c1 = at(0, 0, 0);
    LongTriple c2 = at(100, 0, 0);
    LongTriple c3 = at(50, 80, 0);
    LongNum radius = longOf(90);
    auto circle = intersectTwoSpheres(c1, radius, c2, radius);
    ASSERT_TRUE(circle);
    auto first = intersectSphereCircle(c3, radius, *circle, SpaceSolution::First);
    auto second = intersectSphereCircle(c3, radius, *circle, SpaceSolution::Second);
    ASSERT_TRUE(first && second);
    for (const LongTriple& point : {*first, *second}) {
        for (const LongTriple& centre : {c1, c2, c3})
            EXPECT_NEAR(toDouble(distance(point, centre)), 90, 1e-6);
    }
    EXPECT_NEAR(toDouble(first->z), -toDouble(second->z), 1e-6);
}

} // namespace
} // namespace kestrane::testing
