// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"
#include "platform/translation.h"

#include <array>
#include <cmath>

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

} // namespace

void LongDiv(const LongNum& a, const LongNum& b, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign() == b.sign() ? kLongPlus : kLongMinus;
    int count = a.wordCount();
    int divisorFirst = firstNonzero(b);
    if (divisorFirst == count) {
        long_detail::showMessage(N_("Division by zero. Major error may occur."));
        long_detail::clearDigits(out, sign);
        return;
    }
    int dividendFirst = firstNonzero(a);
    if (dividendFirst == count) {
        long_detail::clearDigits(out, sign);
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
