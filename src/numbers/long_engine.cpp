// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_engine.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace kestrane::long_engine {

namespace {

constexpr double kTwo64 = 18446744073709551616.0;

// |a| * |b| with the limbs below the last fraction limb dropped; the product of
// two N-limb numbers keeps limbs F .. 2F of the full product. Column by column
// into a three-limb accumulator, so that the products do not wait on a carry
// chain; column F - 1 only feeds its carry (an error of at most N units of the
// last limb).
Fixed multiplyMagnitudes(const Fixed& a, const Fixed& b)
{
    int count = a.limbCount();
    int fraction = a.fraction();
    Fixed result(fraction);
    const std::uint64_t* left = &a.limb(0);
    const std::uint64_t* right = &b.limb(0);
    // Zero limbs at either end (values of lower precision, small values) are
    // skipped.
    auto lowest = [count](const std::uint64_t* limbs) {
        int index = 0;
        while (index < count - 1 && limbs[index] == 0)
            ++index;
        return index;
    };
    auto highest = [count](const std::uint64_t* limbs) {
        int index = count - 1;
        while (index > 0 && limbs[index] == 0)
            --index;
        return index;
    };
    int leftLow = lowest(left);
    int leftHigh = highest(left);
    int rightLow = lowest(right);
    int rightHigh = highest(right);
    Wide low = 0;
    std::uint64_t top = 0;
    int firstColumn = std::max({0, fraction - 1, leftLow + rightLow});
    int lastColumn = std::min(fraction + count - 1, leftHigh + rightHigh + 1);
    for (int column = firstColumn; column <= lastColumn; ++column) {
        int first = std::max(leftLow, column - rightHigh);
        int last = std::min(leftHigh, column - rightLow);
        if (first > last) {
            // No products in this column, only the carry.
        } else if (left == right) {
            // A square: each product off the diagonal twice.
            Wide pairs = 0;
            std::uint64_t pairsTop = 0;
            int i = first;
            for (; i < column - i; ++i) {
                Wide product = static_cast<Wide>(left[i]) * right[column - i];
                pairs += product;
                pairsTop += pairs < product ? 1 : 0;
            }
            pairsTop = (pairsTop << 1) | static_cast<std::uint64_t>(pairs >> 127);
            pairs <<= 1;
            low += pairs;
            top += pairsTop + (low < pairs ? 1 : 0);
            if (i == column - i && i >= first && i <= last) {
                Wide product = static_cast<Wide>(left[i]) * left[i];
                low += product;
                top += low < product ? 1 : 0;
            }
        } else {
            for (int i = first; i <= last; ++i) {
                Wide product = static_cast<Wide>(left[i]) * right[column - i];
                low += product;
                top += low < product ? 1 : 0;
            }
        }
        if (column >= fraction)
            result.limb(column - fraction) = static_cast<std::uint64_t>(low);
        low = (low >> 64) | (static_cast<Wide>(top) << 64);
        top = 0;
    }
    return result;
}

// Precisions from coarse to fine, each about twice the one before, ending at
// `fraction`, for Newton iterations that double their correct bits.
std::vector<int> doublingPrecisions(int fraction)
{
    // Each step needs the one before correct to half its bits and a limb more.
    std::vector<int> steps;
    int f = fraction;
    for (; f > 2; f = f / 2 + 1)
        steps.push_back(f);
    if (fraction >= 2)
        steps.push_back(2);
    steps.push_back(1);
    std::reverse(steps.begin(), steps.end());
    return steps;
}

// Number of significant bits above the binary point minus one (the exponent of
// the leading bit); the value must be positive.
int leadingBitExponent(const Fixed& a)
{
    for (int k = a.limbCount() - 1; k >= 0; --k) {
        if (a.limb(k) != 0)
            return (k - a.fraction()) * 64 + 63 - __builtin_clzll(a.limb(k));
    }
    return -64 * a.fraction() - 1;
}

} // namespace

int leadingBit(const Fixed& a)
{
    return leadingBitExponent(a);
}

Fixed Fixed::integer(int fraction, std::int64_t value)
{
    Fixed result(fraction);
    result.m_limbs.back() = static_cast<std::uint64_t>(value);
    return result;
}

