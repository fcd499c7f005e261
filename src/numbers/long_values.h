// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

// The exact operations as functions of values, for formulas that read
// better as expressions than as chains of out-parameters.
namespace kestrane {

LongNum plus(const LongNum& a, const LongNum& b);
LongNum minus(const LongNum& a, const LongNum& b);
LongNum times(const LongNum& a, const LongNum& b);
LongNum divided(const LongNum& a, const LongNum& b);
LongNum negated(LongNum a);
LongNum squareRoot(const LongNum& a);

} // namespace kestrane
