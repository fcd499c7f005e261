// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/ticks.h"

#include "platform/json_writer.h"
#include "runtime/float_text.h"

#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

constexpr std::int64_t kSteps[] = {2,      5,      10,     20,      50,      100,     200,
                                   500,    1000,   2000,   5000,    10000,   20000,   50000,
                                   100000, 200000, 500000, 1000000, 2000000, 5000000, 10000000};
// Past this, hundredths no longer fit the integers the ticks are held in.
constexpr double kLargestEnd = 1e13;
// Float ends make raw steps such as 0.1000001 that still mean 0.1.
constexpr double kStepSlack = 1e-6;

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

} // namespace

std::optional<double> AxisTicks::step() const
{
    if (!stepHundredths)
        return std::nullopt;
    return static_cast<double>(*stepHundredths) / 100;
}

std::string tickLabel(double value)
{
    std::string text = trimmedFloatText(value);
    std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

AxisTicks axisTicks(int length, double min, double max)
{
    AxisTicks ticks;
    ticks.k = length > 0 ? (length * 9 / 10) / 50 : 0;
    if (ticks.k == 0 || !(max > min) || !std::isfinite(min) || !std::isfinite(max) ||
        std::fabs(min) > kLargestEnd || std::fabs(max) > kLargestEnd)
        return ticks;
    double raw = (max - min) / ticks.k * 100 * (1 - kStepSlack);
    // A raw step below the sequence takes its first value.
    for (std::int64_t step : kSteps) {
        if (static_cast<double>(step) >= raw) {
            ticks.stepHundredths = step;
            break;
        }
    }
    if (!ticks.stepHundredths)
        return ticks;
    std::int64_t step = *ticks.stepHundredths;
    // The first tick is the smallest multiple of the step not below
    // min - 0.005: floor, not truncation, so that -0.998 starts at -1.
    double low = (min - 0.005) * 100 / static_cast<double>(step);
    double high = (max + 0.005) * 100 / static_cast<double>(step);
    auto first = static_cast<std::int64_t>(std::ceil(low - 1e-9));
    auto last = static_cast<std::int64_t>(std::floor(high + 1e-9));
    for (std::int64_t index = first; index <= last; ++index) {
        std::int64_t hundredths = index * step;
        double value = static_cast<double>(hundredths) / 100;
        ticks.hundredths.push_back(hundredths);
        ticks.labels.push_back(tickLabel(value));
        ticks.positions.push_back(
            static_cast<int>(std::trunc((value - min) * length / (max - min))));
    }
    return ticks;
}

void writeTicksJson(JsonWriter& json, const AxisTicks& ticks)
{
    json.beginObject();
    writeTicksMembers(json, ticks);
    json.endObject();
}

void writeTicksMembers(JsonWriter& json, const AxisTicks& ticks)
{
    json.key("step");
    if (ticks.stepHundredths)
        json.raw(number(*ticks.step()));
    else
        json.null();
    json.key("values").beginArray();
    for (std::size_t index = 0; index < ticks.hundredths.size(); ++index)
        json.raw(number(ticks.value(index)));
    json.endArray().key("labels").beginArray();
    for (const std::string& label : ticks.labels)
        json.string(label);
    json.endArray().key("positions").beginArray();
    for (int position : ticks.positions)
        json.number(position);
    json.endArray();
}

} // namespace kestrane
