// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/polynomial_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

class GraphScene;
struct AlgExprRec;
struct CommandContext;
struct Statement;

// What the quadratic and cubic commands share: a statement's arguments
// with its scene and run.
struct PolynomialCommand {
    const Statement& statement;
    std::vector<std::string> arguments;
    CommandContext& context;
    GraphScene& scene;

    const std::string& argument(std::size_t index) const;
    long long integer(std::size_t index) const;
    void fail(std::string_view text) const;
};

// A new function of the first `count` arguments (integers or AlgExpr
// names), named with the statement's target.
PolynomialRec makeFunction(const PolynomialCommand& command, std::size_t count, RootKinds kinds);

// A graph of the function in the rectangle named by argument 1, over an
// interval that shows every real root and turning point.
void makeGraph(PolynomialCommand& command, const PolynomialRec& function);

// The x interval of a function's graph: [m - w, M + w] with m and M the
// least and greatest real root or turning point and w = max(1, (M - m)/2);
// [-1, 1] when none is known.
std::pair<double, double> graphInterval(const Polynomial& polynomial);

// A formula object named with the target: the exact root, or an object that
// only holds the message text.
AlgExprRec& makeRootObject(PolynomialCommand& command, const ExactRoot& root);
AlgExprRec& makeMessageObject(PolynomialCommand& command, std::string_view text);

} // namespace kestrane
