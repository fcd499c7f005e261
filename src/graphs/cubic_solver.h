// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The solver works at 50 words and keeps 40 of them: 25 integer words and
// 15 fraction words, so up to 45 decimals.
inline constexpr int kSolverWords = 50;
inline constexpr int kRootWords = 40;

// One root as the solver hands it out. The long parts are gone once the
// solver's precision ends, so the root keeps texts and doubles only.
struct NumericRoot {
    std::string text;      // the root text shown on screen
    std::string real;      // decimal text of the real part ("-1.5")
    std::string imaginary; // decimal text of the imaginary part ("0" for a real root)
    double re = 0;
    double im = 0;
    bool isReal() const { return imaginary == "0"; }
};

// A polynomial's coefficients as long numbers of the solver's precision,
// highest power first (three for a quadratic, four for a cubic). When the
// polynomial has rational coefficients, the same polynomial scaled to
// integers decides exactly whether the discriminant is zero or which sign
// it has.
struct SolverInput {
    std::vector<LongNum> coefficients;
    std::optional<std::vector<LongNum>> integerScaled;
};

// Solves the polynomial, each root cut to the root's words. Real roots come first in ascending
// order, then a complex pair with the positive imaginary part first. A zero leading coefficient
// gives no roots. Must be called inside a LongWordsScope of kSolverWords words (see
// SolverPrecision).
std::vector<LongComplex> solvePolynomial(const SolverInput& input);

// The solver's precision for the lifetime of the scope: 50 words with π and
// ln 2 rebuilt for them (the complex cube root needs π), and the previous
// word count and constants back afterwards. The long-number operations show
// no boxes meanwhile: the solver checks its own cases.
class SolverPrecision {
public:
    SolverPrecision();
    ~SolverPrecision();
    SolverPrecision(const SolverPrecision&) = delete;
    SolverPrecision& operator=(const SolverPrecision&) = delete;

private:
    int m_previous;
    Host* m_host;
};

// The number cut to the root's 40 words: when word 40 is above 500, 500 is
// added there with the number's sign (a carry reaches word 39); words 40
// on are cleared.
LongNum cutToRootWords(const LongNum& value);

// The root text of a real part: its 40 words, leading zeros dropped (the
// units stay), trailing decimals dropped, the point only before decimals;
// "-     " before a negative value that is not zero.
std::string rootPartText(const LongNum& value);
// The same without the spaces: "-1.5", "0".
std::string rootDecimal(const LongNum& value);
// A root's text: the real part and, for a nonzero imaginary part,
// "+  i *    " or "-  i *    " and its magnitude.
std::string rootText(const LongNum& re, const LongNum& im);

// The texts and doubles of a root cut to the root's words.
NumericRoot describeRoot(const LongComplex& root);

// Real roots ascending, then complex ones with the positive imaginary part
// first; a part counts as zero when it is zero in the root's words.
void sortRoots(std::vector<LongComplex>& roots);

} // namespace kestrane
