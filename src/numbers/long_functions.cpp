// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_engine.h"
#include "numbers/long_internal.h"
#include "platform/translation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace kestrane {

using long_engine::Fixed;

namespace {

// Below this, a function's value may come nearer a word boundary than the
// guard bits of its result's precision resolve (its series' first terms are
// exact in decimal); such arguments are worked at full precision.
constexpr double kSmallArgument = 0x1p-40;
// The sine loses log2(1/r) bits of its 32 spare ones for a reduced argument r.
constexpr double kSmallSine = 0x1p-24;

// Arguments of at least 1000^4 (their first nonzero word above this index)
// do not fit the engine's integer limb directly.
bool isHuge(const LongNum& a)
{
    return long_detail::firstNonzero(a) < longIntegerWords() - 4;
}

const Fixed& lnThousand(int fraction)
{
    static std::map<int, Fixed> cache;
    auto found = cache.find(fraction);
    if (found == cache.end())
        found =
            cache.emplace(fraction, long_engine::logarithm(Fixed::integer(fraction, 1000))).first;
    return found->second;
}

// 2/pi with `fraction` fraction limbs.
const Fixed& twoOverPi(int fraction)
{
    static std::map<int, Fixed> cache;
    auto found = cache.find(fraction);
    if (found == cache.end())
        found =
            cache.emplace(fraction, Fixed::integer(fraction, 2) / long_engine::pi(fraction)).first;
    return found->second;
}

Fixed halfPi(int fraction)
{
    Fixed value = long_engine::pi(fraction);
    value.shiftRight(1);
    return value;
}

void store(const Fixed& value, LongNum& out)
{
    long_engine::toLong(value, 0, 0, out);
}

// Odd functions give a zero result the argument's sign, as their series did
// ("the result takes x's sign"); arg(-4 + 0i) depends on it. The sign is taken
// before the result is stored, which may be the argument itself.
void keepSignOfZero(LongWord argumentSign, LongNum& out)
{
    if (LongIsZero(out))
        out.setSign(argumentSign == kLongMinus ? kLongMinus : kLongPlus);
}

// ln|a| for a nonzero a.
Fixed logarithmOf(const LongNum& a, int fraction)
{
    long_engine::Scaled scaled = long_engine::toScaled(a, fraction);
    if (scaled.mantissa.isNegative())
        scaled.mantissa.negate();
    Fixed result = long_engine::logarithm(scaled.mantissa);
    Fixed exponentPart = lnThousand(fraction);
    exponentPart.multiplySmall(static_cast<std::uint64_t>(std::abs(scaled.exponent)));
    if (scaled.exponent < 0)
        exponentPart.negate();
    return result + exponentPart;
}

// x = q pi/2 + r with r in [0, pi/2), for huge |x|: x times 2/pi modulo 4 from
// the integer words' limbs, each against the window of 2/pi's bits that
// matters after its place value (the higher bits only add multiples of 4).
struct Reduced {
    Fixed remainder;
    int quadrant = 0;
};

Reduced reduceHuge(const LongNum& a, int fraction)
{
    int half = longIntegerWords();
    // 1. The integer part as binary limbs.
    std::vector<std::uint64_t> integer(1, 0);
    for (int i = 0; i < half; ++i) {
        std::uint64_t carry = static_cast<std::uint64_t>(a[i]);
        for (std::uint64_t& limb : integer) {
            long_engine::Wide t = static_cast<long_engine::Wide>(limb) * kLongBase + carry;
            limb = static_cast<std::uint64_t>(t);
            carry = static_cast<std::uint64_t>(t >> 64);
        }
        if (carry)
            integer.push_back(carry);
    }
    int limbs = static_cast<int>(integer.size());
    int wide = fraction + limbs + 2;
    const Fixed& c = twoOverPi(wide);
    // 2. y = sum integer_j * ((2^(64 j) * 2/pi) mod 4) + fraction(x) * 2/pi.
    LongNum fractionPart = a;
    for (int i = 0; i < half; ++i)
        fractionPart[i] = 0;
    fractionPart.setSign(kLongPlus);
    Fixed y = long_engine::toFixed(fractionPart, fraction + 1) * c.withFraction(fraction + 1);
    for (int j = 0; j < limbs; ++j) {
        Fixed window(fraction + 1);
        for (int k = 0; k < fraction + 1; ++k)
            window.limb(k) = c.limb(wide - j - (fraction + 1) + k);
        window.limb(fraction + 1) = j == 0 ? c.limb(wide) : c.limb(wide - j) & 3;
        window.limb(fraction + 1) &= 3;
        window.multiplySmall(integer[static_cast<size_t>(j)]);
        window.limb(fraction + 1) &= 3;
        y += window;
        y.limb(fraction + 1) &= 3;
    }
    Reduced reduced;
    reduced.quadrant = static_cast<int>(y.limb(fraction + 1) & 3);
    y.limb(fraction + 1) = 0;
    reduced.remainder = (y * halfPi(fraction + 1)).withFraction(fraction);
    return reduced;
}

Reduced reduce(const LongNum& a, int fraction)
{
    if (isHuge(a)) {
        Reduced reduced = reduceHuge(a, fraction);
        if (a.isNegative()) {
            reduced.remainder.negate();
            reduced.quadrant = (4 - reduced.quadrant) % 4;
        }
        return reduced;
    }
    Fixed x = long_engine::toFixed(a, fraction + 1);
    auto quotient = static_cast<std::int64_t>(std::llround(x.toDouble() / 1.5707963267948966));
    Fixed multiple = halfPi(fraction + 1);
    multiple.multiplySmall(static_cast<std::uint64_t>(std::abs(quotient)));
    if (quotient < 0)
        multiple.negate();
    Reduced reduced;
    reduced.remainder = (x - multiple).withFraction(fraction);
    reduced.quadrant = static_cast<int>(((quotient % 4) + 4) % 4);
    return reduced;
}

void sineAndCosineOfReduced(const Reduced& reduced, Fixed& sine, Fixed& cosine)
{
    Fixed s;
    Fixed c;
    long_engine::sineCosine(reduced.remainder, s, c);
    switch (reduced.quadrant) {
    case 0:
        sine = s;
        cosine = c;
        break;
    case 1:
        sine = c;
        cosine = -s;
        break;
    case 2:
        sine = -s;
        cosine = -c;
        break;
    default:
        sine = -c;
        cosine = s;
        break;
    }
}

void sineAndCosine(const LongNum& a, int fraction, Fixed& sine, Fixed& cosine)
{
    sineAndCosineOfReduced(reduce(a, fraction), sine, cosine);
}

// Sine and cosine good to the last fraction word. The reduction by multiples
// of pi/2 costs the argument's integer bits, and the sine of a reduced
// argument r near zero, found as sqrt(c (2 - c)) from c = 1 - cos r, loses
// about log2(1/r) bits more: such arguments are done again at full precision.
void sineAndCosineToLastWord(const LongNum& a, Fixed& sine, Fixed& cosine)
{
    int integerBits = std::max(0, longIntegerWords() - long_detail::firstNonzero(a)) * 10;
    int fraction = long_engine::resultFractionLimbs(integerBits + 32);
    Reduced reduced = reduce(a, fraction);
    Fixed magnitude = reduced.remainder.isNegative() ? -reduced.remainder : reduced.remainder;
    if (fraction < long_engine::fractionLimbs() &&
        (magnitude.isZero() || magnitude.toDouble() < kSmallSine))
        reduced = reduce(a, long_engine::fractionLimbs());
    sineAndCosineOfReduced(reduced, sine, cosine);
}

// arctan of a value whose magnitude may be huge.
Fixed arctangentOf(const LongNum& a, int fraction)
{
    if (!isHuge(a))
        return long_engine::arctangent(long_engine::toFixed(a, fraction));
    // arctan x = pi/2 - arctan(1/x) with 1/x = (1/m) 1000^-e.
    long_engine::Scaled scaled = long_engine::toScaled(a, fraction);
    if (scaled.mantissa.isNegative())
        scaled.mantissa.negate();
    Fixed inverse = Fixed::integer(fraction, 1) / scaled.mantissa;
    for (int i = 0; i < scaled.exponent; ++i)
        inverse.divideSmall(kLongBase);
    Fixed result = halfPi(fraction) - long_engine::arctangent(inverse);
    if (a.isNegative())
        result.negate();
    return result;
}

// arcsin for |a| <= 1 (values nearly equal to 1 count as 1).
Fixed arcsineOf(const LongNum& a, bool nearOne, int fraction)
{
    Fixed result;
    if (nearOne) {
        result = halfPi(fraction);
    } else {
        Fixed x = long_engine::toFixed(a, fraction + 1);
        if (x.isNegative())
            x.negate();
        Fixed one = Fixed::integer(fraction + 1, 1);
        Fixed cosine = long_engine::squareRoot((one - x) * (one + x));
        // arcsin x = arctan(x / c) = pi/2 - arctan(c / x) with c = sqrt(1 - x^2);
        // the smaller ratio keeps the quotient inside the integer limb.
        if (x < cosine)
            result = long_engine::arctangent(x / cosine);
        else
            result = halfPi(fraction + 1) - long_engine::arctangent(cosine / x);
        result = result.withFraction(fraction);
    }
    if (a.isNegative())
        result.negate();
    return result;
}

// The arcsin range rule: false (after the message) for |a| >= 1 that is not
// nearly 1; nearOne tells whether |a| is taken as 1.
bool arcsineArgument(const LongNum& a, bool& nearOne)
{
    LongNum one = LongNum::fromInteger(1);
    LongNum magnitude = a;
    magnitude.setSign(kLongPlus);
    nearOne = LongNearlyEqual(magnitude, one);
    if (LongGreaterEq(magnitude, one) && !nearOne) {
        long_detail::showMessage(
            N_("Argument out of range for function arcsin(x) (inverse of sin(x)). "
               "Major error may occur."));
        return false;
    }
    return true;
}

enum class Ratio { SineOverCosine, CosineOverSine };

// numerator / denominator into out, for quotients of any size.
void storeQuotient(const Fixed& numerator, const Fixed& denominator, LongNum& out)
{
    Fixed scaled = denominator.isNegative() ? -denominator : denominator;
    int exponent = long_engine::leadingBit(scaled) + 1;
    if (exponent < 0)
        scaled.shiftLeft(-exponent);
    else
        scaled.shiftRight(exponent);
    if (denominator.isNegative())
        scaled.negate();
    // A quotient too large keeps the words that fit, as a division does.
    long_engine::toLong(numerator / scaled, -exponent, 0, out);
}

void tangentOrCotangent(const LongNum& a, Ratio ratio, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    int fraction = long_engine::fractionLimbs();
    Fixed sine;
    Fixed cosine;
    sineAndCosine(a, fraction, sine, cosine);
    bool overCosine = ratio == Ratio::SineOverCosine;
    // The divisor is zero at the working precision when it rounds to zero.
    Fixed doubled = overCosine ? cosine : sine;
    doubled.shiftLeft(1);
    LongNum divisor;
    store(doubled, divisor);
    if (LongIsZero(divisor)) {
        long_detail::showMessage(
            overCosine ? N_("Division by zero. Argument of tangent function out of range.")
                       : N_("Division by zero. Argument of cotangent function out of range."));
        return;
    }
    // A small divisor makes a large quotient: its relative precision must
    // cover the quotient's integer digits as well.
    Fixed magnitude = overCosine ? cosine : sine;
    if (magnitude.isNegative())
        magnitude.negate();
    int lead = long_engine::leadingBit(magnitude);
    if (lead < -32) {
        fraction += -2 * lead / 64 + 2;
        sineAndCosine(a, fraction, sine, cosine);
    }
    if (overCosine) {
        LongWord sign = a.sign();
        storeQuotient(sine, cosine, out);
        keepSignOfZero(sign, out);
    } else {
        storeQuotient(cosine, sine, out);
    }
}

} // namespace

