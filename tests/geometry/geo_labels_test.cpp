// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/label_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

std::vector<std::string> takeLabels(LabelPool pool, int count)
{
    std::vector<std::string> labels;
    for (int index = 0; index < count; ++index)
        labels.push_back(pool.take());
    return labels;
}

TEST(PointLabels, StartWithTheUnnumberedAlphabetAndSkipReservedLetters)
{
    const auto labels = takeLabels(LabelPool::forPoints(), 21);
    EXPECT_EQ(labels[0], "A");
    EXPECT_EQ(labels[1], "B");
    EXPECT_EQ(labels[2], "E");
    EXPECT_EQ(labels[18], "Y");
    // The unnumbered round stops before Z; the twentieth point is A1.
    EXPECT_EQ(labels[19], "A1");
    EXPECT_EQ(labels[20], "B1");
}

TEST(PointLabels, RunToZ24AndThenRepeatIt)
{
    const auto labels = takeLabels(LabelPool::forPoints(), 502);
    EXPECT_EQ(labels[38], "Z1");
    EXPECT_EQ(labels[39], "A2");
    EXPECT_EQ(labels[498], "Z24");
    EXPECT_EQ(labels[499], "Z24");
    EXPECT_EQ(labels[501], "Z24");
    for (const std::string& label : labels) {
        EXPECT_EQ(label.find_first_of("CDLOPS"), std::string::npos) << label;
    }
}

TEST(NumberedLabels, EachKindHasItsLetterAndReusesTheNinetyEighth)
{
    const struct {
        LabelPool pool;
        const char* first;
        const char* last;
    } cases[] = {
        {LabelPool::forLines(), "L1", "L98"},
        {LabelPool::forSegments(), "d1", "d98"},
        {LabelPool::forCircles(), "C1", "C98"},
    };
    for (const auto& entry : cases) {
        const auto labels = takeLabels(entry.pool, 100);
        EXPECT_EQ(labels[0], entry.first);
        EXPECT_EQ(labels[9], std::string(1, entry.first[0]) + "10");
        EXPECT_EQ(labels[97], entry.last);
        EXPECT_EQ(labels[98], entry.last);
        EXPECT_EQ(labels[99], entry.last);
    }
}

} // namespace
} // namespace kestrane
