// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_internal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Limbs of 10^18, six base-1000 words each, for the exact operations: a
// product of two limbs fits 128 bits, and sixty such products still do, so a
// column of a product sums without carries. The words keep their values; only
// the grouping changes.
namespace kestrane::long_detail {

__extension__ typedef unsigned __int128 Wide;

inline constexpr std::uint64_t kLimbBase = 1000000000000000000ull;
inline constexpr int kLimbWords = 6;
// Limbs of a number at the largest word count, with room for a shifted
// grouping and a product's spare limb.
inline constexpr int kMaxLimbs = kLongWordsMax / kLimbWords + 3;

// 1000^k for k = 0..6.
inline constexpr std::uint64_t kWordPowers[7] = {1ull,
                                                 1000ull,
                                                 1000000ull,
                                                 1000000000ull,
                                                 1000000000000ull,
                                                 1000000000000000ull,
                                                 1000000000000000000ull};

// Six words, most significant first, as one limb; two 32-bit halves keep the
// multiplications short and independent.
inline std::uint64_t limbOfWords(const LongWord* words)
{
    auto high = static_cast<std::uint32_t>(words[0] * 1000000 + words[1] * 1000 + words[2]);
    auto low = static_cast<std::uint32_t>(words[3] * 1000000 + words[4] * 1000 + words[5]);
    return static_cast<std::uint64_t>(high) * 1000000000u + low;
}

// The three words of a value below 10^9, most significant first: the value
// over 10^6 in fixed point with 52 fraction bits, each word then the integer
// part of the fraction times 1000. The multiplier's excess, below 10^9 / 2^52
// < 10^-6 of a unit, never reaches the last word (checked for every value).
inline void storeThreeWords(std::uint32_t value, LongWord* words)
{
    constexpr int kBits = 52;
    constexpr std::uint64_t kScale = ((1ull << kBits) + 999999) / 1000000;
    constexpr std::uint64_t kMask = (1ull << kBits) - 1;
    std::uint64_t fixed = value * kScale;
    words[0] = static_cast<LongWord>(fixed >> kBits);
    fixed = (fixed & kMask) * 1000;
    words[1] = static_cast<LongWord>(fixed >> kBits);
    fixed = (fixed & kMask) * 1000;
    words[2] = static_cast<LongWord>(fixed >> kBits);
}

// The six words of a limb, most significant first.
inline void storeLimbWords(std::uint64_t limb, LongWord* words)
{
    std::uint64_t high = limb / 1000000000u;
    storeThreeWords(static_cast<std::uint32_t>(high), words);
    storeThreeWords(static_cast<std::uint32_t>(limb - high * 1000000000u), words + 3);
}

// Division of a 128-bit value by 10^18 with a precomputed reciprocal
// (Moller and Granlund's two-by-one step), several times faster than the
// library's 128-bit division. The divisor is shifted so that its top bit is
// set: 10^18 < 2^60.
struct LimbDivider {
    static constexpr int kShift = 4;
    static constexpr std::uint64_t kDivisor = kLimbBase << kShift;
    static constexpr std::uint64_t kInverse =
        static_cast<std::uint64_t>(((static_cast<Wide>(~kDivisor) << 64) | ~0ull) / kDivisor);

    // floor(value / 10^18) for a value below 10^18 * 2^64; the remainder in
    // `remainder`.
    static std::uint64_t divide(Wide value, std::uint64_t& remainder)
    {
        Wide shifted = value << kShift;
        auto high = static_cast<std::uint64_t>(shifted >> 64);
        auto low = static_cast<std::uint64_t>(shifted);
        Wide product = static_cast<Wide>(kInverse) * high + shifted;
        std::uint64_t quotient = static_cast<std::uint64_t>(product >> 64) + 1;
        std::uint64_t rest = low - quotient * kDivisor;
        if (rest > static_cast<std::uint64_t>(product)) {
            --quotient;
            rest += kDivisor;
        }
        if (rest >= kDivisor) {
            ++quotient;
            rest -= kDivisor;
        }
        remainder = rest >> kShift;
        return quotient;
    }

    // floor(value / 10^18) for any 128-bit value; the remainder in `remainder`.
    static Wide divideWide(Wide value, std::uint64_t& remainder)
    {
        auto high = static_cast<std::uint64_t>(value >> 64);
        // Sums of up to 18 products of limbs fit the short division.
        if (high < kLimbBase)
            return divide(value, remainder);
        std::uint64_t highQuotient = high / kLimbBase;
        Wide rest = (static_cast<Wide>(high - highQuotient * kLimbBase) << 64) |
                    static_cast<std::uint64_t>(value);
        std::uint64_t lowQuotient = divide(rest, remainder);
        return (static_cast<Wide>(highQuotient) << 64) | lowQuotient;
    }
};

// Index of the first nonzero digit word from `from` on (count when none),
// reading eight words at a time over the long zero runs of small values.
inline int firstNonzeroFrom(const LongWord* words, int from, int count)
{
#if defined(__SSE2__)
    // The start size, every division's and most products' operands: three
    // overlapping compares of four words.
    if (count == kLongWordsAtStart && from == 0) {
        const __m128i zero = _mm_setzero_si128();
        auto zeroLanes = [&](int at) {
            __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words + at));
            return static_cast<unsigned>(
                _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(four, zero))));
        };
        unsigned nonzero = ~(zeroLanes(0) | zeroLanes(4) << 4 | zeroLanes(6) << 6) & 0x3FFu;
        return nonzero != 0 ? std::countr_zero(nonzero) : count;
    }
