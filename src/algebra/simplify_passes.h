// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/simplify_decompose.h"

#include <cstdint>
#include <memory>
#include <span>

namespace kestrane {

class VariableTable;
struct FractNode;

// The passes of one simplification over its working table (a VariableTable
// whose records define generated names by elementary values, see
// decompose) and the main expression, a leaf naming its definition. Symbol
// leaves (pi and the Greek letters) never name a definition.

// Fix-up and mark spans again, on the main expression and every definition.
void prepare(VariableTable& table, FractNode& main);

// Every removable definition whose value is a single name without marks is
// removed, each use of it (in the definitions and the main expression)
// renamed to that name, with the product of the two signs. True when any
// was removed.
bool eliminateAliases(VariableTable& table, FractNode& main);

// More definitions than this cover any expression within the term limit;
// the lifting stops there (the simplification is then too large).
inline constexpr int kMaxWorkingDefinitions = 20000;

// One pass, in table order, that lifts fractions over the definitions that
// use them: a parenthesis over a fraction goes to its numerator and
// denominator;
// X op Y, A/X and X/B with a fraction X (or Y) become one fraction. Every new
// product or sum gets its own generated name. True when any rule applied.
// The pass ends early once the table holds kMaxWorkingDefinitions.
bool liftFractions(VariableTable& table);

// Replaces every leaf that names a definition by a copy of its value (its
// marks around the copy, its sign and exponent kept), in operands,
// numerators and denominators, also inside what it put in; a name is not
// put into its own value again, so variables defined through each other end
// as names. True when anything changed. The tree is fixed up and its marks
// matched afterwards.
bool substituteBack(std::unique_ptr<FractNode>& node, const VariableTable& table);

// One round of the same, exponents included, without searching what was put
// in (a variable defined through itself grows by one step a round). True
// when anything changed.
bool substituteOnce(std::unique_ptr<FractNode>& node, const VariableTable& table);

// Decomposes the main expression into the (empty) table, then gives every
// definition that is a number under a root of degree d, or a name whose
// value is a number, the reduced root: its whole part out of the root, the
// rest folded into roots of degree 2 to 9 by the prime factors (the primes
// of the table first). False when the main expression has no notation.
bool reduceRootsOfNumbers(VariableTable& table, std::unique_ptr<FractNode>& main,
                          std::span<const std::int32_t> primes);

} // namespace kestrane
