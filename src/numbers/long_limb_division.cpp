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

// The division's limb estimate from the remainder's head (its limbs from
// top - 1 up, in units of limb top - 1) and limb top - 2, next, against
// D = d1 10^18 + d2, the divisor's top two limbs: the nearest integer to
// (head 10^18 + next) / D. The head's part is a product with a 64-bit
// reciprocal, R = floor((2^k 10^18 - 1) / D) in [2^63, 2^64), in fixed point
// with s = k - 64 fraction bits; next's part, below 2^17 in size, comes in
// doubles with 20 fraction bits. Integer products keep the latency that holds
// up every step to a few multiplications.
//
// Against the true limb q (the remainder over the divisor times 10^18^j) the
// estimate is off by at most 0.5 (the rounding) + |q| 2^-63 (R) + 2^-20 (next's
// part, truncated) + 10^-12 (the limbs below next and those of the divisor
// below d2, dropped), that is below 0.62 while |q| <= 10^18. That holds
// throughout: the first q is below 1000 (the divisor's top limb is at least
// 10^15), and each next one is 10^18 times the error of the one before. So
// every limb, and every remainder limb's share of a product, stays below
// 10^18 in size, and a remainder limb (at most 62 shares) below 2^126.
struct LimbEstimator {
    Wide divisorTop = 0;       // D
    std::uint64_t inverse = 0; // R
    int shift = 0;             // s
    double nextScale = 0;      // 2^20 / D
    double thirdScale = 0;     // the third limb times 2^20 / D

    LimbEstimator(const std::int64_t* limbs, int count)
    {
        auto first = static_cast<std::uint64_t>(limbs[count - 1]);
        divisorTop =
            static_cast<Wide>(first) * kLimbBase + static_cast<std::uint64_t>(limbs[count - 2]);
        int bits = 64 - std::countl_zero(first);
        shift = bits - 1;
        // D / 10^18 lies in [2^(bits - 1), 2^bits), so R is below 2^64 and,
        // with the 1 taken off, at least 2^63 - 1 only when D is 2^(bits - 1)
        // 10^18 exactly: then R = 2^64 - 1.
        // (Powers of two and 10^18 are exact in extended precision.)
        long double top =
            static_cast<long double>(first) * 1e18L + static_cast<long double>(limbs[count - 2]);
        long double estimate =
            static_cast<long double>(1ull << (bits - 1)) * 18446744073709551616.0L * 1e18L / top;
        // Between 2^63 and 2^64 an extended value is an integer, its
        // significand's 64 bits (read directly: the processor's own
        // conversion switches the rounding mode twice).
        std::uint64_t r = 1ull << 63;
        if (estimate >= 18446744073709551615.0L) {
            r = ~0ull;
        } else if (estimate >= 9223372036854775808.0L &&
                   std::numeric_limits<long double>::digits == 64 &&
                   std::endian::native == std::endian::little) {
            std::memcpy(&r, &estimate, sizeof r);
        } else if (estimate >= 9223372036854775808.0L) {
            r = static_cast<std::uint64_t>(estimate);
        }
        // The estimate is within a few units: the exact floor from the rest
        // 2^k 10^18 - 1 - R D, whose size then fits 127 bits, so that it is
        // found modulo 2^128.
        Wide numerator = static_cast<Wide>(kLimbBase) << (bits - 1);
        auto rest =
            static_cast<SignedWide>((numerator << 64) - 1 - static_cast<Wide>(r) * divisorTop);
        auto divisorSigned = static_cast<SignedWide>(divisorTop);
        while (rest < 0) {
            --r;
            rest += divisorSigned;
        }
        while (rest >= divisorSigned) {
            ++r;
            rest -= divisorSigned;
        }
        inverse = r;
        nextScale = 1048576.0 / static_cast<double>(top);
        thirdScale = static_cast<double>(limbs[count - 3]) * nextScale;
    }

    // The head and the limb under it after the step that found `digit`, the
    // remainder limb under them (`below`) coming in; `third` is the divisor's
    // third limb.
    void advance(SignedWide& head, SignedWide& next, SignedWide& nextShare, SignedWide below,
                 std::int64_t digit, std::int64_t third) const
    {
        head =
            static_cast<SignedWide>(static_cast<Wide>(head) * kLimbBase + static_cast<Wide>(next) -
                                    static_cast<Wide>(static_cast<SignedWide>(digit)) * divisorTop);
        next = below - static_cast<SignedWide>(digit) * third;
        nextShare = nextPart(toDouble(below) * nextScale - static_cast<double>(digit) * thirdScale);
    }

    // next's part, in units of 2^-s.
    SignedWide nextPart(double scaled) const
    {
        return static_cast<SignedWide>(static_cast<std::int64_t>(scaled)) << (shift - 20);
    }