bool LongLn(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    bool zero = LongIsZero(a);
    if (zero)
        long_detail::showMessage(
            N_("Logarithm of zero. Argument out of range.\nMajor error may occur."));
    if (a.isNegative())
        long_detail::showMessage(
            N_("Negative number as argument of logarithm. Major error may occur."));
    if (zero || a.isNegative()) {
        long_detail::clearDigits(out, out.sign());
        return false;
    }
    // ln |a| = ln m + e ln 1000 for a mantissa m >= 1: the mantissa's error
    // shrinks in its logarithm, and e ln 1000 costs a few bits. Near 1,
    // ln(1 + y) = y - y^2/2 + ... may lie just under a word boundary: full
    // precision.
    // (A huge argument's integer part does not fit the engine's integer limb.)
    double distance = isHuge(a) ? 1.0 : std::abs(long_engine::toFixed(a, 2).toDouble() - 1.0);
    int fraction = distance < kSmallArgument ? long_engine::fractionLimbs()
                                             : long_engine::resultFractionLimbs(16);
    store(logarithmOf(a, fraction), out);
    return true;
}

void LongExp(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    auto tooLarge = [&out] {
        long_detail::showMessage(N_("Number too large. Major error may occur."));
        long_detail::clearDigits(out);
    };
    if (isHuge(a)) {
        if (a.isNegative())
            long_detail::clearDigits(out);
        else
            tooLarge();
        return;
    }
    // e^x = m 2^k with k near x / ln 2: the result's integer bits, and a few
    // for the errors of x and of k ln 2 that e^x magnifies. For a tiny x,
    // e^x = 1 + x + x^2/2 + ... may lie just past a word boundary, by less
    // than those bits can tell: full precision.
    double rough = long_engine::toFixed(a, 2).toDouble();
    int fraction = long_engine::fractionLimbs();
    if (std::abs(rough) >= kSmallArgument) {
        double integerBits = std::min(std::max(rough / 0.6931471805599453, 0.0), 1.0e6) + 16;
        fraction = long_engine::resultFractionLimbs(static_cast<int>(integerBits));
    }
    Fixed x = long_engine::toFixed(a, fraction);
    // ln 1000 per word: beyond these bounds the value cannot fit, or is far
    // below the last word.
    constexpr double kLnThousand = 6.907755278982137;
    double estimate = x.toDouble();
    if (estimate > kLnThousand * longIntegerWords() + 1) {
        tooLarge();
        return;
    }
    if (estimate < -kLnThousand * (longWords() - longIntegerWords()) - 2) {
        long_detail::clearDigits(out);
        return;
    }
    int binaryExponent = 0;
    Fixed mantissa = long_engine::exponential(x, binaryExponent);
    if (!long_engine::toLong(mantissa, binaryExponent, 0, out))
        tooLarge();
}

