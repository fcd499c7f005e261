// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/variable_table.h"
#include "expressions/fract_node.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kestrane {

class Host;

// The expression simplified as scripts want it: x, other names and function
// applications are kept, no refusal box is shown, and what cannot be
// simplified stays as it was (a copy is returned either way). With a table,
// its enabled variables that have a value are substituted.
std::unique_ptr<FractNode> simplifiedForScript(const FractNode& expression,
                                               const VariableTable* variables = nullptr);

// Whether the expression is the number 0.
bool isZero(const FractNode& expression);

// Copies of the operands joined by an operator ('+', '-', '*'), each in
// parentheses when it is an operation; '/' makes a fraction.
std::unique_ptr<FractNode> combined(char sign, const FractNode& a, const FractNode& b);
// The copy under a square root, or raised to a whole power.
std::unique_ptr<FractNode> squareRootOf(const FractNode& a);
std::unique_ptr<FractNode> powerOf(const FractNode& a, int exponent);
// A whole number as a leaf.
std::unique_ptr<FractNode> integerLeaf(long long value);

// Adds to the table, without a value, every name of the expression that it
// does not hold yet (x included; pi, I and i are not names).
void collectNames(const FractNode& expression, VariableTable& table);

// The records of `extra` whose names `table` lacks, appended as copies.
void addMissing(VariableTable& table, const VariableTable& extra);

// The value of an expression in floating point with its table: x is the
// value of the table's x when it has one, else 0; nothing where it is
// undefined.
std::optional<float> valueWithTable(const FractNode& expression, const VariableTable& table);

// An expression file: a fraction file (titled or of the old form, with its
// variables), else one expression in the byte form from the first byte
// (bytes after it are ignored), else the first line in the linear notation.
struct ExpressionFile {
    std::unique_ptr<FractNode> expression;
    VariableTable variables;
};
struct ExpressionFileRead {
    std::unique_ptr<ExpressionFile> file; // null on failure
    std::string caption;
    std::string message;
};
ExpressionFileRead parseExpressionFile(std::string_view bytes, int fontHeight = 20);

} // namespace kestrane
