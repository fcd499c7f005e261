// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_engine.h"
#include "numbers/long_internal.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kestrane::long_engine {

namespace {

constexpr std::uint64_t kChunk = 1000000000000000000ull; // 10^18: six words
constexpr int kChunkWords = 6;

// 10^(-18 chunks) with `fraction` fraction limbs, kept per size.
const Fixed& chunkScale(int chunks, int fraction)
{
    static std::map<std::pair<int, int>, Fixed> cache;
    auto key = std::make_pair(chunks, fraction);
    auto found = cache.find(key);
    if (found == cache.end()) {
        Fixed scale = Fixed::integer(fraction, 1);
        for (int c = 0; c < chunks; ++c)
            scale.divideSmall(kChunk);
        found = cache.emplace(key, scale).first;
    }
    return found->second;
}

// Words (most significant first) with `integerWords` of them before the point.
// The fraction words are read as one integer I of six-word chunks and scaled
// by 10^(-18 chunks), which costs one product instead of a division per chunk.
Fixed fromWords(std::span<const LongWord> words, int integerWords, int fraction)
{
    std::uint64_t integer = 0;
    for (int i = 0; i < integerWords; ++i)
        integer = integer * kLongBase + static_cast<std::uint64_t>(words[static_cast<size_t>(i)]);
    int fractionWords = static_cast<int>(words.size()) - integerWords;
    while (fractionWords > 0 && words[static_cast<size_t>(integerWords + fractionWords - 1)] == 0)
        --fractionWords;
    Fixed result(fraction);
    int chunks = (fractionWords + kChunkWords - 1) / kChunkWords;
    if (chunks > 0) {
        // 1. I in binary limbs, least significant first.
        std::vector<std::uint64_t> digits;
        digits.reserve(static_cast<size_t>(chunks) + 1);
        for (int c = 0; c < chunks; ++c) {
            std::uint64_t chunk = 0;
            for (int w = 0; w < kChunkWords; ++w) {
                int index = integerWords + c * kChunkWords + w;
                LongWord word =
                    index < integerWords + fractionWords ? words[static_cast<size_t>(index)] : 0;
                chunk = chunk * kLongBase + static_cast<std::uint64_t>(word);
            }
            std::uint64_t carry = chunk;
            for (std::uint64_t& limb : digits) {
                Wide t = static_cast<Wide>(limb) * kChunk + carry;
                limb = static_cast<std::uint64_t>(t);
                carry = static_cast<std::uint64_t>(t >> 64);
            }
            if (carry)
                digits.push_back(carry);
        }
        // 2. I * 10^(-18 chunks), with guard limbs enough for I's size.
        int length = static_cast<int>(digits.size());
        int wide = fraction + length + 1;
        const Fixed& scale = chunkScale(chunks, wide);
        std::vector<std::uint64_t> product(static_cast<size_t>(length + wide + 2), 0);
        for (int i = 0; i < length; ++i) {
            std::uint64_t carry = 0;
            for (int j = 0; j <= wide; ++j) {
                Wide t = static_cast<Wide>(digits[static_cast<size_t>(i)]) * scale.limb(j) +
                         product[static_cast<size_t>(i + j)] + carry;
                product[static_cast<size_t>(i + j)] = static_cast<std::uint64_t>(t);
                carry = static_cast<std::uint64_t>(t >> 64);
            }
            product[static_cast<size_t>(i + wide + 1)] = carry;
        }
        for (int k = 0; k < fraction; ++k)
            result.limb(k) = product[static_cast<size_t>(k + wide - fraction)];
    }
    result.limb(result.limbCount() - 1) = integer;
    return result;
}

} // namespace

Fixed toFixed(const LongNum& a, int fraction)
{
    std::span<const LongWord> words = a.words().first(static_cast<size_t>(a.wordCount()));
    Fixed result = fromWords(words, longIntegerWords(), fraction);
    if (a.isNegative())
        result.negate();
    return result;
}

Scaled toScaled(const LongNum& a, int fraction)
{
    Scaled scaled;
    int first = long_detail::firstNonzero(a);
    if (first == a.wordCount()) {
        scaled.mantissa = Fixed(fraction);
        return scaled;
    }
    std::span<const LongWord> words =
        a.words().subspan(static_cast<size_t>(first), static_cast<size_t>(a.wordCount() - first));
    scaled.mantissa = fromWords(words, 1, fraction);
    scaled.exponent = longIntegerWords() - 1 - first;
    if (a.isNegative())
        scaled.mantissa.negate();
    return scaled;
}

