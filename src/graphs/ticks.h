// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

class JsonWriter;

// The ticks of one axis of a graph: about one per 50 pixels over nine tenths
// of the axis, at multiples of a step from the sequence 0.02, 0.05, 0.1, 0.2,
// 0.5, 1, ... 100000. Values are held in whole hundredths, so that labels
// carry no float noise.
struct AxisTicks {
    // (length * 9 / 10) / 50; no ticks when it is 0.
    int k = 0;
    // In hundredths; nothing when no step fits.
    std::optional<std::int64_t> stepHundredths;
    std::vector<std::int64_t> hundredths;
    std::vector<std::string> labels;
    // Offsets from the axis start: trunc((v - min) * length / (max - min)).
    std::vector<int> positions;

    bool empty() const { return hundredths.empty(); }
    std::optional<double> step() const;
    double value(std::size_t index) const { return static_cast<double>(hundredths[index]) / 100; }
};

AxisTicks axisTicks(int length, double min, double max);

// The label of a value: the float writer's text without its blanks, without
// trailing zeros of the decimals and without a trailing point.
std::string tickLabel(double value);

// The ticks as a JSON object: "step" (or null), "values", "labels",
// "positions"; or those members alone, in an object the caller has open.
void writeTicksJson(JsonWriter& json, const AxisTicks& ticks);
void writeTicksMembers(JsonWriter& json, const AxisTicks& ticks);

} // namespace kestrane
