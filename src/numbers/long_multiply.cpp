// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"
#include "numbers/long_limbs.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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

// --- The product in limbs of 10^18 -------------------------------------------
// With the words read as integers (units of the last word), F fraction words
// and exponent p for the word P - 1 - p, row p (a's word of exponent p < F) is
// floor(a_p B / 1000^(F-p)): its digit pairs at or above the cut, plus its own
// carry from the pairs below. The product is H + C, H the pairs at or above
// the cut and C the rows' carries, or equally floor(A B / 1000^F) - D, D the
// integer part of the sum of the rows' cut-off fractions (which the division
// checks with). H is computed in limbs of 10^18, B grouped one to five words
// off so that the cut falls between two limbs of the product.

using long_detail::kLimbBase;
using long_detail::kLimbWords;
using long_detail::LimbDivider;
using long_detail::LimbNumber;
using long_detail::Wide;

// The ten-word product's fractions, in units of 10^-15: five tail words.
constexpr std::uint64_t kFractionUnit = 1000000000000000ull;

// Five words, most significant first, as one integer below 10^15.
inline std::uint64_t fiveWords(const LongWord* words)
{
    return static_cast<std::uint64_t>(words[0]) * 1000000000000ull +
           static_cast<std::uint64_t>(words[1]) * 1000000000ull +
           static_cast<std::uint32_t>(words[2] * 1000000 + words[3] * 1000 + words[4]);
}

// The fraction a_p (B mod 1000^k) / 1000^k of a row whose tail is the last
// k words of b, exactly, in units of 1000^-kUnitWords.
template<int kTailWords, int kUnitWords>
std::uint64_t exactRowFraction(std::uint64_t digit, std::uint64_t tail)
{
    constexpr std::uint64_t kModulus = long_detail::kWordPowers[kTailWords];
    constexpr std::uint64_t kScale = long_detail::kWordPowers[kUnitWords - kTailWords];
    // Up to two tail words the product fits 32 bits, where the remainder is
    // cheaper.
    if constexpr (kTailWords <= 2)
        return static_cast<std::uint32_t>(digit * tail) % static_cast<std::uint32_t>(kModulus) *
               kScale;
    return digit * tail % kModulus * kScale;
}

// The integer part of the sum of the ten-word product's five cut-off
// fractions: every tail is at most five words, so the fractions are exact.
__attribute__((always_inline)) inline std::int64_t droppedCarryTenWords(const LongNum& a,
                                                                        const LongNum& b)
{
    const LongWord* last = b.words().data() + 5;
    const LongWord* digits = a.words().data() + 5; // the row of tail k has digit k - 1
    std::uint64_t tail1 = static_cast<std::uint64_t>(last[4]);
    std::uint64_t tail2 = static_cast<std::uint64_t>(last[3]) * 1000 + tail1;
    std::uint64_t tail3 = static_cast<std::uint64_t>(last[2]) * 1000000 + tail2;
    std::uint64_t tail4 = static_cast<std::uint64_t>(last[1]) * 1000000000 + tail3;
    std::uint64_t tail5 = static_cast<std::uint64_t>(last[0]) * 1000000000000 + tail4;
    auto digit = [digits](int k) { return static_cast<std::uint64_t>(digits[k - 1]); };
    std::uint64_t sum =
        exactRowFraction<1, 5>(digit(1), tail1) + exactRowFraction<2, 5>(digit(2), tail2) +
        exactRowFraction<3, 5>(digit(3), tail3) + exactRowFraction<4, 5>(digit(4), tail4) +
        exactRowFraction<5, 5>(digit(5), tail5);
    return static_cast<std::int64_t>(sum / kFractionUnit);
}

// Rows with tails longer than four words, from their first four: each
// fraction is found to 10^-12, and the unread words add less than the digit
// in that unit.
struct LongRows {
    std::uint64_t sum = 0;    // the fractions, in units of 10^-12
    std::uint64_t unread = 0; // the sum of the digits
    bool wrapped = false;     // a fraction plus its digit passed a whole
};

constexpr std::uint64_t kRowUnit = 1000000000000ull;

// Four doubles and four 32-bit integers, as the vector extension of the
// compiler gives them (two halves on processors without 256-bit vectors).
typedef double Lanes __attribute__((vector_size(32)));
typedef int IntegerLanes __attribute__((vector_size(16)));

