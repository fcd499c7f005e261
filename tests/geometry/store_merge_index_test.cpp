// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo_test_support.h"

#include <cstdio>
#include <random>

namespace kestrane {
namespace {

using testing::GeometryTest;
using testing::number;

// The merge answer a plain walk over the point list gives: the last point
// whose float copies all lie within the tolerance.
const PointRec* lastCoincidingByWalk(const ObjectStore& store, const FloatPoint& position)
{
    const PointRec* found = nullptr;
    for (const auto& point : store.points()) {
        if (coincide(point->floats, position))
            found = point.get();
    }
    return found;
}

std::string lattice(std::mt19937& random, int steps, double step, double origin)
{
    std::uniform_int_distribution<int> pick(0, steps);
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", origin + pick(random) * step);
    return text;
}

class MergeIndexTest : public GeometryTest {};

// Points on a lattice finer than the tolerance, around zero and far out, so
// that most new points coincide with one or several stored points; some
// stored points are removed on the way.
TEST_F(MergeIndexTest, AnswersLikeAWalkOverTheList)
{
    std::mt19937 random(20240611);
    const struct {
        double origin;
        double step;
    } regions[] = {{-0.15, 0.003}, {799.9, 0.0035}, {123456.7, 0.004}};
    for (const auto& region : regions) {
        m_store.clear();
        int merges = 0;
        for (int round = 0; round < 1500; ++round) {
            if (round % 7 == 6 && !m_store.points().empty()) {
                const auto index = random() % m_store.points().size();
                ASSERT_TRUE(m_store.remove(*m_store.points()[index]));
            }
            const LongNum x = number(lattice(random, 100, region.step, region.origin));
            const LongNum y = number(lattice(random, 100, region.step, region.origin));
            const FloatPoint position{LongToFloat(x), LongToFloat(y), 0};
            const PointRec* expected = lastCoincidingByWalk(m_store, position);
            const std::size_t before = m_store.points().size();
            const PointRec& made = m_store.makePoint(x, y);
            if (expected) {
                ++merges;
                ASSERT_EQ(&made, expected) << "round " << round;
                ASSERT_EQ(m_store.points().size(), before);
            } else {
                ASSERT_EQ(&made, m_store.points().back().get()) << "round " << round;
                ASSERT_EQ(m_store.points().size(), before + 1);
            }
        }
        EXPECT_GT(merges, 500) << "the lattice should produce many coincidences";
    }
}

TEST_F(MergeIndexTest, APointMadeTwiceMerges)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-100, 900);
    for (int round = 0; round < 300; ++round) {
        char x[32];
        char y[32];
        std::snprintf(x, sizeof x, "%.6f", coordinate(random));
        std::snprintf(y, sizeof y, "%.6f", coordinate(random));
        PointRec& first = m_store.makePoint(number(x), number(y));
        PointRec& second = m_store.makePoint(number(x), number(y));
        ASSERT_EQ(&first, &second) << x << ", " << y;
    }
}

} // namespace
} // namespace kestrane
