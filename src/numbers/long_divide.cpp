// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"
#include "numbers/long_limbs.h"
#include "platform/translation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace kestrane {

namespace {

using long_detail::firstNonzero;
using long_detail::lastNonzero;

// Each step of the division finds the largest q whose product T(q), the divisor
// times q moved s words (digits below the last word dropped, their carry kept),
// does not exceed the remainder R, and subtracts T(q). That q is
// ceil((R + 1) / X) - 1 with X the moved divisor as a real number, which a
// floating-point estimate from the leading words gives except near an integer;
// only then are the exact words compared.
//
// The remainder's words are kept unnormalised (each may be far outside
// 0..999) so that a step is one multiply-subtract per word with no carries;
// words above the divisor's leading position are folded into the word just
// above it before each estimate. After at most 180 steps of at most
// 1000 * 999 each, a word stays below 2^31 in magnitude.

constexpr int kPadding = 2;
// Loops shorter than this run inline rather than through the vector clones.
constexpr int kShortLoop = 24;
constexpr int kEstimateWords = 6;
constexpr double kEstimateMargin = 1e-8;
using Words = std::array<std::int64_t, kLongWordsMax + kPadding + kEstimateWords + 2>;

struct Division {
    int count = 0;
    int divisorFirst = 0;
    int divisorLast = 0;
    const LongNum* divisor = nullptr;
    // Only the words in use are cleared (see clear()).
    Words remainderStorage;
    Words divisorStorage;
    std::int64_t* remainder = remainderStorage.data() + kPadding;
    std::int64_t* divisorWords = divisorStorage.data() + kPadding;
    // The divisor's words again, unsigned 32-bit for the multiply-subtract.
    std::array<std::uint32_t, kLongWordsMax> divisorNarrow;
    int top = 0; // words of the remainder above this index are zero
    double divisorLead = 0;
};

// 1000^-k for the words an estimate reads.
constexpr std::array<double, kEstimateWords + 1> kInversePowers = {1.0,   1e-3,  1e-6, 1e-9,
                                                                   1e-12, 1e-15, 1e-18};

double inversePower(int exponent)
{
    return kInversePowers[static_cast<size_t>(exponent)];
}

// floor(m * tail) where the tail is the divisor's words moved below the last word.
std::int64_t tailCarry(const Division& division, std::int64_t m, int shift)
{
    int tailBegin = division.count - shift;
    if (shift <= 0 || tailBegin > division.divisorLast)
        return 0;
    return long_detail::truncatedTailCarry(m, division.divisor->words().data() + tailBegin,
                                           division.divisorLast - tailBegin + 1);
}

void foldAbove(Division& division, int lead)
{
    std::int64_t* remainder = division.remainder;
    for (int j = division.top; j < lead - 1; ++j) {
        remainder[j + 1] += remainder[j] * kLongBase;
        remainder[j] = 0;
    }
    if (division.top < lead - 1)
        division.top = lead - 1;
}

void normalise(Division& division)
{
    std::int64_t* remainder = division.remainder;
    std::int64_t carry = 0;
    for (int j = division.count - 1; j > division.top; --j) {
        std::int64_t value = remainder[j] + carry;
        std::int64_t low = value % kLongBase;
        if (low < 0)
            low += kLongBase;
        carry = (value - low) / kLongBase;
        remainder[j] = low;
    }
    remainder[division.top] += carry;
}

// True when T(q) <= R, with R normalised.
bool productFits(const Division& division, std::int64_t q, int shift)
{
    int count = division.count;
    int lead = division.divisorFirst + shift;
    Words productStorage;
    std::fill(productStorage.begin(), productStorage.begin() + count + kPadding + kEstimateWords,
              0);
    std::int64_t* product = productStorage.data() + kPadding;
    std::int64_t carry = tailCarry(division, q, shift);
    int last = std::min(division.divisorLast, count - 1 - shift);
    for (int j = last; j >= division.divisorFirst; --j) {
        std::int64_t value = q * division.divisorWords[j] + carry;
        product[j + shift] = value % kLongBase;
        carry = value / kLongBase;
    }
    product[lead - 1] += carry;
    // The remainder's head (all it holds above lead - 1) sits at top.
    int from = std::min(division.top, lead - 1);
    for (int j = from; j < count; ++j) {
        if (division.remainder[j] != product[j])
            return division.remainder[j] > product[j];
    }
    return true;
}

std::int64_t quotientWord(Division& division, int shift)
{
    int lead = division.divisorFirst + shift;
    foldAbove(division, lead);
    const std::int64_t* remainder = division.remainder;
    double value = static_cast<double>(remainder[lead - 1]) * kLongBase;
    for (int j = 0; j < kEstimateWords; ++j)
        value += static_cast<double>(remainder[lead + j]) * inversePower(j);
    // R + 1: one unit of the last word.
    if (division.count - 1 - lead <= kEstimateWords)
        value += inversePower(division.count - 1 - lead);
    double estimate = value / division.divisorLead;
    double whole = std::floor(estimate);
    double fraction = estimate - whole;
    if (fraction > kEstimateMargin && fraction < 1 - kEstimateMargin)
        return static_cast<std::int64_t>(whole);
    normalise(division);
    auto candidate = static_cast<std::int64_t>(std::llround(estimate));
    if (candidate <= 0)
        return 0;
    return productFits(division, candidate, shift) ? candidate : candidate - 1;
}

// Subtracts q * divisor[j] from length words of target; both factors are
// below 2^32, so the products vectorise as 32 x 32 -> 64.
KESTRANE_VECTOR_CLONES
void multiplySubtract(std::int64_t* target, const std::uint32_t* source, int length,
                      std::uint32_t q)
{
    for (int j = 0; j < length; ++j)
        target[j] -= static_cast<std::int64_t>(static_cast<std::uint64_t>(q) *
                                               static_cast<std::uint64_t>(source[j]));
}

void subtractTail(Division& division, std::int64_t q, int shift);

void subtractProduct(Division& division, std::int64_t q, int shift)
{
    int first = division.divisorFirst;
    int last = std::min(division.divisorLast, division.count - 1 - shift);
    std::int64_t* target = division.remainder + shift + first;
    const std::uint32_t* source = division.divisorNarrow.data() + first;
    int length = last - first + 1;
    auto factor = static_cast<std::uint32_t>(q);
    if (length >= kShortLoop) {
        multiplySubtract(target, source, length, factor);
        return subtractTail(division, q, shift);
    }
    for (int j = 0; j < length; ++j)
        target[j] -= static_cast<std::int64_t>(static_cast<std::uint64_t>(factor) * source[j]);
    subtractTail(division, q, shift);
}

void subtractTail(Division& division, std::int64_t q, int shift)
{
    division.remainder[division.count - 1] -= tailCarry(division, q, shift);
}

// Up to ten words the remainder and the divisor fit 128-bit integers, and
// every step is a few integer products: T(q) = q floor(N / 1000^s) + the carry
// of q times the divisor's last s words.
constexpr int kIntegerWords = 10;
__extension__ typedef unsigned __int128 Integer;

constexpr std::array<double, kIntegerWords + 1> kPowers = {1e0,  1e3,  1e6,  1e9,  1e12, 1e15,
                                                           1e18, 1e21, 1e24, 1e27, 1e30};

// Two 64-bit conversions are several times faster than the library's
// 128-bit one, and as accurate.
double toDouble(Integer value)
{
    return static_cast<double>(static_cast<std::uint64_t>(value >> 64)) * 18446744073709551616.0 +
           static_cast<double>(static_cast<std::uint64_t>(value));
}

// True when an estimate good to 1e-12 of its value has a certain floor.
bool isCertain(double estimate, std::int64_t whole)
{
    double fraction = estimate - static_cast<double>(whole);
    return estimate < 1e6 && fraction > 1e-9 && fraction < 1 - 1e-9;
}

// Quotient words above word 0 are dropped.
void storeWord(std::int64_t* quotient, int index, std::int64_t q)
{
    if (index >= 0)
        quotient[index] += q;
}

double toDouble(std::uint64_t value)
{
    return static_cast<double>(value);
}

// The steps of LongDiv on 128-bit integers, or on 64-bit ones when both
// operands are below 1000^6 (coordinates usually are); the quotient words go
// to quotient.
template<typename Number>
void divideIntegers(const LongNum& a, const LongNum& b, int dividendFirst, int divisorFirst,
                    int shift, std::int64_t* quotient)
{
    int count = a.wordCount();
    int half = count / 2;
    const LongWord* divisorWords = b.words().data();
    const LongWord* dividendWords = a.words().data();
    int divisorLast = count - 1;
    while (divisorWords[divisorLast] == 0)
        --divisorLast;
    // prefixes[k]: the divisor's first k words as an integer (zero up to its
    // first nonzero word).
    Number prefixes[kIntegerWords + 1];
    for (int k = 0; k <= divisorFirst; ++k)
        prefixes[k] = 0;
    for (int k = divisorFirst; k < count; ++k)
        prefixes[k + 1] = prefixes[k] * kLongBase + static_cast<Number>(divisorWords[k]);
    Number remainder = 0;
    for (int k = dividendFirst; k < count; ++k)
        remainder = remainder * kLongBase + static_cast<Number>(dividendWords[k]);
    Number divisor = prefixes[count];
    double inverseDivisor = 1.0 / toDouble(divisor);
    for (int step = 0; step < half; ++step, ++shift) {
        if (shift + divisorFirst >= count || shift >= half)
            continue;
        std::int64_t q = 0;
        Number product = 0;
        double remainderValue = toDouble(remainder);
        if (shift <= 0) {
            // T(q) = q X with X the divisor moved up; q = floor(R / X). X may
            // exceed 64 bits, so this step works on 128.
            Integer moved = divisor;
            for (int k = 0; k < -shift; ++k)
                moved *= kLongBase;
            Integer wide = remainder;
            double estimate = remainderValue * inverseDivisor / kPowers[-shift];
            q = static_cast<std::int64_t>(estimate);
            Integer wideProduct = static_cast<Integer>(q) * moved;
            if (!isCertain(estimate, q)) {
                while (wideProduct > wide) {
                    --q;
                    wideProduct -= moved;
                }
                while (wide - wideProduct >= moved) {
                    ++q;
                    wideProduct += moved;
                }
            }
            product = static_cast<Number>(wideProduct);
        } else {
            // T(q) = q H + floor(q L / 1000^s) with H, L the divisor's words
            // above and below the cut; the largest q with T(q) <= R.
            Number high = prefixes[count - shift];
            const LongWord* tail = b.words().data() + (count - shift);
            int tailLength = std::max(0, divisorLast - (count - shift) + 1);
            auto productOf = [&](std::int64_t factor) {
                return static_cast<Number>(factor) * high +
                       static_cast<Number>(
                           long_detail::truncatedTailCarry(factor, tail, tailLength));
            };
            // q < (R + 1) / X; far from an integer the floor is certain.
            double estimate = (remainderValue + 1) * inverseDivisor * kPowers[shift];
            q = static_cast<std::int64_t>(estimate);
            product = productOf(q);
            if (isCertain(estimate, q)) {
                remainder -= product;
                storeWord(quotient, half - 1 + shift, q);
                continue;
            }
            while (q > 0 && product > remainder)
                product = productOf(--q);
            for (Number next = productOf(q + 1); next <= remainder; next = productOf(q + 1)) {
                ++q;
                product = next;
            }
        }
        remainder -= product;
        storeWord(quotient, half - 1 + shift, q);
    }
}

void divideWords(const LongNum& a, const LongNum& b, int dividendFirst, int shift,
                 std::int64_t* quotient);

// --- The quotient from one exact division ------------------------------------
// With A and X the dividend's and the divisor's words read as integers, the
// steps s <= 0 are exact long division by X 1000^-s. A step s > 0 subtracts
// floor(q X / 1000^s), not q X / 1000^s: the remainder R stays an integer, the
// exact one plus a bump below one unit, and q is the largest digit with
// q X / 1000^s < R + 1. Let S be the last step, n the number of steps s > 0,
// Q and rho the exact quotient and remainder of A 1000^S by X, q_S the last
// digit of Q and Y_s = X / 1000^s. When Y_S >= n + 1 and q_S <= 998:
// 1. Step s gives the exact digit unless the exact remainder after it, r_s,
//    has Y_s - r_s < E + 1, E < n being the bumps so far (the digit is at
//    least the exact one, and one more only if (digit + 1) Y_s < R + 1).
// 2. Y_s - r_s = Y_s (1 - f_s) with f_s the fraction of A 1000^s / X, whose
//    base-1000 digits are those of Q after step s. For s < S, 1 - f_s is at
//    least 1000^(s-S+1) (1 - f_(S-1)), and 1 - f_(S-1) > 1/1000 because
//    q_S <= 998; so Y_s - r_s > Y_S >= n + 1: every step before S is exact.
// 3. Before step S the remainder is therefore ceil(W / 1000^S) + e, with
//    W = q_S X + rho and e the integer part of the bumps of steps 1 .. S - 1
//    (the cut-off fractions of the rows of Q's words times X, as in a
//    product). The last digit is the largest q with q X < (R + 1) 1000^S:
//    q_S, plus one when X - rho <= delta + (e + 1) 1000^S - 1, where delta is
//    -W mod 1000^S (the one more stays below 2X because Y_S >= n + 1).
// Outside these conditions, or when a product could reach past word 0 (a
// nonzero word 0), the steps are run one by one instead.

struct Steps {
    int last = 0;   // S
    int bumped = 0; // n
};

// Q and rho in limbs of 10^18, rho (and X beside it) moved up sigma words.
struct ExactQuotient {
    std::array<std::uint64_t, 2 * long_detail::kMaxLimbs> quotient;
    std::array<std::uint64_t, 2 * long_detail::kMaxLimbs> remainder;
    int quotientCount = 0;
    int remainderCount = 0;
    int sigma = 0;
    bool small = false; // X - rho < (n + 1) 1000^S: the last digit may move
};

// The medium case of rule 3: whether the last digit is one more than q_S.
// Returns nullopt when the bumps' integer part is not decided by the words
// read. digits holds Q's words.
std::optional<bool> lastDigitBumps(const LongWord* digits, const LongNum& b,
                                   const ExactQuotient& exact, Steps steps, LongWord lastDigit)
{
    int count = b.wordCount();
    int half = count / 2;
    int last = steps.last;
    // 1. e from Q's words of the steps 1 .. S - 1.
    LongNum rows;
    for (int s = 1; s < last; ++s)
        rows[half - 1 + s] = digits[half - 1 + s];
    std::int64_t e = long_detail::rowCarrySum(rows, b);
    if (e < 0)
        return std::nullopt;
    // 2. rho's words, moved back by sigma (at most five words here: S >= 1).
    std::array<LongWord, kLongWordsMax + 2 * long_detail::kLimbWords> moved;
    std::fill(moved.begin(), moved.begin() + count + exact.sigma, 0);
    long_detail::storeLimbsAt(exact.remainder.data(), exact.remainderCount, count - 1 + exact.sigma,
                              moved.data());
    const LongWord* rho = moved.data();
    // 3. delta = -(q_S X + rho) mod 1000^S, word k of exponent k.
    std::array<LongWord, kLongWordsMax> delta;
    std::int64_t carry = 0;
    for (int k = 0; k < last; ++k) {
        std::int64_t value =
            static_cast<std::int64_t>(lastDigit) * b[count - 1 - k] + rho[count - 1 - k] + carry;
        carry = value / kLongBase;
        delta[static_cast<size_t>(k)] = static_cast<LongWord>(value % kLongBase);
    }
    std::int64_t borrow = 0;
    for (int k = 0; k < last; ++k) {
        std::int64_t value = -delta[static_cast<size_t>(k)] - borrow;
        borrow = value < 0 ? 1 : 0;
        delta[static_cast<size_t>(k)] = static_cast<LongWord>(value + borrow * kLongBase);
    }
    // 4. X - rho against M = delta + (e + 1) 1000^S from the top:
    //    X - rho <= M - 1 is X - rho < M.
    std::array<LongWord, kLongWordsMax> difference;
    borrow = 0;
    for (int k = 0; k < count; ++k) {
        std::int64_t value = b[count - 1 - k] - rho[count - 1 - k] - borrow;
        borrow = value < 0 ? 1 : 0;
        difference[static_cast<size_t>(k)] = static_cast<LongWord>(value + borrow * kLongBase);
    }
    auto wordOfM = [&](int k) -> std::int64_t {
        if (k < last)
            return delta[static_cast<size_t>(k)];
        return k == last ? e + 1 : 0;
    };
    for (int k = count - 1; k >= 0; --k) {
        if (difference[static_cast<size_t>(k)] != wordOfM(k))
            return difference[static_cast<size_t>(k)] < wordOfM(k);
    }
    return false;
}

__extension__ typedef unsigned __int128 Wide;

// Q and rho of A 1000^S by X at ten words, on 128-bit integers, Q's words
// into digits; false when A 1000^S or X does not fit (X must be below
// 1000^6). Q has at most H = 5 words, so it fits 64 bits, and a quotient in
// doubles is within one of it.
bool divideTenWords(const LongNum& a, const LongNum& b, Steps steps, LongWord* digits,
                    ExactQuotient& exact)
{
    const LongWord* left = a.words().data();
    const LongWord* right = b.words().data();
    if ((right[0] | right[1] | right[2] | right[3]) != 0 || steps.last < 0)
        return false;
    std::uint64_t x = long_detail::limbOfWords(right + 4);
    // A has at most nine words (word 0 is zero).
    Wide dividend = static_cast<Wide>(static_cast<std::uint64_t>(left[1]) * 1000000 +
                                      static_cast<std::uint32_t>(left[2] * 1000 + left[3])) *
                        long_detail::kLimbBase +
                    long_detail::limbOfWords(left + 4);
    // The largest A for which A 1000^S fits 128 bits, for S = 0 .. 4.
    static constexpr Wide kLargest[5] = {
        ~static_cast<Wide>(0), ~static_cast<Wide>(0) / 1000, ~static_cast<Wide>(0) / 1000000,
        ~static_cast<Wide>(0) / 1000000000, ~static_cast<Wide>(0) / 1000000000000};
    std::uint64_t scale = long_detail::kWordPowers[steps.last];
    if (dividend > kLargest[steps.last])
        return false;
    dividend *= scale;
    double estimate =
        (static_cast<double>(static_cast<std::uint64_t>(dividend >> 64)) * 18446744073709551616.0 +
         static_cast<double>(static_cast<std::uint64_t>(dividend))) /
        static_cast<double>(x);
    auto quotient = static_cast<std::uint64_t>(estimate);
    __extension__ typedef __int128 SignedWide;
    SignedWide rest = static_cast<SignedWide>(dividend - static_cast<Wide>(quotient) * x);
    while (rest < 0) {
        --quotient;
        rest += x;
    }
    while (rest >= static_cast<SignedWide>(x)) {
        ++quotient;
        rest -= x;
    }
    auto rho = static_cast<std::uint64_t>(rest);
    // Q's five words, the last at index 4 + S; words above word 0 dropped.
    std::uint64_t high = quotient / 1000000000;
    LongWord words[5];
    words[0] = static_cast<LongWord>(high / 1000);
    words[1] = static_cast<LongWord>(high % 1000);
    long_detail::storeThreeWords(static_cast<std::uint32_t>(quotient - high * 1000000000),
                                 words + 2);
    for (int k = 0; k < 5; ++k) {
        if (steps.last + k >= 0)
            digits[steps.last + k] = words[k];
    }
    exact.remainder[0] = rho;
    exact.remainderCount = 1;
    exact.sigma = 0;
    exact.small = x - rho < static_cast<std::uint64_t>(steps.bumped + 1) * scale;
    return true;
}

// The words of a number from its first nonzero one on, moved up `moved`
// words, as limbs (least significant first) straight into `limbs`; returns
// their count. The partial limbs at the two ends are read through a copy of
// the end words next to zeros: a loop over a varying number of words costs
// more in mispredicted branches than the whole grouping. Inlined: the call
// and its setup cost as much as a few limbs.
__attribute__((always_inline)) inline int groupMoved(const LongWord* words, int count, int first,
                                                     int moved, std::uint64_t* limbs)
{
    using long_detail::kLimbWords;
    int shift = moved % kLimbWords;
    int offset = moved / kLimbWords;
    int high = (count - 1 - first + shift) / kLimbWords;
    // A few zero limbs below are written as a block, past the ones needed
    // (the grouping overwrites those): a call to the library's fill costs more.
    constexpr int kZeroBlock = 4;
    if (offset <= kZeroBlock)
        std::fill_n(limbs, kZeroBlock, 0);
    else
        std::fill_n(limbs, offset, 0);
    std::uint64_t* out = limbs + offset;
    // Limb k starts (its most significant word) at index count + shift - 6 - 6k.
    int start = count + shift - kLimbWords;
    int k = 0;
    if (shift > 0) {
        LongWord tail[2 * kLimbWords] = {};
        std::copy_n(words + count - kLimbWords, kLimbWords, tail);
        out[0] = long_detail::limbOfWords(tail + shift);
        k = 1;
        start -= kLimbWords;
    }
    // The limb holding the first word may start before word 0.
    int whole = start >= 0 ? std::min(high - k + 1, start / kLimbWords + 1) : 0;
    const LongWord* from = words + std::max(start, 0);
    for (int j = 0; j < whole; ++j)
        out[k + j] = long_detail::limbOfWords(from - kLimbWords * j);
    k += whole;
    start -= kLimbWords * whole;
    if (k <= high) {
        LongWord head[2 * kLimbWords] = {};
        std::copy_n(words, kLimbWords, head + kLimbWords);
        out[k] = long_detail::limbOfWords(head + kLimbWords + start);
    }
    return offset + high + 1;
}

// Q and rho of A 1000^S by X in limbs of 10^18: both numbers are moved up
// so that the divisor's top limb starts with a nonzero word.
void divideInLimbs(const LongNum& a, const LongNum& b, int dividendFirst, int divisorFirst,
                   Steps steps, ExactQuotient& exact)
{
    using long_detail::kLimbWords;
    int count = a.wordCount();
    // 1. Moves: the divisor by sigma words (its leading exponent then ends a
    //    limb), the dividend by S + sigma, whole limbs added to both while
    //    S + sigma < 0.
    int leading = count - 1 - divisorFirst;
    int sigma = ((kLimbWords - 1 - leading) % kLimbWords + kLimbWords) % kLimbWords;
    while (steps.last + sigma < 0)
        sigma += kLimbWords;
    int moved = steps.last + sigma;
    std::array<std::uint64_t, 2 * long_detail::kMaxLimbs> dividendLimbs;
    std::array<std::uint64_t, 2 * long_detail::kMaxLimbs> divisorLimbs;
    int dividendCount =
        groupMoved(a.words().data(), count, dividendFirst, moved, dividendLimbs.data());
    int divisorCount =
        groupMoved(b.words().data(), count, divisorFirst, sigma, divisorLimbs.data());
    // 2. The division.
    exact.sigma = sigma;
    exact.remainderCount = divisorCount;
    if (dividendCount >= divisorCount) {
        long_detail::divideLimbs(dividendLimbs.data(), dividendCount, divisorLimbs.data(),
                                 divisorCount, exact.quotient.data(), exact.remainder.data());
        exact.quotientCount = dividendCount - divisorCount + 1;
    } else {
        std::fill(exact.remainder.begin(), exact.remainder.begin() + divisorCount, 0);
        std::copy(dividendLimbs.begin(), dividendLimbs.begin() + dividendCount,
                  exact.remainder.begin());
        exact.quotientCount = 0;
    }
    // 3. X - rho >= (n + 1) 1000^S, both moved by sigma, leaves the last
    //    digit: compared from the top limb down.
    int thresholdLimb = moved / kLimbWords;
    std::uint64_t threshold =
        static_cast<std::uint64_t>(steps.bumped + 1) * long_detail::kWordPowers[moved % kLimbWords];
    // E = X - rho - threshold from the top limb down, as `lead` in units of
    // limb k from the limbs at and above k: the limbs below add less than one
    // unit and more than minus two, so lead >= 2 or lead <= -1 decides E's
    // sign, mostly at the top or at the threshold's limb; at the bottom lead
    // is E, 0 or 1.
    exact.small = false;
    std::int64_t lead = 0;
    for (int k = divisorCount - 1; k >= 0; --k) {
        lead = lead * static_cast<std::int64_t>(long_detail::kLimbBase) +
               static_cast<std::int64_t>(divisorLimbs[static_cast<size_t>(k)]) -
               static_cast<std::int64_t>(exact.remainder[static_cast<size_t>(k)]);
        if (k == thresholdLimb)
            lead -= static_cast<std::int64_t>(threshold);
        if (lead >= 2)
            return;
        if (lead <= -1) {
            exact.small = true;
            return;
        }
    }
}

// Q's limbs as the quotient's words, its last word at lastIndex, and every
// other word of digits (count of them) zero; words above word 0 are dropped.
void storeQuotient(const std::uint64_t* limbs, int limbCount, int lastIndex, LongWord* digits,
                   int count)
{
    std::fill(digits + std::min(lastIndex + 1, count), digits + count, 0);
    // The words above the limbs, when they end below word 0.
    std::fill(digits, digits + std::max(0, lastIndex + 1 - long_detail::kLimbWords * limbCount), 0);
    long_detail::storeLimbsAt(limbs, limbCount, lastIndex, digits);
}

// The quotient by the rules above into digits (count words, all written);
// false when the conditions do not hold.
bool divideExactly(const LongNum& a, const LongNum& b, int dividendFirst, int divisorFirst,
                   LongWord* digits)
{
    int count = a.wordCount();
    int half = count / 2;
    // At the start size a fixed-length fill inlines; a call to the library's
    // would cost more than the rest of the division's bookkeeping. Past it
    // the quotient's store writes every word.
    if (count == kLongWordsAtStart)
        std::fill_n(digits, kLongWordsAtStart, 0);
    if (a[0] != 0 || b[0] != 0)
        return false;
    // 1. The steps: from the first shift, at most H of them, none at or past
    //    H and none that moves the divisor's leading word out of the number.
    int first = dividendFirst - divisorFirst + (a[dividendFirst] < b[divisorFirst] ? 1 : 0);
    Steps steps;
    steps.last = std::min({first + half - 1, half - 1, count - 1 - divisorFirst});
    if (steps.last < first) {
        std::fill(digits, digits + count, 0);
        return true;
    }
    steps.bumped = steps.last >= 1 ? steps.last - std::max(1, first) + 1 : 0;
    // Y_S >= n + 1: the divisor reaches past exponent S, or its leading word
    // at exponent S is at least n + 1.
    if (steps.bumped > 0 && count - 1 - divisorFirst == steps.last &&
        b[divisorFirst] < steps.bumped + 1)
        return false;
    // 2. Q (its last word at index H - 1 + S), and whether X - rho is small
    //    enough for the last digit to move.
    ExactQuotient exact;
    int lastIndex = half - 1 + steps.last;
    if (count != kLongWordsAtStart || !divideTenWords(a, b, steps, digits, exact)) {
        divideInLimbs(a, b, dividendFirst, divisorFirst, steps, exact);
        storeQuotient(exact.quotient.data(), exact.quotientCount, lastIndex, digits, count);
    }
    if (steps.bumped == 0)
        return true;
    // 3. The last digit.
    LongWord lastDigit = digits[lastIndex];
    if (lastDigit >= 999)
        return false;
    if (!exact.small)
        return true;
    std::optional<bool> bumps = lastDigitBumps(digits, b, exact, steps, lastDigit);
    if (!bumps)
        return false;
    if (*bumps)
        digits[lastIndex] = lastDigit + 1;
    return true;
}

} // namespace

