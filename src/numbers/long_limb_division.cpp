// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_limbs.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace kestrane::long_detail {

namespace {

// The remainder's limbs are signed and left unnormalised while quotient limbs
// are subtracted: each step is then one 128-bit product and subtraction per
// divisor limb. A limb gathers at most one product below 2^120 per divisor
// limb, so it stays far inside 128 bits.
__extension__ typedef __int128 SignedWide;

constexpr double kBase = 1e18;

// The low half goes through a signed conversion, offset by 2^63: the
// processor converts only signed integers in one instruction.
double toDouble(SignedWide value)
{
    auto low = static_cast<std::int64_t>(static_cast<std::uint64_t>(value) ^ (1ull << 63));
    return static_cast<double>(static_cast<std::int64_t>(value >> 64)) * 18446744073709551616.0 +
           (static_cast<double>(low) + 9223372036854775808.0);
}

std::int64_t floorOf(double value)
{
    auto whole = static_cast<std::int64_t>(value);
    return static_cast<double>(whole) > value ? whole - 1 : whole;
}

// floor(value / 10^18) for a signed value (up to 60 products of two limbs,
// so the carry may pass 64 bits); value keeps the rest in [0, 10^18). Inlined:
// a call per limb costs as much as the division itself.
__attribute__((always_inline)) inline SignedWide carryOut(SignedWide& value)
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

// The quotient limb whose product's top lines up with remainder limb `top`:
// an estimate in doubles from the remainder's top limbs (the one under the
// top carried into [0, 10^18), the next one unnormalised), good to about
// 2^10, refined once on the exact 128-bit difference at the top. The result
// is within one of the true limb (which may itself be -1 or 10^18 after an
// earlier step's error): the limbs further down add less than 60 units of
// the third, against a divisor whose top limb is at least 10^15.
//
// For a square root the subtrahend also holds the limb's square, one limb
// below the divisor's last; when that lands near the top (a divisor of one or
// two limbs) the refinement is a Newton step on the quadratic.
enum class Subtrahend { Product, ProductAndSquare };

// The divisor's top three limbs as one double, in units of its top limb, and
// its reciprocal: the estimates multiply by it, since a division's latency
// would hold up every step.
struct Leading {
    double value = 0;
    double inverse = 0;
};

template<typename Limb>
std::int64_t estimateLimb(const SignedWide* remainder, int top, const Limb* divisor,
                          int divisorLimbs, Leading leading,
                          Subtrahend subtrahend = Subtrahend::Product)
{
    auto divisorAt = [&](int k) -> std::int64_t {
        return k >= 0 ? static_cast<std::int64_t>(divisor[k]) : 0;
    };
    SignedWide upper = remainder[top] * static_cast<SignedWide>(kLimbBase) + remainder[top - 1];
    SignedWide next = remainder[top - 2];
    std::int64_t first = floorOf((toDouble(upper) + toDouble(next) / kBase) * leading.inverse);
    // The remainder less first times the divisor's top limbs, in units of
    // the limb two below the top.
    SignedWide high = upper - static_cast<SignedWide>(first) * divisorAt(divisorLimbs - 1);
    SignedWide middle = next - static_cast<SignedWide>(first) * divisorAt(divisorLimbs - 2);
    double low = -static_cast<double>(first) * static_cast<double>(divisorAt(divisorLimbs - 3));
    double difference = toDouble(high) * kBase + toDouble(middle) + low / kBase;
    if (subtrahend == Subtrahend::ProductAndSquare && divisorLimbs <= 2) {
        // The square sits 1 - divisorLimbs limbs from the unit used here.
        double scale = divisorLimbs == 1 ? 1.0 : 1.0 / kBase;
        difference -= static_cast<double>(first) * static_cast<double>(first) * scale;
        double slope = leading.value * kBase + 2.0 * static_cast<double>(first) * scale;
        return first + floorOf(difference / slope);
    }
    return first + floorOf(difference * (leading.inverse / kBase));
}

template<typename Limb>
Leading leadingOf(const Limb* divisor, int limbs)
{
    double value = static_cast<double>(divisor[limbs - 1]);
    if (limbs >= 2)
        value += static_cast<double>(divisor[limbs - 2]) / kBase;
    if (limbs >= 3)
        value += static_cast<double>(divisor[limbs - 3]) / (kBase * kBase);
    return {value, 1 / value};
}

// The division's limb estimate in one step, in extended precision (a 64-bit
// significand): the rounding errors come to below half a unit of a limb below
// 10^18, so the double estimate's refinement on the exact difference, whose
// latency holds up every step, is left out. A limb off by one more than the
// refined one is mended like any other: the next step's estimate takes up
// the remainder's excess, and the final correction runs as often as needed.
using Extended = long double;

// The low half through a signed conversion, offset by 2^63, as for doubles.
Extended toExtended(SignedWide value)
{
    auto low = static_cast<std::int64_t>(static_cast<std::uint64_t>(value) ^ (1ull << 63));
    return static_cast<Extended>(static_cast<std::int64_t>(value >> 64)) * 18446744073709551616.0L +
           (static_cast<Extended>(low) + 9223372036854775808.0L);
}

Extended extendedInverse(const std::uint64_t* divisor, int limbs)
{
    Extended value = static_cast<Extended>(divisor[limbs - 1]);
    if (limbs >= 2)
        value += static_cast<Extended>(divisor[limbs - 2]) * 1e-18L;
    if (limbs >= 3)
        value += static_cast<Extended>(divisor[limbs - 3]) * 1e-36L;
    return 1 / value;
}

// The nearest integer (the estimate may be one off either way, so rounding
// serves as well as the floor). With a 64-bit significand, adding 3 * 2^62
// leaves the integer in the significand's bits, which are read directly: the
// processor's own conversion switches the rounding mode twice per limb.
std::int64_t nearestInteger(Extended value)
{
    if constexpr (std::numeric_limits<Extended>::digits == 64 &&
                  std::endian::native == std::endian::little) {
        constexpr std::uint64_t kMagic = 3ull << 62;
        Extended shifted = value + static_cast<Extended>(kMagic);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &shifted, sizeof bits);
        return static_cast<std::int64_t>(bits - kMagic);
    } else {
        return static_cast<std::int64_t>(value);
    }
}