Fixed Fixed::fromDouble(int fraction, double value)
{
    Fixed result(fraction);
    double whole = std::floor(value);
    result.m_limbs.back() = static_cast<std::uint64_t>(static_cast<std::int64_t>(whole));
    if (fraction > 0)
        result.limb(fraction - 1) = static_cast<std::uint64_t>((value - whole) * kTwo64);
    return result;
}

bool Fixed::isZero() const
{
    return std::all_of(m_limbs.begin(), m_limbs.end(), [](std::uint64_t l) { return l == 0; });
}

double Fixed::toDouble() const
{
    if (isNegative()) {
        Fixed magnitude = -*this;
        // -2^63 is its own negation.
        if (magnitude.isNegative())
            return -9223372036854775808.0;
        return -magnitude.toDouble();
    }
    double value = static_cast<double>(m_limbs.back());
    double scale = 1.0 / kTwo64;
    for (int k = fraction() - 1; k >= 0 && k >= fraction() - 2; --k, scale /= kTwo64)
        value += static_cast<double>(limb(k)) * scale;
    return value;
}

Fixed Fixed::withFraction(int newFraction) const
{
    Fixed result(newFraction);
    for (int k = 0; k < result.limbCount(); ++k) {
        int source = k - newFraction + fraction();
        if (source >= 0)
            result.limb(k) = limb(source);
    }
    return result;
}

void Fixed::negate()
{
    std::uint64_t carry = 1;
    for (std::uint64_t& l : m_limbs) {
        l = ~l + carry;
        carry = carry && l == 0 ? 1 : 0;
    }
}

Fixed Fixed::operator-() const
{
    Fixed result = *this;
    result.negate();
    return result;
}

Fixed& Fixed::operator+=(const Fixed& other)
{
    std::uint64_t carry = 0;
    for (int k = 0; k < limbCount(); ++k) {
        Wide t = static_cast<Wide>(limb(k)) + other.limb(k) + carry;
        limb(k) = static_cast<std::uint64_t>(t);
        carry = static_cast<std::uint64_t>(t >> 64);
    }
    return *this;
}

Fixed& Fixed::operator-=(const Fixed& other)
{
    std::uint64_t borrow = 0;
    for (int k = 0; k < limbCount(); ++k) {
        std::uint64_t subtrahend = other.limb(k);
        std::uint64_t value = limb(k);
        std::uint64_t difference = value - subtrahend - borrow;
        borrow = (value < subtrahend || (value == subtrahend && borrow)) ? 1 : 0;
        limb(k) = difference;
    }
    return *this;
}

Fixed operator*(const Fixed& a, const Fixed& b)
{
    if (&a == &b) {
        if (!a.isNegative())
            return multiplyMagnitudes(a, a);
        Fixed magnitude = -a;
        return multiplyMagnitudes(magnitude, magnitude);
    }
    // Only negative factors are copied to take their magnitudes.
    Fixed result;
    if (a.isNegative() && b.isNegative())
        result = multiplyMagnitudes(-a, -b);
    else if (a.isNegative())
        result = multiplyMagnitudes(-a, b);
    else if (b.isNegative())
        result = multiplyMagnitudes(a, -b);
    else
        result = multiplyMagnitudes(a, b);
    if (a.isNegative() != b.isNegative())
        result.negate();
    return result;
}

Fixed& Fixed::multiplySmall(std::uint64_t factor)
{
    bool negative = isNegative();
    if (negative)
        negate();
    std::uint64_t carry = 0;
    for (std::uint64_t& l : m_limbs) {
        Wide t = static_cast<Wide>(l) * factor + carry;
        l = static_cast<std::uint64_t>(t);
        carry = static_cast<std::uint64_t>(t >> 64);
    }
    if (negative)
        negate();
    return *this;
}

namespace {

// Division of a two-limb number by a normalised limb with a precomputed
// reciprocal (Moller and Granlund), several times faster than a hardware
// 128/64 division.
struct Reciprocal {
    std::uint64_t divisor = 0; // shifted so that its top bit is set
    std::uint64_t inverse = 0; // floor((2^128 - 1) / divisor) - 2^64
    int shift = 0;

