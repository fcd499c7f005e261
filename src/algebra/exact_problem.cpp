// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_problem.h"

namespace kestrane {

ExactMessage exactProblemMessage(ExactProblem problem)
{
    switch (problem) {
    case ExactProblem::TooLarge:
        return {"Error", "Expression is too large to simplify."};
    case ExactProblem::DivisionByZero:
        return {"Error", "Division by zero."};
    case ExactProblem::VariableExponent:
        return {"Error", "A power with a variable in its exponent cannot be simplified."};
    case ExactProblem::Unsupported:
    case ExactProblem::None:
        break;
    }
    return {"Error",
            "Wrong fraction:\nFunction discovered or \nhigher degree root discovered or \n "
            "some numbers contain illegal characters. \n\nCurrent version does not support "
            "this."};
}

} // namespace kestrane