// Rows p .. p + 3 at once, while the four words of every window are in the
// number: row p has the digit left[count - 1 - p] and the window of b's words
// from half + p. In doubles every value is an integer below 2^53, so the
// arithmetic is exact.
KESTRANE_VECTOR_CLONES
int longTailRowsInFours(const LongWord* left, const LongWord* right, int count, int rows,
                        LongRows& result)
{
    constexpr double kUnit = 1e12;
    int half = count / 2;
    Lanes sums = {};
    Lanes unread = {};
    Lanes largest = {};
    // The windows' words as doubles, converted once: each word lies in four
    // windows.
    double converted[kLongWordsMax + 4];
    int windowWords = rows / 4 * 4 + 3;
    for (int j = 0; j < windowWords; ++j)
        converted[j] = right[half + j];
    auto loadDoubles = [&converted](Lanes& lanes, int from) {
        std::memcpy(&lanes, converted + from, sizeof lanes);
    };
    int p = 0;
    for (; p + 4 <= rows; p += 4) {
        Lanes first;
        Lanes second;
        Lanes third;
        Lanes fourth;
        loadDoubles(first, p);
        loadDoubles(second, p + 1);
        loadDoubles(third, p + 2);
        loadDoubles(fourth, p + 3);
        Lanes tail = ((first * 1000 + second) * 1000 + third) * 1000 + fourth;
        IntegerLanes digitWords;
        std::memcpy(&digitWords, left + count - 4 - p, sizeof digitWords);
        Lanes digit = __builtin_convertvector(
            __builtin_shufflevector(digitWords, digitWords, 3, 2, 1, 0), Lanes);
        Lanes product = digit * tail;
        // Truncation is the floor for these nonnegative values; the product
        // times 10^-12 may round to the next whole, which the steps after mend.
        Lanes whole = __builtin_convertvector(
            __builtin_convertvector(product * (1 / kUnit), IntegerLanes), Lanes);
        Lanes part = product - whole * kUnit;
        part = part < 0 ? part + kUnit : part;
        part = part >= kUnit ? part - kUnit : part;
        sums += part;
        unread += digit;
        Lanes reach = part + digit;
        largest = largest > reach ? largest : reach;
    }
    // Through signed integers: the processor converts those in one
    // instruction, and the sums stay far below 2^63.
    for (int lane = 0; lane < 4; ++lane) {
        result.sum += static_cast<std::uint64_t>(static_cast<std::int64_t>(sums[lane]));
        result.unread += static_cast<std::uint64_t>(static_cast<std::int64_t>(unread[lane]));
        result.wrapped |= largest[lane] > kUnit;
    }
    return p;
}

// The integer part of the sum of the rows' cut-off fractions, or -1 when the
// first four tail words of each row do not decide it (about once in 10^12 /
// (500 rows) products).
std::int64_t droppedCarry(const LongNum& a, const LongNum& b)
{
    int count = a.wordCount();
    int half = count / 2;
    int fraction = count - half;
    const LongWord* left = a.words().data();
    const LongWord* right = b.words().data();
    // 1. Rows whose tail is longer than four words, four at a time and then
    //    one by one.
    int rows = fraction - 4;
    LongRows longRows;
    for (int p = longTailRowsInFours(left, right, count, rows, longRows); p < rows; ++p) {
        auto digit = static_cast<std::uint64_t>(left[count - 1 - p]);
        const LongWord* window = right + half + p;
        std::uint64_t tail =
            static_cast<std::uint64_t>(window[0]) * 1000000000 +
            static_cast<std::uint32_t>(window[1] * 1000000 + window[2] * 1000 + window[3]);
        std::uint64_t part = digit * tail % kRowUnit;
        longRows.sum += part;
        longRows.unread += digit;
        longRows.wrapped |= part + digit > kRowUnit;
    }
    // 2. The last four rows read their whole tail: b's last k words.
    const LongWord* last = right + count - 4;
    const LongWord* rowDigits = left + half; // the row of tail k has digit k - 1
    std::uint64_t tail1 = static_cast<std::uint64_t>(last[3]);
    std::uint64_t tail2 = static_cast<std::uint64_t>(last[2]) * 1000 + tail1;
    std::uint64_t tail3 = static_cast<std::uint64_t>(last[1]) * 1000000 + tail2;
    std::uint64_t tail4 = static_cast<std::uint64_t>(last[0]) * 1000000000 + tail3;
    auto digit = [rowDigits](int k) { return static_cast<std::uint64_t>(rowDigits[k - 1]); };
    std::uint64_t sum = longRows.sum + exactRowFraction<1, 4>(digit(1), tail1) +
                        exactRowFraction<2, 4>(digit(2), tail2) +
                        exactRowFraction<3, 4>(digit(3), tail3) +
                        exactRowFraction<4, 4>(digit(4), tail4);
    if (longRows.wrapped || sum % kRowUnit + longRows.unread > kRowUnit)
        return -1;
    return static_cast<std::int64_t>(sum / kRowUnit);
}

