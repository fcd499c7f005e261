// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli.h"

#include <cstdint>
#include <span>

// The subcommands, one file each; commands.cpp lists them.
namespace kestrane {
class VariableTable;
}

namespace kestrane::cli {

// The path of the running kestrane-cli, for the files it ships beside it.
const std::string& programPath();
void setProgramPath(std::string path);

// The prime table as the program reads it at start.
std::span<const std::int32_t> loadedPrimes();

int runPrimes(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
int runOptions(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli check FILE [--module CODE]: compiles a script with its
// includes and prints "ok" or "FILE:LINE: MESSAGE".
int runCheck(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli words [MODULE] [--json]: the language reference.
int runWords(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli keys [WINDOW] [--json]: the key tables of the windows.
int runKeys(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli run FILE [--json PATH|-] [--png PATH] [--svg PATH] [--click X,Y]...:
// compiles a script, runs it and writes its construction.
int runRun(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
int runLong(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli longint OP A [B]: the two-word integers of exact simplification.
int runLongInt(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli frames FILE [--info] [--svg DIR] [--png DIR]: lists the frames
// of a frame file or writes them as pictures.
int runFrames(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli solid FILE [--kind polyhedron|cell|polytope]: prints a
// polyhedron, cell or polytope file as JSON.
int runSolid(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli expr EXPR: reads an expression in the linear notation (or its
// byte form) and prints it, its byte form, its laid-out tree or its picture.
int runExpr(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli edit KEYS: types keys into the expression editor.
int runEdit(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli calc EXPR: evaluates an expression as the calculator does.
int runCalc(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);

// Adds --var NAME=EXPR to a table (replacing a variable of that name);
// the problem when it cannot be read, empty when added.
std::string addVariableArgument(const std::string& argument, VariableTable& table);

// kestrane-cli simplify EXPR: the exact normal form of an expression.
int runSimplify(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli fraction read|write FILE: fraction files.
int runFraction(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);

// kestrane-cli eval SOURCE [--at T]... [--json]: the value of an expression
// in single precision at each T.
int runEval(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli roots A B C [D]: the numeric and exact roots of a quadratic or
// cubic, as the Quadratic and Cubic functions modules find them.
int runRoots(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli ticks LENGTH MIN MAX: the ticks of a graph's axis as JSON.
int runTicks(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli plot FILE.fct: the graph of a function file.
int runPlot(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);
// kestrane-cli graph-window [ACTION]...: drives the graph window.
int runGraphWindow(const ParsedArguments& arguments, std::ostream& out, std::ostream& err);

} // namespace kestrane::cli
