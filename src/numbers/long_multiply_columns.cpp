// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if KESTRANE_WORD_COLUMNS
#include <immintrin.h>
#endif

// GCC 12 takes the intrinsics' deliberately undefined source vectors for
// uninitialised values once they are inlined (as certain or as possible,
// depending on the inlining).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wuninitialized"
#endif

// The product in word columns, sixteen columns to a 512-bit vector. With the
// words read as integers (units of the last word) and F fraction words, the
// product is H + C modulo 1000^P: H the digit pairs a_p b_j with p + j >= F,
// summed in columns k = p + j and moved F words toward the fraction, C the
// rows' own carries, floor(a_p T_p / 1000^(F-p)) for each fraction word a_p
// and the tail T_p of b below the cut. Words below 1000 multiply in 16 bits,
// two pairs to an instruction, and a column of up to 360 pairs stays below
// 2^31; carrying the columns into words is a few passes over the vectors.
// The same words as the limb product, without converting to limbs and back.

namespace kestrane::long_detail {

#if KESTRANE_WORD_COLUMNS

namespace {

#define KESTRANE_AVX512 __attribute__((target("avx512f,avx512bw")))

constexpr int kLanes = 16;
// Output vectors at the largest word count, with room for the carries above
// the top column.
constexpr int kMaxBlocks = (kLongWordsMax + 3) / kLanes + 1;
// Words as 16-bit values by exponent, with zeros past the top for the pairs
// and the last vector of rows.
constexpr int kExponentWords = kLongWordsMax + 2 * kLanes;
// Pairs of b's words by index, from about -P/2 - 16 to 3P/2 + 16.
constexpr int kPairWords = 2 * kLongWordsMax + 4 * kLanes;

bool hasColumnVectors()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
}

bool g_columnsEnabled = hasColumnVectors();

struct Range {
    int low;
    int high;
};

// The words of index first .. last, picked lane by lane by comparing each
// lane's index, so that a vector may start anywhere: lanes outside read zero
// and are never read.
struct WordWindow {
    __m512i first;
    __m512i last;
};

KESTRANE_AVX512 inline WordWindow wordWindow(int first, int last)
{
    return {_mm512_set1_epi32(first), _mm512_set1_epi32(last)};
}

KESTRANE_AVX512 inline __mmask16 lanesInside(const WordWindow& window, int start)
{
    const __m512i lanes = _mm512_set_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
    __m512i index = _mm512_add_epi32(_mm512_set1_epi32(start), lanes);
    return _mm512_mask_cmple_epi32_mask(_mm512_cmpge_epi32_mask(index, window.first), index,
                                        window.last);
}

KESTRANE_AVX512 inline __m512i loadWords(const LongWord* words, int start, const WordWindow& window)
{
    return _mm512_maskz_loadu_epi32(lanesInside(window, start), words + start);
}

KESTRANE_AVX512 inline unsigned nonzeroLanes(__m512i chunk)
{
    return static_cast<unsigned>(_mm512_test_epi32_mask(chunk, chunk));
}

// First and last nonzero word index; {count, -1} for zero. Whole vectors
// inside the number, then the part vector at the far end: a product's scans
// cost a tenth of it at 46 words with the shared ones (firstNonzero,
// lastNonzero), which read a word or a pair at a time.
KESTRANE_AVX512 Range nonzeroRange(const LongWord* words, int count)
{
    int start = 0;
    unsigned nonzero = 0;
    for (; start + kLanes <= count; start += kLanes) {
        nonzero = nonzeroLanes(_mm512_loadu_si512(words + start));
        if (nonzero != 0)
            break;
    }
    if (nonzero == 0 && start < count) {
        auto inside = static_cast<__mmask16>((1u << (count - start)) - 1);
        nonzero = nonzeroLanes(_mm512_maskz_loadu_epi32(inside, words + start));
    }
    if (nonzero == 0)
        return {count, -1};
    int first = start + __builtin_ctz(nonzero);
    int end = count;
    for (; end >= kLanes; end -= kLanes) {
        nonzero = nonzeroLanes(_mm512_loadu_si512(words + end - kLanes));
        if (nonzero != 0)
            return {first, end - kLanes + 31 - __builtin_clz(nonzero)};
    }
    auto inside = static_cast<__mmask16>((1u << end) - 1);
    nonzero = nonzeroLanes(_mm512_maskz_loadu_epi32(inside, words));
    return {first, 31 - __builtin_clz(nonzero)};
}

// floor(x / d) in every lane for x below 2^(kPreShift + kBits): x >> kPreShift
// times kMultiplier over 2^kShift, in the 64-bit products of the even and the
// odd lanes. Exact while (x >> kPreShift) times the multiplier's excess over
// 2^kShift / (d >> kPreShift) stays below 2^kShift.
template<int kPreShift, std::uint64_t kDivisor, int kBits>
struct LaneDivider {
    static constexpr std::uint64_t kReduced = kDivisor >> kPreShift;
    // The largest shift whose multiplier still fits 32 bits.
    static constexpr int kShift = 31 + std::bit_width(kReduced);
    static constexpr std::uint64_t kMultiplier = ((1ull << kShift) + kReduced - 1) / kReduced;
    static_assert(kReduced << kPreShift == kDivisor);
    static_assert(kMultiplier < (1ull << 32));
    static_assert(((kMultiplier * kReduced - (1ull << kShift)) << kBits) < (1ull << kShift));