    explicit Reciprocal(std::uint64_t value)
    {
        shift = __builtin_clzll(value);
        divisor = value << shift;
        Wide numerator = (static_cast<Wide>(~divisor) << 64) | ~0ull;
        inverse = static_cast<std::uint64_t>(numerator / divisor);
    }

    // (high, low) / divisor for high < divisor; returns the quotient.
    std::uint64_t divide(std::uint64_t high, std::uint64_t low, std::uint64_t& remainder) const
    {
        Wide product = static_cast<Wide>(inverse) * high;
        product += (static_cast<Wide>(high) << 64) | low;
        std::uint64_t quotient = static_cast<std::uint64_t>(product >> 64) + 1;
        std::uint64_t rest = low - quotient * divisor;
        if (rest > static_cast<std::uint64_t>(product)) {
            --quotient;
            rest += divisor;
        }
        if (rest >= divisor) {
            ++quotient;
            rest -= divisor;
        }
        remainder = rest;
        return quotient;
    }
};

} // namespace

Fixed& Fixed::divideSmall(std::uint64_t divisor)
{
    bool negative = isNegative();
    if (negative)
        negate();
    Reciprocal reciprocal(divisor);
    int shift = reciprocal.shift;
    int count = limbCount();
    std::uint64_t remainder = shift ? limb(count - 1) >> (64 - shift) : 0;
    for (int k = count - 1; k >= 0; --k) {
        std::uint64_t low = limb(k) << shift;
        if (shift && k > 0)
            low |= limb(k - 1) >> (64 - shift);
        limb(k) = reciprocal.divide(remainder, low, remainder);
    }
    if (negative)
        negate();
    return *this;
}

Fixed& Fixed::shiftRight(int bits)
{
    bool negative = isNegative();
    int limbShift = bits / 64;
    int bitShift = bits % 64;
    int count = limbCount();
    std::uint64_t fill = negative ? ~0ull : 0;
    for (int k = 0; k < count; ++k) {
        int source = k + limbShift;
        std::uint64_t low = source < count ? limb(source) : fill;
        std::uint64_t high = source + 1 < count ? limb(source + 1) : fill;
        limb(k) = bitShift == 0 ? low : (low >> bitShift) | (high << (64 - bitShift));
    }
    return *this;
}

Fixed& Fixed::shiftLeft(int bits)
{
    int limbShift = bits / 64;
    int bitShift = bits % 64;
    for (int k = limbCount() - 1; k >= 0; --k) {
        int source = k - limbShift;
        std::uint64_t high = source >= 0 ? limb(source) : 0;
        std::uint64_t low = source - 1 >= 0 ? limb(source - 1) : 0;
        limb(k) = bitShift == 0 ? high : (high << bitShift) | (low >> (64 - bitShift));
    }
    return *this;
}

bool operator<(const Fixed& a, const Fixed& b)
{
    Fixed difference = a - b;
    return difference.isNegative();
}

Fixed operator/(const Fixed& a, const Fixed& b)
{
    // 1/b by Newton's iteration y += y (1 - b y) on b scaled into [0.5, 1).
    bool negative = b.isNegative();
    Fixed divisor = negative ? -b : b;
    int exponent = leadingBitExponent(divisor) + 1;
    if (exponent > 0)
        divisor.shiftRight(exponent);
    else
        divisor.shiftLeft(-exponent);
    int fraction = a.fraction();
    Fixed reciprocal = Fixed::fromDouble(1, 1.0 / divisor.toDouble());
    for (int f : doublingPrecisions(fraction + 1)) {
        reciprocal = reciprocal.withFraction(f);
        Fixed scaledDivisor = divisor.withFraction(f);
        Fixed error = Fixed::integer(f, 1) - scaledDivisor * reciprocal;
        reciprocal += reciprocal * error;
    }
    Fixed result = a.withFraction(fraction + 1) * reciprocal;
    if (exponent > 0)
        result.shiftRight(exponent);
    else
        result.shiftLeft(-exponent);
    if (negative)
        result.negate();
    return result.withFraction(fraction);
}