    std::int64_t limb(SignedWide head, SignedWide nextShare) const
    {
        // floor(head R / 2^64): R as a signed factor is R - 2^64.
        auto high = static_cast<std::int64_t>(head >> 64);
        auto low = static_cast<std::uint64_t>(head);
        SignedWide product = static_cast<SignedWide>(high) * static_cast<std::int64_t>(inverse) +
                             (static_cast<SignedWide>(high) << 64) +
                             static_cast<std::uint64_t>((static_cast<Wide>(low) * inverse) >> 64);
        SignedWide half = static_cast<SignedWide>(1) << (shift - 1);
        return static_cast<std::int64_t>((product + nextShare + half) >> shift);
    }
};

// A remainder limb read as its two 64-bit halves, as the steps store it: a
// 128-bit read of a limb just written waits for the stores to complete.
SignedWide loadHalves(const SignedWide* limb)
{
    std::uint64_t halves[2];
    std::memcpy(halves, limb, sizeof halves);
    return static_cast<SignedWide>((static_cast<Wide>(halves[1]) << 64) | halves[0]);
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

// Limbs 0 .. count - 1 carried into [0, 10^18), the carry out added to limb
// count: one chain from the bottom, a division per limb (carrying all limbs
// at once in rounds divides about twice per limb, and measured slower at
// every size).
void normalise(SignedWide* rest, int count)
{
    SignedWide carry = 0;
    for (int k = 0; k < count; ++k) {
        rest[k] += carry;
        carry = carryOut(rest[k]);
    }
    rest[count] += carry;
}

// A normalised remainder (its top limb m holding the sign) brought into
// [0, divisor) a divisor at a time; returns the quotient's change.
std::int64_t correct(SignedWide* rest, const std::uint64_t* divisor, int m)
{
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
    return adjust;
}

// Roots of this many limbs or more find their limbs from the third on with
// the remainder's head, as the division does: 2T's top two limbs are fixed
// from then on.
constexpr int kHeadRootLimbs = 3;

// What the root's head steps leave: the remainder's head (its limbs from
// n - 2 up, in units of limb n - 2), limb n - 3, and the estimate of the limb
// after the last.
struct RootHead {
    SignedWide head;
    SignedWide next;
    std::int64_t after;
};

// Root limbs n - 3 down to 0, from a remainder whose limbs above 2 n - 2 are
// zero, by the division's steps with the divisor 2T: its top two limbs, D,
// are fixed, and so is the third from limb n - 4 on. Each limb s adds itself
// to 2T as a new last limb, its square s^2 one limb under that: limb n - 3
// is 2T's third limb for its own square, the later squares are subtracted
// with the products under the top three, one step later.
//
// The estimates keep the division's bounds. With R = N - S^2 the remainder
// below a root S and x the real limb that would complete it, (S + x)^2 = N in
// the limb's units, an estimate s leaves the next limb at 10^18 (x - s) times
// 1 + (x - s) / (2 S + x + s), that is within 10^-33 of 10^18 (x - s): 2T is
// at least 2 10^15 times 10^18 per limb under its top. The estimate is off
// from x by at most 0.5 + |x| 2^-63 + 2^-20 plus dropped parts: the limbs
// under next (below 2^126 each, 10^-13 of D), 2T's limbs under the third and
// the square (10^-15). The second limb, found before, is within one of its
// own, so the first x is at most 10^18 (1 + 10^-33): its estimate is
// within 0.61, and every later |x| stays below 0.62 10^18 + 1 and its estimate
// within 0.57. So the head stays below 2^121, a limb and each remainder limb's
// share of a product below 2^121 (at most 45 shares, under 2^127), and the
// final S is the root or one above it.
RootHead rootLimbsWithHead(SignedWide* rest, int n, std::int64_t* digits, std::int64_t* twice)
{
    // D carried into [0, 10^18) limbs for the reciprocal: the second limb
    // may have been estimated as -1 or 10^18.
    std::int64_t upper = twice[n - 1];
    std::int64_t lower = twice[n - 2];
    constexpr auto kSigned = static_cast<std::int64_t>(kLimbBase);
    for (; lower < 0; --upper)
        lower += kSigned;
    for (; lower >= kSigned; ++upper)
        lower -= kSigned;
    const std::int64_t leading[3] = {0, lower, upper};
    LimbEstimator estimator(leading, 3);
    const Wide divisorTop = estimator.divisorTop;
    int top = 2 * n - 3;
    auto head = static_cast<SignedWide>(
        (static_cast<Wide>(rest[top + 1]) * kLimbBase + static_cast<Wide>(rest[top])) * kLimbBase +
        static_cast<Wide>(rest[top - 1]));
    SignedWide next = rest[top - 2];
    SignedWide nextShare = estimator.nextPart(toDouble(next) * estimator.nextScale);
    {
        // Limb n - 3, with its square as the third limb's product.
        std::int64_t digit = estimator.limb(head, nextShare);
        digits[n - 3] = digit;
        twice[n - 3] = 2 * digit;
        SignedWide below = loadHalves(rest + top - 3);
        head =
            static_cast<SignedWide>(static_cast<Wide>(head) * kLimbBase + static_cast<Wide>(next) -
                                    static_cast<Wide>(static_cast<SignedWide>(digit)) * divisorTop);
        next = below - static_cast<SignedWide>(digit) * digit;
        double square = static_cast<double>(digit) * static_cast<double>(digit);
        nextShare = estimator.nextPart((toDouble(below) - square) * estimator.nextScale);
        --top;
    }
    const std::int64_t third = twice[n - 3];
    estimator.thirdScale = static_cast<double>(third) * estimator.nextScale;
    std::int64_t pending = 0;
    for (int d = n - 4; d >= 0; --d, --top) {
        int m = n - 1 - d;
        // The last limb's products under 2T's top three, the top one landing
        // on limb top - 3, and its square; those under limb n - 3, which no
        // step reads, are left to completeLowLimbs.
        int skipped = std::max(0, n - 6 - 2 * d);
        subtractMultiple(rest + 2 * d + 3 + skipped, twice + d + 2 + skipped, m - 4 - skipped,
                         pending);
        if (2 * d + 2 >= n - 3)
            rest[2 * d + 2] -= static_cast<SignedWide>(pending) * pending;
        std::int64_t digit = estimator.limb(head, nextShare);
        digits[d] = digit;
        twice[d] = 2 * digit;
        SignedWide below = loadHalves(rest + top - 3);
        estimator.advance(head, next, nextShare, below, digit, third);
        pending = digit;
    }
    return {head, next, estimator.limb(head, nextShare)};
}

// The remainder's limbs under n - 3, which only an exact settlement reads:
// the radicand's, less the products and squares of the head steps' limbs
// that land there.
void completeLowLimbs(SignedWide* rest, const std::uint64_t* radicand, int n,
                      const std::int64_t* digits, const std::int64_t* twice)
{
    for (int k = 0; k < n - 3; ++k)
        rest[k] = radicand[k];
    // Limb d's products under 2T's top three span limbs 2 d + 1 .. n + d - 4.
    for (int d = 0; 2 * d <= n - 4; ++d) {
        subtractMultiple(rest + 2 * d + 1, twice + d + 1, n - 4 - 2 * d, digits[d]);
        rest[2 * d] -= static_cast<SignedWide>(digits[d]) * digits[d];
    }
}

// The remainder N - S^2 (limbs 0 .. 2 n, unnormalised) carried from the
// bottom, and S (n + 1 limbs, normalised) moved by ones to the root:
// S^2 <= N < (S + 1)^2, that is 0 <= N - S^2 <= 2 S. Moving S by one moves
// the remainder by 2 S -+ 1.
void settleRoot(SignedWide* rest, int n, std::uint64_t* value)
{
    int count = 2 * n;
    // (The limbs above the root's are mostly in place already.)
    for (int k = 0; k < count; ++k) {
        if (rest[k] < 0 || rest[k] >= static_cast<SignedWide>(kLimbBase))
            rest[k + 1] += carryOut(rest[k]);
    }
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
    if (withinTwiceRoot())
        return;
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
}

} // namespace

