// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_fraction.h"
#include "expressions/expression_build.h"
#include "expressions/fract_node.h"

#include <memory>

namespace kestrane {

// The tree of an exact value, node for node the tree its text (toText())
// reads into, built without writing the text. Null for a failed value or
// one past the readers' limits.
std::unique_ptr<FractNode> exactTree(const ExactFraction& value, int fontHeight = 20);

// The same as a piece of a larger expression (a value that is not failed).
TreePiece exactPiece(const ExactFraction& value);

} // namespace kestrane
