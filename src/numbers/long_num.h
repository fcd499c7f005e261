// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;

// One digit word of a long number: a base-1000 digit (0..999), or the sign
// word holding the character code of '+' or '-'.
using LongWord = std::int32_t;

inline constexpr LongWord kLongBase = 1000;
inline constexpr LongWord kLongPlus = '+';
inline constexpr LongWord kLongMinus = '-';
inline constexpr int kLongWordsAtStart = 10;
inline constexpr int kLongWordsMin = 10;
inline constexpr int kLongWordsMax = 360;

// --- Process-wide state ------------------------------------------------------

// The number of digit words of every long number in use (10 at start).
int longWords();
// The number of integer words, longWords() / 2; the remaining words are the
// fraction.
int longIntegerWords();
// Sets the word count; refuses (returns false, nothing changes) outside
// kLongWordsMin..kLongWordsMax. Numbers made under the old count must not be
// used under the new one.
bool setLongWords(int words);

// Sets the word count for the lifetime of the scope and restores the previous
// one afterwards (the cubic solver works at 50 words this way).
class LongWordsScope {
public:
    explicit LongWordsScope(int words);
    ~LongWordsScope();
    LongWordsScope(const LongWordsScope&) = delete;
    LongWordsScope& operator=(const LongWordsScope&) = delete;

private:
    int m_previous;
};

// Where the long-number operations show their message boxes (caption
// "Error.", buttons OK and Cancel; the answer is not used and the computation
// goes on). Null, the start value, shows no box.
void setLongNumHost(Host* host);
Host* longNumHost();

// --- The number ---------------------------------------------------------------

// A signed fixed-point decimal number: longWords() digit words in base 1000,
// most significant first, then the sign word. Word i has the weight
// 1000^(H - 1 - i) with H = longIntegerWords(), so words 0..H-1 are the
// integer part (word H-1 is the units) and words H.. the fraction. Sign and
// magnitude are separate; zero may carry either sign.
//
// A number is sized when it is made, at the current word count; every operand
// of one operation must have the current word count (checked in debug builds).
class LongNum {
public:
    // Zero with sign '+', at the current word count.
    LongNum();

    // The integer value (its magnitude taken modulo 1000^H).
    static LongNum fromInteger(std::int64_t value);

    // The number of digit words this number was made with.
    int wordCount() const { return static_cast<int>(m_words.size()) - 1; }

    // Digit word i (0..wordCount()-1); index wordCount() is the sign word.
    LongWord operator[](int index) const { return m_words[static_cast<size_t>(index)]; }
    LongWord& operator[](int index) { return m_words[static_cast<size_t>(index)]; }

    LongWord sign() const { return m_words.back(); }
    void setSign(LongWord sign) { m_words.back() = sign; }
    bool isNegative() const { return m_words.back() == kLongMinus; }

    // Every word, the sign word last.
    std::span<const LongWord> words() const { return m_words; }
    std::span<LongWord> words() { return m_words; }

    // Word-for-word equality, the sign word included.
    friend bool operator==(const LongNum&, const LongNum&) = default;

private:
    std::vector<LongWord> m_words;
};

// --- Exact operations ----------------------------------------------------------
// These define the number system, quirks included: carries out of word 0 are
// lost silently and digits below the last word are truncated, never rounded.
// Magnitude operations ignore the sign words. The result may be the same object
// as an operand; operands are never changed.

// True when every digit word is zero (the sign is ignored).
bool LongIsZero(const LongNum& a);
// True when any fraction word is nonzero.
bool LongHasFraction(const LongNum& a);
// Copies every word, the sign included.
void LongCopy(const LongNum& source, LongNum& destination);
// Sign '+' becomes '-'; anything else becomes '+'.
void LongNegate(LongNum& a);
// a >= b with signed rules: '+' against '-' is true and '-' against '+' false
// (zeros included); equal positive numbers give true, equal negative ones false.
bool LongGreaterEq(const LongNum& a, const LongNum& b);
// True when words 0 .. H+4 agree (signs not compared): at 10 words every digit,
// beyond that the fraction past its fifth word is ignored.
bool LongNearlyEqual(const LongNum& a, const LongNum& b);

// Signed sum. A zero result takes a's sign when the signs differ, else the
// common sign. A carry out of word 0 is lost.
void LongAdd(const LongNum& a, const LongNum& b, LongNum& out);
// Signed difference a - b, as a + (-b); LongSub(a, a) is zero with a's sign.
void LongSub(const LongNum& a, const LongNum& b, LongNum& out);
// |a| times m, moved `shift` words toward the fraction end (negative: toward
// the integer end); digits moved outside the number and the carry out of word 0
// are dropped. Sign of a (flipped for a negative m).
void LongMulSmallShift(const LongNum& a, std::int64_t m, int shift, LongNum& out);
// Signed product: the sum of the partial products b * a_i, each truncated on
// its own. LongMul(a, b) and LongMul(b, a) can differ in the last word.
void LongMul(const LongNum& a, const LongNum& b, LongNum& out);
// Signed quotient by schoolbook steps of one word each: H quotient words from
// the first, so the last fraction word is always zero (1 / 3 = 0.333333333333
// at 10 words). A zero divisor shows "Division by zero. Major error may occur."
// and gives zero. Quotient words above word 0 are dropped.
void LongDiv(const LongNum& a, const LongNum& b, LongNum& out);
// a / n for an integer n > 0, truncated; sign of a. n <= 0 gives zero.
void LongDivSmall(const LongNum& a, std::int64_t n, LongNum& out);
// a / 2 from the top; returns the last remainder times 1000 (0 or 1000).
int LongHalve(const LongNum& a, LongNum& out);
// x*x + y*y + z*z.
void LongSumSquares(const LongNum& x, const LongNum& y, const LongNum& z, LongNum& out);