    KESTRANE_AVX512 static __m512i quotient(__m512i x)
    {
        __m512i reduced = _mm512_srli_epi32(x, kPreShift);
        __m512i multiplier = _mm512_set1_epi64(static_cast<long long>(kMultiplier));
        __m512i even = _mm512_srli_epi64(_mm512_mul_epu32(reduced, multiplier), kShift);
        __m512i odd = _mm512_srli_epi64(
            _mm512_mul_epu32(_mm512_srli_epi64(reduced, 32), multiplier), kShift - 32);
        return _mm512_mask_blend_epi32(0xAAAA, even, odd);
    }
};

// Column sums below 2^31 by 1000; a digit times a two-word window (below
// 2^30) by 10^6.
using ThousandDivider = LaneDivider<3, 1000, 28>;
using MillionDivider = LaneDivider<6, 1000000, 24>;

// The numbers' words rearranged for the vectors: a's words as 16 bits by
// exponent (a_e at digits[e]), so that one 32-bit read is the pair a_p,
// a_(p+1); b's words paired by index, pairs[s] = b_s + 2^16 b_(s+1), so that
// one vector read is sixteen consecutive pairs.
struct ColumnOperands {
    alignas(64) std::uint16_t digits[kExponentWords];
    alignas(64) std::int32_t pairStorage[kPairWords];
    int pairBase = 0; // pairStorage[0] is the pair of index pairBase

    const std::int32_t* pairsFrom(int index) const { return pairStorage + (index - pairBase); }
};

// Digits of exponents from .. to (rounded up to whole vectors).
KESTRANE_AVX512 void spreadDigits(const LongWord* words, int count, Range nonzero, Range exponents,
                                  std::uint16_t* digits)
{
    WordWindow window = wordWindow(nonzero.low, nonzero.high);
    // Exponent e is index count - 1 - e: sixteen words read backwards.
    const __m512i reverse = _mm512_set_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    for (int e = exponents.low; e <= exponents.high; e += kLanes) {
        int start = count - kLanes - e;
        __m512i chunk = loadWords(words, start, window);
        __m256i narrow = _mm512_cvtepi32_epi16(_mm512_permutexvar_epi32(reverse, chunk));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(digits + e), narrow);
    }
}

// Pairs of indices from .. to (rounded up to whole vectors); those away from
// the nonzero words are zeros, stored without reading.
KESTRANE_AVX512 void pairWords(const LongWord* words, Range nonzero, int from, int to,
                               std::int32_t* pairs)
{
    WordWindow window = wordWindow(nonzero.low, nonzero.high);
    for (int s = from; s <= to; s += kLanes) {
        if (s + kLanes < nonzero.low || s > nonzero.high) {
            _mm512_storeu_si512(pairs + (s - from), _mm512_setzero_si512());
            continue;
        }
        __m512i low = loadWords(words, s, window);
        __m512i high = loadWords(words, s + 1, window);
        __m512i pair = _mm512_or_si512(low, _mm512_slli_epi32(high, 16));
        _mm512_storeu_si512(pairs + (s - from), pair);
    }
}

// C, the rows' carries, for the rows (fraction words of a whose tail may be
// nonzero), in vectors from row firstVector on (a multiple of 16, where the
// digits and pairs were stored): each carry from a two-word window of its tail, unless
// the unread words could still tip one over a whole (about once in 2000 rows),
// when every row is read to the end.
KESTRANE_AVX512 std::int64_t rowCarries(const ColumnOperands& operands, const LongWord* right,
                                        int count, Range rows, int firstVector)
{
    int half = count / 2;
    int fraction = count - half;
    constexpr std::int32_t kUnit = 1000000;
    const __m512i windowWeights = _mm512_set1_epi32(1000 | (1 << 16));
    const __m512i unit = _mm512_set1_epi32(kUnit);
    __m512i wholes = _mm512_setzero_si512();
    __mmask16 uncertain = 0;
    for (int p = firstVector; p <= rows.high; p += kLanes) {
        // Lanes outside the rows have a zero digit or a zero tail.
        __m512i digit = _mm512_cvtepu16_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(operands.digits + p)));
        __m512i window =
            _mm512_madd_epi16(_mm512_loadu_si512(operands.pairsFrom(half + p)), windowWeights);
        __m512i product = _mm512_mullo_epi32(digit, window);
        __m512i whole = MillionDivider::quotient(product);
        __m512i part = _mm512_sub_epi32(product, _mm512_mullo_epi32(whole, unit));
        wholes = _mm512_add_epi32(wholes, whole);
        uncertain |= _mm512_cmpgt_epi32_mask(_mm512_add_epi32(part, digit), unit);
    }
    if (uncertain == 0)
        return _mm512_reduce_add_epi32(wholes);
    std::int64_t sum = 0;
    for (int p = rows.low; p <= rows.high; ++p)
        sum += truncatedTailCarry(operands.digits[p], right + half + p, fraction - p);
    return sum;
}

