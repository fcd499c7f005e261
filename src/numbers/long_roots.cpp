// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_engine.h"
#include "numbers/long_internal.h"
#include "numbers/long_limbs.h"
#include "platform/translation.h"

#include <array>
#include <cmath>

namespace kestrane {

using long_engine::Fixed;
using long_engine::Wide;

namespace {

// Exact powers are checked on integers in base 1000 (least significant word
// first) only up to this many words; beyond it the nearer candidate is taken.
constexpr size_t kExactCheckWords = 4000;

// Square roots up to this many words are found digit by digit in limbs.
constexpr int kLimbRootWords = kLongWordsMax;

using BigInteger = std::vector<std::uint32_t>;

BigInteger multiply(const BigInteger& a, const BigInteger& b)
{
    std::vector<std::uint64_t> columns(a.size() + b.size() + 1, 0);
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 0)
            continue;
        for (size_t j = 0; j < b.size(); ++j)
            columns[i + j] += static_cast<std::uint64_t>(a[i]) * b[j];
        // Keep the columns far from overflow.
        if (i % 1024 == 1023) {
            std::uint64_t carry = 0;
            for (std::uint64_t& column : columns) {
                column += carry;
                carry = column / kLongBase;
                column %= kLongBase;
            }
        }
    }
    BigInteger result(columns.size());
    std::uint64_t carry = 0;
    for (size_t k = 0; k < columns.size(); ++k) {
        std::uint64_t value = columns[k] + carry;
        result[k] = static_cast<std::uint32_t>(value % kLongBase);
        carry = value / kLongBase;
    }
    while (result.size() > 1 && result.back() == 0)
        result.pop_back();
    return result;
}

BigInteger power(const BigInteger& base, int exponent)
{
    BigInteger result{1};
    BigInteger square = base;
    for (; exponent > 0; exponent >>= 1) {
        if (exponent & 1)
            result = multiply(result, square);
        if (exponent > 1)
            square = multiply(square, square);
    }
    return result;
}

// The digit words as an integer in units of the last word.
BigInteger integerOf(const LongNum& a, int zeroWords)
{
    BigInteger result(static_cast<size_t>(zeroWords), 0);
    for (int i = a.wordCount() - 1; i >= 0; --i)
        result.push_back(static_cast<std::uint32_t>(a[i]));
    while (result.size() > 1 && result.back() == 0)
        result.pop_back();
    return result;
}

bool lessOrEqual(const BigInteger& a, const BigInteger& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    for (size_t k = a.size(); k-- > 0;) {
        if (a[k] != b[k])
            return a[k] < b[k];
    }
    return true;
}

// The true n-th root of |a| truncated at the last word, from an approximation
// value * 2^binaryExponent * 1000^wordShift good to far below one word.
void truncatedRoot(const LongNum& a, int degree, const Fixed& value, int binaryExponent,
                   int wordShift, LongNum& out)
{
    // The approximation is good to far below one word, so the truncation is
    // certain unless the part below the last word is close to 0 or 1.
    LongNum low;
    double leftover = 0;
    long_engine::toLong(value, binaryExponent, wordShift, low, &leftover);
    low.setSign(kLongPlus);
    if (leftover > 1e-6 && leftover < 1 - 1e-6) {
        LongCopy(low, out);
        return;
    }
    Fixed slack(value.fraction());
    slack.limb(0) = 1ull << 40;
    LongNum high;
    long_engine::toLong(value - slack, binaryExponent, wordShift, low);
    long_engine::toLong(value + slack, binaryExponent, wordShift, high);
    low.setSign(kLongPlus);
    high.setSign(kLongPlus);
    if (low == high) {
        LongCopy(low, out);
        return;
    }
    // Near a word boundary (perfect powers land here): is high^n <= |a| 1000^(F(n-1))?
    int fractionWords = a.wordCount() - longIntegerWords();
    size_t size = static_cast<size_t>(degree) * static_cast<size_t>(a.wordCount());
    bool highFits = true;
    if (size <= kExactCheckWords)
        highFits = lessOrEqual(power(integerOf(high, 0), degree),
                               integerOf(a, fractionWords * (degree - 1)));
    LongCopy(highFits ? high : low, out);
}