#endif
    int index = from;
    // Loaded one by one straight from the words: a copy into a local array
    // goes through the stack and stalls the loads behind the stores.
    auto pairAt = [words](int at) {
        std::uint64_t pair;
        std::memcpy(&pair, words + at, sizeof pair);
        return pair;
    };
    // Sixteen words at a time over the longest runs.
    while (index + 16 <= count &&
           (pairAt(index) | pairAt(index + 2) | pairAt(index + 4) | pairAt(index + 6) |
            pairAt(index + 8) | pairAt(index + 10) | pairAt(index + 12) | pairAt(index + 14)) == 0)
        index += 16;
    while (index + 8 <= count) {
        std::uint64_t pairs[4] = {pairAt(index), pairAt(index + 2), pairAt(index + 4),
                                  pairAt(index + 6)};
        if ((pairs[0] | pairs[1] | pairs[2] | pairs[3]) != 0) {
            // The first nonzero pair, then its first nonzero word.
            unsigned mask = (pairs[0] != 0 ? 1u : 0u) | (pairs[1] != 0 ? 2u : 0u) |
                            (pairs[2] != 0 ? 4u : 0u) | (pairs[3] != 0 ? 8u : 0u);
            index += 2 * std::countr_zero(mask);
            return words[index] == 0 ? index + 1 : index;
        }
        index += 8;
    }
    while (index < count && words[index] == 0)
        ++index;
    return index;
}

// A number's digit words grouped into limbs, least significant first. With a
// shift of s words, limb k holds the words of exponents 6k - s .. 6k - s + 5
// (exponent e is word count - 1 - e; missing words are zero), that is the
// number times 1000^s: the shift lines a product's limbs up with its cut.
struct LimbNumber {
    std::uint64_t limbs[kMaxLimbs];
    int low = 0;   // lowest limb that may be nonzero
    int high = -1; // highest nonzero limb, -1 for zero
};

// The limb of the words from index start (most significant) on, words outside
// 0 .. count - 1 taken as zero.
inline std::uint64_t partialLimbOfWords(const LongWord* words, int start, int count)
{
    int from = std::max(start, 0);
    int to = std::min(start + kLimbWords, count);
    std::uint64_t value = 0;
    for (int index = from; index < to; ++index)
        value = value * 1000 + static_cast<std::uint64_t>(words[index]);
    // Missing words past the end are zeros below the value.
    return to > from ? value * kWordPowers[start + kLimbWords - to] : 0;
}

// Groups the words of `words` (count of them, first nonzero at `first`, last
// nonzero at `last`) with the given shift (0..5).
inline void toLimbNumber(const LongWord* words, int count, int first, int last, int shift,
                         LimbNumber& number)
{
    if (first > last) {
        number.low = 0;
        number.high = -1;
        return;
    }
    // Exponent e + shift of word index i is count - 1 - i + shift; limb k
    // starts (its most significant word) at index count + shift - 6 - 6k.
    number.low = (count - 1 - last + shift) / kLimbWords;
    number.high = (count - 1 - first + shift) / kLimbWords;
    int wholeLow = std::max(number.low, shift > 0 ? 1 : 0);
    int wholeHigh = std::min(number.high, (count + shift - kLimbWords) / kLimbWords);
    if (count + shift < kLimbWords)
        wholeHigh = -1;
    const LongWord* start = words + (count + shift - kLimbWords - kLimbWords * wholeLow);
    for (int k = wholeLow; k <= wholeHigh; ++k, start -= kLimbWords)
        number.limbs[k] = limbOfWords(start);
    for (int k = number.low; k < wholeLow; ++k)
        number.limbs[k] = partialLimbOfWords(words, count + shift - kLimbWords * (k + 1), count);
    for (int k = std::max(wholeHigh + 1, wholeLow); k <= number.high; ++k)
        number.limbs[k] = partialLimbOfWords(words, count + shift - kLimbWords * (k + 1), count);
}

// The integer part of the sum of the cut-off fractions of the rows of a times
// b (each row a fraction word of a times b, truncated at the last word, as
// LongMul sums them), or -1 when the words read do not decide it.
std::int64_t rowCarrySum(const LongNum& a, const LongNum& b);

// Stores limbs (least significant first) as digit words, the least
// significant word at index lastIndex and the others above it; words that
// would lie above word 0 are dropped.
void storeLimbsAt(const std::uint64_t* limbs, int limbCount, int lastIndex, LongWord* words);

// floor(dividend / divisor) and the remainder, for numbers in limbs (least
// significant first, each below 10^18). The divisor has `divisorLimbs` limbs,
// the top one at least 10^15 (the grouping puts a nonzero word at its top);
// the dividend has at least as many. The quotient gets dividendLimbs -
// divisorLimbs + 1 limbs, the remainder divisorLimbs.
void divideLimbs(const std::uint64_t* dividend, int dividendLimbs, const std::uint64_t* divisor,
                 int divisorLimbs, std::uint64_t* quotient, std::uint64_t* remainder);

// floor(sqrt(radicand)) for a radicand of 2 rootLimbs limbs (least
// significant first) whose top limb is at least 10^12; root gets rootLimbs
// limbs.
void squareRootLimbs(const std::uint64_t* radicand, int rootLimbs, std::uint64_t* root);

} // namespace kestrane::long_detail