Fixed squareRoot(const Fixed& a)
{
    if (a.isZero() || a.isNegative())
        return Fixed(a.fraction());
    // 1/sqrt(a') by Newton's iteration on a' = a 4^-e in [0.25, 1).
    int lead = leadingBitExponent(a) + 2;
    int exponent = lead >= 0 ? lead / 2 : -((-lead + 1) / 2);
    Fixed scaled = a;
    if (exponent > 0)
        scaled.shiftRight(2 * exponent);
    else
        scaled.shiftLeft(-2 * exponent);
    int fraction = a.fraction();
    Fixed inverse = Fixed::fromDouble(1, 1.0 / std::sqrt(scaled.toDouble()));
    // The inverse needs half the bits: the last step below doubles them.
    for (int f : doublingPrecisions(fraction / 2 + 2)) {
        inverse = inverse.withFraction(f);
        Fixed value = scaled.withFraction(f);
        Fixed error = Fixed::integer(f, 1) - value * inverse * inverse;
        error.shiftRight(1);
        inverse += inverse * error;
    }
    // r = a y to half the bits, then r += y (a - r^2) / 2 at full precision.
    int half = fraction / 2 + 2;
    Fixed root = scaled.withFraction(half) * inverse;
    Fixed value = scaled.withFraction(fraction + 1);
    Fixed wide = root.withFraction(fraction + 1);
    Fixed correction = (value - wide * wide) * inverse.withFraction(fraction + 1);
    correction.shiftRight(1);
    root = wide + correction;
    if (exponent > 0)
        root.shiftLeft(exponent);
    else
        root.shiftRight(-exponent);
    return root.withFraction(fraction);
}

int fractionLimbs(int extraBits)
{
    int bits = static_cast<int>(std::ceil(longWords() * 3 * 3.3219280948873623)) + 64 + extraBits;
    return (bits + 63) / 64;
}

int resultFractionLimbs(int integerBits)
{
    int fractionWords = longWords() - longIntegerWords();
    int bits = static_cast<int>(std::ceil(fractionWords * 3 * 3.3219280948873623)) +
               std::max(0, integerBits) + 64;
    return std::min((bits + 63) / 64, fractionLimbs());
}

namespace {

// arctan(1/n) by its series, at `fraction` limbs.
Fixed arctanInverse(int fraction, std::uint64_t n)
{
    Fixed sum(fraction);
    Fixed power = Fixed::integer(fraction, 1);
    power.divideSmall(n);
    std::uint64_t squared = n * n;
    for (std::uint64_t k = 0; !power.isZero(); ++k) {
        Fixed term = power;
        term.divideSmall(2 * k + 1);
        if (k % 2 == 0)
            sum += term;
        else
            sum -= term;
        power.divideSmall(squared);
    }
    return sum;
}

} // namespace

const Fixed& pi(int fraction)
{
    static std::map<int, Fixed> cache;
    auto found = cache.find(fraction);
    if (found != cache.end())
        return found->second;
    Fixed first = arctanInverse(fraction + 1, 5);
    first.multiplySmall(16);
    Fixed second = arctanInverse(fraction + 1, 239);
    second.multiplySmall(4);
    return cache.emplace(fraction, (first - second).withFraction(fraction)).first->second;
}

const Fixed& lnTwo(int fraction)
{
    static std::map<int, Fixed> cache;
    auto found = cache.find(fraction);
    if (found != cache.end())
        return found->second;
    // ln 2 = 2 artanh(1/3) = 2 sum 1 / ((2k + 1) 3^(2k+1)).
    Fixed sum(fraction + 1);
    Fixed power = Fixed::integer(fraction + 1, 2);
    power.divideSmall(3);
    for (std::uint64_t k = 0; !power.isZero(); ++k) {
        Fixed term = power;
        term.divideSmall(2 * k + 1);
        sum += term;
        power.divideSmall(9);
    }
    return cache.emplace(fraction, sum.withFraction(fraction)).first->second;
}

