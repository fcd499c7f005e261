// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/long_eval.h"
#include "fractions/calculator_output.h"
#include "platform/translation.h"

#include <optional>

namespace kestrane {

class Host;
struct FractNode;

// The calculator works 7 words past the word count it shows from.
inline constexpr int kEvaluationGuardWords = 7;

struct ShownParts {
    CalculatorPart real;
    std::optional<CalculatorPart> imaginary; // in complex arithmetic
};

// Evaluates the expression for the calculator, which shows 3 * (shownWords
// / 2) fraction digits, each the correctly rounded one: the evaluation runs
// at longWords() + 7 words and keeps a bound on its error; when that bound
// leaves a shown digit in doubt, it runs again with as many more words as
// the doubt needs (at most twice the words and 40 more, within the largest
// word count). Where even that is not enough, a part shows the places that
// are certain.
//
// Values are refused ("Number too large. ...") only past the integer words
// of the first evaluation, less one. Messages go to `host`; a result whose
// units digit cannot be known is refused with kUnknownDigitsText.
std::optional<ShownParts> computeShownParts(const FractNode& tree, const LongVariables& variables,
                                            NumberField field, int shownWords, Host& host);

inline constexpr const char* kUnknownDigitsText =
    N_("The result cannot be computed at this precision.");

} // namespace kestrane