// Carries every lane's multiples of 1000 one word up, that is one lane down:
// the lane below a vector's first is the next vector's last. A fixed number
// of vectors keeps them in registers. Quotients below 2^15 multiply back in
// one 16-bit step.
template<int kBlocks, bool kSmallQuotients>
KESTRANE_AVX512 inline void carryOnce(__m512i* sums, int blocks)
{
    const __m512i base = _mm512_set1_epi32(kLongBase);
    __m512i below = _mm512_setzero_si512();
    int count = kBlocks > 0 ? kBlocks : blocks;
    for (int v = 0; v < count; ++v) {
        __m512i quotient = ThousandDivider::quotient(sums[v]);
        __m512i whole = kSmallQuotients ? _mm512_madd_epi16(quotient, base)
                                        : _mm512_mullo_epi32(quotient, base);
        sums[v] = _mm512_add_epi32(_mm512_sub_epi32(sums[v], whole),
                                   _mm512_alignr_epi32(below, quotient, 1));
        below = quotient;
    }
}

// The last pass, for lanes below 2000: a carry of one where a lane reaches
// 1000.
template<int kBlocks>
KESTRANE_AVX512 inline void carryOnes(__m512i* sums, int blocks)
{
    const __m512i base = _mm512_set1_epi32(kLongBase);
    const __m512i one = _mm512_set1_epi32(1);
    __m512i below = _mm512_setzero_si512();
    int count = kBlocks > 0 ? kBlocks : blocks;
    for (int v = 0; v < count; ++v) {
        __mmask16 full = _mm512_cmpge_epi32_mask(sums[v], base);
        __m512i carry = _mm512_maskz_mov_epi32(full, one);
        sums[v] = _mm512_add_epi32(_mm512_mask_sub_epi32(sums[v], full, sums[v], base),
                                   _mm512_alignr_epi32(below, carry, 1));
        below = carry;
    }
}

// Where the product's words lie: exponents of the factors' nonzero words and
// the output vectors that may be nonzero.
struct ColumnLayout {
    int count;
    int half;
    int fraction;
    Range left;
    Range right;
    int blocks;
};

// The column sums of output vector v: columns F + 16v .. F + 16v + 15 take
// a's words p with b's k - p nonzero, in pairs p, p + 1 (the pair past the
// last adds zeros).
KESTRANE_AVX512 inline __m512i columnSums(const ColumnOperands& operands,
                                          const ColumnLayout& layout, int v)
{
    int low = layout.fraction + kLanes * v;
    int first = std::max(layout.left.low, low - layout.right.high);
    int last = std::min(layout.left.high, low + kLanes - 1 - layout.right.low);
    __m512i sum = _mm512_setzero_si512();
    const std::uint16_t* digits = operands.digits + first;
    const std::int32_t* pairs = operands.pairsFrom(layout.half - kLanes * (v + 1) + first);
    for (int step = first; step <= last; step += 2, digits += 2, pairs += 2) {
        std::int32_t digitPair;
        std::memcpy(&digitPair, digits, sizeof digitPair);
        sum = _mm512_add_epi32(
            sum, _mm512_madd_epi16(_mm512_set1_epi32(digitPair), _mm512_loadu_si512(pairs)));
    }
    return sum;
}

