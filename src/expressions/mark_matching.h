// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestrane {

struct FractNode;

// Pairs the marks of a tree in one left-to-right walk over the nodes that
// own rows (numerator before denominator): a closing mark takes the nearest
// unmatched opening mark of the same kind (root, parenthesis, the same
// function). Sets every mark's matched flag and each opening root's partner.
// Exponents are expressions of their own and are matched separately.
// Returns true when every mark found its partner.
bool matchMarks(FractNode& root);

// Matches the marks and tells whether they are complete and nested: each
// closing mark closes the innermost mark still open, and the marks inside a
// numerator or denominator close there. Only such trees have a text in the
// linear notation.
bool marksNested(FractNode& root);

// Whether every mark of every row in the tree has its partner (as the last
// matchMarks found).
bool marksComplete(const FractNode& root);

} // namespace kestrane
