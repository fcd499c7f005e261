#pragma once

#include "fractions/simplify.h"

#include <string>
#include <vector>

namespace kestrane {

class VariableTable;
struct FractNode;

// The working table of one simplification right after the expression was
// first taken apart: names without value first, then the user's variables,
// then one generated definition for each elementary operation (a number or
// name, two names joined by '+', '-' or '*', a fraction of two names, a
// name under one mark, a name with an exponent). A negated part becomes the
// product of "I" (minus one) and the part.
struct WorkingTable {
    std::vector<SimplifyDefinition> definitions;
    // What the whole expression became: a generated name, or the expression
    // itself when it is a single number or name.
    std::string mainName;
};

WorkingTable decomposeExpression(const FractNode& tree, const VariableTable* variables);

// The generated name of a counter: base 20, least significant digit first,
// digits 'a' to 't'.
std::string generatedName(int counter);

} // namespace kestrane