// floor(sqrt(|a| 1000^F)) in words when that radicand fits 126 bits (a root
// of at most 63 bits); `first` is a's first nonzero word.
bool smallSquareRoot(const LongNum& a, int first, LongNum& out)
{
    int count = a.wordCount();
    int fractionWords = count - longIntegerWords();
    // The radicand is |a| (in units of its last word) followed by F zero
    // words; below 2^116 before its last word it stays below 2^126 after it.
    constexpr Wide kLimit = static_cast<Wide>(1) << 116;
    constexpr int kMostZeroWords = 12; // 1000^12 alone passes the limit
    // For F zero words (index F - 1): 1000^F, and the largest |a| whose
    // radicand is below 2^116 before its last zero word.
    struct Scale {
        Wide power;
        Wide largest;
    };
    static constexpr std::array<Scale, kMostZeroWords> kScales = [] {
        std::array<Scale, kMostZeroWords> scales{};
        Wide power = 1; // 1000^(F - 1)
        for (auto& scale : scales) {
            scale = {power * kLongBase, (kLimit - 1) / power};
            power *= kLongBase;
        }
        return scales;
    }();
    if (fractionWords < 1 || fractionWords > kMostZeroWords)
        return false;
    const LongWord* words = a.words().data();
    Wide value = 0;
    for (int i = first; i < count; ++i) {
        if (value >= kLimit)
            return false;
        value = value * kLongBase + static_cast<Wide>(words[i]);
    }
    const Scale& scale = kScales[static_cast<size_t>(fractionWords - 1)];
    if (value > scale.largest)
        return false;
    Wide radicand = value * scale.power;
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(radicand)));
    while (static_cast<Wide>(root) * root > radicand)
        --root;
    while (static_cast<Wide>(root + 1) * (root + 1) <= radicand)
        ++root;
    // The root's words, from the last: below 2^63, so at most seven words.
    LongWord* digits = out.words().data();
    std::fill(digits, digits + count, 0);
    out.setSign(kLongPlus);
    std::uint64_t high = root / 1000000000;
    auto low = static_cast<std::uint32_t>(root - high * 1000000000);
    for (int i = count - 1; i >= count - 3; --i, low /= 1000)
        digits[i] = static_cast<LongWord>(low % 1000);
    for (int i = count - 4; i >= 0 && high != 0; --i, high /= 1000)
        digits[i] = static_cast<LongWord>(high % 1000);
    return true;
}

// floor(sqrt(|a| 1000^F)) by the digit-by-digit root in limbs of 10^18. The
// radicand is moved up by an even number of words 2z, so that it fills an
// even number of limbs with a top limb of at least 10^12; the root then
// carries z words more, which are dropped.
void limbSquareRoot(const LongNum& a, int first, LongNum& out)
{
    using long_detail::kLimbWords;
    int count = a.wordCount();
    int fractionWords = count - longIntegerWords();
    int radicandWords = count - first + fractionWords;
    int rootLimbs = (radicandWords + 2 * kLimbWords - 1) / (2 * kLimbWords);
    int spare = 2 * kLimbWords * rootLimbs - radicandWords;
    int extra = spare / 2; // z
    int shift = fractionWords + 2 * extra;
    long_detail::LimbNumber number;
    long_detail::toLimbNumber(a.words().data(), count, first, long_detail::lastNonzero(a),
                              shift % kLimbWords, number);
    // Only the radicand's own limbs are cleared: clearing the whole array
    // costs more than the root at the smaller word counts.
    std::array<std::uint64_t, 2 * long_detail::kMaxLimbs> radicand;
    std::fill(radicand.begin(), radicand.begin() + 2 * rootLimbs, 0);
    std::copy(number.limbs + number.low, number.limbs + number.high + 1,
              radicand.begin() + number.low + shift / kLimbWords);
    std::array<std::uint64_t, long_detail::kMaxLimbs> root;
    long_detail::squareRootLimbs(radicand.data(), rootLimbs, root.data());
    // The root's words straight into out, without the z extra ones: limb 0's
    // top 6 - z words end the number, the limbs above it end z words higher
    // and lose their words above word 0; the words above the root are zero.
    LongWord* digits = out.words().data();
    int kept = std::min(count, kLimbWords * rootLimbs - extra);
    std::fill(digits, digits + count - kept, 0);
    long_detail::storeLimbsAt(root.data() + 1, rootLimbs - 1, count - 1 + extra - kLimbWords,
                              digits);
    LongWord last[kLimbWords];
    long_detail::storeLimbWords(root[0], last);
    std::copy(last, last + kLimbWords - extra, digits + count - (kLimbWords - extra));
    out.setSign(kLongPlus);
}

} // namespace