std::int64_t estimateQuotientLimb(const SignedWide* remainder, int top, Extended inverse)
{
    SignedWide upper = remainder[top] * static_cast<SignedWide>(kLimbBase) + remainder[top - 1];
    return nearestInteger((toExtended(upper) + toExtended(remainder[top - 2]) * 1e-18L) * inverse);
}

// target[0 .. count - 1] less digit times the divisor's limbs, two at a time
// so that the products do not wait on each other.
template<typename Limb>
void subtractMultiple(SignedWide* target, const Limb* divisor, int count, std::int64_t digit)
{
    int k = 0;
    for (; k + 1 < count; k += 2) {
        target[k] -= static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k]);
        target[k + 1] -= static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k + 1]);
    }
    if (k < count)
        target[k] -= static_cast<SignedWide>(digit) * static_cast<std::int64_t>(divisor[k]);
}

// The same for the root's steps, kept out of line: inlined there, the
// compiler loses sight of the digit being a 64-bit value and multiplies in
// full 128 bits.
__attribute__((noinline)) void subtractRootMultiple(SignedWide* target, const std::int64_t* divisor,
                                                    int count, std::int64_t digit)
{
    subtractMultiple(target, divisor, count, digit);
}

// Limbs within a few units of [0, 10^18) carried into place, from the bottom;
// returns the carry out of the top.
std::int64_t carrySmall(const std::int64_t* digits, int count, std::int64_t carry,
                        std::uint64_t* limbs)
{
    for (int j = 0; j < count; ++j) {
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
        limbs[j] = static_cast<std::uint64_t>(value);
    }
    return carry;
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
    Extended inverse = extendedInverse(divisor, m);
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
        std::int64_t digit = estimateQuotientLimb(rest, top, inverse);
        digits[j] = digit;
        subtractMultiple(rest + j, divisor, m, digit);
    }
    // 3. The remainder carried from the bottom; each limb estimate was within
    //    two, so it lies within a few divisors of [0, divisor), which the
    //    loops below take back.
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
    // 4. The quotient's limbs carried into place: each is within a few units
    //    of [0, 10^18), so the carries are small.
    carrySmall(digits.data(), steps, adjust, quotient);
}

