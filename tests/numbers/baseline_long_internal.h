// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "baseline_long_num.h"
#include "platform/host.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <string_view>

#ifndef KESTRANE_VECTOR_CLONES
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define KESTRANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define KESTRANE_VECTOR_CLONES
#endif
#endif

// The helpers of the baseline operations, as they were beside them.
namespace kestrane::baseline::long_detail {

inline void showMessage(std::string_view text)
{
    if (Host* host = longNumHost())
        host->message("Error.", std::string(text), MessageButtons::OkCancel, MessageIcon::Error);
}

inline void checkWordCount([[maybe_unused]] const LongNum& a)
{
    assert(a.wordCount() == longWords() && "long number made under another word count");
}

inline int firstNonzero(const LongNum& a)
{
    int count = a.wordCount();
    int index = 0;
    while (index < count && a[index] == 0)
        ++index;
    return index;
}

inline int lastNonzero(const LongNum& a)
{
    int index = a.wordCount() - 1;
    while (index >= 0 && a[index] == 0)
        --index;
    return index;
}

inline void clearDigits(LongNum& a, LongWord sign = kLongPlus)
{
    std::span<LongWord> words = a.words();
    std::fill(words.begin(), words.end() - 1, 0);
    a.setSign(sign);
}

// floor(m * 0.w_0 w_1 ... w_(length-1)) in base 1000 for 0 <= m.
inline std::int64_t truncatedTailCarry(std::int64_t m, const LongWord* tail, int length)
{
    if (m == 0 || length == 0)
        return 0;
    std::int64_t value = m * tail[0];
    std::int64_t carry = value / kLongBase;
    std::int64_t gap = kLongBase - value % kLongBase;
    for (int i = 1; i < length; ++i) {
        if (gap > m)
            return carry;
        gap = gap * kLongBase - m * tail[i];
        if (gap <= 0)
            return carry + 1;
    }
    return carry;
}

} // namespace kestrane::baseline::long_detail