void divideLimbs(const std::uint64_t* dividend, int dividendLimbs, const std::uint64_t* divisor,
                 int divisorLimbs, std::uint64_t* quotient, std::uint64_t* remainder)
{
    int m = divisorLimbs;
    int steps = dividendLimbs - m + 1;
    // Two zero limbs below the dividend and the divisor let a step read three
    // limbs of each whatever the divisor's length.
    constexpr int kBelow = 2;
    std::array<SignedWide, kMaxLimbs * 2 + kBelow + 2> storage;
    SignedWide* rest = storage.data() + kBelow;
    storage[0] = storage[1] = 0;
    for (int k = 0; k < dividendLimbs; ++k)
        rest[k] = dividend[k];
    std::array<std::int64_t, kMaxLimbs + kBelow> divisorStorage;
    std::int64_t* limbs = divisorStorage.data() + kBelow;
    divisorStorage[0] = divisorStorage[1] = 0;
    for (int k = 0; k < m; ++k)
        limbs[k] = static_cast<std::int64_t>(divisor[k]);
    std::array<std::int64_t, kMaxLimbs * 2> digits;
    const LimbEstimator estimator(limbs, m);
    const std::int64_t third = limbs[m - 3];
    // 1. The steps. Only what the next estimate reads waits on a limb: the
    //    remainder's limbs from top - 1 up as one 128-bit head, in units of
    //    limb top - 1, and limb top - 2, next. The head is that of the
    //    remainder as it stands, below 10^36 plus 10^-18 of the limbs under
    //    it (see LimbEstimator): it needs no carrying, and the step's head
    //    (head 10^18 + next - limb D) is found modulo 2^128. A limb's product
    //    with the divisor's limbs under the top three is subtracted one step
    //    later, off the chain, in time for the limb it reaches.
    SignedWide head = dividend[dividendLimbs - 1];
    SignedWide next = rest[dividendLimbs - 2];
    SignedWide nextShare = estimator.nextPart(toDouble(next) * estimator.nextScale);
    std::int64_t pending = 0;
    for (int j = steps - 1; j >= 0; --j) {
        int top = j + m;
        subtractMultiple(rest + j + 1, limbs, m - 3, pending);
        std::int64_t digit = estimator.limb(head, nextShare);
        digits[j] = digit;
        SignedWide below = loadHalves(rest + top - 3);
        estimator.advance(head, next, nextShare, below, digit, third);
        pending = digit;
    }
    subtractMultiple(rest, limbs, m - 3, pending);
    // 2. The remainder R, within 0.62 divisors of 0 (see LimbEstimator). One
    //    more estimate, of R 10^18 / divisor, tells its sign unless R is
    //    within two 10^-18 of the divisor from 0: then it is settled exactly
    //    below, once carried.
    std::int64_t after = estimator.limb(head, nextShare);
    std::int64_t adjust = after >= 1 ? 0 : after <= -2 ? -1 : 1;
    rest[m] = 0;
    if (m >= 2) {
        rest[m - 1] = 0;
        rest[m - 2] = head;
        rest[m - 3] = next;
    } else {
        // Units of 10^-18 of limb 0, which the head is a multiple of.
        rest[0] = carryOut(head);
    }
    if (adjust < 0) {
        for (int k = 0; k < m; ++k)
            rest[k] += limbs[k];
    }
    normalise(rest, m);
    if (adjust == 1)
        adjust = correct(rest, divisor, m);
    for (int k = 0; k < m; ++k)
        remainder[k] = static_cast<std::uint64_t>(rest[k]);
    // 3. The quotient's limbs carried into place: each is below 10^18 in
    //    size, so the carries are small.
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
    // Limbs under n - 3 are read only when the root is settled exactly (see
    // rootLimbsWithHead).
    int lowLimbs = n >= kHeadRootLimbs ? n - 3 : 0;
    for (int k = lowLimbs; k < count; ++k)
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
    // 2. The second limb, like a quotient limb by 2T, with its square one
    //    limb under the divisor's last.
    if (n >= 2) {
        int d = n - 2;
        int high = n + d;
        rest[high] += rest[high + 1] * static_cast<SignedWide>(kLimbBase);
        rest[high + 1] = 0;
        rest[high] += carryOut(rest[high - 1]);
        const std::int64_t* divisor = twice.data() + d + 1;
        std::int64_t digit = estimateLimb(rest, high, divisor, 1, leadingOf(divisor, 1),
                                          Subtrahend::ProductAndSquare);
        rest[2 * d + 1] -= static_cast<SignedWide>(digit) * divisor[0];
        rest[2 * d] -= static_cast<SignedWide>(digit) * digit;
        digits[d] = digit;
        twice[d] = 2 * digit;
    }
    std::array<std::uint64_t, kMaxLimbs + 1> value;
    if (n >= kHeadRootLimbs) {
        // 3. The other limbs with the remainder's head, and the sign of the
        //    remainder from the estimate of the limb after the last: S is the
        //    root or one above it.
        RootHead head = rootLimbsWithHead(rest, n, digits.data(), twice.data());
        value[n] = static_cast<std::uint64_t>(carrySmall(digits.data(), n, 0, value.data()));
        constexpr auto kLargest = static_cast<std::int64_t>(kLimbBase) - 2;
        if (head.after >= 1 && head.after <= kLargest) {
            std::copy(value.begin(), value.begin() + n, root);
            return;
        }
        if (head.after <= -2 && head.after >= -kLargest) {
            // S - 1: S is at least 10^15, so the borrow stops.
            int k = 0;
            for (; value[k] == 0; ++k)
                value[k] = kLimbBase - 1;
            --value[k];
            std::copy(value.begin(), value.begin() + n, root);
            return;
        }
        // The remainder next to zero: settled exactly.
        completeLowLimbs(rest, radicand, n, digits.data(), twice.data());
        std::fill(rest + n - 1, rest + count + 1, 0);
        rest[n - 2] = head.head;
        rest[n - 3] = head.next;
    } else {
        value[n] = static_cast<std::uint64_t>(carrySmall(digits.data(), n, 0, value.data()));
    }
    settleRoot(rest, n, value.data());
    std::copy(value.begin(), value.begin() + n, root);
}

} // namespace kestrane::long_detail
