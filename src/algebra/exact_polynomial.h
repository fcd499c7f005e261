// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_sum.h"

#include <optional>
#include <string>

namespace kestrane {

// N / D when D divides N exactly, term by term from the leading terms. Only
// tried when D's leading name monomial stands in one term of D; nothing when
// the division leaves a remainder or cannot be decided this way.
std::optional<ExactSum> exactQuotient(const ExactSum& numerator, const ExactSum& denominator);

// The one name of a and b when both are polynomials in that name alone with
// rational coefficients (no roots, no i, whole exponents), as its factor.
std::optional<ExactFactor> singleName(const ExactSum& a, const ExactSum& b);

// The monic greatest common divisor of two polynomials in the one name
// (see singleName); 1 when they share no factor.
ExactSum polynomialDivisor(const ExactSum& a, const ExactSum& b, const ExactFactor& name);

} // namespace kestrane