void LongDiv(const LongNum& a, const LongNum& b, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign() == b.sign() ? kLongPlus : kLongMinus;
    int count = a.wordCount();
    int divisorFirst = long_detail::firstNonzeroFrom(b.words().data(), 0, count);
    if (divisorFirst == count) {
        long_detail::showMessage(N_("Division by zero. Major error may occur."));
        long_detail::clearDigits(out, sign);
        return;
    }
    int dividendFirst = long_detail::firstNonzeroFrom(a.words().data(), 0, count);
    if (dividendFirst == count) {
        long_detail::clearDigits(out, sign);
        return;
    }
    // The quotient goes straight into out unless out is an operand, which the
    // steps below may still read.
    std::array<LongWord, kLongWordsMax> scratch;
    bool separate = &out != &a && &out != &b;
    LongWord* digits = separate ? out.words().data() : scratch.data();
    if (divideExactly(a, b, dividendFirst, divisorFirst, digits)) {
        if (!separate)
            std::copy(scratch.begin(), scratch.begin() + count, out.words().begin());
        out.setSign(sign);
        return;
    }
    // 1. The first shift puts the divisor's leading word under the remainder's,
    //    one word lower when the remainder's leading word is the smaller.
    int shift = dividendFirst - divisorFirst + (a[dividendFirst] < b[divisorFirst] ? 1 : 0);
    Words quotientStorage;
    std::fill(quotientStorage.begin(), quotientStorage.begin() + count + kPadding, 0);
    std::int64_t* quotient = quotientStorage.data() + kPadding;
    auto below1000To6 = [](const LongNum& x) { return (x[0] | x[1] | x[2] | x[3]) == 0; };
    if (count <= kIntegerWords && below1000To6(a) && below1000To6(b))
        divideIntegers<std::uint64_t>(a, b, dividendFirst, divisorFirst, shift, quotient);
    else if (count <= kIntegerWords)
        divideIntegers<Integer>(a, b, dividendFirst, divisorFirst, shift, quotient);
    else
        divideWords(a, b, dividendFirst, shift, quotient);
    // 3. A quotient word of 1000 (possible where the divisor lost digits off
    //    the end) carries into the word above.
    std::uint64_t carry = 0;
    for (int j = count - 1; j >= 0; --j) {
        auto value = static_cast<std::uint64_t>(quotient[j]) + carry;
        carry = value < kLongBase ? 0 : value / kLongBase;
        out[j] = static_cast<LongWord>(value - carry * kLongBase);
    }
    out.setSign(sign);
}