// Subtracts `amount` from limbs[from ..] (a borrow out of the top is lost,
// like a carry).
void subtractAt(std::uint64_t* limbs, int from, int to, std::uint64_t amount)
{
    for (int k = from; k <= to && amount != 0; ++k) {
        if (limbs[k] >= amount) {
            limbs[k] -= amount;
            amount = 0;
        } else {
            limbs[k] = limbs[k] + kLimbBase - amount;
            amount = 1;
        }
    }
}

// At ten words: A = a_1 10^18 + a_0 with a_0 the last six words, and B times
// 1000 = B_I 10^18 + 1000 B_F with B_I, B_F its integer and fraction words, so
// the product's limb 1 holds the result's last six words.
void multiplyTenWords(const LongNum& a, const LongNum& b, std::int64_t dropped, LongNum& out)
{
    const LongWord* left = a.words().data();
    const LongWord* right = b.words().data();
    std::uint64_t left0 = long_detail::limbOfWords(left + 4);
    std::uint64_t left1 = static_cast<std::uint64_t>(left[0]) * 1000000000 +
                          static_cast<std::uint32_t>(left[1] * 1000000 + left[2] * 1000 + left[3]);
    std::uint64_t right0 = fiveWords(right + 5) * 1000;
    std::uint64_t right1 = fiveWords(right);
    // The three divisions are independent, so that none waits on another's
    // carry: the low column's carry adds at most one to the middle's, and the
    // top limb is needed only modulo 10^12, from the top column times 10^6.
    std::uint64_t low = 0;
    std::uint64_t limbs[2];
    if ((left1 | right1) == 0) {
        // Below 1000 times below 1, as most coordinates times a cosine or a
        // ratio are: the low column alone, its carry below 10^18.
        limbs[0] = LimbDivider::divide(static_cast<Wide>(left0) * right0, low);
        limbs[1] = 0;
    } else {
        std::uint64_t middleRest = 0;
        std::uint64_t topRest = 0;
        std::uint64_t lowCarry = LimbDivider::divide(static_cast<Wide>(left0) * right0, low);
        std::uint64_t middleCarry = LimbDivider::divide(
            static_cast<Wide>(left0) * right1 + static_cast<Wide>(left1) * right0, middleRest);
        LimbDivider::divide(static_cast<Wide>(left1) * right1 * 1000000, topRest);
        std::uint64_t middle = middleRest + lowCarry;
        std::uint64_t overflow = middle >= kLimbBase ? 1 : 0;
        limbs[0] = middle - overflow * kLimbBase;
        limbs[1] = (topRest / 1000000 + middleCarry + overflow) % 1000000000000ull;
    }
    subtractAt(limbs, 0, 1, static_cast<std::uint64_t>(dropped));
    // A product that wrapped to below the dropped carries borrows past the
    // top, which keeps only four words.
    if (limbs[1] >= 1000000000000ull)
        limbs[1] -= kLimbBase - 1000000000000ull;
    LongWord* words = out.words().data();
    long_detail::storeLimbWords(limbs[0], words + 4);
    auto top = static_cast<std::uint64_t>(limbs[1]);
    if (top == 0) {
        std::fill(words, words + 4, 0);
        return;
    }
    std::uint64_t high = top / 1000000000;
    words[0] = static_cast<LongWord>(high);
    long_detail::storeThreeWords(static_cast<std::uint32_t>(top - high * 1000000000), words + 1);
}