void squareRootLimbs(const std::uint64_t* radicand, int rootLimbs, std::uint64_t* root)
{
    int n = rootLimbs;
    int count = 2 * n;
    constexpr int kBelow = 2;
    std::array<SignedWide, kMaxLimbs * 2 + kBelow + 2> storage;
    SignedWide* rest = storage.data() + kBelow;
    storage[0] = storage[1] = 0;
    for (int k = 0; k < count; ++k)
        rest[k] = radicand[k];
    rest[count] = 0;
    // The root's limbs as found (each within one of its true value) and
    // twice them: the subtrahend of limb s below a root T is s (2 T 10^18 + s).
    std::array<std::int64_t, kMaxLimbs> digits;
    std::array<std::int64_t, kMaxLimbs> twice;
    // 1. The top limb: the root of the top two limbs, exactly.
    Wide top = static_cast<Wide>(radicand[count - 1]) * kLimbBase + radicand[count - 2];
    auto first =
        static_cast<std::uint64_t>(std::sqrt(static_cast<double>(radicand[count - 1]) * kBase +
                                             static_cast<double>(radicand[count - 2])));
    while (static_cast<Wide>(first) * first > top)
        --first;
    while (static_cast<Wide>(first + 1) * (first + 1) <= top)
        ++first;
    digits[n - 1] = static_cast<std::int64_t>(first);
    twice[n - 1] = 2 * digits[n - 1];
    rest[count - 2] -= static_cast<SignedWide>(first) * first;
    // 2. Each further limb, like a quotient limb by 2T, with its square one
    //    limb under the divisor's last.
    Leading leading;
    for (int d = n - 2; d >= 0; --d) {
        int m = n - 1 - d;
        int high = n + d;
        rest[high] += rest[high + 1] * static_cast<SignedWide>(kLimbBase);
        rest[high + 1] = 0;
        rest[high] += carryOut(rest[high - 1]);
        const std::int64_t* divisor = twice.data() + d + 1;
        // From the third limb on, the divisor's top three limbs stay the same.
        if (m <= 3)
            leading = leadingOf(divisor, m);
        std::int64_t digit =
            estimateLimb(rest, high, divisor, m, leading, Subtrahend::ProductAndSquare);
        subtractRootMultiple(rest + 2 * d + 1, divisor, m, digit);
        rest[2 * d] -= static_cast<SignedWide>(digit) * digit;
        digits[d] = digit;
        twice[d] = 2 * digit;
    }
    // 3. The remainder N - S^2 carried from the bottom, and S normalised with
    //    a limb more: an overshoot of a root just under 10^(18 n) carries out.
    // (The limbs above the root's are mostly in place already.)
    for (int k = 0; k < count; ++k) {
        if (rest[k] < 0 || rest[k] >= static_cast<SignedWide>(kLimbBase))
            rest[k + 1] += carryOut(rest[k]);
    }
    std::array<std::uint64_t, kMaxLimbs + 1> value;
    value[n] = static_cast<std::uint64_t>(carrySmall(digits.data(), n, 0, value.data()));
    // 4. S within a few units of the root: S^2 <= N < (S + 1)^2, that is
    //    0 <= N - S^2 <= 2 S. Moving S by one moves the remainder by 2 S -+ 1.
    auto negative = [&] {
        for (int k = count; k >= 0; --k) {
            if (rest[k] != 0)
                return rest[k] < 0;
        }
        return false;
    };
    // The remainder plus sign (2 S + 1), with S as it stands.
    auto addTwiceRootPlusOne = [&](int sign) {
        SignedWide carry = sign;
        for (int k = 0; k <= n; ++k) {
            rest[k] += carry + sign * 2 * static_cast<SignedWide>(value[k]);
            carry = carryOut(rest[k]);
        }
        for (int k = n + 1; k < count && carry != 0; ++k) {
            rest[k] += carry;
            carry = carryOut(rest[k]);
        }
        // The top limb keeps the sign.
        rest[count] += carry;
    };
    auto moveRoot = [&](int sign) {
        for (int k = 0; k <= n; ++k) {
            if (sign > 0 && value[k] + 1 < kLimbBase) {
                ++value[k];
                return;
            }
            if (sign < 0 && value[k] > 0) {
                --value[k];
                return;
            }
            value[k] = sign > 0 ? 0 : kLimbBase - 1;
        }
    };
    // Mostly S is the root already: 0 <= rest <= 2 S, compared limb by limb
    // (rest is carried into [0, 10^18) below its top limb).
    auto withinTwiceRoot = [&] {
        if (rest[count] < 0)
            return false;
        std::array<std::uint64_t, kMaxLimbs + 2> doubled;
        std::uint64_t carry = 0;
        for (int k = 0; k <= n; ++k) {
            std::uint64_t limb = 2 * value[k] + carry;
            carry = limb >= kLimbBase ? 1 : 0;
            doubled[k] = limb - carry * kLimbBase;
        }
        doubled[n + 1] = carry;
        for (int k = count; k >= 0; --k) {
            std::uint64_t limb = k <= n + 1 ? doubled[k] : 0;
            if (rest[k] != static_cast<SignedWide>(limb))
                return rest[k] < static_cast<SignedWide>(limb);
        }
        return true;
    };
    if (withinTwiceRoot()) {
        std::copy(value.begin(), value.begin() + n, root);
        return;
    }
    while (negative()) {
        // N - (S - 1)^2 = rest + 2 (S - 1) + 1.
        moveRoot(-1);
        addTwiceRootPlusOne(1);
    }
    for (;;) {
        // N - (S + 1)^2 = rest - (2 S + 1); kept when not negative.
        addTwiceRootPlusOne(-1);
        if (negative()) {
            addTwiceRootPlusOne(1);
            break;
        }
        moveRoot(1);
    }
    std::copy(value.begin(), value.begin() + n, root);
}

} // namespace kestrane::long_detail
