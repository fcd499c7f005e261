// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_internal.h"

namespace kestrane {

namespace {

LongNum halfPi()
{
    LongNum result;
    LongHalve(LongPi(), result);
    return result;
}

LongComplex makeComplex(const LongNum& re, const LongNum& im)
{
    return LongComplex{re, im};
}

// The principal angle of x + iy in (-pi, pi]; zero for zero.
LongNum angleOf(const LongNum& x, const LongNum& y)
{
    LongNum angle;
    if (LongIsZero(x)) {
        if (LongIsZero(y))
            return angle;
        angle = halfPi();
        angle.setSign(y.sign() == kLongMinus ? kLongMinus : kLongPlus);
        return angle;
    }
    // A negative real axis point lies at +pi whatever the sign of its zero
    // imaginary part, so that the range stays (-pi, pi]: sqrt(-4) = 2i.
    if (LongIsZero(y) && x.isNegative())
        return LongPi();
    LongNum ratio;
    LongDiv(y, x, ratio);
    LongArctan(ratio, angle);
    if (!x.isNegative())
        return angle;
    // x < 0: pi - |arctan(y/x)| with the sign opposite to arctan(y/x).
    LongWord sign = angle.isNegative() ? kLongPlus : kLongMinus;
    angle.setSign(kLongPlus);
    LongSub(LongPi(), angle, angle);
    angle.setSign(sign);
    return angle;
}

} // namespace

void ComplexMul(const LongComplex& z, const LongComplex& w, LongComplex& out)
{
    LongNum ac, bd, ad, bc;
    LongMul(z.re, w.re, ac);
    LongMul(z.im, w.im, bd);
    LongMul(z.re, w.im, ad);
    LongMul(z.im, w.re, bc);
    LongSub(ac, bd, out.re);
    LongAdd(ad, bc, out.im);
}

void ComplexDiv(const LongComplex& z, const LongComplex& w, LongComplex& out)
{
    if (LongIsZero(w.im)) {
        LongNum re, im;
        LongDiv(z.re, w.re, re);
        LongDiv(z.im, w.re, im);
        out = makeComplex(re, im);
        return;
    }
    LongNum conjugateIm = w.im;
    LongNegate(conjugateIm);
    LongComplex numerator;
    ComplexMul(z, makeComplex(w.re, conjugateIm), numerator);
    LongNum zero;
    LongNum denominator;
    LongSumSquares(w.re, w.im, zero, denominator);
    LongDiv(numerator.re, denominator, out.re);
    LongDiv(numerator.im, denominator, out.im);
}

void ComplexExp(const LongComplex& z, LongComplex& out)
{
    LongNum magnitude, cosine, sine;
    LongExp(z.re, magnitude);
    LongCos(z.im, cosine);
    LongSin(z.im, sine);
    LongMul(magnitude, cosine, out.re);
    LongMul(magnitude, sine, out.im);
}

void ComplexLn(const LongComplex& z, LongComplex& out)
{
    LongNum re, angle;
    if (LongIsZero(z.re)) {
        LongNum magnitude = z.im;
        magnitude.setSign(kLongPlus);
        LongLn(magnitude, re);
    } else {
        LongNum zero, squares;
        LongSumSquares(z.re, z.im, zero, squares);
        LongLn(squares, re);
        LongHalve(re, re);
    }
    angle = angleOf(z.re, z.im);
    out = makeComplex(re, angle);
}

void ComplexRoot(const LongComplex& z, int n, LongComplex& out)
{
    LongNum zero, squares, magnitude;
    LongSumSquares(z.re, z.im, zero, squares);
    LongRoot(squares, 2 * n, magnitude);
    LongNum angle = angleOf(z.re, z.im);
    if (n >= 1)
        LongDivSmall(angle, n, angle);
    LongNum cosine, sine;
    LongCos(angle, cosine);
    LongSin(angle, sine);
    LongMul(magnitude, cosine, out.re);
    LongMul(magnitude, sine, out.im);
}

void ComplexSin(const LongComplex& z, LongComplex& out)
{
    LongNum minusY = z.im, minusX = z.re;
    LongNegate(minusY);
    LongNegate(minusX);
    LongComplex forward, backward;
    ComplexExp(makeComplex(minusY, z.re), forward);  // e^(iz)
    ComplexExp(makeComplex(z.im, minusX), backward); // e^(-iz)
    LongNum p, q;
    LongSub(forward.re, backward.re, p);
    LongSub(forward.im, backward.im, q);
    // (p + qi) / (2i) = q/2 - (p/2) i.
    LongHalve(q, out.re);
    LongHalve(p, out.im);
    LongNegate(out.im);
}

void ComplexCos(const LongComplex& z, LongComplex& out)
{
    LongNum re, im = z.im;
    LongSub(halfPi(), z.re, re);
    LongNegate(im);
    ComplexSin(makeComplex(re, im), out);
}

void ComplexTan(const LongComplex& z, LongComplex& out)
{
    LongComplex sine, cosine;
    ComplexSin(z, sine);
    ComplexCos(z, cosine);
    ComplexDiv(sine, cosine, out);
}

void ComplexCot(const LongComplex& z, LongComplex& out)
{
    LongComplex sine, cosine;
    ComplexSin(z, sine);
    ComplexCos(z, cosine);
    ComplexDiv(cosine, sine, out);
}

void ComplexArcsin(const LongComplex& z, LongComplex& out)
{
    // w = iz + sqrt(1 - z^2); arcsin z = -i ln w.
    LongComplex square;
    ComplexMul(z, z, square);
    LongNum one = LongNum::fromInteger(1);
    LongComplex difference;
    LongSub(one, square.re, difference.re);
    difference.im = square.im;
    LongNegate(difference.im);
    LongComplex root;
    ComplexRoot(difference, 2, root);
    LongNum minusY = z.im;
    LongNegate(minusY);
    LongComplex w;
    LongAdd(minusY, root.re, w.re);
    LongAdd(z.re, root.im, w.im);
    LongComplex logarithm;
    ComplexLn(w, logarithm);
    // -i (a + bi) = b - ai.
    out.re = logarithm.im;
    out.im = logarithm.re;
    LongNegate(out.im);
}

void ComplexArccos(const LongComplex& z, LongComplex& out)
{
    LongComplex arcsine;
    ComplexArcsin(z, arcsine);
    LongSub(halfPi(), arcsine.re, out.re);
    out.im = arcsine.im;
    LongNegate(out.im);
}

void ComplexArctan(const LongComplex& z, LongComplex& out)
{
    // (i/2) (ln(1 - iz) - ln(1 + iz)), iz = -y + xi.
    LongNum one = LongNum::fromInteger(1);
    LongComplex minus, plus;
    LongAdd(one, z.im, minus.re);
    minus.im = z.re;
    LongNegate(minus.im);
    LongSub(one, z.im, plus.re);
    plus.im = z.re;
    LongComplex first, second;
    ComplexLn(minus, first);
    ComplexLn(plus, second);
    LongNum a, b;
    LongSub(first.re, second.re, a);
    LongSub(first.im, second.im, b);
    // (i/2)(a + bi) = -b/2 + (a/2) i.
    LongHalve(b, out.re);
    LongNegate(out.re);
    LongHalve(a, out.im);
}

void ComplexArccot(const LongComplex& z, LongComplex& out)
{
    LongComplex arctangent;
    ComplexArctan(z, arctangent);
    LongSub(halfPi(), arctangent.re, out.re);
    out.im = arctangent.im;
    LongNegate(out.im);
}

} // namespace kestrane