// Output vector v holds the words of index P - 16(v + 1) + l in lane l, that
// is exponent 16v + 15 - l, column F + 16v + 15 - l.
template<int kBlocks>
KESTRANE_AVX512 void sumAndCarry(const ColumnOperands& operands, const ColumnLayout& layout,
                                 std::int64_t carries, LongWord* words)
{
    int blocks = kBlocks > 0 ? kBlocks : layout.blocks;
    int count = layout.count;
    __m512i sums[kBlocks > 0 ? kBlocks : kMaxBlocks];
    for (int v = 0; v < blocks; ++v)
        sums[v] = columnSums(operands, layout, v);
    // A column is at most 360 pairs below 10^6 each, C at most 180 digits:
    // two passes leave every lane below 1000 + 721, and a third below 1001.
    // A lane at 1000 after it is a 999 that took a carry, rare enough to
    // settle word by word.
    carryOnce<kBlocks, false>(sums, blocks);
    // C joins the last word's column (lane 15 of vector 0) after the first
    // pass, so that the columns need not wait for the rows.
    sums[0] = _mm512_mask_add_epi32(sums[0], 0x8000, sums[0],
                                    _mm512_set1_epi32(static_cast<std::int32_t>(carries)));
    carryOnce<kBlocks, true>(sums, blocks);
    carryOnes<kBlocks>(sums, blocks);
    const __m512i base = _mm512_set1_epi32(kLongBase);
    __mmask16 unsettled = 0;
    int firstStored = count - kLanes * blocks;
    WordWindow number = wordWindow(0, count - 1);
    for (int v = 0; v < blocks; ++v) {
        int start = count - kLanes * (v + 1);
        __mmask16 inside = lanesInside(number, start);
        unsettled |= _mm512_mask_cmpeq_epi32_mask(inside, sums[v], base);
        _mm512_mask_storeu_epi32(words + start, inside, sums[v]);
    }
    if (firstStored > 0)
        std::fill(words, words + firstStored, 0);
    if (unsettled != 0) {
        LongWord carry = 0;
        for (int i = count - 1; i >= std::max(0, firstStored); --i) {
            LongWord total = words[i] + carry;
            carry = total >= kLongBase ? 1 : 0;
            words[i] = total - carry * kLongBase;
        }
    }
}

} // namespace

bool wordColumnsEnabled()
{
    return g_columnsEnabled;
}

void setWordColumnsEnabled(bool enabled)
{
    g_columnsEnabled = enabled && hasColumnVectors();
}

KESTRANE_AVX512 void multiplyByWordColumns(const LongNum& a, const LongNum& b, LongNum& out)
{
    int count = a.wordCount();
    int half = count / 2;
    int fraction = count - half;
    const LongWord* left = a.words().data();
    const LongWord* right = b.words().data();
    LongWord* words = out.words().data();
    Range leftIndex = nonzeroRange(left, count);
    Range rightIndex = nonzeroRange(right, count);
    if (leftIndex.high < 0 || rightIndex.high < 0) {
        std::fill(words, words + count, 0);
        return;
    }
    // Exponents of the nonzero words.
    Range leftExponent{count - 1 - leftIndex.high, count - 1 - leftIndex.low};
    Range rightExponent{count - 1 - rightIndex.high, count - 1 - rightIndex.low};
    // The top column's sum is below 2^31, so its carries end within three
    // words above it.
    int topWord =
        std::min(count - 1, std::max(0, leftExponent.high + rightExponent.high - fraction) + 3);
    int blocks = topWord / kLanes + 1;
    Range rows{leftExponent.low,
               std::min({fraction - 1, leftExponent.high, fraction - 1 - rightExponent.low})};
    // Digits, rows and pairs in vectors from a multiple of 16 exponents, so
    // that the rows read the digits and pairs exactly as they were stored.
    int firstExponent = leftExponent.low / kLanes * kLanes;
    int lastRows = firstExponent + std::max(0, rows.high - firstExponent) / kLanes * kLanes;

    ColumnOperands operands;
    spreadDigits(left, count, leftIndex,
                 {firstExponent, std::max(leftExponent.high + 1, lastRows + kLanes - 1)},
                 operands.digits);
    int pairFrom = half - kLanes * blocks + firstExponent;
    int pairTo = std::max(half - 1 + leftExponent.high, half + lastRows + kLanes - 1);
    operands.pairBase = pairFrom;
    pairWords(right, rightIndex, pairFrom, pairTo, operands.pairStorage);

    std::int64_t carries =
        rows.low <= rows.high ? rowCarries(operands, right, count, rows, firstExponent) : 0;

    ColumnLayout layout{count, half, fraction, leftExponent, rightExponent, blocks};
    // Up to four vectors (100 words) in registers; more in memory.
    using SumAndCarry =
        void (*)(const ColumnOperands&, const ColumnLayout&, std::int64_t, LongWord*);
    static constexpr SumAndCarry kSumAndCarry[] = {sumAndCarry<0>, sumAndCarry<1>, sumAndCarry<2>,
                                                   sumAndCarry<3>, sumAndCarry<4>};
    kSumAndCarry[blocks < 5 ? blocks : 0](operands, layout, carries, words);
}

#else

bool wordColumnsEnabled()
{
    return false;
}

void setWordColumnsEnabled(bool) {}

// Never called: the limb product serves where the vectors are missing.
void multiplyByWordColumns(const LongNum&, const LongNum&, LongNum&) {}

#endif

} // namespace kestrane::long_detail