void LongSqrt(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    if (a.isNegative())
        long_detail::showMessage(N_("Square root of negative number. Major error may occur."));
    int first = long_detail::firstNonzero(a);
    if (first == a.wordCount()) {
        long_detail::clearDigits(out);
        return;
    }
    if (smallSquareRoot(a, first, out))
        return;
    if (a.wordCount() <= kLimbRootWords) {
        limbSquareRoot(a, first, out);
        return;
    }
    // The root has about half the integer words of a, and the fraction words:
    // its words and 64 guard bits are all the precision it needs.
    int half = longIntegerWords();
    int integerWords = std::max(1, (half - first + 1) / 2 + 1);
    int rootWords = integerWords + a.wordCount() - half;
    int fraction = (static_cast<int>(std::ceil(rootWords * 3 * 3.3219280948873623)) + 127) / 64;
    long_engine::Scaled scaled = long_engine::toScaled(a, fraction);
    Fixed mantissa = scaled.mantissa;
    if (mantissa.isNegative())
        mantissa.negate();
    // An even power of 1000 leaves the root's word shift whole.
    int exponent = scaled.exponent;
    if (exponent % 2 != 0) {
        mantissa.multiplySmall(kLongBase);
        exponent -= 1;
    }
    truncatedRoot(a, 2, long_engine::squareRoot(mantissa), 0, exponent / 2, out);
    out.setSign(kLongPlus);
}

void LongRoot(const LongNum& a, int n, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    if (a.isNegative() && n % 2 == 0)
        long_detail::showMessage(
            N_("Negative number under a root of even degree. Major error may occur."));
    if (n < 1 || LongIsZero(a)) {
        long_detail::clearDigits(out);
        return;
    }
    LongWord sign = a.sign() == kLongMinus ? kLongMinus : kLongPlus;
    if (n == 1) {
        LongCopy(a, out);
        out.setSign(sign);
        return;
    }
    // The root's integer bits, its fraction words and guard bits: the nearer
    // cases are settled exactly by truncatedRoot.
    int integerBits = std::max(0, longIntegerWords() - long_detail::firstNonzero(a)) * 10 / n;
    int fraction = long_engine::resultFractionLimbs(integerBits + 18);
    long_engine::Scaled scaled = long_engine::toScaled(a, fraction);
    Fixed mantissa = scaled.mantissa;
    if (mantissa.isNegative())
        mantissa.negate();
    // |a| = m 1000^e with e = q n + r: the root is (m 1000^r)^(1/n) 1000^q.
    int quotient = scaled.exponent >= 0 ? scaled.exponent / n : -((-scaled.exponent + n - 1) / n);
    int remainder = scaled.exponent - quotient * n;
    Fixed logarithm = long_engine::logarithm(mantissa);
    Fixed thousands = long_engine::logarithm(Fixed::integer(fraction, kLongBase));
    thousands.multiplySmall(static_cast<std::uint64_t>(remainder));
    logarithm += thousands;
    logarithm.divideSmall(static_cast<std::uint64_t>(n));
    int binaryExponent = 0;
    Fixed root = long_engine::exponential(logarithm, binaryExponent);
    truncatedRoot(a, n, root, binaryExponent, quotient, out);
    out.setSign(sign);
}

} // namespace kestrane
