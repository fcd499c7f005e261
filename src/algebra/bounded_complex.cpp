// SPDX-License-Identifier: GPL-3.0-or-later
// Complex operations with error bounds, each written with the real
// operations so that their bounds carry through: the same formulas as the
// long complex functions, arranged so that no part is squared (which could
// pass the integer words) and no angle divides by a part near zero.
#include "algebra/bounded_arithmetic.h"

namespace kestrane {

namespace {

BoundedLong negated(BoundedLong a)
{
    LongNegate(a.value);
    return a;
}

BoundedLong magnitudeOf(BoundedLong a)
{
    a.value.setSign(kLongPlus);
    return a;
}

bool isZero(const BoundedLong& a)
{
    return LongIsZero(a.value) && a.error.isZero();
}

// The sign of the value is not known: zero lies within its bound.
bool signUnknown(const BoundedLong& a)
{
    return !a.error.isZero() && ErrorBound::above(a.value) <= a.error;
}

bool lessInMagnitude(const LongNum& a, const LongNum& b)
{
    LongNum x = a;
    LongNum y = b;
    x.setSign(kLongPlus);
    y.setSign(kLongPlus);
    return !LongGreaterEq(x, y);
}

BoundedComplex realOnly(BoundedLong re)
{
    return BoundedComplex{std::move(re), BoundedLong{}};
}

} // namespace

BoundedComplex BoundedArithmetic::add(const BoundedComplex& z, const BoundedComplex& w)
{
    return {add(z.re, w.re), add(z.im, w.im)};
}

BoundedComplex BoundedArithmetic::subtract(const BoundedComplex& z, const BoundedComplex& w)
{
    return {subtract(z.re, w.re), subtract(z.im, w.im)};
}

BoundedComplex BoundedArithmetic::multiply(const BoundedComplex& z, const BoundedComplex& w)
{
    if (z.isReal() && w.isReal())
        return realOnly(multiply(z.re, w.re));
    return {subtract(multiply(z.re, w.re), multiply(z.im, w.im)),
            add(multiply(z.re, w.im), multiply(z.im, w.re))};
}

BoundedComplex BoundedArithmetic::divide(const BoundedComplex& z, const BoundedComplex& w)
{
    if (w.isReal()) {
        // A zero divisor shows its message once.
        BoundedLong re = divide(z.re, w.re);
        return {re, LongIsZero(w.re.value) ? BoundedLong{} : divide(z.im, w.re)};
    }
    // (a + bi) / (c + di) through the ratio of the smaller part of w to the
    // larger, which keeps every intermediate the size of the result.
    const BoundedLong& c = w.re;
    const BoundedLong& d = w.im;
    if (lessInMagnitude(c.value, d.value)) {
        BoundedLong ratio = divide(c, d);
        BoundedLong denominator = add(multiply(c, ratio), d);
        return {divide(add(multiply(z.re, ratio), z.im), denominator),
                divide(subtract(multiply(z.im, ratio), z.re), denominator)};
    }
    BoundedLong ratio = divide(d, c);
    BoundedLong denominator = add(c, multiply(d, ratio));
    return {divide(add(z.re, multiply(z.im, ratio)), denominator),
            divide(subtract(z.im, multiply(z.re, ratio)), denominator)};
}

BoundedComplex BoundedArithmetic::exp(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(exp(z.re));
    BoundedLong size = exp(z.re);
    return {multiply(size, cos(z.im)), multiply(size, sin(z.im))};
}

BoundedLong BoundedArithmetic::modulus(const BoundedLong& x, const BoundedLong& y)
{
    BoundedLong larger = magnitudeOf(x);
    BoundedLong smaller = magnitudeOf(y);
    if (lessInMagnitude(x.value, y.value))
        std::swap(larger, smaller);
    if (isZero(smaller))
        return larger;
    // |z| = L sqrt(1 + (S/L)^2).
    BoundedLong ratio = divide(smaller, larger);
    return multiply(larger, sqrt(add(integer(1), multiply(ratio, ratio))));
}

BoundedLong BoundedArithmetic::angle(const BoundedLong& x, const BoundedLong& y)
{
    if (isZero(y))
        return x.value.isNegative() ? pi() : BoundedLong{};
    if (isZero(x) && signUnknown(y))
        return BoundedLong{halfPi().value, ErrorBound::unbounded()};
    if (isZero(x))
        return y.value.isNegative() ? negated(halfPi()) : halfPi();
    // Across the negative real axis the angle jumps by 2 pi.
    if (x.value.isNegative() && signUnknown(y))
        return BoundedLong{LongPi(), ErrorBound::unbounded()};
    if (lessInMagnitude(x.value, y.value)) {
        // sign(y) pi/2 - arctan(x/y).
        BoundedLong quarter = y.value.isNegative() ? negated(halfPi()) : halfPi();
        return subtract(quarter, arctan(divide(x, y)));
    }
    BoundedLong turn = arctan(divide(y, x));
    if (!x.value.isNegative())
        return turn;
    return y.value.isNegative() ? subtract(turn, pi()) : add(turn, pi());
}

bool BoundedArithmetic::ln(const BoundedComplex& z, BoundedComplex& out)
{
    out.im = BoundedLong{};
    if (z.isReal() && !z.re.value.isNegative())
        return ln(z.re, out.re);
    BoundedLong size = modulus(z.re, z.im);
    if (!ln(size, out.re))
        return false;
    out.im = angle(z.re, z.im);
    return true;
}

BoundedComplex BoundedArithmetic::root(const BoundedComplex& z, int degree)
{
    if (z.isReal() && !z.re.value.isNegative())
        return realOnly(root(z.re, degree));
    if (z.isReal() && degree == 2) {
        // The square root of a negative real lies on the imaginary axis.
        return {BoundedLong{}, sqrt(magnitudeOf(z.re))};
    }
    BoundedLong size = root(modulus(z.re, z.im), degree);
    BoundedLong part = divide(angle(z.re, z.im), degree);
    return {multiply(size, cos(part)), multiply(size, sin(part))};
}

BoundedComplex BoundedArithmetic::sin(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(sin(z.re));
    // sin x cosh y + i cos x sinh y, the hyperbolic parts from e^y and e^-y.
    BoundedLong up = exp(z.im);
    BoundedLong down = exp(negated(z.im));
    return {divide(multiply(sin(z.re), add(up, down)), 2),
            divide(multiply(cos(z.re), subtract(up, down)), 2)};
}

BoundedComplex BoundedArithmetic::cos(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(cos(z.re));
    // cos x cosh y - i sin x sinh y.
    BoundedLong up = exp(z.im);
    BoundedLong down = exp(negated(z.im));
    return {divide(multiply(cos(z.re), add(up, down)), 2),
            divide(multiply(sin(z.re), subtract(down, up)), 2)};
}

BoundedComplex BoundedArithmetic::tan(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(tan(z.re));
    return divide(sin(z), cos(z));
}

BoundedComplex BoundedArithmetic::cot(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(cot(z.re));
    return divide(cos(z), sin(z));
}

BoundedComplex BoundedArithmetic::arcsinOf(const BoundedComplex& z)
{
    // w = iz + sqrt(1 - z^2); arcsin z = -i ln w.
    BoundedComplex rest = subtract(realOnly(integer(1)), multiply(z, z));
    BoundedComplex root = this->root(rest, 2);
    BoundedComplex w{add(negated(z.im), root.re), add(z.re, root.im)};
    BoundedComplex logarithm;
    if (!ln(w, logarithm))
        return {};
    return {logarithm.im, negated(logarithm.re)};
}

namespace {

// A real value inside [-1, 1] (or nearly 1, as the real function takes it).
bool realArcsineArgument(const BoundedComplex& z)
{
    if (!z.isReal())
        return false;
    LongNum one = LongNum::fromInteger(1);
    LongNum size = z.re.value;
    size.setSign(kLongPlus);
    return !LongGreaterEq(size, one) || LongNearlyEqual(size, one);
}

} // namespace

BoundedComplex BoundedArithmetic::arcsin(const BoundedComplex& z)
{
    if (realArcsineArgument(z))
        return realOnly(arcsin(z.re));
    return arcsinOf(z);
}

BoundedComplex BoundedArithmetic::arccos(const BoundedComplex& z)
{
    if (realArcsineArgument(z))
        return realOnly(arccos(z.re));
    BoundedComplex arcsine = arcsinOf(z);
    return {subtract(halfPi(), arcsine.re), negated(arcsine.im)};
}

BoundedComplex BoundedArithmetic::arctanOf(const BoundedComplex& z)
{
    // (i/2) (ln(1 - iz) - ln(1 + iz)) with iz = -y + ix.
    BoundedLong unit = integer(1);
    BoundedComplex first;
    BoundedComplex second;
    if (!ln(BoundedComplex{add(unit, z.im), negated(z.re)}, first) ||
        !ln(BoundedComplex{subtract(unit, z.im), z.re}, second))
        return {};
    BoundedLong a = subtract(first.re, second.re);
    BoundedLong b = subtract(first.im, second.im);
    return {negated(divide(b, 2)), divide(a, 2)};
}

BoundedComplex BoundedArithmetic::arctan(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(arctan(z.re));
    return arctanOf(z);
}

BoundedComplex BoundedArithmetic::arccot(const BoundedComplex& z)
{
    if (z.isReal())
        return realOnly(arccot(z.re));
    BoundedComplex arctangent = arctanOf(z);
    return {subtract(halfPi(), arctangent.re), negated(arctangent.im)};
}

} // namespace kestrane
