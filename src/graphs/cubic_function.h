// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_problem.h"
#include "expressions/fract_node.h"
#include "graphs/cubic_solver.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

class VariableTable;

using SharedTree = std::shared_ptr<const FractNode>;

enum class RootKinds { Numeric, NumericAndExact };

// An exact root: its expression, the variable values it needs (the unit
// root ε of the casus irreducibilis), and its value at the solver's
// precision as a root text when it can be computed.
struct ExactRoot {
    SharedTree expression;
    std::vector<std::pair<std::string, SharedTree>> values;
    std::optional<std::string> value;
};

// A quadratic (three coefficients) or cubic (four) with its roots. The
// trees are shared and never changed, so copies of a function are cheap.
struct Polynomial {
    std::vector<SharedTree> coefficients;
    // a*x^3 + b*x^2 + c*x + d with each coefficient in place.
    SharedTree built;
    // Powers descending, zero terms and unit coefficients dropped.
    SharedTree simplified;
    // The leading coefficient is zero (or not known to be nonzero but
    // computed as zero): no roots.
    bool leadingZero = false;
    // The coefficients' values (scaled alike) when all can be computed.
    std::vector<double> values;
    // Empty when a coefficient cannot be computed or a = 0.
    std::vector<NumericRoot> roots;
    // Empty when not asked for, or a = 0.
    std::vector<ExactRoot> exact;
    // Why there are no exact roots although they were asked for: the
    // simplifier's refusal (numbers past its two-word integers, mostly).
    std::optional<ExactMessage> exactProblem;

    int degree() const { return static_cast<int>(coefficients.size()) - 1; }
};

// Makes the polynomial of the coefficient trees (highest power first), the
// values of their variables taken from `values` (may be null).
Polynomial makePolynomial(std::vector<std::unique_ptr<FractNode>> coefficients,
                          const VariableTable* values, RootKinds kinds);

// The least and greatest real root or turning point, when any is known.
std::optional<std::pair<double, double>> interestingRange(const Polynomial& polynomial);

// The unit root of the cubic: ε = (-1 + i*sqrt(3))/2, as the value tree.
std::unique_ptr<FractNode> unitRootValue();

} // namespace kestrane
