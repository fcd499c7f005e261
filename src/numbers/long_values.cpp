// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers/long_values.h"

namespace kestrane {

LongNum plus(const LongNum& a, const LongNum& b)
{
    LongNum out;
    LongAdd(a, b, out);
    return out;
}

LongNum minus(const LongNum& a, const LongNum& b)
{
    LongNum out;
    LongSub(a, b, out);
    return out;
}

LongNum times(const LongNum& a, const LongNum& b)
{
    LongNum out;
    LongMul(a, b, out);
    return out;
}

LongNum divided(const LongNum& a, const LongNum& b)
{
    LongNum out;
    LongDiv(a, b, out);
    return out;
}

LongNum negated(LongNum a)
{
    LongNegate(a);
    return a;
}

LongNum squareRoot(const LongNum& a)
{
    LongNum out;
    LongSqrt(a, out);
    return out;
}

} // namespace kestrane
