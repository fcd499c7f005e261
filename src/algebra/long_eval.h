// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/bounded_arithmetic.h"
#include "numbers/long_num.h"
#include "platform/translation.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

class ExpressionForm;
class Host;
struct FractNode;

// The named values an evaluation may use: a name (as the notation writes it,
// "x", "ab12", "α") and the tree of its value. The trees are not owned.
using LongVariables = std::map<std::string, const FractNode*>;

enum class NumberField { Real, Complex };

// Evaluates an expression tree in long numbers at the current word count:
// numbers from their decimal text, π and ln 2 from the constants, 'i' as
// (0, 1) in complex arithmetic, names from `variables` (each evaluated in
// turn, a name that refers back to itself fails). Integer exponents are
// exact repeated products; other exponents go through exp(e ln x).
//
// Any message shown on the way, by this evaluation or by a long-number
// function it calls (square root of a negative number, logarithm of zero,
// division by zero, a number too large for the integer words, ...), goes to
// `host` and ends the evaluation without a value: a result computed past a
// warning would be a wrong number shown as if it were right.
// A real result comes back with a zero imaginary part.
std::optional<LongComplex> evaluateLong(const FractNode& tree, const LongVariables& variables,
                                        NumberField field, Host& host);

// The same for an expression form read once from a tree, with a bound on the
// error of each part, values refused past `integerWordLimit` integer words
// (evaluateLong keeps the top word free).
std::optional<BoundedComplex> evaluateLongBounded(const ExpressionForm& form,
                                                  const LongVariables& variables, NumberField field,
                                                  Host& host, int integerWordLimit);

// The names an expression uses, besides functions, π and i.
struct ExpressionNames {
    std::vector<std::string> names;
    bool emptyPlace = false;
    bool usesI = false;
};
ExpressionNames expressionNames(const FractNode& tree);

// The message of a number or an intermediate value that does not fit the
// integer words.
inline constexpr const char* kTooLargeText = N_("Number too large. Major error may occur.");
inline constexpr const char* kNegativePowerText =
    N_("Negative number is raised to some power.\nCurrent version of a program does not cover it.");

} // namespace kestrane
