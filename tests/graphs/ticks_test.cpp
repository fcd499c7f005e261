// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/ticks.h"
#include "platform/json_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrane {
namespace {

std::string ticksJson(const AxisTicks& value)
{
    JsonWriter json;
    writeTicksJson(json, value);
    return json.take();
}

struct StepCase {
    int length;
    double min;
    double max;
    int k;
    std::optional<double> step;
};

class TickStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(TickStep, ChoosesTheSmallestSequenceValueNotBelowTheRawStep)
{
    const StepCase& test = GetParam();
    AxisTicks ticks = axisTicks(test.length, test.min, test.max);
    EXPECT_EQ(ticks.k, test.k);
    EXPECT_EQ(ticks.step(), test.step) << test.length << " " << test.min << " " << test.max;
}

INSTANTIATE_TEST_SUITE_P(
    Sequence, TickStep,
    ::testing::Values(StepCase{100, 0, 0.3, 1, 0.5}, StepCase{100, 0, 3, 1, 5.0},
                      StepCase{100, 0, 50000, 1, 50000.0}, StepCase{500, 0, 9, 9, 1.0},
                      StepCase{500, -1, 1, 9, 0.5}, StepCase{100, 0, 0.001, 1, 0.02},
                      StepCase{100, 0, 100001, 1, std::nullopt},
                      StepCase{50, 0, 1, 0, std::nullopt}, StepCase{100, 1, 1, 1, std::nullopt},
                      // Float ends that make the raw step a hair above 0.1.
                      StepCase{100, 0, 0.1f, 1, 0.1}));

TEST(Ticks, FirstTickIsTheSmallestMultipleNotBelowTheStartLessAHalfHundredth)
{
    AxisTicks ticks = axisTicks(100, -1.003, 0.2);
    ASSERT_EQ(ticks.step(), 2.0);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.labels.front(), "0");

    // Floor, not truncation: -0.998 with step 0.5 starts at -1.
    ticks = axisTicks(200, -0.998, 0.5);
    ASSERT_EQ(ticks.step(), 0.5);
    EXPECT_EQ(ticks.labels, (std::vector<std::string>{"-1", "-0.5", "0", "0.5"}));
    EXPECT_EQ(ticks.positions.front(), 0);

    ticks = axisTicks(600, -1.003, 3.5);
    ASSERT_EQ(ticks.step(), 0.5);
    EXPECT_EQ(ticks.labels.front(), "-1");
    EXPECT_EQ(ticks.labels.back(), "3.5");
}

TEST(Ticks, ValuesAndLabelsCarryNoFloatNoise)
{
    AxisTicks ticks = axisTicks(1000, 0, 1.5);
    ASSERT_EQ(ticks.step(), 0.1);
    ASSERT_EQ(ticks.labels.size(), 16u);
    EXPECT_EQ(ticks.labels[3], "0.3");
    EXPECT_EQ(ticks.labels[7], "0.7");
    EXPECT_EQ(ticks.hundredths[7], 70);
    // trunc((v - min) * length / (max - min)).
    EXPECT_EQ(ticks.positions[1], 66);
    EXPECT_EQ(ticks.positions.back(), 1000);
}

TEST(Ticks, LabelsDropTrailingZerosAndThePoint)
{
    EXPECT_EQ(tickLabel(2.5), "2.5");
    EXPECT_EQ(tickLabel(0.25), "0.25");
    EXPECT_EQ(tickLabel(-0.5), "-0.5");
    EXPECT_EQ(tickLabel(20), "20");
    EXPECT_EQ(tickLabel(0), "0");
    EXPECT_EQ(tickLabel(-0.001), "0");
}

TEST(Ticks, JsonListsStepValuesLabelsAndPositions)
{
    EXPECT_EQ(ticksJson(axisTicks(100, 0, 1)),
              "{\"step\":1,\"values\":[0,1],\"labels\":[\"0\",\"1\"],"
              "\"positions\":[0,100]}");
    EXPECT_EQ(ticksJson(axisTicks(10, 0, 1)),
              "{\"step\":null,\"values\":[],\"labels\":[],\"positions\":[]}");
}

} // namespace
} // namespace kestrane