bool toLong(const Fixed& value, int binaryExponent, int wordShift, LongNum& out, double* leftover)
{
    int count = out.wordCount();
    int half = longIntegerWords();
    Fixed magnitude = value.isNegative() ? -value : value;
    // 1. The magnitude as an unsigned integer with `pointBits` bits below the point.
    std::vector<std::uint64_t> bits(static_cast<size_t>(magnitude.limbCount()));
    for (int k = 0; k < magnitude.limbCount(); ++k)
        bits[static_cast<size_t>(k)] = magnitude.limb(k);
    int pointBits = 64 * magnitude.fraction() - binaryExponent;
    if (pointBits < 0) {
        int limbs = (-pointBits + 63) / 64;
        bits.insert(bits.begin(), static_cast<size_t>(limbs), 0);
        pointBits += 64 * limbs;
    }
    // 2. Split into integer limbs and fraction limbs, the fraction left-aligned.
    int pointLimb = pointBits / 64;
    int pointShift = pointBits % 64;
    std::vector<std::uint64_t> integer;
    for (size_t k = static_cast<size_t>(pointLimb); k < bits.size(); ++k) {
        std::uint64_t low = bits[k] >> pointShift;
        std::uint64_t high =
            pointShift && k + 1 < bits.size() ? bits[k + 1] << (64 - pointShift) : 0;
        integer.push_back(low | high);
    }
    std::vector<std::uint64_t> fractionBits(static_cast<size_t>(pointLimb) + 1, 0);
    for (size_t k = 0; k < fractionBits.size() && k < bits.size(); ++k)
        fractionBits[k] = bits[k];
    if (pointShift == 0) {
        fractionBits.pop_back();
    } else {
        fractionBits.back() &= (1ull << pointShift) - 1;
        int shift = 64 - pointShift;
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : fractionBits) {
            std::uint64_t next = limb >> (64 - shift);
            limb = (limb << shift) | carry;
            carry = next;
        }
    }
    // 3. Integer limbs to words, six at a time from the units word up.
    long_detail::clearDigits(out, value.isNegative() ? kLongMinus : kLongPlus);
    bool fits = true;
    auto store = [&](int index, LongWord word) {
        if (index < 0)
            fits = fits && word == 0;
        else if (index < count)
            out[index] = word;
    };
    int units = half - 1 - wordShift;
    int word = units;
    while (std::any_of(integer.begin(), integer.end(), [](std::uint64_t l) { return l != 0; })) {
        Wide remainder = 0;
        for (size_t k = integer.size(); k-- > 0;) {
            Wide current = (remainder << 64) | integer[k];
            integer[k] = static_cast<std::uint64_t>(current / kChunk);
            remainder = current % kChunk;
        }
        auto chunk = static_cast<std::uint64_t>(remainder);
        for (int w = 0; w < kChunkWords; ++w, --word) {
            store(word, static_cast<LongWord>(chunk % kLongBase));
            chunk /= kLongBase;
        }
    }
    // 4. Fraction limbs to words: each multiplication by 10^18 lifts six words.
    //    The part below the last word, in units of it, is the leftover.
    if (leftover)
        *leftover = units >= count ? -1.0 : 0.0;
    for (int next = units + 1; next < count && !fractionBits.empty(); next += kChunkWords) {
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : fractionBits) {
            Wide product = static_cast<Wide>(limb) * kChunk + carry;
            limb = static_cast<std::uint64_t>(product);
            carry = static_cast<std::uint64_t>(product >> 64);
        }
        double below = static_cast<double>(fractionBits.back()) / 18446744073709551616.0;
        for (int w = kChunkWords - 1; w >= 0; --w) {
            auto word = static_cast<LongWord>(carry % kLongBase);
            store(next + w, word);
            if (next + w >= count)
                below = (below + word) / kLongBase;
            carry /= kLongBase;
        }
        if (leftover && next + kChunkWords >= count)
            *leftover = below;
    }
    return fits;
}

} // namespace kestrane::long_engine