namespace {

// (first + 1) (first + 2) ... last, or 0 when it does not fit a limb.
std::uint64_t factorProduct(std::uint64_t first, std::uint64_t last)
{
    std::uint64_t product = 1;
    for (std::uint64_t factor = first + 1; factor <= last; ++factor) {
        if (product > UINT64_MAX / factor)
            return 0;
        product *= factor;
    }
    return product;
}

// The width of the blocks of a series summed in blocks over a common
// denominator: about the square root of the terms, for the fewest full
// products, narrower while the last block's denominator (product(first, last)
// of its terms' factors, 0 when too large) does not fit a limb.
std::uint64_t blockWidth(std::uint64_t terms,
                         std::uint64_t (*product)(std::uint64_t first, std::uint64_t last))
{
    auto width = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(terms)));
    auto blocksOf = [terms](std::uint64_t w) { return (terms + w - 1) / w; };
    while (width > 1 && product((blocksOf(width) - 1) * width, blocksOf(width) * width) == 0)
        --width;
    return std::max<std::uint64_t>(width, 1);
}

// The terms r^k / k! that reach the last bit of r's fraction limbs (and one
// more), from |r| < 2^(b + 1) for its leading bit b; at least the first.
int exponentialTerms(const Fixed& r)
{
    double logR = leadingBitExponent(r.isNegative() ? -r : r) + 1;
    double limit = -64.0 * r.fraction() - 1;
    int terms = 1;
    for (double size = logR; size >= limit;) {
        ++terms;
        size += logR - std::log2(static_cast<double>(terms));
    }
    return terms;
}

// e^r - 1 = r + r^2/2! + ... for a small r, by rectangular splitting: the
// powers r .. r^j once, then the blocks of j terms from the last. With
// D = (s + 1) ... (s + j) for the block after s terms, the sum from it on is
// (S r^j + the sum of r^i (s + i + 1) ... (s + j)) / D, S the sum from the
// next block on: about 2 sqrt(n) full products for n terms instead of n, the
// powers only multiplied by small factors, one division a block. (The terms
// of a sine's tinier square shrink fast enough to be summed one by one.)
Fixed exponentialSeries(const Fixed& r)
{
    Fixed sum(r.fraction());
    if (r.isZero())
        return sum;
    auto terms = static_cast<std::uint64_t>(exponentialTerms(r));
    std::uint64_t width = blockWidth(terms, factorProduct);
    std::uint64_t blocks = (terms + width - 1) / width;
    std::vector<Fixed> powers;
    powers.reserve(static_cast<size_t>(width));
    powers.push_back(r);
    for (std::uint64_t i = 1; i < width; ++i)
        powers.push_back(powers.back() * r);
    for (std::uint64_t b = blocks; b-- > 0;) {
        std::uint64_t start = b * width;
        Fixed total = b + 1 < blocks ? sum * powers.back() : Fixed(r.fraction());
        std::uint64_t factor = 1; // (start + i + 1) ... (start + j)
        for (std::uint64_t i = width; i >= 1; --i) {
            Fixed term = powers[static_cast<size_t>(i - 1)];
            term.multiplySmall(factor);
            total += term;
            factor *= start + i;
        }
        // factor is now D.
        total.divideSmall(factor);
        sum = std::move(total);
    }
    return sum;
}

} // namespace

Fixed exponential(const Fixed& x, int& binaryExponent)
{
    int fraction = x.fraction();
    // 1. x = k ln 2 + r with |r| <= ln 2 / 2.
    double ratio = x.toDouble() / 0.6931471805599453;
    auto k = static_cast<std::int64_t>(std::llround(ratio));
    binaryExponent = static_cast<int>(k);
    // 2. r / 2^m, so that the series is short; m squarings undo it and cost
    //    m bits, which one more limb covers.
    int m = static_cast<int>(std::sqrt(64.0 * fraction)) / 2 + 2;
    int work = fraction + 1 + (m > 48 ? 1 : 0);
    Fixed logTwo = lnTwo(work + 1).withFraction(work);
    Fixed kLogTwo = logTwo;
    kLogTwo.multiplySmall(static_cast<std::uint64_t>(k < 0 ? -k : k));
    if (k < 0)
        kLogTwo.negate();
    Fixed r = x.withFraction(work) - kLogTwo;
    r.shiftRight(m);
    // 3. e^r - 1 by its series.
    Fixed sum = exponentialSeries(r);
    // 4. (1 + E)^2 - 1 = 2E + E^2, m times, E^2 a square (half a product).
    for (int i = 0; i < m; ++i) {
        Fixed square = sum * sum;
        sum.shiftLeft(1);
        sum += square;
    }
    sum += Fixed::integer(work, 1);
    return sum.withFraction(fraction);
}

