// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <cassert>
#include <string_view>

// The inner loops of multiplication and division vectorise twice as wide with
// AVX2; the processor picks the version at load time.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KESTRANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
// Loops over many short lanes gain again from 512-bit vectors.
#define KESTRANE_WIDE_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define KESTRANE_VECTOR_CLONES
#define KESTRANE_WIDE_VECTOR_CLONES
#endif

// The product in word columns needs 512-bit vectors of 16-bit products.
#if defined(__x86_64__) && defined(__GNUC__)
#define KESTRANE_WORD_COLUMNS 1
#else
#define KESTRANE_WORD_COLUMNS 0
#endif

// Helpers shared by the long-number sources; not part of the public interface.
namespace kestrane::long_detail {

// Shows one of the long-number messages on the installed host.
void showMessage(std::string_view text);

inline void checkWordCount([[maybe_unused]] const LongNum& a)
{
    assert(a.wordCount() == longWords() && "long number made under another word count");
}

// Index of the first nonzero digit word, wordCount() when the number is zero.
int firstNonzero(const LongNum& a);
// Index of the last nonzero digit word, -1 when the number is zero.
int lastNonzero(const LongNum& a);

// Clears the digit words and sets the sign.
void clearDigits(LongNum& a, LongWord sign = kLongPlus);

// -1, 0 or 1 as |a| is less than, equal to or greater than |b|.
int compareMagnitudes(const LongNum& a, const LongNum& b);

// True when products past the start size go by word columns (the processor
// has AVX-512BW and no test turned it off).
bool wordColumnsEnabled();
// Tests compare both products on processors that have the vectors.
void setWordColumnsEnabled(bool enabled);
// The product for b's word 0 zero, in 16-bit word columns.
void multiplyByWordColumns(const LongNum& a, const LongNum& b, LongNum& out);

// floor(m * 0.w_0 w_1 ... w_(length-1)) in base 1000 for 0 <= m, read from as
// few words as decide it.
inline std::int64_t truncatedTailCarry(std::int64_t m, const LongWord* tail, int length)
{
    if (m == 0 || length == 0)
        return 0;
    std::int64_t value = m * tail[0];
    std::int64_t carry = value / kLongBase;
    // The distance to the next integer, in units of the last word read.
    std::int64_t gap = kLongBase - value % kLongBase;
    for (int i = 1; i < length; ++i) {
        // The unread words add less than m units of the last word read.
        if (gap > m)
            return carry;
        gap = gap * kLongBase - m * tail[i];
        if (gap <= 0)
            return carry + 1;
    }
    return carry;
}

} // namespace kestrane::long_detail
