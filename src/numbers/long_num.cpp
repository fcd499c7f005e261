// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_num.h"

#include "numbers/long_internal.h"
#include "numbers/long_limbs.h"
#include "platform/host.h"
#include "platform/translation.h"

#include <algorithm>
#include <cstdlib>

namespace kestrane {

namespace {

int g_words = kLongWordsAtStart;
Host* g_host = nullptr;

LongWord flippedSign(LongWord sign)
{
    return sign == kLongPlus ? kLongMinus : kLongPlus;
}

// out = |a| + |b|; the carry out of word 0 is lost.
void addMagnitudes(const LongNum& a, const LongNum& b, LongNum& out)
{
    LongWord carry = 0;
    for (int i = a.wordCount() - 1; i >= 0; --i) {
        LongWord sum = a[i] + b[i] + carry;
        carry = sum >= kLongBase ? 1 : 0;
        out[i] = sum - carry * kLongBase;
    }
}

// out = |a| - |b| for |a| >= |b|.
void subtractMagnitudes(const LongNum& a, const LongNum& b, LongNum& out)
{
    LongWord borrow = 0;
    for (int i = a.wordCount() - 1; i >= 0; --i) {
        LongWord difference = a[i] - b[i] - borrow;
        borrow = difference < 0 ? 1 : 0;
        out[i] = difference + borrow * kLongBase;
    }
}

// The signed sum with b taken with the sign word bSign.
void addSigned(const LongNum& a, const LongNum& b, LongWord bSign, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord aSign = a.sign();
    if (aSign == bSign) {
        addMagnitudes(a, b, out);
        out.setSign(aSign);
    } else if (long_detail::compareMagnitudes(a, b) >= 0) {
        subtractMagnitudes(a, b, out);
        out.setSign(aSign);
    } else {
        subtractMagnitudes(b, a, out);
        out.setSign(bSign);
    }
}

} // namespace

int longWords()
{
    return g_words;
}

int longIntegerWords()
{
    return g_words / 2;
}

bool setLongWords(int words)
{
    if (words < kLongWordsMin || words > kLongWordsMax)
        return false;
    g_words = words;
    return true;
}

LongWordsScope::LongWordsScope(int words) : m_previous(g_words)
{
    [[maybe_unused]] bool accepted = setLongWords(words);
    assert(accepted);
}

LongWordsScope::~LongWordsScope()
{
    g_words = m_previous;
}

void setLongNumHost(Host* host)
{
    g_host = host;
}

Host* longNumHost()
{
    return g_host;
}

LongNum::LongNum() : m_words(static_cast<size_t>(g_words) + 1, 0)
{
    m_words.back() = kLongPlus;
}

LongNum LongNum::fromInteger(std::int64_t value)
{
    LongNum result;
    std::uint64_t magnitude =
        value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
    for (int i = longIntegerWords() - 1; i >= 0 && magnitude != 0; --i) {
        result[i] = static_cast<LongWord>(magnitude % kLongBase);
        magnitude /= kLongBase;
    }
    result.setSign(value < 0 ? kLongMinus : kLongPlus);
    return result;
}

namespace long_detail {

void showMessage(std::string_view text)
{
    if (g_host)
        g_host->message(N_("Error."), std::string(text), MessageButtons::OkCancel,
                        MessageIcon::Error);
}

int firstNonzero(const LongNum& a)
{
    // Past the start size the leading zero runs are long enough to read in
    // wider steps.
    int count = a.wordCount();
    if (count > kLongWordsAtStart)
        return firstNonzeroFrom(a.words().data(), 0, count);
    int index = 0;
    while (index < count && a[index] == 0)
        ++index;
    return index;
}

int lastNonzero(const LongNum& a)
{
    int index = a.wordCount() - 1;
    while (index >= 0 && a[index] == 0)
        --index;
    return index;
}

void clearDigits(LongNum& a, LongWord sign)
{
    std::span<LongWord> words = a.words();
    std::fill(words.begin(), words.end() - 1, 0);
    a.setSign(sign);
}

int compareMagnitudes(const LongNum& a, const LongNum& b)
{
    for (int i = 0; i < a.wordCount(); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

} // namespace long_detail

bool LongIsZero(const LongNum& a)
{
    return long_detail::firstNonzero(a) == a.wordCount();
}

bool LongHasFraction(const LongNum& a)
{
    for (int i = longIntegerWords(); i < a.wordCount(); ++i) {
        if (a[i] != 0)
            return true;
    }
    return false;
}

void LongCopy(const LongNum& source, LongNum& destination)
{
    long_detail::checkWordCount(source);
    long_detail::checkWordCount(destination);
    std::copy(source.words().begin(), source.words().end(), destination.words().begin());
}

void LongNegate(LongNum& a)
{
    a.setSign(flippedSign(a.sign()));
}

bool LongGreaterEq(const LongNum& a, const LongNum& b)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    if (a.sign() == kLongPlus && b.sign() == kLongMinus)
        return true;
    if (a.sign() == kLongMinus && b.sign() == kLongPlus)
        return false;
    bool magnitudeGreaterEq = long_detail::compareMagnitudes(a, b) >= 0;
    return a.sign() == kLongMinus && b.sign() == kLongMinus ? !magnitudeGreaterEq
                                                            : magnitudeGreaterEq;
}

bool LongNearlyEqual(const LongNum& a, const LongNum& b)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    int last = std::min(longIntegerWords() + 4, a.wordCount() - 1);
    for (int i = 0; i <= last; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

void LongAdd(const LongNum& a, const LongNum& b, LongNum& out)
{
    addSigned(a, b, b.sign(), out);
}

void LongSub(const LongNum& a, const LongNum& b, LongNum& out)
{
    addSigned(a, b, flippedSign(b.sign()), out);
}

void LongMulSmallShift(const LongNum& a, std::int64_t m, int shift, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    if (m < 0) {
        LongMulSmallShift(a, -m, shift, out);
        LongNegate(out);
        return;
    }
    if (&a == &out && shift < 0) {
        LongNum copy = a;
        LongMulSmallShift(copy, m, shift, out);
        return;
    }
    int count = a.wordCount();
    LongWord sign = a.sign();
    // From the last word up, so a word of a is read before out's word at the
    // same or a lower index is written (shift >= 0).
    std::int64_t carry = 0;
    for (int i = count - 1; i >= 0; --i) {
        std::int64_t product = m * a[i] + carry;
        carry = product / kLongBase;
        int target = i + shift;
        if (target >= 0 && target < count)
            out[target] = static_cast<LongWord>(product % kLongBase);
    }
    for (int i = 0; i < std::min(shift, count); ++i)
        out[i] = 0;
    for (int i = std::max(0, count + shift); i < count; ++i)
        out[i] = 0;
    out.setSign(sign);
}

void LongDivSmall(const LongNum& a, std::int64_t n, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    if (n <= 0) {
        long_detail::clearDigits(out, a.sign());
        return;
    }
    std::int64_t remainder = 0;
    for (int i = 0; i < a.wordCount(); ++i) {
        std::int64_t value = a[i] + remainder * kLongBase;
        out[i] = static_cast<LongWord>(value / n);
        remainder = value % n;
    }
    out.setSign(a.sign());
}

int LongHalve(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    LongWord remainder = 0;
    for (int i = 0; i < a.wordCount(); ++i) {
        LongWord value = a[i] + remainder * kLongBase;
        out[i] = value / 2;
        remainder = value % 2;
    }
    out.setSign(a.sign());
    return remainder * kLongBase;
}

void LongSumSquares(const LongNum& x, const LongNum& y, const LongNum& z, LongNum& out)
{
    LongNum square;
    LongNum sum;
    LongMul(x, x, sum);
    LongMul(y, y, square);
    LongAdd(sum, square, sum);
    LongMul(z, z, square);
    LongAdd(sum, square, out);
}

} // namespace kestrane