void LongArctan(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    LongWord sign = a.sign();
    store(arctangentOf(a, long_engine::fractionLimbs()), out);
    keepSignOfZero(sign, out);
}

void LongSin(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    Fixed sine;
    Fixed cosine;
    sineAndCosineToLastWord(a, sine, cosine);
    LongWord sign = a.sign();
    store(sine, out);
    keepSignOfZero(sign, out);
}

void LongCos(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    Fixed sine;
    Fixed cosine;
    sineAndCosineToLastWord(a, sine, cosine);
    store(cosine, out);
}

void LongTan(const LongNum& a, LongNum& out)
{
    tangentOrCotangent(a, Ratio::SineOverCosine, out);
}

void LongCot(const LongNum& a, LongNum& out)
{
    tangentOrCotangent(a, Ratio::CosineOverSine, out);
}

void LongArcsin(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    bool nearOne = false;
    if (!arcsineArgument(a, nearOne)) {
        long_detail::clearDigits(out, a.sign());
        return;
    }
    LongWord sign = a.sign();
    store(arcsineOf(a, nearOne, long_engine::fractionLimbs()), out);
    keepSignOfZero(sign, out);
}

void LongArccos(const LongNum& a, LongNum& out)
{
    long_detail::checkWordCount(a);
    long_detail::checkWordCount(out);
    int fraction = long_engine::fractionLimbs();
    bool nearOne = false;
    Fixed arcsine(fraction);
    if (arcsineArgument(a, nearOne))
        arcsine = arcsineOf(a, nearOne, fraction);
    store(halfPi(fraction) - arcsine, out);
}

} // namespace kestrane
