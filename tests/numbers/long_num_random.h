// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_internal.h"
#include "numbers/long_num.h"
#include "numbers/long_num_reference.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace kestrane::testing {

// Random numbers shaped like the ones long arithmetic meets: leading and
// trailing zero words, words of 0 and 999, either sign.
class RandomLongNums {
public:
    explicit RandomLongNums(unsigned seed) : m_engine(seed) {}

    LongNum next()
    {
        LongNum result;
        int count = result.wordCount();
        // Half of them of the size coordinates have: a few integer digits.
        int half = count / 2;
        int first = pick(0, 1) ? pick(half - 3, half) : pick(0, count);
        int last = pick(first, count);
        for (int i = first; i < last; ++i) {
            int kind = pick(0, 9);
            result[i] = kind == 0 ? 0 : kind == 1 ? 999 : pick(0, 999);
        }
        result.setSign(pick(0, 1) ? kLongMinus : kLongPlus);
        return result;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }

private:
    std::mt19937 m_engine;
};

inline reference::Words toWords(const LongNum& a)
{
    return reference::Words(a.words().begin(), a.words().end());
}

inline LongNum fromWords(const reference::Words& words)
{
    LongNum result;
    for (size_t i = 0; i < words.size(); ++i)
        result.words()[i] = words[i];
    return result;
}

// The six words of a value below 10^18 from index first on; words past the
// number's end are left out.
inline void putLimb(LongNum& value, int first, std::uint64_t limb)
{
    for (int k = 5; k >= 0; --k, limb /= 1000) {
        if (first + k < value.wordCount())
            value[first + k] = static_cast<LongWord>(limb % 1000);
    }
}

// Products go by limbs while one of these lives, as on processors without
// 512-bit vectors, where otherwise they would go by word columns.
class LimbProducts {
public:
    LimbProducts() : m_columns(long_detail::wordColumnsEnabled())
    {
        long_detail::setWordColumnsEnabled(false);
    }
    ~LimbProducts() { long_detail::setWordColumnsEnabled(m_columns); }
    LimbProducts(const LimbProducts&) = delete;
    LimbProducts& operator=(const LimbProducts&) = delete;

private:
    bool m_columns;
};

// a * b into out by limbs.
inline void multiplyInLimbs(const LongNum& a, const LongNum& b, LongNum& out)
{
    LimbProducts limbs;
    LongMul(a, b, out);
}

// Tests run at the word count of their parameter, the start count restored
// after each.
class AtWordCount : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { setLongWords(GetParam()); }
    void TearDown() override { setLongWords(kLongWordsAtStart); }
};

} // namespace kestrane::testing
