// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_int.h"

#include "numbers/long_internal.h"
#include "platform/translation.h"

namespace kestrane {

namespace {

bool g_overflow = false;

void raiseOverflow()
{
    if (g_overflow)
        return;
    g_overflow = true;
    long_detail::showMessage(N_("Too large numbers. Major error may occur."));
}

constexpr WideInt kWideMax = LongInt::kMaxMagnitude;

} // namespace

bool longIntOverflow()
{
    return g_overflow;
}

void clearLongIntOverflow()
{
    g_overflow = false;
}

LongInt LongInt::fromWide(WideInt value)
{
    char sign = value < 0 ? '-' : '+';
    WideInt magnitude = value < 0 ? -value : value;
    if (magnitude > kWideMax) {
        raiseOverflow();
        // The low word stays exact; the high word is cut to its 31 bits.
        WideInt high = (magnitude / kBase) & kHighMax;
        magnitude = high * kBase + magnitude % kBase;
    }
    return fromMagnitude(static_cast<std::int64_t>(magnitude), sign);
}

std::optional<LongInt> LongInt::fromText(std::string_view text)
{
    char sign = '+';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front();
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // The last six digits give low, those before them high.
    size_t split = text.size() > 6 ? text.size() - 6 : 0;
    std::int64_t high = 0;
    std::int64_t low = 0;
    bool tooLarge = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (i >= split) {
            low = low * 10 + (c - '0');
            continue;
        }
        high = high * 10 + (c - '0');
        if (high > kHighMax) {
            tooLarge = true;
            high &= kHighMax; // the truncation every overflowing result gets
        }
    }
    if (tooLarge)
        raiseOverflow();
    return fromMagnitude(high * kBase + low, sign);
}

std::string LongInt::toText() const
{
    std::string text = std::to_string(m_magnitude);
    return m_sign == '-' ? "-" + text : text;
}

LongInt& LongInt::timesInt(std::int64_t m)
{
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(value(), m, &product))
        return *this = fromInt(product);
    return *this = fromWide(static_cast<WideInt>(value()) * m);
}

LongInt LongInt::operator-() const
{
    return fromMagnitude(m_magnitude, m_sign == '-' ? '+' : '-');
}

} // namespace kestrane