namespace {

// The odd power series' signs: all plus (artanh) or alternating (arctan).
enum class Signs { Same, Alternating };

// The product of the odd numbers 2 first + 1 .. 2 last - 1, or 0 when it
// exceeds 2^62 (a block's sum must stay inside the signed integer limb).
std::uint64_t oddProduct(std::uint64_t first, std::uint64_t last)
{
    std::uint64_t product = 1;
    for (std::uint64_t n = first; n < last; ++n) {
        std::uint64_t odd = 2 * n + 1;
        if (product > (std::uint64_t{1} << 62) / odd)
            return 0;
        product *= odd;
    }
    return product;
}

// u + u^3/3 + u^5/5 + ... for |u| < 1/2 (signs alternating when asked) as
// u times the sum of (+-1)^n s^n / (2n + 1) over s = u^2, by Paterson and
// Stockmeyer's blocks: the powers s .. s^j once, each block of j terms over
// the common denominator D of its odd divisors (small multiples of the powers,
// one division a block), and Horner's rule in s^j from the last block. About
// 2 sqrt(n) full products for n terms instead of n.
Fixed oddPowerSeries(const Fixed& u, Signs signs)
{
    int fraction = u.fraction();
    if (u.isZero())
        return u;
    // |u| < 2^-e: the term of s^n is below 2^-(e (2n + 1)), and the terms
    // that reach the last bit are counted.
    Fixed magnitude = u.isNegative() ? -u : u;
    int e = std::max(1, -(leadingBitExponent(magnitude) + 1));
    auto terms = static_cast<std::uint64_t>((64 * fraction + 2) / e / 2 + 1);
    std::uint64_t width = blockWidth(terms, oddProduct);
    std::uint64_t blocks = (terms + width - 1) / width;
    std::vector<Fixed> powers; // s^1 .. s^width, the even ones as squares
    powers.reserve(static_cast<size_t>(width));
    powers.push_back(magnitude * magnitude);
    for (std::uint64_t p = 2; p <= width; ++p) {
        const Fixed& half = powers[static_cast<size_t>(p / 2 - 1)];
        powers.push_back(p % 2 == 0 ? half * half : powers.back() * powers.front());
    }
    Fixed sum(fraction);
    for (std::uint64_t b = blocks; b-- > 0;) {
        std::uint64_t start = b * width;
        std::uint64_t denominator = oddProduct(start, start + width);
        Fixed block(fraction);
        for (std::uint64_t i = 0; i < width; ++i) {
            Fixed term = i == 0 ? Fixed::integer(fraction, 1) : powers[static_cast<size_t>(i - 1)];
            term.multiplySmall(denominator / (2 * (start + i) + 1));
            if (signs == Signs::Alternating && (start + i) % 2 == 1)
                block -= term;
            else
                block += term;
        }
        block.divideSmall(denominator);
        sum = b + 1 < blocks ? sum * powers.back() + block : std::move(block);
    }
    return u * sum;
}

} // namespace

Fixed logarithm(const Fixed& x)
{
    int fraction = x.fraction();
    int work = fraction + 1;
    // 1. x = x' 2^t with x' in [1, 2): ln x = ln x' + t ln 2.
    int t = leadingBitExponent(x);
    Fixed scaled = x.withFraction(work);
    if (t > 0)
        scaled.shiftRight(t);
    else
        scaled.shiftLeft(-t);
    // 2. y0 near ln x' from the floating-point logarithm; z = x' e^-y0 is then
    //    within 2^-50 of 1 and ln z = 2 artanh((z - 1) / (z + 1)) converges fast.
    Fixed y0 = Fixed::fromDouble(work, std::log(scaled.toDouble()));
    int exponent = 0;
    Fixed z = scaled * exponential(-y0, exponent);
    if (exponent > 0)
        z.shiftLeft(exponent);
    else
        z.shiftRight(-exponent);
    Fixed one = Fixed::integer(work, 1);
    Fixed series = oddPowerSeries((z - one) / (z + one), Signs::Same);
    series.shiftLeft(1);
    Fixed logTwo = lnTwo(fraction + 2).withFraction(work);
    logTwo.multiplySmall(static_cast<std::uint64_t>(t < 0 ? -t : t));
    if (t < 0)
        logTwo.negate();
    return (y0 + series + logTwo).withFraction(fraction);
}

