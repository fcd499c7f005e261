// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_sum.h"

#include <optional>

namespace kestrane {

// A factor that frees a denominator of one of its roots: for a sum D in which
// some base b (a prime, a name or i) stands under roots, D times the factor
// no longer holds b under a root. Square roots and i take the conjugate
// (D = c0 + c1*t gives c0 - c1*t); a root of degree L takes the cofactor of
// the norm (1 + root(3,2) gives 1 - root(3,2) + root(3,4), the product 3).
// With names in D (or sums under a root, which stand as names) only square
// roots and i are taken. Nothing when D holds no root this can remove; a
// failed sum (Unsupported) when the roots of one base would need a degree
// above 9.
std::optional<ExactSum> rationalisingFactor(const ExactSum& denominator);

} // namespace kestrane
