// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class VariableTable;
struct FractNode;

// Decompose: every name the node or the table's definitions use that the
// table does not know is added without value, records without value move
// first; the node becomes a new definition unless it is a single number or
// name, and every definition is taken apart until each is elementary: a
// number or name, two of them joined by '+', '-' or '*', a fraction of two,
// one under a single mark, one with an exponent. A negated part becomes the
// product of "I" (minus one) and the part. Returns the leaf that names the
// node, or null when the node has no linear notation.
std::unique_ptr<FractNode> decompose(VariableTable& table, const FractNode& node);

// The generated name of a counter: base 20, least significant digit first,
// digits 'a' to 't'.
std::string generatedName(int counter);

} // namespace kestrane