namespace {

// How sineCosine doubles its angle: by products, or by squares at half their
// cost. The two differ in the last bits, and the sine and tangent of a tiny
// argument lie as near a word boundary as those bits (the sine comes from
// sqrt(c (2 - c)), which loses half of c's relative precision): sine,
// cosine, tangent and cotangent keep the products, and with them their last
// words.
enum class Doubling { Products, Squares };

void sineCosine(const Fixed& x, Fixed& sine, Fixed& cosine, Doubling doubling)
{
    int fraction = x.fraction();
    int m = static_cast<int>(std::sqrt(64.0 * fraction)) / 2 + 2;
    int work = fraction + 1 + (m > 48 ? 1 : 0);
    Fixed r = x.withFraction(work);
    bool negative = r.isNegative();
    if (negative)
        r.negate();
    r.shiftRight(m);
    // 1. c = 1 - cos r = r^2/2! - r^4/4! + ...
    Fixed rSquared = r * r;
    Fixed sum(work);
    Fixed term = rSquared;
    term.divideSmall(2);
    for (std::uint64_t n = 1; !term.isZero(); ++n) {
        if (n % 2 == 1)
            sum += term;
        else
            sum -= term;
        term = term * rSquared;
        term.divideSmall((2 * n + 1) * (2 * n + 2));
    }
    // 2. 1 - cos 2r = 2c (2 - c) = 4c - 2c^2, m times.
    Fixed two = Fixed::integer(work, 2);
    auto twiceMinusSquare = [&]() -> Fixed {
        if (doubling == Doubling::Products)
            return sum * (two - sum);
        Fixed square = sum * sum;
        Fixed value = sum;
        value.shiftLeft(1);
        return value - square;
    };
    for (int i = 0; i < m; ++i) {
        sum = twiceMinusSquare();
        sum.shiftLeft(1);
    }
    cosine = (Fixed::integer(work, 1) - sum).withFraction(fraction);
    // 3. |sin x| = sqrt(c (2 - c)); its sign is x's for |x| <= pi.
    sine = squareRoot(twiceMinusSquare()).withFraction(fraction);
    if (negative)
        sine.negate();
}

} // namespace

void sineCosine(const Fixed& x, Fixed& sine, Fixed& cosine)
{
    sineCosine(x, sine, cosine, Doubling::Products);
}

Fixed arctangent(const Fixed& x)
{
    int fraction = x.fraction();
    int work = fraction + 1;
    Fixed value = x.withFraction(work);
    bool negative = value.isNegative();
    if (negative)
        value.negate();
    Fixed one = Fixed::integer(work, 1);
    bool inverted = one < value;
    if (inverted)
        value = one / value;
    // y0 near arctan x from the floating-point arctangent; then
    // arctan x = y0 + arctan((x cos y0 - sin y0) / (cos y0 + x sin y0)), whose
    // argument is below 2^-50.
    Fixed y0 = Fixed::fromDouble(work, std::atan(value.toDouble()));
    Fixed sine;
    Fixed cosine;
    sineCosine(y0, sine, cosine, Doubling::Squares);
    Fixed delta = (value * cosine - sine) / (cosine + value * sine);
    Fixed y = y0 + oddPowerSeries(delta, Signs::Alternating);
    if (inverted) {
        Fixed halfPi = pi(work + 1).withFraction(work);
        halfPi.shiftRight(1);
        y = halfPi - y;
    }
    if (negative)
        y.negate();
    return y.withFraction(fraction);
}

} // namespace kestrane::long_engine
