// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kestrane {

namespace {

using long_detail::firstNonzero;
using long_detail::lastNonzero;

// The product is the sum of the partial products b * a_i moved i - H + 1 words
// toward the fraction, each truncated on its own and each losing its carry
// out of word 0. Summing all digit pairs in columns and carrying once gives the
// same words when (1) each partial product moved toward the fraction adds the
// carry of its own dropped digits, floor(a_i * 0.b_(P-s)...b_(P-1)), and
// (2) no partial product overflows word 0 before its shift, which holds when
// b's word 0 is zero; otherwise the partial products are summed one by one.

void multiplyByRows(const LongNum& a, const LongNum& b, LongNum& out)
{
    int count = a.wordCount();
    int half = count / 2;
    LongNum sum;
    LongNum partial;
    for (int i = 0; i < count; ++i) {
        if (a[i] == 0)
            continue;
        LongMulSmallShift(b, a[i], i - half + 1, partial);
        LongWord carry = 0;
        for (int k = count - 1; k >= 0; --k) {
            LongWord total = sum[k] + partial[k] + carry;
            carry = total >= kLongBase ? 1 : 0;
            sum[k] = total - carry * kLongBase;
        }
    }
    std::copy(sum.words().begin(), sum.words().end() - 1, out.words().begin());
}

KESTRANE_VECTOR_CLONES
void multiplyAdd(std::uint32_t* target, const std::uint32_t* source, int length,
                 std::uint32_t digit)
{
    for (int t = 0; t < length; ++t)
        target[t] += digit * source[t];
}

void multiplyByColumns(const LongNum& a, const LongNum& b, LongNum& out)
{
    int count = a.wordCount();
    int half = count / 2;
    // Only the words in use are cleared or filled.
    std::array<std::uint32_t, kLongWordsMax + 1> columns;
    std::array<std::uint32_t, kLongWordsMax + 1> bWords;
    std::fill(columns.begin(), columns.begin() + count, 0);
    int bFirst = firstNonzero(b);
    int bLast = lastNonzero(b);
    int aFirst = firstNonzero(a);
    int aLast = lastNonzero(a);
    for (int j = bFirst; j <= bLast; ++j)
        bWords[static_cast<size_t>(j)] = static_cast<std::uint32_t>(b[j]);
    // Column sums stay below 360 * 999 * 999 + 360 * 999 < 2^32.
    for (int i = aFirst; i <= aLast; ++i) {
        std::uint32_t digit = static_cast<std::uint32_t>(a[i]);
        if (digit == 0)
            continue;
        int shift = i - half + 1;
        int jBegin = std::max(bFirst, -shift);
        int jEnd = std::min(bLast, count - 1 - shift);
        std::uint32_t* target = columns.data() + (jBegin + shift);
        const std::uint32_t* source = bWords.data() + jBegin;
        int length = jEnd - jBegin + 1;
        if (length >= 24) {
            multiplyAdd(target, source, length, digit);
        } else {
            for (int t = 0; t < length; ++t)
                target[t] += digit * source[t];
        }
        // A tail that starts with a zero word is below 1 / 1000 and carries
        // nothing, since the digit is below 1000.
        int tailBegin = count - shift;
        if (shift > 0 && tailBegin >= bFirst && tailBegin <= bLast)
            columns[static_cast<size_t>(count - 1)] +=
                static_cast<std::uint32_t>(long_detail::truncatedTailCarry(
                    digit, b.words().data() + tailBegin, bLast - tailBegin + 1));
    }
    std::uint32_t carry = 0;
    for (int k = count - 1; k >= 0; --k) {
        std::uint32_t total = columns[static_cast<size_t>(k)] + carry;
        carry = total / kLongBase;
        out[k] = static_cast<LongWord>(total % kLongBase);
    }
}

// --- The product in limbs of 10^9 --------------------------------------------
// With the words read as integers (units of the last word) and F fraction
// words, row i of the product is floor(a_i X / 1000^s_i), s_i = i - H + 1, and
// the rows add up to floor(A X / 1000^F) - D, where D is the integer part of
// the sum of the rows' cut-off fractions (the row sums lose what each row
// dropped on its own). A X is computed exactly in limbs of three words, and
// D from the first three words of each row's cut-off tail; when those cannot
// decide D (a sum of fractions within the unread words' reach of an
// integer), the column sums above decide instead.

constexpr std::uint64_t kLimbBase = 1000000000ull;
constexpr int kMaxLimbs = (kLongWordsMax + 2) / 3 + 1;
// Each column gains one product below 10^18 per row: 17 rows and a carry of
// the group before fit 64 bits.
constexpr int kRowsPerGroup = 17;

struct Limbs {
    std::array<std::uint32_t, kMaxLimbs> value;
    int low = 0;   // lowest nonzero limb
    int high = -1; // highest nonzero limb, -1 for zero
};

// The functions below take the word count as a template argument where it is
// fixed (10, the count of every construction: the loops unroll) and 0 where it
// is read from the numbers.
template<int kFixed>
int wordCountOf(const LongNum& a)
{
    return kFixed != 0 ? kFixed : a.wordCount();
}

// Limb L holds the words of exponents 3L .. 3L + 2 (exponent p is word
// count - 1 - p). Zero limbs at either end are skipped by the product.
template<int kFixed>
void toLimbs(const LongNum& a, Limbs& limbs)
{
    int count = wordCountOf<kFixed>(a);
    const LongWord* words = a.words().data();
    int limbCount = (count + 2) / 3;
    limbs.low = 0;
    limbs.high = limbCount - 1;
    if (kFixed == 0) {
        // Only the limbs between the first and the last nonzero word.
        int first = long_detail::firstNonzero(a);
        if (first == count) {
            limbs.high = -1;
            return;
        }
        limbs.high = (count - 1 - first) / 3;
        limbs.low = (count - 1 - lastNonzero(a)) / 3;
    }
    for (int limb = limbs.low; limb <= limbs.high; ++limb) {
        int index = count - 1 - 3 * limb;
        auto value = static_cast<std::uint32_t>(words[index]);
        if (index >= 2) {
            value += 1000u * static_cast<std::uint32_t>(words[index - 1]) +
                     1000000u * static_cast<std::uint32_t>(words[index - 2]);
        } else if (index == 1) {
            value += 1000u * static_cast<std::uint32_t>(words[0]);
        }
        limbs.value[static_cast<size_t>(limb)] = value;
    }
}

KESTRANE_VECTOR_CLONES
void multiplyAddLimbs(std::uint64_t* target, const std::uint32_t* source, int length,
                      std::uint32_t limb)
{
    for (int t = 0; t < length; ++t)
        target[t] += static_cast<std::uint64_t>(limb) * source[t];
}

// Carries columns first .. last into limbs; returns the carry out of last.
std::uint64_t normaliseColumns(std::uint64_t* columns, int first, int last)
{
    std::uint64_t carry = 0;
    for (int k = first; k <= last; ++k) {
        std::uint64_t value = columns[k] + carry;
        carry = value / kLimbBase;
        columns[k] = value - carry * kLimbBase;
    }
    return carry;
}

// Adds the rows of left times right into columns 0 .. lastColumn, in groups
// whose column sums fit 64 bits, each group's columns carried on before the
// next; the columns end as limbs.
void addRows(const Limbs& left, const Limbs& right, int lastColumn, std::uint64_t* columns)
{
    int lastRow = std::min(left.high, lastColumn - right.low);
    for (int groupStart = left.low; groupStart <= lastRow; groupStart += kRowsPerGroup) {
        int groupEnd = std::min(lastRow, groupStart + kRowsPerGroup - 1);
        for (int limb = groupStart; limb <= groupEnd; ++limb) {
            std::uint32_t value = left.value[static_cast<size_t>(limb)];
            int length = std::min(right.high, lastColumn - limb) - right.low + 1;
            std::uint64_t* target = columns + limb + right.low;
            const std::uint32_t* source = right.value.data() + right.low;
            if (length >= 16) {
                multiplyAddLimbs(target, source, length, value);
            } else {
                for (int t = 0; t < length; ++t)
                    target[t] += static_cast<std::uint64_t>(value) * source[t];
            }
        }
        int last = groupEnd == lastRow ? lastColumn : std::min(lastColumn, groupEnd + right.high);
        std::uint64_t carry = normaliseColumns(columns, groupStart + right.low, last);
        if (last < lastColumn)
            columns[static_cast<size_t>(last + 1)] += carry;
    }
}

// The integer part of the sum of the rows' cut-off fractions, or -1 when the
// first three tail words of each row do not decide it (about once in 10^9 / (500
// rows) products).
template<int kFixed>
std::int64_t droppedCarry(const LongNum& a, const LongNum& b)
{
    int count = wordCountOf<kFixed>(a);
    int half = count / 2;
    const LongWord* left = a.words().data();
    const LongWord* right = b.words().data();
    std::uint64_t window = 0;    // the three tail words below the cut of row i
    std::uint64_t fractions = 0; // the sum's fraction, in units of 10^-9
    std::int64_t whole = 0;
    std::uint64_t unread = 0; // bound of what the words past the window add
    for (int i = half; i < count; ++i) {
        int shift = i - half + 1;
        // The window moves up one word: b's word count - shift enters at the top.
        window = window / kLongBase + static_cast<std::uint64_t>(right[count - shift]) * 1000000;
        auto digit = static_cast<std::uint64_t>(left[i]);
        std::uint64_t fraction = digit * window % kLimbBase;
        if (shift > 3) {
            // The unread words add less than `digit` units of 10^-9, and must
            // not carry this row's fraction past a whole.
            if (fraction + digit > kLimbBase)
                return -1;
            unread += digit;
        }
        fractions += fraction;
        if (fractions >= kLimbBase) {
            fractions -= kLimbBase;
            ++whole;
        }
    }
    if (fractions + unread > kLimbBase)
        return -1;
    return whole;
}

// The product for b's word 0 zero; false (out untouched) when the dropped
// carry is not decided by the words read.
template<int kFixed>
bool multiplyByLimbs(const LongNum& a, const LongNum& b, LongNum& out)
{
    int count = wordCountOf<kFixed>(a);
    int fractionWords = count - count / 2;
    std::int64_t dropped = droppedCarry<kFixed>(a, b);
    if (dropped < 0)
        return false;
    Limbs left;
    Limbs right;
    toLimbs<kFixed>(a, left);
    toLimbs<kFixed>(b, right);
    // Exponents above fractionWords + count - 1 leave the number.
    int lastColumn = (fractionWords + count - 1) / 3;
    std::array<std::uint64_t, 2 * kMaxLimbs> columns;
    std::fill(columns.begin(), columns.begin() + lastColumn + 1, 0);

    if constexpr (kFixed == 10) {
        // Four limbs each (the top one a single word) and five columns.
        auto product = [&](int l, int r) {
            return static_cast<std::uint64_t>(left.value[static_cast<size_t>(l)]) *
                   right.value[static_cast<size_t>(r)];
        };
        columns[0] = product(0, 0);
        columns[1] = product(0, 1) + product(1, 0);
        columns[2] = product(0, 2) + product(1, 1) + product(2, 0);
        columns[3] = product(0, 3) + product(1, 2) + product(2, 1) + product(3, 0);
        columns[4] = product(1, 3) + product(2, 2) + product(3, 1);
        normaliseColumns(columns.data(), 0, lastColumn);
    } else {
        addRows(left, right, lastColumn, columns.data());
    }
    // Less the dropped carry at the cut; a borrow out of the top is lost like
    // a carry.
    static constexpr std::uint64_t kCutScale[3] = {1, 1000, 1000000};
    std::uint64_t borrow = static_cast<std::uint64_t>(dropped) * kCutScale[fractionWords % 3];
    for (int column = fractionWords / 3; column <= lastColumn && borrow != 0; ++column) {
        std::uint64_t value = columns[static_cast<size_t>(column)] + kLimbBase - borrow;
        borrow = value < kLimbBase ? 1 : 0;
        columns[static_cast<size_t>(column)] = value - (1 - borrow) * kLimbBase;
    }
    // Words of exponent fractionWords .. fractionWords + count - 1, three a
    // limb, from the top word down.
    LongWord* words = out.words().data();
    int lastExponent = fractionWords + count - 1;
    auto store = [&](int exponent, std::uint64_t word) {
        if (exponent >= fractionWords && exponent <= lastExponent)
            words[lastExponent - exponent] = static_cast<LongWord>(word);
    };
    for (int column = fractionWords / 3; column <= lastColumn; ++column) {
        std::uint64_t value = columns[static_cast<size_t>(column)];
        std::uint64_t top = value / 1000000;
        std::uint64_t rest = value - top * 1000000;
        std::uint64_t middle = rest / 1000;
        int exponent = 3 * column;
        if (exponent >= fractionWords && exponent + 2 <= lastExponent) {
            words[lastExponent - exponent] = static_cast<LongWord>(rest - middle * 1000);
            words[lastExponent - exponent - 1] = static_cast<LongWord>(middle);
            words[lastExponent - exponent - 2] = static_cast<LongWord>(top);
        } else {
            store(exponent, rest - middle * 1000);
            store(exponent + 1, middle);
            store(exponent + 2, top);
        }
    }
    return true;
}

bool multiplyByLimbs(const LongNum& a, const LongNum& b, LongNum& out)
{
    return a.wordCount() == kLongWordsAtStart ? multiplyByLimbs<kLongWordsAtStart>(a, b, out)
                                              : multiplyByLimbs<0>(a, b, out);
}

} // namespace

void LongMul(const LongNum& a, const LongNum& b, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign() == b.sign() ? kLongPlus : kLongMinus;
    if (b[0] != 0)
        multiplyByRows(a, b, out);
    else if (!multiplyByLimbs(a, b, out))
        multiplyByColumns(a, b, out);
    out.setSign(sign);
}

} // namespace kestrane
