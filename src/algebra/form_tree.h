// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/expression_form.h"
#include "expressions/expression_build.h"

#include <memory>

namespace kestrane {

// The tree a tree's printed text reads into, built from its expression form
// without printing: the brackets the text needs for grouping become marks,
// as they do when the text is read. Null when the form cannot be read or the
// result is past the readers' limits.
std::unique_ptr<FractNode> rereadTree(const FractNode& tree, int fontHeight = 20);

// One node of a form as a piece of a tree being built; empty when the node
// (or a node below it) cannot be read.
TreePiece formPiece(const ExpressionForm& form, int index);

} // namespace kestrane
