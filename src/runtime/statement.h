// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbers/long_num.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

// One statement of the normalised program text, as the interpreter and the
// module executors read it: `target=word(arguments)=value`, each part
// optional. A statement is one line.
struct Statement {
    // The assignment target; empty when the statement has none.
    std::string target;
    // The command word: the first character after the target and every
    // letter or digit after it ("point", "12.5", "a" of "a+b").
    std::string word;
    // The text after the word up to the end of the line ("(P,Q)", "+b").
    std::string rest;
    // The text between the '(' after the word and its matching ')'.
    std::string argumentText;
    // The text after '=' behind the closing ')' (attribute statements such
    // as Color(l)=red); empty when there is none.
    std::string value;
    // The whole line, for the step messages.
    std::string line;
    // Offsets in the text: where the line starts and where the next line
    // starts (past CR and LF).
    std::size_t start = 0;
    std::size_t next = 0;

    // The arguments split at ',', each without blanks and '(' before it and
    // blanks after it. No arguments for "()" or a word without parentheses.
    std::vector<std::string> arguments() const;
};

// Reads the statement whose line starts at the position (blanks skipped).
Statement readStatement(std::string_view text, std::size_t position);

// The arguments of an argument text, split as Statement::arguments does.
std::vector<std::string> splitArguments(std::string_view argumentText);

// An integer argument: leading '-' and digits; the digits before any other
// character count, so "12abc" reads 12 and a text without digits reads 0.
long long integerArgument(std::string_view text);

// A whole or decimal number argument as a long number, every digit that
// fits kept ("-12.125"); other texts read as integerArgument does.
LongNum numberArgument(std::string_view text);

} // namespace kestrane
