// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/error_bound.h"
#include "numbers/long_num.h"

#include <string_view>

namespace kestrane {

// A long value and a bound on how far it may lie from the true value of
// what it was computed from.
struct BoundedLong {
    LongNum value;
    ErrorBound error;
};

struct BoundedComplex {
    BoundedLong re;
    BoundedLong im;

    // A real value: the imaginary part is zero and exact.
    bool isReal() const { return im.error.isZero() && LongIsZero(im.value); }
};

// The arithmetic of one evaluation at the current word count: every result
// carries a bound on its error, found from the operands' bounds and from
// how each long operation truncates. A value whose integer part needs more
// than `integerWordLimit` words is refused (overflowed() becomes true and
// the results are zero): the words above the limit keep every sum and
// product from losing digits off the top, so a refusal means the value
// itself is too large.
//
// The long-number functions show their own messages (square root of a
// negative number, ...) on the long-number host.
class BoundedArithmetic {
public:
    explicit BoundedArithmetic(int integerWordLimit);

    bool overflowed() const { return m_overflowed; }
    int integerWordLimit() const { return m_integerWordLimit; }

    // --- real values -------------------------------------------------------
    // Decimal digits with an optional point; digits past the last word are
    // dropped and counted in the bound.
    BoundedLong number(std::string_view digits);
    BoundedLong integer(std::int64_t value);
    BoundedLong pi();
    BoundedLong halfPi();

    BoundedLong add(const BoundedLong& a, const BoundedLong& b);
    BoundedLong subtract(const BoundedLong& a, const BoundedLong& b);
    BoundedLong multiply(const BoundedLong& a, const BoundedLong& b);
    BoundedLong divide(const BoundedLong& a, const BoundedLong& b);
    BoundedLong divide(const BoundedLong& a, int divisor);

    BoundedLong exp(const BoundedLong& x);
    // Natural logarithm; false after the function's message.
    bool ln(const BoundedLong& x, BoundedLong& out);
    BoundedLong sin(const BoundedLong& x);
    BoundedLong cos(const BoundedLong& x);
    BoundedLong tan(const BoundedLong& x);
    BoundedLong cot(const BoundedLong& x);
    BoundedLong arctan(const BoundedLong& x);
    BoundedLong arccot(const BoundedLong& x);
    BoundedLong arcsin(const BoundedLong& x);
    BoundedLong arccos(const BoundedLong& x);
    BoundedLong sqrt(const BoundedLong& x);
    // n-th root (n >= 2) that keeps the sign for odd n.
    BoundedLong root(const BoundedLong& x, int degree);

    // --- complex values ------------------------------------------------------
    BoundedComplex add(const BoundedComplex& z, const BoundedComplex& w);
    BoundedComplex subtract(const BoundedComplex& z, const BoundedComplex& w);
    BoundedComplex multiply(const BoundedComplex& z, const BoundedComplex& w);
    BoundedComplex divide(const BoundedComplex& z, const BoundedComplex& w);
    BoundedComplex exp(const BoundedComplex& z);
    // Principal logarithm; false after a message (the logarithm of zero).
    bool ln(const BoundedComplex& z, BoundedComplex& out);
    BoundedComplex sin(const BoundedComplex& z);
    BoundedComplex cos(const BoundedComplex& z);
    BoundedComplex tan(const BoundedComplex& z);
    BoundedComplex cot(const BoundedComplex& z);
    BoundedComplex arcsin(const BoundedComplex& z);
    BoundedComplex arccos(const BoundedComplex& z);
    BoundedComplex arctan(const BoundedComplex& z);
    BoundedComplex arccot(const BoundedComplex& z);
    // Principal n-th root (n >= 2).
    BoundedComplex root(const BoundedComplex& z, int degree);

private:
    BoundedLong checked(LongNum value, ErrorBound error);
    BoundedLong tooLarge();
    ErrorBound units(double count) const { return ErrorBound::lastWordUnits(count); }
    // The principal angle of x + iy in (-pi, pi].
    BoundedLong angle(const BoundedLong& x, const BoundedLong& y);
    // |x + iy| without squaring either part.
    BoundedLong modulus(const BoundedLong& x, const BoundedLong& y);
    // -i ln(iz + sqrt(1 - z^2)) and (i/2)(ln(1 - iz) - ln(1 + iz)).
    BoundedComplex arcsinOf(const BoundedComplex& z);
    BoundedComplex arctanOf(const BoundedComplex& z);

    int m_integerWordLimit;
    bool m_overflowed = false;
};

} // namespace kestrane
