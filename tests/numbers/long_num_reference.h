// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// A plain, slow transcription of the long-number steps, word for word, kept as
// the yardstick for the fast operations. A number is words[0..P-1] (base 1000,
// most significant first) and words[P], the sign character.
namespace kestrane::reference {

using Words = std::vector<int>;

bool greaterEq(const Words& a, const Words& b);
void add(Words a, Words b, Words& out);
void subtract(const Words& a, Words b, Words& out);
void mulSmallShift(const Words& a, long long m, int shift, Words& out);
void multiply(const Words& a, const Words& b, Words& out);
void divideSmall(const Words& a, long long n, Words& out);

enum class DivisionOutcome { Finished, Looped, OutsideNumber, WordOverflow };
// Runs the division steps; stops with Looped when a count passes `limit`
// passes, and with OutsideNumber when a quotient word would land outside the
// number or a product lost its top carry (the cases the fast division mends),
// and with WordOverflow when a quotient word would exceed 999.
DivisionOutcome divide(const Words& a, const Words& b, Words& out, int limit = 5000);

} // namespace kestrane::reference