// A number's digit words with zeros around them, so that limbs, windows and
// tails near its ends read without bounds checks: index -kPad .. count + kPad
// - 1 may be read.
struct PaddedWords {
    static constexpr int kPad = 16;
    std::array<LongWord, kLongWordsMax + 2 * kPad> storage;
    const LongWord* words = storage.data() + kPad;

    PaddedWords(const LongWord* digits, int count)
    {
        std::fill(storage.begin(), storage.begin() + kPad, 0);
        std::memcpy(storage.data() + kPad, digits, sizeof(LongWord) * static_cast<size_t>(count));
        std::fill(storage.begin() + kPad + count, storage.begin() + 2 * kPad + count, 0);
    }
};

// Limbs low .. high of the words grouped with the given shift: limb k holds
// the words from index count + shift - 6 - 6k on.
void groupLimbs(const LongWord* words, int count, int shift, int low, int high,
                std::uint64_t* limbs)
{
    const LongWord* start = words + (count + shift - kLimbWords - kLimbWords * low);
    for (int k = low; k <= high; ++k, start -= kLimbWords)
        limbs[k] = long_detail::limbOfWords(start);
}

// Limb columns first .. last of left times right, carried into limbs[0 ..]
// with `carry` carried into column first. Each column's products are summed
// before the carry comes in, so that only the division waits on the column
// below. Returns how many limbs were written: those above are zero.
int productColumns(const LimbNumber& left, const LimbNumber& right, int first, int last, Wide carry,
                   std::uint64_t* limbs)
{
    int column = first;
    int top = std::min(last, left.high + right.high);
    for (; column <= top; ++column) {
        int from = std::max(left.low, column - right.high);
        int to = std::min(left.high, column - right.low);
        const std::uint64_t* y = right.limbs + column;
        for (int i = from; i <= to; ++i)
            carry += static_cast<Wide>(left.limbs[i]) * y[-i];
        carry = LimbDivider::divideWide(carry, limbs[column - first]);
    }
    // Above the factors' columns only the carry is left.
    for (; column <= last; ++column) {
        if (carry < kLimbBase) {
            // The last limb, most often the top column's carry.
            if (carry == 0)
                return column - first;
            limbs[column - first] = static_cast<std::uint64_t>(carry);
            return column - first + 1;
        }
        carry = LimbDivider::divideWide(carry, limbs[column - first]);
    }
    return last - first + 1;
}

// --- Rows' carries ------------------------------------------------------------
// The rows' own carries, C = sum over p of floor(a_p T_p / 1000^k) for row p
// with the tail T_p of its last k = F - p words of b. A carry is floor(a_p x)
// for the tail read as x = 0.w_1 w_2 ...; two words decide it unless a_p
// times them falls within a_p units of 10^-6 below a whole, where the unread
// words could reach it (about once in 2000 rows); then every row is read to
// the end.

constexpr std::uint32_t kWindowUnit = 1000000;

struct WindowCarries {
    std::uint32_t sum = 0;
    std::uint32_t uncertain = 0;
};

constexpr int kWindowBlock = 8;

// Rows 0 .. rows - 1 (a multiple of kWindowBlock) from two-word windows: row p has the digit
// digits[-p] and the window windows[p], windows[p + 1]. In 32 bits, eight rows to a vector: a digit
// times a window stays below 10^9.
KESTRANE_WIDE_VECTOR_CLONES
WindowCarries windowCarries(const LongWord* digits, const LongWord* windows, int rows)
{
    std::uint32_t sum = 0;
    std::uint32_t uncertain = 0;
    for (int p = 0; p < rows; ++p) {
        auto digit = static_cast<std::uint32_t>(digits[-p]);
        std::uint32_t window = static_cast<std::uint32_t>(windows[p]) * 1000 +
                               static_cast<std::uint32_t>(windows[p + 1]);
        std::uint32_t product = digit * window;
        std::uint32_t whole = product / kWindowUnit;
        std::uint32_t part = product - whole * kWindowUnit;
        sum += whole;
        uncertain |= part + digit > kWindowUnit ? 1u : 0u;
    }
    return {sum, uncertain};
}

