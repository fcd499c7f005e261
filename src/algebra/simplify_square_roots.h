// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_fraction.h"

#include <optional>

namespace kestrane {

class ExpressionForm;

// The normal form of the classroom's most common expressions, found without
// the general polynomial forms: whole and decimal numbers joined by '+',
// '-', '*', '/', whole powers and square roots of numbers; and a root of any
// degree of such a number alone. Nothing
// for anything else (names, i, other roots, a
// square root of a sum) and when a number grows past a billion; the general
// simplifier then takes over, with the same result where both apply.
std::optional<ExactFraction> squareRootNormalForm(const ExpressionForm& form);

} // namespace kestrane
