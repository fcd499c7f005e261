// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expressions/fract_node.h"

#include <memory>
#include <string>
#include <string_view>

namespace kestrane {

class Host;
struct FractNode;

// A function file (".fct"): "domain: " lower upper, "start:", then the
// function's expression in the byte form, lines ended by CR LF.
struct FunctionFile {
    std::unique_ptr<FractNode> expression;
    double lower = 0;
    double upper = 1;
};

struct FunctionFileRead {
    std::unique_ptr<FunctionFile> file; // null on failure
    std::string caption;
    std::string message;
};

// Reads the bytes of a function file. The domain's ends are read with the
// float text reader; reversed ends are swapped and equal (or missing) ends
// give 0 and 1. No "start" or an expression that cannot be read gives the
// message of a corrupt fraction.
FunctionFileRead parseFunctionFile(std::string_view bytes, int fontHeight = 20);

// Reads a function file for a run: a failure shows its message box and
// gives nothing.
std::unique_ptr<FunctionFile> readFunctionFile(Host& host, std::string_view bytes);

// The bytes of a function file for an expression and its domain; empty when
// the expression does not fit the byte form.
std::string writeFunctionFile(const FractNode& expression, double lower, double upper);

} // namespace kestrane
