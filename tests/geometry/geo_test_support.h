// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"
#include "geometry/object_store.h"
#include "platform/scripted_host.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kestrane::testing {

inline LongNum number(std::string_view text)
{
    return LongFromText(text);
}

// A number as short decimal text: trailing fraction zeros and a bare point
// dropped, a zero of either sign written "0".
inline std::string shortText(const LongNum& value)
{
    std::string text = LongToDecimal(value);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

// Routes long-number messages to a scripted host for the test's lifetime.
class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override { setLongNumHost(&m_host); }
    void TearDown() override { setLongNumHost(nullptr); }

    const std::vector<MessageRequest>& messages() const { return m_host.messages(); }

    PointRec& point(std::string_view x, std::string_view y)
    {
        return m_store.makePoint(number(x), number(y));
    }
    LineRec& line(std::string_view x1, std::string_view y1, std::string_view x2,
                  std::string_view y2)
    {
        return m_store.makeLine(number(x1), number(y1), number(x2), number(y2));
    }
    SegmentRec& segment(std::string_view x1, std::string_view y1, std::string_view x2,
                        std::string_view y2)
    {
        return m_store.makeSegment(number(x1), number(y1), number(x2), number(y2));
    }
    HalfLineRec& halfLine(std::string_view x1, std::string_view y1, std::string_view x2,
                          std::string_view y2)
    {
        return m_store.makeHalfLine(number(x1), number(y1), number(x2), number(y2));
    }
    CircleRec& circle(std::string_view cx, std::string_view cy, std::string_view radius)
    {
        return m_store.makeCircleWithRadius(number(cx), number(cy), LongNum(), number(radius),
                                            CentrePoint::Skip);
    }

    ScriptedHost m_host;
    ObjectStore m_store;
};

} // namespace kestrane::testing
