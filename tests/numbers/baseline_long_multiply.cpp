// SPDX-License-Identifier: GPL-3.0-or-later
#include "baseline_long_internal.h"

#include <algorithm>
#include <array>

namespace kestrane::baseline {

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

} // namespace

void LongMul(const LongNum& a, const LongNum& b, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign() == b.sign() ? kLongPlus : kLongMinus;
    if (b[0] == 0)
        multiplyByColumns(a, b, out);
    else
        multiplyByRows(a, b, out);
    out.setSign(sign);
}

} // namespace kestrane::baseline
