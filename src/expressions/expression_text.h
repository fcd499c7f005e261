// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kestrane {

struct FractNode;

// A linear text notation of expression trees, for kestrane-cli and for text
// files of expressions:
//   12  0.5  x  ab12  i  pi (or π)  α β γ ε  ? (an empty slot)
//   + - * left-associative, * first; / a fraction, tighter than *; ^ tightest,
//   right-associative; name=value only at the top
//   (...) parenthesis marks, except parentheses that only group a whole
//   numerator, denominator or exponent; sqrt(x), root(n,x) with n from 2 to
//   9, exp log sin cos tan cot asin acos atan acot (x)
//   a minus only at the start of the expression, a group, an argument, a
//   numerator, denominator or exponent: -x^2 is -(x^2); 2*-3 is refused.
// Blanks are ignored.

struct TextParseResult {
    std::unique_ptr<FractNode> tree; // fixed up, marks matched; null on error
    std::string error;               // "column N: ..." when tree is null
    // The parts of the error, for showing it in the user's language: its
    // column, its message as marked for translation (a %1 in it stands for
    // errorValue) and the value.
    std::size_t errorColumn = 0;
    std::string errorMessage;
    std::string errorValue;
};

TextParseResult parseExpressionText(std::string_view text, int fontHeight = 20);

// The error of a refused text in the user's language; `error` itself when the
// texts are untranslated.
std::string translatedError(const TextParseResult& result);

// The canonical text of a tree: no blanks, explicit '*', parentheses only for
// marks and where grouping needs them; a leaf without text prints as '?'.
// print(parse(s)) is a fixed point of parse-then-print.
std::string printExpressionText(const FractNode& tree);

// The text of an exponent as it stands after '^' in its expression's text.
std::string printExponentText(const FractNode& exponent);

} // namespace kestrane
