// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/calculator_digits.h"

#include "algebra/expression_form.h"
#include "platform/host.h"
#include "platform/scripted_host.h"
#include "platform/translation.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// The first evaluation, one with the words its doubt asks for, one at the
// most words allowed.
constexpr int kMaxEvaluations = 3;
// Past the first evaluation a little more than twice its words is enough
// for any value the integer words let through but a few contrived ones.
constexpr int kExtraWordsAtMost = 40;

const double kLog2Thousand = std::log2(1000.0);

struct PartOutcome {
    std::optional<CalculatorPart> certain; // all places
    std::optional<CalculatorPart> fewer;   // the places that are certain
    double margin = 0;                     // of the full rounding
};

PartOutcome roundPart(const BoundedLong& part, int fractionDigits)
{
    PartOutcome outcome;
    outcome.margin = roundingMargin(part.value, part.error, fractionDigits);
    if (outcome.margin > 0) {
        outcome.certain = roundedCalculatorPart(part.value, fractionDigits);
        return outcome;
    }
    for (int places = fractionDigits - 1; places >= 0; --places) {
        if (roundingMargin(part.value, part.error, places) > 0) {
            outcome.fewer = roundedCalculatorPart(part.value, places);
            break;
        }
    }
    return outcome;
}

// Fraction words more that would make the rounding certain, the error
// shrinking with the last word.
int wordsWanted(double margin)
{
    if (!std::isfinite(margin))
        return kExtraWordsAtMost;
    return static_cast<int>(std::ceil(-margin / kLog2Thousand)) + 1;
}

} // namespace

std::optional<ShownParts> computeShownParts(const FractNode& tree, const LongVariables& variables,
                                            NumberField field, int shownWords, Host& host)
{
    const int fractionDigits = 3 * (shownWords / 2);
    const int firstWords = longWords() + kEvaluationGuardWords;
    const int integerWordLimit = firstWords / 2 - 1;
    const int mostWords = std::min(kLongWordsMax, 2 * firstWords + kExtraWordsAtMost);
    // Read once: every repeat at more words computes the same form.
    const ExpressionForm form = ExpressionForm::of(tree);
    const bool complex = field == NumberField::Complex;

    std::optional<ShownParts> fewer;
    std::optional<ScriptedHost> quiet;
    int words = firstWords;
    for (int evaluation = 0; evaluation < kMaxEvaluations; ++evaluation) {
        LongWordsScope precision(words);
        // Later evaluations repeat the first with more words: a message
        // there would be one the user has not caused.
        Host& messages = evaluation == 0 ? host : quiet.emplace();
        auto value = evaluateLongBounded(form, variables, field, messages, integerWordLimit);
        if (!value) {
            if (evaluation == 0)
                return std::nullopt;
            break;
        }
        PartOutcome real = roundPart(value->re, fractionDigits);
        PartOutcome imaginary;
        if (complex)
            imaginary = roundPart(value->im, fractionDigits);
        else
            imaginary.certain = CalculatorPart{};
        if (real.certain && imaginary.certain) {
            ShownParts parts{*real.certain, std::nullopt};
            if (complex)
                parts.imaginary = *imaginary.certain;
            return parts;
        }
        auto best = [](const PartOutcome& outcome) {
            return outcome.certain ? outcome.certain : outcome.fewer;
        };
        // The places certain with more words replace those with fewer.
        if (best(real) && best(imaginary)) {
            fewer = ShownParts{*best(real), std::nullopt};
            if (complex)
                fewer->imaginary = *best(imaginary);
        }
        double margin =
            std::min(real.certain ? 1.0 : real.margin, imaginary.certain ? 1.0 : imaginary.margin);
        int next = std::min(mostWords, words + 2 * wordsWanted(margin));
        if (next <= words)
            break;
        words = next;
    }
    if (!fewer)
        host.message(N_("Error."), kUnknownDigitsText, MessageButtons::Ok,
                     MessageIcon::Information);
    return fewer;
}

} // namespace kestrane