// --- Conversions ------------------------------------------------------------------

// Single-precision value from every integer word and four fraction words;
// large integer parts convert to large values, never wrapped ones.
float LongToFloat(const LongNum& a);
// The value in double precision, every word counted.
double LongToDouble(const LongNum& a);
// Exact integer part and six decimal places of a single-precision value;
// |x| must stay below 10^9 (larger magnitudes give the integer part modulo
// 1000^H; non-finite values give zero).
void FloatToLong(float x, LongNum& out);
// Decimal text "ddd.ddd" to a number: integer digits right-aligned to the units
// word (at most 3H taken, the rightmost), fraction digits from the point on,
// digits past the last word dropped; the last '.' is the point. The sign is '+'
// unless the text starts with '-'. Characters other than digits read as 0.
LongNum LongFromText(std::string_view text);
// Strict reading of "-?digits[.digits]" (digits on at least one side of the
// point); nullopt for anything else.
std::optional<LongNum> LongParse(std::string_view text);
// Every digit word as exactly three digits ("007"), no point, no sign, cut after
// `fractionWords` fraction words (all when negative).
std::string LongToText(const LongNum& a, int fractionWords = -1);
// Readable decimal: '-' when the sign word is '-', the integer part without
// leading zeros, '.', every fraction digit ("-0.500000000000000" at 10 words).
std::string LongToDecimal(const LongNum& a);

// --- Constants ----------------------------------------------------------------------

// pi and ln 2 at the current word count, read from their 450-digit texts (and,
// past 450 fraction digits, continued with computed digits); rebuilt on the
// first use after the word count changes.
const LongNum& LongPi();
const LongNum& LongLn2();
// Rebuilds both constants at the current word count now.
void LongSetupConstants();

// --- Elementary functions -------------------------------------------------------------
// Results are within 2 units of the last digit word of the true value. Only
// the guards below show messages (caption "Error.", OK and Cancel).

// Square root: the true root truncated at the last word. A negative argument
// shows "Square root of negative number. Major error may occur." and gives the
// root of the magnitude.
void LongSqrt(const LongNum& a, LongNum& out);
// Natural logarithm. Zero shows "Logarithm of zero. Argument out of range.\n
// Major error may occur.", a negative number "Negative number as argument of
// logarithm. Major error may occur."; then out's digit words are cleared (its
// sign word kept) and false is returned.
bool LongLn(const LongNum& a, LongNum& out);
// e^a. A value that does not fit the integer words shows "Number too large.
// Major error may occur." and gives zero.
void LongExp(const LongNum& a, LongNum& out);
// n-th root for n >= 1: the true root of |a| truncated at the last word, with
// a's sign. A negative a under an even n shows "Negative number under a root of
// even degree. Major error may occur." first. n < 1 gives zero.
void LongRoot(const LongNum& a, int n, LongNum& out);
// Arctangent in (-pi/2, pi/2).
void LongArctan(const LongNum& a, LongNum& out);
void LongSin(const LongNum& a, LongNum& out);
void LongCos(const LongNum& a, LongNum& out);
// Tangent and cotangent. When the divisor (cos a, sin a) is zero at the working
// precision the message "Division by zero. Argument of tangent (cotangent)
// function out of range." is shown and out is left untouched.
void LongTan(const LongNum& a, LongNum& out);
void LongCot(const LongNum& a, LongNum& out);
// Inverse sine and cosine. |a| >= 1 that is not LongNearlyEqual to 1 shows
// "Argument out of range for function arcsin(x) (inverse of sin(x)). Major
// error may occur."; the arcsine is then zero with a's sign, and the arccosine
// pi/2 minus that zero. A value nearly equal to +-1 is taken as +-1.
void LongArcsin(const LongNum& a, LongNum& out);
void LongArccos(const LongNum& a, LongNum& out);

// --- Complex functions of the calculator ---------------------------------------------
// Built from the operations above; their messages are those of the operations.

struct LongComplex {
    LongNum re;
    LongNum im;
};

// (a + bi)(c + di) = (ac - bd) + (ad + bc)i.
void ComplexMul(const LongComplex& z, const LongComplex& w, LongComplex& out);
// z / w; for a real w (d = 0) each part is divided by c.
void ComplexDiv(const LongComplex& z, const LongComplex& w, LongComplex& out);
// e^x (cos y + i sin y).
void ComplexExp(const LongComplex& z, LongComplex& out);
// ln|z| + i arg z with arg in (-pi, pi]; for x = 0 the angle is pi/2 with the
// sign of y. ln 0 shows the logarithm message.
void ComplexLn(const LongComplex& z, LongComplex& out);
// Principal n-th root (n >= 1): |z|^(1/n) (cos(arg/n) + i sin(arg/n)).
void ComplexRoot(const LongComplex& z, int n, LongComplex& out);
// (e^(iz) - e^(-iz)) / (2i).
void ComplexSin(const LongComplex& z, LongComplex& out);
// sin(pi/2 - z).
void ComplexCos(const LongComplex& z, LongComplex& out);
// sin / cos and cos / sin through ComplexDiv.
void ComplexTan(const LongComplex& z, LongComplex& out);
void ComplexCot(const LongComplex& z, LongComplex& out);
// -i ln(iz + sqrt(1 - z^2)).
void ComplexArcsin(const LongComplex& z, LongComplex& out);
// pi/2 - arcsin z.
void ComplexArccos(const LongComplex& z, LongComplex& out);
// (i/2) (ln(1 - iz) - ln(1 + iz)).
void ComplexArctan(const LongComplex& z, LongComplex& out);
// pi/2 - arctan z.
void ComplexArccot(const LongComplex& z, LongComplex& out);

} // namespace kestrane
