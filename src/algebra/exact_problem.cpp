// SPDX-License-Identifier: GPL-3.0-or-later
#include "algebra/exact_problem.h"

#include "platform/translation.h"

namespace kestrane {

ExactMessage exactProblemMessage(ExactProblem problem)
{
    switch (problem) {
    case ExactProblem::TooLarge:
        return {N_("Error"), N_("Expression is too large to simplify.")};
    case ExactProblem::DivisionByZero:
        return {N_("Error"), N_("Division by zero.")};
    case ExactProblem::VariableExponent:
        return {N_("Error"), N_("A power with a variable in its exponent cannot be simplified.")};
    case ExactProblem::Unsupported:
    case ExactProblem::None:
        break;
    }
    return {N_("Error"),
            "Wrong fraction:\nFunction discovered or \nhigher degree root discovered or \n "
            "some numbers contain illegal characters. \n\nCurrent version does not support "
            "this."};
}

} // namespace kestrane
