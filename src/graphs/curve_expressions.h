// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/numeric_eval.h"
#include "algebra/variable_table.h"
#include "expressions/fract_node.h"

#include <memory>
#include <string_view>

namespace kestrane {

// A copy of a curve's coordinate expression with the parameter t written as
// the variable x, simplified.
std::unique_ptr<FractNode> curveExpression(const FractNode& expression);

// The expression compiled for sampling at t, its names read from the
// variable set, whose values also read t as x.
NumericProgram compileCurveExpression(const FractNode& expression, const VariableTable& variables);

// An analytic function compiled for evaluation at complex z.
NumericProgram compileAnalytic(const FractNode& expression, const VariableTable& variables);

// Whether every name of the expression is z.
bool onlyVariableZ(const FractNode& expression);

} // namespace kestrane