// C for a times b (padded), from the rows whose digit and tail may be
// nonzero, rounded up to whole vectors: a row past them has a zero digit or a
// zero tail (b's zero words or the padding), so carries nothing. The last row
// reads its one word and a zero.
std::uint64_t rowCarries(const LongWord* left, int leftFirst, int leftLast, const LongWord* right,
                         int rightLast, int count)
{
    constexpr int kVector = kWindowBlock;
    int half = count / 2;
    int fraction = count - half;
    // Row p has the digit left[count - 1 - p] and the tail right[half + p ..].
    int begin = std::max(0, count - 1 - leftLast);
    int end = std::min({fraction - 1, count - 1 - leftFirst, rightLast - half});
    if (begin > end)
        return 0;
    int rows = (end - begin + kVector) / kVector * kVector;
    WindowCarries carries = windowCarries(left + (count - 1 - begin), right + (half + begin), rows);
    if (carries.uncertain == 0)
        return carries.sum;
    std::uint64_t sum = 0;
    for (int p = begin; p <= end; ++p)
        sum += static_cast<std::uint64_t>(
            long_detail::truncatedTailCarry(left[count - 1 - p], right + half + p, fraction - p));
    return sum;
}

// The part at or above the cut of the limb pairs in the column below it, in
// units of the cut: for limbs x and y, the words x_u (u = 1..5 from the least
// significant) times y's top u words.
Wide straddlingPairs(const LimbNumber& left, const LimbNumber& right, int column,
                     const LongWord* leftWords, const LongWord* rightWords, int count, int shift)
{
    int from = std::max(left.low, column - right.high);
    int to = std::min(left.high, column - right.low);
    Wide sum = 0;
    // x_u has exponent 6i + u, at index count - 1 - 6i - u; y's top word has
    // exponent 6k - shift + 5 (k = column - i).
    const LongWord* x = leftWords + (count - 1 - kLimbWords * from);
    const LongWord* y = rightWords + (count - kLimbWords - kLimbWords * (column - from) + shift);
    for (int i = from; i <= to; ++i, x -= kLimbWords, y += kLimbWords) {
        auto word = [](const LongWord* at, int offset) {
            return static_cast<std::uint32_t>(at[offset]);
        };
        // With x_h, y_h the limbs' top halves (three words each), the sum is
        // x_h y_h + x_4 y_2 + x_5 (1000 y_2 + y_1) + x_1 y_5 + x_2 (1000 y_5 + y_4),
        // the last four terms below 2.002 10^9 together, in 32 bits.
        std::uint32_t xHigh = word(x, -5) * 1000000 + word(x, -4) * 1000 + word(x, -3);
        std::uint32_t yHigh = word(y, 0) * 1000000 + word(y, 1) * 1000 + word(y, 2);
        std::uint32_t rest =
            word(x, -4) * word(y, 3) + word(x, -5) * (1000 * word(y, 3) + word(y, 4)) +
            word(x, -1) * word(y, 0) + word(x, -2) * (1000 * word(y, 0) + word(y, 1));
        sum += static_cast<std::uint64_t>(xHigh) * yHigh + rest;
    }
    return sum;
}

// The product's layout at each word count: b's shift, the cut's limb and the
// result's limbs, looked up rather than divided out on every product.
struct ProductLayout {
    std::uint8_t shift;
    std::uint8_t cut;
    std::uint8_t resultLimbs;
};

constexpr auto kProductLayouts = [] {
    std::array<ProductLayout, kLongWordsMax + 1> table{};
    for (int count = 1; count <= kLongWordsMax; ++count) {
        int fractionWords = count - count / 2;
        int shift = (kLimbWords - fractionWords % kLimbWords) % kLimbWords;
        table[static_cast<size_t>(count)] = {
            static_cast<std::uint8_t>(shift),
            static_cast<std::uint8_t>((fractionWords + shift) / kLimbWords),
            static_cast<std::uint8_t>((count + kLimbWords - 1) / kLimbWords)};
    }
    return table;
}();

// The limb of a word `distance` words above the number's last (nonnegative).
inline int limbOfDistance(int distance)
{
    return static_cast<int>(static_cast<unsigned>(distance) / kLimbWords);
}