namespace {

void divideWords(const LongNum& a, const LongNum& b, int dividendFirst, int shift,
                 std::int64_t* quotient)
{
    int count = a.wordCount();
    int half = count / 2;
    Division division;
    division.count = count;
    division.divisor = &b;
    division.divisorFirst = firstNonzero(b);
    division.divisorLast = lastNonzero(b);
    division.top = dividendFirst;
    std::fill(division.remainderStorage.begin(),
              division.remainderStorage.begin() + count + kPadding + kEstimateWords + 1, 0);
    std::fill(division.divisorStorage.begin(),
              division.divisorStorage.begin() + count + kPadding + kEstimateWords + 1, 0);
    for (int j = 0; j < count; ++j) {
        division.remainder[j] = a[j];
        division.divisorWords[j] = b[j];
        division.divisorNarrow[static_cast<size_t>(j)] = static_cast<std::uint32_t>(b[j]);
    }
    for (int j = 0; j < kEstimateWords; ++j)
        division.divisorLead +=
            static_cast<double>(division.divisorWords[division.divisorFirst + j]) * inversePower(j);

    // 2. H steps, one quotient word each; the shift advances with every step.
    for (int step = 0; step < half; ++step, ++shift) {
        if (shift + division.divisorFirst >= count || shift >= half)
            continue;
        std::int64_t q = quotientWord(division, shift);
        if (q == 0)
            continue;
        subtractProduct(division, q, shift);
        // Quotient words above word 0 are dropped.
        if (half - 1 + shift >= 0)
            quotient[half - 1 + shift] += q;
    }
}

} // namespace

} // namespace kestrane
