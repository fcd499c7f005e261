// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "algebra/exact_fraction.h"
#include "algebra/exact_problem.h"
#include "expressions/fract_node.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class Host;
class VariableTable;

// Who asks: the Fractions and Roots window refuses what it cannot simplify
// with a message box; a script keeps x, other names and function
// applications (an opaque factor whose argument is simplified), shows no
// refusal box and leaves what it cannot simplify as it was.
enum class SimplifyFor { Window, Script };

// The window's view modes: 0 the main expression (full normal form); 1 and
// 2 stop once the expression, taken apart and its fractions lifted, is put
// back together: before roots of numbers are reduced and the result is
// normalised.
inline constexpr int kMainExpressionView = 0;

struct SimplifyDefinition {
    std::string name;
    std::optional<std::string> value; // in the linear notation; none without a value
};

struct SimplifyResult {
    // The simplified tree, fixed up with its marks matched; null when the
    // expression was refused, could not be simplified or overflowed.
    std::unique_ptr<FractNode> tree;
    // Every message, in the order shown.
    std::vector<ExactMessage> messages;
    // A two-word integer overflowed: the expression stays as it was.
    bool overflow = false;
    // The working table right after the first decomposition, in order
    // ("I" prints as I).
    std::vector<SimplifyDefinition> definitions;
    // The generated name the whole expression became.
    std::string mainName;
    // In view modes other than 0: the working table when the main
    // expression had been put back together (the result's tree).
    std::vector<SimplifyDefinition> workingDefinitions;
};

struct SimplifyRequest {
    const FractNode* tree = nullptr;
    // Enabled variables with a value are substituted; may be null.
    const VariableTable* variables = nullptr;
    int viewMode = kMainExpressionView;
    SimplifyFor purpose = SimplifyFor::Window;
    // The primes tried first when numbers are factored (may be empty).
    std::span<const std::int32_t> primes;
    // Fill in the result's definitions and main name (for reports).
    bool reportDefinitions = false;
};

// Whether an expression can be simplified or evaluated: no empty slot (which
// shows "Wrong character discovered." first), numbers of digits with at most
// one '.', and with checkMarks no function on a leaf and no root of degree
// above 9. With resolveNames every name must be i (refused when complexFlag
// is negative, that is complex numbers are off; otherwise complexFlag
// becomes 1), pi, or a variable with a value that passes the same check.
bool checkSimplifiable(const FractNode& node, const VariableTable* variables, bool checkMarks,
                       bool resolveNames, int& complexFlag, Host& host);

// Simplifies exactly to the normal form: one fraction N/D of sums, D free of
// numeric roots and of i, common factors cancelled. Refusals go to the host
// (for the window) and into the result's messages.
SimplifyResult simplifyExpression(const SimplifyRequest& request, Host& host);

// The normal form of view 0 of a tree that code built (the exact roots of
// cubics): no checks, no message box. Nothing when it cannot be simplified,
// and `problem` says why.
std::optional<ExactFraction> exactNormalForm(const FractNode& tree, SimplifyFor purpose,
                                             ExactMessage& problem);

} // namespace kestrane