// The product for b's word 0 zero at any word count.
void multiplyByLimbs(const LongNum& a, const LongNum& b, LongNum& out)
{
    int count = a.wordCount();
    int leftFirst = long_detail::firstNonzeroFrom(a.words().data(), 0, count);
    int rightFirst = long_detail::firstNonzeroFrom(b.words().data(), 0, count);
    LongWord* words = out.words().data();
    if (leftFirst == count || rightFirst == count) {
        std::fill(words, words + count, 0);
        return;
    }
    const ProductLayout& layout = kProductLayouts[static_cast<size_t>(count)];
    int resultLimbs = layout.resultLimbs;
    std::uint64_t limbs[long_detail::kMaxLimbs];
    int leftLast = lastNonzero(a);
    int rightLast = lastNonzero(b);
    PaddedWords leftWords(a.words().data(), count);
    PaddedWords rightWords(b.words().data(), count);
    // 1. B moved up `shift` words puts the cut of the product at a limb
    //    boundary: limb `cut` of the product is the result's last limb.
    int shift = layout.shift;
    int cut = layout.cut;
    LimbNumber left;
    LimbNumber right;
    left.low = limbOfDistance(count - 1 - leftLast);
    left.high = limbOfDistance(count - 1 - leftFirst);
    right.low = limbOfDistance(count - 1 - rightLast + shift);
    right.high = limbOfDistance(count - 1 - rightFirst + shift);
    groupLimbs(leftWords.words, count, 0, left.low, left.high, left.limbs);
    groupLimbs(rightWords.words, count, shift, right.low, right.high, right.limbs);
    // 2. Into the cut: the rows' carries and the pairs of the column below
    //    that reach above it.
    Wide carry =
        rowCarries(leftWords.words, leftFirst, leftLast, rightWords.words, rightLast, count);
    carry += straddlingPairs(left, right, cut - 1, leftWords.words, rightWords.words, count, shift);
    int used = productColumns(left, right, cut, cut + resultLimbs - 1, carry, limbs);
    // The words of the zero limbs above in one fill.
    std::memset(words, 0,
                sizeof(LongWord) * static_cast<size_t>(std::max(0, count - kLimbWords * used)));
    long_detail::storeLimbsAt(limbs, used, count - 1, words);
}

} // namespace

namespace long_detail {

std::int64_t rowCarrySum(const LongNum& a, const LongNum& b)
{
    return a.wordCount() == kLongWordsAtStart ? droppedCarryTenWords(a, b) : droppedCarry(a, b);
}

void storeLimbsAt(const std::uint64_t* limbs, int limbCount, int lastIndex, LongWord* words)
{
    // The limbs that lie wholly at or below word 0, then the top one's words
    // that do.
    int whole = std::min(limbCount, (lastIndex + 1) / kLimbWords);
    LongWord* start = words + (lastIndex + 1 - kLimbWords);
    for (int m = 0; m < whole; ++m, start -= kLimbWords) {
        if (limbs[m] == 0)
            std::memset(start, 0, sizeof(LongWord) * kLimbWords);
        else
            storeLimbWords(limbs[m], start);
    }
    int kept = lastIndex + 1 - kLimbWords * whole;
    if (whole < limbCount && kept > 0 && limbs[whole] == 0) {
        std::memset(words, 0, sizeof(LongWord) * static_cast<size_t>(kept));
    } else if (whole < limbCount && kept > 0) {
        LongWord top[kLimbWords];
        storeLimbWords(limbs[whole], top);
        std::memcpy(words, top + (kLimbWords - kept), sizeof(LongWord) * static_cast<size_t>(kept));
    }
}

} // namespace long_detail

void LongMul(const LongNum& a, const LongNum& b, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(b);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign() == b.sign() ? kLongPlus : kLongMinus;
    // The start size first, apart from the general case's bookkeeping: its
    // dropped carry is always decided.
    if (a.wordCount() == kLongWordsAtStart && b[0] == 0)
        multiplyTenWords(a, b, droppedCarryTenWords(a, b), out);
    else if (b[0] != 0)
        multiplyByRows(a, b, out);
    else if (long_detail::wordColumnsEnabled())
        long_detail::multiplyByWordColumns(a, b, out);
    else
        multiplyByLimbs(a, b, out);
    out.setSign(sign);
}

} // namespace kestrane
