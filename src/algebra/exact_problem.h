// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestrane {

// Why an exact computation could not give a value. The first problem met is
// kept; later operations on a failed value keep it.
enum class ExactProblem {
    None,
    // A root of degree above 9, or one that is not a root of a number the
    // exact forms can write.
    Unsupported,
    // An expansion past the term limit.
    TooLarge,
    DivisionByZero,
    VariableExponent,
};

// The most terms an exact sum may hold.
inline constexpr int kMaxExactTerms = 1000;

struct ExactMessage {
    std::string caption;
    std::string text;
};

// The message box that tells the user about a problem (not for None).
ExactMessage exactProblemMessage(ExactProblem problem);

} // namespace kestrane
