#include "numbers/long_limbs.h"

#include <array>

namespace kestrane::long_detail {

namespace {

// The remainder's limbs are signed and left unnormalised while quotient limbs
// are subtracted: each step is then one 128-bit product and subtraction per
// divisor limb. A limb gathers at most one product below 2^120 per divisor
// limb, so it stays far inside 128 bits.
__extension__ typedef __int128 SignedWide;

constexpr double kBase = 1e18;

// floor(value / 10^18) for a signed value (up to 60 products of two limbs,
// so the carry may pass 64 bits); value keeps the rest in [0, 10^18).
SignedWide carryOut(SignedWide& value)
{
    std::uint64_t rest = 0;
    if (value >= 0) {
        auto quotient =
            static_cast<SignedWide>(LimbDivider::divideWide(static_cast<Wide>(value), rest));
        value = rest;
        return quotient;
    }
    // floor(-u / b) = -floor((u - 1) / b) - 1 for u > 0.
    auto quotient =
        static_cast<SignedWide>(LimbDivider::divideWide(static_cast<Wide>(-(value + 1)), rest));
    value = static_cast<SignedWide>(kLimbBase - 1 - rest);
    return -quotient - 1;
}

double toDouble(SignedWide value)
{
    return static_cast<double>(static_cast<std::int64_t>(value >> 64)) * 18446744073709551616.0 +
           static_cast<double>(static_cast<std::uint64_t>(value));
}

std::int64_t floorOf(double value)
{
    auto whole = static_cast<std::int64_t>(value);
    return static_cast<double>(whole) > value ? whole - 1 : whole;
}

// The quotient limb whose product's top lines up with remainder limb `top`:
// an estimate in doubles from the remainder's top limbs (the one under the
// top carried into [0, 10^18), the next one unnormalised), good to about
// 2^10, refined once on the exact 128-bit difference at the top. The result
// is within one of the true limb (which may itself be -1 or 10^18 after an
// earlier step's error): the limbs further down add less than 60 units of
// the third, against a divisor whose top limb is at least 10^15.
std::int64_t estimateLimb(const SignedWide* remainder, int top, const std::uint64_t* divisor,
                          int divisorLimbs, double leading)
{
    auto divisorAt = [&](int k) -> std::int64_t {
        return k >= 0 ? static_cast<std::int64_t>(divisor[k]) : 0;
    };
    SignedWide upper = remainder[top] * static_cast<SignedWide>(kLimbBase) + remainder[top - 1];
    SignedWide next = top >= 2 ? remainder[top - 2] : 0;
    std::int64_t first = floorOf((toDouble(upper) + toDouble(next) / kBase) / leading);
    // The remainder less first times the divisor's top limbs, in units of
    // the limb two below the top.
    SignedWide high = upper - static_cast<SignedWide>(first) * divisorAt(divisorLimbs - 1);
    SignedWide middle = next - static_cast<SignedWide>(first) * divisorAt(divisorLimbs - 2);
    double low = -static_cast<double>(first) * static_cast<double>(divisorAt(divisorLimbs - 3));
    double difference = toDouble(high) * kBase + toDouble(middle) + low / kBase;
    return first + floorOf(difference / (leading * kBase));
}

} // namespace

void divideLimbs(const std::uint64_t* dividend, int dividendLimbs, const std::uint64_t* divisor,
                 int divisorLimbs, std::uint64_t* quotient, std::uint64_t* remainder)
{
    int m = divisorLimbs;
    int steps = dividendLimbs - m + 1;
    // Two zero limbs below the dividend let the estimate read three limbs
    // whatever the divisor's length; one above holds the first step's top.
    constexpr int kBelow = 2;
    std::array<SignedWide, kMaxLimbs * 2 + kBelow + 2> storage;
    SignedWide* rest = storage.data() + kBelow;
    storage[0] = storage[1] = 0;
    for (int k = 0; k < dividendLimbs; ++k)
        rest[k] = dividend[k];
    rest[dividendLimbs] = 0;
    std::array<std::int64_t, kMaxLimbs * 2> digits;
    double leading = static_cast<double>(divisor[m - 1]) +
                     (m >= 2 ? static_cast<double>(divisor[m - 2]) / kBase : 0.0) +
                     (m >= 3 ? static_cast<double>(divisor[m - 3]) / (kBase * kBase) : 0.0);
    for (int j = steps - 1; j >= 0; --j) {
        int top = j + m;
        // 1. The limb under the top carried into place: the estimate reads
        //    the top two limbs exactly and the third, unnormalised, only for
        //    its refinement.
        if (top + 1 <= dividendLimbs) {
            rest[top] += rest[top + 1] * static_cast<SignedWide>(kLimbBase);
            rest[top + 1] = 0;
        }
        rest[top] += carryOut(rest[top - 1]);
        // 2. The limb, and the remainder less the limb times the divisor.
        std::int64_t digit = estimateLimb(rest, top, divisor, m, leading);
        digits[j] = digit;
        SignedWide* target = rest + j;
        int k = 0;
        for (; k + 1 < m; k += 2) {
            target[k] -= static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k]);
            target[k + 1] -=
                static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k + 1]);
        }
        if (k < m)
            target[k] -= static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k]);
    }
    // 3. The remainder carried from the bottom; each limb estimate was within
    //    one, so it lies in [-divisor, 2 divisor).
    for (int k = 0; k < m; ++k)
        rest[k + 1] += carryOut(rest[k]);
    std::int64_t adjust = 0;
    auto addDivisor = [&](int sign) {
        SignedWide carry = 0;
        for (int k = 0; k < m; ++k) {
            rest[k] += carry + sign * static_cast<SignedWide>(divisor[k]);
            carry = carryOut(rest[k]);
        }
        rest[m] += carry;
    };
    auto remainderAtLeastDivisor = [&] {
        if (rest[m] != 0)
            return rest[m] > 0;
        for (int k = m - 1; k >= 0; --k) {
            if (rest[k] != static_cast<SignedWide>(divisor[k]))
                return rest[k] > static_cast<SignedWide>(divisor[k]);
        }
        return true;
    };
    while (rest[m] < 0) {
        addDivisor(1);
        --adjust;
    }
    while (remainderAtLeastDivisor()) {
        addDivisor(-1);
        ++adjust;
    }
    for (int k = 0; k < m; ++k)
        remainder[k] = static_cast<std::uint64_t>(rest[k]);
    // 4. The quotient's limbs carried into place: each is within two of
    //    [0, 10^18), so the carries are small.
    std::int64_t carry = adjust;
    for (int j = 0; j < steps; ++j) {
        std::int64_t value = digits[j] + carry;
        carry = 0;
        while (value < 0) {
            value += static_cast<std::int64_t>(kLimbBase);
            --carry;
        }
        while (value >= static_cast<std::int64_t>(kLimbBase)) {
            value -= static_cast<std::int64_t>(kLimbBase);
            ++carry;
        }
        quotient[j] = static_cast<std::uint64_t>(value);
    }
}

} // namespace kestrane::long_detail
